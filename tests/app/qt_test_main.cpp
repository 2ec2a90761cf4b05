// main() of the window tests: one QApplication for all tests, never on a real display.
#include <gtest/gtest.h>

#include <QApplication>

#if defined(__SANITIZE_THREAD__)
// Qt's raster painting fills large areas with its thread pool. Qt is not built with the thread
// checker, so the pool's own bookkeeping shows up as races inside the library; the calls Qt
// itself makes into the C library are left out, and so are races wholly inside GLib, whose
// memory the pool's threads share. Our code is checked as before.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\ncalled_from_lib:libQt6Gui.so.6\n"
           "race:libglib-2.0.so.0\n";
}
#endif

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <gtest/gtest.h>

#include <QApplication>

// The grid is a widget: its tests need an application object, and run on the offscreen
// platform unless the caller picked another one.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

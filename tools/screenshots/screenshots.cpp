// Renders the program's windows into PNG files for the documentation:
//   brevix-screenshots <output directory>
// Run it in a scratch working directory: the main window reads Brevix.ini from there.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QString>
#include <cstdio>

#include "app/about_dlg.h"
#include "app/brevix_dlg.h"
#include "settings/clock.h"

namespace {

// A fixed moment, so that pictures with durations come out the same on every run.
class FixedClock final : public Clock {
  public:
    int64_t nowSeconds() const override { return 1717243200; }  // 2024-06-01 12:00:00 UTC
    LocalDateTime localNow() const override { return {2024, 6, 1, 12, 0, 0}; }
};

// Lets the window system map and paint what was just shown.
void settle() {
    for (int round = 0; round < 10; ++round) QApplication::processEvents();
}

QPixmap renderMainWindow(CBrevixDlg& window) {
    window.show();
    settle();
    return window.grab();
}

QPixmap renderAboutBox(CBrevixDlg& window) {
    CAboutDlg about(&window);
    about.show();
    settle();
    return about.grab();
}

// A picture is a file name and a function that brings the main window into the state to show
// and grabs it. A board full of agents is one more entry: it feeds agent message bodies to
// window.core().table.update_agentTbl and places each with window.core().rows.placeAgentRow;
// the durations then come from the fixed clock above.
struct Picture {
    const char* fileName;
    QPixmap (*render)(CBrevixDlg& window);
};

constexpr Picture kPictures[] = {
    {"main-window.png", renderMainWindow},
    {"about-box.png", renderAboutBox},
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brevix-screenshots <output directory>\n");
        return 2;
    }
    QDir output(QString::fromLocal8Bit(argv[1]));
    const FixedClock clock;
    const char* const windowArguments[] = {"brevix", "-host127.0.0.1"};
    CBrevixDlg window(2, windowArguments, clock);

    int failures = 0;
    for (const Picture& picture : kPictures) {
        QString path = output.filePath(QString::fromLatin1(picture.fileName));
        bool saved = picture.render(window).save(path, "PNG");
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
        if (!saved) ++failures;
    }
    return failures == 0 ? 0 : 1;
}

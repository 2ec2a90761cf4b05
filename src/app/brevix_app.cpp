#include "app/brevix_app.h"

#include <QMessageBox>
#include <QTimer>

#include "app/brevix_dlg.h"
#include "link/socket_layer.h"
#include "settings/clock.h"

namespace {

constexpr const char* kSocketsFailed = "Windows sockets initialization failed.";

}  // namespace

CBrevixApp::CBrevixApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Brevix"));
    setApplicationVersion(QStringLiteral("1.0.0.1"));
}

int CBrevixApp::InitInstance(int argc, const char* const* argv) {
    if (!so_startup()) {
        QMessageBox box(QMessageBox::Warning, applicationName(),
                        QString::fromLatin1(kSocketsFailed), QMessageBox::Ok);
        box.exec();
        return 1;
    }
    const SystemClock clock;
    CBrevixDlg window(argc, argv, clock);
    // The demo presses Start for the user as soon as the window runs.
    if (qEnvironmentVariableIsSet("BREVIX_PRESS_START")) {
        QTimer::singleShot(0, &window, [&window] { window.core().link.OnStart(); });
    }
    window.exec();
    return 0;
}

#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "app/brevix_dlg.h"

// Watches the main window as its user sees it: every text the status line takes, every
// message box in the order the boxes open (nested boxes are answered in the reverse order),
// and how many server bodies the window has taken from the reader thread.
class WindowWatch : public QObject {
  public:
    explicit WindowWatch(CBrevixDlg& window);

    const std::vector<std::string>& statusTexts() const { return statusTexts_; }
    const std::vector<std::string>& boxesOpened() const { return boxesOpened_; }
    int64_t serverBodiesTaken() const { return serverBodiesTaken_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CBrevixDlg& window_;
    std::vector<std::string> statusTexts_;
    std::vector<std::string> boxesOpened_;
    int64_t serverBodiesTaken_ = 0;
};

// Runs the window thread's event loop until `done()` holds or `limit` has passed; whether it
// holds.
template <class Condition>
bool runEventsUntil(Condition done, std::chrono::milliseconds limit) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limit.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

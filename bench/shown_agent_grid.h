#pragma once

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

#include "app/grid/msflexgrid1.h"
#include "app/grid_setup.h"

// Benchmarks run on the offscreen platform unless the caller chose one; call before the
// application object exists.
inline void preferOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The agent grid set up as the main window sets it up, in a shown window of the main window's
// size, so that writes are painted as they would be on screen.
class ShownAgentGrid {
  public:
    ShownAgentGrid() : grid_(new CMsflexgrid1(&host_)) {
        host_.resize(780, 640);
        grid_->setGeometry(8, 100, 764, 530);
        setUpAgentGrid(*grid_);
        host_.show();
        for (int tries = 0; tries < 100 && !host_.windowHandle()->isExposed(); ++tries) {
            QCoreApplication::processEvents();
        }
    }

    CMsflexgrid1& grid() { return *grid_; }

  private:
    QWidget host_;
    CMsflexgrid1* grid_;  // owned by host_
};

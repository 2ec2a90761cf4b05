#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/brevix_dlg.h"
#include "e2e_agent_traffic.h"
#include "settings/clock.h"

class CMsflexgrid1;

// The main window as the program builds it, with colours on, pointed at a loopback port.
// Needs the application object.
class BoardWindow {
  public:
    explicit BoardWindow(uint16_t port);

    CBrevixDlg& dialog() { return dialog_; }
    CMsflexgrid1& grid();

    // Shows the window, waits until it is exposed, then presses Start as the user would.
    // false when the window was never exposed.
    bool showAndStart();

    // The number of agents whose row does not show their message in `lastOfEach`: missing
    // rows and rows whose cells hold anything else.
    int rowsNotShowing(const std::vector<AgentMessage>& lastOfEach);

  private:
    bool rowShows(int32_t row, const AgentMessage& message);
    int32_t rowOf(const char* agentId);

    std::string portArgument_;
    std::array<const char*, 4> arguments_;
    SystemClock clock_;
    CBrevixDlg dialog_;
};

#pragma once

#include <gtest/gtest.h>

#include <QPushButton>  // complete before the modal answerer uses it
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "agent_rows.h"
#include "app/window_fixture.h"
#include "simulator_process.h"
#include "window_watch.h"

// The real main window, offscreen, against the bundled simulator: the simulator runs as a
// child process that the fixture stops and reaps however the test ends, and writes the
// last agent message it sent per agent to a file in the test's working directory.
class SimulatedBoardTest : public WindowTest {
  protected:
    static constexpr auto kTrafficLimit = std::chrono::seconds(60);

    // Starts the simulator with these options (its port and final-state file are added).
    void startSimulator(std::vector<std::string> options);
    // Opens the main window with -host127.0.0.1 -port<p> -timer1 -colors and presses Start.
    void startBoard();

    // The rows the final-state file calls for; empty while there is no file.
    std::vector<AgentRow> finalStateRows() const;
    // Runs events until the reader's last report, that it ends, has opened its box and every
    // box is answered.
    bool waitForTheLinkToEnd(std::chrono::milliseconds limit = kTrafficLimit);
    // The window is connected no more: Start and the boxes stay disabled and timer 59 is off.
    void expectBrokenAndStillDisabled() const;

    // The status line texts of a reader that gives up, after `before`.
    static std::vector<std::string> givingUpStatusTexts(std::vector<std::string> before);
    // The boxes that go with them, after `before`.
    static std::vector<std::string> givingUpBoxes(std::vector<std::string> before);
    // The same for a reader that finds its connection closed: four reads report it first.
    // A read on the closed socket reports "[closed]" here, in whichever of its two wordings.
    static std::vector<std::string> closedLinkStatusTexts(std::vector<std::string> before);
    static std::vector<std::string> closedLinkBoxes(std::vector<std::string> before);
    // The status texts with the two wordings of a read on a closed socket made one.
    std::vector<std::string> statusTextsSeen() const;

    SimulatorProcess simulator;
    std::unique_ptr<CBrevixDlg> window;
    std::unique_ptr<WindowWatch> watch;
};

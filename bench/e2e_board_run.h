#pragma once

#include <QEventLoop>
#include <atomic>
#include <cstdint>
#include <vector>

#include "e2e_agent_traffic.h"
#include "e2e_board_window.h"
#include "e2e_frame_sending.h"
#include "e2e_hand_over_watch.h"
#include "e2e_loopback_sender.h"

// One run of a fresh main window against a loopback sender: Start is pressed, the sender
// sends `messages` at the given pace, and the window's event loop runs until every message
// has been handed over and handled (or the link reports a failure). Needs the application
// object.
class BoardRun {
  public:
    BoardRun(const std::vector<AgentMessage>& messages, const SendPace& pace);

    // The window, to attach observers before the run.
    BoardWindow& board() { return board_; }
    const FrameStream& frames() const { return frames_; }
    const SendTimes& sendTimes() const { return sendTimes_; }

    // true when every message arrived and the link reported nothing.
    bool run();

    // From the first frame sent to the last message handled, in seconds.
    double seconds() const;
    int64_t firstSent() const { return sendTimes_.empty() ? 0 : sendTimes_.front().load(); }
    int64_t lastHandled() const { return handled_; }
    // From the first frame sent to the last frame sent, in seconds.
    double sendingSeconds() const;
    // CPU seconds of the window thread and of the whole process during the run.
    double windowCpuSeconds() const { return windowCpu_; }
    double processCpuSeconds() const { return processCpu_; }
    int64_t gridPaints() const { return paints_.paints(); }

  private:
    // Runs when the last message has been handled.
    void finish();

    FrameStream frames_;
    SendPace pace_;
    SendTimes sendTimes_;
    std::atomic<int64_t> lastSent_{0};
    LoopbackSender sender_;
    bool listening_;
    BoardWindow board_;  // pointed at port 0 when there was no port to listen on
    PaintCounter paints_;
    QEventLoop loop_;
    int64_t handled_ = 0;
    double windowCpu_ = 0;
    double processCpu_ = 0;
};

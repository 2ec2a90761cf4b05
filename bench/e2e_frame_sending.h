#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "e2e_agent_traffic.h"

// Sends all `size` bytes, waiting while the socket is full; false on any failure.
bool sendAll(int descriptor, const unsigned char* bytes, std::size_t size);

// How a stream of frames goes out: the first `burst` frames at once, then after `pause` the
// rest at `perSecond` frames a second, or all at once when `perSecond` is 0.
struct SendPace {
    std::size_t burst = 0;
    double perSecond = 0;
    std::chrono::milliseconds pause{0};
};

// The moment (monotonicNanos) each frame was handed to the socket, written by the sending
// thread and read by the window thread.
using SendTimes = std::vector<std::atomic<int64_t>>;

// Sends the stream at the given pace, recording each frame's send time in `times` (one
// entry per frame). Frames that are due together go out in one send. false on a failure.
bool sendPaced(int descriptor, const FrameStream& stream, const SendPace& pace, SendTimes& times);

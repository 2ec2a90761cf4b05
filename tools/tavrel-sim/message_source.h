#pragma once

#include <chrono>
#include <cstddef>

#include "link/wire_protocol.h"

// The largest body a frame can carry: four length digits bound a frame at 9999 bytes.
inline constexpr std::size_t kMaxSentBodyLength = kMaxFrameSize - kFrameHeaderSize;

// One message to send: its body and how long to wait after the previous one.
struct OutgoingBody {
    char text[kMaxSentBodyLength + 1] = {};
    std::size_t length = 0;
    std::chrono::microseconds delay{0};
};

// Where the traffic of one connection comes from: the generator or a replay file.
class MessageSource {
  public:
    virtual ~MessageSource() = default;
    // Fills `body` with the next message; false when there are no more.
    virtual bool next(OutgoingBody& body) = 0;
};

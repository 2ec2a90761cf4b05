#pragma once

#include <cstddef>
#include <cstdint>

#include "link/link_status.h"
#include "link/wire_protocol.h"

// Takes frames off a connection however TCP cuts them up. The part of a frame received so
// far is kept between reads, so a read that times out in the middle of a frame loses
// nothing: the next read goes on with the same frame and the stream stays in step.
class FrameAssembler {
  public:
    // Receives until one whole frame is in and copies its body, zero-terminated, to `body`
    // (kBodyBufferSize bytes). Before every receive it waits up to `seconds` for data; with 0
    // or less it receives at once and blocks. 0 a body; 17 or 18 a refused header; 17 also
    // for a body too long for the buffer, whose bytes are drained first so the next frame
    // starts in step; 23 time-out; 27 closed by the peer; 4 or 28 a receive error.
    LinkStatus read(int descriptor, char* body, int32_t seconds);

  private:
    enum class Stage { Header, Body, Drain };

    unsigned char* destination();
    std::size_t room() const;
    std::size_t stageSize() const;
    // The current stage has all its bytes: moves on; true when the read ends with `result`.
    bool finishStage(char* body, LinkStatus& result);
    void startFrame();

    Stage stage_ = Stage::Header;
    std::size_t received_ = 0;  // bytes of the current stage
    std::size_t bodyLength_ = 0;
    unsigned char header_[kFrameHeaderSize] = {};
    unsigned char buffer_[kBodyBufferSize] = {};
};

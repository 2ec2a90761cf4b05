#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/wire_protocol.h"
#include "tavrel-sim/fault_rule.h"
#include "tavrel-sim/random_source.h"

// A run of bytes sent in one go, and the pause that follows it.
struct TransmissionPiece {
    std::size_t offset = 0;
    std::size_t size = 0;
    int32_t pauseMsAfter = 0;
};

inline constexpr std::size_t kMostPieces = 4;

// Everything that goes out for one message: perhaps garbage and an oversized frame first,
// then the message's own frame, perhaps damaged, then perhaps frames the board refuses or
// does not know; all of it perhaps split into pieces.
struct Transmission {
    unsigned char bytes[kMostGarbageBytes + 2 * kMaxFrameSize] = {};
    std::size_t size = 0;
    TransmissionPiece pieces[kMostPieces];
    std::size_t pieceCount = 0;
    int32_t silenceSecondsBefore = 0;
    // Close the connection instead; nothing is sent.
    bool closeInstead = false;
    // The message's body goes out in a frame with the right marker and length.
    bool bodyIntact = false;

    // true when `extra` more bytes still leave room for the largest message frame.
    bool hasRoomBeforeFrame(std::size_t extra) const {
        return size + extra + kMaxFrameSize <= sizeof bytes;
    }
    // Leaves the bytes as they are: they are overwritten as the next message is laid out.
    void clear() {
        size = 0;
        pieceCount = 0;
        silenceSecondsBefore = 0;
        closeInstead = false;
        bodyIntact = false;
    }
};

// Decides for each message which faults hit it and lays out the bytes to send. It draws
// from its own generator, so the traffic stays the same with or without faults.
class FaultInjector {
  public:
    FaultInjector(std::vector<FaultRule> rules, uint64_t variant);

    // Starts counting afresh for a new connection; the once-only faults are armed again.
    void restart();
    // Lays out the transmission of the next message; false when the body cannot be framed.
    bool shape(const char* body, std::size_t length, Transmission& out);

  private:
    bool fires(const FaultRule& rule);
    void appendGarbage(Transmission& out, int64_t count);
    void appendOversizedFrame(Transmission& out, int64_t frameLength);
    void damageMarker(unsigned char* frame);
    void appendTrailingFrames(Transmission& out, const char* body, std::size_t length);
    void splitIntoPieces(Transmission& out, std::size_t frameStart, int64_t longestPauseMs);

    std::vector<FaultRule> rules_;
    std::vector<char> hits_;  // which rules hit the message being shaped
    uint64_t variant_;
    RandomSource random_;
    int64_t messagesShaped_ = 0;
};

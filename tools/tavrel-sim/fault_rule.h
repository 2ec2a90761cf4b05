#pragma once

#include <cstdint>
#include <string>

// One kind of damage the simulator can do to its traffic, and when it does it.
enum class FaultKind {
    Split,       // the bytes go out in pieces with short pauses between them
    BadMarker,   // the frame does not begin with 0xFF 0xFF
    BadLength,   // the frame's length field is replaced by four given characters
    Oversized,   // an extra frame whose body does not fit a 4096-byte receive buffer
    Garbage,     // random bytes between two frames
    Silence,     // nothing is sent for a number of seconds
    Close,       // the connection is closed instead of sending the message
    BadAgent,    // after the message, its agent body again cut before the queues: refused
    Unexpected,  // after the message, a frame with a code the board does not know
};

struct FaultRule {
    FaultKind kind = FaultKind::Split;
    // Either each message is hit with this probability...
    double probability = 0;
    // ...or, when this is 0 or more, only the message after this many messages, once.
    int64_t afterMessages = -1;
    // Split: the longest pause between pieces in ms; Oversized: the frame length;
    // Garbage: the number of bytes; Silence: seconds.
    int64_t amount = 0;
    // BadLength: the four characters written into the length field.
    char lengthField[5] = "0006";
};

// Reads "<kind>[=<value>],p=<probability>" or "<kind>[=<value>],after=<messages>".
bool parseFaultRule(const std::string& text, FaultRule& rule, std::string& error);

// The smallest and largest oversized frame: its body is at least 4096 bytes.
inline constexpr int64_t kSmallestOversizedFrame = 4096 + 6;
inline constexpr int64_t kLargestOversizedFrame = 9999;
inline constexpr int64_t kMostGarbageBytes = 4096;

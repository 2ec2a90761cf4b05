#pragma once

#include <cstddef>
#include <cstdint>

// Frames of the Tavrel server protocol, the same in both directions:
// 0xFF 0xFF, four zero-padded decimal digits giving the whole frame's length (these six
// header bytes included), then the text body (no terminator, no line end).
inline constexpr std::size_t kFrameHeaderSize = 6;
inline constexpr std::size_t kMaxFrameSize = 9999;
// A received body is kept with its terminator in 4096 bytes.
inline constexpr std::size_t kBodyBufferSize = 4096;
inline constexpr std::size_t kMaxBodyLength = kBodyBufferSize - 1;

// The registration, the only frame the program sends: 0xFF 0xFF "00121002,2".
inline constexpr std::size_t kRegistrationFrameSize = 12;
extern const unsigned char kRegistrationFrame[kRegistrationFrameSize];

// Writes the frame of a body of `bodyLength` bytes into `out`; returns the frame's size, or
// 0 when the body is empty, the frame would exceed 9999 bytes, or `out` is too small.
std::size_t buildFrame(const char* body, std::size_t bodyLength, unsigned char* out,
                       std::size_t outCapacity);

// Takes a received header apart. Returns 0 and the body length it announces, 18 for a wrong
// marker, or 17 for a length of 6 or less (digits read as the C library's conversion does).
int checkFrameHeader(const unsigned char (&header)[kFrameHeaderSize], std::size_t& bodyLength);

// Message codes: a body's code is its first four characters.
inline constexpr const char* kCodeRegistration = "1002";
inline constexpr const char* kCodeRegistrationReply = "1003";
inline constexpr const char* kCodeKeepQuiet = "1005";
inline constexpr const char* kCodeAgentMessage = "1008";
bool hasCode(const char* body, const char* code);

// The registration reply, from the text after the code.
enum class RegistrationReply { Accepted, Refused, Invalid };
// `shown` is set to the text the user sees: the reason after ",failed," for a refusal, the
// whole text after the code for an invalid reply, and the text itself when accepted.
RegistrationReply classifyRegistrationReply(const char* afterCode, const char*& shown);

// System messages: reports the reader thread writes itself; they never travel on the wire.
inline constexpr const char* kSysMsgPrefix = "**SYSMSG**";
inline constexpr const char* kSysMsgClosed = "**SYSMSG**ERROR-socket connection is closed/broken";
inline constexpr const char* kSysMsgReadErrorFormat = "**SYSMSG**WARNING-socket read error [%s]";
inline constexpr const char* kSysMsgTooManyErrors = "**SYSMSG**ERROR-too many socket read errors";
inline constexpr const char* kSysMsgTerminated =
    "**SYSMSG**ERROR-threadReadSocketData is terminated";

#pragma once

#include <cstdint>

// The result of every socket-layer operation: 0 success, 1..30 a failure with a fixed text.
using LinkStatus = int32_t;

inline constexpr LinkStatus kLinkOk = 0;
inline constexpr LinkStatus kLinkConnectFailed = 3;
inline constexpr LinkStatus kLinkAlreadyClosed = 4;
inline constexpr LinkStatus kLinkNameNotResolved = 7;
inline constexpr LinkStatus kLinkNoLocalName = 8;
inline constexpr LinkStatus kLinkWaitFailed = 11;
inline constexpr LinkStatus kLinkBadAddress = 14;
inline constexpr LinkStatus kLinkBadPort = 15;
inline constexpr LinkStatus kLinkBadMessageSize = 17;
inline constexpr LinkStatus kLinkBadHeader = 18;
inline constexpr LinkStatus kLinkNoSocket = 20;
inline constexpr LinkStatus kLinkReadTimeout = 23;
inline constexpr LinkStatus kLinkSendFailed = 25;
inline constexpr LinkStatus kLinkSendPartial = 26;
inline constexpr LinkStatus kLinkDisconnected = 27;
inline constexpr LinkStatus kLinkSocketError = 28;

// The fixed text of a status; any value outside 0..30 gets the out-of-range text.
const char* socket_getErrorMsg(LinkStatus code);

// True exactly for the ten Windows Sockets error numbers that mean the connection is gone
// (WSAEINVAL, WSAENOTSOCK, WSAENETDOWN, WSAENETRESET, WSAECONNABORTED, WSAECONNRESET,
// WSAENOTCONN, WSAESHUTDOWN, WSAETIMEDOUT, WSANOTINITIALISED). Those numbers stay the
// contract on every platform.
bool socket_isConnectionLost(int32_t error);

// The Windows Sockets error number that corresponds to a POSIX errno value, or 0 for one
// without a counterpart (which is then no connection-lost error).
int32_t winsockErrorOf(int errnoValue);

// The status of a failed socket call: `lost` when its errno means the connection is gone,
// `otherwise` for any other error.
LinkStatus statusOfSocketError(int errnoValue, LinkStatus otherwise);

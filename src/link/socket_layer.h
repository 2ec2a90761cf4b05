#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>

#include "link/connection_socket.h"
#include "link/link_status.h"

// The thin layer through which all network work passes. It shows nothing and logs nothing:
// every failure is a LinkStatus for the caller to word.

// How long a connection attempt may take before it counts as failed.
inline constexpr int32_t kConnectTimeoutMilliseconds = 10000;

// The socket library check at application launch. A Windows build starts Windows Sockets
// 1.1 here; POSIX sockets need no start, so this cannot fail.
bool so_startup();

// Start of the socket library at each Start: 0 started, 1 the library fails to start, 2 it
// lacks version 2.2. POSIX sockets need no start, so this is always 0.
int so_init();

// Release of the socket library after so_init (Start failures, Exit). Nothing to release on
// POSIX; the place stays for a Windows build.
void so_release();

// The IPv4 address of `host` in network byte order. A host of digits and dots that holds
// four numbers is taken as a dotted address (numbers above 255: 14; text after the fourth
// number is ignored); any other host is resolved, and with no host at all the local
// computer's name is. 0, 7 (no such name), 8 (no local name), 14.
LinkStatus getipaddress(const char* host, uint32_t& address);

// Opens the TCP connection and stores it in `*socket`. 14 address 0, 15 port outside
// 1..65535 (both before any socket exists), 20 no place to store the socket, 28 no socket,
// 3 the attempt failed or took longer than `timeoutMilliseconds`.
LinkStatus connect2server(uint32_t address, int32_t port, std::shared_ptr<ConnectionSocket>* socket,
                          int32_t timeoutMilliseconds = kConnectTimeoutMilliseconds);

// Sends the 12-byte registration frame with one send. 0, 4, 25, 26.
LinkStatus socket_sendRegistration(ConnectionSocket* socket);

// The result of the registration's one send, given what send() returned and errno: 0 all 12
// bytes, 26 fewer, 4 a connection-lost error, 25 any other error.
LinkStatus registrationSendResult(ssize_t sent, int errnoValue);

// Waits up to `seconds` for something to read. 0, 4, 11, 20 (no socket), 23, 28.
LinkStatus socket_waitReadable(ConnectionSocket* socket, int32_t seconds);

// Takes one frame off the connection into `body` (kBodyBufferSize bytes) as zero-terminated
// text, waiting up to `seconds` before each receive (0 or less: no waiting). 20 no socket,
// 18 no buffer, then as FrameAssembler::read; 4 once the window has closed the socket.
LinkStatus socket_readMsg(ConnectionSocket* socket, char* body, int32_t seconds);

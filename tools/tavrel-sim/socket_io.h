#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>

// Blocking socket work that gives way to a stop request within a fraction of a second.
enum class IoResult { Done, Stopped, PeerGone, TimedOut };

// Sends all `size` bytes.
IoResult sendAll(int socket, const unsigned char* data, std::size_t size,
                 const std::atomic<bool>& stop);

// Receives exactly `size` bytes within `timeout`.
IoResult receiveExact(int socket, unsigned char* data, std::size_t size,
                      std::chrono::milliseconds timeout, const std::atomic<bool>& stop);

// Waits for `duration`; false when a stop was requested meanwhile.
bool pauseFor(std::chrono::microseconds duration, const std::atomic<bool>& stop);
bool pauseUntil(std::chrono::steady_clock::time_point when, const std::atomic<bool>& stop);

// Waits until the peer closes the connection, throwing away anything it sends.
IoResult waitForPeerToLeave(int socket, const std::atomic<bool>& stop);

// Waits for a connection on a listening socket; the connected socket, or -1.
int acceptConnection(int listener, const std::atomic<bool>& stop);

#pragma once

#include <cstddef>
#include <cstdint>

#include "link/link_status.h"

// Waiting and receiving on a raw connected descriptor, with the link's status codes.

// Waits at most `seconds` (0 or less: only looks) until the descriptor has something to
// read, an end of stream included. 0 readable, 23 time-out, 11 the wait itself failed, 4 a
// connection-lost error, 28 an error flagged on the socket that is no connection loss.
LinkStatus waitForReadable(int descriptor, int32_t seconds);

// One receive of up to `capacity` (> 0) bytes; blocks when nothing is there yet. 0 with
// `received` set, 27 when the peer closed the connection, 4 or 28 on an error.
LinkStatus receiveSome(int descriptor, void* into, std::size_t capacity, std::size_t& received);

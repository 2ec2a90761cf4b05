#include "link/descriptor_io.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::clamp<int64_t>(left.count(), 0, INT_MAX));
}

int pendingSocketError(int descriptor) {
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
    return error;
}

}  // namespace

LinkStatus waitForReadable(int descriptor, int32_t seconds) {
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(std::max(seconds, 0));
    pollfd watched{descriptor, POLLIN | POLLPRI, 0};
    for (;;) {
        int flagged = poll(&watched, 1, millisecondsLeft(deadline));
        if (flagged > 0) break;
        if (flagged == 0) return kLinkReadTimeout;
        if (errno != EINTR) return statusOfSocketError(errno, kLinkWaitFailed);
    }
    // A closed or reset connection also counts as readable: the receive then tells which.
    if (watched.revents & (POLLIN | POLLPRI | POLLHUP)) return kLinkOk;
    if (watched.revents & POLLNVAL) return statusOfSocketError(EBADF, kLinkSocketError);
    return statusOfSocketError(pendingSocketError(descriptor), kLinkSocketError);
}

LinkStatus receiveSome(int descriptor, void* into, std::size_t capacity, std::size_t& received) {
    for (;;) {
        ssize_t count = recv(descriptor, into, capacity, 0);
        if (count > 0) {
            received = static_cast<std::size_t>(count);
            return kLinkOk;
        }
        if (count == 0) return kLinkDisconnected;
        if (errno != EINTR) return statusOfSocketError(errno, kLinkSocketError);
    }
}

#include "tavrel-sim/socket_io.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks at the stop request.
constexpr std::chrono::milliseconds kStopCheck{50};

// Polls for `events` in slices; Done when they came, TimedOut when `deadline` passed first.
IoResult waitFor(int socket, short events, Clock::time_point deadline,
                 const std::atomic<bool>& stop) {
    while (!stop.load()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return IoResult::TimedOut;
        pollfd entry{socket, events, 0};
        int ready = ::poll(&entry, 1, static_cast<int>(std::min(left, kStopCheck).count()));
        if (ready < 0 && errno != EINTR) return IoResult::PeerGone;
        if (ready > 0) return IoResult::Done;
    }
    return IoResult::Stopped;
}

constexpr Clock::time_point kNever = Clock::time_point::max();

bool worthRetrying() {
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

// Moves `size` bytes, a non-blocking `step` at a time (a send or a receive that is given how
// much is done and returns what it moved), whenever the socket is ready for it.
template <typename Step>
IoResult transferAll(int socket, short events, Clock::time_point deadline, std::size_t size,
                     const std::atomic<bool>& stop, Step step) {
    std::size_t done = 0;
    while (done < size) {
        IoResult ready = waitFor(socket, events, deadline, stop);
        if (ready != IoResult::Done) return ready;
        ssize_t moved = step(done);
        if (moved == 0) return IoResult::PeerGone;
        if (moved < 0) {
            if (worthRetrying()) continue;
            return IoResult::PeerGone;
        }
        done += static_cast<std::size_t>(moved);
    }
    return IoResult::Done;
}

}  // namespace

IoResult sendAll(int socket, const unsigned char* data, std::size_t size,
                 const std::atomic<bool>& stop) {
    return transferAll(socket, POLLOUT, kNever, size, stop, [&](std::size_t done) {
        return ::send(socket, data + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
    });
}

IoResult receiveExact(int socket, unsigned char* data, std::size_t size,
                      std::chrono::milliseconds timeout, const std::atomic<bool>& stop) {
    return transferAll(socket, POLLIN, Clock::now() + timeout, size, stop, [&](std::size_t done) {
        return ::recv(socket, data + done, size - done, MSG_DONTWAIT);
    });
}

bool pauseUntil(Clock::time_point when, const std::atomic<bool>& stop) {
    while (!stop.load()) {
        Clock::time_point now = Clock::now();
        if (now >= when) return true;
        std::this_thread::sleep_for(std::min<Clock::duration>(when - now, kStopCheck));
    }
    return false;
}

bool pauseFor(std::chrono::microseconds duration, const std::atomic<bool>& stop) {
    return pauseUntil(Clock::now() + duration, stop);
}

IoResult waitForPeerToLeave(int socket, const std::atomic<bool>& stop) {
    unsigned char ignored[256];
    for (;;) {
        IoResult ready = waitFor(socket, POLLIN, kNever, stop);
        if (ready != IoResult::Done) return ready;
        ssize_t received = ::recv(socket, ignored, sizeof ignored, MSG_DONTWAIT);
        if (received == 0) return IoResult::PeerGone;
        if (received < 0 && !worthRetrying()) return IoResult::PeerGone;
    }
}

int acceptConnection(int listener, const std::atomic<bool>& stop) {
    while (waitFor(listener, POLLIN, kNever, stop) == IoResult::Done) {
        int connection = ::accept(listener, nullptr, nullptr);
        if (connection >= 0) return connection;
        if (errno != EINTR && errno != ECONNABORTED && errno != EAGAIN) return -1;
    }
    return -1;
}

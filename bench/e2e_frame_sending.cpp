#include "e2e_frame_sending.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <thread>

#include "e2e_figures.h"

namespace {

// Sends frames [from, to) in one go, all stamped with the moment the send began.
bool sendRange(int descriptor, const FrameStream& stream, std::size_t from, std::size_t to,
               SendTimes& times) {
    const std::size_t begin = from == 0 ? 0 : stream.ends[from - 1];
    const int64_t now = monotonicNanos();
    for (std::size_t frame = from; frame < to; ++frame) times[frame] = now;
    return sendAll(descriptor, stream.bytes.data() + begin, stream.ends[to - 1] - begin);
}

}  // namespace

bool sendAll(int descriptor, const unsigned char* bytes, std::size_t size) {
    std::size_t sent = 0;
    while (sent < size) {
        const ssize_t done = send(descriptor, bytes + sent, size - sent, MSG_NOSIGNAL);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        sent += static_cast<std::size_t>(done);
    }
    return true;
}

bool sendPaced(int descriptor, const FrameStream& stream, const SendPace& pace, SendTimes& times) {
    const std::size_t frames = stream.ends.size();
    if (frames == 0) return true;
    const std::size_t burst = std::min(pace.burst, frames);
    if (pace.perSecond <= 0) return sendRange(descriptor, stream, 0, frames, times);
    if (burst > 0 && !sendRange(descriptor, stream, 0, burst, times)) return false;
    std::this_thread::sleep_for(pace.pause);
    const int64_t start = monotonicNanos();
    const double nanosPerFrame = 1e9 / pace.perSecond;
    std::size_t sent = burst;
    while (sent < frames) {
        const double elapsed = static_cast<double>(monotonicNanos() - start);
        const auto dueNow = static_cast<std::size_t>(std::floor(elapsed / nanosPerFrame)) + 1;
        const std::size_t due = std::min(frames, burst + dueNow);
        if (due > sent) {
            if (!sendRange(descriptor, stream, sent, due, times)) return false;
            sent = due;
            continue;
        }
        const auto nextDue =
            static_cast<int64_t>(static_cast<double>(sent - burst) * nanosPerFrame);
        std::this_thread::sleep_for(std::chrono::nanoseconds(start + nextDue - monotonicNanos()));
    }
    return true;
}

#include "e2e_board_run.h"

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

#include "app/grid/msflexgrid1.h"
#include "e2e_figures.h"

namespace {

double cpuOfThisThread() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double cpuOfProcess() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

BoardRun::BoardRun(const std::vector<AgentMessage>& messages, const SendPace& pace)
    : frames_(framesOf(messages)),
      pace_(pace),
      sendTimes_(messages.size()),
      listening_(sender_.listen()),
      board_(sender_.port()) {}

bool BoardRun::run() {
    if (!listening_) {
        std::fprintf(stderr, "no loopback port to listen on\n");
        return false;
    }
    board_.grid().viewport()->installEventFilter(&paints_);
    sender_.start([this](int descriptor) {
        const bool sent = sendPaced(descriptor, frames_, pace_, sendTimes_);
        lastSent_ = monotonicNanos();
        return sent;
    });
    // The registration reply comes first, then the messages.
    HandOverWatch watch(board_.dialog(), 1 + static_cast<int64_t>(frames_.ends.size()),
                        [this] { finish(); });
    windowCpu_ = cpuOfThisThread();
    processCpu_ = cpuOfProcess();
    if (!board_.showAndStart()) {
        std::fprintf(stderr, "the window was never shown\n");
        return false;
    }
    loop_.exec();
    if (watch.linkReports() > 0) {
        std::fprintf(stderr, "the link failed after %lld of %zu messages\n",
                     static_cast<long long>(watch.bodies() - 1), frames_.ends.size());
        return false;
    }
    return true;
}

void BoardRun::finish() {
    handled_ = monotonicNanos();
    windowCpu_ = cpuOfThisThread() - windowCpu_;
    processCpu_ = cpuOfProcess() - processCpu_;
    loop_.quit();
}

double BoardRun::seconds() const {
    return static_cast<double>(handled_ - firstSent()) * 1e-9;
}

double BoardRun::sendingSeconds() const {
    return static_cast<double>(lastSent_.load() - firstSent()) * 1e-9;
}

#include "e2e_child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "e2e_figures.h"

extern char** environ;

namespace {

constexpr auto kTermGrace = std::chrono::milliseconds(3000);
constexpr auto kReapPoll = std::chrono::milliseconds(10);

std::string nameOf(const std::string& assignment) {
    return assignment.substr(0, assignment.find('='));
}

// This process's environment with `extra` added; an extra variable replaces one of the same
// name.
std::vector<std::string> environmentWith(const std::vector<std::string>& extra) {
    std::vector<std::string> result = extra;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string assignment = *entry;
        bool replaced = false;
        for (const std::string& added : extra) replaced |= nameOf(added) == nameOf(assignment);
        if (!replaced) result.push_back(assignment);
    }
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// In the forked child: only calls that are safe between fork and exec.
[[noreturn]] void becomeChild(pid_t parent, int outputPipe, const char* workDir,
                              const char* errorFile, char* const* argv, char* const* envp) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);  // the parent went before the line above took hold
    const int error = open(errorFile, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (dup2(outputPipe, STDOUT_FILENO) < 0 || error < 0 || dup2(error, STDERR_FILENO) < 0 ||
        chdir(workDir) != 0) {
        _exit(127);
    }
    execve(argv[0], argv, envp);
    _exit(127);
}

}  // namespace

ChildProcess::~ChildProcess() {
    stop();
}

bool ChildProcess::start(const Launch& launch) {
    std::vector<std::string> argumentTexts = {launch.program};
    argumentTexts.insert(argumentTexts.end(), launch.arguments.begin(), launch.arguments.end());
    std::vector<std::string> environmentTexts = environmentWith(launch.environment);
    const std::vector<char*> argv = pointersTo(argumentTexts);
    const std::vector<char*> envp = pointersTo(environmentTexts);
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
    const pid_t parent = getpid();
    startedAt_ = monotonicNanos();
    pid_ = fork();
    if (pid_ == 0) {
        becomeChild(parent, pipeEnds[1], launch.workDir.c_str(), launch.errorFile.c_str(),
                    argv.data(), envp.data());
    }
    close(pipeEnds[1]);
    if (pid_ < 0) {
        close(pipeEnds[0]);
        return false;
    }
    output_ = pipeEnds[0];
    return true;
}

bool ChildProcess::readLine(std::string& line, std::chrono::milliseconds wait) {
    const int64_t deadline = monotonicNanos() + wait.count() * 1'000'000;
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return true;
        }
        const int64_t left = (deadline - monotonicNanos()) / 1'000'000;
        pollfd wanted{output_, POLLIN, 0};
        if (output_ < 0 || left <= 0 || poll(&wanted, 1, static_cast<int>(left)) != 1) {
            return false;
        }
        char buffer[512];
        const ssize_t got = read(output_, buffer, sizeof buffer);
        if (got <= 0) return false;
        pending_.append(buffer, static_cast<std::size_t>(got));
    }
}

bool ChildProcess::running() {
    if (pid_ < 0) return false;
    return !waitForEnd(std::chrono::milliseconds(0));
}

int ChildProcess::stop(std::chrono::milliseconds grace) {
    if (pid_ >= 0 && !waitForEnd(grace)) {
        kill(pid_, SIGTERM);
        if (!waitForEnd(kTermGrace)) {
            kill(pid_, SIGKILL);
            waitForEnd(std::chrono::hours(1));
        }
    }
    if (output_ >= 0) close(output_);
    output_ = -1;
    return status_;
}

// Reaps the child if it ends within `wait`; true once it has been reaped.
bool ChildProcess::waitForEnd(std::chrono::milliseconds wait) {
    const int64_t deadline = monotonicNanos() + wait.count() * 1'000'000;
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(pid_, &status, WNOHANG);
        if (ended == pid_ || ended < 0) {
            status_ = ended == pid_ ? status : -1;
            pid_ = -1;
            return true;
        }
        if (monotonicNanos() >= deadline) return false;
        std::this_thread::sleep_for(kReapPoll);
    }
}

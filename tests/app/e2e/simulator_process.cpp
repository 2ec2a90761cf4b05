#include "simulator_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace {

constexpr int kListeningWaitMs = 10000;
constexpr std::string_view kListeningPrefix = "listening 127.0.0.1:";

}  // namespace

SimulatorProcess::~SimulatorProcess() {
    kill();
}

bool SimulatorProcess::start(const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {TAVREL_SIM_PATH, "--port", "0"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
    pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        // A test process that dies without its destructors (a sanitizer's halt, a crash)
        // takes the child with it. Only calls that are safe after fork until the exec.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(127);
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    output_ = pipeEnds[0];
    if (pid_ < 0) return false;
    std::string line = readListeningLine();
    if (line.starts_with(kListeningPrefix)) {
        port_ = std::atoi(line.c_str() + kListeningPrefix.size());
    }
    if (port_ > 0) return true;
    kill();
    return false;
}

std::string SimulatorProcess::readListeningLine() {
    std::string line;
    char c = 0;
    pollfd entry{output_, POLLIN, 0};
    while (::poll(&entry, 1, kListeningWaitMs) > 0 && ::read(output_, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

void SimulatorProcess::kill() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    if (output_ >= 0) {
        ::close(output_);
        output_ = -1;
    }
}

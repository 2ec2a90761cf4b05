#include "simulator_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

extern char** environ;

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
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    output_ = pipeEnds[0];
    if (spawned != 0) {
        pid_ = -1;
        return false;
    }
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

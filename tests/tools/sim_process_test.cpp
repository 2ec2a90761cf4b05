#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "loopback_client.h"
#include "support/temp_work_dir.h"

extern char** environ;

namespace {

// The simulator as a child process with its standard output on a pipe; the child is
// killed by its process id if the test leaves it running.
class SimProcess : public ::testing::Test {
  protected:
    void TearDown() override {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0) ::close(output_);
    }

    void start(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), TAVREL_SIM_PATH);
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        int pipeEnds[2];
        ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeEnds[1]);
        output_ = pipeEnds[0];
        ASSERT_EQ(spawned, 0);
    }

    // The first line of standard output, or what came before the child closed it.
    std::string firstLine() {
        std::string line;
        char c;
        pollfd entry{output_, POLLIN, 0};
        while (::poll(&entry, 1, 10000) > 0 && ::read(output_, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    // Waits for the child to end; its exit status, or -1 when it does not end in time.
    int exitStatus(std::chrono::seconds wait = std::chrono::seconds(10)) {
        auto deadline = std::chrono::steady_clock::now() + wait;
        int status = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }

    pid_t pid_ = -1;
    int output_ = -1;
};

}  // namespace

TEST_F(SimProcess, PrintsItsPortServesAndStopsCleanlyOnSigterm) {
    TempWorkDir dir;
    std::string finalState = (dir.path() / "final.txt").string();
    start({"--port", "0", "--agents", "8", "--rate", "max", "--count", "40", "--at-end", "idle",
           "--final-state", finalState});
    std::string line = firstLine();
    ASSERT_EQ(line.rfind("listening 127.0.0.1:", 0), 0u) << line;
    int port = std::stoi(line.substr(line.find(':') + 1));
    ASSERT_GT(port, 0);

    LoopbackClient client(static_cast<uint16_t>(port));
    ASSERT_TRUE(client.sendRegistration());
    std::string body;
    ASSERT_TRUE(client.readFrame(body));
    EXPECT_EQ(body, "1003,ok");
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(client.readFrame(body));

    ASSERT_EQ(::kill(pid_, SIGTERM), 0);
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_TRUE(client.closesWithin(std::chrono::seconds(2)));
    std::string written = dir.read("final.txt");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 8);
}

TEST_F(SimProcess, RefusesToListenBeyondLoopback) {
    start({"--host", "10.1.2.3", "--port", "0"});
    EXPECT_EQ(firstLine(), "");
    EXPECT_EQ(exitStatus(), 2);
}

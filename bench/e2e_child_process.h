#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// A program the benchmark starts and always stops again: by its process id, with SIGTERM
// first and SIGKILL when it does not go, and reaped. Should the benchmark itself die first,
// the kernel sends the child SIGKILL, so no child outlives it.
class ChildProcess {
  public:
    struct Launch {
        std::string program;
        std::vector<std::string> arguments;
        std::vector<std::string> environment;  // "NAME=value", added to this process's own
        std::string workDir;
        std::string errorFile;  // the child's standard error goes here
    };

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the child with its standard output on a pipe; false when it could not start.
    bool start(const Launch& launch);
    pid_t pid() const { return pid_; }
    // monotonicNanos just before the child was forked.
    int64_t startedAt() const { return startedAt_; }

    // Reads one line of the child's standard output, without the line end; false when none
    // came within `wait` or the output ended.
    bool readLine(std::string& line, std::chrono::milliseconds wait);
    // true while the child has not ended.
    bool running();
    // Waits up to `grace` for the child to end by itself, then stops it. Returns its exit
    // status as waitpid gives it, or -1 when there was no child.
    int stop(std::chrono::milliseconds grace = std::chrono::milliseconds(0));

  private:
    bool waitForEnd(std::chrono::milliseconds wait);

    pid_t pid_ = -1;
    int output_ = -1;
    int status_ = -1;
    int64_t startedAt_ = 0;
    std::string pending_;  // output read past the last line handed out
};

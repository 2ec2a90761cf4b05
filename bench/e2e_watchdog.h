#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Ends the benchmark process when it runs past its time limit, for instance because a
// message box came up and waits for a click that never comes. Child processes are started
// so that they die with the benchmark (see ChildProcess), so nothing is left running.
class Watchdog {
  public:
    explicit Watchdog(std::chrono::seconds limit);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

  private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread thread_;
};

#include "e2e_watchdog.h"

#include <unistd.h>

#include <cstdio>

Watchdog::Watchdog(std::chrono::seconds limit)
    : thread_([this, limit] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (finished_.wait_for(lock, limit, [this] { return done_; })) return;
          std::fprintf(stderr, "benchmark ran past its limit of %lld s; ended\n",
                       static_cast<long long>(limit.count()));
          _exit(2);
      }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    finished_.notify_one();
    thread_.join();
}

#pragma once

#include <QObject>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

// Asks the window thread a question at a steady pace from another thread: a queued call,
// which waits in the same queue as the reader's hand-overs. The time until it runs is how
// long a click or a repaint would wait at that moment.
class ResponsivenessProbe {
  public:
    ResponsivenessProbe(QObject& window, std::chrono::milliseconds interval);
    ~ResponsivenessProbe();
    ResponsivenessProbe(const ResponsivenessProbe&) = delete;
    ResponsivenessProbe& operator=(const ResponsivenessProbe&) = delete;

    void stop();
    // Delays in milliseconds of the calls posted between the two moments (monotonicNanos)
    // that have run by now. Read on the window thread.
    std::vector<double> delaysMs(int64_t postedFrom, int64_t postedTo) const;

  private:
    struct Sample {
        int64_t posted;
        double delayMs;
    };

    // Shared with the queued calls, which may run after the probe has gone.
    std::shared_ptr<std::vector<Sample>> samples_ = std::make_shared<std::vector<Sample>>();
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

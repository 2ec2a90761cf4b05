#include "e2e_responsiveness_probe.h"

#include <QMetaObject>

#include "e2e_figures.h"

ResponsivenessProbe::ResponsivenessProbe(QObject& window, std::chrono::milliseconds interval)
    : thread_([this, &window, interval] {
          while (!stopping_.load()) {
              const int64_t posted = monotonicNanos();
              std::shared_ptr<std::vector<Sample>> samples = samples_;
              QMetaObject::invokeMethod(
                  &window,
                  [samples, posted] {
                      const double delay = static_cast<double>(monotonicNanos() - posted) * 1e-6;
                      samples->push_back({posted, delay});
                  },
                  Qt::QueuedConnection);
              std::this_thread::sleep_for(interval);
          }
      }) {}

ResponsivenessProbe::~ResponsivenessProbe() {
    stop();
}

void ResponsivenessProbe::stop() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
}

std::vector<double> ResponsivenessProbe::delaysMs(int64_t postedFrom, int64_t postedTo) const {
    std::vector<double> delays;
    for (const Sample& sample : *samples_) {
        if (sample.posted >= postedFrom && sample.posted <= postedTo) {
            delays.push_back(sample.delayMs);
        }
    }
    return delays;
}

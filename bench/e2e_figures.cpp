#include "e2e_figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kLabelWidth = 52;

}  // namespace

int64_t monotonicNanos() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

double percentile(std::vector<double> samples, double share) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const double position = std::ceil(share * static_cast<double>(samples.size()));
    const std::size_t index = position < 1 ? 0 : static_cast<std::size_t>(position) - 1;
    return samples[std::min(index, samples.size() - 1)];
}

void printFigure(const char* label, double value, const char* unit, Aim aim, double aimValue) {
    const bool met = aim == Aim::Below ? value < aimValue : value >= aimValue;
    std::printf("%-*s %12.3f %-8s (aim %s %g %s: %s)\n", kLabelWidth, label, value, unit,
                aim == Aim::Below ? "<" : ">=", aimValue, unit, met ? "met" : "MISSED");
    std::fflush(stdout);
}

void printInfo(const char* label, double value, const char* unit) {
    std::printf("%-*s %12.3f %s\n", kLabelWidth, label, value, unit);
    std::fflush(stdout);
}

#include "settings/clock.h"

#include <ctime>

int64_t SystemClock::nowSeconds() const {
    return static_cast<int64_t>(std::time(nullptr));
}

LocalDateTime SystemClock::localNow() const {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    // A time the C library cannot break down (it cannot happen for the current time) leaves
    // every field 0 rather than reading an unset record.
    if (localtime_r(&now, &parts) == nullptr) return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

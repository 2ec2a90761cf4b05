#pragma once

#include <cstdint>

struct LocalDateTime {
    int year = 0;   // four digits
    int month = 0;  // 1..12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The system clock behind an interface, so that tests choose the time.
class Clock {
  public:
    virtual ~Clock() = default;
    // Whole seconds since 1970-01-01 00:00:00 UTC.
    virtual int64_t nowSeconds() const = 0;
    // The current local date and time.
    virtual LocalDateTime localNow() const = 0;
};

class SystemClock final : public Clock {
  public:
    int64_t nowSeconds() const override;
    LocalDateTime localNow() const override;
};

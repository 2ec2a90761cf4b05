#pragma once

#include "settings/clock.h"

// A clock the test sets; local time is taken as the given fields.
class FakeClock final : public Clock {
  public:
    int64_t now = 1700000000;
    LocalDateTime local{2024, 3, 5, 14, 7, 9};

    int64_t nowSeconds() const override { return now; }
    LocalDateTime localNow() const override { return local; }
};

#include "settings/clock.h"

#include <gtest/gtest.h>

#include <ctime>

// The local fields must be those of the C library for the same second: a month counted from
// 0 or a year counted from 1900 would name every debug log wrongly.
TEST(SystemClock, LocalFieldsMatchTheCurrentSecond) {
    const SystemClock clock;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::time_t before = static_cast<std::time_t>(clock.nowSeconds());
        const LocalDateTime local = clock.localNow();
        if (static_cast<std::time_t>(clock.nowSeconds()) != before) continue;  // a second passed
        std::tm expected{};
        ASSERT_NE(localtime_r(&before, &expected), nullptr);
        EXPECT_EQ(local.year, expected.tm_year + 1900);
        EXPECT_EQ(local.month, expected.tm_mon + 1);
        EXPECT_EQ(local.day, expected.tm_mday);
        EXPECT_EQ(local.hour, expected.tm_hour);
        EXPECT_EQ(local.minute, expected.tm_min);
        EXPECT_EQ(local.second, expected.tm_sec);
        return;
    }
    FAIL() << "the clock never stood still for one reading";
}

TEST(SystemClock, SecondsFollowTheSystemTime) {
    const SystemClock clock;
    const int64_t before = static_cast<int64_t>(std::time(nullptr));
    const int64_t now = clock.nowSeconds();
    EXPECT_GE(now, before);
    EXPECT_LE(now, static_cast<int64_t>(std::time(nullptr)));
}

#include "settings/debug_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/fake_clock.h"
#include "support/temp_work_dir.h"

namespace {

struct DateCase {
    LocalDateTime date;
    const char* name;
};

}  // namespace

TEST(DebugLog, FileNameCarriesTheTwoDigitYearMonthAndDay) {
    const DateCase cases[] = {
        {{2024, 3, 5, 14, 7, 9}, "BrevixLog-20240305.debug"},
        {{2009, 12, 31, 23, 59, 59}, "BrevixLog-20091231.debug"},
        {{2030, 1, 1, 0, 0, 0}, "BrevixLog-20300101.debug"},
    };
    for (const DateCase& c : cases) {
        char name[32];
        DebugLog::fileName(c.date, name);
        EXPECT_STREQ(name, c.name);
    }
}

TEST(DebugLog, WritesTimeStampBlankTextAndLineEnd) {
    TempWorkDir dir;
    FakeClock clock;
    const DebugLog log(clock);

    EXPECT_EQ(log.writeDebugLog("text"), 1);

    EXPECT_EQ(dir.read("BrevixLog-20240305.debug"), "2024-03-05 14:07:09 text\n");
}

TEST(DebugLog, AppendsAcrossCallsAndRunsAndStartsANewFileEachDay) {
    TempWorkDir dir;
    dir.write("BrevixLog-20240305.debug", "2024-03-05 08:00:00 earlier run\n");
    FakeClock clock;
    const DebugLog log(clock);

    log.writeDebugLog("first");
    clock.local = {2024, 3, 5, 14, 7, 10};
    log.writeDebugLog("1008|two\nlines");  // written unaltered
    clock.local = {2024, 3, 6, 0, 0, 1};
    log.writeDebugLog("next day");

    EXPECT_EQ(dir.read("BrevixLog-20240305.debug"),
              "2024-03-05 08:00:00 earlier run\n"
              "2024-03-05 14:07:09 first\n"
              "2024-03-05 14:07:10 1008|two\nlines\n");
    EXPECT_EQ(dir.read("BrevixLog-20240306.debug"), "2024-03-06 00:00:01 next day\n");
}

// A working directory that no longer exists cannot be written, whoever runs the test.
TEST(DebugLog, DirectoryThatCannotBeWrittenGivesZeroSilently) {
    TempWorkDir dir;
    std::filesystem::remove(dir.path());
    FakeClock clock;

    EXPECT_EQ(DebugLog(clock).writeDebugLog("lost"), 0);
    EXPECT_FALSE(dir.exists("BrevixLog-20240305.debug"));
}

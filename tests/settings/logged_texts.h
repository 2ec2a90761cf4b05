#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/temp_work_dir.h"

// The texts in the debug log of FakeClock's default day, each line's time stamp checked and
// taken off.
inline std::vector<std::string> loggedTexts(const TempWorkDir& dir) {
    const std::string stamp = "2024-03-05 14:07:09 ";
    std::vector<std::string> texts;
    std::istringstream log(dir.read("BrevixLog-20240305.debug"));
    for (std::string line; std::getline(log, line);) {
        EXPECT_EQ(line.compare(0, stamp.size(), stamp), 0) << line;
        texts.push_back(line.size() < stamp.size() ? line : line.substr(stamp.size()));
    }
    return texts;
}

#include "settings/config_lines.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/temp_work_dir.h"

namespace {

// Every line the reader hands out for a file of the given bytes.
std::vector<std::string> linesOf(const std::string& content) {
    TempWorkDir dir;
    dir.write("lines.txt", content);
    std::FILE* file = std::fopen("lines.txt", "r");
    EXPECT_NE(file, nullptr);
    std::vector<std::string> lines;
    if (file == nullptr) return lines;
    ConfigLineReader reader(file);
    while (const char* line = reader.next()) lines.emplace_back(line);
    std::fclose(file);
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(ConfigLineReader, SkipsCommentsAndEmptyLinesAndTrimsOnlyTheEnd) {
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("# comment\n\n   \n\t\v\f\r\n#x=1"), Lines{});
    EXPECT_EQ(linesOf("a=1 \t\v\f\r\nb=2\r\n  c=3\nd=4"), (Lines{"a=1", "b=2", "  c=3", "d=4"}));
    // A '#' after blanks is no comment; inner white space stays.
    EXPECT_EQ(linesOf("  #x\na \t b\n"), (Lines{"  #x", "a \t b"}));
}

TEST(ConfigLineReader, KeepsControlBytesAndBytesAbove127) {
    EXPECT_EQ(linesOf("\x01k=\xe9\xff\n\x7f\xa0\n"), (Lines{"\x01k=\xe9\xff", "\x7f\xa0"}));
    // Everything after a zero byte is out of sight.
    EXPECT_EQ(linesOf(std::string("ab\0cd\nef\n", 9)), (Lines{"ab", "ef"}));
}

TEST(ConfigLineReader, ReadsALongLineIn509CharacterPieces) {
    const std::string piece(509, 'x');
    EXPECT_EQ(linesOf(piece + "\nnext\n"), (Lines{piece, "next"}));
    EXPECT_EQ(linesOf(piece + "yz\n"), (Lines{piece, "yz"}));
    EXPECT_EQ(linesOf(piece + piece + "\n"), (Lines{piece, piece}));
    // Each piece is trimmed at its end like any line, and keeps its leading blanks.
    EXPECT_EQ(linesOf(std::string(500, 'a') + std::string(20, ' ') + "b\n"),
              (Lines{std::string(500, 'a'), std::string(11, ' ') + "b"}));
}

TEST(AllFitInt32, AcceptsExactlyThe32BitRange) {
    const long long inside[] = {INT_MIN, -1, 0, INT_MAX};
    EXPECT_TRUE(allFitInt32(inside, 4));
    const long long above[] = {0, static_cast<long long>(INT_MAX) + 1};
    EXPECT_FALSE(allFitInt32(above, 2));
    const long long below[] = {static_cast<long long>(INT_MIN) - 1};
    EXPECT_FALSE(allFitInt32(below, 1));
}

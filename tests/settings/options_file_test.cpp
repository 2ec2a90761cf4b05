#include "settings/options_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/logged_texts.h"
#include "support/fake_clock.h"
#include "support/temp_work_dir.h"

namespace {

using Texts = std::vector<std::string>;

class OptionsFile : public ::testing::Test {
  protected:
    TempWorkDir dir;
    FakeClock clock;
    DebugLog log{clock};
    BoardSettings settings;
    OptionTables tables;

    OptionsFile() { settings.debug = 1; }

    int read(const std::string& content) {
        dir.write("Brevix.ini", content);
        return readOptions(tables, settings, log);
    }
    bool logExists() const { return dir.exists("BrevixLog-20240305.debug"); }
    const char* auxTitle(int n) const {
        return tables.auxTitles.title[n - AuxTitleTable::kFirst].c_str();
    }
};

void expectDefaults(const OptionTables& tables) {
    OptionTables defaults;
    defaults.setDefaults();
    for (int i = 0; i < AgentColourTable::kSlots; ++i) {
        EXPECT_EQ(tables.agentColours.slot[i].fore, defaults.agentColours.slot[i].fore) << i;
        EXPECT_EQ(tables.agentColours.slot[i].back, defaults.agentColours.slot[i].back) << i;
        EXPECT_EQ(tables.thresholds.slot[i].count, 0) << i;
    }
    for (int i = 0; i < ExtColourTable::kSlots; ++i) {
        EXPECT_EQ(tables.extColours.slot[i].fore, defaults.extColours.slot[i].fore) << i;
        EXPECT_EQ(tables.extColours.slot[i].back, defaults.extColours.slot[i].back) << i;
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(tables.auxTitles.title[i].c_str(), defaults.auxTitles.title[i].c_str());
    }
}

}  // namespace

TEST(OptionTables, DefaultsAreTheBuiltInTables) {
    OptionTables tables;
    tables.agentColours.slot[3] = {1, 2};
    tables.thresholds.slot[1].count = 2;
    tables.auxTitles.title[0].assign("Lunch");
    tables.setDefaults();

    const uint32_t agent[16][2] = {
        {0x000000, 0xFFFFFF}, {0x000000, 0x00FF00}, {0xFFFFFF, 0x0000FF}, {0x000000, 0xFFFF00},
        {0xFFFFFF, 0xFF0000}, {0x000000, 0x0080FF}, {0x000000, 0xFF00FF}, {0xFFFFFF, 0x800080},
        {0xFFFFFF, 0x800080}, {0xFFFFFF, 0x800080}, {0xFFFFFF, 0x800080}, {0xFFFFFF, 0x800080},
        {0xFFFFFF, 0x800080}, {0x000000, 0x00FFFF}, {0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000}};
    const uint32_t ext[10][2] = {{0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF}, {0x000000, 0xFFFFFF},
                                 {0x000000, 0x00FF00}, {0x000000, 0x800080}, {0x000000, 0x0033FF},
                                 {0xFFFFFF, 0x000080}, {0x000000, 0xFFFF00}, {0x000000, 0x00FFFF},
                                 {0x000000, 0xC0C0C0}};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(tables.agentColours.slot[i].fore, agent[i][0]) << "agent slot " << i;
        EXPECT_EQ(tables.agentColours.slot[i].back, agent[i][1]) << "agent slot " << i;
        EXPECT_EQ(tables.thresholds.slot[i].count, 0) << "threshold slot " << i;
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(tables.extColours.slot[i].fore, ext[i][0]) << "ext slot " << i;
        EXPECT_EQ(tables.extColours.slot[i].back, ext[i][1]) << "ext slot " << i;
    }
    const char* titles[] = {"AUX6", "AUX7", "AUX8", "AUX9", "AUX10", "AUX11"};
    for (int i = 0; i < 6; ++i) EXPECT_STREQ(tables.auxTitles.title[i].c_str(), titles[i]);
}

TEST_F(OptionsFile, MissingFileGivesZeroAndDefaultsAndLogsNothing) {
    tables.agentColours.slot[1] = {7, 7};  // left over from before: must be reset
    EXPECT_EQ(readOptions(tables, settings, log), 0);
    expectDefaults(tables);
    EXPECT_FALSE(logExists());
}

TEST_F(OptionsFile, EmptyAndCommentOnlyFilesGiveOneAndDefaults) {
    for (const char* content : {"", "# colours\n\n   \n\t\r\n#agentcolor=1:1,2,3|4,5,6;\n"}) {
        EXPECT_EQ(read(content), 1);
        expectDefaults(tables);
    }
    EXPECT_FALSE(logExists());
}

TEST_F(OptionsFile, AppliesEachFormSilently) {
    EXPECT_EQ(read("AUX6=Lunch\n"
                   "extcolor=9:1,2,3|4,5,6;\n"
                   "agentcolor=15:10,20,30|40,50,60;\n"
                   "timethreshold=1:0,60,0,0,0|0,255,0;\n"),
              1);
    EXPECT_STREQ(auxTitle(6), "Lunch");
    EXPECT_EQ(tables.extColours.slot[9].fore, 0x030201u);
    EXPECT_EQ(tables.extColours.slot[9].back, 0x060504u);
    EXPECT_EQ(tables.agentColours.slot[15].fore, 0x1E140Au);
    EXPECT_EQ(tables.agentColours.slot[15].back, 0x3C3228u);
    const ThresholdTable::Slot& ready = tables.thresholds.slot[1];
    ASSERT_EQ(ready.count, 1);
    EXPECT_EQ(ready.bands[0].from, 0);
    EXPECT_EQ(ready.bands[0].to, 60);
    EXPECT_EQ(ready.bands[0].colours.fore, 0x000000u);
    EXPECT_EQ(ready.bands[0].colours.back, 0x00FF00u);
    EXPECT_EQ(loggedTexts(dir),
              Texts{"**DEB added->timethreshold[1] cnt[1] 0,60 (00000000)/(0000FF00)"});
}

TEST_F(OptionsFile, AuxTitlesEndAtSemicolonOrLineEndAndKeepLeadingBlanks) {
    read(
        "AUX6=Lunch;more text\n"
        "AUX7=  Break\r\n"
        "AUX8=Training\r\n"
        "AUX9=a\tb\n"
        "AUX10=caf\xe9\x01\n"
        "AUX11=123456789012345\n");
    EXPECT_STREQ(auxTitle(6), "Lunch");
    EXPECT_STREQ(auxTitle(7), "  Break");
    EXPECT_STREQ(auxTitle(8), "Training");
    EXPECT_STREQ(auxTitle(9), "a\tb");
    EXPECT_STREQ(auxTitle(10), "caf\xe9\x01");
    EXPECT_STREQ(auxTitle(11), "123456789012345");  // exactly 15: kept whole, still reported
    EXPECT_EQ(loggedTexts(dir),
              Texts{"WRN validStringOptionSize(**WRN AUX11)->sz(15) of (123456789012345) is >= "
                    "maxlen(15); truncated"});
}

TEST_F(OptionsFile, RejectedLinesAreLoggedVerbatimAndChangeNothing) {
    struct Case {
        const char* line;
        const char* logged;
    };
    const Case cases[] = {
        {"bogus=1", "**WRN: unknown option line [bogus=1] discarded"},
        {"AUX6=", "**WRN: unknown option line [AUX6=] discarded"},
        {"AUX6=;Lunch", "**WRN: unknown option line [AUX6=;Lunch] discarded"},
        {"AUX5=Early", "readOptions()->AUX5 is invalid; ignored"},
        {"AUX12=Late", "readOptions()->AUX12 is invalid; ignored"},
        {"AUX4294967302=Wrapped", "**WRN: unknown option line [AUX4294967302=Wrapped] discarded"},
        {"extcolor=10:1,2,3|4,5,6;",
         "**WRN invalid excolor <state>=10; [extcolor=10:1,2,3|4,5,6;] discarded"},
        {"extcolor=-1:1,2,3|4,5,6;",
         "**WRN invalid excolor <state>=-1; [extcolor=-1:1,2,3|4,5,6;] discarded"},
        {"agentcolor=16:1,2,3|4,5,6;  ",
         "**WRN invalid agentcolor <state>=16; [agentcolor=16:1,2,3|4,5,6;] discarded"},
        {" agentcolor=1:1,2,3|4,5,6;",
         "**WRN: unknown option line [ agentcolor=1:1,2,3|4,5,6;] discarded"},
        {"AgentColor=1:1,2,3|4,5,6;",
         "**WRN: unknown option line [AgentColor=1:1,2,3|4,5,6;] discarded"},
        {"  #agentcolor=1:1,2,3|4,5,6;",
         "**WRN: unknown option line [  #agentcolor=1:1,2,3|4,5,6;] discarded"},
        {"agentcolor=1 :1,2,3|4,5,6;",
         "**WRN: unknown option line [agentcolor=1 :1,2,3|4,5,6;] discarded"},
        {"agentcolor=1:1,2,3|4,5;",
         "**WRN: unknown option line [agentcolor=1:1,2,3|4,5;] discarded"},
        {"agentcolor=4294967297:1,2,3|4,5,6;",
         "**WRN: unknown option line [agentcolor=4294967297:1,2,3|4,5,6;] discarded"},
        {"timethreshold=0:0,60,0,0,0|0,255,0;",
         "**WRN invalid timethreshold <state>=0; [timethreshold=0:0,60,0,0,0|0,255,0;] discarded"},
        {"timethreshold=16:0,60,0,0,0|0,255,0;",
         "**WRN invalid timethreshold <state>=16; [timethreshold=16:0,60,0,0,0|0,255,0;] "
         "discarded"},
        {"timethreshold=1:-5,60,0,0,0|0,255,0;",
         "**WRN invalid timethreshold->fromValue/toValue cannot be negative; "
         "[timethreshold=1:-5,60,0,0,0|0,255,0;] discarded"},
        {"timethreshold=1:0,-2,0,0,0|0,255,0;",
         "**WRN invalid timethreshold->fromValue/toValue cannot be negative; "
         "[timethreshold=1:0,-2,0,0,0|0,255,0;] discarded"},
        {"timethreshold=1:60,60,0,0,0|0,255,0;",
         "**WRN invalid timethreshold->fromValue must be below toValue; "
         "[timethreshold=1:60,60,0,0,0|0,255,0;] discarded"},
        {"timethreshold=1:4294967296,60,0,0,0|0,255,0;",
         "**WRN: unknown option line [timethreshold=1:4294967296,60,0,0,0|0,255,0;] discarded"},
        // The About box's help line puts a colon after the to-value.
        {"timethreshold=1:0,60:0,0,0|0,255,0;",
         "**WRN: unknown option line [timethreshold=1:0,60:0,0,0|0,255,0;] discarded"},
    };
    for (const Case& c : cases) {
        dir.write("BrevixLog-20240305.debug", "");
        EXPECT_EQ(read(std::string(c.line) + "\n"), 1);
        EXPECT_EQ(loggedTexts(dir), Texts{c.logged}) << c.line;
        expectDefaults(tables);
    }
}

TEST_F(OptionsFile, WithoutDebugRejectedLinesLeaveNoTrace) {
    settings.debug = 0;
    EXPECT_EQ(read("bogus\nAUX5=x\nAUX6=12345678901234567890\nextcolor=10:1,2,3|4,5,6;\n"
                   "timethreshold=1:0,60,0,0,0|0,255,0;\n"),
              1);
    EXPECT_STREQ(auxTitle(6), "123456789012345");
    EXPECT_EQ(tables.thresholds.slot[1].count, 1);
    EXPECT_FALSE(logExists());
}

TEST_F(OptionsFile, LongTitlesAreCutTo15AndReported) {
    read("AUX9=12345678901234567890\n");
    EXPECT_STREQ(auxTitle(9), "123456789012345");
    EXPECT_EQ(loggedTexts(dir),
              Texts{"WRN validStringOptionSize(**WRN AUX9)->sz(20) of (12345678901234567890) is "
                    ">= maxlen(15); truncated"});
}

TEST_F(OptionsFile, ColourLinesNeedOnlyTheirNumbersAndTakeLow8Bits) {
    read(
        "agentcolor=1:300,-1,256|0,0,0\n"
        "agentcolor=2: 1,+2, -3|4,5,6;trailing text\n"
        "extcolor=0:2147483647,0,0|-2147483648,0,0;\n");
    EXPECT_EQ(tables.agentColours.slot[1].fore, rgbColour(44, 255, 0));
    EXPECT_EQ(tables.agentColours.slot[2].fore, rgbColour(1, 2, 253));
    EXPECT_EQ(tables.agentColours.slot[2].back, rgbColour(4, 5, 6));
    EXPECT_EQ(tables.extColours.slot[0].fore, rgbColour(255, 0, 0));
    EXPECT_EQ(tables.extColours.slot[0].back, rgbColour(0, 0, 0));
    EXPECT_FALSE(logExists());
}

TEST_F(OptionsFile, TheLaterLineWins) {
    read(
        "agentcolor=3:1,1,1|1,1,1;\nagentcolor=3:2,2,2|2,2,2;\n"
        "extcolor=4:1,1,1|1,1,1;\nextcolor=4:3,3,3|3,3,3;\n"
        "AUX10=First\nAUX10=Second\n");
    EXPECT_EQ(tables.agentColours.slot[3].back, rgbColour(2, 2, 2));
    EXPECT_EQ(tables.extColours.slot[4].back, rgbColour(3, 3, 3));
    EXPECT_STREQ(auxTitle(10), "Second");
}

TEST_F(OptionsFile, KeepsAtMostThreeBandsPerSlotInFileOrder) {
    read(
        "timethreshold=2:120,-1,1,1,1|1,1,1;\n"
        "timethreshold=3:0,10,0,0,0|0,0,0;\n"
        "timethreshold=2:0,60,2,2,2|2,2,2;\n"
        "timethreshold=2:60,120,3,3,3|3,3,3;\n"
        "timethreshold=2:0,5,4,4,4|4,4,4;\n");
    const ThresholdTable::Slot& slot = tables.thresholds.slot[2];
    ASSERT_EQ(slot.count, 3);
    const int expected[3][3] = {{120, -1, 1}, {0, 60, 2}, {60, 120, 3}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(slot.bands[i].from, expected[i][0]);
        EXPECT_EQ(slot.bands[i].to, expected[i][1]);
        EXPECT_EQ(slot.bands[i].colours.back,
                  rgbColour(expected[i][2], expected[i][2], expected[i][2]));
    }
    EXPECT_EQ(tables.thresholds.slot[3].count, 1);
    EXPECT_EQ(loggedTexts(dir),
              (Texts{"**DEB added->timethreshold[2] cnt[1] 120,-1 (00010101)/(00010101)",
                     "**DEB added->timethreshold[3] cnt[1] 0,10 (00000000)/(00000000)",
                     "**DEB added->timethreshold[2] cnt[2] 0,60 (00020202)/(00020202)",
                     "**DEB added->timethreshold[2] cnt[3] 60,120 (00030303)/(00030303)",
                     "**WRN timethreshold->too many entry for state[2]; "
                     "[timethreshold=2:0,5,4,4,4|4,4,4;] discarded"}));
}

TEST_F(OptionsFile, LineLongerThan509CharactersIsReadInPieces) {
    const std::string tail(96, 'y');
    read("AUX7=" + std::string(504, 'x') + tail + "\nAUX8=After\n");
    EXPECT_STREQ(auxTitle(7), std::string(15, 'x').c_str());
    EXPECT_STREQ(auxTitle(8), "After");
    const Texts logged = loggedTexts(dir);
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], "WRN validStringOptionSize(**WRN AUX7)->sz(504) of (" +
                             std::string(504, 'x') + ") is >= maxlen(15); truncated");
    EXPECT_EQ(logged[1], "**WRN: unknown option line [" + tail + "] discarded");
}

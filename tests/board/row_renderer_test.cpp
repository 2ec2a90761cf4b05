#include "board/row_renderer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "board_rig.h"

namespace {

struct DurationCase {
    int64_t seconds;
    const char* text;
};

TEST(FormatDuration, GivesTheFixedWidthTextOrErr) {
    const DurationCase cases[] = {
        {0, "      0:00:00"},       {59, "      0:00:59"},        {3725, "      1:02:05"},
        {86399, "     23:59:59"},   {86400, "   1  0:00:00"},     {90061, "   1  1:01:01"},
        {8639999, "  99 23:59:59"}, {86399999, " 999 23:59:59"},  {86400000, "#ERR"},
        {INT64_MAX, "#ERR"},        {-5, "-     0:00:05"},        {-36000, "-    10:00:00"},
        {-86400, "-  1  0:00:00"},  {-86399999, "-999 23:59:59"}, {-86400000, "#ERR"},
        {INT64_MIN, "#ERR"},
    };
    for (const DurationCase& c : cases) {
        char text[16];
        std::memset(text, 'z', sizeof text);
        formatDuration(c.seconds, text);
        EXPECT_STREQ(c.text, text) << c.seconds;
    }
}

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kUntouched = 0xABCDEF;

class RowRendererTest : public testing::Test {
  protected:
    BoardRig rig;
    RecordingGrid& grid = rig.grid;
    AgentRecord agent;

    RowRendererTest() {
        grid.setRowCount(3);
        for (auto& row : grid.cells) {
            for (auto& cell : row) cell = {"", kUntouched, kUntouched};
        }
        grid.clearCalls();
        // Distinct colours per slot: fore 0x1ss / back 0x2ss for modes, 0x3ss / 0x4ss for
        // extension states.
        for (uint32_t s = 0; s < AgentColourTable::kSlots; ++s) {
            rig.tables.agentColours.slot[s] = {0x100 + s, 0x200 + s};
        }
        for (uint32_t s = 0; s < ExtColourTable::kSlots; ++s) {
            rig.tables.extColours.slot[s] = {0x300 + s, 0x400 + s};
        }
        agent.agentid.assign("A1");
        agent.agentname.assign("Ann");
        agent.mode.assign("READY");
        agent.modecode = kModeReady;
        agent.extension.assign("2001");
        agent.dnstate.assign("IDLE");
        agent.extstatecode = kExtIdle;
        agent.queues.assign("Q1");
        inModeFor(3725);
    }

    void inModeFor(int64_t seconds) {
        agent.modetime = static_cast<uint32_t>(rig.clock.now - seconds);
    }
    void setBands(int slot, std::vector<ThresholdBand> bands) {
        auto& s = rig.tables.thresholds.slot[slot];
        s.count = static_cast<int32_t>(bands.size());
        for (std::size_t i = 0; i < bands.size(); ++i) s.bands[i] = bands[i];
    }
    ColourPair cellColours(int32_t row, int32_t column) const {
        return {grid.cells[row][column].fore, grid.cells[row][column].back};
    }
    static std::string colourCall(const char* name, uint32_t colour) {
        return std::string(name) + "(" + std::to_string(colour) + ")";
    }
};

TEST_F(RowRendererTest, ColouredRowIsBracketedAndColoursPrecedeEachText) {
    rig.settings.colors = 1;
    setBands(kModeReady + 1, {{0, 60, {0x500, 0x600}}, {60, -1, {0x700, 0x800}}});
    rig.renderer.drawAgentRow(agent, 2, 1);
    const std::vector<std::string> expected = {
        "setRedraw(0)",
        "setCellText(2,0,A1)",
        "setCurrentRow(2)",
        "setCellText(2,1,Ann)",
        "setCurrentColumn(2)",
        colourCall("setCellForeColour", 0x101),
        colourCall("setCellBackColour", 0x201),
        "setCellText(2,2,READY)",
        "setCurrentColumn(3)",
        colourCall("setCellForeColour", 0x700),
        colourCall("setCellBackColour", 0x800),
        "setCellText(2,3,      1:02:05)",
        "setCurrentColumn(5)",
        colourCall("setCellForeColour", 0x303),
        colourCall("setCellBackColour", 0x403),
        "setCellText(2,5,IDLE)",
        "setCellText(2,4,2001)",
        "setCellText(2,6,Q1)",
        "setRedraw(1)",
    };
    EXPECT_EQ(expected, grid.calls);
}

TEST_F(RowRendererTest, WithoutColoursOrRedrawSavingOnlyTextsAreWritten) {
    rig.settings.redrawSaveMode = 0;
    grid.cells[2][0].text = "kept";
    rig.renderer.drawAgentRow(agent, 2, 0);
    const std::vector<std::string> expected = {
        "setCurrentRow(2)",       "setCellText(2,1,Ann)",
        "setCellText(2,2,READY)", "setCellText(2,3,      1:02:05)",
        "setCellText(2,5,IDLE)",  "setCellText(2,4,2001)",
        "setCellText(2,6,Q1)",
    };
    EXPECT_EQ(expected, grid.calls);
    EXPECT_EQ("kept", grid.text(2, 0));
    for (int32_t column = 0; column < 7; ++column) {
        EXPECT_EQ(kUntouched, cellColours(2, column).fore) << column;
    }
}

TEST_F(RowRendererTest, ColoursTheDurationByTheFirstBandThatHoldsIt) {
    rig.settings.colors = 1;
    const ColourPair early{0x510, 0x610}, late{0x520, 0x620}, mid{0x530, 0x630};
    setBands(kModeReady + 1, {{0, 60, early}, {60, -1, late}});
    setBands(kModeNotReady + 1, {{10, 20, early}, {30, 40, mid}, {15, -1, late}});
    struct Case {
        int32_t modecode;
        int64_t duration;
        ColourPair expected;
        const char* text;
    };
    const ColourPair blackOnWhite{kBlack, kWhite};
    const Case cases[] = {
        {kModeReady, 0, early, "      0:00:00"},
        {kModeReady, 59, early, "      0:00:59"},
        {kModeReady, 60, late, "      0:01:00"},
        {kModeReady, 100000, late, "   1  3:46:40"},
        {kModeReady, 86400000, late, "#ERR"},
        {kModeReady, -5, blackOnWhite, "-     0:00:05"},
        {kModeNotReady, 5, blackOnWhite, "      0:00:05"},
        {kModeNotReady, 12, early, "      0:00:12"},
        {kModeNotReady, 20, late, "      0:00:20"},
        {kModeNotReady, 35, mid, "      0:00:35"},
        {kModeAcwIb, 35, blackOnWhite, "      0:00:35"},
    };
    for (const Case& c : cases) {
        agent.modecode = c.modecode;
        inModeFor(c.duration);
        rig.renderer.drawAgentRow(agent, 1, 1);
        const ColourPair shown = cellColours(1, 3);
        EXPECT_EQ(c.expected.fore, shown.fore) << c.modecode << " " << c.duration;
        EXPECT_EQ(c.expected.back, shown.back) << c.modecode << " " << c.duration;
        EXPECT_EQ(c.text, grid.text(1, 3));
    }
}

TEST_F(RowRendererTest, CodesOutsideTheTablesUseSlotZero) {
    rig.settings.colors = 1;
    const ColourPair band{0x550, 0x650};
    setBands(0, {{0, -1, band}});
    setBands(15, {{0, -1, band}});
    struct Case {
        int32_t modecode;
        int32_t extstatecode;
        uint32_t modeSlot;
        uint32_t extSlot;
        bool banded;
    };
    const Case cases[] = {
        {kModeOther, kExtUnknown, 15, 1, true},
        {kModeReady, kExtHeld, 1, 9, false},
        {15, 9, 0, 0, false},
        {-1, -1, 0, 0, false},
    };
    for (const Case& c : cases) {
        agent.modecode = c.modecode;
        agent.extstatecode = c.extstatecode;
        rig.renderer.drawAgentRow(agent, 1, 1);
        EXPECT_EQ(0x100 + c.modeSlot, cellColours(1, 2).fore) << c.modecode;
        EXPECT_EQ(0x200 + c.modeSlot, cellColours(1, 2).back) << c.modecode;
        EXPECT_EQ(0x300 + c.extSlot, cellColours(1, 5).fore) << c.extstatecode;
        EXPECT_EQ(0x400 + c.extSlot, cellColours(1, 5).back) << c.extstatecode;
        EXPECT_EQ(c.banded ? band.fore : kBlack, cellColours(1, 3).fore) << c.modecode;
    }
}

TEST_F(RowRendererTest, ReadsNoMoreThanThreeBandsWhateverTheCount) {
    // A fourth band of a slot would be read from the start of the next slot: its count as
    // `from`, then its first band's from, to and fore colour. Lay that out as an open band
    // that holds every duration, so reading it shows.
    static_assert(sizeof(ThresholdTable::Slot) == sizeof(int32_t) + 3 * sizeof(ThresholdBand));
    rig.settings.colors = 1;
    setBands(kModeReady + 1, {{100, 200, {1, 1}}, {300, 400, {2, 2}}, {500, 600, {3, 3}}});
    rig.tables.thresholds.slot[kModeReady + 1].count = 9;
    auto& next = rig.tables.thresholds.slot[kModeReady + 2];
    next.count = 0;
    next.bands[0] = {-1, 0x111, {0x222, 0}};
    inModeFor(50);
    rig.renderer.drawAgentRow(agent, 1, 1);
    EXPECT_EQ(kBlack, cellColours(1, 3).fore);
    EXPECT_EQ(kWhite, cellColours(1, 3).back);
}

TEST_F(RowRendererTest, ShowsTheTimeOnHoldOnlyWhenAskedAndHeld) {
    rig.settings.colors = 1;
    const ColourPair shortly{0x560, 0x660}, later{0x570, 0x670};
    setBands(kModeAcd + 1, {{0, 60, shortly}, {60, -1, later}});
    agent.modecode = kModeAcd;
    inModeFor(100);
    struct Case {
        int32_t showHeldTime;
        int64_t heldFor;  // 0: not held
        const char* text;
        ColourPair colours;
    };
    const Case cases[] = {
        {1, 10, "      0:00:10", shortly},
        {0, 10, "      0:01:40", later},
        {1, 0, "      0:01:40", later},
    };
    for (const Case& c : cases) {
        rig.settings.showHeldTime = c.showHeldTime;
        agent.heldtime = c.heldFor == 0 ? 0 : static_cast<uint32_t>(rig.clock.now - c.heldFor);
        rig.renderer.drawAgentRow(agent, 1, 1);
        EXPECT_EQ(c.text, grid.text(1, 3));
        EXPECT_EQ(c.colours.fore, cellColours(1, 3).fore) << c.text;
    }
}

}  // namespace

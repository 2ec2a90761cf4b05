#include "board/agent_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "board_rig.h"
#include "support/temp_work_dir.h"

namespace {

class AgentTableTest : public testing::Test {
  protected:
    BoardRig rig;
    AgentTable& table = rig.table;
    FakeClock& clock = rig.clock;

    const AgentRecord& record(int32_t index) { return table.record(index); }
    void titleAux(int number, const char* title) {
        rig.tables.auxTitles.title[number - AuxTitleTable::kFirst].assign(title);
    }
};

TEST_F(AgentTableTest, AddsNewAgentsInArrivalOrderAndUpdatesKnownOnes) {
    ASSERT_EQ(0, rig.apply("A1,Ann Lee,READY,2001,3,4,IDLE,Q1,Q2"));
    const AgentRecord& a = record(0);
    EXPECT_EQ(std::string("A1"), a.agentid.c_str());
    EXPECT_EQ(std::string("Ann Lee"), a.agentname.c_str());
    EXPECT_EQ(std::string("READY"), a.mode.c_str());
    EXPECT_EQ(std::string("2001"), a.extension.c_str());
    EXPECT_EQ(std::string("IDLE"), a.dnstate.c_str());
    EXPECT_EQ(std::string("Q1,Q2"), a.queues.c_str());
    EXPECT_EQ(kModeReady, a.modecode);
    EXPECT_EQ(kExtIdle, a.extstatecode);
    EXPECT_EQ(static_cast<uint32_t>(clock.now), a.modetime);
    EXPECT_EQ(0, a.loggedout);
    EXPECT_EQ(0, a.held);
    EXPECT_EQ(0u, a.heldtime);

    EXPECT_EQ(1, rig.apply(BoardRig::body("B2", "ACD")));
    EXPECT_EQ(0, rig.apply("A1,Ann Smith,ACD,2002,0,0,INUSE,Q3"));
    EXPECT_EQ(2, table.count());
    EXPECT_EQ(std::string("Ann Smith"), a.agentname.c_str());
    EXPECT_EQ(std::string("2002"), a.extension.c_str());
    EXPECT_EQ(std::string("INUSE"), a.dnstate.c_str());
    EXPECT_EQ(kExtInUse, a.extstatecode);
    EXPECT_EQ(std::string("Q3"), a.queues.c_str());
    EXPECT_EQ(kModeAcd, a.modecode);
    EXPECT_TRUE(rig.messages.statusHistory.empty());
}

TEST_F(AgentTableTest, FindsAnAgentByTheFirst31CharactersOfItsId) {
    const std::string id31(31, 'x');
    for (const std::string& id : {std::string("A1"), id31, std::string("AGENT-0001"),
                                  std::string("AGENT-0002"), std::string("AGENT-00")}) {
        rig.apply(BoardRig::body(id, "READY"));
    }
    EXPECT_EQ(0, table.findAgent("A1"));
    EXPECT_EQ(-1, table.findAgent("A"));
    EXPECT_EQ(-1, table.findAgent("A12"));
    EXPECT_EQ(-1, table.findAgent(""));
    EXPECT_EQ(1, table.findAgent((id31 + "tail").c_str()));
    EXPECT_EQ(-1, table.findAgent(id31.substr(0, 30).c_str()));
    EXPECT_EQ(2, table.findAgent("AGENT-0001"));
    EXPECT_EQ(3, table.findAgent("AGENT-0002"));
    EXPECT_EQ(4, table.findAgent("AGENT-00"));
    EXPECT_EQ(-1, table.findAgent("AGENT-0003"));
    EXPECT_EQ(-1, table.findAgent(nullptr));
}

TEST(AgentCodes, CompareWholeTextsExactly) {
    const char* modes[] = {"READY",      "NOTREADY", "ACWIB", "ACWOB",    "OUTBOUND-NR",
                           "INBOUND-NR", "AUX6",     "AUX7",  "AUX8",     "AUX9",
                           "AUX10",      "AUX11",    "ACD",   "LOGGEDOUT"};
    for (int32_t code = 0; code < 14; ++code) EXPECT_EQ(code, getModeCode(modes[code]));
    for (const char* other : {"ready", "READY ", " READY", "AUX06", "AUX12", "", "LOGGEDOUTX"}) {
        EXPECT_EQ(kModeOther, getModeCode(other)) << other;
    }
    const char* states[] = {"unknown", "UNAVAILABLE", "IDLE",    "INUSE", "BUSY",
                            "RINGING", "DIALING",     "ACDCALL", "HELD"};
    for (int32_t code = 0; code < 9; ++code) EXPECT_EQ(code, getExtStateCode(states[code]));
    for (const char* other : {"held", "HELD ", "Idle", "", "UNKNOWN"}) {
        EXPECT_EQ(kExtUnknown, getExtStateCode(other)) << other;
    }
    EXPECT_EQ(kModeOther, getModeCode(nullptr));
    EXPECT_EQ(kExtUnknown, getExtStateCode(nullptr));
}

TEST_F(AgentTableTest, ShowsAuxiliaryModesByTheirTitles) {
    titleAux(6, "Training");
    titleAux(7, "Lunch");
    titleAux(11, "A title of 15ch");
    struct Case {
        const char* mode;
        const char* shown;
        int32_t code;
    };
    const Case cases[] = {
        {"AUX7", "Lunch", 7},
        {"AUX11", "A title of 15ch", 11},
        {"AUX06", "Training", kModeOther},
        {"AUX6b", "Training", kModeOther},
        {"AUX 6", "Training", kModeOther},
        {"AUX+6", "Training", kModeOther},
        {"AUX", "AUX", kModeOther},
        {"AUX1", "AUX1", kModeOther},
        {"AUX12", "AUX12", kModeOther},
        {"aux7", "aux7", kModeOther},
        {"AUX4294967302", "AUX4294967302", kModeOther},
        {"AUX99999999999", "AUX99999999999", kModeOther},
    };
    for (const Case& c : cases) {
        const int32_t index = rig.apply(BoardRig::body(c.mode, c.mode));
        ASSERT_GE(index, 0) << c.mode;
        EXPECT_EQ(std::string(c.shown), record(index).mode.c_str()) << c.mode;
        EXPECT_EQ(c.code, record(index).modecode) << c.mode;
    }
}

TEST_F(AgentTableTest, KeepsTheTimeOfTheLastModeChange) {
    titleAux(7, "Lunch");
    const int64_t start = clock.now;
    rig.apply(BoardRig::body("A1", "AUX7", "IDLE"));
    clock.now = start + 10;
    rig.apply(BoardRig::body("A1", "AUX7", "RINGING"));
    EXPECT_EQ(static_cast<uint32_t>(start), record(0).modetime);
    EXPECT_EQ(std::string("Lunch"), record(0).mode.c_str());
    EXPECT_EQ(7, record(0).modecode);

    clock.now = start + 20;
    rig.apply(BoardRig::body("A1", "READY"));
    EXPECT_EQ(static_cast<uint32_t>(start + 20), record(0).modetime);
    EXPECT_EQ(kModeReady, record(0).modecode);
    clock.now = start + 30;
    rig.apply(BoardRig::body("A1", "READY"));
    EXPECT_EQ(static_cast<uint32_t>(start + 20), record(0).modetime);
}

TEST_F(AgentTableTest, ModesWithTheSameTitleAreTheSameMode) {
    // AUX6 and AUX06 share the title, so switching between them is no mode change.
    const int64_t start = clock.now;
    rig.apply(BoardRig::body("A1", "AUX6"));
    clock.now = start + 5;
    rig.apply(BoardRig::body("A1", "AUX06"));
    EXPECT_EQ(static_cast<uint32_t>(start), record(0).modetime);
    EXPECT_EQ(6, record(0).modecode);
}

TEST_F(AgentTableTest, AnUnsetModeTimeIsSetByTheNextMessage) {
    clock.now = int64_t{1} << 32;  // low 32 bits 0: the time reads as not set
    rig.apply(BoardRig::body("A1", "READY"));
    ASSERT_EQ(0u, record(0).modetime);
    clock.now += 7;
    rig.apply(BoardRig::body("A1", "READY"));
    EXPECT_EQ(7u, record(0).modetime);
}

TEST_F(AgentTableTest, LoggedOutAgentsHaveNoExtension) {
    // A known agent that was on hold, and an agent seen first logged out.
    rig.apply(BoardRig::body("A1", "ACD", "HELD"));
    for (const char* id : {"A1", "N1"}) {
        const int32_t index = rig.apply(BoardRig::body(id, "LOGGEDOUT", "HELD", "Q1", "2001"));
        ASSERT_GE(index, 0);
        const AgentRecord& r = record(index);
        EXPECT_EQ(std::string("none"), r.extension.c_str()) << id;
        EXPECT_EQ(std::string("unknown"), r.dnstate.c_str()) << id;
        EXPECT_EQ(std::string("LOGGEDOUT"), r.mode.c_str()) << id;
        EXPECT_EQ(kExtUnknown, r.extstatecode) << id;
        EXPECT_EQ(kModeLoggedOut, r.modecode) << id;
        EXPECT_EQ(1, r.loggedout) << id;
        EXPECT_EQ(0, r.held) << id;
        EXPECT_EQ(0u, r.heldtime) << id;
    }
    rig.apply(BoardRig::body("A1", "READY", "IDLE", "Q1", "2005"));
    EXPECT_EQ(0, record(0).loggedout);
    EXPECT_EQ(std::string("2005"), record(0).extension.c_str());
    EXPECT_EQ(std::string("IDLE"), record(0).dnstate.c_str());
}

TEST_F(AgentTableTest, TracksTheTimeOnHoldFromTheFirstHeld) {
    const int64_t start = clock.now;
    rig.apply(BoardRig::body("A1", "ACD", "HELD"));
    EXPECT_EQ(1, record(0).held);
    EXPECT_EQ(static_cast<uint32_t>(start), record(0).heldtime);
    EXPECT_EQ(kExtHeld, record(0).extstatecode);

    clock.now = start + 5;
    rig.apply(BoardRig::body("A1", "ACD", "HELD"));
    EXPECT_EQ(static_cast<uint32_t>(start), record(0).heldtime);

    clock.now = start + 9;
    rig.apply(BoardRig::body("A1", "ACD", "IDLE"));
    EXPECT_EQ(0, record(0).held);
    EXPECT_EQ(0u, record(0).heldtime);

    clock.now = start + 12;
    rig.apply(BoardRig::body("A1", "ACD", "HELD"));
    EXPECT_EQ(static_cast<uint32_t>(start + 12), record(0).heldtime);

    for (const char* notHeld : {"held", "HELD "}) {
        rig.apply(BoardRig::body("A1", "ACD", notHeld));
        EXPECT_EQ(0, record(0).held) << notHeld;
        EXPECT_EQ(0u, record(0).heldtime) << notHeld;
        EXPECT_EQ(kExtUnknown, record(0).extstatecode) << notHeld;
        rig.apply(BoardRig::body("A1", "ACD", "HELD"));
    }
}

TEST_F(AgentTableTest, HoldsFourHundredAgentsAndRefusesMore) {
    for (int i = 0; i < AgentTable::kCapacity; ++i) {
        ASSERT_EQ(i, rig.apply(BoardRig::body("A" + std::to_string(i), "READY")));
    }
    const std::string extra = BoardRig::body("A400", "READY");
    EXPECT_EQ(-1, rig.apply(extra));
    EXPECT_EQ("Warning: agent table(400) full; msg [" + extra + "] ignored",
              rig.messages.statusLine);
    EXPECT_EQ(AgentTable::kCapacity, table.count());
    EXPECT_EQ(-1, table.findAgent("A400"));

    rig.apply(BoardRig::body("A399", "ACD"));
    EXPECT_EQ(kModeAcd, record(399).modecode);
    EXPECT_EQ(-1, rig.apply(extra));
    EXPECT_EQ(2u, rig.messages.statusHistory.size());
}

TEST_F(AgentTableTest, RejectsAnInvalidMessageWithoutTouchingTheTable) {
    rig.apply(BoardRig::body("A1", "READY"));
    const std::string bad = "A1,Other,ACD,2001,x,0,BUSY,Q9";
    EXPECT_EQ(-1, rig.apply(bad));
    EXPECT_EQ("Invalid agentmsg format: " + bad, rig.messages.statusLine);
    EXPECT_EQ(1, table.count());
    EXPECT_EQ(std::string("Name A1"), record(0).agentname.c_str());
    EXPECT_EQ(kModeReady, record(0).modecode);
    EXPECT_EQ(std::string("IDLE"), record(0).dnstate.c_str());
    EXPECT_EQ(std::string("Q1"), record(0).queues.c_str());

    EXPECT_EQ(-1, table.update_agentTbl(nullptr));
    EXPECT_EQ("Invalid agentmsg format: ", rig.messages.statusLine);
}

TEST_F(AgentTableTest, CutsStatusTextsAt511Characters) {
    const std::string longBody(2000, 'x');
    rig.apply(longBody);
    const std::string expected = ("Invalid agentmsg format: " + longBody).substr(0, 511);
    EXPECT_EQ(expected, rig.messages.statusLine);
}

class AgentTableDebugTest : public AgentTableTest {
  protected:
    TempWorkDir dir;

    std::string logText() {
        char name[32];
        DebugLog::fileName(clock.localNow(), name);
        return dir.read(name);
    }
};

TEST_F(AgentTableDebugTest, WritesNothingToTheLogWithDebugOff) {
    rig.apply(BoardRig::body("A1", "READY"));
    rig.apply("bad");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(AgentTableDebugTest, TracesMessagesAsReceivedAndRejectionsWithDebugOn) {
    rig.settings.debug = 1;
    rig.apply(BoardRig::body("A1", "LOGGEDOUT", "BUSY"));
    rig.apply("bad");
    const std::string log = logText();
    EXPECT_NE(std::string::npos,
              log.find("update_agentTbl: agentid (A1), mode(LOGGEDOUT), dnstate(BUSY)\n"));
    EXPECT_NE(std::string::npos, log.find("Invalid agentmsg format: bad\n"));
}

TEST_F(AgentTableDebugTest, KeepsTheFullTableWarningOutOfTheLog) {
    for (int i = 0; i <= AgentTable::kCapacity; ++i) {
        rig.apply(BoardRig::body("A" + std::to_string(i), "READY"));
    }
    rig.settings.debug = 1;
    rig.apply(BoardRig::body("A999", "READY"));
    EXPECT_EQ(0u, rig.messages.statusLine.rfind("Warning: agent table(400) full", 0));
    EXPECT_EQ(std::string::npos, logText().find("Warning"));
}

}  // namespace

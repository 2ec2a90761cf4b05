#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/temp_work_dir.h"
#include "tavrel-sim/final_state_record.h"
#include "tavrel-sim/replay_source.h"

TEST(ReplayFile, BodiesAreSentAsTheyStandAfterTheirDelay) {
    std::istringstream in(
        "# a comment line\n"
        "0 1008,1,Ann Lee,READY,2001,0,0,IDLE,Q100\n"
        "\n"
        "250\t1005\r\n"
        "1500 1008,  odd , body with blanks  \n"
        "5 #not a comment: the body starts with a hash\n");
    std::vector<ReplayLine> lines;
    std::string error;
    ASSERT_TRUE(readReplayLines(in, lines, error)) << error;

    ReplaySource source(lines);
    OutgoingBody body;
    std::vector<std::pair<int64_t, std::string>> sent;
    while (source.next(body)) {
        sent.emplace_back(std::chrono::duration_cast<std::chrono::milliseconds>(body.delay).count(),
                          std::string(body.text, body.length));
    }
    const std::vector<std::pair<int64_t, std::string>> expected = {
        {0, "1008,1,Ann Lee,READY,2001,0,0,IDLE,Q100"},
        {250, "1005"},
        {1500, "1008,  odd , body with blanks  "},
        {5, "#not a comment: the body starts with a hash"}};
    EXPECT_EQ(sent, expected);
}

TEST(ReplayFile, BadLinesAreNamedByNumber) {
    struct Case {
        std::string text;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"0 1005\nfast 1005\n", "line 2: the delay"},
        {"-5 1005\n", "line 1: the delay"},
        {"# c\n100\n", "line 2: expected"},
        {"100 \n", "line 1: the body is empty"},
        {"1 " + std::string(9994, 'x') + "\n", "line 1: the body is longer"},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.text);
        std::vector<ReplayLine> lines;
        std::string error;
        EXPECT_FALSE(readReplayLines(in, lines, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

TEST(ReplayFile, MissingOrEmptyFileIsAnError) {
    TempWorkDir dir;
    dir.write("empty.txt", "# nothing to send\n\n");
    std::vector<ReplayLine> lines;
    std::string error;
    EXPECT_FALSE(loadReplayFile("absent.txt", lines, error));
    EXPECT_NE(error.find("absent.txt"), std::string::npos);
    EXPECT_FALSE(loadReplayFile("empty.txt", lines, error));
    EXPECT_NE(error.find("no messages"), std::string::npos);
}

// The sample shipped with the simulator loads and holds the agents it describes.
TEST(ReplayFile, ShippedSampleLoads) {
    std::vector<ReplayLine> lines;
    std::string error;
    ASSERT_TRUE(loadReplayFile(TAVREL_SIM_SAMPLES "/agent-states.replay", lines, error)) << error;
    FinalStateRecord record;
    for (const ReplayLine& line : lines) record.note(line.body.c_str());
    EXPECT_EQ(record.agentCount(), 5u);
    EXPECT_EQ(record.lastBodyOf("4105"), nullptr);
}

// Only bodies that the board would take as agent messages count; the last one per id wins,
// and the file lists the ids in the order they first came.
TEST(FinalStateRecord, KeepsTheLastTakenAgentMessagePerId) {
    FinalStateRecord record;
    const std::string longId(32, '7');
    for (const std::string& body : {
             std::string("1008,7,Ann Lee,READY,2001,0,0,IDLE,Q100"),
             std::string("1008,9,Bo Chan,ACD,2002,1,5,ACDCALL,Q200|Q300"),
             std::string("1005,12"),
             std::string("1008,7,Ann Lee,ACD,2001,1,9,HELD,Q100"),
             std::string("1008,7,,AUX7,2001,1,9,IDLE,Q100"),             // empty name
             std::string("1008,9,Bo Chan,READY,2002,x,5,IDLE,Q200"),     // letter for a number
             std::string("1008," + longId + ",Cy,READY,1,0,0,IDLE,Q1"),  // id too long
             std::string("1008,9,Bo Chan,AUX6,2002,2,7,IDLE,Q200 extra words"),
             std::string("1008"),
         }) {
        record.note(body.c_str());
    }
    EXPECT_EQ(record.agentCount(), 2u);
    EXPECT_STREQ(record.lastBodyOf("7"), "1008,7,Ann Lee,ACD,2001,1,9,HELD,Q100");
    EXPECT_EQ(record.lastBodyOf(longId.substr(0, 31).c_str()), nullptr);

    TempWorkDir dir;
    std::string error;
    ASSERT_TRUE(record.writeTo("final.txt", error)) << error;
    EXPECT_EQ(dir.read("final.txt"),
              "1008,7,Ann Lee,ACD,2001,1,9,HELD,Q100\n"
              "1008,9,Bo Chan,AUX6,2002,2,7,IDLE,Q200 extra words\n");
    EXPECT_FALSE(dir.exists("final.txt.part"));
    EXPECT_FALSE(record.writeTo("no-such-dir/final.txt", error));
    EXPECT_NE(error.find("no-such-dir"), std::string::npos);
}

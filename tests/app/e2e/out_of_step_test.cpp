#include <gtest/gtest.h>

#include <QTimer>
#include <ostream>
#include <string>
#include <vector>

#include "simulated_board_test.h"

namespace {

const std::vector<std::string> kBodies = {
    "1008,6001,Ann Lee,READY,2001,0,0,IDLE,Q100",
    "1008,6002,Bob Ray,ACD,2002,0,15,ACDCALL,Q200 Q210",
    "1008,6003,Cy Twombly,AUX07,2003,0,0,IDLE,Q300",
    "1008,6004,Di Okafor,LOGGEDOUT,2004,0,0,UNAVAILABLE,Q100",
    "1008,6001,Ann Lee,ACWIB,2001,1,0,IDLE,Q100|Q300",
};
const std::string kHeaderRefused =
    "WARNING-socket read error [invalid read msg address header/size]";

// Damage in front of the third message. Nothing looks for the next marker, so the reader
// takes whatever six bytes come next as a header: inside the damaged frame every one is
// refused and the reader gives up after four; twelve bytes of garbage are two refused
// headers, and the real header follows in step.
struct Damage {
    const char* name;
    const char* fault;
    bool readerGivesUp;
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

class StreamOutOfStep : public SimulatedBoardTest, public testing::WithParamInterface<Damage> {
  protected:
    std::string writeReplayFile() const {
        std::string lines;
        for (const std::string& body : kBodies) lines += "0 " + body + "\n";
        workDir.write("replay.txt", lines);
        return (workDir.path() / "replay.txt").string();
    }
};

TEST_P(StreamOutOfStep, BoardReportsTheRefusedHeadersAndKeepsWhatCameBefore) {
    ASSERT_NO_FATAL_FAILURE(startSimulator(
        {"--replay", writeReplayFile(), "--at-end", "idle", "--fault", GetParam().fault}));
    ASSERT_NO_FATAL_FAILURE(startBoard());
    std::vector<AgentRow> before = {expectedRow(kBodies[0]), expectedRow(kBodies[1])};
    std::vector<AgentRow> all = {expectedRow(kBodies[4]), before[1], expectedRow(kBodies[2]),
                                 expectedRow(kBodies[3])};

    if (GetParam().readerGivesUp) {
        ASSERT_TRUE(waitForTheLinkToEnd()) << testing::PrintToString(watch->statusTexts());
        EXPECT_EQ(rowsOnBoard(window->grid()), before);
        EXPECT_EQ(watch->statusTexts(),
                  givingUpStatusTexts({"Registration to server succeeded", kHeaderRefused}));
        EXPECT_EQ(watch->boxesOpened(), givingUpBoxes({}));
        expectBrokenAndStillDisabled();
    } else {
        EXPECT_TRUE(runEventsUntil([&] { return rowsOnBoard(window->grid()) == all; },
                                   std::chrono::seconds(10)))
            << testing::PrintToString(rowsOnBoard(window->grid()));
        EXPECT_EQ(watch->statusTexts(),
                  (std::vector<std::string>{"Registration to server succeeded", kHeaderRefused}));
        EXPECT_TRUE(watch->boxesOpened().empty());
        EXPECT_TRUE(window->findChild<QTimer*>(QStringLiteral("refreshTimer"))->isActive());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Damages, StreamOutOfStep,
    testing::Values(Damage{"WrongMarker", "bad-marker,after=2", true},
                    Damage{"FiveBytesOfGarbage", "garbage=5,after=2", true},
                    Damage{"TwelveBytesOfGarbage", "garbage=12,after=2", false}),
    [](const testing::TestParamInfo<Damage>& info) { return info.param.name; });

}  // namespace

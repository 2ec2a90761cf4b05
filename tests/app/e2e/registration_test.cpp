#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "simulated_board_test.h"

namespace {

// A registration the server turns down: the reply's text in the status line and a box, the
// connection closed; then the reader finds it closed and the link ends.
struct TurnedDown {
    const char* name;
    const char* answer;  // the simulator's --register
    const char* shown;
};

void PrintTo(const TurnedDown& reply, std::ostream* out) {
    *out << reply.name;
}

class RegistrationTurnedDown : public SimulatedBoardTest,
                               public testing::WithParamInterface<TurnedDown> {};

TEST_P(RegistrationTurnedDown, IsShownThenTheClosedLinkEndsInFatalBoxes) {
    ASSERT_NO_FATAL_FAILURE(startSimulator({"--register", GetParam().answer}));
    ASSERT_NO_FATAL_FAILURE(startBoard());
    ASSERT_TRUE(waitForTheLinkToEnd()) << testing::PrintToString(watch->boxesOpened());

    EXPECT_EQ(statusTextsSeen(), closedLinkStatusTexts({GetParam().shown}));
    EXPECT_EQ(watch->boxesOpened(), closedLinkBoxes({GetParam().shown}));
    EXPECT_EQ(watch->serverBodiesTaken(), 1);
    EXPECT_TRUE(rowsOnBoard(window->grid()).empty());
    expectBrokenAndStillDisabled();
}

INSTANTIATE_TEST_SUITE_P(
    Replies, RegistrationTurnedDown,
    testing::Values(
        TurnedDown{"Refused", "failed:no licence left",
                   "Registration failed [no licence left]; please check error and restart"},
        TurnedDown{"RefusedWithoutReason",
                   "failed:", "Registration failed []; please check error and restart"},
        TurnedDown{"Invalid", "invalid",
                   "Invalid registration reply [,denied]; please check error and restart"},
        TurnedDown{"RefusalWithoutItsLastComma", "invalid:,failed",
                   "Invalid registration reply [,failed]; please check error and restart"}),
    [](const testing::TestParamInfo<TurnedDown>& info) { return info.param.name; });

}  // namespace

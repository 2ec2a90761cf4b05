#include <gtest/gtest.h>

#include <QPushButton>
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "simulated_board_test.h"

namespace {

constexpr const char* kRegistered = "Registration to server succeeded";

using BoardTraffic = SimulatedBoardTest;

TEST_F(BoardTraffic, EveryAgentShowsItsLastStateAndDurationsAdvanceOnTheTick) {
    constexpr int kAgents = 40;
    constexpr int kMessages = 400;
    ASSERT_NO_FATAL_FAILURE(
        startSimulator({"--agents", std::to_string(kAgents), "--count", std::to_string(kMessages),
                        "--rate", "800", "--at-end", "idle"}));
    ASSERT_NO_FATAL_FAILURE(startBoard());
    ASSERT_TRUE(
        runEventsUntil([&] { return watch->serverBodiesTaken() == kMessages + 1; }, kTrafficLimit))
        << watch->serverBodiesTaken() << " bodies taken";
    EXPECT_EQ(watch->statusTexts(), std::vector<std::string>{kRegistered});

    // Every agent came in at the same fixed time; the refresh at the next tick of the
    // one-second timer shows the time the clock has moved on by.
    std::vector<std::string> durations = durationsOnBoard(window->grid());
    ASSERT_EQ(durations.size(), std::size_t{kAgents});
    EXPECT_EQ(durations, std::vector<std::string>(kAgents, "      0:00:00"));
    clock.now += 3725;
    EXPECT_TRUE(runEventsUntil(
        [&] {
            return durationsOnBoard(window->grid()) ==
                   std::vector<std::string>(kAgents, "      1:02:05");
        },
        std::chrono::seconds(5)));

    // Exit leaves the reader quiet; the simulator sees the client go and writes down what it
    // sent last to each agent.
    modals.answerWith(QMessageBox::Yes);
    findControl<QPushButton>(*window, kIdExit)->click();
    ASSERT_TRUE(runEventsUntil([&] { return finalStateRows().size() == kAgents; },
                               std::chrono::seconds(10)));
    EXPECT_EQ(rowsOnBoard(window->grid()), finalStateRows());
    EXPECT_EQ(modals.texts(), std::vector<std::string>{"Are you sure to exit now?"});
}

// Traffic that ends with the server closing the connection, with and without the faults the
// link gets over: frames in pieces with pauses, frames too long for the receive buffer,
// 1005 messages.
struct ClosingRun {
    const char* name;
    std::vector<std::string> faults;
    std::vector<std::string> statusBeforeClose;
};

void PrintTo(const ClosingRun& run, std::ostream* out) {
    *out << run.name;
}

class TrafficUntilTheServerCloses : public SimulatedBoardTest,
                                    public testing::WithParamInterface<ClosingRun> {};

TEST_P(TrafficUntilTheServerCloses, RowsEndAtTheLastStateSentAndTheLinkEndsInSixFatalBoxes) {
    constexpr int kMessages = 500;
    std::vector<std::string> options = {
        "--agents",     "40",  "--count",  std::to_string(kMessages),
        "--rate",       "max", "--at-end", "close",
        "--keep-alive", "0.1"};
    options.insert(options.end(), GetParam().faults.begin(), GetParam().faults.end());
    ASSERT_NO_FATAL_FAILURE(startSimulator(options));
    ASSERT_NO_FATAL_FAILURE(startBoard());
    ASSERT_TRUE(waitForTheLinkToEnd()) << testing::PrintToString(watch->boxesOpened());

    EXPECT_EQ(watch->serverBodiesTaken(), kMessages + 1) << "the reply and every message";
    EXPECT_EQ(rowsOnBoard(window->grid()), finalStateRows());
    EXPECT_EQ(statusTextsSeen(), closedLinkStatusTexts(GetParam().statusBeforeClose));
    EXPECT_EQ(watch->boxesOpened(), closedLinkBoxes({}));
    EXPECT_EQ(modals.shown.size(), 6u) << "each box answered";
    expectBrokenAndStillDisabled();
}

INSTANTIATE_TEST_SUITE_P(
    Runs, TrafficUntilTheServerCloses,
    testing::Values(ClosingRun{"Plain", {}, {kRegistered}},
                    ClosingRun{"FaultsTheLinkGetsOver",
                               {"--fault", "split=30,p=0.15", "--fault", "oversized,p=0.04"},
                               {kRegistered,
                                "WARNING-socket read error [invalid message size received]"}}),
    [](const testing::TestParamInfo<ClosingRun>& info) { return info.param.name; });

}  // namespace

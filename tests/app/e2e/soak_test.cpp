#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QObject>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "simulated_board_test.h"

namespace {

constexpr int kRate = 300;  // messages per second
constexpr int kDefaultSeconds = 60;
// How late a call queued on the window thread may run while the traffic flows.
constexpr qint64 kLongestAnswerMs = 1000;
constexpr qint64 kProbeEveryMs = 100;

const std::string kRegistered = "Registration to server succeeded";
const std::string kOversized = "WARNING-socket read error [invalid message size received]";
const std::string kUnexpected = "WARNING: unexpected msg - 1009,unexpected message";
const std::string kRefusedAgent = "Invalid agentmsg format: ";

// The soak's length: BREVIX_SOAK_SECONDS, so that slow builds can run it shorter.
int soakSeconds() {
    const char* text = std::getenv("BREVIX_SOAK_SECONDS");
    int seconds = text != nullptr ? std::atoi(text) : 0;
    return seconds > 0 ? seconds : kDefaultSeconds;
}

// Queues a call on the window thread again and again, and keeps the longest time one
// waited before it ran.
class AnswerProbe {
  public:
    AnswerProbe() { sinceLast_.start(); }

    void poll() {
        if (pending_ || sinceLast_.elapsed() < kProbeEveryMs) return;
        pending_ = true;
        sinceLast_.start();
        QMetaObject::invokeMethod(
            &context_,
            [this, queued = sinceLast_] {
                longestMs_ = std::max(longestMs_, queued.elapsed());
                pending_ = false;
            },
            Qt::QueuedConnection);
    }
    qint64 longestMs() const { return longestMs_; }

  private:
    QObject context_;  // a call still queued when the probe goes is dropped with it
    QElapsedTimer sinceLast_;
    bool pending_ = false;
    qint64 longestMs_ = 0;
};

bool isTrafficText(const std::string& text) {
    return text == kRegistered || text == kOversized || text == kUnexpected ||
           text.rfind(kRefusedAgent, 0) == 0;
}

using Soak = SimulatedBoardTest;

// Normal traffic mixed with everything the link gets over: frames in pieces, frames too long
// for the receive buffer, agent messages the board refuses, unknown codes, 1005 messages,
// pauses shorter and longer than the reader's 3 s time-out. The window keeps answering,
// only the expected warnings reach the status line, and every row ends at the last valid
// state sent.
TEST_F(Soak, WindowKeepsAnsweringAndEveryRowEndsAtTheLastValidState) {
    const int seconds = soakSeconds();
    ASSERT_NO_FATAL_FAILURE(startSimulator({
        "--agents",        "150",
        "--rate",          std::to_string(kRate),
        "--duration",      std::to_string(seconds),
        "--at-end",        "close",
        "--keep-alive",    "0.05",
        "--unknown-modes", "0.02",
        "--fault",         "split=20,p=0.05",
        "--fault",         "oversized,p=0.005",
        "--fault",         "bad-agent,p=0.01",
        "--fault",         "unexpected,p=0.005",
        "--fault",         "silence=1,after=" + std::to_string(kRate * 2),
        "--fault",         "silence=4,after=" + std::to_string(kRate * 4),
    }));
    ASSERT_NO_FATAL_FAILURE(startBoard());

    AnswerProbe probe;
    bool ended = runEventsUntil(
        [&] {
            probe.poll();
            return !watch->boxesOpened().empty();
        },
        std::chrono::seconds(seconds + 30));
    ASSERT_TRUE(ended) << "the traffic did not end";
    EXPECT_LT(probe.longestMs(), kLongestAnswerMs);
    ASSERT_TRUE(waitForTheLinkToEnd(std::chrono::seconds(10)));

    EXPECT_EQ(rowsOnBoard(window->grid()), finalStateRows());
    std::vector<std::string> texts = statusTextsSeen();
    auto closing = std::find_if_not(texts.begin(), texts.end(), isTrafficText);
    std::vector<std::string> traffic(texts.begin(), closing);
    EXPECT_EQ(std::vector<std::string>(closing, texts.end()), closedLinkStatusTexts({}));
    for (const std::string& expected : {kRegistered, kOversized, kUnexpected}) {
        EXPECT_NE(std::find(traffic.begin(), traffic.end(), expected), traffic.end()) << expected;
    }
    EXPECT_TRUE(std::any_of(traffic.begin(), traffic.end(), [](const std::string& text) {
        return text.rfind(kRefusedAgent, 0) == 0;
    }));
    EXPECT_EQ(watch->boxesOpened(), closedLinkBoxes({}));
}

}  // namespace

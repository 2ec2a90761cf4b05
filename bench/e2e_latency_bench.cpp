// Time from send to row drawn at a steady 1,000 agent messages a second, through the whole
// program: a sender on a loopback socket stamps each message as it hands it to the socket;
// the reader thread, the hand-over, OnAgentMsg, update_agentTbl and placeAgentRow follow;
// the row counts as drawn when the grid announces its new cells, and as painted when the
// paint after that is done. The messages are told apart by a sequence number in the agent
// name. 400 agents report once first; the refresh timer runs as usual (every 2 s).
//
// Usage: e2e_latency_bench [seconds at 1,000 messages/s, 5 by default]

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "e2e_agent_traffic.h"
#include "e2e_board_run.h"
#include "e2e_figures.h"
#include "e2e_row_drawn_clock.h"
#include "e2e_watchdog.h"
#include "shown_agent_grid.h"

namespace {

constexpr double kRate = 1000;
constexpr long kDefaultSeconds = 5;
constexpr long kMostSeconds = 30;
constexpr auto kTimeLimit = std::chrono::seconds(50);
constexpr auto kSettle = std::chrono::milliseconds(300);  // after the first reports
constexpr double kAimP99Ms = 5;

long secondsFrom(int argc, char** argv) {
    if (argc < 2) return kDefaultSeconds;
    const long value = std::strtol(argv[1], nullptr, 10);
    return value > 0 && value <= kMostSeconds ? value : kDefaultSeconds;
}

struct Latencies {
    std::vector<double> writtenMs;
    std::vector<double> paintedMs;
    int notDrawn = 0;
};

// The paced messages only: the first reports go out in one burst.
Latencies latenciesOf(const BoardRun& run, const RowDrawnClock& drawn, std::size_t messages) {
    Latencies latencies;
    for (std::size_t sequence = kBoardAgents; sequence < messages; ++sequence) {
        const int64_t sent = run.sendTimes()[sequence].load();
        if (drawn.written(sequence) == 0) {
            ++latencies.notDrawn;
            continue;
        }
        latencies.writtenMs.push_back(static_cast<double>(drawn.written(sequence) - sent) * 1e-6);
        if (drawn.painted(sequence) != 0) {
            latencies.paintedMs.push_back(static_cast<double>(drawn.painted(sequence) - sent) *
                                          1e-6);
        }
    }
    return latencies;
}

}  // namespace

int main(int argc, char** argv) {
    preferOffscreenPlatform();
    Watchdog watchdog(kTimeLimit);
    const long seconds = secondsFrom(argc, argv);
    QApplication application(argc, argv);

    std::vector<AgentMessage> messages = firstReports();
    const std::vector<AgentMessage> changes =
        stateChanges(static_cast<std::size_t>(seconds * kRate), kBoardAgents);
    messages.insert(messages.end(), changes.begin(), changes.end());
    BoardRun run(messages, {kBoardAgents, kRate, kSettle});
    RowDrawnClock drawn(run.board().grid(), messages.size());
    if (!run.run()) return 1;

    const Latencies latencies = latenciesOf(run, drawn, messages.size());
    std::printf(
        "send to row drawn, %.0f messages/s for %ld s (%zu messages), loopback, shown "
        "main window, colours on\n",
        kRate, seconds, changes.size());
    printFigure("messages not drawn", latencies.notDrawn, "msgs", Aim::Below, 1);
    printFigure("rows not showing the last message sent",
                run.board().rowsNotShowing(lastOfEachAgent(messages)), "rows", Aim::Below, 1);
    printInfo("send to row written, p50", percentile(latencies.writtenMs, 0.5), "ms");
    printFigure("send to row written, p99", percentile(latencies.writtenMs, 0.99), "ms", Aim::Below,
                kAimP99Ms);
    printInfo("send to row written, max", percentile(latencies.writtenMs, 1.0), "ms");
    printInfo("send to row painted, p50", percentile(latencies.paintedMs, 0.5), "ms");
    printInfo("send to row painted, p99", percentile(latencies.paintedMs, 0.99), "ms");
    printInfo("send to row painted, max", percentile(latencies.paintedMs, 1.0), "ms");
    printInfo("messages to rows in view, painted", static_cast<double>(latencies.paintedMs.size()),
              "msgs");
    return 0;
}

// Agent messages per second through the whole program, from a sender on a loopback socket
// to the rows of the shown grid: the reader thread, the hand-over to the window thread,
// OnAgentMsg, update_agentTbl, placeAgentRow and the grid with its painting, refresh timer
// running. 400 agents report once, then random state changes follow. Two runs, each with a
// fresh window and connection:
//  - a flood, as fast as the socket takes the messages: the sustained rate;
//  - a steady 50,000 messages a second: does the window keep up and keep answering?
// After each run every agent's row must show the last message sent for it. A probe measures
// how long a queued call waits for the window thread while the messages come in.
//
// Usage: e2e_throughput_bench [state changes in the flood, 1000000 by default]

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "e2e_agent_traffic.h"
#include "e2e_board_run.h"
#include "e2e_figures.h"
#include "e2e_responsiveness_probe.h"
#include "e2e_watchdog.h"
#include "shown_agent_grid.h"

namespace {

constexpr std::size_t kDefaultFloodChanges = 1000000;
constexpr double kSteadyRate = 50000;
constexpr std::size_t kSteadyChanges = 200000;  // four seconds at the steady rate
constexpr auto kTimeLimit = std::chrono::seconds(50);
constexpr auto kProbeInterval = std::chrono::milliseconds(10);
constexpr double kAimMessagesPerSecond = 50000;
constexpr double kAimAnswerMs = 100;  // a click answered within this feels immediate

std::size_t floodChangesFrom(int argc, char** argv) {
    if (argc < 2) return kDefaultFloodChanges;
    const long value = std::strtol(argv[1], nullptr, 10);
    return value > 0 ? static_cast<std::size_t>(value) : kDefaultFloodChanges;
}

std::vector<AgentMessage> reportsThenChanges(std::size_t changes) {
    std::vector<AgentMessage> messages = firstReports();
    const std::vector<AgentMessage> more = stateChanges(changes, kBoardAgents);
    messages.insert(messages.end(), more.begin(), more.end());
    return messages;
}

enum class Run { Flood, Steady };

// Runs the messages through a fresh window and prints the figures; false when the run failed.
// A flood outruns the window on purpose, so its rate is the figure, and how long a call
// waits only grows with the flood's length (shown without an aim). A steady run's rate is
// the sender's; there the figures are whether the window kept up and kept answering.
bool measure(const char* title, Run kind, std::size_t changes, const SendPace& pace) {
    const std::vector<AgentMessage> messages = reportsThenChanges(changes);
    BoardRun run(messages, pace);
    ResponsivenessProbe probe(run.board().dialog(), kProbeInterval);
    if (!run.run()) return false;
    probe.stop();
    const std::vector<double> answers = probe.delaysMs(run.firstSent(), run.lastHandled());
    const double count = static_cast<double>(messages.size());
    const double rate = count / run.seconds();
    const double answerP50 = percentile(answers, 0.5);
    const double answerP99 = percentile(answers, 0.99);

    std::printf("\n%s: %zu messages (%d agents once, then %zu state changes), %.1f MB\n", title,
                messages.size(), kBoardAgents, changes,
                static_cast<double>(run.frames().bytes.size()) / 1e6);
    if (kind == Run::Flood) {
        printFigure("messages handled per second", rate, "msg/s", Aim::AtLeast,
                    kAimMessagesPerSecond);
    } else {
        printInfo("messages handled per second", rate, "msg/s");
        printFigure("last message handled after the last frame sent",
                    (run.seconds() - run.sendingSeconds()) * 1e3, "ms", Aim::Below, kAimAnswerMs);
    }
    printFigure("rows not showing the last message sent",
                run.board().rowsNotShowing(lastOfEachAgent(messages)), "rows", Aim::Below, 1);
    if (kind == Run::Flood) {
        printInfo("queued call answered after, p50", answerP50, "ms");
        printInfo("queued call answered after, p99", answerP99, "ms");
    } else {
        printFigure("queued call answered after, p50", answerP50, "ms", Aim::Below, kAimAnswerMs);
        printFigure("queued call answered after, p99", answerP99, "ms", Aim::Below, kAimAnswerMs);
    }
    printInfo("queued call answered after, max", percentile(answers, 1.0), "ms");
    printInfo("queued calls answered", static_cast<double>(answers.size()), "calls");
    printInfo("first frame sent to last message handled", run.seconds(), "s");
    printInfo("first frame sent to last frame sent", run.sendingSeconds(), "s");
    printInfo("window thread CPU per message", run.windowCpuSeconds() / count * 1e6, "us");
    printInfo("process CPU, all threads, per message", run.processCpuSeconds() / count * 1e6, "us");
    printInfo("grid paints", static_cast<double>(run.gridPaints()), "paints");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    preferOffscreenPlatform();
    Watchdog watchdog(kTimeLimit);
    const std::size_t floodChanges = floodChangesFrom(argc, argv);
    QApplication application(argc, argv);
    std::printf("agent messages through the shown main window, loopback, colours on\n");
    const bool flooded = measure("flood, as fast as the socket takes them", Run::Flood,
                                 floodChanges, {kBoardAgents, 0});
    const bool steady = measure("steady 50,000 messages/s", Run::Steady, kSteadyChanges,
                                {kBoardAgents, kSteadyRate});
    return flooded && steady ? 0 : 1;
}

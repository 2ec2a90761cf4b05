// The agent board over the real agent grid, shown on the offscreen platform, with colours on.
// (1) Agent messages per second through the whole window-thread path: the scan and table
//     update, then placement and drawing of the agent's row; 400 agents in random, realistic
//     states, logged-out agents hidden so rows also come and go. Measured without painting
//     and with the grid painting after every 100 messages.
// (2) Milliseconds per full refresh of 400 visible agents, alone and with the repaint.
// Times are CPU time of the window thread. Prints figures only; the aims are 100,000
// messages/s and under 3 ms per refresh.

#include <QApplication>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "app/grid/msflexgrid1.h"
#include "board/agent_message.h"
#include "board/agent_table.h"
#include "board/row_placement.h"
#include "board/row_renderer.h"
#include "settings/board_settings.h"
#include "settings/clock.h"
#include "settings/colour_tables.h"
#include "settings/debug_log.h"
#include "settings/message_sink.h"
#include "shown_agent_grid.h"

namespace {

constexpr int32_t kAgents = 400;
constexpr int kMessages = 200000;
constexpr int kPaintedMessages = 20000;  // painting is far slower; fewer give a steady figure
constexpr int kMessagesPerPaint = 100;
constexpr int kRefreshes = 200;
constexpr std::mt19937::result_type kRandomStart = 20240305;

// The machine is shared, so the figures are taken from this thread's own CPU time: time the
// thread spent waiting for a core does not count.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

class QuietSink final : public MessageSink {
  public:
    void setStatusLine(const char*) override {}
    void showMessage(const char*) override {}
    bool askYesNo(const char*) override { return true; }
};

class NoQueueFilter final : public QueueFilterSource {
  public:
    void readQueueFilter(char* out, std::size_t) const override { out[0] = '\0'; }
};

// The board's window-thread pieces as the main window wires them.
struct Board {
    explicit Board(CMsflexgrid1& grid) : grid(grid) {
        scan.compose();
        tables.setDefaults();
        settings.colors = 1;
    }

    void receive(const std::string& body) {
        const int32_t index = table.update_agentTbl(body.c_str());
        if (index >= 0) placement.placeAgentRow(table.record(index));
    }

    AgentMessageScan scan;
    OptionTables tables;
    BoardSettings settings;
    SystemClock clock;
    QuietSink sink;
    DebugLog log{clock};
    AgentTable table{scan, tables.auxTitles, settings, clock, sink, log};
    CMsflexgrid1& grid;
    RowRenderer renderer{grid, settings, tables, clock};
    NoQueueFilter queueFilter;
    RowPlacement placement{grid, table, renderer, settings, queueFilter};
};

// A mode with the extension states an agent in it is seen with.
struct State {
    const char* mode;
    std::vector<const char*> extStates;
    int weight;
};

const std::vector<State> kStates = {
    {"READY", {"IDLE"}, 20},
    {"ACD", {"ACDCALL", "INUSE", "HELD", "RINGING"}, 35},
    {"ACWIB", {"IDLE", "INUSE"}, 10},
    {"ACWOB", {"IDLE"}, 3},
    {"NOTREADY", {"IDLE", "UNAVAILABLE"}, 8},
    {"OUTBOUND-NR", {"DIALING", "INUSE", "BUSY"}, 6},
    {"INBOUND-NR", {"INUSE"}, 3},
    {"AUX6", {"IDLE"}, 2},
    {"AUX7", {"IDLE"}, 4},
    {"AUX9", {"UNAVAILABLE"}, 2},
    {"LOGGEDOUT", {"unknown"}, 2},
};

std::string agentMessage(int32_t agent, const State& state, const char* extState,
                         std::mt19937& random) {
    char body[160];
    std::snprintf(body, sizeof body, "%d,Agent %d %s,%s,%d,%u,%u,%s,Q%d,Q%d", 5000 + agent, agent,
                  agent % 2 ? "Miller" : "Jansen", state.mode, 2000 + agent,
                  static_cast<unsigned>(random() % 100), static_cast<unsigned>(random() % 10),
                  extState, agent % 7, 10 + agent % 5);
    return body;
}

std::vector<std::string> randomMessages(int count, std::mt19937& random) {
    std::vector<int> weights;
    for (const State& state : kStates) weights.push_back(state.weight);
    std::discrete_distribution<std::size_t> pickState(weights.begin(), weights.end());
    std::vector<std::string> messages;
    messages.reserve(count);
    for (int i = 0; i < count; ++i) {
        const State& state = kStates[pickState(random)];
        const char* extState = state.extStates[random() % state.extStates.size()];
        messages.push_back(
            agentMessage(static_cast<int32_t>(random() % kAgents), state, extState, random));
    }
    return messages;
}

void paint() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measureMessages(Board& board, const std::vector<std::string>& messages, bool painting) {
    const std::size_t count = painting ? kPaintedMessages : messages.size();
    const double start = threadSeconds();
    for (std::size_t i = 0; i < count; ++i) {
        board.receive(messages[i]);
        if (painting && i % kMessagesPerPaint == kMessagesPerPaint - 1) paint();
    }
    if (painting) paint();
    const double elapsed = threadSeconds() - start;
    std::printf("%-40s %10.0f messages/s  (%zu messages, %d rows at the end)\n",
                painting ? "messages, painted every 100:" : "messages, no painting:",
                static_cast<double>(count) / elapsed, count, board.placement.rowcount() - 1);
}

void measureRefresh(Board& board, bool painting) {
    std::vector<double> times;
    for (int pass = 0; pass < kRefreshes; ++pass) {
        const double start = threadSeconds();
        board.placement.refreshAgentRows();
        if (painting) paint();
        times.push_back((threadSeconds() - start) * 1000.0);
    }
    std::printf("%-40s %10.3f ms/refresh (median of %d, %d rows)\n",
                painting ? "full refresh with repaint:" : "full refresh:", median(times),
                kRefreshes, board.placement.rowcount() - 1);
}

}  // namespace

int main(int argc, char** argv) {
    preferOffscreenPlatform();
    QApplication application(argc, argv);
    ShownAgentGrid shown;

    Board board(shown.grid());
    std::mt19937 random(kRandomStart);
    for (int32_t agent = 0; agent < kAgents; ++agent) {
        board.receive(agentMessage(agent, kStates[0], "IDLE", random));
    }
    const std::vector<std::string> messages = randomMessages(kMessages, random);
    std::printf("agent board over the agent grid: %d agents, colours on, widget shown\n", kAgents);

    board.settings.hideLoggedOut = 1;
    measureMessages(board, messages, false);
    measureMessages(board, messages, true);

    board.settings.hideLoggedOut = 0;
    measureRefresh(board, false);
    measureRefresh(board, true);
    return 0;
}

#pragma once

#include <cstdint>
#include <string>

#include "board/agent_message.h"
#include "board/agent_table.h"
#include "board/row_placement.h"
#include "board/row_renderer.h"
#include "settings/board_settings.h"
#include "settings/colour_tables.h"
#include "settings/debug_log.h"
#include "support/fake_clock.h"
#include "support/recording_grid.h"
#include "support/recording_message_sink.h"

// The queue filter box as the test sets it; counts how often it is read.
class FakeQueueFilter final : public QueueFilterSource {
  public:
    std::string text;
    mutable int reads = 0;

    void readQueueFilter(char* out, std::size_t capacity) const override {
        ++reads;
        copyCut(out, capacity, text.c_str());
    }
};

// The whole board wired together over fakes: one agent table, a recording grid with its
// header row, the renderer and the placement. AUX titles start as the built-in ones.
struct BoardRig {
    AgentMessageScan scan;
    OptionTables tables;
    BoardSettings settings;
    FakeClock clock;
    RecordingMessageSink messages;
    DebugLog log{clock};
    AgentTable table{scan, tables.auxTitles, settings, clock, messages, log};
    RecordingGrid grid;
    RowRenderer renderer{grid, settings, tables, clock};
    FakeQueueFilter queueFilter;
    RowPlacement placement{grid, table, renderer, settings, queueFilter};

    BoardRig() {
        scan.compose();
        for (int number = AuxTitleTable::kFirst; number <= AuxTitleTable::kLast; ++number) {
            tables.auxTitles.title[number - AuxTitleTable::kFirst].assign(
                ("AUX" + std::to_string(number)).c_str());
        }
    }

    // The body of an agent message after "1008,".
    static std::string body(const std::string& id, const std::string& mode,
                            const std::string& dnstate = "IDLE", const std::string& queues = "Q1",
                            const std::string& extension = "2001") {
        return id + ",Name " + id + "," + mode + "," + extension + ",0,0," + dnstate + "," + queues;
    }

    int32_t apply(const std::string& text) { return table.update_agentTbl(text.c_str()); }

    // Applies a message and places the agent's row, as the dispatcher does.
    int32_t receive(const std::string& text) {
        const int32_t index = apply(text);
        if (index >= 0) placement.placeAgentRow(table.record(index));
        return index;
    }
};

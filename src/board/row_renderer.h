#pragma once

#include <cstdint>

#include "app/grid/grid_view.h"
#include "board/agent_record.h"
#include "settings/board_settings.h"
#include "settings/clock.h"
#include "settings/colour_tables.h"

// The Duration column's text: "     h:mm:ss" under a day, " ddd hh:mm:ss" up to 999 days,
// "#ERR" from 1000 days. A negative duration (the clock was set back) shows the same
// form with a '-' in place of its first blank.
void formatDuration(int64_t seconds, char (&text)[16]);

// Writes one agent record into one grid row, with its colours when -colors is on.
class RowRenderer {
  public:
    RowRenderer(GridView& grid, const BoardSettings& settings, const OptionTables& tables,
                const Clock& clock)
        : grid_(grid), settings_(settings), tables_(tables), clock_(clock) {}

    // `row` must exist already; writeId 1 also writes the agent id into column 0.
    void drawAgentRow(const AgentRecord& record, int32_t row, int writeId);

  private:
    int64_t durationOf(const AgentRecord& record) const;
    void drawColouredCells(const AgentRecord& record, int32_t row, int64_t duration,
                           const char* durationText);
    ColourPair durationColours(int modeSlot, int64_t duration) const;
    void setCellColours(const ColourPair& colours);

    GridView& grid_;
    const BoardSettings& settings_;
    const OptionTables& tables_;
    const Clock& clock_;
};

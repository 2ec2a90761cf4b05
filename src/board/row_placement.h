#pragma once

#include <cstddef>
#include <cstdint>

#include "app/grid/grid_view.h"
#include "board/agent_table.h"
#include "board/row_renderer.h"
#include "settings/board_settings.h"
#include "settings/fixed_text.h"

// The text of the queue filter box, read afresh at each placement and refresh.
class QueueFilterSource {
  public:
    virtual ~QueueFilterSource() = default;
    // The box's text cut to `capacity` characters (out holds capacity + 1).
    virtual void readQueueFilter(char* out, std::size_t capacity) const = 0;
};

// Decides which agents have a grid row and where. A row is found by the agent id in
// column 0; `rowcount` (header included) always equals the grid's row count.
class RowPlacement {
  public:
    static constexpr std::size_t kQueueFilterCapacity = 30;

    RowPlacement(GridView& grid, AgentTable& table, RowRenderer& renderer,
                 const BoardSettings& settings, const QueueFilterSource& queueFilter)
        : grid_(grid),
          table_(table),
          renderer_(renderer),
          settings_(settings),
          queueFilter_(queueFilter) {}

    // After an agent message changed `record`: redraw, append or remove its row.
    void placeAgentRow(const AgentRecord& record);
    // Re-filter the whole table and redraw every visible row in table order.
    void refreshAgentRows();

    int32_t rowcount() const { return rowcount_; }
    // Start-up: the grid holds its header row only.
    void resetToHeaderRow() { rowcount_ = 1; }

  private:
    using QueueFilter = FixedText<kQueueFilterCapacity>;

    // The agent's row (1 or more), or 0 when no row holds its id.
    int32_t findRow(const AgentRecord& record) const;
    bool hiddenByLoggedOut(const AgentRecord& record) const;
    static bool hiddenByQueueFilter(const AgentRecord& record, const QueueFilter& filter);
    void readQueueFilter(QueueFilter& filter) const;
    void appendRow(const AgentRecord& record);
    void removeRowOf(int32_t row);

    GridView& grid_;
    AgentTable& table_;
    RowRenderer& renderer_;
    const BoardSettings& settings_;
    const QueueFilterSource& queueFilter_;
    int32_t rowcount_ = 1;
};

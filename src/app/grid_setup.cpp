#include "app/grid_setup.h"

#include <cstdint>

namespace {

struct ColumnSetUp {
    const char* caption;
    int32_t twips;
};

constexpr ColumnSetUp kColumns[] = {
    {"AgentID", 800},   {"Agent name", 1600}, {"Mode", 1400},   {"Duration", 1000},
    {"Extension", 900}, {"ExtState", 1200},   {"Queues", 1200},
};

}  // namespace

void setUpAgentGrid(GridView& grid) {
    constexpr int32_t columnCount = sizeof(kColumns) / sizeof(kColumns[0]);
    grid.setColumnCount(columnCount);
    grid.setCurrentRow(0);
    for (int32_t column = 0; column < columnCount; ++column) {
        grid.setCellText(0, column, kColumns[column].caption);
        grid.setColumnWidth(column, kColumns[column].twips);
    }
    grid.setRowCount(1);
}

#include "app/grid_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_grid.h"

namespace {

TEST(GridSetUp, GivesSevenCaptionedColumnsInOrderAndKeepsOnlyTheHeaderRow) {
    RecordingGrid grid(2, 2);
    setUpAgentGrid(grid);

    const std::vector<std::string> expected = {
        "setColumnCount(7)",
        "setCurrentRow(0)",
        "setCellText(0,0,AgentID)",
        "setColumnWidth(0,800)",
        "setCellText(0,1,Agent name)",
        "setColumnWidth(1,1600)",
        "setCellText(0,2,Mode)",
        "setColumnWidth(2,1400)",
        "setCellText(0,3,Duration)",
        "setColumnWidth(3,1000)",
        "setCellText(0,4,Extension)",
        "setColumnWidth(4,900)",
        "setCellText(0,5,ExtState)",
        "setColumnWidth(5,1200)",
        "setCellText(0,6,Queues)",
        "setColumnWidth(6,1200)",
        "setRowCount(1)",
    };
    EXPECT_EQ(grid.calls, expected);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.getColumnCount(), 7);
    EXPECT_EQ(grid.text(0, 6), "Queues");
}

}  // namespace

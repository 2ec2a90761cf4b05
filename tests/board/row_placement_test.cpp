#include "board/row_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board_rig.h"

namespace {

class RowPlacementTest : public testing::Test {
  protected:
    BoardRig rig;
    RecordingGrid& grid = rig.grid;
    RowPlacement& placement = rig.placement;

    // The ids in column 0 of the data rows, top down.
    std::vector<std::string> shownIds() const {
        std::vector<std::string> ids;
        for (int32_t row = 1; row < grid.rowCount(); ++row) ids.push_back(grid.text(row, 0));
        return ids;
    }
    bool called(const std::string& call) const {
        return std::find(grid.calls.begin(), grid.calls.end(), call) != grid.calls.end();
    }
    void receiveAll(std::initializer_list<const char*> ids) {
        for (const char* id : ids) rig.receive(BoardRig::body(id, "READY"));
    }
};

TEST_F(RowPlacementTest, AppendsRedrawsAndRemovesTheOnlyRow) {
    rig.settings.hideLoggedOut = 1;
    rig.receive(BoardRig::body("A1", "READY"));
    EXPECT_TRUE(called("setRowCount(2)"));
    EXPECT_TRUE(called("setCellText(1,0,A1)"));
    EXPECT_EQ(2, placement.rowcount());
    EXPECT_EQ(std::vector<std::string>{"A1"}, shownIds());

    grid.clearCalls();
    rig.receive(BoardRig::body("A1", "ACD"));
    EXPECT_TRUE(called("setCellText(1,2,ACD)"));
    EXPECT_FALSE(called("setCellText(1,0,A1)"));
    EXPECT_FALSE(called("setRowCount(3)"));
    EXPECT_EQ(2, placement.rowcount());

    grid.clearCalls();
    rig.receive(BoardRig::body("A1", "LOGGEDOUT"));
    EXPECT_EQ(std::vector<std::string>{"setRowCount(1)"}, grid.calls);
    EXPECT_EQ(1, placement.rowcount());
    EXPECT_EQ(1, grid.rowCount());

    grid.clearCalls();
    rig.queueFilter.reads = 0;
    rig.receive(BoardRig::body("A1", "LOGGEDOUT"));
    rig.receive(BoardRig::body("N1", "LOGGEDOUT"));
    EXPECT_TRUE(grid.calls.empty());
    EXPECT_EQ(2, rig.table.count());
    EXPECT_EQ(0, rig.queueFilter.reads);  // the logged-out test already hid them
}

TEST_F(RowPlacementTest, RemovingAMiddleRowMovesTheRowsBelowUp) {
    receiveAll({"A1", "B2", "C3"});
    rig.queueFilter.text = "Q1";
    grid.clearCalls();
    rig.receive(BoardRig::body("B2", "READY", "IDLE", "Q7"));
    EXPECT_EQ(std::vector<std::string>{"removeRow(2)"}, grid.calls);
    EXPECT_EQ(3, placement.rowcount());
    EXPECT_EQ((std::vector<std::string>{"A1", "C3"}), shownIds());

    grid.clearCalls();
    rig.receive(BoardRig::body("C3", "ACD"));
    EXPECT_TRUE(called("setCellText(2,2,ACD)"));
    EXPECT_FALSE(called("setRowCount(4)"));
}

TEST_F(RowPlacementTest, AnAgentThatBecomesVisibleIsAppendedAtTheBottom) {
    rig.settings.hideLoggedOut = 1;
    rig.receive(BoardRig::body("A1", "LOGGEDOUT"));
    receiveAll({"B2"});
    rig.receive(BoardRig::body("A1", "READY"));
    EXPECT_EQ((std::vector<std::string>{"B2", "A1"}), shownIds());
    EXPECT_EQ(3, placement.rowcount());
}

TEST_F(RowPlacementTest, TheUpperOfTwoRowsWithTheSameIdIsTheAgentsRow) {
    receiveAll({"B2", "A1"});
    grid.cells[1][0].text = "A1";
    grid.clearCalls();
    rig.receive(BoardRig::body("A1", "ACD"));
    EXPECT_TRUE(called("setCellText(1,2,ACD)"));
    EXPECT_FALSE(called("setCellText(2,2,ACD)"));
}

TEST_F(RowPlacementTest, ARowTheGridCannotReadHoldsNoAgent) {
    receiveAll({"A1"});
    grid.cells.resize(1);  // the grid lost the row behind the placement's back
    grid.clearCalls();
    rig.receive(BoardRig::body("A1", "ACD"));
    EXPECT_TRUE(called("setRowCount(3)"));
    EXPECT_EQ(3, placement.rowcount());
}

TEST_F(RowPlacementTest, QueueFilterIsACaseSensitiveSubstringOfAtMost30Characters) {
    const std::string first30 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
    struct Case {
        std::string filter;
        std::string queues;
        bool visible;
    };
    const Case cases[] = {
        {"", "Q1", true},
        {"Q1", "Q1", true},
        {"Q1", "Q10,Q2", true},
        {"Q1", "Q2,Q11", true},
        {"q1", "Q1", false},
        {"Q3", "Q1,Q2", false},
        {"1,Q", "Q1,Q2", true},
        {" ", "Q1", false},
        {first30 + "XYZ", "x" + first30, true},
        {first30 + "XYZ", "x" + first30.substr(0, 29), false},
    };
    for (const Case& c : cases) {
        BoardRig fresh;
        fresh.queueFilter.text = c.filter;
        fresh.receive(BoardRig::body("A1", "READY", "IDLE", c.queues));
        EXPECT_EQ(c.visible ? 2 : 1, fresh.placement.rowcount()) << c.filter << " / " << c.queues;
        fresh.placement.refreshAgentRows();
        EXPECT_EQ(c.visible ? 0 : 1, fresh.table.record(0).hidden) << c.filter << " / " << c.queues;
    }
}

TEST_F(RowPlacementTest, RefreshLaysOutVisibleAgentsInTableOrder) {
    receiveAll({"A1", "B2", "C3", "D4"});
    rig.queueFilter.text = "Q1";
    rig.receive(BoardRig::body("B2", "READY", "IDLE", "Q2"));
    rig.queueFilter.text = "";
    rig.receive(BoardRig::body("B2", "READY", "IDLE", "Q2"));  // appended at the bottom
    ASSERT_EQ((std::vector<std::string>{"A1", "C3", "D4", "B2"}), shownIds());

    rig.queueFilter.reads = 0;
    grid.clearCalls();
    placement.refreshAgentRows();
    EXPECT_EQ((std::vector<std::string>{"A1", "B2", "C3", "D4"}), shownIds());
    EXPECT_EQ(1, rig.queueFilter.reads);
    EXPECT_FALSE(std::any_of(grid.calls.begin(), grid.calls.end(), [](const std::string& call) {
        return call.rfind("setRowCount", 0) == 0;
    }));
    for (const char* call : {"setCellText(1,0,A1)", "setCellText(2,0,B2)", "setCellText(3,0,C3)",
                             "setCellText(4,0,D4)"}) {
        EXPECT_TRUE(called(call)) << call;
    }

    rig.queueFilter.text = "Q1";
    grid.clearCalls();
    placement.refreshAgentRows();
    EXPECT_EQ("setRowCount(4)", grid.calls.front());
    EXPECT_EQ((std::vector<std::string>{"A1", "C3", "D4"}), shownIds());
    EXPECT_EQ(4, placement.rowcount());
    EXPECT_EQ(1, rig.table.record(1).hidden);
    EXPECT_EQ(0, rig.table.record(2).hidden);
}

TEST_F(RowPlacementTest, RefreshWithNothingVisibleLeavesTheHeaderRow) {
    receiveAll({"A1", "B2"});
    rig.queueFilter.text = "nowhere";
    grid.clearCalls();
    placement.refreshAgentRows();
    EXPECT_EQ(std::vector<std::string>{"setRowCount(1)"}, grid.calls);
    EXPECT_EQ(1, placement.rowcount());

    grid.clearCalls();
    placement.refreshAgentRows();
    EXPECT_TRUE(grid.calls.empty());
}

TEST_F(RowPlacementTest, RefreshHidesLoggedOutAgentsOnlyWhileAsked) {
    receiveAll({"A1"});
    rig.receive(BoardRig::body("B2", "LOGGEDOUT"));
    rig.settings.hideLoggedOut = 1;
    placement.refreshAgentRows();
    EXPECT_EQ(std::vector<std::string>{"A1"}, shownIds());
    rig.settings.hideLoggedOut = 0;
    placement.refreshAgentRows();
    EXPECT_EQ((std::vector<std::string>{"A1", "B2"}), shownIds());
}

}  // namespace

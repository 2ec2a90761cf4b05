#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "app/grid/cell_store.h"
#include "grid_fixture.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

class GridCellsTest : public GridFixture {};

TEST_F(GridCellsTest, IndexesOutsideTheGridAreRejectedAndChangeNothing) {
    fillRows(3);
    ASSERT_TRUE(colourCell(1, 1, 0x0000FF, 0x00FF00));
    int16_t code = 0;
    int32_t twips = 0;
    const std::vector<std::pair<const char*, std::function<bool()>>> rejected = {
        {"setCellText row -1", [&] { return grid->setCellText(-1, 0, "x"); }},
        {"setCellText row past end", [&] { return grid->setCellText(3, 0, "x"); }},
        {"setCellText column past end", [&] { return grid->setCellText(1, 7, "x"); }},
        {"setCellText column -1", [&] { return grid->setCellText(1, -1, "x"); }},
        {"setCurrentRow -1", [&] { return grid->setCurrentRow(-1); }},
        {"setCurrentRow past end", [&] { return grid->setCurrentRow(3); }},
        {"setCurrentColumn -1", [&] { return grid->setCurrentColumn(-1); }},
        {"setCurrentColumn past end", [&] { return grid->setCurrentColumn(7); }},
        {"getColumnWidth past end", [&] { return grid->getColumnWidth(7, twips); }},
        {"setColumnWidth -1", [&] { return grid->setColumnWidth(-1, 500); }},
        {"setColumnWidth negative twips", [&] { return grid->setColumnWidth(2, -1); }},
        {"getColumnAlignment -1", [&] { return grid->getColumnAlignment(-1, code); }},
        {"setColumnAlignment past end", [&] { return grid->setColumnAlignment(7, 4); }},
        {"removeRow header", [&] { return grid->removeRow(0); }},
        {"removeRow -1", [&] { return grid->removeRow(-1); }},
        {"removeRow past end", [&] { return grid->removeRow(3); }},
        {"setRowCount 0", [&] { return grid->setRowCount(0); }},
        {"setRowCount over capacity", [&] { return grid->setRowCount(CellStore::kMaxRows + 1); }},
        {"setColumnCount 0", [&] { return grid->setColumnCount(0); }},
        {"setColumnCount over capacity",
         [&] { return grid->setColumnCount(CellStore::kMaxColumns + 1); }},
    };
    for (const auto& [name, operation] : rejected) EXPECT_FALSE(operation()) << name;

    for (auto [row, column] :
         {std::pair{-1, 0}, {3, 0}, {0, 7}, {0, -1}, {std::numeric_limits<int32_t>::max(), 0}})
        EXPECT_EQ(grid->getCellText(row, column), nullptr) << row << "," << column;

    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->getColumnCount(), 7);
    EXPECT_EQ(text(2, 6), "r2c6");
    ASSERT_TRUE(grid->getColumnWidth(2, twips));
    EXPECT_EQ(twips, 1400);
    // The current cell did not move: the colours still go to row 1, column 1.
    EXPECT_TRUE(grid->setCellBackColour(0x123456));
    EXPECT_EQ(backAt(1, 1), 0x123456u);
}

TEST_F(GridCellsTest, ColoursAreRejectedOnceTheCurrentCellHasGone) {
    fillRows(4);
    ASSERT_TRUE(grid->setCurrentRow(3));
    ASSERT_TRUE(grid->setCurrentColumn(6));
    ASSERT_TRUE(grid->setRowCount(3));
    EXPECT_FALSE(grid->setCellForeColour(0x0000FF));
    ASSERT_TRUE(grid->setColumnCount(5));
    ASSERT_TRUE(grid->setRowCount(4));
    EXPECT_FALSE(grid->setCellBackColour(0x0000FF)) << "column 6 is gone";
    EXPECT_EQ(backAt(3, 4), kWhite);
}

TEST_F(GridCellsTest, RowCountKeepsTheRowsUnderItAndAddsEmptyDefaultRows) {
    fillRows(5);
    for (int32_t row = 1; row < 5; ++row) ASSERT_TRUE(colourCell(row, 2, 0x0000FF, 0xFF0000));

    ASSERT_TRUE(grid->setRowCount(3));
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->getCellText(3, 0), nullptr);
    ASSERT_TRUE(grid->setRowCount(6));

    EXPECT_EQ(text(0, 0), "AgentID");
    for (int32_t row = 1; row < 3; ++row) {
        EXPECT_EQ(text(row, 3), cellName(row, 3));
        EXPECT_EQ(foreAt(row, 2), 0x0000FFu);
        EXPECT_EQ(backAt(row, 2), 0xFF0000u);
    }
    // Rows 3 and 4 held text and colours before the count went down: none of it comes back.
    for (int32_t row = 3; row < 6; ++row)
        for (int32_t column = 0; column < 7; ++column) {
            EXPECT_EQ(text(row, column), "") << row << "," << column;
            EXPECT_EQ(foreAt(row, column), kBlack);
            EXPECT_EQ(backAt(row, column), kWhite);
        }

    ASSERT_TRUE(grid->setRowCount(CellStore::kMaxRows));
    EXPECT_TRUE(grid->setCellText(CellStore::kMaxRows - 1, 6, "last"));
    EXPECT_EQ(text(CellStore::kMaxRows - 1, 6), "last");
}

TEST_F(GridCellsTest, ColumnsAddedAgainStartEmpty) {
    fillRows(3);
    ASSERT_TRUE(colourCell(1, 5, 0x0000FF, 0x00FF00));
    ASSERT_TRUE(grid->setColumnCount(3));
    EXPECT_EQ(grid->model()->columnCount(), 3);
    ASSERT_TRUE(grid->setColumnCount(7));
    EXPECT_EQ(text(1, 5), "");
    EXPECT_EQ(text(0, 5), "");
    EXPECT_EQ(foreAt(1, 5), kBlack);
    EXPECT_EQ(backAt(1, 5), kWhite);
    EXPECT_EQ(text(1, 2), "r1c2");
}

TEST_F(GridCellsTest, RemovedRowLetsTheRowsBelowMoveUpWithTextAndColours) {
    fillRows(5);
    const uint32_t fores[] = {0, 0x000011, 0x000022, 0x000033, 0x000044};
    const uint32_t backs[] = {0, 0x110000, 0x220000, 0x330000, 0x440000};
    for (int32_t row = 1; row < 5; ++row) ASSERT_TRUE(colourCell(row, 3, fores[row], backs[row]));

    ASSERT_TRUE(grid->removeRow(2));
    EXPECT_EQ(grid->model()->rowCount(), 3);
    const int32_t sourceRow[] = {0, 1, 3, 4};
    for (int32_t row = 1; row < 4; ++row) {
        EXPECT_EQ(text(row, 0), cellName(sourceRow[row], 0));
        EXPECT_EQ(text(row, 6), cellName(sourceRow[row], 6));
        EXPECT_EQ(foreAt(row, 3), fores[sourceRow[row]]);
        EXPECT_EQ(backAt(row, 3), backs[sourceRow[row]]);
    }
    EXPECT_EQ(grid->getCellText(4, 0), nullptr);

    ASSERT_TRUE(grid->removeRow(3));  // the last row
    ASSERT_TRUE(grid->removeRow(1));
    EXPECT_EQ(text(1, 0), "r3c0");
    EXPECT_EQ(text(0, 1), "Agent name");

    // The rows given up are reused clean when the count grows again.
    ASSERT_TRUE(grid->setRowCount(5));
    for (int32_t row = 2; row < 5; ++row) {
        EXPECT_EQ(text(row, 0), "");
        EXPECT_EQ(foreAt(row, 3), kBlack);
        EXPECT_EQ(backAt(row, 3), kWhite);
    }
}

TEST_F(GridCellsTest, ColoursGoToTheCurrentCellOnlyAndStay) {
    fillRows(4);
    ASSERT_TRUE(grid->setCurrentRow(2));
    ASSERT_TRUE(grid->setCurrentColumn(3));
    // Writing other cells does not move the current cell.
    ASSERT_TRUE(grid->setCellText(1, 5, "elsewhere"));
    ASSERT_TRUE(grid->setCellForeColour(0x0000FF));  // red in 0x00BBGGRR
    ASSERT_TRUE(grid->setCellBackColour(0xFF8000));

    EXPECT_EQ(shown(2, 3, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(shown(2, 3, Qt::BackgroundRole).value<QColor>(), QColor(0, 128, 255));
    for (int32_t row = 1; row < 4; ++row)
        for (int32_t column = 0; column < 7; ++column) {
            if (row == 2 && column == 3) continue;
            EXPECT_EQ(foreAt(row, column), kBlack) << row << "," << column;
            EXPECT_EQ(backAt(row, column), kWhite) << row << "," << column;
        }

    ASSERT_TRUE(grid->setCellText(2, 3, "new text"));
    EXPECT_EQ(foreAt(2, 3), 0x0000FFu);
    EXPECT_EQ(backAt(2, 3), 0xFF8000u);
}

TEST_F(GridCellsTest, TextsAreSingleByteAndCutAtTheCapacity) {
    fillRows(2);
    const std::string longText(300, 'x');
    ASSERT_TRUE(grid->setCellText(1, 1, longText.c_str()));
    EXPECT_EQ(text(1, 1), std::string(GridView::kCellTextCapacity, 'x'));

    ASSERT_TRUE(grid->setCellText(1, 2, "Ren\xE9 M\xFCller"));
    EXPECT_EQ(shown(1, 2, Qt::DisplayRole).toString(), QString::fromUtf8("René Müller"));
    EXPECT_EQ(text(1, 2), "Ren\xE9 M\xFCller");

    ASSERT_TRUE(grid->setCellText(1, 3, nullptr));
    EXPECT_EQ(text(1, 3), "");

    // The header row is a row of the grid: its texts are the captions the view shows.
    ASSERT_TRUE(grid->setCellText(0, 3, "Time"));
    EXPECT_EQ(text(0, 3), "Time");
    EXPECT_EQ(grid->model()->headerData(3, Qt::Horizontal).toString(), "Time");
}

TEST_F(GridCellsTest, AlignmentCodesAreKeptPerColumnAndAppliedToDataCells) {
    fillRows(2);
    const int16_t asCreated[] = {1, 1, 4, 7, 4, 4, 1};
    for (int32_t column = 0; column < 7; ++column) {
        int16_t code = -1;
        ASSERT_TRUE(grid->getColumnAlignment(column, code));
        EXPECT_EQ(code, asCreated[column]) << column;
    }

    const std::vector<std::pair<int16_t, Qt::Alignment>> codes = {
        {0, Qt::AlignLeft | Qt::AlignTop},        {1, Qt::AlignLeft | Qt::AlignVCenter},
        {4, Qt::AlignHCenter | Qt::AlignVCenter}, {7, Qt::AlignRight | Qt::AlignVCenter},
        {8, Qt::AlignRight | Qt::AlignBottom},    {9, Qt::AlignLeft | Qt::AlignVCenter},
        {-3, Qt::AlignLeft | Qt::AlignVCenter},
    };
    for (const auto& [code, alignment] : codes) {
        ASSERT_TRUE(grid->setColumnAlignment(5, code));
        int16_t stored = 0;
        ASSERT_TRUE(grid->getColumnAlignment(5, stored));
        EXPECT_EQ(stored, code);
        EXPECT_EQ(shown(1, 5, Qt::TextAlignmentRole).value<Qt::Alignment>(), alignment) << code;
    }
}

TEST_F(GridCellsTest, RightAlignedCellsAreShownWithoutTheirPaddingBlanks) {
    fillRows(2);
    grid->setCellText(1, 3, "     0:03:04");  // Duration, right-aligned as created
    grid->setCellText(1, 1, "  Ann");         // Agent name, left-aligned
    EXPECT_EQ(shown(1, 3, Qt::DisplayRole).toString(), "0:03:04");
    EXPECT_EQ(shown(1, 1, Qt::DisplayRole).toString(), "  Ann");
    EXPECT_EQ(text(1, 3), "     0:03:04") << "the cell keeps its text as written";
}

}  // namespace

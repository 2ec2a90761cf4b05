#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "app/grid/grid_view.h"
#include "settings/fixed_text.h"

// The grid's cells in one block allocated when the grid is made: every cell has room for its
// longest text and its two colours, so writing a cell never allocates. Rows reach their cells
// through a table of slots, so removing a row shifts a few slot numbers, not the cells.
class CellStore {
  public:
    // 400 agents and the header row, with room to spare.
    static constexpr int32_t kMaxRows = 1024;
    static constexpr int32_t kMaxColumns = 16;
    static constexpr uint32_t kDefaultFore = 0x000000;  // black
    static constexpr uint32_t kDefaultBack = 0xFFFFFF;  // white

    struct Cell {
        FixedText<GridView::kCellTextCapacity> text;
        uint32_t fore = kDefaultFore;
        uint32_t back = kDefaultBack;
    };

    CellStore(int32_t rows, int32_t columns);

    int32_t rowCount() const { return rows_; }
    int32_t columnCount() const { return columns_; }
    bool contains(int32_t row, int32_t column) const {
        return row >= 0 && row < rows_ && column >= 0 && column < columns_;
    }

    // nullptr for a cell outside the grid.
    const Cell* cell(int32_t row, int32_t column) const;
    Cell* cell(int32_t row, int32_t column);

    // Both reject a count below 1 or above the capacity. Rows and columns that come into use
    // start empty with the default colours.
    bool setRowCount(int32_t rows);
    bool setColumnCount(int32_t columns);

    // Moves the rows below up by one; row 0 cannot be removed.
    bool removeRow(int32_t row);

  private:
    Cell* slotCells(uint16_t slot) { return &cells_[static_cast<std::size_t>(slot) * kMaxColumns]; }
    void clearCells(uint16_t slot, int32_t fromColumn, int32_t toColumn);

    std::unique_ptr<Cell[]> cells_;
    std::array<uint16_t, kMaxRows> slotOfRow_{};
    int32_t rows_ = 0;
    int32_t columns_ = 0;
};

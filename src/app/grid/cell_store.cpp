#include "app/grid/cell_store.h"

#include <algorithm>
#include <numeric>
#include <utility>

CellStore::CellStore(int32_t rows, int32_t columns)
    : cells_(std::make_unique<Cell[]>(static_cast<std::size_t>(kMaxRows) * kMaxColumns)) {
    std::iota(slotOfRow_.begin(), slotOfRow_.end(), uint16_t{0});
    setColumnCount(columns);
    setRowCount(rows);
}

const CellStore::Cell* CellStore::cell(int32_t row, int32_t column) const {
    if (!contains(row, column)) return nullptr;
    return &cells_[static_cast<std::size_t>(slotOfRow_[row]) * kMaxColumns + column];
}

CellStore::Cell* CellStore::cell(int32_t row, int32_t column) {
    return const_cast<Cell*>(std::as_const(*this).cell(row, column));
}

bool CellStore::setRowCount(int32_t rows) {
    if (rows < 1 || rows > kMaxRows) return false;
    for (int32_t row = rows_; row < rows; ++row) clearCells(slotOfRow_[row], 0, columns_);
    rows_ = rows;
    return true;
}

bool CellStore::setColumnCount(int32_t columns) {
    if (columns < 1 || columns > kMaxColumns) return false;
    // Cells of columns given up earlier may still hold text: the added columns start clean.
    for (int32_t row = 0; row < rows_; ++row) clearCells(slotOfRow_[row], columns_, columns);
    columns_ = columns;
    return true;
}

bool CellStore::removeRow(int32_t row) {
    if (row < 1 || row >= rows_) return false;
    // The removed row's slot goes to the end, where it is cleared if the row count grows again.
    std::rotate(slotOfRow_.begin() + row, slotOfRow_.begin() + row + 1, slotOfRow_.begin() + rows_);
    --rows_;
    return true;
}

void CellStore::clearCells(uint16_t slot, int32_t fromColumn, int32_t toColumn) {
    Cell* cells = slotCells(slot);
    for (int32_t column = fromColumn; column < toColumn; ++column) cells[column] = Cell{};
}

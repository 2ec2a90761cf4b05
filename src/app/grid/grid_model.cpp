#include "app/grid/grid_model.h"

#include <QColor>
#include <algorithm>

namespace {

constexpr int32_t kColumnsAsCreated = 7;
constexpr std::array<int16_t, kColumnsAsCreated> kAlignmentsAsCreated = {
    GridModel::kAlignLeft,  GridModel::kAlignLeft,   GridModel::kAlignCentre,
    GridModel::kAlignRight, GridModel::kAlignCentre, GridModel::kAlignCentre,
    GridModel::kAlignLeft};

Qt::Alignment alignmentOf(int16_t code) {
    if (code < 0 || code > 8) return Qt::AlignLeft | Qt::AlignVCenter;
    constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return kHorizontal[code / 3] | kVertical[code % 3];
}

// Right-aligned cells are shown without their leading blanks: the blanks only pad a text to a
// fixed width, and in a proportional font they would push the digits out of a narrow column.
// The cell keeps its text as written.
const char* shownText(const char* text, int16_t alignmentCode) {
    if (alignmentOf(alignmentCode) & Qt::AlignRight) {
        while (*text == ' ') ++text;
    }
    return text;
}

// Colours are 0x00BBGGRR.
QColor colourOf(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent), store_(1, kColumnsAsCreated) {
    resetAlignments(0);
}

bool GridModel::setText(int32_t row, int32_t column, const char* text) {
    return changeCell(row, column, [text](CellStore::Cell& cell) { cell.text.assign(text); });
}

bool GridModel::setForeColour(int32_t row, int32_t column, uint32_t colour) {
    return changeCell(row, column, [colour](CellStore::Cell& cell) { cell.fore = colour; });
}

bool GridModel::setBackColour(int32_t row, int32_t column, uint32_t colour) {
    return changeCell(row, column, [colour](CellStore::Cell& cell) { cell.back = colour; });
}

bool GridModel::setRowCount(int32_t rows) {
    const int32_t before = store_.rowCount();
    if (rows < 1 || rows > CellStore::kMaxRows) return false;
    if (rows < before) {
        beginRemoveRows(QModelIndex(), rows - 1, before - 2);
        store_.setRowCount(rows);
        endRemoveRows();
    } else if (rows > before) {
        beginInsertRows(QModelIndex(), before - 1, rows - 2);
        store_.setRowCount(rows);
        endInsertRows();
    }
    return true;
}

bool GridModel::setColumnCount(int32_t columns) {
    const int32_t before = store_.columnCount();
    if (columns < 1 || columns > CellStore::kMaxColumns) return false;
    if (columns < before) {
        beginRemoveColumns(QModelIndex(), columns, before - 1);
        store_.setColumnCount(columns);
        endRemoveColumns();
    } else if (columns > before) {
        beginInsertColumns(QModelIndex(), before, columns - 1);
        store_.setColumnCount(columns);
        resetAlignments(before);
        endInsertColumns();
    }
    return true;
}

bool GridModel::removeRow(int32_t row) {
    if (row < 1 || row >= store_.rowCount()) return false;
    beginRemoveRows(QModelIndex(), row - 1, row - 1);
    store_.removeRow(row);
    endRemoveRows();
    // Cells collected below the removed row moved up; widening the region keeps them covered.
    if (!changed_.empty() && changed_.bottom >= row) changed_.top = std::min(changed_.top, row);
    return true;
}

bool GridModel::alignment(int32_t column, int16_t& code) const {
    if (column < 0 || column >= store_.columnCount()) return false;
    code = alignments_[column];
    return true;
}

bool GridModel::setAlignment(int32_t column, int16_t code) {
    if (column < 0 || column >= store_.columnCount()) return false;
    alignments_[column] = code;
    cellsChanged(1, store_.rowCount() - 1, column, column);
    return true;
}

void GridModel::suspendChangeSignals() {
    suspended_ = true;
}

void GridModel::resumeChangeSignals() {
    if (!suspended_) return;
    suspended_ = false;
    if (changed_.empty()) return;
    // Rows may have gone since the cells were collected.
    const int32_t bottom = std::min(changed_.bottom, store_.rowCount() - 1);
    const int32_t right = std::min(changed_.right, store_.columnCount() - 1);
    const ChangedRegion region = changed_;
    changed_ = ChangedRegion{};
    if (region.top <= bottom && region.left <= right)
        announce(region.top, bottom, region.left, right);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.rowCount() - 1;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    const CellStore::Cell* cell = store_.cell(index.row() + 1, index.column());
    if (!index.isValid() || cell == nullptr) return {};
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromLatin1(shownText(cell->text.c_str(), alignments_[index.column()]));
        case Qt::ForegroundRole:
            return colourOf(cell->fore);
        case Qt::BackgroundRole:
            return colourOf(cell->back);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignmentOf(alignments_[index.column()]));
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    const CellStore::Cell* cell = store_.cell(0, section);
    if (cell == nullptr) return {};
    if (role == Qt::DisplayRole) return QString::fromLatin1(cell->text.c_str());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

void GridModel::cellsChanged(int32_t fromRow, int32_t toRow, int32_t fromColumn, int32_t toColumn) {
    if (fromRow > toRow) return;
    if (suspended_)
        changed_.add(fromRow, toRow, fromColumn, toColumn);
    else
        announce(fromRow, toRow, fromColumn, toColumn);
}

void GridModel::announce(int32_t fromRow, int32_t toRow, int32_t fromColumn, int32_t toColumn) {
    if (fromRow == 0) emit headerDataChanged(Qt::Horizontal, fromColumn, toColumn);
    const int32_t firstDataRow = std::max(fromRow, 1);
    if (firstDataRow <= toRow)
        emit dataChanged(index(firstDataRow - 1, fromColumn), index(toRow - 1, toColumn));
}

void GridModel::resetAlignments(int32_t fromColumn) {
    for (int32_t column = fromColumn; column < CellStore::kMaxColumns; ++column)
        alignments_[column] =
            column < kColumnsAsCreated ? kAlignmentsAsCreated[column] : kAlignLeft;
}

void GridModel::ChangedRegion::add(int32_t fromRow, int32_t toRow, int32_t fromColumn,
                                   int32_t toColumn) {
    if (empty()) {
        *this = {fromRow, fromColumn, toRow, toColumn};
        return;
    }
    top = std::min(top, fromRow);
    left = std::min(left, fromColumn);
    bottom = std::max(bottom, toRow);
    right = std::max(right, toColumn);
}

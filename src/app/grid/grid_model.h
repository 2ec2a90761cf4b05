#pragma once

#include <QAbstractTableModel>
#include <array>
#include <cstdint>

#include "app/grid/cell_store.h"

// Shows a CellStore to a table view: grid row 0 is the horizontal header, grid rows 1 on are
// the model's rows 0 on. While painting is suspended the model collects the cells it changed
// and announces them with one signal when painting resumes.
class GridModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    // Alignment codes: horizontal part code / 3 (left, centre, right), vertical part code % 3
    // (top, centre, bottom). Other codes are kept as given and shown left, centred vertically.
    static constexpr int16_t kAlignLeft = 1;
    static constexpr int16_t kAlignCentre = 4;
    static constexpr int16_t kAlignRight = 7;

    explicit GridModel(QObject* parent = nullptr);

    const CellStore& store() const { return store_; }

    // Each returns false, changing nothing, for a cell, row, column or count the grid rejects.
    bool setText(int32_t row, int32_t column, const char* text);
    bool setForeColour(int32_t row, int32_t column, uint32_t colour);
    bool setBackColour(int32_t row, int32_t column, uint32_t colour);
    bool setRowCount(int32_t rows);
    bool setColumnCount(int32_t columns);
    bool removeRow(int32_t row);
    bool alignment(int32_t column, int16_t& code) const;
    bool setAlignment(int32_t column, int16_t code);

    // While suspended, changes to cells are collected instead of announced.
    void suspendChangeSignals();
    void resumeChangeSignals();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    // The bounding box, in grid rows and columns, of the cells changed while suspended.
    struct ChangedRegion {
        int32_t top = 0;
        int32_t left = 0;
        int32_t bottom = -1;
        int32_t right = -1;

        bool empty() const { return bottom < top; }
        void add(int32_t fromRow, int32_t toRow, int32_t fromColumn, int32_t toColumn);
    };

    template <typename Change>
    bool changeCell(int32_t row, int32_t column, Change change) {
        CellStore::Cell* cell = store_.cell(row, column);
        if (cell == nullptr) return false;
        change(*cell);
        cellsChanged(row, row, column, column);
        return true;
    }
    void cellsChanged(int32_t fromRow, int32_t toRow, int32_t fromColumn, int32_t toColumn);
    void announce(int32_t fromRow, int32_t toRow, int32_t fromColumn, int32_t toColumn);
    void resetAlignments(int32_t fromColumn);

    CellStore store_;
    std::array<int16_t, CellStore::kMaxColumns> alignments_{};
    bool suspended_ = false;
    ChangedRegion changed_;
};

#pragma once

#include <QString>
#include <QTableView>
#include <array>
#include <cstdint>

#include "app/grid/cell_store.h"
#include "app/grid/grid_view.h"

class GridModel;

// The agent grid, hosted by the main window as control 1012. Row 0 is the header row: the
// view shows it as a frozen column header that stays in place while the data rows scroll.
// Users cannot edit or select cells; the program writes them through GridView.
//
// Beware: setColumnWidth here takes twips and hides the table view's pixel version.
class CMsflexgrid1 : public QTableView, public GridView {
    Q_OBJECT

  public:
    explicit CMsflexgrid1(QWidget* parent = nullptr);
    ~CMsflexgrid1() override;

    bool setRowCount(int32_t rows) override;
    bool setColumnCount(int32_t columns) override;
    int32_t getColumnCount() const override;

    bool setCurrentRow(int32_t row) override;
    bool setCurrentColumn(int32_t column) override;

    void setRedraw(bool enabled) override;

    bool setCellBackColour(uint32_t colour) override;
    bool setCellForeColour(uint32_t colour) override;

    bool getColumnAlignment(int32_t column, int16_t& code) const override;
    bool setColumnAlignment(int32_t column, int16_t code) override;
    bool getColumnWidth(int32_t column, int32_t& twips) const override;
    bool setColumnWidth(int32_t column, int32_t twips) override;

    const char* getCellText(int32_t row, int32_t column) const override;
    bool setCellText(int32_t row, int32_t column, const char* text) override;

    bool removeRow(int32_t row) override;

    float getFontSize() const override;
    void setFontSize(float points) override;

    PixelSize getWindowSize() const override;
    void setWindowSize(int32_t width, int32_t height) override;

  private:
    void holdPaintingWhileSuspended();
    void applyFont();
    void applyColumnWidth(int32_t column);
    int columnPixels(int32_t twips) const;

    GridModel* model_;
    QString fontFamily_;
    bool suspended_ = false;
    bool paintingHeld_ = false;
    int32_t currentRow_ = 0;
    int32_t currentColumn_ = 0;
    float fontSize_;
    std::array<int32_t, CellStore::kMaxColumns> widthTwips_{};
};

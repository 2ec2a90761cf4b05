#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/grid/grid_view.h"

// An in-memory grid that keeps cells like the real one and logs every call, so tests can
// check both the outcome and the exact sequence of grid operations.
class RecordingGrid final : public GridView {
  public:
    struct Cell {
        std::string text;
        uint32_t fore = 0x000000;
        uint32_t back = 0xFFFFFF;
    };

    std::vector<std::string> calls;
    std::vector<std::vector<Cell>> cells;  // [row][column]
    std::vector<int32_t> widths;
    std::vector<int16_t> alignments;
    int32_t currentRow = 0;
    int32_t currentColumn = 0;
    bool redraw = true;
    float fontSize = 9.75f;
    PixelSize windowSize{573, 497};

    explicit RecordingGrid(int32_t rows = 1, int32_t columns = 7) {
        setColumnCount(columns);
        setRowCount(rows);
        calls.clear();
    }

    int32_t rowCount() const { return static_cast<int32_t>(cells.size()); }
    const std::string& text(int32_t row, int32_t column) const { return cells[row][column].text; }
    void clearCalls() { calls.clear(); }

    bool setRowCount(int32_t rows) override {
        log("setRowCount", rows);
        if (rows < 1) return false;
        cells.resize(rows, std::vector<Cell>(columnCount()));
        return true;
    }
    bool setColumnCount(int32_t columns) override {
        log("setColumnCount", columns);
        if (columns < 1) return false;
        for (auto& row : cells) row.resize(columns);
        widths.resize(columns, 960);
        alignments.resize(columns, 0);
        return true;
    }
    int32_t getColumnCount() const override { return columnCount(); }
    bool setCurrentRow(int32_t row) override {
        log("setCurrentRow", row);
        if (row < 0 || row >= rowCount()) return false;
        currentRow = row;
        return true;
    }
    bool setCurrentColumn(int32_t column) override {
        log("setCurrentColumn", column);
        if (column < 0 || column >= columnCount()) return false;
        currentColumn = column;
        return true;
    }
    void setRedraw(bool enabled) override {
        log("setRedraw", enabled ? 1 : 0);
        redraw = enabled;
    }
    bool setCellBackColour(uint32_t colour) override {
        log("setCellBackColour", static_cast<int64_t>(colour));
        if (!validCell(currentRow, currentColumn)) return false;
        cells[currentRow][currentColumn].back = colour;
        return true;
    }
    bool setCellForeColour(uint32_t colour) override {
        log("setCellForeColour", static_cast<int64_t>(colour));
        if (!validCell(currentRow, currentColumn)) return false;
        cells[currentRow][currentColumn].fore = colour;
        return true;
    }
    bool getColumnAlignment(int32_t column, int16_t& code) const override {
        if (column < 0 || column >= columnCount()) return false;
        code = alignments[column];
        return true;
    }
    bool setColumnAlignment(int32_t column, int16_t code) override {
        log("setColumnAlignment", column, code);
        if (column < 0 || column >= columnCount()) return false;
        alignments[column] = code;
        return true;
    }
    bool getColumnWidth(int32_t column, int32_t& twips) const override {
        if (column < 0 || column >= columnCount()) return false;
        twips = widths[column];
        return true;
    }
    bool setColumnWidth(int32_t column, int32_t twips) override {
        log("setColumnWidth", column, twips);
        if (column < 0 || column >= columnCount()) return false;
        widths[column] = twips;
        return true;
    }
    const char* getCellText(int32_t row, int32_t column) const override {
        return validCell(row, column) ? cells[row][column].text.c_str() : nullptr;
    }
    bool setCellText(int32_t row, int32_t column, const char* text) override {
        calls.push_back("setCellText(" + std::to_string(row) + "," + std::to_string(column) + "," +
                        text + ")");
        if (!validCell(row, column)) return false;
        cells[row][column].text = std::string(text).substr(0, kCellTextCapacity);
        return true;
    }
    bool removeRow(int32_t row) override {
        log("removeRow", row);
        if (row < 1 || row >= rowCount()) return false;
        cells.erase(cells.begin() + row);
        return true;
    }
    float getFontSize() const override { return fontSize; }
    void setFontSize(float points) override {
        calls.push_back("setFontSize(" + std::to_string(points) + ")");
        fontSize = points;
    }
    PixelSize getWindowSize() const override { return windowSize; }
    void setWindowSize(int32_t width, int32_t height) override {
        log("setWindowSize", width, height);
        windowSize = {width, height};
    }

  private:
    int32_t columnCount() const { return static_cast<int32_t>(widths.size()); }
    bool validCell(int32_t row, int32_t column) const {
        return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
    }
    void log(const char* name, int64_t a) {
        calls.push_back(std::string(name) + "(" + std::to_string(a) + ")");
    }
    void log(const char* name, int64_t a, int64_t b) {
        calls.push_back(std::string(name) + "(" + std::to_string(a) + "," + std::to_string(b) +
                        ")");
    }
};

#pragma once

#include <cstdint>

// The operations the board performs on the agent grid. Rows and columns count from 0;
// row 0 is the header row and is part of the grid's rows and cells.
//
// Every operation that takes an index rejects one outside the grid: it changes nothing and
// returns false (or nullptr for a text), so callers can test the result and nothing crashes.
class GridView {
  public:
    struct PixelSize {
        int32_t width = 0;
        int32_t height = 0;
    };

    virtual ~GridView() = default;

    // Rows under the new count keep their text and colours; added rows are empty with the
    // default colours; rows from the new count on go. A count below 1 is rejected.
    virtual bool setRowCount(int32_t rows) = 0;
    virtual bool setColumnCount(int32_t columns) = 0;
    virtual int32_t getColumnCount() const = 0;

    // Choose the cell the two colour operations act on.
    virtual bool setCurrentRow(int32_t row) = 0;
    virtual bool setCurrentColumn(int32_t column) = 0;

    // false: no painting at all; true: the changes made meanwhile are painted once.
    virtual void setRedraw(bool enabled) = 0;

    // Colours are 0x00BBGGRR. They act on the current cell, which keeps them until set again.
    virtual bool setCellBackColour(uint32_t colour) = 0;
    virtual bool setCellForeColour(uint32_t colour) = 0;

    // Alignment codes are the component's own; the layout file stores and restores them unread.
    virtual bool getColumnAlignment(int32_t column, int16_t& code) const = 0;
    virtual bool setColumnAlignment(int32_t column, int16_t code) = 0;
    virtual bool getColumnWidth(int32_t column, int32_t& twips) const = 0;
    virtual bool setColumnWidth(int32_t column, int32_t twips) = 0;

    // Explicit cell; the current cell does not move. A cell holds at most kCellTextCapacity
    // characters: longer texts are cut. The pointer returned stays valid until the grid is
    // changed next; nullptr for a cell outside the grid.
    static constexpr int kCellTextCapacity = 255;
    virtual const char* getCellText(int32_t row, int32_t column) const = 0;
    virtual bool setCellText(int32_t row, int32_t column, const char* text) = 0;

    // The rows below move up by one with their text and colours. Row 0 cannot be removed.
    virtual bool removeRow(int32_t row) = 0;

    // One size, in points, for all cells.
    virtual float getFontSize() const = 0;
    virtual void setFontSize(float points) = 0;

    // The grid's window: its outer size in pixels, and a resize keeping its top-left corner.
    virtual PixelSize getWindowSize() const = 0;
    virtual void setWindowSize(int32_t width, int32_t height) = 0;
};

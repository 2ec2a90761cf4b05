#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QTest>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "app/grid/msflexgrid1.h"

// A grid hosted in a window like the main window hosts it, set up with the seven columns
// and their captions and widths.
class GridFixture : public ::testing::Test {
  protected:
    static constexpr std::array<const char*, 7> kCaptions = {
        "AgentID", "Agent name", "Mode", "Duration", "Extension", "ExtState", "Queues"};
    static constexpr std::array<int32_t, 7> kWidthsTwips = {800, 1600, 1400, 1000, 900, 1200, 1200};

    QWidget host;
    CMsflexgrid1* grid = new CMsflexgrid1(&host);

    GridFixture() {
        host.resize(700, 400);
        grid->setGeometry(8, 100, 600, 280);
        grid->setColumnCount(7);
        for (int32_t column = 0; column < 7; ++column) {
            grid->setCellText(0, column, kCaptions[column]);
            grid->setColumnWidth(column, kWidthsTwips[column]);
        }
        grid->setRowCount(1);
    }

    void show() {
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    // Gives each cell of rows 1 to rows - 1 the text "r<row>c<column>".
    void fillRows(int32_t rows) {
        grid->setRowCount(rows);
        for (int32_t row = 1; row < rows; ++row)
            for (int32_t column = 0; column < grid->getColumnCount(); ++column)
                grid->setCellText(row, column, cellName(row, column).c_str());
    }

    static std::string cellName(int32_t row, int32_t column) {
        return "r" + std::to_string(row) + "c" + std::to_string(column);
    }

    std::string text(int32_t row, int32_t column) const {
        const char* cell = grid->getCellText(row, column);
        return cell == nullptr ? "<none>" : cell;
    }

    // What the view is given to draw for a data cell.
    QVariant shown(int32_t row, int32_t column, int role) const {
        return grid->model()->data(grid->model()->index(row - 1, column), role);
    }
    uint32_t foreAt(int32_t row, int32_t column) const {
        return bgrOf(shown(row, column, Qt::ForegroundRole));
    }
    uint32_t backAt(int32_t row, int32_t column) const {
        return bgrOf(shown(row, column, Qt::BackgroundRole));
    }

    bool colourCell(int32_t row, int32_t column, uint32_t fore, uint32_t back) {
        return grid->setCurrentRow(row) && grid->setCurrentColumn(column) &&
               grid->setCellForeColour(fore) && grid->setCellBackColour(back);
    }

  private:
    static uint32_t bgrOf(const QVariant& value) {
        const QColor colour = value.value<QColor>();
        return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
               static_cast<uint32_t>(colour.blue()) << 16;
    }
};

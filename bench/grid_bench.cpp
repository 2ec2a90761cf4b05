// Writes a full board into the real agent grid, shown on the offscreen platform: 400 rows of
// seven cells and three colour pairs each, as the refresh draws them. Prints the time per
// pass for the writes alone and with the repaint that follows, once with every write
// painted as it comes and once with painting suspended around each row; then the time of
// one row rewritten and painted, as for a single agent message.

#include <QApplication>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/grid/msflexgrid1.h"
#include "shown_agent_grid.h"

namespace {

constexpr int32_t kAgents = 400;
constexpr int32_t kColumns = 7;
constexpr int kPasses = 60;
constexpr std::array<int32_t, 3> kColouredColumns = {2, 3, 5};

using Clock = std::chrono::steady_clock;
using CellTexts = std::array<std::array<char, 32>, kColumns>;

// Two variants of every row, so each pass really changes every cell.
std::vector<CellTexts> makeTexts(int variant) {
    std::vector<CellTexts> rows(kAgents + 1);
    for (int32_t row = 1; row <= kAgents; ++row) {
        CellTexts& cells = rows[row];
        std::snprintf(cells[0].data(), cells[0].size(), "%d", 5000 + row);
        std::snprintf(cells[1].data(), cells[1].size(), "Agent %d", row);
        std::snprintf(cells[2].data(), cells[2].size(), "%s", variant ? "AVAILABLE" : "AUX6");
        std::snprintf(cells[3].data(), cells[3].size(), "     %2d:%02d:%02d", variant, row / 60,
                      row % 60);
        std::snprintf(cells[4].data(), cells[4].size(), "%d", 2000 + row);
        std::snprintf(cells[5].data(), cells[5].size(), "%s", variant ? "IDLE" : "BUSY");
        std::snprintf(cells[6].data(), cells[6].size(), "Q%d,Q%d", row % 7, variant + 10);
    }
    return rows;
}

void writeRow(CMsflexgrid1& grid, int32_t row, const CellTexts& cells, int variant, bool suspend) {
    if (suspend) grid.setRedraw(false);
    for (int32_t column = 0; column < kColumns; ++column)
        grid.setCellText(row, column, cells[column].data());
    grid.setCurrentRow(row);
    for (int32_t column : kColouredColumns) {
        grid.setCurrentColumn(column);
        grid.setCellForeColour(variant ? 0x000000 : 0xFFFFFF);
        grid.setCellBackColour(variant ? 0x00FF00 + static_cast<uint32_t>(column) : 0x0000FF);
    }
    if (suspend) grid.setRedraw(true);
}

struct PassTimes {
    double writes = 0;
    double withPaint = 0;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(CMsflexgrid1& grid, const std::array<std::vector<CellTexts>, 2>& texts, bool suspend) {
    std::vector<double> writes;
    std::vector<double> withPaint;
    for (int pass = 0; pass < kPasses; ++pass) {
        const int variant = pass % 2;
        const auto start = Clock::now();
        for (int32_t row = 1; row <= kAgents; ++row)
            writeRow(grid, row, texts[variant][row], variant, suspend);
        const auto written = Clock::now();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const auto painted = Clock::now();
        writes.push_back(std::chrono::duration<double, std::milli>(written - start).count());
        withPaint.push_back(std::chrono::duration<double, std::milli>(painted - start).count());
    }
    std::printf("%-34s writes %7.3f ms/pass   writes+paint %7.3f ms/pass   (median of %d)\n",
                suspend ? "redraw suspended around each row:" : "every write painted:",
                median(writes), median(withPaint), kPasses);
}

// One agent message: one row rewritten with painting suspended, then painted.
void measureOneRow(CMsflexgrid1& grid, const std::array<std::vector<CellTexts>, 2>& texts) {
    std::vector<double> times;
    for (int message = 0; message < kPasses * 4; ++message) {
        const int variant = message % 2;
        const int32_t row = 1 + message % 20;  // rows in view, so the paint is not clipped away
        const auto start = Clock::now();
        writeRow(grid, row, texts[variant][row], variant, true);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::printf("%-34s writes+paint %7.3f ms/row    (median of %d)\n",
                "one row, as for one message:", median(times), kPasses * 4);
}

}  // namespace

int main(int argc, char** argv) {
    preferOffscreenPlatform();
    QApplication application(argc, argv);
    ShownAgentGrid shown;
    CMsflexgrid1* grid = &shown.grid();
    grid->setRowCount(kAgents + 1);

    const std::array<std::vector<CellTexts>, 2> texts = {makeTexts(0), makeTexts(1)};
    std::printf("agent grid: %d rows x %d cells + %zu colour pairs per row, widget shown\n",
                kAgents, kColumns, kColouredColumns.size());
    measure(*grid, texts, false);
    measure(*grid, texts, true);
    measureOneRow(*grid, texts);
    return 0;
}

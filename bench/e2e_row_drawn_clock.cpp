#include "e2e_row_drawn_clock.h"

#include <QEvent>
#include <QMetaObject>

#include "app/grid/msflexgrid1.h"
#include "e2e_agent_traffic.h"
#include "e2e_figures.h"

namespace {

constexpr int32_t kNameColumn = 1;

}  // namespace

RowDrawnClock::RowDrawnClock(CMsflexgrid1& grid, std::size_t messages)
    : grid_(grid), written_(messages, 0), painted_(messages, 0) {
    connect(grid.model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                rowsWritten(topLeft.row(), bottomRight.row());
            });
    grid.viewport()->installEventFilter(this);
}

// Model row r is grid row r + 1: grid row 0 is the header.
void RowDrawnClock::rowsWritten(int32_t fromModelRow, int32_t toModelRow) {
    const int64_t now = monotonicNanos();
    for (int32_t row = fromModelRow + 1; row <= toModelRow + 1; ++row) {
        const char* name = grid_.getCellText(row, kNameColumn);
        uint32_t sequence = 0;
        if (name == nullptr || !sequenceInName(name, sequence)) continue;
        if (sequence >= written_.size() || written_[sequence] != 0) continue;
        written_[sequence] = now;
        if (inView(row - 1)) awaitingPaint_.push_back(sequence);
    }
}

// Rows scrolled out of view are not painted at all.
bool RowDrawnClock::inView(int32_t modelRow) const {
    const int top = grid_.rowViewportPosition(modelRow);
    return top >= 0 && top < grid_.viewport()->height();
}

// The paint of the rows written so far is under way when its event arrives; a queued call
// runs once it is done.
bool RowDrawnClock::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint && !awaitingPaint_.empty()) {
        std::vector<std::size_t> inThisPaint;
        inThisPaint.swap(awaitingPaint_);
        QMetaObject::invokeMethod(
            this, [this, inThisPaint] { stampPainted(inThisPaint); }, Qt::QueuedConnection);
    }
    return false;
}

void RowDrawnClock::stampPainted(const std::vector<std::size_t>& sequences) {
    const int64_t now = monotonicNanos();
    for (std::size_t sequence : sequences) painted_[sequence] = now;
}

#pragma once

#include <QObject>
#include <cstddef>
#include <cstdint>
#include <vector>

class CMsflexgrid1;

// Notes when each agent message reaches the screen, told apart by the sequence number in
// the agent name: `written` when the grid announces the row's new cells (dataChanged after
// placeAgentRow), `painted` when the paint that follows has been done, for rows in view
// only (the others are not painted). Times are monotonicNanos, 0 for a message not seen;
// the first sighting counts, so the refresh timer's rewrites of a row change nothing.
class RowDrawnClock final : public QObject {
  public:
    RowDrawnClock(CMsflexgrid1& grid, std::size_t messages);

    int64_t written(std::size_t sequence) const { return written_[sequence]; }
    int64_t painted(std::size_t sequence) const { return painted_[sequence]; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void rowsWritten(int32_t fromModelRow, int32_t toModelRow);
    bool inView(int32_t modelRow) const;
    void stampPainted(const std::vector<std::size_t>& sequences);

    CMsflexgrid1& grid_;
    std::vector<int64_t> written_;
    std::vector<int64_t> painted_;
    std::vector<std::size_t> awaitingPaint_;
};

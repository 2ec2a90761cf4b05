#include "board/row_placement.h"

#include <cstring>

#include "board/agent_id.h"

namespace {
constexpr int32_t kNoRow = 0;
constexpr int32_t kHeaderRows = 1;
constexpr int32_t kIdColumn = 0;
}  // namespace

void RowPlacement::placeAgentRow(const AgentRecord& record) {
    const int32_t row = findRow(record);
    bool hidden = hiddenByLoggedOut(record);
    if (!hidden) {
        QueueFilter filter;
        readQueueFilter(filter);
        hidden = hiddenByQueueFilter(record, filter);
    }
    if (!hidden) {
        if (row == kNoRow) {
            appendRow(record);
        } else {
            renderer_.drawAgentRow(record, row, 0);
        }
    } else if (row != kNoRow) {
        removeRowOf(row);
    }
}

void RowPlacement::refreshAgentRows() {
    QueueFilter filter;
    readQueueFilter(filter);
    int32_t visible = 0;
    for (int32_t index = 0; index < table_.count(); ++index) {
        AgentRecord& record = table_.record(index);
        const bool hidden = hiddenByLoggedOut(record) || hiddenByQueueFilter(record, filter);
        record.hidden = hidden ? 1 : 0;
        if (!hidden) ++visible;
    }
    if (visible + kHeaderRows != rowcount_) grid_.setRowCount(visible + kHeaderRows);
    rowcount_ = visible + kHeaderRows;

    int32_t row = kHeaderRows;
    for (int32_t index = 0; index < table_.count(); ++index) {
        const AgentRecord& record = table_.record(index);
        if (record.hidden == 0) renderer_.drawAgentRow(record, row++, 1);
    }
}

int32_t RowPlacement::findRow(const AgentRecord& record) const {
    for (int32_t row = kHeaderRows; row < rowcount_; ++row) {
        const char* id = grid_.getCellText(row, kIdColumn);
        if (id != nullptr && sameAgentId(id, record.agentid.c_str())) return row;
    }
    return kNoRow;
}

bool RowPlacement::hiddenByLoggedOut(const AgentRecord& record) const {
    return settings_.hideLoggedOut != 0 && record.loggedout == 1;
}

bool RowPlacement::hiddenByQueueFilter(const AgentRecord& record, const QueueFilter& filter) {
    return !filter.empty() && std::strstr(record.queues.c_str(), filter.c_str()) == nullptr;
}

void RowPlacement::readQueueFilter(QueueFilter& filter) const {
    queueFilter_.readQueueFilter(filter.text, QueueFilter::capacity);
}

void RowPlacement::appendRow(const AgentRecord& record) {
    const int32_t row = rowcount_;
    grid_.setRowCount(rowcount_ + 1);
    ++rowcount_;
    renderer_.drawAgentRow(record, row, 1);
}

void RowPlacement::removeRowOf(int32_t row) {
    // The header row cannot be removed, so the last data row goes by shrinking the grid.
    if (rowcount_ == kHeaderRows + 1) {
        grid_.setRowCount(kHeaderRows);
    } else {
        grid_.removeRow(row);
    }
    --rowcount_;
}

#include "e2e_board_window.h"

#include <QCoreApplication>
#include <QWindow>
#include <cstring>

#include "app/grid/msflexgrid1.h"
#include "settings/fixed_text.h"

namespace {

constexpr int kExposeWaitRounds = 500;

enum Column : int32_t { kId = 0, kName, kMode, kDuration, kExtension, kExtState, kQueues };

bool cellIs(GridView& grid, int32_t row, int32_t column, const char* expected) {
    const char* text = grid.getCellText(row, column);
    return text != nullptr && std::strcmp(text, expected) == 0;
}

}  // namespace

BoardWindow::BoardWindow(uint16_t port)
    : portArgument_("-port" + std::to_string(port)),
      arguments_{"brevix", "-host127.0.0.1", portArgument_.c_str(), "-colors"},
      dialog_(static_cast<int>(arguments_.size()), arguments_.data(), clock_) {}

CMsflexgrid1& BoardWindow::grid() {
    return static_cast<CMsflexgrid1&>(dialog_.grid());
}

bool BoardWindow::showAndStart() {
    dialog_.show();
    for (int round = 0; round < kExposeWaitRounds; ++round) {
        if (dialog_.windowHandle() != nullptr && dialog_.windowHandle()->isExposed()) {
            dialog_.core().link.OnStart();
            return true;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return false;
}

int BoardWindow::rowsNotShowing(const std::vector<AgentMessage>& lastOfEach) {
    int wrong = 0;
    for (const AgentMessage& message : lastOfEach) {
        const int32_t row = rowOf(fieldsOf(message).id);
        if (row < 0 || !rowShows(row, message)) ++wrong;
    }
    return wrong;
}

bool BoardWindow::rowShows(int32_t row, const AgentMessage& message) {
    const AgentFields fields = fieldsOf(message);
    FixedText<15> modeTitle;
    dialog_.core().table.setModeTitle(modeTitle, fields.mode);
    GridView& grid = dialog_.grid();
    return cellIs(grid, row, kName, fields.name) && cellIs(grid, row, kMode, modeTitle.c_str()) &&
           cellIs(grid, row, kExtension, fields.extension) &&
           cellIs(grid, row, kExtState, fields.extState) &&
           cellIs(grid, row, kQueues, fields.queues);
}

int32_t BoardWindow::rowOf(const char* agentId) {
    const int32_t rows = dialog_.core().rows.rowcount();
    for (int32_t row = 1; row < rows; ++row) {
        if (cellIs(dialog_.grid(), row, kId, agentId)) return row;
    }
    return -1;
}

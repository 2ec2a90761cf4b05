#include "simulated_board_test.h"

#include <QApplication>
#include <QTimer>

#include "app/control_ids.h"
#include "app/dialog_template.h"

namespace {

constexpr const char* kFinalStateFile = "final-state.txt";
constexpr int kReadsBeforeGivingUp = 4;
const std::string kClosedReport = "-socket connection is closed/broken";
const std::string kTooMany = "-too many socket read errors";
const std::string kTerminated = "-threadReadSocketData is terminated";
const std::string kClosedReadError = "WARNING-socket read error [closed]";

std::string fatalBox(const std::string& report) {
    return "Fatal error, connection closed; reset required\n[" + report + "]";
}

}  // namespace

void SimulatedBoardTest::startSimulator(std::vector<std::string> options) {
    options.insert(options.end(), {"--final-state", (workDir.path() / kFinalStateFile).string()});
    ASSERT_TRUE(simulator.start(options)) << "the simulator did not start listening";
}

void SimulatedBoardTest::startBoard() {
    const std::string port = "-port" + std::to_string(simulator.port());
    window = makeWindow({"-host127.0.0.1", port.c_str(), "-timer1", "-colors"});
    watch = std::make_unique<WindowWatch>(*window);
    window->show();
    findControl<QPushButton>(*window, kIdStart)->click();
    ASSERT_FALSE(findControl(*window, kIdStart)->isEnabled()) << "Start did not connect";
}

std::vector<AgentRow> SimulatedBoardTest::finalStateRows() const {
    return expectedRows(workDir.read(kFinalStateFile));
}

bool SimulatedBoardTest::waitForTheLinkToEnd(std::chrono::milliseconds limit) {
    auto ended = [this] {
        const std::vector<std::string>& boxes = watch->boxesOpened();
        return !boxes.empty() && boxes.back() == fatalBox(kTerminated) &&
               QApplication::activeModalWidget() == nullptr;
    };
    return runEventsUntil(ended, limit);
}

void SimulatedBoardTest::expectBrokenAndStillDisabled() const {
    for (int id : {kIdStart, kIdHostBox, kIdPortBox, kIdRefreshBox}) {
        EXPECT_FALSE(findControl(*window, id)->isEnabled()) << id;
    }
    EXPECT_FALSE(window->findChild<QTimer*>(QStringLiteral("refreshTimer"))->isActive());
    EXPECT_TRUE(window->core().link.readerArgs().socket->isClosed());
}

std::vector<std::string> SimulatedBoardTest::givingUpStatusTexts(std::vector<std::string> before) {
    before.insert(before.end(), {kTooMany, kTerminated});
    return before;
}

std::vector<std::string> SimulatedBoardTest::givingUpBoxes(std::vector<std::string> before) {
    before.insert(before.end(), {fatalBox(kTooMany), fatalBox(kTerminated)});
    return before;
}

std::vector<std::string> SimulatedBoardTest::closedLinkStatusTexts(
    std::vector<std::string> before) {
    for (int read = 0; read < kReadsBeforeGivingUp; ++read) {
        before.insert(before.end(), {kClosedReport, kClosedReadError});
    }
    return givingUpStatusTexts(before);
}

std::vector<std::string> SimulatedBoardTest::closedLinkBoxes(std::vector<std::string> before) {
    before.insert(before.end(), kReadsBeforeGivingUp, fatalBox(kClosedReport));
    return givingUpBoxes(before);
}

std::vector<std::string> SimulatedBoardTest::statusTextsSeen() const {
    std::vector<std::string> texts = watch->statusTexts();
    for (std::string& text : texts) {
        if (text == "WARNING-socket read error [socket disconnection detected]" ||
            text == "WARNING-socket read error [connection already closed]") {
            text = kClosedReadError;
        }
    }
    return texts;
}

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/dialog_template.h"
#include "link/agent_msg_target.h"
#include "loopback_server.h"
#include "window_fixture.h"

namespace {

// Runs the event loop until `done` holds or two seconds have passed.
template <class Condition>
bool waitFor(Condition done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

char* heapText(const char* text) {
    char* block = new char[std::strlen(text) + 1];
    std::strcpy(block, text);
    return block;
}

void typeInto(QLineEdit& edit, const QString& text) {
    for (QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QCoreApplication::sendEvent(&edit, &press);
    }
}

using WindowCommands = WindowTest;

TEST_F(WindowCommands, CheckBoxesSetTheirFlagsFromTheirNewState) {
    auto window = makeWindow();
    const BoardSettings& settings = window->core().settings;
    auto* hide = findControl<QCheckBox>(*window, 1010);
    auto* held = findControl<QCheckBox>(*window, 1013);
    auto* redraw = findControl<QCheckBox>(*window, 1014);

    hide->click();
    held->click();
    redraw->click();
    EXPECT_EQ(settings.hideLoggedOut, 1);
    EXPECT_EQ(settings.showHeldTime, 1);
    EXPECT_EQ(settings.redrawSaveMode, 0);
    EXPECT_EQ(window->grid().getCellText(1, 0), nullptr) << "refresh of an empty board";

    hide->click();
    held->click();
    redraw->click();
    EXPECT_EQ(settings.hideLoggedOut, 0);
    EXPECT_EQ(settings.showHeldTime, 0);
    EXPECT_EQ(settings.redrawSaveMode, 1);

    // Set by the program, as the layout restore does, the boxes act as if clicked.
    window->setCheckedAndClick(LayoutCheckBox::DisableRedrawSaveMode, true);
    window->setCheckedAndClick(LayoutCheckBox::ShowHeldTime, true);
    EXPECT_TRUE(redraw->isChecked());
    EXPECT_TRUE(window->isChecked(LayoutCheckBox::ShowHeldTime));
    EXPECT_EQ(settings.redrawSaveMode, 0);
    EXPECT_EQ(settings.showHeldTime, 1);
}

TEST_F(WindowCommands, HideLoggedOutRefreshesTheBoardAtOnce) {
    auto window = makeWindow();
    BoardCore& core = window->core();
    for (const char* body :
         {"7001,Ann Lee,READY,2001,0,0,IDLE,Q1", "7002,Bob Ray,LOGGEDOUT,2002,0,0,IDLE,Q1"}) {
        int32_t index = core.table.update_agentTbl(body);
        ASSERT_GE(index, 0);
        core.rows.placeAgentRow(core.table.record(index));
    }
    ASSERT_STREQ(window->grid().getCellText(2, 0), "7002");

    findControl<QCheckBox>(*window, 1010)->click();
    EXPECT_STREQ(window->grid().getCellText(1, 0), "7001");
    EXPECT_EQ(window->grid().getCellText(2, 0), nullptr);
    EXPECT_EQ(core.rows.rowcount(), 2);
}

TEST_F(WindowCommands, RefreshTimerRunsTheFullRefreshAtEachTick) {
    auto window = makeWindow();
    BoardCore& core = window->core();
    int32_t index = core.table.update_agentTbl("7002,Bob Ray,LOGGEDOUT,2002,0,0,IDLE,Q1");
    core.rows.placeAgentRow(core.table.record(index));
    ASSERT_STREQ(window->grid().getCellText(1, 0), "7002");
    core.settings.hideLoggedOut = 1;  // takes effect at the next refresh only

    auto* timer = window->findChild<QTimer*>(QStringLiteral("refreshTimer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive()) << "no timer runs before Start";
    window->startRefreshTimer(20);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 20);
    EXPECT_TRUE(waitFor([&] { return window->grid().getCellText(1, 0) == nullptr; }));
    window->stopRefreshTimer();
    EXPECT_FALSE(timer->isActive());
}

TEST_F(WindowCommands, PortAndRefreshBoxesTakeOnlyTypedDigits) {
    auto window = makeWindow();
    for (int id : {1002, 1003}) {
        auto* box = findControl<QLineEdit>(*window, id);
        box->clear();
        typeInto(*box, QStringLiteral("1a-2 .3"));
        EXPECT_EQ(box->text(), "123") << id;
    }
    auto* host = findControl<QLineEdit>(*window, 1001);
    host->clear();
    typeInto(*host, QStringLiteral("a-1.b"));
    EXPECT_EQ(host->text(), "a-1.b");

    // The program itself may still write a sign.
    window->writeBox(ConnectBox::Port, "-5");
    EXPECT_EQ(findControl<QLineEdit>(*window, 1002)->text(), "-5");
}

TEST_F(WindowCommands, ExitAnsweredNoKeepsTheWindowFromEveryRoute) {
    auto window = makeWindow();
    window->show();
    findControl<QPushButton>(*window, 2)->click();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &escape);
    EXPECT_FALSE(window->close()) << "the close box asks too";

    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(modals.shown.size(), 3u);
    for (const ModalAnswerer::Shown& question : modals.shown) {
        EXPECT_EQ(question.text, "Are you sure to exit now?");
        EXPECT_EQ(question.defaultButton, QMessageBox::No);
        EXPECT_EQ(question.buttons.size(), 2u);
    }
}

TEST_F(WindowCommands, ExitAnsweredYesEndsTheWindowWithTheCancelResult) {
    auto window = makeWindow();
    modals.answerWith(QMessageBox::Yes);
    QTimer::singleShot(0, findControl<QPushButton>(*window, 2), &QPushButton::click);
    EXPECT_EQ(window->exec(), QDialog::Rejected);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(modals.texts(), std::vector<std::string>{"Are you sure to exit now?"});
}

TEST_F(WindowCommands, AboutEntryFollowsASeparatorAndOpensTheAboutBox) {
    auto window = makeWindow();
    const QList<QAction*> actions = window->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_TRUE(actions[0]->isSeparator());
    EXPECT_EQ(actions[1]->text(), "&About Brevix...");
    EXPECT_EQ(actions[1]->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(window->contextMenuPolicy(), Qt::ActionsContextMenu);

    actions[1]->trigger();
    EXPECT_EQ(modals.texts(), std::vector<std::string>{"About Brevix"});
    EXPECT_EQ(window->core().settings.hideLoggedOut, 0);
}

TEST_F(WindowCommands, MessagesGoToTheStatusLineAndToPlainTextBoxes) {
    auto window = makeWindow();
    window->setStatusLine("WARNING: unexpected msg - <b>9999</b>");
    EXPECT_EQ(findControl<QLineEdit>(*window, 1009)->text(),
              "WARNING: unexpected msg - <b>9999</b>");

    window->showMessage("Fatal error, connection closed; reset required\n[<i>-x</i>]");
    EXPECT_FALSE(window->askYesNo("Are you sure to save current display attributes?"));
    ASSERT_EQ(modals.shown.size(), 2u);
    EXPECT_EQ(modals.shown[0].text, "Fatal error, connection closed; reset required\n[<i>-x</i>]");
    EXPECT_EQ(modals.shown[0].format, Qt::PlainText);
    EXPECT_EQ(modals.shown[0].buttons, std::vector<QMessageBox::StandardButton>{QMessageBox::Ok});
    EXPECT_EQ(modals.shown[1].format, Qt::PlainText);
    EXPECT_EQ(modals.shown[1].defaultButton, QMessageBox::No);

    modals.answerWith(QMessageBox::Yes);
    EXPECT_TRUE(window->askYesNo("Are you sure to restore previous display attributes?"));
}

TEST_F(WindowCommands, BoxesAreReadCutToTheirCapacityAsSingleByteText) {
    auto window = makeWindow();
    char text[32];
    window->writeBox(ConnectBox::Host, "1234567890123456789012345678901234567890");
    window->readBox(ConnectBox::Host, text, 30);
    EXPECT_STREQ(text, "123456789012345678901234567890");

    window->setQueueFilter("Q1,Q\xE9");
    window->readQueueFilter(text, 30);
    EXPECT_STREQ(text, "Q1,Q\xE9");
    findControl<QLineEdit>(*window, 1011)->setText(QString::fromUtf8("Q\u4e00Q"));
    window->readQueueFilter(text, 2);
    EXPECT_STREQ(text, "Q?");
}

TEST_F(WindowCommands, ConnectControlsAreEnabledAndDisabledTogether) {
    auto window = makeWindow();
    window->setConnectControlsEnabled(false);
    for (int id : {1, 1001, 1002, 1003}) EXPECT_FALSE(findControl(*window, id)->isEnabled()) << id;
    for (int id : {2, 1009, 1010, 1011, 1012})
        EXPECT_TRUE(findControl(*window, id)->isEnabled()) << id;
    window->setConnectControlsEnabled(true);
    for (int id : {1, 1001, 1002, 1003}) EXPECT_TRUE(findControl(*window, id)->isEnabled()) << id;
}

TEST_F(WindowCommands, MainWindowSizeIsSetKeepingItsTopLeftCorner) {
    auto window = makeWindow();
    window->move(40, 30);
    window->setMainWindowSize(500, 420);
    GridView::PixelSize size = window->getMainWindowSize();
    EXPECT_EQ(size.width, 500);
    EXPECT_EQ(size.height, 420);
    EXPECT_EQ(window->pos(), QPoint(40, 30));
}

TEST_F(WindowCommands, HandOversFromAnotherThreadReachTheLinkInOrder) {
    auto window = makeWindow();
    AgentMsgTarget* target = window->core().settings.mainWindow;
    std::thread reader([target] {
        target->postAgentMsg(heapText("**SYSMSG**WARNING-socket read error [first]"),
                             AGENTMSG_SYSMSG);
        target->postAgentMsg(heapText("**SYSMSG**WARNING-socket read error [second]"),
                             AGENTMSG_SYSMSG);
    });
    reader.join();
    auto* status = findControl<QLineEdit>(*window, 1009);
    EXPECT_TRUE(waitFor([&] { return status->text().contains(QLatin1String("second")); }));
    EXPECT_EQ(status->text(), "WARNING-socket read error [second]");

    // An event of the same number that is not a hand-over is left alone.
    QCoreApplication::postEvent(window.get(),
                                new QEvent(static_cast<QEvent::Type>(QEvent::User + 53)));
    QCoreApplication::processEvents();
    EXPECT_EQ(status->text(), "WARNING-socket read error [second]");
}

TEST_F(WindowCommands, AHandOverStillQueuedWhenTheWindowGoesIsFreed) {
    // Checked by the leak checker of the sanitizer build: the block must not be lost.
    auto window = makeWindow();
    window->postAgentMsg(heapText("1008,7001,Ann Lee,READY,2001,0,0,IDLE,Q1"), AGENTMSG_DATA);
    window.reset();
    QCoreApplication::processEvents();
}

TEST_F(WindowCommands, StartUpReadsTheOptionsAndWithRestoreTheLayoutFile) {
    workDir.write("BrevixTable.cfg",
                  "hideloggedout=1;\nshowheldtime=1;\nqueuesfilter=Q7;\nfontsize=12.5;\n");
    workDir.write("Brevix.ini", "AUX6=Lunch;\n");
    auto window = makeWindow({"-restore"});
    EXPECT_TRUE(findControl<QCheckBox>(*window, 1010)->isChecked());
    EXPECT_TRUE(findControl<QCheckBox>(*window, 1013)->isChecked());
    EXPECT_EQ(window->core().settings.hideLoggedOut, 1);
    EXPECT_EQ(window->core().settings.showHeldTime, 1);
    EXPECT_EQ(findControl<QLineEdit>(*window, 1011)->text(), "Q7");
    EXPECT_FLOAT_EQ(window->grid().getFontSize(), 12.5f);
    EXPECT_STREQ(window->core().tables.auxTitles.title[0].c_str(), "Lunch");
}

TEST_F(WindowCommands, RestoreAtStartUpWithoutAFileSaysSoAndOpensAnyway) {
    auto window = makeWindow({"-restore"});
    const std::string error =
        "**ERR** [Restore] failed to open output file [BrevixTable.cfg]; function aborted";
    EXPECT_EQ(modals.texts(), std::vector<std::string>{error});
    EXPECT_EQ(findControl<QLineEdit>(*window, 1009)->text().toStdString(), error);
    EXPECT_FALSE(findControl<QCheckBox>(*window, 1010)->isChecked());
}

TEST_F(WindowCommands, EnterIssuesStartWhichChecksTheBoxes) {
    auto window = makeWindow();
    window->writeBox(ConnectBox::Host, "");
    window->show();
    findControl(*window, 1009)->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_EQ(modals.texts(),
              std::vector<std::string>{"WARNING: host name of Tavrel must be specified"});
    EXPECT_TRUE(findControl(*window, 1)->isEnabled());
}

TEST_F(WindowCommands, StartConnectsAndTheServersMessagesReachTheBoard) {
    LoopbackServer server({"1003,ok", "1008,7001,Ann Lee,READY,2001,0,0,IDLE,Q1"});
    const std::string port = "-port" + std::to_string(server.port());
    auto window = makeWindow({"-host127.0.0.1", port.c_str(), "-timer5"});
    findControl<QPushButton>(*window, 1)->click();

    for (int id : {1, 1001, 1002, 1003}) EXPECT_FALSE(findControl(*window, id)->isEnabled()) << id;
    auto* timer = window->findChild<QTimer*>(QStringLiteral("refreshTimer"));
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);

    auto* status = findControl<QLineEdit>(*window, 1009);
    EXPECT_TRUE(waitFor([&] {
        return status->text() == "Registration to server succeeded" &&
               window->grid().getCellText(1, 0) != nullptr;
    }));
    EXPECT_STREQ(window->grid().getCellText(1, 1), "Ann Lee");
    EXPECT_EQ(server.registration(), std::string("\xFF\xFF"
                                                 "00121002,2"));

    modals.answerWith(QMessageBox::Yes);
    findControl<QPushButton>(*window, 2)->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(waitFor([&] { return server.clientClosed(); })) << "Exit closes the connection";
    EXPECT_EQ(modals.texts(), std::vector<std::string>{"Are you sure to exit now?"});
}

}  // namespace

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <vector>

#include "app/dialog_template.h"
#include "app/grid/msflexgrid1.h"
#include "window_fixture.h"

namespace {

struct ExpectedControl {
    int id;  // -1: a label, found by its text
    const char* className;
    const char* caption;
    QRect units;
    const char* accessibleName;
};

const ExpectedControl kTemplate[] = {
    {1, "QPushButton", "Start", {240, 5, 50, 16}, "Start"},
    {2, "QPushButton", "Exit", {318, 5, 50, 16}, "Exit"},
    {-1, "QLabel", "host", {8, 8, 23, 8}, "host"},
    {-1, "QLabel", "port", {133, 8, 28, 8}, "port"},
    {1001, "QLineEdit", nullptr, {30, 6, 93, 13}, "host"},
    {1002, "QLineEdit", nullptr, {158, 6, 43, 13}, "port"},
    {-1, "QLabel", "duration timer", {108, 24, 49, 8}, "duration timer"},
    {1003, "QLineEdit", nullptr, {158, 22, 43, 13}, "duration timer"},
    {1009, "QLineEdit", nullptr, {9, 50, 375, 14}, "status line"},
    {1010, "QCheckBox", "Hide logged-out", {9, 38, 67, 12}, "Hide logged-out"},
    {1012, "CMsflexgrid1", nullptr, {5, 67, 382, 306}, "agent grid"},
    {-1, "QLabel", "select queue(s)", {263, 37, 49, 9}, "select queue(s)"},
    {1011, "QLineEdit", nullptr, {313, 34, 72, 14}, "select queue(s)"},
    {1013, "QCheckBox", "Show held time", {83, 40, 66, 8}, "Show held time"},
    {1014, "QCheckBox", "Disabe redraw save mode", {156, 39, 96, 11}, "Disabe redraw save mode"},
};

QString captionOf(const QWidget& widget) {
    if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    return {};
}

// The ids of the controls the tab key visits, starting from the window itself; a focusable
// widget inside a control counts as that control.
std::vector<int> tabOrder(QWidget& window) {
    std::vector<int> ids;
    for (QWidget* widget = window.nextInFocusChain(); widget != &window;
         widget = widget->nextInFocusChain()) {
        if (!(widget->focusPolicy() & Qt::TabFocus)) continue;
        QWidget* control = widget;
        while (control != nullptr && !control->property(kControlIdProperty).isValid()) {
            control = control->parentWidget();
        }
        if (control != nullptr) ids.push_back(control->property(kControlIdProperty).toInt());
    }
    return ids;
}

using MainWindow = WindowTest;

TEST_F(MainWindow, IsBuiltFromItsTemplateInDialogUnitsOfAn8PointSansFont) {
    auto window = makeWindow();
    EXPECT_EQ(window->windowTitle(), "Brevix v1.0.0.1 (www.brevix.example)");
    EXPECT_EQ(window->font().pointSize(), 8);
    DialogUnits units(window->font());
    EXPECT_EQ(window->size(), QSize(units.toPixelsX(389), units.toPixelsY(378)));

    for (const ExpectedControl& expected : kTemplate) {
        SCOPED_TRACE(expected.caption != nullptr ? expected.caption : expected.accessibleName);
        QWidget* control = expected.id == -1 ? labelWithText(*window, expected.caption)
                                             : findControl(*window, expected.id);
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(control->metaObject()->className(), expected.className);
        if (expected.caption != nullptr) {
            EXPECT_EQ(captionOf(*control), expected.caption);
        }
        EXPECT_EQ(control->accessibleName(), expected.accessibleName);
        EXPECT_EQ(toDialogUnits(*control, units), expected.units);
    }
    for (const char* label : {"host", "port", "duration timer", "select queue(s)"}) {
        EXPECT_TRUE(qobject_cast<QLabel*>(labelWithText(*window, label))->alignment() &
                    Qt::AlignHCenter)
            << label;
    }
}

TEST_F(MainWindow, TabsInTemplateOrderWithStartAsDefaultAndAllCheckBoxesClear) {
    auto window = makeWindow();
    EXPECT_EQ(tabOrder(*window),
              (std::vector<int>{1, 2, 1001, 1002, 1003, 1009, 1010, 1012, 1011, 1013, 1014}));
    EXPECT_TRUE(findControl<QPushButton>(*window, 1)->isDefault());
    EXPECT_FALSE(findControl<QPushButton>(*window, 2)->isDefault());
    for (int id : {1010, 1013, 1014}) {
        EXPECT_FALSE(findControl<QCheckBox>(*window, id)->isChecked()) << id;
    }
    EXPECT_FALSE(findControl<QLineEdit>(*window, 1009)->isReadOnly());
    EXPECT_TRUE(findControl<QLineEdit>(*window, 1009)->text().isEmpty());
    EXPECT_TRUE(findControl<QLineEdit>(*window, 1011)->text().isEmpty());

    Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindow, KeepsItsControlsInPlaceWhenResized) {
    auto window = makeWindow();
    window->show();
    QWidget* exit = findControl(*window, 2);
    QRect before = exit->geometry();
    QSize gridBefore = findControl(*window, 1012)->size();
    window->resize(window->width() / 2, window->height() / 2);
    EXPECT_EQ(exit->geometry(), before);
    EXPECT_EQ(findControl(*window, 1012)->size(), gridBefore);
    EXPECT_EQ(window->layout(), nullptr);
}

struct BoxesCase {
    std::vector<const char*> arguments;
    const char* host;
    const char* port;
    const char* refresh;
    int timerMessages;
};

TEST_F(MainWindow, FillsTheConnectionBoxesFromDefaultsAndCommandLine) {
    const BoxesCase cases[] = {
        {{}, "10.77.0.15", "5139", "2", 0},
        {{"-host127.0.0.1", "-port6001", "-timer60"}, "127.0.0.1", "6001", "60", 0},
        {{"-host", "-port70000", "-timer0"}, "", "70000", "2", 1},
        {{"-portabc", "-timer61", "-timerx"}, "10.77.0.15", "0", "2", 2},
        {{"-port-5", "-host1234567890123456789012345678901234567890"},
         "1234567890123456789012345678901",
         "-5",
         "2",
         0},
    };
    for (const BoxesCase& c : cases) {
        SCOPED_TRACE(c.port);
        modals.shown.clear();
        auto window = makeWindow(c.arguments);
        EXPECT_EQ(findControl<QLineEdit>(*window, 1001)->text(), c.host);
        EXPECT_EQ(findControl<QLineEdit>(*window, 1002)->text(), c.port);
        EXPECT_EQ(findControl<QLineEdit>(*window, 1003)->text(), c.refresh);
        EXPECT_EQ(modals.texts(),
                  std::vector<std::string>(c.timerMessages,
                                           "State duration timer must be 1...60\nReset to 2"));
    }
}

TEST_F(MainWindow, SetsUpTheGridWithItsHeaderRowOnly) {
    auto window = makeWindow();
    GridView& grid = window->grid();
    const char* captions[] = {"AgentID",   "Agent name", "Mode",  "Duration",
                              "Extension", "ExtState",   "Queues"};
    const int32_t widths[] = {800, 1600, 1400, 1000, 900, 1200, 1200};
    ASSERT_EQ(grid.getColumnCount(), 7);
    for (int32_t column = 0; column < 7; ++column) {
        EXPECT_STREQ(grid.getCellText(0, column), captions[column]);
        int32_t twips = 0;
        EXPECT_TRUE(grid.getColumnWidth(column, twips));
        EXPECT_EQ(twips, widths[column]);
    }
    EXPECT_EQ(grid.getCellText(1, 0), nullptr) << "only the header row";
    EXPECT_EQ(window->core().rows.rowcount(), 1);
    EXPECT_FLOAT_EQ(grid.getFontSize(), 9.75f);
}

TEST_F(MainWindow, StartsWithTheSettingsOfTheCommandLineAndItselfAsTarget) {
    auto window = makeWindow({"-debug", "-colors"});
    const BoardSettings& settings = window->core().settings;
    EXPECT_EQ(settings.mainWindow, static_cast<AgentMsgTarget*>(window.get()));
    EXPECT_EQ(settings.debug, 1);
    EXPECT_EQ(settings.colors, 1);
    EXPECT_EQ(settings.hideLoggedOut, 0);
    EXPECT_EQ(settings.showHeldTime, 0);
    EXPECT_EQ(settings.redrawSaveMode, 1);
    EXPECT_STREQ(window->core().scan.format,
                 "%31[^,],%63[^,],%15[^,],%31[^,],%*d,%*d,%15[^,],%255s");
}

}  // namespace

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <string>
#include <vector>

#include "app/about_dlg.h"
#include "app/dialog_template.h"
#include "window_fixture.h"

namespace {

struct ExpectedText {
    const char* text;
    QRect units;  // a width of 0: the template leaves it open
};

const ExpectedText kTexts[] = {
    {"Brevix Version 1.0", {50, 10, 119, 8}},
    {"Usage: Brevix [-debug] -host<host> -port<port> -timer<dur-timer> [-colors] [-restore]",
     {13, 54, 300, 8}},
    {"<host> = Tavrel host name or IP address", {36, 67, 0, 0}},
    {"<port> = Tavrel TCP/IP port number", {36, 77, 0, 0}},
    {"<dur-timer> = refresh agent state duration timer, 1...60 (sec)", {36, 87, 0, 0}},
    {"-colors = optional switch to enable agent/extension states coloring", {36, 97, 0, 0}},
    {"-debug = enable debugging log file; for development only", {36, 107, 0, 0}},
    {"-restore = restore previous saved table/window settings", {36, 116, 0, 0}},
    {"External configuration file: must be named Brevix.ini in working directory", {14, 127, 0, 0}},
    {"AUXn=<customized-title>;    where n=6...11", {34, 137, 0, 0}},
    {"extcolor=<state>:<RGB-forecolor>|<RGB-backcolor>;", {34, 147, 0, 0}},
    {"agentcolor=<state>:<RGB-forecolor>|<RGB-backcolor>;", {34, 157, 0, 0}},
    {"timethreshold=<state>:<fromVal>,<toVal>:<RGB-fcolor>|<RGB-bcolor>;", {34, 167, 0, 0}},
    {"<RGB> = <Red>,<Green>,<Blue>               ( 0...255)", {45, 177, 0, 0}},
    {"Refer to sample Brevix.ini for detail", {45, 186, 0, 0}},
};

QGroupBox* groupWithTitle(const QWidget& dialog, const char* title) {
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        if (group->title() == QLatin1String(title)) return group;
    }
    return nullptr;
}

using AboutBox = WindowTest;

TEST_F(AboutBox, ShowsEveryLineVerbatimWhereTheTemplatePutsIt) {
    CAboutDlg about;
    DialogUnits units(about.font());
    EXPECT_EQ(about.windowTitle(), "About Brevix");
    EXPECT_EQ(about.size(), QSize(units.toPixelsX(334), units.toPixelsY(268)));
    EXPECT_EQ(about.minimumSize(), about.maximumSize()) << "fixed frame";

    for (const ExpectedText& expected : kTexts) {
        SCOPED_TRACE(expected.text);
        QLabel* label = labelWithText(about, expected.text);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        QRect placed = toDialogUnits(*label, units);
        EXPECT_EQ(placed.topLeft(), expected.units.topLeft());
        if (expected.units.width() > 0) {
            EXPECT_EQ(placed.size(), expected.units.size());
        }
        EXPECT_LE(placed.right(), 334) << "inside the box";
    }

    QLabel* icon = nullptr;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) icon = label;
    }
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(toDialogUnits(*icon, units).topLeft(), QPoint(12, 13));
}

TEST_F(AboutBox, HasItsButtonsInTheirGroupsWithOkAsDefault) {
    CAboutDlg about;
    DialogUnits units(about.font());
    struct Button {
        int id;
        const char* caption;
        const char* group;
    };
    const Button buttons[] = {
        {1016, "Height+", "Agent table size controls"},
        {1017, "Height-", "Agent table size controls"},
        {1018, "Width+", "Agent table size controls"},
        {1019, "Width-", "Agent table size controls"},
        {1021, "FontSize+", "Font size controls"},
        {1020, "FontSize-", "Font size controls"},
    };
    ASSERT_NE(groupWithTitle(about, "Agent table size controls"), nullptr);
    EXPECT_EQ(toDialogUnits(*groupWithTitle(about, "Agent table size controls"), units),
              QRect(20, 202, 178, 32));
    ASSERT_NE(groupWithTitle(about, "Font size controls"), nullptr);
    EXPECT_EQ(toDialogUnits(*groupWithTitle(about, "Font size controls"), units),
              QRect(206, 202, 92, 32));

    int previousLeft = 0;
    for (const Button& expected : buttons) {
        SCOPED_TRACE(expected.caption);
        auto* button = findControl<QPushButton>(about, expected.id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), expected.caption);
        EXPECT_TRUE(groupWithTitle(about, expected.group)->geometry().contains(button->geometry()));
        EXPECT_EQ(toDialogUnits(*button, units).y(), 214);
        EXPECT_GT(button->x(), previousLeft) << "left to right";
        previousLeft = button->x();
    }

    auto* ok = findControl<QPushButton>(about, 1);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(toDialogUnits(*ok, units), QRect(263, 4, 50, 16));
    EXPECT_EQ(findControl<QPushButton>(about, 1022)->text(), "Save");
    EXPECT_EQ(toDialogUnits(*findControl(about, 1022), units), QRect(202, 241, 42, 17));
    EXPECT_EQ(findControl<QPushButton>(about, 1023)->text(), "Restore");
    EXPECT_EQ(toDialogUnits(*findControl(about, 1023), units), QRect(256, 241, 42, 17));
}

TEST_F(AboutBox, OkAndEscapeCloseIt) {
    CAboutDlg about;
    about.show();
    findControl<QPushButton>(about, 1)->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);

    about.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&about, &escape);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutBox, SizeAndFontButtonsActOnTheMainWindowsGrid) {
    auto window = makeWindow();
    GridView& grid = window->grid();
    CAboutDlg about(window.get());
    auto press = [&](int id) { findControl<QPushButton>(about, id)->click(); };
    auto size = [&] {
        GridView::PixelSize s = grid.getWindowSize();
        return QSize(s.width, s.height);
    };

    grid.setWindowSize(300, 101);
    press(1017);
    EXPECT_EQ(size(), QSize(300, 51));
    press(1017);
    EXPECT_EQ(size(), QSize(300, 51)) << "nothing from 100 pixels or less";
    press(1016);
    EXPECT_EQ(size(), QSize(300, 101));
    press(1019);
    EXPECT_EQ(size(), QSize(250, 101));
    press(1018);
    press(1018);
    EXPECT_EQ(size(), QSize(350, 101));

    ASSERT_FLOAT_EQ(grid.getFontSize(), 9.75f);
    press(1021);
    EXPECT_FLOAT_EQ(grid.getFontSize(), 11.75f);
    for (float expected : {9.75f, 7.75f, 5.75f, 5.75f}) {
        press(1020);
        EXPECT_FLOAT_EQ(grid.getFontSize(), expected);
    }
}

TEST_F(AboutBox, SaveAndRestoreAskFirstAndUseTheLayoutFile) {
    auto window = makeWindow();
    CAboutDlg about(window.get());
    auto press = [&](int id) { findControl<QPushButton>(about, id)->click(); };

    press(1022);  // answered No
    EXPECT_FALSE(workDir.exists("BrevixTable.cfg"));
    modals.answerWith(QMessageBox::Yes);
    press(1022);
    EXPECT_TRUE(workDir.exists("BrevixTable.cfg"));

    window->grid().setFontSize(20.0f);
    modals.answerWith(QMessageBox::No);
    press(1023);
    EXPECT_FLOAT_EQ(window->grid().getFontSize(), 20.0f);
    modals.answerWith(QMessageBox::Yes);
    press(1023);
    EXPECT_FLOAT_EQ(window->grid().getFontSize(), 9.75f);

    const std::string save = "Are you sure to save current display attributes?";
    const std::string restore = "Are you sure to restore previous display attributes?";
    EXPECT_EQ(modals.texts(), (std::vector<std::string>{save, save, restore, restore}));
}

TEST_F(AboutBox, ButtonsDoNothingWithoutAMainWindow) {
    CAboutDlg about;
    for (int id : {1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023}) {
        findControl<QPushButton>(about, id)->click();
    }
    EXPECT_TRUE(modals.shown.empty());
}

}  // namespace

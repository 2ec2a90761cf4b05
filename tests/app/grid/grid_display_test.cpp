#include <QAccessible>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "grid_fixture.h"

namespace {

// Counts the paint events a widget receives and keeps the area of the last one.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    QRect lastArea;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            lastArea = static_cast<QPaintEvent*>(event)->region().boundingRect();
        }
        return false;
    }
};

class GridDisplayTest : public GridFixture {
  protected:
    // Runs the event loop once, so every pending update reaches the screen.
    static void settle() { QCoreApplication::processEvents(); }

    void showAndWatchPainting() {
        fillRows(40);
        show();
        settle();
        grid->viewport()->installEventFilter(&counter);
    }

    QRect cellArea(int32_t row, int32_t column) const {
        return grid->visualRect(grid->model()->index(row - 1, column));
    }

    PaintCounter counter;
};

TEST_F(GridDisplayTest, SuspendedCellWritesAreAnnouncedOnceAndOnlyTheirCellsRepainted) {
    showAndWatchPainting();
    QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);

    // Unsuspended, a write is announced and painted at once.
    ASSERT_TRUE(grid->setCellText(2, 2, "now"));
    EXPECT_EQ(changes.count(), 1);
    settle();
    EXPECT_GE(counter.paints, 1);

    counter.paints = 0;
    changes.clear();
    grid->setRedraw(false);
    for (int32_t column = 1; column < 6; ++column) ASSERT_TRUE(grid->setCellText(4, column, "a"));
    ASSERT_TRUE(colourCell(3, 2, 0x0000FF, 0x00FFFF));
    ASSERT_TRUE(grid->setCellText(5, 4, "b"));
    EXPECT_EQ(changes.count(), 0);

    grid->setRedraw(true);
    ASSERT_EQ(changes.count(), 1);
    const auto from = changes[0][0].value<QModelIndex>();
    const auto to = changes[0][1].value<QModelIndex>();
    EXPECT_EQ(from.row() + 1, 3);  // grid rows 3 to 5, columns 1 to 5
    EXPECT_EQ(from.column(), 1);
    EXPECT_EQ(to.row() + 1, 5);
    EXPECT_EQ(to.column(), 5);
    settle();
    EXPECT_EQ(counter.paints, 1);
    const QRect changedArea = cellArea(3, 1).united(cellArea(5, 5)).adjusted(-2, -2, 2, 2);
    EXPECT_TRUE(changedArea.contains(counter.lastArea))
        << "painted " << counter.lastArea.height() << " of " << grid->viewport()->height();

    // Resuming again, with nothing suspended, announces and paints nothing more.
    grid->setRedraw(true);
    settle();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(GridDisplayTest, AnythingBeyondCellsWhileSuspendedHoldsAllPaintingUntilResumed) {
    showAndWatchPainting();
    const std::vector<std::pair<const char*, std::function<void()>>> interruptions = {
        {"the event loop runs", [] {}},
        {"a row is removed", [&] { grid->removeRow(4); }},
        {"the row count changes", [&] { grid->setRowCount(40); }},
        {"a column width changes", [&] { grid->setColumnWidth(1, 2000); }},
        {"the font changes", [&] { grid->setFontSize(11.75f); }},
        {"the grid is resized", [&] { grid->setWindowSize(580, 260); }},
        {"the user scrolls",
         [&] {
             QScrollBar* bar = grid->verticalScrollBar();
             QMetaObject::invokeMethod(
                 bar, [bar] { bar->setValue(bar->value() + 1); }, Qt::QueuedConnection);
         }},
    };
    for (const auto& [name, interrupt] : interruptions) {
        counter.paints = 0;
        grid->setRedraw(false);
        ASSERT_TRUE(grid->setCellText(2, 1, name));
        interrupt();
        settle();
        EXPECT_EQ(counter.paints, 0) << name;

        grid->setRedraw(true);
        settle();
        EXPECT_EQ(counter.paints, 1) << name;
        EXPECT_EQ(counter.lastArea, grid->viewport()->rect()) << name << ": whole grid";
    }
    EXPECT_GT(grid->verticalScrollBar()->value(), 0) << "the scroll took place";
}

TEST_F(GridDisplayTest, ChangesToRowsThatWentWhileSuspendedAreNotAnnounced) {
    fillRows(10);
    QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy headerChanges(grid->model(), &QAbstractItemModel::headerDataChanged);
    grid->setRedraw(false);
    ASSERT_TRUE(grid->setCellText(0, 6, "Groups"));
    ASSERT_TRUE(grid->setCellText(8, 6, "gone"));
    ASSERT_TRUE(grid->setCellText(9, 6, "gone"));
    ASSERT_TRUE(grid->setRowCount(3));
    grid->setRedraw(true);

    EXPECT_EQ(headerChanges.count(), 1);
    for (const auto& signal : changes) {
        const auto to = signal[1].value<QModelIndex>();
        EXPECT_TRUE(to.isValid());
        EXPECT_LT(to.row(), grid->model()->rowCount());
    }
    EXPECT_EQ(grid->model()->headerData(6, Qt::Horizontal).toString(), "Groups");
}

TEST_F(GridDisplayTest, RowsRemovedWhileSuspendedStillGetTheirMovedCellsRepainted) {
    fillRows(10);
    QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
    grid->setRedraw(false);
    ASSERT_TRUE(grid->setCellText(7, 1, "moves up"));
    ASSERT_TRUE(grid->removeRow(4));
    grid->setRedraw(true);

    ASSERT_EQ(changes.count(), 1);
    const int32_t top = changes[0][0].value<QModelIndex>().row() + 1;
    const int32_t bottom = changes[0][1].value<QModelIndex>().row() + 1;
    EXPECT_LE(top, 6);
    EXPECT_GE(bottom, 6);
    EXPECT_EQ(text(6, 1), "moves up");
}

TEST_F(GridDisplayTest, HeaderRowStaysInViewWhileTheDataRowsScroll) {
    fillRows(401);
    host.resize(700, 300);
    grid->setGeometry(8, 8, 600, 250);
    show();
    grid->scrollToBottom();
    settle();

    EXPECT_GT(grid->rowAt(grid->viewport()->height() / 2) + 1, 300) << "data rows scrolled";
    EXPECT_GT(grid->verticalScrollBar()->value(), 0);
    const QHeaderView* header = grid->horizontalHeader();
    ASSERT_TRUE(header->isVisible());
    EXPECT_GT(header->height(), 0);
    EXPECT_LE(header->geometry().bottom(), grid->viewport()->geometry().top());
    EXPECT_LE(header->y(), grid->frameWidth());
    for (int32_t column = 0; column < 7; ++column) {
        EXPECT_EQ(grid->model()->headerData(column, Qt::Horizontal).toString(), kCaptions[column]);
        EXPECT_EQ(text(0, column), kCaptions[column]);
    }
    EXPECT_FALSE(grid->verticalHeader()->isVisible()) << "no row-number column";
}

TEST_F(GridDisplayTest, FontIsTahomaOrAnInstalledSansFontAtTheExactSize) {
    const QFont font = grid->font();
    if (QFontDatabase::hasFamily("Tahoma")) {
        EXPECT_EQ(font.family(), "Tahoma");
    } else {
        EXPECT_NE(font.family(), "Tahoma");
        EXPECT_TRUE(QFontDatabase::hasFamily(font.family())) << font.family().toStdString();
        EXPECT_EQ(QFontInfo(font).family(), font.family()) << "no silent substitution";
    }
    EXPECT_EQ(font.weight(), 400);
    EXPECT_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(grid->getFontSize(), 9.75f);

    // The About box's steps: the sizes must come back exactly, not as Qt rounds them.
    const std::vector<std::pair<float, float>> steps = {
        {-2.0f, 7.75f}, {-2.0f, 5.75f}, {+2.0f, 7.75f}, {+4.0f, 11.75f}};
    for (const auto& [step, expected] : steps) {
        grid->setFontSize(grid->getFontSize() + step);
        EXPECT_EQ(grid->getFontSize(), expected);
        EXPECT_EQ(grid->font().pointSizeF(), static_cast<double>(expected));
    }

    for (float invalid : {0.0f, -4.0f, std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity()}) {
        grid->setFontSize(invalid);
        EXPECT_EQ(grid->getFontSize(), 11.75f) << invalid;
    }
}

TEST_F(GridDisplayTest, RowsGrowWithTheFontAndHugeSizesAreDrawnBounded) {
    fillRows(3);
    show();
    const int rowHeightBefore = grid->rowHeight(0);
    grid->setFontSize(19.75f);
    EXPECT_GT(grid->rowHeight(0), rowHeightBefore);

    grid->setFontSize(1.0e9f);
    EXPECT_EQ(grid->getFontSize(), 1.0e9f);
    EXPECT_LE(grid->font().pointSizeF(), 400.0);
    settle();
}

TEST_F(GridDisplayTest, ColumnWidthsAreKeptInTwipsAndShownInPixels) {
    const int dpi = grid->logicalDpiX();
    for (int32_t column = 0; column < 7; ++column) {
        int32_t twips = 0;
        ASSERT_TRUE(grid->getColumnWidth(column, twips));
        EXPECT_EQ(twips, kWidthsTwips[column]);
        EXPECT_EQ(grid->columnWidth(column), kWidthsTwips[column] * dpi / 1440) << column;
    }

    for (int32_t twips : {0, 1, 1441, std::numeric_limits<int32_t>::max()}) {
        ASSERT_TRUE(grid->setColumnWidth(6, twips));
        int32_t stored = -1;
        ASSERT_TRUE(grid->getColumnWidth(6, stored));
        EXPECT_EQ(stored, twips);
        const int64_t pixels = static_cast<int64_t>(twips) * dpi / 1440;
        EXPECT_EQ(grid->columnWidth(6), std::min<int64_t>(pixels, 32767)) << twips;
    }
}

TEST_F(GridDisplayTest, WindowSizeChangesKeepTheTopLeftCorner) {
    show();
    grid->move(10, 20);
    grid->setWindowSize(300, 101);
    EXPECT_EQ(grid->pos(), QPoint(10, 20));
    EXPECT_EQ(grid->getWindowSize().width, 300);
    EXPECT_EQ(grid->getWindowSize().height, 101);

    grid->setWindowSize(300, 51);  // as small as the size buttons go
    EXPECT_EQ(grid->getWindowSize().height, 51);

    for (auto [width, height] : {std::pair{0, 200}, {200, 0}, {-50, -50}}) {
        grid->setWindowSize(width, height);
        EXPECT_EQ(grid->getWindowSize().width, 300) << width << "x" << height;
        EXPECT_EQ(grid->getWindowSize().height, 51) << width << "x" << height;
    }

    const int32_t huge = std::numeric_limits<int32_t>::max();
    grid->setWindowSize(huge, huge);
    EXPECT_EQ(grid->getWindowSize().width, QWIDGETSIZE_MAX);
    EXPECT_EQ(grid->getWindowSize().height, QWIDGETSIZE_MAX);
    EXPECT_EQ(grid->pos(), QPoint(10, 20));
    settle();
}

TEST_F(GridDisplayTest, CellsAreReadableThroughAccessibility) {
    fillRows(4);
    show();
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->text(QAccessible::Name), "agent grid");
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->rowCount(), 3);

    QAccessibleInterface* cell = table->tableInterface()->cellAt(1, 4);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), "r2c4");

    // The header row is there too, as the table's column headers.
    QStringList headers;
    for (int child = 0; child < table->childCount(); ++child)
        if (table->child(child)->role() == QAccessible::ColumnHeader)
            headers << table->child(child)->text(QAccessible::Name);
    EXPECT_EQ(headers, QStringList({"AgentID", "Agent name", "Mode", "Duration", "Extension",
                                    "ExtState", "Queues"}));
}

}  // namespace

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>  // complete before the modal answerer uses it
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "app/window_fixture.h"

namespace {

// Everything the layout file holds, as the live window and grid have it, and the flags that
// the check boxes' actions set.
struct Layout {
    GridView::PixelSize grid;
    GridView::PixelSize window;
    float fontSize = 0;
    std::vector<int32_t> widths;
    std::vector<int16_t> alignments;
    std::vector<std::string> captions;
    bool hideLoggedOut = false;
    bool showHeldTime = false;
    bool disableRedrawSaveMode = false;
    std::string queueFilter;

    bool operator==(const Layout& other) const {
        return grid.width == other.grid.width && grid.height == other.grid.height &&
               window.width == other.window.width && window.height == other.window.height &&
               fontSize == other.fontSize && widths == other.widths &&
               alignments == other.alignments && captions == other.captions &&
               hideLoggedOut == other.hideLoggedOut && showHeldTime == other.showHeldTime &&
               disableRedrawSaveMode == other.disableRedrawSaveMode &&
               queueFilter == other.queueFilter;
    }
};

void PrintTo(const Layout& layout, std::ostream* out) {
    *out << "grid " << layout.grid.width << "x" << layout.grid.height << ", window "
         << layout.window.width << "x" << layout.window.height << ", font " << layout.fontSize
         << ", columns";
    for (std::size_t c = 0; c < layout.widths.size(); ++c) {
        *out << " [" << layout.widths[c] << "," << layout.alignments[c] << "," << layout.captions[c]
             << "]";
    }
    *out << ", boxes " << layout.hideLoggedOut << layout.showHeldTime
         << layout.disableRedrawSaveMode << ", filter " << layout.queueFilter;
}

const Layout kArranged = {{520, 300},
                          {700, 560},
                          11.5f,
                          {1200, 2600, 1500, 1400, 1100, 1300, 3000},
                          {1, 0, 4, 7, 2, 8, 3},
                          {"Id", "Agent", "State", "Time", "Ext", "Line", "Queue list"},
                          true,
                          false,
                          true,
                          "Q100"};
const Layout kRearranged = {{610, 410},
                            {760, 620},
                            7.75f,
                            {900, 900, 900, 900, 900, 900, 900},
                            {5, 5, 5, 5, 5, 5, 5},
                            {"a", "b", "c", "d", "e", "f", "g"},
                            false,
                            true,
                            false,
                            "Q9"};

Layout readLayout(CBrevixDlg& window) {
    GridView& grid = window.grid();
    Layout layout;
    layout.grid = grid.getWindowSize();
    layout.window = window.getMainWindowSize();
    layout.fontSize = grid.getFontSize();
    for (int32_t column = 0; column < grid.getColumnCount(); ++column) {
        int32_t width = 0;
        int16_t alignment = 0;
        grid.getColumnWidth(column, width);
        grid.getColumnAlignment(column, alignment);
        layout.widths.push_back(width);
        layout.alignments.push_back(alignment);
        layout.captions.push_back(grid.getCellText(0, column));
    }
    const BoardSettings& settings = window.core().settings;
    layout.hideLoggedOut = window.isChecked(LayoutCheckBox::HideLoggedOut);
    layout.showHeldTime = window.isChecked(LayoutCheckBox::ShowHeldTime);
    layout.disableRedrawSaveMode = window.isChecked(LayoutCheckBox::DisableRedrawSaveMode);
    EXPECT_EQ(settings.hideLoggedOut, layout.hideLoggedOut ? 1 : 0);
    EXPECT_EQ(settings.showHeldTime, layout.showHeldTime ? 1 : 0);
    EXPECT_EQ(settings.redrawSaveMode, layout.disableRedrawSaveMode ? 0 : 1);
    layout.queueFilter = findControl<QLineEdit>(window, kIdQueueFilterBox)->text().toStdString();
    return layout;
}

// Arranges the board the way a user does, through the window's and the grid's own operations.
void arrange(CBrevixDlg& window, const Layout& layout) {
    GridView& grid = window.grid();
    grid.setWindowSize(layout.grid.width, layout.grid.height);
    window.setMainWindowSize(layout.window.width, layout.window.height);
    grid.setFontSize(layout.fontSize);
    for (int32_t column = 0; column < static_cast<int32_t>(layout.widths.size()); ++column) {
        grid.setColumnWidth(column, layout.widths[column]);
        grid.setColumnAlignment(column, layout.alignments[column]);
        grid.setCellText(0, column, layout.captions[column].c_str());
    }
    window.setCheckedAndClick(LayoutCheckBox::HideLoggedOut, layout.hideLoggedOut);
    window.setCheckedAndClick(LayoutCheckBox::ShowHeldTime, layout.showHeldTime);
    window.setCheckedAndClick(LayoutCheckBox::DisableRedrawSaveMode, layout.disableRedrawSaveMode);
    window.setQueueFilter(layout.queueFilter.c_str());
}

using LayoutRoundTrip = WindowTest;

TEST_F(LayoutRoundTrip, SavedLayoutComesBackWholeThroughTheRealWindow) {
    auto window = makeWindow();
    window->show();
    arrange(*window, kArranged);
    ASSERT_EQ(readLayout(*window), kArranged) << "the window took the arrangement as set";
    window->core().layout.saveTableConfig();
    const std::string saved = workDir.read("BrevixTable.cfg");

    arrange(*window, kRearranged);
    ASSERT_EQ(readLayout(*window), kRearranged);
    window->core().layout.restoreTableConfig();
    EXPECT_EQ(readLayout(*window), kArranged);

    // A later save keeps the earlier file under the time of the save.
    arrange(*window, kRearranged);
    clock.now += 90;
    window->core().layout.saveTableConfig();
    EXPECT_EQ(workDir.read("BrevixTable-" + std::to_string(clock.now) + ".cfg"), saved);
    EXPECT_NE(workDir.read("BrevixTable.cfg"), saved);
    window->core().layout.restoreTableConfig();
    EXPECT_EQ(readLayout(*window), kRearranged);
    EXPECT_TRUE(modals.shown.empty());
    EXPECT_TRUE(findControl<QLineEdit>(*window, kIdStatusLine)->text().isEmpty());
}

}  // namespace

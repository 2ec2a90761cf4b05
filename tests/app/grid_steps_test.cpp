#include "app/grid_steps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/recording_grid.h"

namespace {

struct SizeCase {
    GridStep step;
    GridView::PixelSize before;
    GridView::PixelSize after;
};

TEST(GridSteps, SizesMoveBy50AndShrinkOnlyFromMoreThan100Pixels) {
    const SizeCase cases[] = {
        {GridStep::HeightPlus, {300, 200}, {300, 250}},
        {GridStep::HeightPlus, {300, 0}, {300, 50}},
        {GridStep::HeightMinus, {300, 101}, {300, 51}},
        {GridStep::HeightMinus, {300, 100}, {300, 100}},
        {GridStep::HeightMinus, {300, 20}, {300, 20}},
        {GridStep::WidthPlus, {300, 200}, {350, 200}},
        {GridStep::WidthMinus, {101, 200}, {51, 200}},
        {GridStep::WidthMinus, {100, 200}, {100, 200}},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(c.step) << " from "
                                        << c.before.width << "x" << c.before.height);
        RecordingGrid grid;
        grid.windowSize = c.before;
        applyGridStep(grid, c.step);
        EXPECT_EQ(grid.windowSize.width, c.after.width);
        EXPECT_EQ(grid.windowSize.height, c.after.height);
        bool changed = c.before.width != c.after.width || c.before.height != c.after.height;
        EXPECT_EQ(grid.calls.size(), changed ? 1u : 0u) << "a step at its limit does nothing";
    }
}

TEST(GridSteps, FontShrinksBy2OnlyFrom6PointsOrMoreAndGrowsWithoutLimit) {
    RecordingGrid grid;
    grid.fontSize = 9.75f;
    const float shrinking[] = {7.75f, 5.75f, 5.75f};
    for (float expected : shrinking) {
        applyGridStep(grid, GridStep::FontSizeMinus);
        EXPECT_FLOAT_EQ(grid.fontSize, expected);
    }
    EXPECT_EQ(grid.calls.size(), 2u);

    grid.fontSize = 6.0f;
    applyGridStep(grid, GridStep::FontSizeMinus);
    EXPECT_FLOAT_EQ(grid.fontSize, 4.0f);

    grid.fontSize = 9.75f;
    applyGridStep(grid, GridStep::FontSizePlus);
    EXPECT_FLOAT_EQ(grid.fontSize, 11.75f);
    grid.fontSize = 400.0f;
    applyGridStep(grid, GridStep::FontSizePlus);
    EXPECT_FLOAT_EQ(grid.fontSize, 402.0f);
}

}  // namespace

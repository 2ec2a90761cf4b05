#include "app/grid_steps.h"

#include <cstdint>

namespace {

enum class Direction { Grow, Shrink };
using Length = int32_t GridView::PixelSize::*;

constexpr int32_t kSizeStep = 50;
constexpr int32_t kSmallestShrinkableLength = 101;
constexpr float kFontStep = 2.0f;
constexpr float kSmallestShrinkableFont = 6.0f;

void stepSize(GridView& grid, Length length, Direction direction) {
    GridView::PixelSize size = grid.getWindowSize();
    if (direction == Direction::Grow) {
        size.*length += kSizeStep;
    } else if (size.*length >= kSmallestShrinkableLength) {
        size.*length -= kSizeStep;
    } else {
        return;
    }
    grid.setWindowSize(size.width, size.height);
}

void stepFont(GridView& grid, Direction direction) {
    float points = grid.getFontSize();
    if (direction == Direction::Grow) {
        grid.setFontSize(points + kFontStep);
    } else if (points >= kSmallestShrinkableFont) {
        grid.setFontSize(points - kFontStep);
    }
}

}  // namespace

void applyGridStep(GridView& grid, GridStep step) {
    switch (step) {
        case GridStep::HeightPlus:
            return stepSize(grid, &GridView::PixelSize::height, Direction::Grow);
        case GridStep::HeightMinus:
            return stepSize(grid, &GridView::PixelSize::height, Direction::Shrink);
        case GridStep::WidthPlus:
            return stepSize(grid, &GridView::PixelSize::width, Direction::Grow);
        case GridStep::WidthMinus:
            return stepSize(grid, &GridView::PixelSize::width, Direction::Shrink);
        case GridStep::FontSizePlus:
            return stepFont(grid, Direction::Grow);
        case GridStep::FontSizeMinus:
            return stepFont(grid, Direction::Shrink);
    }
}

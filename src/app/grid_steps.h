#pragma once

#include "app/grid/grid_view.h"

// The About box's size and font buttons.
enum class GridStep { HeightPlus, HeightMinus, WidthPlus, WidthMinus, FontSizePlus, FontSizeMinus };

// One press of a button on the grid. Sizes change by 50 pixels with the top-left corner kept,
// and shrink only from more than 100 pixels; the font changes by 2 points and shrinks only
// from 6 points or more. There is no upper limit. At a limit nothing happens.
void applyGridStep(GridView& grid, GridStep step);

#pragma once

#include "app/grid/grid_view.h"

// Gives the agent grid its seven columns with their captions and widths and leaves the
// header row as its only row.
void setUpAgentGrid(GridView& grid);

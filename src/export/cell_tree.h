// The spatial index of a layer: a tree of cells over the output square in heap order, in which every
// Definition sits in the smallest cell that holds its whole box.
#pragma once

#include <cstdint>

#include "export/export_state.h"

namespace plotwell {

// The cell (0..510) for a box of scaled coordinates. Levels 0, 2, 4, 6 split on X, levels 1, 3, 5, 7 on
// Y; a box that straddles a level's split stays in that level's cell.
int cell_index(const OutputRange& range, int min_x, int min_y, int max_x, int max_y);

}  // namespace plotwell

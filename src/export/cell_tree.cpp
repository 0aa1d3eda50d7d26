#include "export/cell_tree.h"

#include <algorithm>

namespace plotwell {

CellTable make_cell_table(int kind) {
    CellTable table;
    table.kind = kind;
    table.entries.assign(kind == 1 ? 1 : kCellTreeEntries, 0);
    return table;
}

int cell_index(const OutputRange& range, int min_x, int min_y, int max_x, int max_y) {
    const int m = std::max(range.x_max, range.y_max);
    int lo[2] = {range.x_min, range.y_min};
    int hi[2] = {m, m};
    const int mins[2] = {min_x, min_y};
    const int maxs[2] = {max_x, max_y};
    int base = 0;
    int path = 0;
    for (int level = 0; level < 8; ++level) {
        const int axis = level % 2;
        const int mid = (lo[axis] + hi[axis]) / 2;
        if (mins[axis] < mid && maxs[axis] >= mid) return base + path;
        path *= 2;
        if (maxs[axis] < mid) {
            hi[axis] = mid - 1;
        } else {
            lo[axis] = mid;
            path += 1;
        }
        base += 1 << level;
    }
    return base + path;
}

}  // namespace plotwell

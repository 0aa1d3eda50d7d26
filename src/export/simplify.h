// Line and polygon simplification in output units. A line keeps its two ends, a polygon its first
// point; neither ever comes out with fewer than 2 points (a line) or 3 distinct points (a polygon that
// had them), so every simplified object can still be drawn.
#pragma once

#include <cstddef>
#include <vector>

#include "export/export_state.h"

namespace plotwell {

using Outline = std::vector<ScaledPoint>;  // every point, first to last

// Douglas–Peucker: drops the points closer than `tolerance` to the simplified outline.
Outline simplify_line(const Outline& points, double tolerance);
Outline simplify_ring(const Outline& points, double tolerance);

// Visvalingam–Whyatt: drops the points of least effective area until at most `max_points` are left
// (never fewer than 3).
Outline reduce_ring(const Outline& points, size_t max_points);

size_t distinct_point_count(const Outline& points);
// Area enclosed by the closed ring, in square output units.
double ring_area(const Outline& points);

}  // namespace plotwell

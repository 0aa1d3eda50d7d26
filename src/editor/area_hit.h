// Clicks inside a polygon's area, for when no vertex or edge answered.
#pragma once

#include "editor/view_state.h"
#include "model/records.h"

namespace plotwell {

// Even-odd rule over the ring (the last point joins the first).
bool ring_contains(const Point* points, int32_t count, double x, double y);

// The polygon of the layer whose area holds the probe; of nested ones the one with the smallest bounds,
// so that an island inside a forest can be picked. None when no polygon holds it.
MapObject* polygon_at(const ViewState& view, const Project& project, const Layer& layer, ScreenPoint probe);

}  // namespace plotwell

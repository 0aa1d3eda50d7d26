// What the view toggles add to the map: half transparent polygon areas and object names.
#pragma once

#include "editor/view_state.h"
#include "model/records.h"
#include "platform/canvas.h"

namespace plotwell {

inline constexpr uint8_t kFillAlpha = 128;

// The polygon's area in its outline colour, half transparent; other objects draw nothing.
void fill_polygon_area(const ViewState& view, const Project& project, const MapObject* object,
                       Canvas& canvas);

// The object's name beside a point, or along the longest segment of a line, kept upright; nothing for
// unnamed objects, polygons, or a name whose place lies outside the map area.
void draw_object_name(const ViewState& view, const Project& project, const MapObject* object, Canvas& canvas);

}  // namespace plotwell

// The rubber band of a figure being drawn: an XOR line from its last placed point to the mouse, so that
// the next segment shows before it is placed.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

// Erases the band as last drawn and draws it to the mouse; outside the map area, or before the first
// point, it stays away.
void follow_drawing_band(EditorContext& ctx, ScreenPoint mouse);

}  // namespace plotwell

// Drawing a new figure in tool modes 1 to 3. Each answers Ok when it changed something, Cancelled
// when there was nothing to do.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

Outcome start_drawing(EditorContext& ctx, int dimension);
Outcome add_drawing_point(EditorContext& ctx, ScreenPoint click);
Outcome complete_drawing(EditorContext& ctx);
Outcome finish_drawing(EditorContext& ctx);
// Drops the figure in progress and returns to the select tool; Cancelled outside the drawing modes.
Outcome cancel_drawing(EditorContext& ctx);

}  // namespace plotwell

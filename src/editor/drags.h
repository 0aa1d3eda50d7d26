// Dragging vertices, objects, the selection rectangle's handles and bitmaps. A start that answers Ok
// has set the dragging flag; follow and end are called only then.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

Outcome start_vertex_drag(EditorContext& ctx, ScreenPoint press);
Outcome start_object_drag(EditorContext& ctx, ScreenPoint press);
Outcome start_handle_drag(EditorContext& ctx, ScreenPoint press);
Outcome start_bitmap_drag(EditorContext& ctx, ScreenPoint press);
void follow_drag(EditorContext& ctx, ScreenPoint mouse);
Outcome end_drag(EditorContext& ctx, ScreenPoint release);

}  // namespace plotwell

// Object editing from the map view: drawing new figures, dragging vertices, objects, rectangle handles
// and bitmaps, vertex commands, splitting, joining, the clipboard and the bitmap commands.
// Each answers Ok when it changed something, Cancelled when there was nothing to do and Failed when it
// refused; the commands that call them add their messages.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

// Drawing (tool modes 1 to 3).
Outcome start_drawing(EditorContext& ctx, int dimension);
Outcome add_drawing_point(EditorContext& ctx, ScreenPoint click);
Outcome complete_drawing(EditorContext& ctx);
Outcome finish_drawing(EditorContext& ctx);

// Drags. A start that answers Ok has set the dragging flag; follow and end are called only then.
Outcome start_vertex_drag(EditorContext& ctx, ScreenPoint press);
Outcome start_object_drag(EditorContext& ctx, ScreenPoint press);
Outcome start_handle_drag(EditorContext& ctx, ScreenPoint press);
Outcome start_bitmap_drag(EditorContext& ctx, ScreenPoint press);
void follow_drag(EditorContext& ctx, ScreenPoint mouse);
Outcome end_drag(EditorContext& ctx, ScreenPoint release);

// Vertex commands on the single current object or the hot item.
Outcome insert_point(EditorContext& ctx);
Outcome add_point(EditorContext& ctx);
Outcome delete_point(EditorContext& ctx);
Outcome split_line(EditorContext& ctx);     // Failed: "Bad split point"
Outcome split_polygon(EditorContext& ctx);  // Failed: "Bad split points"
Outcome join_lines(EditorContext& ctx);

// Clipboard.
Outcome cut_objects(EditorContext& ctx);
Outcome copy_objects(EditorContext& ctx);
Outcome paste_objects(EditorContext& ctx);

// The hot background bitmap.
Outcome set_bitmap_locked(EditorContext& ctx, bool locked);
Outcome set_bitmap_hidden(EditorContext& ctx, bool hidden);

}  // namespace plotwell

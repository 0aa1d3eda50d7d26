#include "editor/editing.h"

#include "editor/menus.h"

namespace plotwell {

// Not built yet: see editing.h.
Outcome start_drawing(EditorContext&, int) {
    return Outcome::NotAvailable;
}
Outcome add_drawing_point(EditorContext&, ScreenPoint) {
    return Outcome::NotAvailable;
}
// Outside the drawing modes completing only returns to the select tool (Enter in rectangle mode); the
// new-object dialog for a drawn figure is not built yet.
Outcome complete_drawing(EditorContext& ctx) {
    const int m = ctx.editor.tool_mode;
    if (m == kToolPoint || m == kToolLine || m == kToolPolygon) return Outcome::NotAvailable;
    set_tool_buttons(ctx.host, kToolSelect);
    set_tool_mode(ctx.editor, kToolSelect);
    return Outcome::Ok;
}
Outcome finish_drawing(EditorContext&) {
    return Outcome::NotAvailable;
}

Outcome start_vertex_drag(EditorContext&, ScreenPoint) {
    return Outcome::NotAvailable;
}
Outcome start_object_drag(EditorContext&, ScreenPoint) {
    return Outcome::NotAvailable;
}
Outcome start_handle_drag(EditorContext&, ScreenPoint) {
    return Outcome::NotAvailable;
}
Outcome start_bitmap_drag(EditorContext&, ScreenPoint) {
    return Outcome::NotAvailable;
}
void follow_drag(EditorContext&, ScreenPoint) {}
Outcome end_drag(EditorContext& ctx, ScreenPoint) {
    ctx.editor.drag.dragging = false;
    return Outcome::NotAvailable;
}

Outcome insert_point(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome add_point(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome delete_point(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome split_line(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome split_polygon(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome join_lines(EditorContext&) {
    return Outcome::NotAvailable;
}

Outcome cut_objects(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome copy_objects(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome paste_objects(EditorContext&) {
    return Outcome::NotAvailable;
}

Outcome set_bitmap_locked(EditorContext&, bool) {
    return Outcome::NotAvailable;
}
Outcome set_bitmap_hidden(EditorContext&, bool) {
    return Outcome::NotAvailable;
}

}  // namespace plotwell

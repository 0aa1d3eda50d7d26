// The View menu's commands and Ctrl+wheel zooming.
#pragma once

#include <optional>

#include "editor/editor_context.h"

namespace plotwell {

// The whole range, as after a load.
void zoom_to_extent(EditorContext& ctx);
// The current objects' bounds; nothing without current objects.
void zoom_to_selection(EditorContext& ctx);
// One wheel notch with Ctrl: the map point under the cursor stays under it.
void zoom_at_cursor(EditorContext& ctx, ScreenPoint cursor, bool in);

void toggle_show_names(EditorContext& ctx);
void toggle_fill_polygons(EditorContext& ctx);
// The state of a view toggle command, none for any other command.
std::optional<bool> view_toggle_state(const ViewState& view, int command);

}  // namespace plotwell

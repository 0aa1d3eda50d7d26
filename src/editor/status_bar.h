// The status bar's texts: the current object's name (part 0), the current layer (part 1) and the
// mouse position in map units (part 2).
#pragma once

#include <string>

#include "editor/editor_context.h"

namespace plotwell {

inline constexpr int kStatusObjectPart = 0;
inline constexpr int kStatusLayerPart = 1;
inline constexpr int kStatusCoordPart = 2;
// Decimal degree projects: the mouse position in degrees, right of the three parts.
inline constexpr int kStatusDegreePart = 3;

// The single current object's name, "N objects" for more than one, nothing for none.
std::string object_status_text(const EditorState& editor);
std::string layer_status_text(const Project& project, const EditorState& editor);
std::string coord_status_text(const Project& project, const ViewState& view, ScreenPoint mouse);
// "49.612000 N 17.738600 E"; empty unless the project is in decimal degrees with a range.
std::string degree_status_text(const Project& project, const ViewState& view, ScreenPoint mouse);

void show_object_status(EditorContext& ctx);
void show_layer_status(EditorContext& ctx);
void show_coord_status(EditorContext& ctx, ScreenPoint mouse);
// The object name and the mouse position belong to the project being closed or replaced.
void clear_object_status(EditorContext& ctx);

}  // namespace plotwell

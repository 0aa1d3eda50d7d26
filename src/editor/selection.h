// The current-object set and how the mouse and the selection commands fill it, the rectangle tool's
// rubber band, Properties and Delete.
#pragma once

#include <string>

#include "editor/editor_context.h"

namespace plotwell {

// Everything that changes the set shows it in status part 0 (see object_status_text).
// The set becomes exactly this object (or empty).
void set_current_object(EditorContext& ctx, MapObject* object);
// The set becomes the objects of the chain in chain order, at most kMaxCurrentObjects.
void set_current_list(EditorContext& ctx, MapObject* chain);

// A mouse move in select mode over the map area with a current layer.
void hover(EditorContext& ctx, ScreenPoint mouse);
// A click in select mode: Ctrl adds the hot object to the set or takes it out, otherwise the object under
// the click becomes the set.
void click_select(EditorContext& ctx, ScreenPoint click, bool ctrl);

// 40038 and 40039.
void select_all(EditorContext& ctx);
void select_by_type(EditorContext& ctx);

// The rectangle tool's new rectangle.
void start_rubber_band(EditorContext& ctx, ScreenPoint press);
void follow_rubber_band(EditorContext& ctx, ScreenPoint mouse);
void end_rubber_band(EditorContext& ctx, ScreenPoint release);

// The title of the property dialog that Properties opens for one object.
std::string object_properties_title(const MapObject* object);

// 40003 and 40002.
void properties_command(EditorContext& ctx);
void delete_command(EditorContext& ctx);

// The project changed: modified, title, redraw.
void mark_modified(EditorContext& ctx);

}  // namespace plotwell

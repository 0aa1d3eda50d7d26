// The commands that open the project-wide dialogs and the frame's own: Project Properties, Geographic
// Info, Layers, Background Bitmaps, Publisher Details and About. Each returns Ok when its dialog was
// confirmed and Cancelled otherwise; the command table adds the follow-up steps.
#pragma once

#include "editor/editor_context.h"
#include "project/bitmap_properties_dialog.h"

namespace plotwell {

// Where a new background bitmap without a size goes: 100 screen pixels square at the map area's
// top-left corner (bottom-left with decimal degrees, whose y axis points up).
BitmapPlacement default_bitmap_placement(const ViewState& view, const Project& project);

Outcome project_properties_dialog(EditorContext& ctx);
Outcome geo_info_dialog(EditorContext& ctx);
// Ok when the layer table changed.
Outcome layers_dialog(EditorContext& ctx);
// Always Ok: the dialog has only "Done", and what it changed it marked modified itself.
Outcome background_bitmaps_dialog(EditorContext& ctx);
Outcome publisher_dialog(EditorContext& ctx);
Outcome about_dialog(EditorContext& ctx);

}  // namespace plotwell

// Drawing the map view: the sheet, background bitmaps, layers, the figure being drawn and the
// selection rectangle, and the XOR feedback used between repaints.
#pragma once

#include "editor/editor_state.h"
#include "editor/view_state.h"
#include "platform/canvas.h"

namespace plotwell {

inline constexpr int kScreenBufferPoints = 6144;

void paint_map(const Project& project, const EditorState& editor, const ViewState& view, Canvas& canvas);

// Draws one object in its style; markers put a square on every vertex. Deleted objects draw nothing.
// The previous raster mode is restored afterwards.
void draw_object(const ViewState& view, const Project& project, const MapObject* object, Canvas& canvas,
                 bool markers, RasterMode mode);

// The colour a line or polygon is drawn in.
Color object_colour(const MapObject* object);

// 5 x 5 squares centred on the points.
void draw_markers(const ScreenPoint* points, int count, Canvas& canvas, Color pen, Brush brush);

// A white outline in XOR mode: drawing the same frame twice restores the screen.
void draw_xor_frame(Canvas& canvas, const ScreenRect& frame);
// The same for a white polyline: the rubber band of a figure and the edges of a dragged vertex.
void draw_xor_polyline(Canvas& canvas, const ScreenPoint* points, int count);

// The eight handle positions of a screen rectangle: corners, then edge midpoints.
void handle_points(ScreenPoint top_left, int32_t w, int32_t h, ScreenPoint out[8]);

}  // namespace plotwell

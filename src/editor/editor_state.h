// The editor's run-time state: tool mode, current layer, the current-object set, what the mouse last
// found, the figure being drawn, the clipboard, the selection rectangle and the drag in progress.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/window_layout.h"
#include "model/object_storage.h"
#include "model/records.h"
#include "platform/canvas.h"

namespace plotwell {

inline constexpr int kMaxCurrentObjects = 8192;
inline constexpr int kMaxDrawingPoints = 6144;

enum ToolMode : int { kToolSelect = 0, kToolPoint = 1, kToolLine = 2, kToolPolygon = 3, kToolRectangle = 4 };

// The rectangle tool's rectangle in map units; it exists when x1 < x2 and y1 < y2.
struct SelectionRect {
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;
    friend bool operator==(const SelectionRect&, const SelectionRect&) = default;
};
inline bool selection_exists(const SelectionRect& r) {
    return r.x1 < r.x2 && r.y1 < r.y2;
}
inline Rect selection_as_rect(const SelectionRect& r) {
    return Rect{r.x1, r.y1, r.x2, r.y2};
}

// What hit testing last found under the cursor.
enum class HotKind { None, Object, Bitmap, SelectionRect };

// Which drag the dragging flag belongs to.
enum class DragKind { None, Vertex, Object, Handle, Bitmap };

struct DragState {
    DragKind kind = DragKind::None;
    MapObject* target = nullptr;  // vertex and object drag: the object being changed
    bool button_down = false;
    bool dragging = false;
    // Pressed on a movable bitmap: its drag starts once the mouse has moved far enough.
    bool bitmap_pressed = false;
    bool press_in_map = false;  // the rectangle tool ignores a release whose press was elsewhere
    bool rubber_band = false;   // a new selection rectangle is being dragged out
    ScreenPoint press;          // where the left button went down
    ScreenPoint origin;         // drag origin of a bitmap drag
    ScreenRect frame;           // the XOR frame as last drawn (rubber band: press corner, then mouse)
    ScreenRect vertex_square;   // vertex drag: square left, top and (right, bottom) = size
    ScreenPoint press_offset;   // vertex drag: press position inside the square
    ObjectPtr copy;             // object drag: the dragged copy
    SelectionRect old_rect;     // handle drag: the rectangle as the drag began
};

struct LastCategory {
    uint8_t category = 0;
    uint8_t sub_type = 0;
};

struct EditorState {
    int tool_mode = kToolSelect;
    int current_layer = -1;                   // -1: the background bitmaps are current
    std::vector<MapObject*> current_objects;  // at most kMaxCurrentObjects, insertion order

    HotKind hot_kind = HotKind::None;
    MapObject* hot_item = nullptr;  // when hot_kind is Object
    int hot_bitmap = -1;            // when hot_kind is Bitmap: index into the bitmap table
    int hot_index = 0;              // vertex or segment index, or handle 0..8
    bool hot_on_vertex = false;

    ObjectHead drawing_template;
    std::vector<Point> drawing_points;  // at most kMaxDrawingPoints

    ObjectChain clipboard;  // copies, not part of any layer
    SelectionRect selection_rect;
    int split_mark = 0;
    uint8_t last_line_type = 0;
    uint8_t last_polygon_type = 0;
    uint8_t last_point_type = 0;
    LastCategory last_category;

    DragState drag;
    // While drawing: the XOR line from the last placed point to the mouse, as last drawn.
    bool band_shown = false;
    ScreenPoint band_from, band_to;
    ScreenPoint context_point;  // where the last context menu was opened (client pixels)
    bool blink_shown = false;   // the current objects are drawn inverted right now
    WindowLayout layout;

    EditorState() = default;
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;
};

// The layer at current_layer, or none for the background or an index outside the table.
Layer* current_layer_ptr(Project& project, const EditorState& editor);
const Layer* current_layer_ptr(const Project& project, const EditorState& editor);
// The bitmap under the cursor, or none when the hot item is no bitmap or its index is outside the table.
BackgroundBitmap* hot_bitmap_ptr(Project& project, const EditorState& editor);

void clear_hot_item(EditorState& editor);
// After the bitmap table changed an index found before may name another bitmap, or none.
void forget_hot_bitmap(EditorState& editor);
// Changing the current layer or the tool mode forgets the hot item: it belongs to where it was found.
void set_current_layer(EditorState& editor, int layer);
void set_tool_mode(EditorState& editor, int mode);

bool is_current(const EditorState& editor, const MapObject* object);

}  // namespace plotwell

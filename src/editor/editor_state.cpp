#include "editor/editor_state.h"

#include <algorithm>

namespace plotwell {

Layer* current_layer_ptr(Project& project, const EditorState& editor) {
    if (editor.current_layer < 0 || editor.current_layer >= project.layer_count) return nullptr;
    return &project.layers[editor.current_layer];
}

const Layer* current_layer_ptr(const Project& project, const EditorState& editor) {
    if (editor.current_layer < 0 || editor.current_layer >= project.layer_count) return nullptr;
    return &project.layers[editor.current_layer];
}

BackgroundBitmap* hot_bitmap_ptr(Project& project, const EditorState& editor) {
    const int i = editor.hot_bitmap;
    if (editor.hot_kind != HotKind::Bitmap || i < 0 || i >= project.bitmaps.count || i >= kMaxBitmaps)
        return nullptr;
    return &project.bitmaps.entries[i];
}

void clear_hot_item(EditorState& editor) {
    editor.hot_kind = HotKind::None;
    editor.hot_item = nullptr;
    editor.hot_bitmap = -1;
    editor.hot_index = 0;
    editor.hot_on_vertex = false;
    editor.drag.bitmap_pressed = false;
}

void forget_hot_bitmap(EditorState& editor) {
    if (editor.hot_kind == HotKind::Bitmap) clear_hot_item(editor);
}

void set_current_layer(EditorState& editor, int layer) {
    editor.current_layer = layer;
    clear_hot_item(editor);
}

void set_tool_mode(EditorState& editor, int mode) {
    editor.tool_mode = mode;
    clear_hot_item(editor);
}

bool is_current(const EditorState& editor, const MapObject* object) {
    return std::find(editor.current_objects.begin(), editor.current_objects.end(), object) !=
           editor.current_objects.end();
}

}  // namespace plotwell

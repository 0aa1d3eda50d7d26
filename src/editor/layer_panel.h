// The layer panel without the toolkit: its rows, and what a click, a check box and a double click do.
// Each is a change like any other: it goes through the editor and marks the project where it changes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor_context.h"

namespace plotwell {

struct LayerRow {
    int layer = -1;  // -1: the background bitmaps
    std::string name;
    std::string theme;
    int32_t count = 0;   // live objects; bitmaps for the background
    bool shown = false;  // bit 0 of display_flags: drawn when not current
    bool current = false;
    friend bool operator==(const LayerRow&, const LayerRow&) = default;
};

// The background first, then every layer in order.
std::vector<LayerRow> layer_rows(const Project& project, const EditorState& editor);

// As Layer Up and Layer Down do: the layer (-1: the background) becomes current.
void make_layer_current(EditorContext& ctx, int layer);
// Sets or clears bit 0 of the layer's display_flags; the project is modified when it changes.
void set_layer_shown(EditorContext& ctx, int layer, bool shown);
// "Edit Layer" on one layer.
void edit_layer(EditorContext& ctx, int layer);

}  // namespace plotwell

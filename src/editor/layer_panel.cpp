#include "editor/layer_panel.h"

#include "dialogs/edit_layer_dialog.h"
#include "editor/selection.h"
#include "editor/status_bar.h"
#include "editor/undo_commands.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_file.h"

namespace plotwell {

namespace {

bool valid_layer(const Project& project, int layer) {
    return layer >= 0 && layer < project.layer_count && layer < kMaxLayers;
}

}  // namespace

std::vector<LayerRow> layer_rows(const Project& project, const EditorState& editor) {
    std::vector<LayerRow> rows;
    if (!has_project(project)) return rows;
    LayerRow background;
    background.name = "<background>";
    background.count = project.bitmaps.count;
    background.current = editor.current_layer == -1;
    rows.push_back(background);
    for (int i = 0; valid_layer(project, i); ++i) {
        const Layer& l = project.layers[i];
        LayerRow row;
        row.layer = i;
        row.name = std::string(field_text(l.name));
        row.theme = theme_name(l.theme);
        for (const MapObject* o = l.objects; o; o = o->next)
            if (o->dimension != kDimDeleted) ++row.count;
        row.shown = l.display_flags & kLayerShowAlways;
        row.current = editor.current_layer == i;
        rows.push_back(row);
    }
    return rows;
}

void make_layer_current(EditorContext& ctx, int layer) {
    if (ctx.project.layer_count <= 0 || (layer != -1 && !valid_layer(ctx.project, layer))) return;
    set_current_layer(ctx.editor, layer);
    set_current_object(ctx, nullptr);
    show_layer_status(ctx);
    ctx.host.request_redraw();
}

void set_layer_shown(EditorContext& ctx, int layer, bool shown) {
    if (!valid_layer(ctx.project, layer)) return;
    uint8_t& f = ctx.project.layers[layer].display_flags;
    const uint8_t next = shown ? uint8_t(f | kLayerShowAlways) : uint8_t(f & ~kLayerShowAlways);
    if (next == f) return;
    f = next;
    mark_modified(ctx);
    finish_change(ctx, shown ? "Show Layer" : "Hide Layer");
}

void edit_layer(EditorContext& ctx, int layer) {
    if (!valid_layer(ctx.project, layer)) return;
    EditLayerModel dialog(ctx.project.layers[layer]);
    if (ctx.host.run_dialog(dialog) != 1) return;
    mark_modified(ctx);
    show_layer_status(ctx);
    finish_change(ctx, "Edit Layer");
}

}  // namespace plotwell

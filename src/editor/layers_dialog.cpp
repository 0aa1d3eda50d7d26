#include "editor/layers_dialog.h"

#include <utility>

#include "dialogs/edit_layer_dialog.h"
#include "editor/selection.h"
#include "model/layer_lines.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell {

LayersModel::LayersModel(EditorContext& ctx) : ctx_(ctx) {
    for (int i = 0; i < ctx.project.layer_count && i < kMaxLayers; ++i) origin.push_back(i);
    refill();
}

void LayersModel::refill() {
    Project& p = ctx_.project;
    lines.clear();
    for (int i = 0; i < p.layer_count && i < kMaxLayers; ++i) lines.push_back(format_layer_line(p.layers[i]));
    if (selected >= int(lines.size())) selected = -1;
}

// The current objects belong to the layer that was current; after a delete or a move that may be
// another layer (or none), so the set is emptied, and an index past the table is pulled back.
void LayersModel::layers_reordered() {
    set_current_object(ctx_, nullptr);
    const int count = ctx_.project.layer_count;
    int current = ctx_.editor.current_layer;
    if (current >= count) current = count - 1;
    set_current_layer(ctx_.editor, current);
}

void LayersModel::new_layer() {
    Project& p = ctx_.project;
    if (p.layer_count >= kMaxLayers) {
        ctx_.host.message_box("Layer table full!", "Error", MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    Layer fresh;
    EditLayerModel dialog(fresh);
    if (ctx_.host.run_dialog(dialog) != 1) return;
    // Drawn like the other layers: shown when not current as long as the toolbar shows all layers.
    fresh.display_flags = ctx_.view.show_all_layers ? uint8_t(fresh.display_flags | kLayerShowAlways)
                                                    : uint8_t(fresh.display_flags & ~kLayerShowAlways);
    p.layers[p.layer_count] = fresh;
    origin.push_back(-1);
    lines.push_back(format_layer_line(p.layers[p.layer_count]));
    ++p.layer_count;
    changed = true;
}

void LayersModel::delete_layer() {
    Project& p = ctx_.project;
    if (selected < 0 || selected >= p.layer_count) return;
    if (ctx_.host.message_box(kDeleteQuestion, "Confirm", MessageIcon::Question, MessageButtons::YesNo) !=
        Answer::Yes)
        return;
    set_current_object(ctx_, nullptr);
    free_layer_objects(p.layers[selected]);
    for (int i = selected; i + 1 < p.layer_count; ++i) p.layers[i] = p.layers[i + 1];
    p.layers[p.layer_count - 1] = Layer{};  // its list now belongs to the entry above
    --p.layer_count;
    origin.erase(origin.begin() + selected);
    layers_reordered();
    // No line stays chosen, so that a second Delete needs a new choice.
    selected = -1;
    refill();
    changed = true;
}

void LayersModel::edit_layer() {
    Project& p = ctx_.project;
    if (selected < 0 || selected >= p.layer_count) return;
    EditLayerModel dialog(p.layers[selected]);
    if (ctx_.host.run_dialog(dialog) != 1) return;
    lines[selected] = format_layer_line(p.layers[selected]);
    changed = true;
}

void LayersModel::move_up() {
    Project& p = ctx_.project;
    if (selected < 1 || selected >= p.layer_count) return;
    std::swap(p.layers[selected - 1], p.layers[selected]);
    std::swap(origin[selected - 1], origin[selected]);
    --selected;
    layers_reordered();
    refill();
    changed = true;
}

void LayersModel::move_down() {
    Project& p = ctx_.project;
    if (selected < 0 || selected + 1 >= p.layer_count) return;
    std::swap(p.layers[selected], p.layers[selected + 1]);
    std::swap(origin[selected], origin[selected + 1]);
    ++selected;
    layers_reordered();
    refill();
    changed = true;
}

void LayersModel::done() {
    if (ctx_.editor.current_layer < 0 && ctx_.project.layer_count > 0) set_current_layer(ctx_.editor, 0);
}

bool run_layers_dialog(EditorContext& ctx) {
    // The export settings follow the layer table: Undo puts them back with it.
    ctx.workspace.history.export_before = ctx.workspace.export_settings;
    LayersModel model(ctx);
    ctx.host.run_dialog(model);  // no Cancel: whatever the view answers, Done has been pressed
    model.done();
    if (model.changed) follow_layer_table(ctx.workspace.export_settings, ctx.project, model.origin);
    return model.changed;
}

}  // namespace plotwell

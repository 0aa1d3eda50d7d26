#include "editor/undo_commands.h"

#include "editor/command_ids.h"
#include "editor/menus.h"
#include "editor/selection.h"
#include "editor/status_bar.h"
#include "editor/window_title.h"

namespace plotwell {

namespace {

std::string plain_caption(std::string_view caption) {
    std::string out;
    for (char c : caption)
        if (c != '&') out += c;
    while (!out.empty() && out.back() == '.') out.pop_back();
    return out;
}

// The objects, the hot item and a drag may name blocks the exchange has just taken out of the lists.
void forget_references(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    ed.current_objects.clear();
    clear_hot_item(ed);
    ed.drag = DragState{};
    ed.split_mark = 0;
    if (ed.current_layer >= ctx.project.layer_count) set_current_layer(ed, ctx.project.layer_count - 1);
    clear_object_status(ctx);
    show_layer_status(ctx);
    update_title(ctx.project, ctx.host);
    ctx.host.request_redraw();
}

// Makes whatever changed since the last step a step of its own.
void commit_pending(EditorContext& ctx, std::string_view label, bool maybe_changed) {
    History& history = ctx.workspace.history;
    // Some dialogs mark the project modified without telling the editor.
    if (maybe_changed || ctx.project.modified) history.change_pending = true;
    commit_change(history, ctx.project, std::string(label));
}

void exchange(EditorContext& ctx, bool (*step)(History&, Project&, ExportSettings&)) {
    // A change not yet made a step is one of its own first, even with the button still down (a paste
    // while pressing): the exchange works on the lists as the last step left them, so nothing may be
    // left uncommitted. A drag under way ends with the exchange.
    commit_pending(ctx, "Edit", false);
    if (!step(ctx.workspace.history, ctx.project, ctx.workspace.export_settings)) return;
    forget_references(ctx);
}

HistoryEntry entry(const char* verb, const std::optional<std::string>& label) {
    std::string caption = verb;
    if (label && !label->empty()) caption += " " + *label;
    return {caption, label.has_value()};
}

}  // namespace

void finish_change(EditorContext& ctx, std::string_view label, bool maybe_changed) {
    if (ctx.editor.drag.button_down || ctx.editor.drag.dragging) return;
    commit_pending(ctx, label, maybe_changed);
}

const char* drawing_label(const EditorState& editor) {
    switch (editor.tool_mode) {
        case kToolPoint:
            return "New Point";
        case kToolLine:
            return "New Line";
        case kToolPolygon:
            return "New Polygon";
        default:
            return "Edit";
    }
}

void undo_key_command(EditorContext& ctx) {
    if (!ctx.editor.drawing_points.empty()) {
        ctx.editor.drawing_points.pop_back();
        ctx.host.request_redraw();
        return;
    }
    undo_command(ctx);
}

void undo_command(EditorContext& ctx) {
    exchange(ctx, undo_change);
}

void redo_command(EditorContext& ctx) {
    exchange(ctx, redo_change);
}

std::string command_label(int command) {
    for (const MenuEntry& e : menu_entries()) {
        if (e.command != command) continue;
        const std::string caption = plain_caption(e.caption);
        if (e.submenu && caption.rfind("from ", 0) == 0) return plain_caption(e.submenu) + caption.substr(4);
        return caption;
    }
    if (command == cmd::kShowAllLayers) return "Show All Layers";
    if (command == cmd::kCurrentLayerOnly) return "Current Layer Only";
    for (int menu = 0; menu < kContextMenuCount; ++menu)
        for (const ContextMenuEntry& e : context_menu_entries(menu))
            if (e.command == command) return plain_caption(e.caption);
    return "Edit";
}

HistoryEntry undo_entry(const Workspace& workspace) {
    return entry("&Undo", next_undo_label(workspace.history));
}

HistoryEntry redo_entry(const Workspace& workspace) {
    return entry("&Redo", next_redo_label(workspace.history));
}

}  // namespace plotwell

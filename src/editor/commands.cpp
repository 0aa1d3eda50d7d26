#include "editor/commands.h"

#include <iterator>

#include "editor/bitmap_commands.h"
#include "editor/clipboard.h"
#include "editor/command_ids.h"
#include "editor/database_import_command.h"
#include "editor/drawing.h"
#include "editor/export_command.h"
#include "editor/layer_panel.h"
#include "editor/menus.h"
#include "editor/preview_command.h"
#include "editor/project_commands.h"
#include "editor/project_dialog_commands.h"
#include "editor/project_import_command.h"
#include "editor/selection.h"
#include "editor/shapefile_import_command.h"
#include "editor/status_bar.h"
#include "editor/undo_commands.h"
#include "editor/vector_import_command.h"
#include "editor/vertex_edits.h"
#include "editor/view_commands.h"
#include "editor/window_title.h"
#include "project/project_file.h"

namespace plotwell {

namespace {

// Each handler checks its own preconditions and does the follow-up steps of its command.
using Handler = void (*)(EditorContext&);

struct CommandEntry {
    int command;
    Handler handler;
};

bool need_project(EditorContext& ctx) {
    if (has_project(ctx.project)) return true;
    show_error(ctx.host, "You need to open or create a project first.");
    return false;
}

// Project and file commands.

void load_named_project(EditorContext& ctx) {
    ctx.project.modified = 0;
    update_title(ctx.project, ctx.host);
    load_after_open(ctx);
}

void save(EditorContext& ctx) {
    if (!has_project(ctx.project)) {
        show_error(ctx.host, "No active project!", MessageIcon::Warning);
        return;
    }
    // Said at once: found out only at exit, the work would be lost by then.
    if (save_project_command(ctx) == Outcome::Failed)
        show_error(ctx.host, kSaveFailedText, MessageIcon::Warning);
    update_title(ctx.project, ctx.host);
}

void save_as(EditorContext& ctx) {
    if (!has_project(ctx.project)) {
        show_error(ctx.host, "No active project!", MessageIcon::Warning);
        return;
    }
    save_project_as_command(ctx);
}

template <size_t Index>
void open_recent(EditorContext& ctx) {
    open_recent_project_command(ctx, Index);
}

void project_properties(EditorContext& ctx) {
    if (has_project(ctx.project)) {
        project_properties_dialog(ctx);
        fit_view(ctx.view, ctx.project);
        ctx.host.request_redraw();
    }
    update_title(ctx.project, ctx.host);
}

void export_map(EditorContext& ctx) {
    if (has_project(ctx.project)) export_map_command(ctx);
}

void import_shapefile(EditorContext& ctx) {
    if (!need_project(ctx) || import_shapefile_file_command(ctx) != Outcome::Ok) return;
    fit_view(ctx.view, ctx.project);
    mark_modified(ctx);
}

void import_vector_source(EditorContext& ctx) {
    if (!need_project(ctx) || import_vector_source_command(ctx) != Outcome::Ok) return;
    fit_view(ctx.view, ctx.project);
    mark_modified(ctx);
}

void import_project(EditorContext& ctx) {
    if (need_project(ctx)) import_project_file_command(ctx);
}

void import_database(EditorContext& ctx) {
    if (need_project(ctx)) import_database_command(ctx);
}

void edit_layers(EditorContext& ctx) {
    if (layers_dialog(ctx) == Outcome::Ok) mark_modified(ctx);
    show_layer_status(ctx);
    update_title(ctx.project, ctx.host);
}

void background_bitmaps(EditorContext& ctx) {
    background_bitmaps_dialog(ctx);
    update_title(ctx.project, ctx.host);
    ctx.host.request_redraw();
}

// Tools and drawing.

void new_object(EditorContext& ctx, int dimension) {
    if (ctx.project.layer_count <= 0) {
        set_tool_buttons(ctx.host, kToolSelect);
        show_error(ctx.host, "You need to define your Layers first.", MessageIcon::Warning);
        return;
    }
    if (ctx.editor.tool_mode == kToolSelect || ctx.editor.tool_mode == kToolRectangle)
        start_drawing(ctx, dimension);
    set_tool_mode(ctx.editor, kToolPoint + dimension);
}

void select_tool(EditorContext& ctx, int mode) {
    const int m = ctx.editor.tool_mode;
    if (m == kToolPoint || m == kToolLine || m == kToolPolygon) finish_drawing(ctx);
    set_tool_mode(ctx.editor, mode);
}

// View.

void set_display_flags(EditorContext& ctx, bool show) {
    for (int i = 0; i < ctx.project.layer_count && i < kMaxLayers; ++i) {
        uint8_t& f = ctx.project.layers[i].display_flags;
        f = show ? uint8_t(f | kLayerShowAlways) : uint8_t(f & ~kLayerShowAlways);
    }
    ctx.view.show_all_layers = show;
    ctx.host.request_redraw();
}

// Vertex commands on the single current object.

bool one_current(const EditorContext& ctx) {
    return ctx.editor.current_objects.size() == 1;
}

void split(EditorContext& ctx, Outcome (*split_at)(EditorContext&), const char* failure) {
    if (!one_current(ctx)) return;
    const Outcome o = split_at(ctx);
    if (o == Outcome::Failed)
        ctx.host.message_box(failure, "Error", MessageIcon::Information, MessageButtons::Ok);
    else if (o == Outcome::Ok)
        mark_modified(ctx);
}

void join(EditorContext& ctx) {
    if (!two_lines_current(ctx.editor)) {
        ctx.host.message_box("Select exactly two lines to join.", "Error", MessageIcon::Information,
                             MessageButtons::Ok);
        return;
    }
    join_lines(ctx);
}

void delete_hot_point(EditorContext& ctx) {
    if (ctx.editor.hot_kind != HotKind::Object || !ctx.editor.hot_item) return;
    if (delete_point(ctx) == Outcome::Ok) mark_modified(ctx);
}

// The hot background bitmap.

void bitmap_command(EditorContext& ctx, Outcome (*set)(EditorContext&, bool), bool on) {
    // The flags are saved with the project.
    if (set(ctx, on) == Outcome::Ok) mark_modified(ctx);
}

const CommandEntry kCommands[] = {
    {cmd::kNew, [](EditorContext& c) { new_project_command(c); }},
    {cmd::kOpen, [](EditorContext& c) { open_project_command(c); }},
    {cmd::kLoadNamedProject, load_named_project},
    {cmd::kSave, save},
    {cmd::kSaveAs, save_as},
    {cmd::kRecentProject + 0, open_recent<0>},
    {cmd::kRecentProject + 1, open_recent<1>},
    {cmd::kRecentProject + 2, open_recent<2>},
    {cmd::kRecentProject + 3, open_recent<3>},
    {cmd::kRecentProject + 4, open_recent<4>},
    {cmd::kRecentProject + 5, open_recent<5>},
    {cmd::kRecentProject + 6, open_recent<6>},
    {cmd::kRecentProject + 7, open_recent<7>},
    {cmd::kClose, [](EditorContext& c) { close_project_command(c); }},
    {cmd::kProjectProperties, project_properties},
    {cmd::kGeoInfo, [](EditorContext& c) { geo_info_dialog(c); }},
    {cmd::kPublisherSettings, [](EditorContext& c) { publisher_dialog(c); }},
    {cmd::kExport, export_map},
    {cmd::kPreviewDatabase, [](EditorContext& c) { preview_database_command(c); }},
    {cmd::kImportShapefile, import_shapefile},
    {cmd::kImportVectorSource, import_vector_source},
    {cmd::kImportProject, import_project},
    {cmd::kImportDatabase, import_database},
    {cmd::kExit, [](EditorContext& c) { c.host.request_close(); }},
    {cmd::kAbout, [](EditorContext& c) { about_dialog(c); }},
    {cmd::kLayerUp, layer_up},
    {cmd::kLayerDown, layer_down},
    {cmd::kEditLayers, edit_layers},
    {cmd::kBackgroundBitmaps, background_bitmaps},
    {cmd::kNewPoint, [](EditorContext& c) { new_object(c, kDimPoint); }},
    {cmd::kNewLine, [](EditorContext& c) { new_object(c, kDimLine); }},
    {cmd::kNewPolygon, [](EditorContext& c) { new_object(c, kDimPolygon); }},
    {cmd::kSelectTool, [](EditorContext& c) { select_tool(c, kToolSelect); }},
    {cmd::kRectangleTool, [](EditorContext& c) { select_tool(c, kToolRectangle); }},
    {cmd::kComplete, [](EditorContext& c) { complete_drawing(c); }},
    {cmd::kUndo, undo_key_command},
    {cmd::kUndoChange, undo_command},
    {cmd::kRedo, redo_command},
    {cmd::kProperties, properties_command},
    {cmd::kDelete, delete_command},
    {cmd::kSelectAll, select_all},
    {cmd::kSelectByType, select_by_type},
    {cmd::kCut, [](EditorContext& c) { cut_objects(c); }},
    {cmd::kCopy, [](EditorContext& c) { copy_objects(c); }},
    {cmd::kPaste, [](EditorContext& c) { paste_objects(c); }},
    {cmd::kZoomIn,
     [](EditorContext& c) {
         zoom_in(c.view);
         c.host.request_redraw();
     }},
    {cmd::kZoomOut,
     [](EditorContext& c) {
         zoom_out(c.view);
         c.host.request_redraw();
     }},
    {cmd::kZoomToExtent, zoom_to_extent},
    {cmd::kZoomToSelection, zoom_to_selection},
    {cmd::kShowNames, toggle_show_names},
    {cmd::kFillPolygons, toggle_fill_polygons},
    {cmd::kShowAllLayers, [](EditorContext& c) { set_display_flags(c, true); }},
    {cmd::kCurrentLayerOnly, [](EditorContext& c) { set_display_flags(c, false); }},
    {cmd::kInsertPoint,
     [](EditorContext& c) {
         if (one_current(c)) insert_point(c);
     }},
    {cmd::kAddPoint,
     [](EditorContext& c) {
         if (one_current(c)) add_point(c);
     }},
    {cmd::kMarkSplitPoint, [](EditorContext& c) { c.editor.split_mark = c.editor.hot_index; }},
    {cmd::kSplitPolygonHere, [](EditorContext& c) { split(c, split_polygon, "Bad split points"); }},
    {cmd::kSplitLineHere, [](EditorContext& c) { split(c, split_line, "Bad split point"); }},
    {cmd::kDeletePoint, delete_hot_point},
    {cmd::kJoinLines, join},
    {cmd::kLockPosition, [](EditorContext& c) { bitmap_command(c, set_bitmap_locked, true); }},
    {cmd::kUnlockPosition, [](EditorContext& c) { bitmap_command(c, set_bitmap_locked, false); }},
    {cmd::kShowBitmap, [](EditorContext& c) { bitmap_command(c, set_bitmap_hidden, false); }},
    {cmd::kHideBitmap, [](EditorContext& c) { bitmap_command(c, set_bitmap_hidden, true); }},
};

}  // namespace

void show_imported_layer(EditorContext& ctx, int layer) {
    if (layer < 0 || layer >= ctx.project.layer_count || layer == ctx.editor.current_layer) return;
    if (!(ctx.project.layers[layer].display_flags & kLayerShowAlways)) make_layer_current(ctx, layer);
}

void layer_up(EditorContext& ctx) {
    if (ctx.project.layer_count <= 0 || ctx.editor.current_layer < 0) return;
    make_layer_current(ctx, ctx.editor.current_layer - 1);
}

void layer_down(EditorContext& ctx) {
    if (ctx.project.layer_count <= 0 || ctx.editor.current_layer + 1 >= ctx.project.layer_count) return;
    make_layer_current(ctx, ctx.editor.current_layer + 1);
}

bool close_request(EditorContext& ctx) {
    if (!has_project(ctx.project) || !ctx.project.modified) return true;
    // A question that could not be answered, or a save that failed, keeps the window and the work.
    return confirm_save(ctx).answer != Answer::Cancel;
}

CommandResult handle_command(EditorContext& ctx, int command) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.command != command) continue;
        // A key or a context menu while the left button holds a drag: the command could free or move
        // the object the drag still changes at the release.
        if (ctx.editor.drag.dragging) return CommandResult::Done;
        const std::string label =
            command == cmd::kComplete ? drawing_label(ctx.editor) : command_label(command);
        entry.handler(ctx);
        if (command != cmd::kUndo && command != cmd::kUndoChange && command != cmd::kRedo)
            finish_change(ctx, label, true);
        return CommandResult::Done;
    }
    return CommandResult::Unknown;
}

}  // namespace plotwell

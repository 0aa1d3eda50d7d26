#include "editor/commands.h"

#include "editor/command_ids.h"
#include "editor/editing.h"
#include "editor/external_commands.h"
#include "editor/menus.h"
#include "editor/project_commands.h"
#include "editor/selection.h"
#include "editor/status_bar.h"
#include "editor/window_title.h"
#include "model/text.h"

namespace plotwell {

namespace {

bool has_project(const Project& p) {
    return !field_text(p.file_base_name).empty();
}

CommandResult result_of(Outcome o) {
    return o == Outcome::NotAvailable ? CommandResult::NotAvailable : CommandResult::Done;
}

void need_project_message(EditorContext& ctx) {
    ctx.host.message_box("You need to open or create a project first.", "Error", MessageIcon::Error,
                         MessageButtons::Ok);
}

CommandResult new_object_command(EditorContext& ctx, int command) {
    if (ctx.project.layer_count <= 0) {
        set_tool_buttons(ctx.host, kToolSelect);
        ctx.host.message_box("You need to define your Layers first.", "Error", MessageIcon::Warning,
                             MessageButtons::Ok);
        return CommandResult::Done;
    }
    Outcome o = Outcome::Ok;
    if (ctx.editor.tool_mode == kToolSelect || ctx.editor.tool_mode == kToolRectangle)
        o = start_drawing(ctx, command - cmd::kNewPoint);
    set_tool_mode(ctx.editor, command - cmd::kSelectTool);
    return result_of(o);
}

CommandResult tool_command(EditorContext& ctx, int mode) {
    Outcome o = Outcome::Ok;
    const int m = ctx.editor.tool_mode;
    if (m == kToolPoint || m == kToolLine || m == kToolPolygon) o = finish_drawing(ctx);
    set_tool_mode(ctx.editor, mode);
    return result_of(o);
}

void set_display_flags(EditorContext& ctx, bool show) {
    for (int i = 0; i < ctx.project.layer_count && i < kMaxLayers; ++i) {
        uint8_t& f = ctx.project.layers[i].display_flags;
        f = show ? uint8_t(f | kLayerShowAlways) : uint8_t(f & ~kLayerShowAlways);
    }
    ctx.host.request_redraw();
}

CommandResult split_command(EditorContext& ctx, Outcome (*split)(EditorContext&), const char* failure) {
    if (ctx.editor.current_objects.size() != 1) return CommandResult::Done;
    const Outcome o = split(ctx);
    if (o == Outcome::Failed)
        ctx.host.message_box(failure, "Error", MessageIcon::Information, MessageButtons::Ok);
    else if (o == Outcome::Ok)
        mark_modified(ctx);
    return result_of(o);
}

CommandResult bitmap_command(EditorContext& ctx, Outcome o) {
    if (o == Outcome::Ok) ctx.host.request_redraw();
    return result_of(o);
}

}  // namespace

void layer_up(EditorContext& ctx) {
    if (ctx.project.layer_count <= 0 || ctx.editor.current_layer < 0) return;
    set_current_layer(ctx.editor, ctx.editor.current_layer - 1);
    set_current_object(ctx, nullptr);
    show_layer_status(ctx);
    ctx.host.request_redraw();
}

void layer_down(EditorContext& ctx) {
    if (ctx.project.layer_count <= 0 || ctx.editor.current_layer + 1 >= ctx.project.layer_count) return;
    set_current_layer(ctx.editor, ctx.editor.current_layer + 1);
    set_current_object(ctx, nullptr);
    show_layer_status(ctx);
    ctx.host.request_redraw();
}

bool close_request(EditorContext& ctx) {
    if (!has_project(ctx.project) || !ctx.project.modified) return true;
    const SaveQuestion q = confirm_save(ctx);
    // A question that could not be answered (or a save that failed) keeps the window and the work.
    if (q.outcome == Outcome::NotAvailable) return false;
    return q.answer != Answer::Cancel;
}

CommandResult handle_command(EditorContext& ctx, int command) {
    EditorState& ed = ctx.editor;
    Project& project = ctx.project;
    switch (command) {
        case cmd::kNew:
            return result_of(new_project_command(ctx));
        case cmd::kOpen:
            return result_of(open_project_command(ctx));
        case cmd::kLoadNamedProject:
            project.modified = 0;
            update_title(project, ctx.host);
            return result_of(load_after_open(ctx));
        case cmd::kSave: {
            if (!has_project(project)) {
                ctx.host.message_box("No active project!", "Error", MessageIcon::Warning, MessageButtons::Ok);
                return CommandResult::Done;
            }
            const Outcome o = save_project_command(ctx);
            if (o == Outcome::Ok) project.modified = 0;
            if (o != Outcome::NotAvailable) update_title(project, ctx.host);
            return result_of(o);
        }
        case cmd::kClose:
            return result_of(close_project_command(ctx));
        case cmd::kProjectProperties: {
            if (!has_project(project)) {
                update_title(project, ctx.host);
                return CommandResult::Done;
            }
            const Outcome o = project_properties_command(ctx);
            if (o != Outcome::NotAvailable) {
                fit_view(ctx.view, project);
                ctx.host.request_redraw();
                update_title(project, ctx.host);
            }
            return result_of(o);
        }
        case cmd::kGeoInfo:
            return result_of(geo_info_command(ctx));
        case cmd::kPublisherSettings:
            return result_of(publisher_settings_command(ctx));
        case cmd::kExport:
            if (!has_project(project)) return CommandResult::Done;
            return result_of(export_command(ctx));
        case cmd::kImportShapefile: {
            if (!has_project(project)) {
                need_project_message(ctx);
                return CommandResult::Done;
            }
            const Outcome o = import_shapefile_command(ctx);
            if (o == Outcome::Ok) {
                fit_view(ctx.view, project);
                mark_modified(ctx);
            }
            return result_of(o);
        }
        case cmd::kImportProject:
            if (!has_project(project)) {
                need_project_message(ctx);
                return CommandResult::Done;
            }
            return result_of(import_project_command(ctx));
        case cmd::kExit:
            ctx.host.request_close();
            return CommandResult::Done;
        case cmd::kAbout:
            return result_of(about_command(ctx));
        case cmd::kLayerUp:
            layer_up(ctx);
            return CommandResult::Done;
        case cmd::kLayerDown:
            layer_down(ctx);
            return CommandResult::Done;
        case cmd::kEditLayers: {
            const Outcome o = edit_layers_command(ctx);
            if (o == Outcome::NotAvailable) return CommandResult::NotAvailable;
            if (o == Outcome::Ok) {
                // The export's layer list and region level name layers by number: start them afresh.
                if (ctx.export_settings) {
                    ctx.export_settings->visible_layer_count = 0;
                    ctx.export_settings->region_level_count = 0;
                }
                project.modified = 1;
                ctx.host.request_redraw();
            }
            show_layer_status(ctx);
            update_title(project, ctx.host);
            return CommandResult::Done;
        }
        case cmd::kBackgroundBitmaps: {
            const Outcome o = background_bitmaps_command(ctx);
            if (o == Outcome::NotAvailable) return CommandResult::NotAvailable;
            update_title(project, ctx.host);
            ctx.host.request_redraw();
            return CommandResult::Done;
        }
        case cmd::kNewPoint:
        case cmd::kNewLine:
        case cmd::kNewPolygon:
            return new_object_command(ctx, command);
        case cmd::kSelectTool:
            return tool_command(ctx, kToolSelect);
        case cmd::kRectangleTool:
            return tool_command(ctx, kToolRectangle);
        case cmd::kComplete:
            return result_of(complete_drawing(ctx));
        case cmd::kUndo:
            if (ed.drawing_points.empty()) return CommandResult::Done;
            ed.drawing_points.pop_back();
            ctx.host.request_redraw();
            return CommandResult::Done;
        case cmd::kProperties:
            properties_command(ctx);
            return CommandResult::Done;
        case cmd::kDelete:
            delete_command(ctx);
            return CommandResult::Done;
        case cmd::kSelectAll:
            select_all(ctx);
            return CommandResult::Done;
        case cmd::kSelectByType:
            select_by_type(ctx);
            return CommandResult::Done;
        case cmd::kCut:
            return result_of(cut_objects(ctx));
        case cmd::kCopy:
            return result_of(copy_objects(ctx));
        case cmd::kPaste:
            return result_of(paste_objects(ctx));
        case cmd::kZoomIn:
            zoom_in(ctx.view);
            ctx.host.request_redraw();
            return CommandResult::Done;
        case cmd::kZoomOut:
            zoom_out(ctx.view);
            ctx.host.request_redraw();
            return CommandResult::Done;
        case cmd::kShowAllLayers:
            set_display_flags(ctx, true);
            return CommandResult::Done;
        case cmd::kCurrentLayerOnly:
            set_display_flags(ctx, false);
            return CommandResult::Done;
        case cmd::kInsertPoint:
            if (ed.current_objects.size() != 1) return CommandResult::Done;
            return result_of(insert_point(ctx));
        case cmd::kAddPoint:
            if (ed.current_objects.size() != 1) return CommandResult::Done;
            return result_of(add_point(ctx));
        case cmd::kMarkSplitPoint:
            ed.split_mark = ed.hot_index;
            return CommandResult::Done;
        case cmd::kSplitPolygonHere:
            return split_command(ctx, split_polygon, "Bad split points");
        case cmd::kSplitLineHere:
            return split_command(ctx, split_line, "Bad split point");
        case cmd::kDeletePoint: {
            if (ed.hot_kind != HotKind::Object || !ed.hot_item) return CommandResult::Done;
            const Outcome o = delete_point(ctx);
            if (o == Outcome::Ok) mark_modified(ctx);
            return result_of(o);
        }
        case cmd::kJoinLines:
            return result_of(join_lines(ctx));
        case cmd::kLockPosition:
            return bitmap_command(ctx, set_bitmap_locked(ctx, true));
        case cmd::kUnlockPosition:
            return bitmap_command(ctx, set_bitmap_locked(ctx, false));
        case cmd::kShowBitmap:
            return bitmap_command(ctx, set_bitmap_hidden(ctx, false));
        case cmd::kHideBitmap:
            return bitmap_command(ctx, set_bitmap_hidden(ctx, true));
        default:
            return CommandResult::Unknown;
    }
}

}  // namespace plotwell

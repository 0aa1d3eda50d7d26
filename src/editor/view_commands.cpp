#include "editor/view_commands.h"

#include <algorithm>

#include "editor/command_ids.h"
#include "editor/status_bar.h"
#include "editor/view_zoom.h"
#include "model/geometry.h"

namespace plotwell {

void zoom_to_extent(EditorContext& ctx) {
    fit_view(ctx.view, ctx.project);
    ctx.host.request_redraw();
}

void zoom_to_selection(EditorContext& ctx) {
    bool any = false;
    Rect r;
    for (const MapObject* o : ctx.editor.current_objects) {
        if (o->dimension == kDimDeleted) continue;
        const Bounds b = object_bounds(o);
        if (b.min.x > b.max.x || b.min.y > b.max.y) continue;  // a line without points
        if (!any) r = {b.min.x, b.min.y, b.max.x, b.max.y};
        r = {std::min(r.x_min, b.min.x), std::min(r.y_min, b.min.y), std::max(r.x_max, b.max.x),
             std::max(r.y_max, b.max.y)};
        any = true;
    }
    if (!any) return;
    fit_view_to(ctx.view, ctx.project, r);
    ctx.host.request_redraw();
}

void zoom_at_cursor(EditorContext& ctx, ScreenPoint cursor, bool in) {
    zoom_about(ctx.view, ctx.project, cursor, in);
    show_coord_status(ctx, cursor);
    ctx.host.request_redraw();
}

void toggle_show_names(EditorContext& ctx) {
    ctx.view.show_names = !ctx.view.show_names;
    ctx.host.request_redraw();
}

void toggle_fill_polygons(EditorContext& ctx) {
    ctx.view.fill_polygons = !ctx.view.fill_polygons;
    ctx.host.request_redraw();
}

std::optional<bool> view_toggle_state(const ViewState& view, int command) {
    if (command == cmd::kShowNames) return view.show_names;
    if (command == cmd::kFillPolygons) return view.fill_polygons;
    return std::nullopt;
}

}  // namespace plotwell

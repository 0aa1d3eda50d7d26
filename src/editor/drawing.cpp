// Drawing new points, lines and polygons: the figure in progress lives in the editor state until it
// is completed (with the new-object dialog) or finished (without it).
#include "editor/drawing.h"

#include "dialogs/object_details_dialog.h"
#include "editor/hit_test.h"
#include "editor/menus.h"
#include "editor/selection.h"
#include "editor/window_title.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell {

namespace {

bool drawing_mode(int mode) {
    return mode == kToolPoint || mode == kToolLine || mode == kToolPolygon;
}

uint8_t default_type(const EditorState& ed, const Layer* layer, int dimension) {
    switch (dimension) {
        case kDimLine:
            if (layer && layer->theme == kThemeWater) return kRiver;
            if (layer && layer->theme == kThemeRailways) return kRailroad;
            return ed.last_line_type;
        case kDimPolygon:
            if (layer && layer->theme == kThemeLand) return kLandArea;
            return ed.last_polygon_type;
        default:
            return ed.last_point_type;
    }
}

// Makes the figure an object of the current layer when it has enough points; true when it did.
bool make_drawn_object(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    Layer* layer = current_layer_ptr(ctx.project, ed);
    const int needed = ed.drawing_template.dimension + 1;
    if (!layer || int(ed.drawing_points.size()) < needed) return false;
    MapObject* o =
        make_object(*layer, ed.drawing_template, ed.drawing_points.data(), int32_t(ed.drawing_points.size()));
    if (!o) return false;
    set_current_object(ctx, o);
    return true;
}

// The new-object dialog confirms the template's name and type; true on OK.
bool ask_new_object(EditorContext& ctx) {
    ObjectHead& t = ctx.editor.drawing_template;
    const ObjectHead before = t;
    ObjectDetailsModel model(t);
    if (ctx.host.run_dialog(model) != 1) {
        t = before;  // Cancel leaves the template as it was
        return false;
    }
    // A type outside the dimension's list would be stored as an unknown object type.
    const uint8_t d = t.dimension < kDimensionCount ? t.dimension : kDimPolygon;
    if (t.type >= object_type_count(d)) t.type = before.type;
    return true;
}

}  // namespace

Outcome start_drawing(EditorContext& ctx, int dimension) {
    EditorState& ed = ctx.editor;
    const uint8_t d = dimension == kDimLine || dimension == kDimPolygon ? uint8_t(dimension) : kDimPoint;
    ed.drawing_template = ObjectHead{};
    ed.drawing_template.dimension = d;
    ed.drawing_template.type = default_type(ed, current_layer_ptr(ctx.project, ed), d);
    if (d == kDimPoint && ed.drawing_template.type == kCatPntFeature) {
        ed.drawing_template.category = ed.last_category.category;
        ed.drawing_template.sub_type = ed.last_category.sub_type;
    }
    ed.drawing_points.clear();
    return Outcome::Ok;
}

Outcome add_drawing_point(EditorContext& ctx, ScreenPoint click) {
    EditorState& ed = ctx.editor;
    if (int(ed.drawing_points.size()) >= kMaxDrawingPoints) {
        ctx.host.beep(BeepKind::Exclamation);
        return Outcome::Failed;
    }
    ScreenPoint probe = click;
    Point w = screen_to_world(ctx.view, ctx.project, click);
    const Layer* layer = current_layer_ptr(ctx.project, ed);
    // A snapped point is the vertex itself, not where its pixel maps back to.
    if (layer && snap_to_vertex(ctx.view, ctx.project, *layer, probe, &w)) {
        ctx.host.beep(BeepKind::Default);
    } else if (!ed.drawing_points.empty()) {
        const ScreenPoint first = world_to_screen(ctx.view, ctx.project, ed.drawing_points.front());
        if (vertex_hit(first, probe)) {
            ctx.host.beep(BeepKind::Default);
            w = ed.drawing_points.front();
        }
    }
    ed.drawing_points.push_back(w);
    if (ed.tool_mode == kToolPoint) return complete_drawing(ctx);
    if (ed.tool_mode == kToolPolygon && ed.drawing_points.size() > 3 &&
        ed.drawing_points.back() == ed.drawing_points.front()) {
        // A polygon stores each vertex once: the closing click only ends it.
        ed.drawing_points.pop_back();
        return complete_drawing(ctx);
    }
    ctx.host.request_redraw();
    return Outcome::Ok;
}

Outcome complete_drawing(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    Outcome o = Outcome::Ok;
    if (drawing_mode(ed.tool_mode)) {
        if (ask_new_object(ctx)) {
            if (make_drawn_object(ctx)) mark_modified(ctx);
            ed.drawing_points.clear();
            ctx.host.request_redraw();
            const ObjectHead& t = ed.drawing_template;
            if (t.dimension == kDimLine)
                ed.last_line_type = t.type;
            else if (t.dimension == kDimPolygon)
                ed.last_polygon_type = t.type;
            else
                ed.last_point_type = t.type;  // the category is remembered by its own dialog only
        } else {
            ed.drawing_points.clear();
            ctx.host.request_redraw();
            o = Outcome::Cancelled;
        }
    }
    set_tool_buttons(ctx.host, kToolSelect);
    set_tool_mode(ed, kToolSelect);
    return o;
}

Outcome finish_drawing(EditorContext& ctx) {
    const bool made = make_drawn_object(ctx);
    if (made) mark_modified(ctx);
    ctx.editor.drawing_points.clear();
    ctx.host.request_redraw();
    return made ? Outcome::Ok : Outcome::Cancelled;
}

Outcome cancel_drawing(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    if (!drawing_mode(ed.tool_mode)) return Outcome::Cancelled;
    ed.drawing_points.clear();
    ctx.host.request_redraw();
    set_tool_buttons(ctx.host, kToolSelect);
    set_tool_mode(ed, kToolSelect);
    return Outcome::Ok;
}

}  // namespace plotwell

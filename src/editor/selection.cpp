#include "editor/selection.h"

#include <algorithm>
#include <vector>

#include "dialogs/category_point_dialog.h"
#include "dialogs/group_properties_dialog.h"
#include "dialogs/link_object_dialog.h"
#include "dialogs/object_details_dialog.h"
#include "dialogs/select_objects_dialog.h"
#include "dialogs/simple_point_dialog.h"
#include "editor/area_hit.h"
#include "editor/hit_test.h"
#include "editor/map_paint.h"
#include "editor/status_bar.h"
#include "editor/window_title.h"
#include "model/geometry.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell {

std::string object_properties_title(const MapObject* object) {
    if (object->dimension == kDimPoint) {
        switch (object->type) {
            case kPntFeature:
                return "Simple Point Object";
            case kLink:
                return "Link Object";
            case kCatPntFeature:
                return "Category Point Object";
            default:
                break;  // an unknown point type still gets the plain details dialog
        }
    }
    const int d = object->dimension < kDimensionCount ? object->dimension : kDimPolygon;
    return kDimensionDialogTitles[d];
}

namespace {

// The property dialog of one object, chosen by its dimension and type; the dialog's answer.
int run_object_properties(EditorContext& ctx, MapObject& o) {
    if (o.dimension == kDimPoint) {
        switch (o.type) {
            case kPntFeature: {
                SimplePointModel m(o, ctx.host);
                return ctx.host.run_dialog(m);
            }
            case kLink: {
                LinkObjectModel m(o);
                return ctx.host.run_dialog(m);
            }
            case kCatPntFeature: {
                CategoryPointModel m(o, ctx.workspace.category_choices);
                return ctx.host.run_dialog(m);
            }
            default:
                break;  // an unknown point type still gets the plain details dialog
        }
    }
    ObjectDetailsModel m(o);
    return ctx.host.run_dialog(m);
}

}  // namespace

void mark_modified(EditorContext& ctx) {
    ctx.project.modified = 1;
    ctx.workspace.history.change_pending = true;
    update_title(ctx.project, ctx.host);
    ctx.host.request_redraw();
}

void set_current_object(EditorContext& ctx, MapObject* object) {
    ctx.editor.current_objects.clear();
    if (object) ctx.editor.current_objects.push_back(object);
    show_object_status(ctx);
}

void set_current_list(EditorContext& ctx, MapObject* chain) {
    std::vector<MapObject*>& set = ctx.editor.current_objects;
    set.clear();
    for (MapObject* o = chain; o && int(set.size()) < kMaxCurrentObjects; o = o->next) set.push_back(o);
    show_object_status(ctx);
}

void hover(EditorContext& ctx, ScreenPoint mouse) {
    EditorState& ed = ctx.editor;
    const Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!layer) return;
    if (ed.current_objects.size() == 1) {
        MapObject* only = ed.current_objects.front();
        const ObjectHit hit = hit_object(ctx.view, ctx.project, only, mouse);
        if (hit.kind != HitKind::None) {
            ed.hot_kind = HotKind::Object;
            ed.hot_item = only;
            ed.hot_bitmap = -1;
            ed.hot_index = hit.index;
            ed.hot_on_vertex = hit.kind == HitKind::Vertex;
            ctx.host.set_cursor(ed.hot_on_vertex ? Cursor::Vertex : Cursor::Segment);
            return;
        }
    }
    ed.hot_on_vertex = false;
    const FoundObject found = find_object_at(ctx.view, ctx.project, *layer, mouse);
    ed.hot_kind = found.object ? HotKind::Object : HotKind::None;
    ed.hot_item = found.object;
    ed.hot_bitmap = -1;
    ed.hot_index = found.object ? found.hit.index : 0;
    ctx.host.set_cursor(found.object ? Cursor::Object : Cursor::Arrow);
}

void click_select(EditorContext& ctx, ScreenPoint click, bool ctrl) {
    EditorState& ed = ctx.editor;
    const Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!layer) return;
    if (ctrl && ed.hot_kind == HotKind::Object && ed.hot_item) {
        // Ctrl toggles the hot object; a full set ignores an addition without a word.
        if (is_current(ed, ed.hot_item))
            std::erase(ed.current_objects, ed.hot_item);
        else if (int(ed.current_objects.size()) < kMaxCurrentObjects)
            ed.current_objects.push_back(ed.hot_item);
        show_object_status(ctx);
        return;
    }
    FoundObject found = find_object_at(ctx.view, ctx.project, *layer, click);
    if (!found.object) found.object = polygon_at(ctx.view, ctx.project, *layer, click);
    ed.hot_kind = found.object ? HotKind::Object : HotKind::None;
    ed.hot_item = found.object;
    ed.hot_bitmap = -1;
    ed.hot_index = found.object ? found.hit.index : 0;
    set_current_object(ctx, found.object);
}

namespace {

template <typename Qualifies>
void select_matching(EditorContext& ctx, const Layer& layer, Qualifies qualifies) {
    EditorState& ed = ctx.editor;
    ed.current_objects.clear();
    const bool in_rect = ed.tool_mode == kToolRectangle;
    const Rect rect = selection_as_rect(ed.selection_rect);
    for (MapObject* o = layer.objects; o; o = o->next) {
        if (o->dimension == kDimDeleted || !qualifies(o)) continue;
        if (in_rect && !bounds_overlap_rect(o, rect)) continue;
        if (int(ed.current_objects.size()) >= kMaxCurrentObjects) {
            ctx.host.message_box("Maximum current objects reached.", "Warning", MessageIcon::Warning,
                                 MessageButtons::Ok);
            break;
        }
        ed.current_objects.push_back(o);
    }
    show_object_status(ctx);
}

}  // namespace

void select_all(EditorContext& ctx) {
    const Layer* layer = current_layer_ptr(ctx.project, ctx.editor);
    if (!layer) return;
    select_matching(ctx, *layer, [](const MapObject*) { return true; });
}

void select_by_type(EditorContext& ctx) {
    const Layer* layer = current_layer_ptr(ctx.project, ctx.editor);
    if (!layer) return;
    uint8_t d = kDimPoint;
    int t = -1;
    SelectObjectsModel model(d, t);
    if (ctx.host.run_dialog(model) != 1) return;
    select_matching(ctx, *layer,
                    [d, t](const MapObject* o) { return o->dimension == d && (t < 0 || o->type == t); });
}

void start_rubber_band(EditorContext& ctx, ScreenPoint press) {
    EditorState& ed = ctx.editor;
    ed.current_objects.clear();
    show_object_status(ctx);
    const Point w = screen_to_world(ctx.view, ctx.project, press);
    ed.selection_rect = {w.x, w.y, w.x, w.y};
    ed.drag.rubber_band = true;
    ed.drag.frame = {press.x, press.y, press.x, press.y};
    draw_xor_frame(ctx.host.overlay(), ed.drag.frame);
}

void follow_rubber_band(EditorContext& ctx, ScreenPoint mouse) {
    DragState& drag = ctx.editor.drag;
    if (!drag.rubber_band) return;
    draw_xor_frame(ctx.host.overlay(), drag.frame);
    drag.frame.right = mouse.x;
    drag.frame.bottom = mouse.y;
    draw_xor_frame(ctx.host.overlay(), drag.frame);
}

void end_rubber_band(EditorContext& ctx, ScreenPoint release) {
    EditorState& ed = ctx.editor;
    DragState& drag = ed.drag;
    if (!drag.rubber_band) return;
    drag.rubber_band = false;
    // The frame's second corner follows the moves; a release without a move still counts where it is.
    drag.frame.right = release.x;
    drag.frame.bottom = release.y;
    if (octagonal_distance(drag.frame.left, drag.frame.top, drag.frame.right, drag.frame.bottom) >
        kHitTolerance) {
        const Point w = screen_to_world(ctx.view, ctx.project, {drag.frame.right, drag.frame.bottom});
        ed.selection_rect.x2 = w.x;
        ed.selection_rect.y2 = w.y;
    }
    SelectionRect& r = ed.selection_rect;
    if (r.x1 > r.x2) std::swap(r.x1, r.x2);
    if (r.y1 > r.y2) std::swap(r.y1, r.y2);
    ctx.host.request_redraw();
}

void properties_command(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    if (ed.current_objects.empty()) return;
    if (ed.current_objects.size() == 1) {
        MapObject* o = ed.current_objects.front();
        // Only the Category Point Object dialog chooses a category worth remembering.
        const bool category_dialog = is_category_point(o);
        const int result = run_object_properties(ctx, *o);
        if (category_dialog) ed.last_category = {object_category(o), object_sub_type(o)};
        if (result == 1) {
            show_object_status(ctx);  // the dialog may have renamed it
            mark_modified(ctx);
        }
        return;
    }
    const uint8_t d = ed.current_objects.front()->dimension;
    for (const MapObject* o : ed.current_objects) {
        if (o->dimension != d) {
            ctx.host.message_box("Cannot modify group of objects with mixed dimensions", "Notice",
                                 MessageIcon::Warning, MessageButtons::Ok);
            return;
        }
    }
    if (d == kDimPoint) {
        ctx.host.message_box("Cannot modify group of point objects", "Notice", MessageIcon::Warning,
                             MessageButtons::Ok);
        return;
    }
    uint8_t type = ed.current_objects.front()->type;
    GroupPropertiesModel model(d, type);
    if (ctx.host.run_dialog(model) != 1) return;
    // A type outside the dimension's list would make every later reader of the record guess.
    if (type >= object_type_count(d)) return;
    for (MapObject* o : ed.current_objects) o->type = type;
    mark_modified(ctx);
}

void delete_command(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    if (ed.current_objects.empty()) {
        ctx.host.message_box("No curr object(s)!", "Error", MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    if (ctx.host.message_box("Are you sure you want to delete object(s)?", "Confirm", MessageIcon::Question,
                             MessageButtons::YesNo) != Answer::Yes)
        return;
    Layer* layer = current_layer_ptr(ctx.project, ed);
    if (layer) {
        for (MapObject* o : ed.current_objects)
            if (o->dimension != kDimDeleted) delete_object(*layer, o);
    }
    // The deleted objects must not stay hot either: a later Delete Point would act on a placeholder.
    if (ed.hot_kind == HotKind::Object) clear_hot_item(ed);
    set_current_object(ctx, nullptr);
    mark_modified(ctx);
}

}  // namespace plotwell

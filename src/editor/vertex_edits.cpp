// The vertex commands of the context menus: insert, add and delete a vertex, split a line or a
// polygon, join two lines.
#include "editor/vertex_edits.h"

#include <algorithm>
#include <vector>

#include "editor/hit_test.h"
#include "editor/selection.h"
#include "model/geometry.h"
#include "model/object_storage.h"

namespace plotwell {

namespace {

MapObject* single_current(EditorContext& ctx) {
    const EditorState& ed = ctx.editor;
    if (ed.current_objects.size() != 1) return nullptr;
    MapObject* o = ed.current_objects.front();
    return o && o->dimension != kDimDeleted ? o : nullptr;
}

int64_t distance(Point a, Point b) {
    return octagonal_distance(a.x, a.y, b.x, b.y);
}

// Grows U by one vertex placed at `index` (an index at or beyond the end appends); the set then holds
// the new block. Null when memory ran out (U unchanged).
MapObject* insert_vertex(EditorContext& ctx, Layer& layer, MapObject* u, int index, Point w) {
    const int32_t n = object_point_count(u);
    MapObject* grown = resize_object(layer, u, n + 1);
    if (!grown) return nullptr;
    // The old block is gone: nothing may keep pointing at it.
    EditorState& ed = ctx.editor;
    if (ed.hot_item == u) ed.hot_item = grown;
    Point* p = object_points(grown);
    const int32_t at = std::clamp<int32_t>(index, 0, n);
    std::copy_backward(p + at, p + n, p + n + 1);
    p[at] = w;
    set_object_point_count(grown, n + 1);
    set_current_object(ctx, grown);
    return grown;
}

}  // namespace

Outcome insert_point(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    MapObject* u = single_current(ctx);
    Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!u || !layer || !has_points(u)) return Outcome::Failed;
    ScreenPoint probe = ed.context_point;
    Point snapped;
    const MapObject* found = snap_to_vertex(ctx.view, ctx.project, *layer, probe, &snapped);
    if (found && found != u) ctx.host.beep(BeepKind::Default);
    // An object never snaps onto its own vertices.
    const Point w = found && found != u ? snapped : screen_to_world(ctx.view, ctx.project, ed.context_point);
    if (!insert_vertex(ctx, *layer, u, ed.hot_index, w)) return Outcome::Failed;
    mark_modified(ctx);
    return Outcome::Ok;
}

Outcome add_point(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    MapObject* u = single_current(ctx);
    Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!u || !layer || !has_points(u)) return Outcome::Failed;
    const Point w = screen_to_world(ctx.view, ctx.project, ed.context_point);
    const int32_t n = object_point_count(u);
    int index = 0;
    if (n > 0) {
        const Point* p = object_points(u);
        if (distance(w, p[n - 1]) < distance(w, p[0])) index = n;
    }
    if (!insert_vertex(ctx, *layer, u, index, w)) return Outcome::Failed;
    mark_modified(ctx);
    return Outcome::Ok;
}

Outcome delete_point(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    MapObject* o = ed.hot_kind == HotKind::Object ? ed.hot_item : nullptr;
    Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!o || !layer || o->dimension == kDimDeleted) return Outcome::Failed;
    if (has_points(o)) {
        const int32_t n = object_point_count(o);
        const int i = ed.hot_index;
        if (i < 0 || i >= n) return Outcome::Failed;
        Point* p = object_points(o);
        std::copy(p + i + 1, p + n, p + i);
        set_object_point_count(o, n - 1);
    } else {
        delete_object(*layer, o);
        clear_hot_item(ed);
        set_current_object(ctx, nullptr);
    }
    return Outcome::Ok;
}

Outcome split_line(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    MapObject* l = single_current(ctx);
    Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!l || !layer || !has_points(l)) return Outcome::Failed;
    const int32_t n = object_point_count(l);
    const int i = ed.hot_index;
    if (i <= 0 || i >= n - 1) return Outcome::Failed;
    ObjectHead head;
    head.dimension = l->dimension;
    head.type = l->type;
    std::copy(std::begin(l->name), std::end(l->name), head.name);
    if (!make_object(*layer, head, object_points(l) + i, n - i)) return Outcome::Failed;
    set_object_point_count(l, i + 1);
    return Outcome::Ok;
}

Outcome split_polygon(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    MapObject* p = single_current(ctx);
    Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!p || !layer || !has_points(p)) return Outcome::Failed;
    const int64_t n = object_point_count(p);
    const int64_t s = ed.split_mark, e = ed.hot_index;
    if (n <= 0 || s < 0 || e < 0 || s >= n || e >= n || s == e || e == (s + 1) % n || s == (e + 1) % n)
        return Outcome::Failed;
    const int64_t a = std::min(s, e), b = std::max(s, e);
    const Point* v = object_points(p);
    ObjectHead head;
    head.dimension = p->dimension;
    head.type = p->type;
    std::copy(std::begin(p->name), std::end(p->name), head.name);
    if (!make_object(*layer, head, v + a, int32_t(b - a + 1))) return Outcome::Failed;
    // P keeps b .. n - 1, then 0 .. a.
    std::vector<Point> rest(v + b, v + n);
    rest.insert(rest.end(), v, v + a + 1);
    std::copy(rest.begin(), rest.end(), object_points(p));
    set_object_point_count(p, int32_t(rest.size()));
    return Outcome::Ok;
}

bool two_lines_current(const EditorState& editor) {
    const std::vector<MapObject*>& set = editor.current_objects;
    // An object joined with itself would lose its points; a polygon's ends are no ends.
    return set.size() == 2 && set[0] != set[1] && set[0]->dimension == kDimLine &&
           set[1]->dimension == kDimLine && has_points(set[0]) && has_points(set[1]);
}

Outcome join_lines(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!layer || !two_lines_current(ed)) return Outcome::Failed;
    MapObject* a = ed.current_objects[0];
    MapObject* b = ed.current_objects[1];
    const int32_t na = object_point_count(a), nb = object_point_count(b);
    if (na < 1 || nb < 1) return Outcome::Failed;
    const Point* pa = object_points(a);
    const Point* pb = object_points(b);
    const int64_t d[4] = {distance(pa[0], pb[0]), distance(pa[0], pb[nb - 1]), distance(pa[na - 1], pb[0]),
                          distance(pa[na - 1], pb[nb - 1])};
    int join_case = 4;
    for (int c = 0; c < 3; ++c) {
        bool smallest = true;
        for (int k = 0; k < 4; ++k)
            if (k != c && !(d[c] < d[k])) smallest = false;
        if (smallest) {
            join_case = c + 1;
            break;
        }
    }
    std::vector<Point> joined;
    joined.reserve(size_t(na) + size_t(nb) - 1);
    const std::vector<Point> a_fwd(pa, pa + na);
    const std::vector<Point> a_rev(a_fwd.rbegin(), a_fwd.rend());
    switch (join_case) {
        case 1:
            joined = a_rev;
            joined.insert(joined.end(), pb + 1, pb + nb);
            break;
        case 2:
            joined.assign(pb, pb + nb - 1);
            joined.insert(joined.end(), a_fwd.begin(), a_fwd.end());
            break;
        case 3:
            joined = a_fwd;
            joined.insert(joined.end(), pb + 1, pb + nb);
            break;
        default:
            joined.assign(pb, pb + nb - 1);
            joined.insert(joined.end(), a_rev.begin(), a_rev.end());
            break;
    }
    ObjectHead head;
    head.dimension = a->dimension;
    head.type = a->type;
    std::copy(std::begin(a->name), std::end(a->name), head.name);
    MapObject* result = make_object(*layer, head, joined.data(), int32_t(joined.size()));
    if (!result) return Outcome::Failed;
    delete_object(*layer, a);
    delete_object(*layer, b);
    if (ed.hot_item == a || ed.hot_item == b) clear_hot_item(ed);
    set_current_object(ctx, result);
    mark_modified(ctx);
    return Outcome::Ok;
}

}  // namespace plotwell

// The mouse drags of the map view: a vertex, a whole object, a handle of the selection rectangle and
// a background bitmap. Between repaints the drag shows as XOR feedback on the host's overlay; the end
// of a drag changes the project and repaints, or erases the feedback and changes nothing.
#include "editor/drags.h"

#include <algorithm>

#include "editor/hit_test.h"
#include "editor/map_paint.h"
#include "editor/selection.h"
#include "model/geometry.h"
#include "model/object_storage.h"

namespace plotwell {

namespace {

Point add(Point a, Point d) {
    return {clamp_to_int32(int64_t(a.x) + d.x), clamp_to_int32(int64_t(a.y) + d.y)};
}

Point difference(Point a, Point b) {
    return {clamp_to_int32(int64_t(a.x) - b.x), clamp_to_int32(int64_t(a.y) - b.y)};
}

ScreenRect square_frame(const DragState& drag) {
    const ScreenRect& s = drag.vertex_square;
    // The square follows the mouse, which may stand at the edge of the screen range.
    return {s.left, s.top, clamp_to_int32(int64_t(s.left) + s.right),
            clamp_to_int32(int64_t(s.top) + s.bottom)};
}

// The dragged vertex's square and the edges to its neighbours, which follow it; XOR, so that drawing it
// twice erases it.
void draw_vertex_feedback(EditorContext& ctx, Canvas& canvas) {
    const DragState& drag = ctx.editor.drag;
    draw_xor_frame(canvas, square_frame(drag));
    const MapObject* o = drag.target;
    const int32_t n = o && has_points(o) ? object_point_count(o) : 0;
    const int i = ctx.editor.hot_index;
    if (n < 2 || i < 0 || i >= n) return;
    const bool ring = o->dimension == kDimPolygon;
    const Point* points = object_points(o);
    const ScreenRect& s = drag.vertex_square;  // right and bottom hold the size
    ScreenPoint edges[3];
    int count = 0;
    if (i > 0 || ring) edges[count++] = world_to_screen(ctx.view, ctx.project, points[(i + n - 1) % n]);
    edges[count++] = {clamp_to_int32(int64_t(s.left) + s.right / 2),
                      clamp_to_int32(int64_t(s.top) + s.bottom / 2)};
    if (i + 1 < n || ring) edges[count++] = world_to_screen(ctx.view, ctx.project, points[(i + 1) % n]);
    draw_xor_polyline(canvas, edges, count);
}

// The screen rectangle of two map corners, its top above its bottom on the screen.
ScreenRect screen_frame(const EditorContext& ctx, Point a, Point b) {
    const ScreenPoint sa = world_to_screen(ctx.view, ctx.project, a);
    const ScreenPoint sb = world_to_screen(ctx.view, ctx.project, b);
    if (ctx.project.coord_sys == kCoordDegrees) return {sa.x, sb.y, sb.x, sa.y};
    return {sa.x, sa.y, sb.x, sb.y};
}

// Handle `index` (row * 3 + column) moves the frame's edges of its row and column to the mouse.
void move_edges(ScreenRect& frame, int index, ScreenPoint mouse) {
    const int row = index / 3, column = index % 3;
    if (row == 0) frame.top = mouse.y;
    if (row == 2) frame.bottom = mouse.y;
    if (column == 0) frame.left = mouse.x;
    if (column == 2) frame.right = mouse.x;
}

ScreenRect bitmap_frame(const EditorContext& ctx, const BackgroundBitmap& b) {
    return screen_frame(ctx, {b.x, b.y},
                        {clamp_to_int32(int64_t(b.x) + b.width), clamp_to_int32(int64_t(b.y) + b.height)});
}

void draw_copy(EditorContext& ctx) {
    Canvas& canvas = ctx.host.overlay();
    canvas.set_clip(ctx.view.view_rect);
    draw_object(ctx.view, ctx.project, ctx.editor.drag.copy.get(), canvas, true, RasterMode::Xor);
}

// Every point of the copy becomes the same point of `from` moved by `delta`.
void place_moved(MapObject* to, const MapObject* from, Point delta) {
    if (has_points(from)) {
        const int32_t n = std::min(object_point_count(from), object_point_count(to));
        const Point* src = object_points(from);
        Point* dst = object_points(to);
        for (int32_t i = 0; i < n; ++i) dst[i] = add(src[i], delta);
    } else {
        set_object_position(to, add(object_position(from), delta));
    }
}

// The map distance of a mouse move from the press.
Point mouse_delta(const EditorContext& ctx, ScreenPoint mouse) {
    const DragState& drag = ctx.editor.drag;
    Point d{length_to_world(ctx.view, clamp_to_int32(int64_t(mouse.x) - drag.press.x)),
            length_to_world(ctx.view, clamp_to_int32(int64_t(mouse.y) - drag.press.y))};
    if (ctx.project.coord_sys == kCoordDegrees) d.y = clamp_to_int32(-int64_t(d.y));
    return d;
}

// The first (or last) vertex of an object, or a point's position.
Point end_vertex(const MapObject* o, bool last) {
    if (!has_points(o)) return object_position(o);
    const int32_t n = object_point_count(o);
    return object_points(o)[last && n > 0 ? n - 1 : 0];
}

void end_dragging(DragState& drag) {
    drag.dragging = false;
    drag.kind = DragKind::None;
    drag.target = nullptr;
    drag.copy.reset();
}

Outcome end_vertex_drag(EditorContext& ctx, ScreenPoint release) {
    EditorState& ed = ctx.editor;
    DragState& drag = ed.drag;
    MapObject* o = drag.target;
    draw_vertex_feedback(ctx, ctx.host.overlay());
    const int32_t half = drag.vertex_square.right / 2;
    const ScreenPoint target{clamp_to_int32(int64_t(release.x) + half - drag.press_offset.x),
                             clamp_to_int32(int64_t(release.y) + half - drag.press_offset.y)};
    ScreenPoint probe = target;
    Point w = screen_to_world(ctx.view, ctx.project, target);
    const Layer* layer = current_layer_ptr(ctx.project, ed);
    Point snapped;
    const MapObject* found = layer ? snap_to_vertex(ctx.view, ctx.project, *layer, probe, &snapped) : nullptr;
    if (found == o && probe == target) return Outcome::Cancelled;  // back onto itself
    // The snapped vertex is the other vertex itself; an object never snaps onto its own vertices.
    if (found && found != o) {
        ctx.host.beep(BeepKind::Default);
        w = snapped;
    }
    if (has_points(o)) {
        const int i = ed.hot_index;
        if (i < 0 || i >= object_point_count(o)) return Outcome::Failed;
        object_points(o)[i] = w;
    } else {
        set_object_position(o, w);
    }
    mark_modified(ctx);
    return Outcome::Ok;
}

Outcome end_object_drag(EditorContext& ctx, ScreenPoint release) {
    EditorState& ed = ctx.editor;
    DragState& drag = ed.drag;
    MapObject* o = drag.target;
    draw_copy(ctx);  // erase
    if (release == drag.press) return Outcome::Cancelled;
    // The copy follows the moves; a release without a move before it still counts where it is.
    place_moved(drag.copy.get(), o, mouse_delta(ctx, release));
    Point end = end_vertex(drag.copy.get(), false);
    ScreenPoint probe = world_to_screen(ctx.view, ctx.project, end);
    const Layer* layer = current_layer_ptr(ctx.project, ed);
    Point snapped;
    const MapObject* found = layer ? snap_to_vertex(ctx.view, ctx.project, *layer, probe, &snapped) : nullptr;
    if (!found && has_points(o) && layer) {
        end = end_vertex(drag.copy.get(), true);
        probe = world_to_screen(ctx.view, ctx.project, end);
        found = snap_to_vertex(ctx.view, ctx.project, *layer, probe, &snapped);
    }
    // The snapped end lands on the vertex itself; an object never snaps onto its own vertices.
    const bool snaps = found && found != o;
    if (snaps) ctx.host.beep(BeepKind::Default);
    place_moved(o, drag.copy.get(), snaps ? difference(snapped, end) : Point{0, 0});
    mark_modified(ctx);
    return Outcome::Ok;
}

Outcome end_handle_drag(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    const ScreenRect& f = ed.drag.frame;
    const Point a = screen_to_world(ctx.view, ctx.project, {f.left, f.top});
    const Point b = screen_to_world(ctx.view, ctx.project, {f.right, f.bottom});
    SelectionRect& r = ed.selection_rect;
    r = {a.x, a.y, b.x, b.y};
    if (ctx.project.coord_sys == kCoordDegrees) std::swap(r.y1, r.y2);
    const Rect from = selection_as_rect(ed.drag.old_rect);
    const Rect to = selection_as_rect(r);
    for (MapObject* o : ed.current_objects)
        if (o->dimension != kDimDeleted) rescale_object(o, from, to);
    mark_modified(ctx);
    return Outcome::Ok;
}

Outcome end_bitmap_drag(EditorContext& ctx, ScreenPoint release) {
    BackgroundBitmap* b = hot_bitmap_ptr(ctx.project, ctx.editor);
    draw_xor_frame(ctx.host.overlay(), ctx.editor.drag.frame);
    if (!b) return Outcome::Failed;
    if (ctx.editor.hot_index == 4) {
        // A move keeps the size: taking it back from the screen frame would round it away below zoom 1.
        const Point d = mouse_delta(ctx, release);
        if (d.x == 0 && d.y == 0) return Outcome::Cancelled;
        const Point corner = add({b->x, b->y}, d);
        b->x = corner.x;
        b->y = corner.y;
        mark_modified(ctx);
        return Outcome::Ok;
    }
    const ScreenRect& f = ctx.editor.drag.frame;
    const Point corner = screen_to_world(ctx.view, ctx.project, {f.left, f.top});
    b->x = corner.x;
    b->y = corner.y;
    b->width = length_to_world(ctx.view, clamp_to_int32(int64_t(f.right) - f.left));
    b->height = length_to_world(ctx.view, clamp_to_int32(int64_t(f.bottom) - f.top));
    if (ctx.project.coord_sys == kCoordDegrees) b->y = clamp_to_int32(int64_t(b->y) - b->height);
    mark_modified(ctx);
    return Outcome::Ok;
}

}  // namespace

Outcome start_vertex_drag(EditorContext& ctx, ScreenPoint press) {
    EditorState& ed = ctx.editor;
    MapObject* o = ed.hot_item;
    if (ed.hot_kind != HotKind::Object || !o || !ed.hot_on_vertex || o->dimension == kDimDeleted)
        return Outcome::Failed;
    Point v;
    int32_t size;
    if (has_points(o)) {
        if (ed.hot_index < 0 || ed.hot_index >= object_point_count(o)) return Outcome::Failed;
        v = object_points(o)[ed.hot_index];
        size = 5;
    } else {
        v = object_position(o);
        size = 7;
    }
    const ScreenPoint s = world_to_screen(ctx.view, ctx.project, v);
    const int32_t reach = size / 2;  // 2 for a line or polygon vertex, 3 for a point
    DragState& drag = ed.drag;
    drag.vertex_square = {clamp_to_int32(int64_t(s.x) - reach), clamp_to_int32(int64_t(s.y) - reach), size,
                          size};
    drag.press = press;
    drag.press_offset = {clamp_to_int32(int64_t(press.x) - drag.vertex_square.left),
                         clamp_to_int32(int64_t(press.y) - drag.vertex_square.top)};
    drag.target = o;
    drag.kind = DragKind::Vertex;
    drag.dragging = true;
    draw_vertex_feedback(ctx, ctx.host.overlay());
    return Outcome::Ok;
}

Outcome start_object_drag(EditorContext& ctx, ScreenPoint press) {
    EditorState& ed = ctx.editor;
    MapObject* o = ed.hot_item;
    if (ed.hot_kind != HotKind::Object || !o || o->dimension == kDimDeleted) return Outcome::Failed;
    DragState& drag = ed.drag;
    drag.copy.reset(duplicate_object(o));
    if (!drag.copy) return Outcome::Failed;
    drag.press = press;
    drag.target = o;
    drag.kind = DragKind::Object;
    drag.dragging = true;
    draw_copy(ctx);
    return Outcome::Ok;
}

Outcome start_handle_drag(EditorContext& ctx, ScreenPoint press) {
    EditorState& ed = ctx.editor;
    if (ed.hot_kind != HotKind::SelectionRect || !selection_exists(ed.selection_rect)) return Outcome::Failed;
    const SelectionRect& r = ed.selection_rect;
    DragState& drag = ed.drag;
    drag.frame = screen_frame(ctx, {r.x1, r.y1}, {r.x2, r.y2});
    drag.old_rect = r;
    drag.press = press;
    drag.kind = DragKind::Handle;
    drag.dragging = true;
    return Outcome::Ok;
}

Outcome start_bitmap_drag(EditorContext& ctx, ScreenPoint press) {
    EditorState& ed = ctx.editor;
    const BackgroundBitmap* b = hot_bitmap_ptr(ctx.project, ed);
    if (!b || (b->flags & kBitmapLocked)) return Outcome::Failed;
    DragState& drag = ed.drag;
    drag.origin = press;
    drag.press = press;
    drag.frame = bitmap_frame(ctx, *b);
    drag.kind = DragKind::Bitmap;
    drag.dragging = true;
    draw_xor_frame(ctx.host.overlay(), drag.frame);
    return Outcome::Ok;
}

void follow_drag(EditorContext& ctx, ScreenPoint mouse) {
    EditorState& ed = ctx.editor;
    DragState& drag = ed.drag;
    if (!drag.dragging) return;
    Canvas& canvas = ctx.host.overlay();
    switch (drag.kind) {
        case DragKind::Vertex:
            draw_vertex_feedback(ctx, canvas);
            drag.vertex_square.left = clamp_to_int32(int64_t(mouse.x) - drag.press_offset.x);
            drag.vertex_square.top = clamp_to_int32(int64_t(mouse.y) - drag.press_offset.y);
            draw_vertex_feedback(ctx, canvas);
            ctx.host.set_cursor(Cursor::Vertex);
            break;
        case DragKind::Object:
            draw_copy(ctx);
            place_moved(drag.copy.get(), drag.target, mouse_delta(ctx, mouse));
            draw_copy(ctx);
            ctx.host.set_cursor(Cursor::Move);
            break;
        case DragKind::Handle:
            draw_xor_frame(canvas, drag.frame);
            move_edges(drag.frame, ed.hot_index, mouse);
            draw_xor_frame(canvas, drag.frame);
            break;
        case DragKind::Bitmap: {
            const BackgroundBitmap* b = hot_bitmap_ptr(ctx.project, ctx.editor);
            if (!b) break;
            draw_xor_frame(canvas, drag.frame);
            drag.frame = bitmap_frame(ctx, *b);
            if (ed.hot_index == 4) {
                const int32_t dx = clamp_to_int32(int64_t(mouse.x) - drag.origin.x);
                const int32_t dy = clamp_to_int32(int64_t(mouse.y) - drag.origin.y);
                drag.frame = {clamp_to_int32(int64_t(drag.frame.left) + dx),
                              clamp_to_int32(int64_t(drag.frame.top) + dy),
                              clamp_to_int32(int64_t(drag.frame.right) + dx),
                              clamp_to_int32(int64_t(drag.frame.bottom) + dy)};
            } else {
                move_edges(drag.frame, ed.hot_index, mouse);
            }
            draw_xor_frame(canvas, drag.frame);
            break;
        }
        case DragKind::None:
            break;
    }
}

Outcome end_drag(EditorContext& ctx, ScreenPoint release) {
    DragState& drag = ctx.editor.drag;
    if (!drag.dragging) return Outcome::Cancelled;
    // The release counts where it is, also when no move reported that position first.
    if (drag.kind == DragKind::Handle || drag.kind == DragKind::Bitmap) follow_drag(ctx, release);
    Outcome o = Outcome::Failed;
    switch (drag.kind) {
        case DragKind::Vertex:
            o = drag.target ? end_vertex_drag(ctx, release) : Outcome::Failed;
            break;
        case DragKind::Object:
            o = drag.target && drag.copy ? end_object_drag(ctx, release) : Outcome::Failed;
            break;
        case DragKind::Handle:
            o = end_handle_drag(ctx);
            break;
        case DragKind::Bitmap:
            o = end_bitmap_drag(ctx, release);
            break;
        case DragKind::None:
            break;
    }
    end_dragging(drag);
    return o;
}

}  // namespace plotwell

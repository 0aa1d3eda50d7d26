#include "editor/hit_test.h"

#include <algorithm>
#include <cstdlib>

#include "model/geometry.h"
#include "model/object_storage.h"

namespace plotwell {

namespace {

bool strictly_between(int64_t v, int64_t e1, int64_t e2) {
    return std::min(e1, e2) < v && v < std::max(e1, e2);
}

ScreenPoint screen_of(const ViewState& view, const Project& project, Point p) {
    return world_to_screen(view, project, p);
}

}  // namespace

bool vertex_hit(ScreenPoint p, ScreenPoint& q) {
    if (octagonal_distance(p.x, p.y, q.x, q.y) > kHitTolerance) return false;
    q = p;
    return true;
}

SegmentAnswer segment_test(ScreenPoint a, ScreenPoint b, ScreenPoint p) {
    const int64_t dx = int64_t(b.x) - a.x;
    const int64_t dy = int64_t(b.y) - a.y;
    // Far off-screen vertices sit at the ends of the int32 range, where these products need more
    // than 64 bits.
    using Wide = __int128;
    const Wide cross = Wide(int64_t(p.x) - a.x) * dy - Wide(int64_t(p.y) - a.y) * dx;
    const Wide k = cross < 0 ? -cross : cross;
    const Wide m = std::max(std::llabs(dx), std::llabs(dy));
    if (k >= m) return SegmentAnswer::None;
    if (strictly_between(a.x, b.x, p.x) || strictly_between(a.y, b.y, p.y)) return SegmentAnswer::BeyondA;
    if (strictly_between(b.x, a.x, p.x) || strictly_between(b.y, a.y, p.y)) return SegmentAnswer::BeyondB;
    return SegmentAnswer::Between;
}

bool segment_hit(ScreenPoint a, ScreenPoint b, ScreenPoint q) {
    SegmentAnswer answer = segment_test(a, b, q);
    if (answer == SegmentAnswer::None) {
        const bool flat = std::llabs(int64_t(b.y) - a.y) < std::llabs(int64_t(b.x) - a.x);
        auto step = [](int32_t v, int d) {
            return int32_t(std::clamp<int64_t>(int64_t(v) + d, INT32_MIN, INT32_MAX));
        };
        const ScreenPoint n1 = flat ? ScreenPoint{q.x, step(q.y, -1)} : ScreenPoint{step(q.x, -1), q.y};
        const ScreenPoint n2 = flat ? ScreenPoint{q.x, step(q.y, 1)} : ScreenPoint{step(q.x, 1), q.y};
        answer = segment_test(a, b, n1);
        if (answer == SegmentAnswer::None) answer = segment_test(a, b, n2);
    }
    return answer == SegmentAnswer::Between;
}

ObjectHit hit_object(const ViewState& view, const Project& project, const MapObject* object,
                     ScreenPoint probe) {
    if (object->dimension == kDimPoint) {
        ScreenPoint q = probe;
        if (vertex_hit(screen_of(view, project, object_position(object)), q)) return {HitKind::Vertex, 0};
        return {};
    }
    if (!has_points(object)) return {};  // deleted placeholders answer nothing
    const Point* pts = object_points(object);
    const int32_t n = object_point_count(object);
    ScreenPoint prev{};
    for (int32_t i = 0; i < n; ++i) {
        const ScreenPoint s = screen_of(view, project, pts[i]);
        ScreenPoint q = probe;
        if (vertex_hit(s, q)) return {HitKind::Vertex, i};
        if (i > 0 && segment_hit(s, prev, probe)) return {HitKind::Segment, i};
        prev = s;
    }
    if (object->dimension == kDimPolygon && n > 0 &&
        segment_hit(screen_of(view, project, pts[0]), screen_of(view, project, pts[n - 1]), probe))
        return {HitKind::Segment, n};
    return {};
}

FoundObject find_object_at(const ViewState& view, const Project& project, const Layer& layer,
                           ScreenPoint probe) {
    for (MapObject* o = layer.objects; o; o = o->next) {
        const ObjectHit hit = hit_object(view, project, o, probe);
        if (hit.kind != HitKind::None) return {o, hit};
    }
    return {};
}

MapObject* snap_to_vertex(const ViewState& view, const Project& project, const Layer& layer,
                          ScreenPoint& probe, Point* vertex) {
    auto snaps = [&](Point p) {
        if (!vertex_hit(screen_of(view, project, p), probe)) return false;
        if (vertex) *vertex = p;
        return true;
    };
    for (MapObject* o = layer.objects; o; o = o->next) {
        if (o->dimension == kDimPoint) {
            if (snaps(object_position(o))) return o;
        } else if (has_points(o)) {
            const Point* pts = object_points(o);
            const int32_t n = object_point_count(o);
            for (int32_t i = 0; i < n; ++i)
                if (snaps(pts[i])) return o;
        }
    }
    return nullptr;
}

std::optional<HandleHit> handle_hit(ScreenPoint a, ScreenPoint e, ScreenPoint probe, uint8_t coord_sys) {
    const int32_t mx = int32_t((int64_t(a.x) + e.x) / 2);
    const int32_t my = int32_t((int64_t(a.y) + e.y) / 2);
    struct Candidate {
        ScreenPoint at;
        int index_y_down, index_y_up;
        Cursor cursor_y_down, cursor_y_up;
    };
    const Candidate candidates[8] = {
        {{a.x, a.y}, 0, 6, Cursor::SizeNwse, Cursor::SizeNesw},
        {{mx, a.y}, 1, 7, Cursor::SizeNs, Cursor::SizeNs},
        {{e.x, a.y}, 2, 8, Cursor::SizeNesw, Cursor::SizeNwse},
        {{a.x, my}, 3, 3, Cursor::SizeWe, Cursor::SizeWe},
        {{e.x, my}, 5, 5, Cursor::SizeWe, Cursor::SizeWe},
        {{a.x, e.y}, 6, 0, Cursor::SizeNesw, Cursor::SizeNwse},
        {{mx, e.y}, 7, 1, Cursor::SizeNs, Cursor::SizeNs},
        {{e.x, e.y}, 8, 2, Cursor::SizeNwse, Cursor::SizeNesw},
    };
    const bool up = coord_sys == kCoordDegrees;
    for (const Candidate& c : candidates) {
        ScreenPoint q = probe;
        if (vertex_hit(c.at, q))
            return HandleHit{up ? c.index_y_up : c.index_y_down, up ? c.cursor_y_up : c.cursor_y_down};
    }
    return std::nullopt;
}

std::optional<BitmapHit> bitmap_hit(const ViewState& view, const Project& project, ScreenPoint probe) {
    const BitmapTable& table = project.bitmaps;
    const int count = std::min<int>(table.count, kMaxBitmaps);
    // Only the y values are ordered: with decimal degrees the minimum corner is the lower one.
    auto inside = [&](ScreenPoint a, ScreenPoint e) {
        const int32_t top = std::min(a.y, e.y), bottom = std::max(a.y, e.y);
        return a.x <= probe.x && probe.x < e.x && top <= probe.y && probe.y < bottom;
    };
    auto corners = [&](const BackgroundBitmap& b, ScreenPoint& a, ScreenPoint& e) {
        a = screen_of(view, project, {b.x, b.y});
        e = screen_of(view, project, {int32_t(int64_t(b.x) + b.width), int32_t(int64_t(b.y) + b.height)});
    };
    for (int i = count - 1; i >= 0; --i) {
        const BackgroundBitmap& b = table.entries[i];
        if (b.flags & kBitmapLocked) continue;
        ScreenPoint a, e;
        corners(b, a, e);
        if (auto h = handle_hit(a, e, probe, project.coord_sys)) return BitmapHit{i, h->index, h->cursor};
        if (inside(a, e)) return BitmapHit{i, 4, Cursor::SizeAll};
    }
    for (int i = count - 1; i >= 0; --i) {
        const BackgroundBitmap& b = table.entries[i];
        if (!(b.flags & kBitmapLocked)) continue;
        ScreenPoint a, e;
        corners(b, a, e);
        if (inside(a, e)) return BitmapHit{i, 4, Cursor::SizeAll};
    }
    return std::nullopt;
}

}  // namespace plotwell

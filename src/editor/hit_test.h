// Hit tests of the map view: vertices and segments of objects, handles of rectangles, background
// bitmaps. Everything is measured in client pixels with the octagonal distance.
#pragma once

#include <optional>

#include "editor/view_state.h"
#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

inline constexpr int kHitTolerance = 5;

// True when q lies within the tolerance of p; q then moves onto p.
bool vertex_hit(ScreenPoint p, ScreenPoint& q);

enum class SegmentAnswer { None, BeyondA, BeyondB, Between };
// The answer of one point against the line through a and b.
SegmentAnswer segment_test(ScreenPoint a, ScreenPoint b, ScreenPoint p);
// True when q (or, failing an answer, one of its two neighbours across the segment) lies between a and b.
bool segment_hit(ScreenPoint a, ScreenPoint b, ScreenPoint q);

enum class HitKind { None, Vertex, Segment };
struct ObjectHit {
    HitKind kind = HitKind::None;
    // Vertex: its index. Segment: the index at which a vertex inserted on it would go.
    int index = 0;
};
ObjectHit hit_object(const ViewState& view, const Project& project, const MapObject* object,
                     ScreenPoint probe);

struct FoundObject {
    MapObject* object = nullptr;
    ObjectHit hit;
};
// The first object in list order that answers a vertex or a segment.
FoundObject find_object_at(const ViewState& view, const Project& project, const Layer& layer,
                           ScreenPoint probe);
// The first vertex in list order near the probe; the probe moves onto it and `vertex`, when given,
// receives its map coordinates: below zoom 1 the probe's pixel maps back to another point. None leaves
// both alone.
MapObject* snap_to_vertex(const ViewState& view, const Project& project, const Layer& layer,
                          ScreenPoint& probe, Point* vertex = nullptr);

struct HandleHit {
    int index = 0;  // row * 3 + column on the screen; 4 (the middle) means move
    Cursor cursor = Cursor::Arrow;
};
// a and e are the screen images of a rectangle's minimum and maximum corners.
std::optional<HandleHit> handle_hit(ScreenPoint a, ScreenPoint e, ScreenPoint probe, uint8_t coord_sys);

struct BitmapHit {
    int bitmap = -1;  // index into the bitmap table
    int index = 0;
    Cursor cursor = Cursor::Arrow;
};
// Later table entries lie on top and are found first; unlocked bitmaps before locked ones.
std::optional<BitmapHit> bitmap_hit(const ViewState& view, const Project& project, ScreenPoint probe);

}  // namespace plotwell

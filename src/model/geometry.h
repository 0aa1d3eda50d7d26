// Integer geometry shared by the editor, the importers and the export.
#pragma once

#include <cstdint>

#include "model/records.h"

namespace plotwell {

// Sums and differences of map and screen coordinates, clamped to int32 rather than wrapped: a value far
// out must not turn into its opposite.
inline int32_t clamp_to_int32(int64_t v) {
    return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : int32_t(v);
}

struct Bounds {
    Point min;
    Point max;
};

// Lines and polygons: min/max over all points (a record without points gives the start values
// (2147483647, 2147483647) and (-2147483647, -2147483647)); points: their position.
Bounds object_bounds(const MapObject* object);
// Edges included.
bool bounds_overlap_rect(const MapObject* object, const Rect& rect);
bool point_outside_rect(Point p, const Rect& rect);
// Maps every point not outside `from` onto `to` (truncating toward zero); a `from` without extent
// leaves the record unchanged.
void rescale_object(MapObject* object, const Rect& from, const Rect& to);
// dx + dy - floor(min(dx, dy) / 2): an integer stand-in for the distance.
int64_t octagonal_distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

struct Vec2 {
    double x = 0;
    double y = 0;
};
double vector_length(Vec2 v);
Vec2 normalise(Vec2 v);
double dot(Vec2 a, Vec2 b);
double angle_between(Vec2 a, Vec2 b);
int turn_sign(Vec2 a, Vec2 b);
// 1 when the closed ring (last point repeating the first) runs counter-clockwise in a y-up frame.
int polygon_orientation(const Point* points, int32_t n);
int polygon_orientation(const MapObject* polygon);

}  // namespace plotwell

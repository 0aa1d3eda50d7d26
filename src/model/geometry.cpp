#include "model/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/object_storage.h"

namespace plotwell {

namespace {
constexpr double kPi = 3.141592;  // the value the orientation test has always used

int32_t trunc_to_int32(double v) {
    const double t = std::trunc(v);
    if (!(t >= -2147483648.0)) return INT32_MIN;  // also NaN
    if (t > 2147483647.0) return INT32_MAX;
    return int32_t(t);
}
}  // namespace

Bounds object_bounds(const MapObject* object) {
    if (!has_points(object)) {
        const Point p = object_position(object);
        return {p, p};
    }
    Bounds b{{2147483647, 2147483647}, {-2147483647, -2147483647}};
    const Point* pts = object_points(object);
    const int32_t n = object_point_count(object);
    for (int32_t i = 0; i < n; ++i) {
        b.min.x = std::min(b.min.x, pts[i].x);
        b.min.y = std::min(b.min.y, pts[i].y);
        b.max.x = std::max(b.max.x, pts[i].x);
        b.max.y = std::max(b.max.y, pts[i].y);
    }
    return b;
}

bool bounds_overlap_rect(const MapObject* object, const Rect& rect) {
    const Bounds b = object_bounds(object);
    return rect.x_max >= b.min.x && rect.y_max >= b.min.y && b.max.x >= rect.x_min && b.max.y >= rect.y_min;
}

bool point_outside_rect(Point p, const Rect& rect) {
    return p.x < rect.x_min || p.y < rect.y_min || p.x > rect.x_max || p.y > rect.y_max;
}

void rescale_object(MapObject* object, const Rect& from, const Rect& to) {
    const double from_w = double(from.x_max) - double(from.x_min);
    const double from_h = double(from.y_max) - double(from.y_min);
    if (from_w == 0 || from_h == 0) return;
    const double fx = (double(to.x_max) - double(to.x_min)) / from_w;
    const double fy = (double(to.y_max) - double(to.y_min)) / from_h;
    auto map = [&](Point p) {
        if (point_outside_rect(p, from)) return p;
        return Point{trunc_to_int32(double(to.x_min) + std::trunc(fx * (double(p.x) - double(from.x_min)))),
                     trunc_to_int32(double(to.y_min) + std::trunc(fy * (double(p.y) - double(from.y_min))))};
    };
    if (has_points(object)) {
        Point* pts = object_points(object);
        for (int32_t i = 0, n = object_point_count(object); i < n; ++i) pts[i] = map(pts[i]);
    } else {
        set_object_position(object, map(object_position(object)));
    }
}

int64_t octagonal_distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int64_t dx = std::llabs(int64_t(x2) - x1);
    const int64_t dy = std::llabs(int64_t(y2) - y1);
    return dx + dy - std::min(dx, dy) / 2;
}

double vector_length(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

Vec2 normalise(Vec2 v) {
    const double inv = 1.0 / vector_length(v);
    return {v.x * inv, v.y * inv};
}

double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

double angle_between(Vec2 a, Vec2 b) {
    // A zero-length vector has no direction: its normalised form would be NaN. Take it as a straight
    // continuation (angle 0) so that the result is the same on every machine.
    if (vector_length(a) == 0 || vector_length(b) == 0) return 0;
    double u = dot(normalise(a), normalise(b));
    u = std::clamp(u, -1.0, 1.0);
    return u >= 0 ? std::acos(u) : kPi - std::acos(-u);
}

int turn_sign(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x < 0 ? -1 : 1; }

int polygon_orientation(const Point* points, int32_t n) {
    if (n <= 2) return 0;
    Point prev = points[n - 2];
    double sum = 0;
    for (int32_t i = 0; i <= n - 3; ++i) {
        const Vec2 a{double(prev.x) - points[i].x, double(prev.y) - points[i].y};
        const Vec2 b{double(points[i + 1].x) - points[i].x, double(points[i + 1].y) - points[i].y};
        const double t = kPi - angle_between(a, b);
        if (turn_sign(a, b) < 0)
            sum -= t;
        else
            sum += t;
        prev = points[i];
    }
    return sum < 0 ? 1 : 0;
}

int polygon_orientation(const MapObject* polygon) {
    return polygon_orientation(object_points(polygon), object_point_count(polygon));
}

}  // namespace plotwell

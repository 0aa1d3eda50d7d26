#include "editor/area_hit.h"

#include "model/geometry.h"
#include "model/object_storage.h"

namespace plotwell {

bool ring_contains(const Point* points, int32_t count, double x, double y) {
    bool inside = false;
    for (int32_t i = 0, j = count - 1; i < count; j = i++) {
        const double xi = points[i].x, yi = points[i].y, xj = points[j].x, yj = points[j].y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

MapObject* polygon_at(const ViewState& view, const Project& project, const Layer& layer, ScreenPoint probe) {
    const Point p = screen_to_world(view, project, probe);
    MapObject* best = nullptr;
    double best_area = 0;
    for (MapObject* o = layer.objects; o; o = o->next) {
        if (o->dimension != kDimPolygon || object_point_count(o) < 3) continue;
        const Bounds b = object_bounds(o);
        if (p.x < b.min.x || p.x > b.max.x || p.y < b.min.y || p.y > b.max.y) continue;
        // The pixel's centre: a probe on a vertex's own coordinate is not on the fence.
        if (!ring_contains(object_points(o), object_point_count(o), p.x + 0.5, p.y + 0.5)) continue;
        const double area = (double(b.max.x) - b.min.x) * (double(b.max.y) - b.min.y);
        if (!best || area < best_area) {
            best = o;
            best_area = area;
        }
    }
    return best;
}

}  // namespace plotwell

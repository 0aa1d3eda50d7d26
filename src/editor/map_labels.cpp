#include "editor/map_labels.h"

#include <cmath>
#include <vector>

#include "editor/map_paint.h"
#include "editor/view_style.h"
#include "model/object_storage.h"
#include "model/text.h"

namespace plotwell {

namespace {

bool inside(const ScreenRect& r, ScreenPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

void fill_polygon_area(const ViewState& view, const Project& project, const MapObject* object,
                       Canvas& canvas) {
    if (object->dimension != kDimPolygon || !has_points(object)) return;
    const int32_t n = object_point_count(object);
    if (n < 3) return;
    std::vector<ScreenPoint> ring(static_cast<size_t>(n));
    const Point* pts = object_points(object);
    for (int32_t i = 0; i < n; ++i) ring[size_t(i)] = world_to_screen(view, project, pts[i]);
    canvas.fill_polygon(ring.data(), int(n), object_colour(object), kFillAlpha);
}

void draw_object_name(const ViewState& view, const Project& project, const MapObject* object,
                      Canvas& canvas) {
    const std::string_view name = field_text(object->name);
    if (name.empty()) return;
    if (object->dimension == kDimPoint) {
        const ScreenPoint s = world_to_screen(view, project, object_position(object));
        if (inside(view.view_rect, s)) canvas.text({s.x + 6, s.y + 4}, name, style::kBlack, 0.0, false);
        return;
    }
    if (object->dimension != kDimLine || !has_points(object)) return;
    const int32_t n = object_point_count(object);
    const Point* pts = object_points(object);
    ScreenPoint a, b;
    double longest = -1;
    ScreenPoint previous = n > 0 ? world_to_screen(view, project, pts[0]) : ScreenPoint{};
    for (int32_t i = 1; i < n; ++i) {
        const ScreenPoint next = world_to_screen(view, project, pts[i]);
        const double length = std::hypot(double(next.x) - previous.x, double(next.y) - previous.y);
        if (length > longest) {
            longest = length;
            a = previous;
            b = next;
        }
        previous = next;
    }
    if (longest < 0) return;
    const ScreenPoint middle{int32_t((int64_t(a.x) + b.x) / 2), int32_t((int64_t(a.y) + b.y) / 2)};
    if (!inside(view.view_rect, middle)) return;
    double angle = std::atan2(double(b.y) - a.y, double(b.x) - a.x) * 180.0 / M_PI;
    // Upright: a name never reads upside down.
    if (angle > 90.0) angle -= 180.0;
    if (angle <= -90.0) angle += 180.0;
    canvas.text(middle, name, style::kBlack, angle, true);
}

}  // namespace plotwell

#include "editor/view_zoom.h"

#include <cmath>

#include "model/geometry.h"

namespace plotwell {

namespace {

int32_t rounded(double v) {
    if (!(v > -3.0e9)) return INT32_MIN;
    if (v > 3.0e9) return INT32_MAX;
    return clamp_to_int32(std::llround(v));
}

}  // namespace

void zoom_about(ViewState& view, const Project& project, ScreenPoint anchor, bool in) {
    const double before = view.zoom;
    if (in)
        zoom_in(view);
    else
        zoom_out(view);
    const double after = view.zoom;
    if (after == before) return;
    // The anchor's offset from the centre covers 1/before map units per pixel before and 1/after
    // after; the origin moves by the difference so that the anchor keeps its map point.
    const double dx = double(anchor.x) - half_width(view);
    const double dy = double(anchor.y) - half_height(view) - view.view_rect.top;
    const double shift = 1.0 / before - 1.0 / after;
    view.origin_x = rounded(double(view.origin_x) + dx * shift);
    // With decimal degrees north is up: a point below the centre has a smaller y.
    const double sign = project.coord_sys == kCoordDegrees ? -1.0 : 1.0;
    view.origin_y = rounded(double(view.origin_y) + sign * dy * shift);
}

void fit_view_to(ViewState& view, const Project& project, const Rect& rect) {
    const int64_t w = int64_t(rect.x_max) - rect.x_min, h = int64_t(rect.y_max) - rect.y_min;
    if (w < 0 || h < 0) return;
    view.origin_x = clamp_to_int32(int64_t(rect.x_min) + w / 2);
    const int64_t cy = int64_t(rect.y_min) + h / 2;
    // With decimal degrees the origin is the centre's y less the range height (see world_to_screen).
    view.origin_y = clamp_to_int32(project.coord_sys == kCoordDegrees ? cy - project.range.height : cy);
    if (w == 0 && h == 0) return;
    const int64_t area_w = int64_t(view.view_rect.right) - view.view_rect.left;
    const int64_t area_h = int64_t(view.view_rect.bottom) - view.view_rect.top;
    const auto fits = [&](float z) {
        return double(w) * z <= double(area_w) && double(h) * z <= double(area_h);
    };
    float z = 1.0f;
    while (z < kMaxFitZoom && fits(z * 2.0f)) z *= 2.0f;
    while (z > 0.0001f && !fits(z)) z *= 0.5f;
    view.zoom = z;
}

}  // namespace plotwell

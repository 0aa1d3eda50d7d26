#include "editor/view_state.h"

#include <cmath>
#include <limits>

#include "model/geometry.h"

namespace plotwell {

namespace {

int64_t trunc_to_int64(double v) {
    if (std::isnan(v)) return 0;
    const double t = std::trunc(v);
    if (t <= -9.0e18) return INT64_C(-9000000000000000000);
    if (t >= 9.0e18) return INT64_C(9000000000000000000);
    return int64_t(t);
}

// The differences inside the formulas are taken in 64 bits: in 32 bits a point far outside the view
// would wrap round to the other side of it.
int64_t scaled(int64_t n, float zoom) {
    return trunc_to_int64(double(n) * double(zoom));
}
int64_t unscaled(int64_t n, float zoom) {
    return trunc_to_int64(double(n) / double(zoom));
}

bool degrees(const Project& project) {
    return project.coord_sys == kCoordDegrees;
}

}  // namespace

int32_t half_width(const ViewState& view) {
    const int64_t w = int64_t(view.view_rect.right) - view.view_rect.left;
    return clamp_to_int32(w >= 0 ? w / 2 : -((-w + 1) / 2));
}

int32_t half_height(const ViewState& view) {
    const int64_t h = int64_t(view.view_rect.bottom) - view.view_rect.top;
    return clamp_to_int32(h >= 0 ? h / 2 : -((-h + 1) / 2));
}

ScreenPoint world_to_screen(const ViewState& view, const Project& project, Point p) {
    ScreenPoint s;
    s.x = clamp_to_int32(scaled(int64_t(p.x) - view.origin_x, view.zoom) + half_width(view));
    const int64_t dy =
        degrees(project) ? int64_t(view.origin_y) + project.range.height - p.y : int64_t(p.y) - view.origin_y;
    s.y = clamp_to_int32(scaled(dy, view.zoom) + half_height(view) + view.view_rect.top);
    return s;
}

Point screen_to_world(const ViewState& view, const Project& project, ScreenPoint s) {
    Point p;
    p.x = clamp_to_int32(unscaled(int64_t(s.x) - half_width(view), view.zoom) + view.origin_x);
    const int64_t d = int64_t(s.y) - half_height(view) - view.view_rect.top;
    if (degrees(project))
        p.y = clamp_to_int32(int64_t(project.range.height) - unscaled(d, view.zoom) + view.origin_y);
    else
        p.y = clamp_to_int32(unscaled(d, view.zoom) + view.origin_y);
    return p;
}

int32_t length_to_screen(const ViewState& view, int32_t n) {
    return clamp_to_int32(scaled(n, view.zoom));
}
int32_t length_to_world(const ViewState& view, int32_t n) {
    return clamp_to_int32(unscaled(n, view.zoom));
}

void fit_view(ViewState& view, const Project& project) {
    const CoordRange& r = project.range;
    if (r.width < 1 || r.height < 1) return;
    view.origin_x = clamp_to_int32(int64_t(r.x_min) + r.width / 2);
    view.origin_y =
        clamp_to_int32(degrees(project) ? int64_t(r.y_min) - r.height / 2 : int64_t(r.y_min) + r.height / 2);
    const int64_t area_width = int64_t(view.view_rect.right) - view.view_rect.left;
    view.zoom = 1.0f;
    for (;;) {
        if (length_to_screen(view, r.width) <= area_width) break;
        view.zoom = view.zoom * 0.5f;
        if (!(view.zoom > 0.0001f)) break;
    }
}

// No practical bound, but the zoom never becomes infinite or zero: from there no further step would
// bring the view back.
void zoom_in(ViewState& view) {
    const float z = view.zoom * 2.0f;
    if (std::isfinite(z)) view.zoom = z;
}
void zoom_out(ViewState& view) {
    const float z = view.zoom * 0.5f;
    if (z >= std::numeric_limits<float>::min()) view.zoom = z;
}

void scroll_view(ViewState& view, const Project& project, ScrollBar bar, ScrollAction action,
                 int32_t page_pixels, int32_t thumb_position) {
    const bool horizontal = bar == ScrollBar::Horizontal;
    if (action == ScrollAction::ThumbRelease) {
        // The full 32-bit position: cutting it to 16 bits would throw a degree map's view far away.
        if (horizontal)
            view.origin_x = thumb_position;
        else if (degrees(project))
            view.origin_y = clamp_to_int32(2 * int64_t(project.range.y_min) - thumb_position);
        else
            view.origin_y = thumb_position;
        return;
    }
    const int32_t step =
        (action == ScrollAction::LineBack || action == ScrollAction::LineForward) ? 40 : page_pixels;
    int64_t delta = unscaled(step, view.zoom);
    if (action == ScrollAction::LineBack || action == ScrollAction::PageBack) delta = -delta;
    if (horizontal)
        view.origin_x = clamp_to_int32(int64_t(view.origin_x) + delta);
    else if (degrees(project))
        view.origin_y = clamp_to_int32(int64_t(view.origin_y) - delta);
    else
        view.origin_y = clamp_to_int32(int64_t(view.origin_y) + delta);
}

ScrollBarValues scroll_bar_values(const ViewState& view, const Project& project, ScrollBar bar) {
    const CoordRange& r = project.range;
    ScrollBarValues v;
    if (bar == ScrollBar::Horizontal) {
        v.minimum = r.x_min;
        v.maximum = clamp_to_int32(int64_t(r.x_min) + r.width);
        v.page = length_to_world(view, view.view_rect.right - view.view_rect.left);
        v.position = view.origin_x;
    } else {
        v.minimum = r.y_min;
        v.maximum = clamp_to_int32(int64_t(r.y_min) + r.height);
        v.page = length_to_world(view, view.view_rect.bottom - view.view_rect.top);
        // With decimal degrees north is up: the bar's top is the range's north edge, and the thumb shows
        // the view's centre mirrored in the range, as scrolling down moves it down.
        v.position = degrees(project) ? clamp_to_int32(2 * int64_t(r.y_min) - view.origin_y) : view.origin_y;
    }
    v.enabled = v.page >= 0 && int64_t(v.maximum) - v.minimum >= int64_t(v.page) && v.maximum > v.minimum;
    return v;
}

void set_scroll_bars(const ViewState& view, const Project& project, Host& host) {
    host.set_scroll_bar(ScrollBar::Horizontal, scroll_bar_values(view, project, ScrollBar::Horizontal));
    host.set_scroll_bar(ScrollBar::Vertical, scroll_bar_values(view, project, ScrollBar::Vertical));
}

}  // namespace plotwell

#include "editor/window_layout.h"

namespace plotwell {

WindowLayout compute_layout(int32_t client_width, int32_t client_height, const WindowMetrics& m) {
    WindowLayout l;
    l.client_width = client_width;
    l.client_height = client_height;
    l.metrics = m;
    l.toolbar = {0, 0, client_width, m.toolbar_height};
    l.status_bar = {0, client_height - m.status_height, client_width, client_height};
    const int32_t hs_top = client_height - m.status_height - m.hscroll_height;
    l.hscroll = {0, hs_top, client_width - m.vscroll_width, hs_top + m.hscroll_height};
    l.vscroll = {client_width - m.vscroll_width, m.toolbar_height, client_width,
                 m.toolbar_height + (client_height - m.status_height - m.toolbar_height - m.hscroll_height)};
    l.map_area = {0, m.toolbar_height, client_width - m.vscroll_width, hs_top};
    return l;
}

bool inside_map_area(const WindowLayout& l, ScreenPoint p) {
    return p.x < l.client_width - l.metrics.vscroll_width && p.y < l.client_height - l.metrics.hscroll_height;
}

std::array<int32_t, 3> status_part_edges(const WindowLayout& l) {
    const int64_t w = int64_t(l.client_width) - l.metrics.vscroll_width;
    return {int32_t(w * 30 / 100), int32_t(w * 58 / 100), int32_t(w * 85 / 100)};
}

}  // namespace plotwell

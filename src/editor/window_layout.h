// Where the main window's children go for a client size, and which points count as the map area.
#pragma once

#include <array>
#include <cstdint>

#include "platform/canvas.h"

namespace plotwell {

// Sizes measured once: toolbar and status bar heights, the system's scroll bar thickness, and how far
// the mouse moves with the button down before a press becomes a drag.
struct WindowMetrics {
    int32_t toolbar_height = 0;
    int32_t status_height = 0;
    int32_t vscroll_width = 0;
    int32_t hscroll_height = 0;
    int32_t drag_distance = 4;
};

struct WindowLayout {
    int32_t client_width = 0;
    int32_t client_height = 0;
    WindowMetrics metrics;
    ScreenRect toolbar;
    ScreenRect status_bar;
    ScreenRect hscroll;
    ScreenRect vscroll;
    ScreenRect map_area;  // the view_rect of the map view
};

WindowLayout compute_layout(int32_t client_width, int32_t client_height, const WindowMetrics& metrics);

// Inside the map area for mouse purposes: left of the vertical and above the horizontal scroll bar.
bool inside_map_area(const WindowLayout& layout, ScreenPoint p);

// Right edges of the three status bar parts: 30 %, 58 % and 85 % of the width left of the scroll bar.
std::array<int32_t, 3> status_part_edges(const WindowLayout& layout);

}  // namespace plotwell

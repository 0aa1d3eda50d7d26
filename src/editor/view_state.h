// The map view's transform between map units and client pixels, its zoom and scrolling.
#pragma once

#include <cstdint>

#include "model/records.h"
#include "platform/canvas.h"
#include "platform/host.h"

namespace plotwell {

struct ViewState {
    float zoom = 1.0f;     // client pixels per map unit
    int32_t origin_x = 0;  // map x at the horizontal centre of the map area
    int32_t origin_y =
        0;  // map y at the vertical centre (with decimal degrees: that y minus the range height)
    ScreenRect view_rect;         // the map area in client pixels
    bool show_all_layers = true;  // the toolbar's "show all layers" rather than "current layer only"
    // View toggles; off keeps the plain look.
    bool show_names = false;     // object names beside points and along lines
    bool fill_polygons = false;  // polygons filled half transparent in their colour
};

// Half the map area's width and height, rounded toward minus infinity.
int32_t half_width(const ViewState& view);
int32_t half_height(const ViewState& view);

ScreenPoint world_to_screen(const ViewState& view, const Project& project, Point p);
Point screen_to_world(const ViewState& view, const Project& project, ScreenPoint s);
int32_t length_to_screen(const ViewState& view, int32_t n);
int32_t length_to_world(const ViewState& view, int32_t n);

// Centres the view on the project's range and fits its width; an empty range changes nothing.
void fit_view(ViewState& view, const Project& project);
// Doubles or halves the zoom about the centre of the map area, without bounds.
void zoom_in(ViewState& view);
void zoom_out(ViewState& view);

enum class ScrollAction { LineBack, LineForward, PageBack, PageForward, ThumbRelease };
// One scroll bar notification. `page_pixels` is the main window's client width (horizontal) or height
// (vertical); `thumb_position` is used by ThumbRelease only.
void scroll_view(ViewState& view, const Project& project, ScrollBar bar, ScrollAction action,
                 int32_t page_pixels, int32_t thumb_position = 0);

// The values both scroll bars show for the current view.
ScrollBarValues scroll_bar_values(const ViewState& view, const Project& project, ScrollBar bar);
void set_scroll_bars(const ViewState& view, const Project& project, Host& host);

}  // namespace plotwell

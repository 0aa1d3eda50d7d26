// Draws a map database as the handheld shows it, from the decoded file alone: the 16-bit output
// coordinates (y down, north up), the layers in their order with a style per type code, each layer
// only from the zoom of its minimum zoom category on, names from the names zoom on, and the region
// outlines. It draws from the inspector's report, so a broken file gives what was sound in it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "export/database_check.h"
#include "platform/image.h"

namespace plotwell {

inline constexpr int kRenderZoomCount = 5;  // "x1" .. "x16"
inline constexpr int kMaxRenderSide = 4096;

struct RenderView {
    int zoom = 0;                       // 0..4; at "x1" the whole output range fits the picture
    std::optional<ScaledPoint> centre;  // output units; none: the database's initial centre
    int width = 320;
    int height = 320;
};

// What the header tells the handheld about zooms: the zoom (0..4) from which each of the eight zoom
// categories is shown, the names zoom (-1: never) and the initial view.
struct DisplaySettings {
    std::array<int, 8> category_zoom = {};
    int names_zoom = 0;
    int initial_zoom = 0;
    ScaledPoint centre;
};
DisplaySettings display_settings(const InspectReport& report);

// Output units per picture pixel at the view's zoom.
double units_per_pixel(const InspectReport& report, const RenderView& view);

// The picture of the view; its size is the view's, clamped to 1..kMaxRenderSide.
Image render_database(const InspectReport& report, const RenderView& view);

}  // namespace plotwell

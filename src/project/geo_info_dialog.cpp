#include "project/geo_info_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "model/geometry.h"
#include "project/degree_text.h"
#include "project/dialog_fields.h"

namespace plotwell {

namespace {

constexpr size_t kKmChars = 7;
constexpr size_t kEdgeChars = 31;

// trunc(km x 10) cut to 16 bits, as the scale field keeps it; a value beyond any sensible number is 0.
int16_t tenths_of_km(double km) {
    const double t = std::trunc(km * 10.0);
    if (!std::isfinite(t) || std::fabs(t) > 1e15) return 0;
    return int16_t(uint16_t(int64_t(t) & 0xFFFF));
}

}  // namespace

GeoInfoModel::GeoInfoModel(Project& project, Host& host, int64_t selection_width)
    : project_(project), host_(host), selection_width_(selection_width) {
    load();
}

void GeoInfoModel::load() {
    const int m = project_.geo.mode;
    mode = m >= kGeoNone && m <= kGeoScaleAndPos ? m : kGeoNone;
    km.clear();
    for (std::string& e : edges) e.clear();
    for (std::string& e : shown_edges_) e.clear();
    if (mode == kGeoScaleAndPos) fill_edges();
    focused_edge = -1;
}

void GeoInfoModel::fill_edges() {
    const GeoInfo& g = project_.geo;
    edges[kWest] = format_degrees(g.west, EdgeAxis::Longitude);
    edges[kEast] = format_degrees(g.east, EdgeAxis::Longitude);
    edges[kSouth] = format_degrees(g.south, EdgeAxis::Latitude);
    edges[kNorth] = format_degrees(g.north, EdgeAxis::Latitude);
    std::copy(std::begin(edges), std::end(edges), std::begin(shown_edges_));
}

void GeoInfoModel::select_mode(int new_mode) {
    if (new_mode < kGeoNone || new_mode > kGeoScaleAndPos) return;
    mode = new_mode;
    if (new_mode != kGeoScaleAndPos || project_.coord_sys != kCoordDegrees) return;
    // Decimal degrees: the range already says where the edges are. Taken into the project at once.
    GeoInfo& g = project_.geo;
    const CoordRange& r = project_.range;
    g.west = r.x_min;
    g.east = clamp_to_int32(int64_t(r.x_min) + r.width);
    g.south = r.y_min;
    g.north = clamp_to_int32(int64_t(r.y_min) + r.height);
    fill_edges();
}

bool GeoInfoModel::ok() {
    GeoInfo& g = project_.geo;
    focused_edge = -1;
    switch (mode) {
        case kGeoScale: {
            // The Km value is the map width of the selection rectangle; without one there is nothing
            // to divide by.
            if (selection_width_ == 0) {
                host_.message_box(kNoSelectionMessage, "Error", MessageIcon::Warning, MessageButtons::Ok);
                return false;
            }
            const int64_t tenths = tenths_of_km(read_float_field(km, kKmChars));
            const int64_t scaled = tenths * project_.range.width / std::llabs(selection_width_);
            g.mode = kGeoScale;
            g.scale = int16_t(uint16_t(scaled & 0xFFFF));
            return true;
        }
        case kGeoScaleAndPos: {
            g.mode = kGeoScaleAndPos;
            int32_t* const targets[kEdgeCount] = {&g.west, &g.east, &g.south, &g.north};
            for (int i = 0; i < kEdgeCount; ++i) {
                // The degree text shows fewer digits than the edge holds: an untouched field keeps
                // the stored value instead of reading its own rounding back.
                if (!shown_edges_[i].empty() && edges[i] == shown_edges_[i]) continue;
                const auto v = parse_edge_field(cut_text(edges[i], kEdgeChars));
                if (!v) {
                    focused_edge = i;
                    return false;
                }
                *targets[i] = *v;
            }
            return true;
        }
        default:
            g.mode = kGeoNone;
            return true;
    }
}

}  // namespace plotwell

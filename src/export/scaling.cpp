#include "export/scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/object_storage.h"
#include "model/text.h"

namespace plotwell {

uint16_t trunc_to_u16(double value) {
    if (!(value > -9.0e18 && value < 9.0e18)) return 0;  // also NaN
    return uint16_t(uint64_t(int64_t(value)));
}

void compute_export_scale(ExportState& state, uint8_t coord_sys) {
    const int64_t x0 = state.bounds[0], y0 = state.bounds[1], x1 = state.bounds[2], y1 = state.bounds[3];
    const int64_t w = x1 - x0;
    const int64_t h = y1 - y0;
    state.scale_x = float(kExportOutputUnits / double(w > h ? w : h));
    if (coord_sys == kCoordDegrees) {
        const double lat = double((y0 + y1) / 2) * 0.000001;
        state.scale_y = float(double(state.scale_x) / std::sin((90.0 - lat) * kExportDegreesToRadians));
        state.flip = uint16_t(trunc_to_u16(double(h) * double(state.scale_y)) + 2);
    } else {
        state.scale_y = state.scale_x;
        state.flip = 0;
    }
    // The same double products as scale_point, so that the far corner maps onto the range's maximum.
    state.output.x_min = 1;
    state.output.y_min = 1;
    state.output.x_max = uint16_t(trunc_to_u16(double(w) * double(state.scale_x)) + 1);
    state.output.y_max = uint16_t(trunc_to_u16(double(h) * double(state.scale_y)) + 1);
}

ScaledPoint scale_point(const ExportState& state, int32_t x, int32_t y) {
    ScaledPoint p;
    p.x = trunc_to_u16(double(int64_t(x) - state.bounds[0]) * double(state.scale_x) + 1.0);
    const uint16_t sy = trunc_to_u16(double(int64_t(y) - state.bounds[1]) * double(state.scale_y) + 1.0);
    p.y = state.flip != 0 ? uint16_t(state.flip - sy) : sy;
    return p;
}

namespace {
struct Counter {
    ProgressSink& sink;
    int value = 0;
    void step() {
        if (++value % 16 == 0) sink.set_progress_pos(value);
    }
};

// A line or polygon with fewer than two points has no last point: it is left out.
bool exportable_line(const MapObject* o) {
    return has_points(o) && object_point_count(o) >= 2;
}

template <class Item>
void scale_outline(const ExportState& state, const MapObject* o, Item& item) {
    const int32_t n = object_point_count(o);
    const Point* pts = object_points(o);
    item.middle_count = int16_t(n - 2);
    item.first = scale_point(state, pts[0].x, pts[0].y);
    item.last = scale_point(state, pts[n - 1].x, pts[n - 1].y);
    item.middle.clear();
    if (n - 2 > 0) {
        item.middle.reserve(size_t(n - 2));
        for (int32_t i = 1; i < n - 1; ++i) item.middle.push_back(scale_point(state, pts[i].x, pts[i].y));
    }
}

// Empties the working copies and makes room for what the project holds; the progress range covers
// every object to be scaled.
void prepare_items(ExportState& state, const Project& project, const ExportSettings& settings,
                   ProgressSink& sink) {
    size_t lines = 0, points = 0;
    for (int i = 0; i < settings.visible_layer_count; ++i) {
        for (const MapObject* o = project.layers[settings.visible_layers[i]].objects; o; o = o->next) {
            if (o->dimension == kDimDeleted) continue;
            if (has_points(o)) {
                lines += exportable_line(o) ? 1 : 0;
            } else if (o->dimension == kDimPoint) {
                ++points;
            }
        }
    }
    int32_t region_polygons = 0;
    if (settings.region_level_count > 0)
        for (const MapObject* o = project.layers[settings.region_source_layer].objects; o; o = o->next)
            region_polygons += o->dimension == kDimPolygon && exportable_line(o) ? 1 : 0;
    state.region_polygon_count = region_polygons;
    state.object_items.clear();
    state.point_items.clear();
    state.object_items.reserve(lines);
    state.point_items.reserve(points);
    sink.set_progress_range(int(region_polygons + points + lines));
}

void scale_layer_objects(ExportState& state, const Project& project, const ExportSettings& settings,
                         Counter& counter) {
    for (int i = 0; i < settings.visible_layer_count; ++i) {
        for (const MapObject* o = project.layers[settings.visible_layers[i]].objects; o; o = o->next) {
            // Only points, lines and polygons have a layout in the map; a record of another dimension
            // (it cannot come from the editor or a sound file) is left out rather than misread.
            if (o->dimension == kDimDeleted) continue;
            if ((o->dimension != kDimPoint && !has_points(o)) || (has_points(o) && !exportable_line(o))) {
                state.left_out.insert(o);
                continue;
            }
            counter.step();
            if (has_points(o)) {
                ObjectItem item;
                item.source = o;
                item.layer = int16_t(i);
                scale_outline(state, o, item);
                state.object_items.push_back(std::move(item));
            } else {
                const Point p = object_position(o);
                state.point_items.push_back(PointItem{o, scale_point(state, p.x, p.y), int16_t(i)});
            }
        }
    }
}

// One node below the root for every polygon of the region layer, once per region level.
void scale_region_polygons(ExportState& state, const Project& project, const ExportSettings& settings,
                           Counter& counter) {
    state.region_root = RegionNode{};
    for (int k = 0; k < settings.region_level_count; ++k) {
        for (const MapObject* o = project.layers[settings.region_source_layer].objects; o; o = o->next) {
            if (o->dimension == kDimDeleted) continue;
            if (o->dimension != kDimPolygon) {
                char line[128];
                std::snprintf(line, sizeof line, "Warning: non-polygon object found in Region layer: %s\r\n",
                              std::string(export_object_name(o)).c_str());
                counter.sink.log_line(line);
                state.left_out.insert(o);
                continue;
            }
            if (!exportable_line(o)) {
                state.left_out.insert(o);
                continue;
            }
            counter.step();
            RegionNode node;
            node.level = int16_t(k);
            scale_outline(state, o, node);
            node.polygon = o;
            state.region_root.children.push_back(std::move(node));
        }
    }
    // Every node went in at the front of the root's list.
    std::reverse(state.region_root.children.begin(), state.region_root.children.end());
}
}  // namespace

void scale_objects(ExportState& state, const Project& project, const ExportSettings& settings,
                   ProgressSink& sink) {
    sink.log_line("Scaling points...\r\n");
    prepare_items(state, project, settings, sink);
    Counter counter{sink};
    scale_layer_objects(state, project, settings, counter);
    scale_region_polygons(state, project, settings, counter);
}

}  // namespace plotwell

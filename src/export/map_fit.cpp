#include "export/map_fit.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "export/build_data.h"
#include "export/data_area_use.h"
#include "export/simplify.h"
#include "model/records.h"

namespace plotwell {

namespace {
template <class Item>
Outline outline_of(const Item& item) {
    Outline out;
    out.reserve(item.middle.size() + 2);
    out.push_back(item.first);
    out.insert(out.end(), item.middle.begin(), item.middle.end());
    out.push_back(item.last);
    return out;
}

template <class Item>
void set_outline(Item& item, const Outline& points) {
    item.first = points.front();
    item.last = points.back();
    item.middle.assign(points.begin() + 1, points.end() - 1);
    item.middle_count = int16_t(points.size() - 2);
}

template <class Item>
void simplify_item(Item& item, bool polygon, double tolerance) {
    const Outline points = outline_of(item);
    set_outline(item, polygon ? simplify_ring(points, tolerance) : simplify_line(points, tolerance));
}

// Pieces of at most kOutlinePointLimit - 1 points; each shares its first point with the last piece.
void split_line(const ObjectItem& item, std::vector<ObjectItem>& out) {
    const Outline points = outline_of(item);
    const size_t step = kOutlinePointLimit - 2;
    for (size_t from = 0; from + 1 < points.size(); from += step) {
        const size_t to = std::min(from + step, points.size() - 1);
        ObjectItem piece = item;
        set_outline(piece, Outline(points.begin() + long(from), points.begin() + long(to) + 1));
        out.push_back(std::move(piece));
    }
}

bool is_polygon(const ObjectItem& item) {
    return item.source->dimension == kDimPolygon;
}

int leave_out_small_polygons(ExportState& state, double min_area) {
    int dropped = 0;
    std::erase_if(state.object_items, [&](const ObjectItem& item) {
        if (!is_polygon(item) || ring_area(outline_of(item)) >= min_area) return false;
        state.left_out.insert(item.source);
        ++dropped;
        return true;
    });
    return dropped;
}

void fit_vertex_limit(ExportState& state) {
    std::vector<ObjectItem> items;
    items.reserve(state.object_items.size());
    for (ObjectItem& item : state.object_items) {
        if (item.middle.size() + 2 < kOutlinePointLimit) {
            items.push_back(std::move(item));
        } else if (is_polygon(item)) {
            set_outline(item, reduce_ring(outline_of(item), kOutlinePointLimit - 1));
            items.push_back(std::move(item));
        } else {
            split_line(item, items);
        }
    }
    state.object_items = std::move(items);
    for (RegionNode& node : state.region_root.children)
        if (node.middle.size() + 2 >= kOutlinePointLimit)
            set_outline(node, reduce_ring(outline_of(node), kOutlinePointLimit - 1));
}

enum class Trial { fits, too_big, failed };

Trial try_tolerance(const ExportState& state, const ExportSettings& settings, double tolerance) {
    ExportState trial = state;
    NullProgressSink quiet;
    apply_fit_options(trial, settings.fit, tolerance, quiet);
    static const MapIdTable kNoMapIds;
    const bool built = build_data(trial, settings, kNoMapIds, quiet);
    if (built && trial.build_error.empty()) return Trial::fits;
    // A region node refused for room leaves the build going with its error set.
    if (trial.build_error == "Error: data area is full!" ||
        trial.build_error == "Error: individual definition too long!")
        return Trial::too_big;
    return Trial::failed;
}
}  // namespace

void apply_fit_options(ExportState& state, const FitOptions& options, double tolerance, ProgressSink& sink) {
    if (options.min_area > 0) {
        if (const int dropped = leave_out_small_polygons(state, options.min_area)) {
            char line[96];
            std::snprintf(line, sizeof line, "Polygons below the minimum area left out: %d\r\n", dropped);
            sink.log_line(line);
        }
    }
    if (tolerance > 0) {
        for (ObjectItem& item : state.object_items) simplify_item(item, is_polygon(item), tolerance);
        for (RegionNode& node : state.region_root.children) simplify_item(node, true, tolerance);
    }
    if (options.split_long_lines || options.fit_map_class) fit_vertex_limit(state);
}

double find_fit_tolerance(const ExportState& state, const ExportSettings& settings) {
    double low = settings.fit.simplify;
    switch (try_tolerance(state, settings, low)) {
        case Trial::fits:
            return low;
        case Trial::failed:
            return kFitBuildFailed;
        case Trial::too_big:
            break;
    }
    double high = std::max(1.0, low * 2);
    for (;;) {
        const Trial t = try_tolerance(state, settings, high);
        if (t == Trial::fits) break;
        if (t == Trial::failed) return kFitBuildFailed;
        if (high >= kMaxFitTolerance) return kFitNotFound;
        low = high;
        high *= 2;
    }
    // A hundredth of an output unit, or a sixty-fourth of the tolerance, is finer than it matters.
    while (high - low > 0.01 && high - low > high / 64) {
        const double middle = (low + high) / 2;
        (try_tolerance(state, settings, middle) == Trial::fits ? high : low) = middle;
    }
    return high;
}

double make_map_fit(ExportState& state, const ExportSettings& settings, ProgressSink& sink) {
    const FitOptions& options = settings.fit;
    if (!options.any()) return 0;
    double tolerance = options.simplify;
    if (options.fit_map_class) {
        const double found = find_fit_tolerance(state, settings);
        if (found >= 0) {
            tolerance = found;
            sink.log_line("Simplification chosen to fit: " + output_units_text(found) + " output units\r\n");
        } else if (found == kFitNotFound) {
            sink.log_line("Warning: no simplification up to " + output_units_text(kMaxFitTolerance) +
                          " output units makes the map fit\r\n");
        }  // else the build itself reports what is wrong
    }
    apply_fit_options(state, options, tolerance, sink);
    return tolerance;
}

}  // namespace plotwell

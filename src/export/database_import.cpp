#include "export/database_import.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <optional>

#include "export/database_check.h"
#include "export/export_state.h"
#include "export/scaling.h"
#include "model/bytes.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_import.h"

namespace plotwell {

namespace {

inline constexpr uint8_t kCodePntFeature = 9;
inline constexpr uint8_t kCodeLink = 14;
inline constexpr size_t kMaxRegionPoints = 200;

std::string format(const char* fmt, auto... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, fmt, args...);
    return buffer;
}

// How output coordinates go back: through the export's own scale over the geo bounds, or unchanged.
struct Mapping {
    bool degrees = false;
    ExportState state;  // bounds, scale and flip as the export fixed them
};

// scale_point's value on one axis before it keeps the low 16 bits.
int64_t raw_scaled(int64_t v, int64_t origin, float scale) {
    const double d = double(v - origin) * double(scale) + 1.0;
    if (!(d > -9.0e18 && d < 9.0e18)) return d > 0 ? INT64_MAX : INT64_MIN;
    return int64_t(d);
}

// The first int32 coordinate whose raw scaled value reaches `target` (INT32_MAX + 1 when none does):
// the scale is positive, so the raw value never falls as the coordinate grows.
int64_t first_reaching(int64_t origin, float scale, int64_t target) {
    int64_t lo = INT32_MIN, hi = int64_t(INT32_MAX) + 1;
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (raw_scaled(mid, origin, scale) >= target)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// A coordinate whose raw scaled value is `raw`: the middle of all such coordinates, kept inside
// [keep_lo, keep_hi] when the two meet.
std::optional<int32_t> unscale(int64_t origin, float scale, int64_t raw, int64_t keep_lo, int64_t keep_hi) {
    const int64_t lo = first_reaching(origin, scale, raw);
    const int64_t hi = first_reaching(origin, scale, raw + 1);
    if (lo >= hi) return std::nullopt;
    int64_t a = std::max(lo, keep_lo), b = std::min(hi - 1, keep_hi);
    if (a > b) a = lo, b = hi - 1;
    return int32_t(a + (b - a) / 2);
}

// One axis: the 16-bit value may stand for any raw value with the same low 16 bits.
std::optional<int32_t> unscale_axis(int64_t origin, float scale, uint16_t low, int64_t keep_lo,
                                    int64_t keep_hi) {
    for (int64_t raw : {int64_t(low), int64_t(low) - 65536, int64_t(low) + 65536})
        if (auto v = unscale(origin, scale, raw, keep_lo, keep_hi)) return v;
    return std::nullopt;
}

// The project point for an output point; false when no project point scales to it exactly.
bool to_project(const Mapping& m, ScaledPoint s, Point& out) {
    if (!m.degrees) {
        out = {int32_t(s.x), int32_t(s.y)};
        return true;
    }
    const ExportState& st = m.state;
    const uint16_t low_y = st.flip != 0 ? uint16_t(st.flip - s.y) : s.y;
    const auto x = unscale_axis(st.bounds[0], st.scale_x, s.x, st.bounds[0], st.bounds[2]);
    const auto y = unscale_axis(st.bounds[1], st.scale_y, low_y, st.bounds[1], st.bounds[3]);
    if (!x || !y) return false;
    out = {*x, *y};
    return scale_point(st, out.x, out.y) == s;  // the export must give back this very point
}

// Decides the coordinate mapping and sets the project's coordinate system, range and geo info.
Mapping choose_mapping(const InspectReport& r, Project& project) {
    Mapping m;
    const int32_t* g = r.geo_bounds;
    const bool scale_only = r.header_flags & kHeaderScaleOnly;
    project.geo = GeoInfo{};
    project.geo.scale = r.geo_scale;
    if (!scale_only && int64_t(g[2]) - g[0] > 0 && int64_t(g[3]) - g[1] > 0) {
        for (int i = 0; i < 4; ++i) m.state.bounds[i] = g[i];
        compute_export_scale(m.state, kCoordDegrees);
        // Only a degree export over these bounds gives this output range.
        m.degrees = std::isfinite(m.state.scale_y) && m.state.scale_y > 0 &&
                    m.state.output.x_max == r.output.x_max && m.state.output.y_max == r.output.y_max;
    }
    if (m.degrees) {
        project.coord_sys = kCoordDegrees;
        project.range = CoordRange{g[0], g[1], g[2] - g[0], g[3] - g[1]};
        project.geo.mode = kGeoScaleAndPos;
        project.geo.west = g[0];
        project.geo.south = g[1];
        project.geo.east = g[2];
        project.geo.north = g[3];
        return m;
    }
    // Output units: a range whose longer side is 12000 scales by exactly 1.
    project.coord_sys = kCoordArbitrary;
    int32_t w = std::max(int32_t(r.output.x_max) - 1, 1), h = std::max(int32_t(r.output.y_max) - 1, 1);
    if (std::max(w, h) < 12000) (w >= h ? w : h) = 12000;
    project.range = CoordRange{1, 1, w, h};
    if (scale_only) {
        project.geo.mode = kGeoScale;
    } else if (g[0] || g[1] || g[2] || g[3]) {
        project.geo.mode = kGeoScaleAndPos;  // a plain project writes its geo edges
        project.geo.west = g[0];
        project.geo.south = g[1];
        project.geo.east = g[2];
        project.geo.north = g[3];
    }
    return m;
}

void read_settings(const InspectReport& r, DatabaseImport& out, int layers) {
    ExportSettings& s = out.settings;
    s = ExportSettings{};
    set_field(s.map_name, r.map_name);
    s.map_class = r.map_class;
    s.map_id = r.map_id;
    s.parent_map_id = r.parent_map_id;
    s.visible_layer_count = layers;
    for (int i = 0; i < layers; ++i) {
        s.visible_layers[i] = i;
        s.layer_props[i].min_zoom_category = int16_t(std::min<int>(r.layers[size_t(i)].min_zoom_category, 7));
        s.layer_props[i].single_list = r.layers[size_t(i)].table_kind == 1 ? 1 : 0;
    }
    if (r.preferences.size() == size_t(kPreferencesBlockSize)) {
        const auto& q = r.preferences;
        s.has_map_preferences = 1;
        s.preferences.initial_zoom = q[8];
        for (int i = 0; i < kZoomGroupCount; ++i) s.preferences.group_zoom[i] = q[size_t(9 + i)];
        s.preferences.reserved = 0xFF;
        s.preferences.auto_detail = q[18];
        s.preferences.names_zoom = q[19] == 0xFF ? kNamesZoomNever : int8_t(q[19]);
    } else {
        s.preferences.reserved = 0xFF;
        s.preferences.auto_detail = kAutoDetailPoints;
    }
    if (r.has_publisher) {
        s.flags |= kExportPublisherInfo;
        out.publisher_notice = r.publisher_notice;
        out.contact = r.contact;
        ExportDate d;
        if (std::sscanf(r.publisher_date.c_str(), "%2d-%2d-%4d", &d.day, &d.month, &d.year) == 3)
            out.date = d;
    }
    if (r.has_regions) {
        s.region_level_count = 1;
        set_field(s.region_level_name, r.region_level_name);
    }
}

// The (dimension, type) of an export type code; false for a code no object type has.
bool object_type_of(uint8_t code, uint8_t& dimension, uint8_t& type) {
    for (uint8_t d = 0; d < kDimensionCount; ++d)
        for (int t = 0; t < object_type_count(d); ++t)
            if (object_type_code(d, uint8_t(t)) == code) {
                dimension = d;
                type = uint8_t(t);
                return true;
            }
    return false;
}

struct Importer {
    const InspectReport& r;
    Project& project;
    DatabaseImport& out;
    Mapping mapping;
    int unverified = 0;

    bool points_of(const std::vector<ScaledPoint>& scaled, std::vector<Point>& pts) {
        pts.clear();
        for (ScaledPoint s : scaled) {
            Point p;
            if (!to_project(mapping, s, p)) ++unverified;
            pts.push_back(p);
        }
        return true;
    }

    // A record for the Definition, not yet linked; null when it stands for no object type.
    MapObject* make(const InspectedDefinition& d) {
        ObjectHead head;
        if (!object_type_of(d.type, head.dimension, head.type)) {
            out.problems.push_back(format("%s: Definition at %d of type %u is no object type; left out",
                                          d.owner.c_str(), int(d.position), unsigned(d.type)));
            return nullptr;
        }
        std::string name = d.name;
        if (d.type == kCodeLink && d.map_id != 0) {
            name = format("map %u", unsigned(d.map_id));
            out.link_targets.emplace_back(name, int16_t(d.map_id));
        }
        const size_t limit = d.type == kCodePntFeature ? kObjectNameSize - 2 : kObjectNameSize - 1;
        if (name.size() > limit) {
            out.problems.push_back(
                format("%s: name at %d cut to %zu characters", d.owner.c_str(), int(d.position), limit));
            name.resize(limit);
        }
        set_field(head.name, name);
        head.category = d.category;
        head.sub_type = d.field3;
        std::vector<Point> pts;
        if (d.is_point)
            points_of({d.point}, pts);
        else
            points_of(d.vertices, pts);
        Layer scratch;
        MapObject* o = head.dimension == kDimPoint
                           ? make_object(scratch, head, pts.data(), 1)
                           : make_object(scratch, head, pts.data(), int32_t(pts.size()));
        if (d.type == kCodePntFeature) set_icon_code(o, d.field3);
        scratch.objects = nullptr;  // handed to the caller
        return o;
    }

    // Links the records so that the list runs in the given order.
    static void link_in_order(Layer& layer, const std::vector<MapObject*>& records) {
        for (auto it = records.rbegin(); it != records.rend(); ++it) push_object(layer, *it);
    }

    // The region polygons as the region tree holds them, in the order of their layer's list.
    std::vector<const InspectedDefinition*> regions() const {
        std::vector<const InspectedDefinition*> nodes;
        for (const InspectedDefinition& d : r.definitions)
            if (d.owner == "region" && d.type == 0 && !d.vertices.empty()) nodes.push_back(&d);
        // Stored last to first.
        std::sort(nodes.begin(), nodes.end(),
                  [](const auto* a, const auto* b) { return a->position > b->position; });
        return nodes;
    }

    // True when the polygons of this exported layer are exactly the region polygons: the tree holds
    // each one's first point and the middle points off both axes, never the last point.
    static bool holds_regions(const std::vector<const InspectedDefinition*>& layer,
                              const std::vector<const InspectedDefinition*>& nodes) {
        size_t k = 0;
        for (const InspectedDefinition* d : layer) {
            if (!object_type_of_polygon(d->type) || d->vertices.size() < 2) continue;
            std::vector<ScaledPoint> written{d->vertices.front()};
            for (size_t i = 1; i + 1 < d->vertices.size(); ++i)
                if (d->vertices[i].x != 0 && d->vertices[i].y != 0) written.push_back(d->vertices[i]);
            if (written.size() >= kMaxRegionPoints) continue;  // too big for the tree
            if (k >= nodes.size() || nodes[k]->name != d->name || nodes[k]->vertices != written) return false;
            ++k;
        }
        return k == nodes.size();
    }

    static bool object_type_of_polygon(uint8_t code) {
        uint8_t dimension = 0, type = 0;
        return object_type_of(code, dimension, type) && dimension == kDimPolygon;
    }

    void run() {
        mapping = choose_mapping(r, project);
        const int exported = int(std::min(r.layers.size(), size_t(kMaxLayers)));
        if (r.layers.size() > size_t(kMaxLayers))
            out.problems.push_back(
                format("%zu layers: only the first %d taken", r.layers.size(), kMaxLayers));
        read_settings(r, out, exported);
        set_field(project.name, r.map_name);
        std::vector<std::vector<const InspectedDefinition*>> by_layer(static_cast<size_t>(exported));
        for (const InspectedDefinition& d : r.definitions) {
            int n = 0;
            if (std::sscanf(d.owner.c_str(), "layer %d", &n) != 1) continue;
            if (n < 1 || n > exported) {
                out.problems.push_back(
                    format("%s: Definition at %d left out", d.owner.c_str(), int(d.position)));
                continue;
            }
            by_layer[size_t(n - 1)].push_back(&d);
        }
        for (int i = 0; i < exported; ++i) {
            Layer& layer = project.layers[i];
            const InspectedLayer& from = r.layers[size_t(i)];
            layer.type = from.type <= kMiscTypedObjs ? from.type : uint8_t(kMiscTypedObjs);
            layer.theme = kThemeLand;
            for (uint8_t t = 0; t < kThemeCount; ++t)
                if (from.theme_bits == (1u << t)) layer.theme = t;
            layer.display_flags = kLayerShowAlways;
            set_field(layer.name, format("Layer %d", i + 1));
            // The export stores every line and polygon before every point, each in list order.
            auto& defs = by_layer[size_t(i)];
            std::sort(defs.begin(), defs.end(),
                      [](const auto* a, const auto* b) { return a->position < b->position; });
            std::vector<MapObject*> lines, points;
            for (const InspectedDefinition* d : defs)
                if (MapObject* o = make(*d)) (has_points(o) ? lines : points).push_back(o);
            lines.insert(lines.end(), points.begin(), points.end());
            link_in_order(layer, lines);
            out.objects += int(lines.size());
        }
        project.layer_count = exported;
        if (r.has_regions) take_regions(by_layer);
        if (unverified > 0)
            out.problems.push_back(
                format("%d coordinates have no project point that scales back to them", unverified));
    }

    // The region level's source layer: the exported layer whose polygons the tree holds, else a layer
    // of its own that is not exported.
    void take_regions(const std::vector<std::vector<const InspectedDefinition*>>& by_layer) {
        const auto nodes = regions();
        for (size_t i = 0; i < by_layer.size(); ++i) {
            if (holds_regions(by_layer[i], nodes)) {
                out.settings.region_source_layer = int32_t(i);
                return;
            }
        }
        if (project.layer_count >= kMaxLayers) {
            out.problems.push_back("no layer left for the region polygons; region level dropped");
            out.settings.region_level_count = 0;
            return;
        }
        const int index = project.layer_count++;
        Layer& layer = project.layers[index];
        layer.type = kEraseBkg;
        layer.theme = kThemeLand;
        layer.display_flags = kLayerShowAlways;
        const std::string level(field_text(out.settings.region_level_name));
        set_field(layer.name, level.empty() ? std::string("Regions") : level);
        std::vector<MapObject*> records;
        for (const InspectedDefinition* d : nodes) {
            std::vector<Point> pts;
            points_of(d->vertices, pts);
            pts.push_back(pts.front());  // the tree never holds the last point; any will do
            ObjectHead head;
            head.dimension = kDimPolygon;
            head.type = kLandArea;
            set_field(head.name, d->name);
            Layer scratch;
            records.push_back(make_object(scratch, head, pts.data(), int32_t(pts.size())));
            scratch.objects = nullptr;
        }
        link_in_order(layer, records);
        out.objects += int(records.size());
        out.settings.region_source_layer = index;
    }
};

}  // namespace

DatabaseImport import_database(std::span<const uint8_t> file, Project& project) {
    release_project_data(project);
    project.range = CoordRange{};
    project.geo = GeoInfo{};
    DatabaseImport out;
    const InspectReport report = inspect_database(file);
    for (const std::string& v : report.violations) out.problems.push_back(v);
    if (!valid_map_class(report.map_class) || report.output.x_max < 1 || report.output.y_max < 1) {
        out.problems.push_back("no readable map header: nothing imported");
        return out;
    }
    Importer importer{report, project, out, {}};
    importer.run();
    out.degrees = importer.mapping.degrees;
    out.ok = true;
    project.modified = 1;
    return out;
}

Result read_database_project(const std::string& path, Project& project, DatabaseImport& imported) {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(path, bytes)) return failure(path + ": cannot be read");
    imported = import_database(bytes, project);
    if (!imported.ok) return failure(path + ": not a map database");
    return success();
}

int merge_database_project(Project& project, Project& source, const LayerMapping& mapping,
                           ProgressSink& sink) {
    if (project.coord_sys != source.coord_sys) {
        sink.log_line(source.coord_sys == kCoordDegrees
                          ? "Error: the map is in decimal degrees, the project is not!\n"
                          : "Error: the map has no geographic bounds for a decimal degree project!\n");
        return 0;
    }
    int moved = 0;
    for (int i = 0; i < source.layer_count && i < kMaxMappedLayers; ++i) {
        const int to = mapping.destination[i];
        Layer& from = source.layers[i];
        if (to < 0 || to >= project.layer_count || !from.objects) continue;
        moved += from.object_count;
        append_objects(project.layers[to], from.objects);
        from.objects = nullptr;
        from.object_count = 0;
    }
    merge_import_range(project.range, source.range);
    sink.log_line("  Map database successfully imported.\n");
    return moved;
}

std::string link_target_lines(const DatabaseImport& imported) {
    std::string text;
    for (const auto& [name, id] : imported.link_targets) text += name + "\t" + std::to_string(id) + "\n";
    return text;
}

}  // namespace plotwell

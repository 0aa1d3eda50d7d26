#include "monkey/monkey_invariants.h"

#include <malloc.h>

#include <cstdint>
#include <unordered_set>

#include "model/object_storage.h"
#include "project/project_dump.h"
#include "project/project_file.h"

namespace plotwell::monkey {

namespace {

// The most points a line can hold and still fit its record in a project file's 32-bit size word.
constexpr int32_t kMaxPoints = (INT32_MAX - 52) / 8;

std::optional<std::string> object_unsound(const MapObject* o) {
    if (o->dimension == kDimDeleted) return std::nullopt;
    if (o->dimension > kDimPolygon) return "dimension " + std::to_string(o->dimension);
    if (has_points(o)) {
        const int32_t n = object_point_count(o);
        if (n < 0 || n > kMaxPoints) return "point count " + std::to_string(n);
    }
    // The heap block must hold the link word and the record after its size word.
    const size_t needed = sizeof(MapObject*) + size_t(object_record_size(o)) - 4;
    const size_t usable = malloc_usable_size(const_cast<MapObject*>(o));
    if (usable < needed)
        return "block of " + std::to_string(usable) + " bytes for a record needing " + std::to_string(needed);
    return std::nullopt;
}

Violation violation(std::string kind, std::string detail) {
    return Violation{std::move(kind), std::move(detail)};
}

}  // namespace

std::optional<Violation> check_state(const Project& project, const EditorState& editor) {
    if (project.layer_count < 0 || project.layer_count > kMaxLayers)
        return violation("layer-count", std::to_string(project.layer_count));
    std::unordered_set<const MapObject*> live[kMaxLayers];
    for (int i = 0; i < project.layer_count; ++i) {
        const Layer& layer = project.layers[i];
        int32_t count = 0;
        int64_t length = 0;
        for (const MapObject* o = layer.objects; o; o = o->next) {
            if (++length > 100000000) return violation("list-cycle", "layer " + std::to_string(i));
            if (auto bad = object_unsound(o))
                return violation("object-size", "layer " + std::to_string(i) + ": " + *bad);
            if (o->dimension == kDimDeleted) continue;
            ++count;
            live[i].insert(o);
        }
        if (count != layer.object_count)
            return violation("object-count", "layer " + std::to_string(i) + " counts " +
                                                 std::to_string(layer.object_count) + ", its list holds " +
                                                 std::to_string(count) + " live objects");
    }
    const bool layer_ok = editor.current_layer >= 0 && editor.current_layer < project.layer_count;
    const auto on_current_layer = [&](const MapObject* o) {
        return layer_ok && live[editor.current_layer].count(o);
    };
    if (editor.current_layer < -1 || editor.current_layer >= std::max(project.layer_count, 1))
        return violation("current-layer", std::to_string(editor.current_layer));
    if (editor.current_objects.size() > size_t(kMaxCurrentObjects))
        return violation("current-objects",
                         std::to_string(editor.current_objects.size()) + " current objects");
    std::unordered_set<const MapObject*> seen;
    for (const MapObject* o : editor.current_objects) {
        if (!on_current_layer(o))
            return violation("stale-current", "a current object is no live object of the current layer");
        if (!seen.insert(o).second) return violation("current-twice", "an object is current twice");
    }
    if (editor.hot_kind == HotKind::Object && editor.hot_item && !on_current_layer(editor.hot_item))
        return violation("stale-hot", "the hot item is no live object of the current layer");
    if (editor.drag.target && !on_current_layer(editor.drag.target))
        return violation("stale-drag", "the dragged object is no live object of the current layer");
    if (editor.drag.copy)
        if (auto bad = object_unsound(editor.drag.copy.get())) return violation("drag-copy", *bad);
    int64_t clipped = 0;
    for (const MapObject* o = editor.clipboard.get(); o; o = o->next) {
        if (++clipped > 100000000) return violation("list-cycle", "clipboard");
        if (o->dimension == kDimDeleted) return violation("clipboard", "a deleted object on the clipboard");
        if (auto bad = object_unsound(o)) return violation("clipboard", *bad);
    }
    if (editor.drawing_points.size() > size_t(kMaxDrawingPoints))
        return violation("drawing", std::to_string(editor.drawing_points.size()) + " points drawn");
    const CoordRange& r = project.range;
    if (!empty_range(r) &&
        (int64_t(r.x_min) + r.width > INT32_MAX || int64_t(r.y_min) + r.height > INT32_MAX))
        return violation("range", "x_min " + std::to_string(r.x_min) + " width " + std::to_string(r.width) +
                                      " y_min " + std::to_string(r.y_min) + " height " +
                                      std::to_string(r.height));
    return std::nullopt;
}

std::optional<Violation> check_round_trip(const Project& project) {
    if (!has_project(project)) return std::nullopt;
    NullProgressSink sink;
    const std::vector<uint8_t> bytes = build_project_file(project, sink);
    // The file keeps the edges only with a position: a load leaves those it does not hold as they were.
    Project loaded;
    loaded.geo = project.geo;
    if (!load_project_from_bytes(loaded, bytes, sink))
        return violation("round-trip", "the saved bytes do not load");
    // A load pushes the file's records, so a list comes back reversed: compare the loaded project once
    // more saved and loaded, which puts the lists back in their saved order.
    Project again;
    again.geo = project.geo;
    if (!load_project_from_bytes(again, build_project_file(loaded, sink), sink))
        return violation("round-trip", "the saved project does not load a second time");
    std::string before = dump_project(project);
    const std::string after = dump_project(again);
    // The file holds a position only, and with it the mode, when its edges span an area; Scale Only
    // is never stored. A load leaves the edges it does not find as they were.
    GeoInfo kept = project.geo;
    if (kept.mode != kGeoScaleAndPos || kept.west == kept.east || kept.south == kept.north)
        kept.mode = kGeoNone;
    const size_t geo = before.find("\ngeo ") + 1, geo_end = before.find('\n', geo);
    before.replace(geo, geo_end - geo,
                   "geo mode=" + std::to_string(kept.mode) + " west=" + std::to_string(kept.west) +
                       " east=" + std::to_string(kept.east) + " south=" + std::to_string(kept.south) +
                       " north=" + std::to_string(kept.north));
    if (before != after) {
        // The first line that differs says what was lost.
        size_t line = 0;
        while (line < before.size() && line < after.size() && before[line] == after[line]) ++line;
        line = before.rfind('\n', line) + 1;
        return violation("round-trip", "dumps differ at \"" +
                                           before.substr(line, before.find('\n', line) - line) + "\" / \"" +
                                           after.substr(line, after.find('\n', line) - line) + "\"");
    }
    return std::nullopt;
}

}  // namespace plotwell::monkey

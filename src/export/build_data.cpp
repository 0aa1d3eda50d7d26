#include "export/build_data.h"

#include <algorithm>
#include <cstdio>

#include "export/definitions.h"
#include "export/name_index.h"
#include "export/region_tree.h"
#include "model/bytes.h"
#include "model/object_storage.h"
#include "model/vocabulary.h"

namespace plotwell {

namespace {
inline constexpr uint8_t kCodePntFeature = 9;
inline constexpr uint8_t kCodeLink = 14;
inline constexpr uint8_t kCodeCatPntFeature = 18;
inline constexpr uint8_t kCodeSimpleRoute = 21;
inline constexpr size_t kMaxPolygonPoints = 200;

struct Counter {
    ProgressSink& sink;
    int value = 0;
    void step() {
        if (++value % 16 == 0) sink.set_progress_pos(value);
    }
};

// Returns 1 when the object was left out, else the store result.
int build_object(ExportState& state, const ObjectItem& item, DefinitionBuilder& b, ProgressSink& sink) {
    const MapObject* o = item.source;
    const std::string_view name = export_object_name(o);
    if (o->dimension == kDimPolygon && item.middle.size() + 2 >= kMaxPolygonPoints) {
        char line[128];
        std::snprintf(line, sizeof line, "Error: Too many vertices (name: %s)\r\n",
                      std::string(name).c_str());
        sink.log_line(line);
        state.left_out.insert(o);
        return kStoreOk;
    }
    const uint8_t code = object_type_code(o);
    start_definition(b, code, name);
    if (code == kCodeSimpleRoute) b.head.insert(b.head.end(), {0xFF, 0});  // no route networks
    append_vertex(b, item.first.x, item.first.y);
    for (const ScaledPoint& p : item.middle)
        if (p.x != 0 || p.y != 0) append_vertex(b, p.x, p.y);
    append_vertex(b, item.last.x, item.last.y);
    b.body.push_back(kVertexListEnd);
    return store_definition(state, state.layer_tables[size_t(item.layer)], b, !name.empty());
}

int build_point(ExportState& state, const PointItem& item, const MapIdTable& map_ids, DefinitionBuilder& b) {
    const MapObject* o = item.source;
    const std::string_view name = export_object_name(o);
    const uint8_t code = object_type_code(o);
    start_definition(b, code, name);
    bool named = !name.empty();
    switch (code) {
        case kCodePntFeature:
            b.head.push_back(icon_code(o));
            put_point(b, item.position.x, item.position.y);
            break;
        case kCodeLink: {
            b.head.push_back(0);
            put_point(b, item.position.x, item.position.y);
            const uint16_t id = uint16_t(lookup_map_id(map_ids, name));
            b.head.push_back(uint8_t(id >> 8));
            b.head.push_back(uint8_t(id));
            b.has_name = false;
            named = false;
            break;
        }
        case kCodeCatPntFeature:
            b.head.push_back(object_sub_type(o));
            put_point(b, item.position.x, item.position.y);
            b.head.push_back(object_category(o));
            b.head.push_back(0);
            break;
        default:
            state.left_out.insert(o);  // no point layout for this type
            return kStoreOk;
    }
    return store_definition(state, state.layer_tables[size_t(item.layer)], b, named);
}
}  // namespace

bool build_data(ExportState& state, const ExportSettings& settings, const MapIdTable& map_ids,
                ProgressSink& sink) {
    sink.log_line("Building data chunks...\r\n");
    state.data_area.assign(size_t(state.area_size), 0);
    state.write_pos = unit_size(state);
    state.name_index.clear();
    state.region_root_offset = 0;
    if (state.name_search == NameSearchMode::fast) reset_name_search(state.search_index, state.area_size);
    sink.set_progress_range(int(state.object_items.size() + state.point_items.size()));

    state.layer_bytes.assign(state.layer_tables.size() + 1, 0);  // the last for the region tree
    Counter counter{sink};
    DefinitionBuilder b;
    for (const ObjectItem& item : state.object_items) {
        counter.step();
        const int32_t before = state.write_pos;
        if (build_object(state, item, b, sink) != kStoreOk) return false;
        state.layer_bytes[size_t(item.layer)] += state.write_pos - before;
    }
    for (const PointItem& item : state.point_items) {
        counter.step();
        const int32_t before = state.write_pos;
        if (build_point(state, item, map_ids, b) != kStoreOk) return false;
        state.layer_bytes[size_t(item.layer)] += state.write_pos - before;
    }
    if (settings.region_level_count > 0) {
        sink.log_line("Building region tree...\r\n");
        CellTable root_table = make_cell_table(1);
        const int32_t before = state.write_pos;
        build_region_tree(state, root_table, state.region_root, sink);
        state.layer_bytes.back() = state.write_pos - before;
        state.region_root_offset = root_table.entries[0];
    }
    return sort_name_index(state, sink);
}

}  // namespace plotwell

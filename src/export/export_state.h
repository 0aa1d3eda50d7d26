// What one export run works on: the bounds and scale fixed by the driver, the scaled working copies of
// the objects, and the compiled data (data area, cell tables, name index) that the writer puts into the
// file. One ExportState per run; nothing of it is global, so exports in tests never meet.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "export/export_settings.h"
#include "export/name_search.h"
#include "model/records.h"
#include "model/text.h"

namespace plotwell {

inline constexpr int32_t kDataAreaSize = 524288;
inline constexpr int kMaxNameIndexEntries = 32000;
inline constexpr int kCellTreeEntries = 511;

struct ScaledPoint {
    uint16_t x = 0;
    uint16_t y = 0;
    friend bool operator==(const ScaledPoint&, const ScaledPoint&) = default;
};

struct OutputRange {
    uint16_t x_min = 1;
    uint16_t x_max = 1;
    uint16_t y_min = 1;
    uint16_t y_max = 1;
};

// One line or polygon of an exported layer.
struct ObjectItem {
    const MapObject* source = nullptr;
    ScaledPoint first;
    ScaledPoint last;
    std::vector<ScaledPoint> middle;  // points 1 .. n-2
    int16_t middle_count = 0;         // n - 2
    int16_t layer = 0;                // position of the layer in the visible-layer list
};

// One point object of an exported layer.
struct PointItem {
    const MapObject* source = nullptr;
    ScaledPoint position;
    int16_t layer = 0;
};

// A node of the region tree. The root has no polygon; every region polygon is a child of the root.
struct RegionNode {
    const MapObject* polygon = nullptr;
    ScaledPoint first;
    ScaledPoint last;
    std::vector<ScaledPoint> middle;
    int16_t middle_count = 0;
    int16_t level = 0;
    std::vector<RegionNode> children;  // in child-list order
};

// Heads of the linked lists of one spatial index: kind 1 holds one list, kind 5 a nine-level cell tree.
struct CellTable {
    int kind = 1;
    std::vector<uint16_t> entries;
};
CellTable make_cell_table(int kind);

// The object's name as the export reads it: a PNTFEATURE keeps its icon code in the last name byte.
inline std::string_view export_object_name(const MapObject* o) {
    const bool icon = o->dimension == kDimPoint && o->type == kPntFeature;
    return field_text(o->name, icon ? size_t(kObjectNameSize - 1) : size_t(kObjectNameSize));
}

// Which back-reference search the name encoder uses. Both give the same bytes; the plain scan is the
// reference the fast one is measured and tested against.
enum class NameSearchMode { fast, plain };

struct ExportState {
    // Fixed by the driver.
    int32_t bounds[4] = {};  // x0, y0, x1, y1 in project coordinates
    float scale_x = 0;
    float scale_y = 0;
    uint16_t flip = 0;
    OutputRange output;
    int32_t header_geo[4] = {};  // west or x0, south or y0, east or x1, north or y1
    std::string build_error;     // the text of the last failing build step

    // From the map class.
    int16_t map_class = kMapClassLarge;
    int unit_shift = 3;
    int32_t data_record_size = 16384;
    int32_t capacity = kDataAreaSize;

    // Working copies (between scaling and the build).
    std::vector<ObjectItem> object_items;
    std::vector<PointItem> point_items;
    RegionNode region_root;
    int32_t region_polygon_count = 0;
    // Objects of the chosen layers or the region layer that the map does without (each logged where
    // it is left out, counted once however often).
    std::set<const MapObject*> left_out;

    // Compiled data, read by the writer.
    std::vector<uint8_t> data_area;   // kDataAreaSize bytes
    int32_t write_pos = 0;            // P
    std::vector<int32_t> name_index;  // positions of named Definitions, sorted by name after the build
    std::vector<CellTable> layer_tables;
    uint16_t region_root_offset = 0;
    std::vector<int32_t> layer_bytes;   // data area bytes of each visible layer's objects
    int32_t area_size = kDataAreaSize;  // more than the capacity only to measure a map that is too big

    NameSearchMode name_search = NameSearchMode::fast;
    NameSearchIndex search_index;
};

// Sets the map class and what follows from it; the class must be valid (valid_map_class).
void set_map_class(ExportState& state, int16_t map_class);
inline int32_t unit_size(const ExportState& state) {
    return int32_t(1) << state.unit_shift;
}

}  // namespace plotwell

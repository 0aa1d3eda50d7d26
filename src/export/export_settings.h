// The export's choices: which layers go out in which order, how each is indexed, the map class, the
// region level, the publisher record and the handheld's map preferences. One record lives for the whole
// run; it is reset to the defaults for every loaded or new project and otherwise keeps the last export's
// choices.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"
#include "model/result.h"

namespace plotwell {

inline constexpr int kMaxExportLayers = 16;
inline constexpr int kMaxRegionLevels = 1;
inline constexpr int kOutputPathSize = 128;      // 127 characters + NUL
inline constexpr int kMapNameSize = 32;          // 31 characters + NUL
inline constexpr int kRegionLevelNameSize = 16;  // 15 characters + NUL

// Bits of ExportSettings::flags.
inline constexpr int32_t kExportSelectionOnly = 1;
inline constexpr int32_t kExportPublisherInfo = 2;
inline constexpr int32_t kExportMapNotes = 4;

inline constexpr int16_t kMapClassSmall = 0x81;
inline constexpr int16_t kMapClassMedium = 0x82;
inline constexpr int16_t kMapClassLarge = 0x83;
inline constexpr int kMapClassCount = 3;
extern const char* const kMapClassNames[kMapClassCount];  // "Small  (max 128K)", ...

inline constexpr int kZoomCount = 5;
extern const char* const kZoomNames[kZoomCount];  // "x1" .. "x16"
inline constexpr int kAddZoomCount = 3;           // "x1", "x2", "x4"
inline constexpr int kZoomCategoryCount = 8;
extern const char* const kZoomCategoryNames[kZoomCategoryCount];  // "Major Roads", ...
inline constexpr int kZoomGroupCount = 8;
extern const char* const kZoomGroupNames[kZoomGroupCount];  // "FREEWAY,HIGHWAY", ...

// Auto-detail byte: bits 0..3 the "Add Zoom" choice, then one bit per kind of detail.
inline constexpr uint8_t kAutoDetailAddZoomMask = 0x0F;
inline constexpr uint8_t kAutoDetailRoads = 0x10;
inline constexpr uint8_t kAutoDetailRailways = 0x20;
inline constexpr uint8_t kAutoDetailPoints = 0x40;
inline constexpr int8_t kNamesZoomNever = -1;

struct LayerExportProps {
    int16_t min_zoom_category = 0;  // 0..7
    uint8_t single_list = 0;        // 1: tree depth "1" (one list), 0: tree depth "5"
    uint8_t cache_searches = 0;     // kept for the dialog; not written to the file
};

struct MapPreferences {
    uint8_t initial_zoom = 0;                  // 0..4
    uint8_t group_zoom[kZoomGroupCount] = {};  // 0..4 each
    uint8_t reserved = 0xFF;
    uint8_t auto_detail = 0;
    int8_t names_zoom = 0;  // -1 "Never", 0..4
};

// Ways to make a big map fit, chosen for one export (never stored with the project). All off: the
// database comes out as without them.
struct FitOptions {
    double simplify = 0;            // Douglas–Peucker tolerance in output units; 0: none
    bool split_long_lines = false;  // split lines, reduce polygons over the vertex limit
    double min_area = 0;            // polygons below this many square output units are left out
    bool fit_map_class = false;     // find the least simplification that fits the map class
    bool any() const { return simplify > 0 || split_long_lines || min_area > 0 || fit_map_class; }
};

struct ExportSettings {
    char output_path[kOutputPathSize] = {};
    char map_name[kMapNameSize] = {};
    int32_t flags = 0;
    int16_t map_class = 0;
    int16_t map_id = 0;
    int16_t parent_map_id = 0;
    int32_t visible_layer_count = 0;
    int32_t visible_layers[kMaxExportLayers] = {};   // project layer numbers, in export order
    LayerExportProps layer_props[kMaxExportLayers];  // indexed by project layer number
    int32_t region_level_count = 0;                  // 0 or 1
    int32_t region_source_layer = 0;                 // project layer number of the region polygons
    char region_level_name[kRegionLevelNameSize] = {};
    uint8_t has_map_preferences = 0;
    MapPreferences preferences;
    FitOptions fit;
};

// Minimum zoom category that a layer of this theme starts with.
int16_t default_zoom_category(uint8_t theme);

// The defaults for the open project: everything cleared, all project layers visible in order with
// their theme's zoom category and tree depth "5", the Large map class, auto details for point
// features, every zoom "x1", and the publisher record on when there is anything to publish.
void reset_export_settings(ExportSettings& settings, const Project& project,
                           std::string_view publisher_notice, std::string_view contact);

// Follows a change of the project's layer table, where `origin[i]` is the number layer i had before
// (-1: a new layer): the choices of the remaining layers follow them, those of deleted layers are
// dropped with the region level of a deleted layer, and a new layer is exported last with its theme's
// defaults, as after a load.
void follow_layer_table(ExportSettings& settings, const Project& project, const std::vector<int>& origin);

// Checks what the export engine relies on (a dialog or a command line may have produced the record):
// the map class, the visible layers and the region source layer must name things that exist. Fails with
// the problem as one line of text.
Result check_export_settings(const ExportSettings& settings, const Project& project);

// Map class arithmetic: bit 7 picks the data record size, the low seven bits the unit shift.
inline int unit_shift_of(int16_t map_class) {
    return map_class & 0x7F;
}
inline int32_t data_record_size_of(int16_t map_class) {
    return (map_class & 0x80) ? 16384 : 32768;
}
inline bool valid_map_class(int16_t map_class) {
    return map_class >= 0 && map_class <= 0xFF && unit_shift_of(map_class) >= 1 &&
           unit_shift_of(map_class) <= 3;
}

}  // namespace plotwell

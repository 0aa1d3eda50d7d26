// The fixed vocabulary: names of dimensions, object types, layer types, themes, icons, projections and
// coordinate systems, population and label classes, and the export type codes.
#pragma once

#include <cstdint>

#include "model/records.h"

namespace plotwell {

inline constexpr int kDimensionCount = 3;
extern const char* const kDimensionNames[kDimensionCount];  // "POINT", "LINE", "POLYGON"
extern const char* const kDimensionDialogTitles[kDimensionCount];  // "Point Details", ...

inline constexpr int kPointTypeCount = 3;
inline constexpr int kLineTypeCount = 12;
inline constexpr int kPolygonTypeCount = 5;
extern const char* const kPointTypeNames[kPointTypeCount];
extern const char* const kLineTypeNames[kLineTypeCount];
extern const char* const kPolygonTypeNames[kPolygonTypeCount];

// Line types by index.
enum LineTypeIndex : uint8_t {
    kFreeway = 0, kHighway, kRoad3, kRoad4, kRoad5, kRoad6, kRiver, kWaterline, kRailroad, kBorder, kSubway, kSimpleRoute
};
// Polygon types by index.
enum PolygonTypeIndex : uint8_t { kWaterArea = 0, kOpenSpace, kLandArea, kInvisArea, kBuilding };

// Number of object types for a dimension (0 for an unknown dimension) and the name of one, or nullptr.
int object_type_count(uint8_t dimension);
const char* object_type_name(uint8_t dimension, uint8_t type);

// Global type code of an object for the export; 255 for an unknown (dimension, type) pair.
// A dimension other than POINT or LINE maps as POLYGON.
uint8_t object_type_code(uint8_t dimension, uint8_t type);
uint8_t object_type_code(const MapObject* object);

extern const char* const kLayerTypeNames[kLayerTypeCount];  // "ERASE_BKG", ...
extern const char* const kThemeNames[kThemeCount];          // "LAND", ...
// The theme name or "?" for a value outside the table (a damaged file must not make us read past it).
const char* theme_name(uint8_t theme);
const char* layer_type_name(uint8_t type);

// First layer with this theme, else 0.
int layer_for_theme(const Project& project, uint8_t theme);

inline constexpr int kIconCount = 31;
inline constexpr int kPanelIconCount = 22;  // the icon panel offers the first 22
extern const char* const kIconNames[kIconCount];

// icon_code values of a PNTFEATURE beyond the plain icons.
inline constexpr uint8_t kIconPopulationBit = 64;
inline constexpr uint8_t kIconLabelBit = 128;
inline constexpr uint8_t kIconLabelMajor = 128;
inline constexpr uint8_t kIconLabelMinor = 130;
inline constexpr int kPopulationClassCount = 5;
extern const char* const kPopulationClassNames[kPopulationClassCount];  // "Major City", ...
inline constexpr int kLabelClassCount = 2;
extern const char* const kLabelClassNames[kLabelClassCount];  // "Major", "Minor"

// The shared table: projection indexes it from entry 0, coord_sys from entry 1.
extern const char* const kProjectionNames[3];
const char* projection_name(uint8_t projection);
const char* coord_sys_name(uint8_t coord_sys);

}  // namespace plotwell

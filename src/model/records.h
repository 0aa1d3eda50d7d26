// The project records: one open Project with its layers, objects, background bitmaps and geographic
// reference. Field names and fixed sizes are those of the project file; text lives in NUL-terminated
// fixed-size arrays (single-byte Windows-1252).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/image.h"

namespace plotwell {

// Fixed limits.
inline constexpr int kMaxLayers = 8;
inline constexpr int kMaxBitmaps = 64;
inline constexpr int kProjectNameSize = 32;        // 31 characters + NUL
inline constexpr int kParentMapBasenameSize = 40;  // 39 characters + NUL
inline constexpr int kLayerNameSize = 32;          // 31 characters + NUL
inline constexpr int kObjectNameSize = 42;         // 41 characters + NUL (40 for PNTFEATURE)
inline constexpr int kBitmapFileNameSize = 128;    // 127 characters + NUL
inline constexpr int kFileBaseNameSize = 128;      // 127 characters + NUL

// Dimensions.
inline constexpr uint8_t kDimPoint = 0;
inline constexpr uint8_t kDimLine = 1;
inline constexpr uint8_t kDimPolygon = 2;
inline constexpr uint8_t kDimDeleted = 255;

// Point types (index into the POINT object type list).
inline constexpr uint8_t kPntFeature = 0;
inline constexpr uint8_t kLink = 1;
inline constexpr uint8_t kCatPntFeature = 2;

// Layer types and themes.
enum LayerType : uint8_t { kEraseBkg = 0, kSngTypedObjs = 1, kMiscTypedObjs = 2 };
enum Theme : uint8_t {
    kThemeLand = 0,
    kThemeParks,
    kThemeWater,
    kThemeRailways,
    kThemeRoads,
    kThemePlaces,
    kThemeRoutes
};
inline constexpr int kLayerTypeCount = 3;
inline constexpr int kThemeCount = 7;

// Layer display flag: drawn also while it is not the current layer.
inline constexpr uint8_t kLayerShowAlways = 1;

// Background bitmap flags.
inline constexpr uint16_t kBitmapLocked = 2;
inline constexpr uint16_t kBitmapHidden = 4;

// Coordinate systems (index into the coordinate-system names) and GeoInfo modes.
inline constexpr uint8_t kCoordArbitrary = 0;
inline constexpr uint8_t kCoordDegrees = 1;
enum GeoMode : int32_t { kGeoNone = 0, kGeoScale = 1, kGeoScaleAndPos = 2 };

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Inclusive rectangle in map units.
struct Rect {
    int32_t x_min = 0;
    int32_t y_min = 0;
    int32_t x_max = 0;
    int32_t y_max = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct CoordRange {
    int32_t x_min = 0;
    int32_t y_min = 0;
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const CoordRange&, const CoordRange&) = default;
};

// True when the range has no extent (the editor then shows "<empty range>").
inline bool empty_range(const CoordRange& r) {
    return r.width <= 0 || r.height <= 0;
}
// The range of a new degrees project: its negative extents mark it as holding nothing yet, so that the
// first import sets the range instead of widening it.
inline constexpr CoordRange kEmptyDegreeRange{180000000, 180000000, -360000000, -360000000};

struct GeoInfo {
    int32_t mode = kGeoNone;
    int16_t scale = 0;  // tenths of a kilometre, mode 1 only; never stored in the project file
    int32_t west = 0;
    int32_t east = 0;
    int32_t south = 0;
    int32_t north = 0;
};

// One object: a single heap block holding the link to the next object of its layer, then the record
// body exactly as it stands in the project file after the size word: dimension, type, 42-byte name and
// the geometry (see object_storage.h for the accessors and sizes).
struct MapObject {
    MapObject* next;
    uint8_t dimension;
    uint8_t type;
    char name[kObjectNameSize];
    // geometry follows at kObjectGeometryOffset
};

// Where the geometry starts inside a MapObject block (record byte 48 on disk).
inline constexpr size_t kObjectGeometryOffset = offsetof(MapObject, name) + kObjectNameSize;
// The 48-byte head of a record on disk: size word, dimension, type, name.
inline constexpr int kObjectHeadSize = 48;

struct Layer {
    uint8_t type = kEraseBkg;
    uint8_t theme = kThemeLand;
    uint8_t scratch = 0;
    uint8_t display_flags = 0;
    int32_t reserved = 0;
    MapObject* objects = nullptr;  // newest first
    int32_t object_count = 0;      // live objects only
    char name[kLayerNameSize] = {};
};

struct BackgroundBitmap {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t flags = 0;
    uint16_t reserved = 0;
    std::shared_ptr<const Image> image;  // run-time only; none when hidden or not loadable
    char file_name[kBitmapFileNameSize] = {};
};

// Size of one BackgroundBitmap and of the whole table in the project file.
inline constexpr int kBackgroundBitmapFileSize = 152;
inline constexpr int kBitmapTableFileSize = 4 + kMaxBitmaps * kBackgroundBitmapFileSize;  // 9732

struct BitmapTable {
    uint16_t table_reserved = 0;
    uint16_t count = 0;
    BackgroundBitmap entries[kMaxBitmaps];
};

// The open project. It owns the object lists of its layers: they are freed when it is released or
// destroyed, so it cannot be copied.
struct Project {
    char file_base_name[kFileBaseNameSize] = {};
    int modified = 0;
    char name[kProjectNameSize] = {};
    char parent_map_basename[kParentMapBasenameSize] = {};
    uint8_t projection = 0;
    uint8_t coord_sys = 0;
    CoordRange range;
    GeoInfo geo;
    int32_t layer_count = 0;
    Layer layers[kMaxLayers];
    BitmapTable bitmaps;

    Project() = default;
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;
    ~Project();
};

// Exchanges everything two projects hold, their object lists and bitmap images included.
void swap_projects(Project& a, Project& b);

// Frees every object of every layer and releases the bitmap images; layer_count and bitmap count
// become 0. Names, range and GeoInfo are left as they are.
void release_project_data(Project& project);

}  // namespace plotwell

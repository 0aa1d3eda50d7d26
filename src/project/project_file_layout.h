// The structure of a project file (".mpr") as the readers see it: the header, the layer directory and
// where each layer's name and slot table lie. Every offset and count here has been checked against the
// file's size, so code that walks the layers afterwards cannot be led outside the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/records.h"

namespace plotwell {

inline constexpr uint16_t kProjectFileMagic = 0x706D;  // "mp"
inline constexpr int32_t kProjectFileVersion = 3;
// From this version on the header holds the directory's offset; before it the directory itself.
inline constexpr int32_t kDirectoryOffsetVersion = 3;

inline constexpr size_t kProjectHeaderSize = 224;
inline constexpr size_t kParentMapRecordSize = 44;
inline constexpr size_t kLayerEntrySize = 16;
inline constexpr size_t kLayerNameBlockSize = 36;  // length word + 32-byte name

// Header field offsets.
namespace header_at {
inline constexpr size_t kMagic = 0;
inline constexpr size_t kProjection = 2;
inline constexpr size_t kCoordSys = 3;
inline constexpr size_t kVersion = 4;
inline constexpr size_t kRange = 8;  // x_min, y_min, width, height
inline constexpr size_t kLayerCount = 24;
inline constexpr size_t kDirectory = 28;
inline constexpr size_t kBitmapTable = 160;
inline constexpr size_t kName = 168;
inline constexpr size_t kParentMap = 200;
inline constexpr size_t kWest = 204;
inline constexpr size_t kEast = 208;
inline constexpr size_t kSouth = 212;
inline constexpr size_t kNorth = 216;
}  // namespace header_at

// One layer directory entry with its slot table located and measured.
struct LayerEntryInFile {
    uint8_t type = 0;
    uint8_t theme = 0;
    uint8_t scratch = 0;
    uint8_t display_flags = 0;
    uint32_t slot_offset = 0;  // first slot (past the length word)
    uint32_t name_offset = 0;  // past the length word; 0: empty name
    size_t slot_count = 0;     // slots the file really holds (see read_project_layout)
};

struct ProjectFileLayout {
    uint8_t projection = 0;
    uint8_t coord_sys = 0;
    int32_t version = 0;
    CoordRange range;
    int32_t layer_count = 0;
    uint32_t directory_offset = 0;  // from kDirectoryOffsetVersion on; 0 without layers
    uint32_t bitmap_offset = 0;
    uint32_t parent_offset = 0;
    char name[kProjectNameSize] = {};  // cut to 31 characters
    int32_t west = 0, east = 0, south = 0, north = 0;
    LayerEntryInFile layers[kMaxLayers];
    int64_t total_slots = 0;
};

enum class LayoutStatus {
    kOk,
    kNotProjectFile,    // shorter than a header, or the magic is wrong
    kBadLayerCount,     // layer count outside 0..8
    kDirectoryOutside,  // the layer directory does not lie inside the file, after the header
};

// A one-line description of a status that is not kOk.
const char* layout_status_text(LayoutStatus status);

// The header's position: mode "Position and Scale" with its edges, or no position (equal edges), which
// leaves the edges as they are.
void take_geo_info(const ProjectFileLayout& layout, GeoInfo& geo);

// Reads the header and the layer directory.
//
// What the readers accept: the header (224 bytes, magic "mp"), a layer count of 0..8 and the layer
// directory (inside the file and, from version 3 on, after the header) are the skeleton of the file; when any
// of them is unsound nothing can be trusted and the file is refused. Below the skeleton a reader takes what
// is sound and skips the rest:
//  - a slot table whose length word lies outside the file, or is below 4, gives the layer no slots;
//  - a length that is not a multiple of 4 counts only its whole slots;
//  - a slot count larger than the rest of the file can hold is cut to what is there.
// Every such repair is described in `problems` when it is given.
LayoutStatus read_project_layout(std::span<const uint8_t> file, ProjectFileLayout& layout,
                                 std::vector<std::string>* problems = nullptr);

// The slot value at index `k` (< entry.slot_count) of a layout's layer.
uint32_t slot_value(std::span<const uint8_t> file, const LayerEntryInFile& entry, size_t k);

}  // namespace plotwell

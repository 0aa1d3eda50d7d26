#include "project/project_file_layout.h"

#include <cstring>

#include "model/bytes.h"

namespace plotwell {

namespace {

void note(std::vector<std::string>* problems, std::string text) {
    if (problems) problems->push_back(std::move(text));
}

std::string layer_label(int i) {
    return "layer " + std::to_string(i) + ": ";
}

// Locates and measures the slot table of one layer; see read_project_layout for the rules.
void measure_slot_table(std::span<const uint8_t> file, LayerEntryInFile& entry, int index,
                        std::vector<std::string>* problems) {
    entry.slot_count = 0;
    const ByteReader in(file);
    const uint8_t* length_word = entry.slot_offset >= 4 ? in.at(entry.slot_offset - 4, 4) : nullptr;
    if (!length_word) {
        note(problems, layer_label(index) + "slot table at " + std::to_string(entry.slot_offset) +
                           " lies outside the file; the layer is read without objects");
        return;
    }
    const int32_t length = get_le32s(length_word);
    if (length < 4) {
        note(problems, layer_label(index) + "slot table length " + std::to_string(length) +
                           " is below 4; the layer is read without objects");
        return;
    }
    if (length % 4 != 0)
        note(problems, layer_label(index) + "slot table length " + std::to_string(length) +
                           " is not a multiple of 4; only its whole slots are read");
    size_t slots = size_t(length - 4) / 4;
    const size_t room = (file.size() - entry.slot_offset) / 4;
    if (slots > room) {
        note(problems, layer_label(index) + "slot table declares " + std::to_string(slots) +
                           " slots but the file holds only " + std::to_string(room));
        slots = room;
    }
    entry.slot_count = slots;
}

}  // namespace

void take_geo_info(const ProjectFileLayout& layout, GeoInfo& geo) {
    if (layout.west == layout.east || layout.south == layout.north) {
        geo.mode = kGeoNone;
        return;
    }
    geo.mode = kGeoScaleAndPos;
    geo.west = layout.west;
    geo.east = layout.east;
    geo.south = layout.south;
    geo.north = layout.north;
}

const char* layout_status_text(LayoutStatus status) {
    switch (status) {
        case LayoutStatus::kOk:
            return "sound";
        case LayoutStatus::kNotProjectFile:
            return "not a project file (no \"mp\" header)";
        case LayoutStatus::kBadLayerCount:
            return "the layer count is outside 0..8";
        case LayoutStatus::kDirectoryOutside:
            return "the layer directory lies outside the file or in its header";
    }
    return "unknown";
}

LayoutStatus read_project_layout(std::span<const uint8_t> file, ProjectFileLayout& layout,
                                 std::vector<std::string>* problems) {
    layout = ProjectFileLayout{};
    const ByteReader in(file);
    const uint8_t* h = in.at(0, kProjectHeaderSize);
    if (!h || get_le16(h + header_at::kMagic) != kProjectFileMagic) return LayoutStatus::kNotProjectFile;

    layout.projection = h[header_at::kProjection];
    layout.coord_sys = h[header_at::kCoordSys];
    layout.version = get_le32s(h + header_at::kVersion);
    layout.range.x_min = get_le32s(h + header_at::kRange);
    layout.range.y_min = get_le32s(h + header_at::kRange + 4);
    layout.range.width = get_le32s(h + header_at::kRange + 8);
    layout.range.height = get_le32s(h + header_at::kRange + 12);
    layout.layer_count = get_le32s(h + header_at::kLayerCount);
    if (layout.version >= kDirectoryOffsetVersion)
        layout.directory_offset = get_le32(h + header_at::kDirectory);
    layout.bitmap_offset = get_le32(h + header_at::kBitmapTable);
    layout.parent_offset = get_le32(h + header_at::kParentMap);
    std::memcpy(layout.name, h + header_at::kName, kProjectNameSize);
    layout.name[kProjectNameSize - 1] = 0;
    layout.west = get_le32s(h + header_at::kWest);
    layout.east = get_le32s(h + header_at::kEast);
    layout.south = get_le32s(h + header_at::kSouth);
    layout.north = get_le32s(h + header_at::kNorth);

    if (layout.layer_count < 0 || layout.layer_count > kMaxLayers) return LayoutStatus::kBadLayerCount;
    if (layout.layer_count == 0) return LayoutStatus::kOk;

    const size_t entries = size_t(layout.layer_count) * kLayerEntrySize;
    const uint8_t* dir = nullptr;
    if (layout.version < kDirectoryOffsetVersion) {
        dir = in.at(header_at::kDirectory, entries);  // fits: 8 entries end at 156
    } else if (const uint32_t at = layout.directory_offset; at >= kProjectHeaderSize + 4) {
        dir = in.at(at, entries);  // a directory overlapping the header would read header fields as layers
    }
    if (!dir) return LayoutStatus::kDirectoryOutside;
    // Length words the readers do not need; a wrong one still tells that the file was damaged.
    if (layout.version >= kDirectoryOffsetVersion) {
        const uint32_t at = layout.directory_offset;
        const uint8_t* length = at >= 4 ? in.at(at - 4, 4) : nullptr;
        if (!length || get_le32(length) != 4 + entries)
            note(problems, "layer directory: length word is not " + std::to_string(4 + entries));
    }

    for (int i = 0; i < layout.layer_count; ++i) {
        const uint8_t* e = dir + size_t(i) * kLayerEntrySize;
        LayerEntryInFile& entry = layout.layers[i];
        entry.type = e[0];
        entry.theme = e[1];
        entry.scratch = e[2];
        entry.display_flags = e[3];
        entry.slot_offset = get_le32(e + 4);
        entry.name_offset = get_le32(e + 8);
        if (entry.name_offset != 0) {
            const uint8_t* length = entry.name_offset >= 4 ? in.at(entry.name_offset - 4, 4) : nullptr;
            if (length && get_le32(length) != kLayerNameBlockSize)
                note(problems, layer_label(i) + "name block length word is not 36");
        }
        measure_slot_table(file, entry, i, problems);
        layout.total_slots += int64_t(entry.slot_count);
    }
    return LayoutStatus::kOk;
}

uint32_t slot_value(std::span<const uint8_t> file, const LayerEntryInFile& entry, size_t k) {
    return get_le32(file.data() + entry.slot_offset + 4 * k);
}

}  // namespace plotwell

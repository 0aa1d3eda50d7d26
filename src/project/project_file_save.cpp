// Writing the project file. The whole file is assembled in memory first: its layout is known before the
// first byte, and the file on disk is replaced only once the new bytes are complete.
#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

#include "model/bytes.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "project/project_file.h"
#include "project/project_file_layout.h"

namespace plotwell {

namespace {

// Objects of a layer that are saved: the live ones, in list order. Every live object gets a slot, so a
// layer whose object_count fell behind its list loses nothing.
template <class F>
void for_each_saved_object(const Layer& layer, F&& f) {
    for (const MapObject* o = layer.objects; o; o = o->next)
        if (o->dimension != kDimDeleted) f(o);
}

void put_text_field(ByteBuffer& out, const char* field, size_t size) {
    const std::string_view text = field_text(field, size - 1);  // keep room for the terminator
    out.put_bytes(text.data(), text.size());
    out.put_zeros(size - text.size());
}

void put_bitmap(ByteBuffer& out, const BackgroundBitmap& b) {
    out.put_le32(uint32_t(b.x));
    out.put_le32(uint32_t(b.y));
    out.put_le32(uint32_t(b.width));
    out.put_le32(uint32_t(b.height));
    out.put_le16(b.flags);
    out.put_le16(b.reserved);
    out.put_le32(0);  // the image handle means nothing on disk
    put_text_field(out, b.file_name, kBitmapFileNameSize);
}

// Lays the file out as read_project_layout will find it: header fields, the offsets of the parent
// record, bitmap table and layer directory, and each layer's name and slot table. Returns the file's
// size, or nothing when the file would need offsets beyond 32 bits.
std::optional<size_t> plan_layout(const Project& project, ProjectFileLayout& layout) {
    const int layer_count = project.layer_count < 0 ? 0 : std::min(project.layer_count, kMaxLayers);
    layout.projection = project.projection;
    layout.coord_sys = project.coord_sys;
    layout.version = kProjectFileVersion;
    layout.range = project.range;
    layout.layer_count = layer_count;
    set_field(layout.name, field_text(project.name, kProjectNameSize - 1));
    if (project.geo.mode == kGeoScaleAndPos) {
        layout.west = project.geo.west;
        layout.east = project.geo.east;
        layout.south = project.geo.south;
        layout.north = project.geo.north;
    }

    int64_t record_bytes = 0;
    for (int i = 0; i < layer_count; ++i) {
        size_t& slots = layout.layers[i].slot_count;
        for_each_saved_object(project.layers[i], [&](const MapObject* o) {
            ++slots;
            record_bytes += object_record_size(o);
        });
        layout.total_slots += int64_t(slots);
    }

    // Offsets are taken in 64 bits and checked once at the end, against the file's size.
    int64_t offset = int64_t(kProjectHeaderSize);
    if (project.parent_map_basename[0] != 0) {
        layout.parent_offset = uint32_t(offset);
        offset += int64_t(kParentMapRecordSize);
    }
    if (project.bitmaps.count > 0) {
        layout.bitmap_offset = uint32_t(offset);
        offset += kBitmapTableFileSize;
    }
    if (layer_count > 0) {
        const int64_t directory_at = offset + 4;
        const int64_t names_at = directory_at + int64_t(kLayerEntrySize) * layer_count;
        layout.directory_offset = uint32_t(directory_at);
        offset = names_at + int64_t(kLayerNameBlockSize) * layer_count;
        for (int i = 0; i < layer_count; ++i) {
            LayerEntryInFile& entry = layout.layers[i];
            const Layer& layer = project.layers[i];
            entry.type = layer.type;
            entry.theme = layer.theme;
            entry.display_flags = layer.display_flags;  // scratch is never stored
            if (layer.name[0]) entry.name_offset = uint32_t(names_at + int64_t(kLayerNameBlockSize) * i + 4);
            entry.slot_offset = uint32_t(offset + 4);
            offset += 4 + 4 * int64_t(entry.slot_count);
        }
    }
    const int64_t total = offset + record_bytes;
    if (total > int64_t(std::numeric_limits<uint32_t>::max())) return std::nullopt;
    return size_t(total);
}

void put_header(ByteBuffer& out, const ProjectFileLayout& layout) {
    out.put_le16(kProjectFileMagic);
    out.put_u8(layout.projection);
    out.put_u8(layout.coord_sys);
    out.put_le32(uint32_t(layout.version));
    out.put_le32(uint32_t(layout.range.x_min));
    out.put_le32(uint32_t(layout.range.y_min));
    out.put_le32(uint32_t(layout.range.width));
    out.put_le32(uint32_t(layout.range.height));
    out.put_le32(uint32_t(layout.layer_count));
    out.put_le32(layout.directory_offset);
    out.put_zeros(header_at::kBitmapTable - out.size());
    out.put_le32(layout.bitmap_offset);
    out.put_zeros(header_at::kName - out.size());
    put_text_field(out, layout.name, kProjectNameSize);
    out.put_le32(layout.parent_offset);
    out.put_le32(uint32_t(layout.west));
    out.put_le32(uint32_t(layout.east));
    out.put_le32(uint32_t(layout.south));
    out.put_le32(uint32_t(layout.north));
    out.put_zeros(kProjectHeaderSize - out.size());
}

void put_bitmap_table(ByteBuffer& out, const BitmapTable& table) {
    out.put_le16(table.table_reserved);
    out.put_le16(uint16_t(std::min<int>(table.count, kMaxBitmaps)));
    for (const BackgroundBitmap& b : table.entries) put_bitmap(out, b);
}

// The directory with its length word, the name blocks and the slot tables, their slots still zero.
void put_directory(ByteBuffer& out, const Project& project, const ProjectFileLayout& layout) {
    out.put_le32(uint32_t(4 + kLayerEntrySize * layout.layer_count));
    for (int i = 0; i < layout.layer_count; ++i) {
        const LayerEntryInFile& entry = layout.layers[i];
        out.put_u8(entry.type);
        out.put_u8(entry.theme);
        out.put_u8(entry.scratch);
        out.put_u8(entry.display_flags);
        out.put_le32(entry.slot_offset);
        out.put_le32(entry.name_offset);
        out.put_le32(0);
    }
    for (int i = 0; i < layout.layer_count; ++i) {
        out.put_le32(uint32_t(kLayerNameBlockSize));
        char name[kLayerNameSize];
        std::memcpy(name, project.layers[i].name, kLayerNameSize);
        name[kLayerNameSize - 1] = 0;  // a name always ends inside its field
        out.put_bytes(name, kLayerNameSize);
    }
    for (int i = 0; i < layout.layer_count; ++i) {
        out.put_le32(uint32_t(4 + 4 * layout.layers[i].slot_count));
        out.put_zeros(4 * layout.layers[i].slot_count);
    }
}

// Appends the records, each layer's in list order, and points its slots at them.
void put_records(ByteBuffer& out, const Project& project, const ProjectFileLayout& layout,
                 ProgressSink& progress) {
    progress.set_progress_range(int(std::min<int64_t>(layout.total_slots, std::numeric_limits<int>::max())));
    int written = 0;
    for (int i = 0; i < layout.layer_count; ++i) {
        size_t slot = layout.layers[i].slot_offset;
        for_each_saved_object(project.layers[i], [&](const MapObject* o) {
            put_le32(out.bytes.data() + slot, uint32_t(out.size() + 4));
            slot += 4;
            write_object_record(out, o);
            if (++written % 16 == 0) progress.set_progress_pos(written);
        });
    }
}

}  // namespace

bool has_project(const Project& project) {
    return !field_text(project.file_base_name).empty();
}

std::string project_file_path(const std::string& base_name) {
    return base_name + ".mpr";
}

std::vector<uint8_t> build_project_file(const Project& project, ProgressSink& progress) {
    ProjectFileLayout layout;
    const std::optional<size_t> size = plan_layout(project, layout);
    if (!size) return {};
    ByteBuffer out;
    out.bytes.reserve(*size);
    put_header(out, layout);
    if (layout.parent_offset != 0) {
        out.put_le32(0);
        put_text_field(out, project.parent_map_basename, kParentMapBasenameSize);
    }
    if (layout.bitmap_offset != 0) put_bitmap_table(out, project.bitmaps);
    if (layout.layer_count > 0) put_directory(out, project, layout);
    put_records(out, project, layout, progress);
    return std::move(out.bytes);
}

bool save_project(const Project& project, const std::string& base_name, ProgressSink& progress,
                  const WriteFaults* faults) {
    const std::vector<uint8_t> bytes = build_project_file(project, progress);
    if (bytes.empty()) return false;
    return commit_file(project_file_path(base_name), bytes, faults);
}

}  // namespace plotwell

// Writing the project file. The whole file is assembled in memory first: its layout is known before the
// first byte, and the file on disk is replaced only once the new bytes are complete.
#include <algorithm>
#include <cstring>
#include <limits>

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

}  // namespace

bool has_project(const Project& project) {
    return !field_text(project.file_base_name).empty();
}

std::string project_file_path(const std::string& base_name) {
    return base_name + ".mpr";
}

std::vector<uint8_t> build_project_file(const Project& project, ProgressSink& progress) {
    const int layer_count = project.layer_count < 0 ? 0 : std::min(project.layer_count, kMaxLayers);
    const int bitmap_count = std::min<int>(project.bitmaps.count, kMaxBitmaps);
    const bool has_parent = project.parent_map_basename[0] != 0;

    // Layout first: every offset is known before anything is written.
    int64_t slots[kMaxLayers] = {};
    int64_t record_bytes = 0;
    int64_t total_slots = 0;
    for (int i = 0; i < layer_count; ++i) {
        for_each_saved_object(project.layers[i], [&](const MapObject* o) {
            ++slots[i];
            record_bytes += object_record_size(o);
        });
        total_slots += slots[i];
    }
    int64_t offset = int64_t(kProjectHeaderSize);
    const int64_t parent_at = has_parent ? offset : 0;
    if (has_parent) offset += int64_t(kParentMapRecordSize);
    const int64_t bitmaps_at = bitmap_count > 0 ? offset : 0;
    if (bitmap_count > 0) offset += kBitmapTableFileSize;
    const int64_t directory_at = layer_count > 0 ? offset + 4 : 0;
    const int64_t names_at = directory_at + int64_t(kLayerEntrySize) * layer_count;
    int64_t slot_table_at[kMaxLayers] = {};
    int64_t running = names_at + int64_t(kLayerNameBlockSize) * layer_count;
    for (int i = 0; i < layer_count; ++i) {
        slot_table_at[i] = running + 4;
        running += 4 + 4 * slots[i];
    }
    const int64_t first_record_at = layer_count > 0 ? running : offset;
    const int64_t total = first_record_at + record_bytes;
    // Offsets are 32-bit words in the file; a project that large cannot be stored.
    if (total > int64_t(std::numeric_limits<uint32_t>::max())) return {};

    ByteBuffer out;
    out.bytes.reserve(size_t(total));

    // Header.
    out.put_le16(kProjectFileMagic);
    out.put_u8(project.projection);
    out.put_u8(project.coord_sys);
    out.put_le32(uint32_t(kProjectFileVersion));
    out.put_le32(uint32_t(project.range.x_min));
    out.put_le32(uint32_t(project.range.y_min));
    out.put_le32(uint32_t(project.range.width));
    out.put_le32(uint32_t(project.range.height));
    out.put_le32(uint32_t(layer_count));
    out.put_le32(uint32_t(directory_at));
    out.put_zeros(header_at::kBitmapTable - out.size());
    out.put_le32(uint32_t(bitmaps_at));
    out.put_zeros(header_at::kName - out.size());
    put_text_field(out, project.name, kProjectNameSize);
    out.put_le32(uint32_t(parent_at));
    const bool positioned = project.geo.mode == kGeoScaleAndPos;
    out.put_le32(positioned ? uint32_t(project.geo.west) : 0);
    out.put_le32(positioned ? uint32_t(project.geo.east) : 0);
    out.put_le32(positioned ? uint32_t(project.geo.south) : 0);
    out.put_le32(positioned ? uint32_t(project.geo.north) : 0);
    out.put_zeros(kProjectHeaderSize - out.size());

    if (has_parent) {
        out.put_le32(0);
        put_text_field(out, project.parent_map_basename, kParentMapBasenameSize);
    }

    if (bitmap_count > 0) {
        out.put_le16(project.bitmaps.table_reserved);
        out.put_le16(uint16_t(bitmap_count));
        for (const BackgroundBitmap& b : project.bitmaps.entries) put_bitmap(out, b);
    }

    if (layer_count > 0) {
        out.put_le32(uint32_t(4 + kLayerEntrySize * layer_count));
        for (int i = 0; i < layer_count; ++i) {
            const Layer& layer = project.layers[i];
            out.put_u8(layer.type);
            out.put_u8(layer.theme);
            out.put_u8(0);  // scratch is never stored
            out.put_u8(layer.display_flags);
            out.put_le32(uint32_t(slot_table_at[i]));
            out.put_le32(layer.name[0] ? uint32_t(names_at + int64_t(kLayerNameBlockSize) * i + 4) : 0);
            out.put_le32(0);
        }
        for (int i = 0; i < layer_count; ++i) {
            out.put_le32(uint32_t(kLayerNameBlockSize));
            char name[kLayerNameSize];
            std::memcpy(name, project.layers[i].name, kLayerNameSize);
            name[kLayerNameSize - 1] = 0;  // a name always ends inside its field
            out.put_bytes(name, kLayerNameSize);
        }
        for (int i = 0; i < layer_count; ++i) {
            out.put_le32(uint32_t(4 + 4 * slots[i]));
            out.put_zeros(size_t(4 * slots[i]));
        }
    }

    progress.set_progress_range(int(std::min<int64_t>(total_slots, std::numeric_limits<int>::max())));
    int written = 0;
    for (int i = 0; i < layer_count; ++i) {
        size_t slot = size_t(slot_table_at[i]);
        for_each_saved_object(project.layers[i], [&](const MapObject* o) {
            put_le32(out.bytes.data() + slot, uint32_t(out.size() + 4));
            slot += 4;
            write_object_record(out, o);
            if (++written % 16 == 0) progress.set_progress_pos(written);
        });
    }
    return std::move(out.bytes);
}

bool save_project(const Project& project, const std::string& base_name, ProgressSink& progress,
                  const WriteFaults* faults) {
    const std::vector<uint8_t> bytes = build_project_file(project, progress);
    if (bytes.empty()) return false;
    return commit_file(project_file_path(base_name), bytes, faults);
}

}  // namespace plotwell

// Reading the project file. The file is read whole and parsed into a staging project; the open project
// is replaced only when the file proved to be a project file, so a refused load changes nothing.
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "model/bytes.h"
#include "model/object_storage.h"
#include "project/project_file.h"
#include "project/project_file_layout.h"
#include "project/project_file_objects.h"

namespace plotwell {

namespace {

void note(ProjectFileReport* report, std::string text) {
    if (report) report->problems.push_back(std::move(text));
}

// Everything of a project except its object lists and bitmap images.
void copy_plain_fields(const Project& from, Project& to) {
    std::memcpy(to.file_base_name, from.file_base_name, sizeof to.file_base_name);
    to.modified = from.modified;
    std::memcpy(to.name, from.name, sizeof to.name);
    std::memcpy(to.parent_map_basename, from.parent_map_basename, sizeof to.parent_map_basename);
    to.projection = from.projection;
    to.coord_sys = from.coord_sys;
    to.range = from.range;
    to.geo = from.geo;
    to.layer_count = from.layer_count;
    for (int i = 0; i < kMaxLayers; ++i) {
        Layer& layer = to.layers[i];
        layer = from.layers[i];
        layer.objects = nullptr;
        layer.object_count = 0;
    }
    to.bitmaps.table_reserved = from.bitmaps.table_reserved;
    to.bitmaps.count = from.bitmaps.count;
    for (int i = 0; i < kMaxBitmaps; ++i) {
        to.bitmaps.entries[i] = from.bitmaps.entries[i];
        to.bitmaps.entries[i].image.reset();
    }
}

// Replaces the project's data with the staged one; the staged project gives up its object lists.
void adopt_staged(Project& project, Project& staged) {
    release_project_data(project);
    copy_plain_fields(staged, project);
    for (int i = 0; i < kMaxLayers; ++i) {
        project.layers[i].objects = staged.layers[i].objects;
        project.layers[i].object_count = staged.layers[i].object_count;
        staged.layers[i].objects = nullptr;
        staged.layers[i].object_count = 0;
    }
}

void read_bitmap_table(const uint8_t* p, BitmapTable& table, ProjectFileReport* report) {
    table.table_reserved = get_le16(p);
    table.count = get_le16(p + 2);
    if (table.count > kMaxBitmaps) {
        note(report, "bitmap table: count " + std::to_string(table.count) + " is above " +
                         std::to_string(kMaxBitmaps) + "; cut to " + std::to_string(kMaxBitmaps));
        table.count = kMaxBitmaps;
    }
    p += 4;
    for (BackgroundBitmap& b : table.entries) {
        b.x = get_le32s(p);
        b.y = get_le32s(p + 4);
        b.width = get_le32s(p + 8);
        b.height = get_le32s(p + 12);
        b.flags = get_le16(p + 16);
        b.reserved = get_le16(p + 18);
        b.image.reset();  // the stored handle (p + 20) means nothing
        std::memcpy(b.file_name, p + 24, kBitmapFileNameSize);
        b.file_name[kBitmapFileNameSize - 1] = 0;
        p += kBackgroundBitmapFileSize;
    }
}

// The 32-byte name at `offset` (0: empty), cut to 31 characters. False when it lies outside the file.
bool read_layer_name(std::span<const uint8_t> file, uint32_t offset, char (&name)[kLayerNameSize]) {
    std::memset(name, 0, sizeof name);
    if (offset == 0) return true;
    const uint8_t* p = ByteReader(file).at(offset, kLayerNameSize);
    if (!p) return false;
    std::memcpy(name, p, kLayerNameSize);
    name[kLayerNameSize - 1] = 0;
    return true;
}

int clamp_to_int(int64_t n) {
    return int(std::min<int64_t>(n, std::numeric_limits<int>::max()));
}

// The header's fields; a file without a position (equal edges) leaves the project's edges alone.
void take_header_fields(const ProjectFileLayout& layout, Project& p) {
    std::memcpy(p.name, layout.name, sizeof p.name);
    p.projection = layout.projection;
    p.coord_sys = layout.coord_sys;
    p.range = layout.range;
    p.layer_count = layout.layer_count;
    take_geo_info(layout, p.geo);
}

// The parent map's basename from the record at `offset` (0: none); empty when there is none.
void read_parent_record(std::span<const uint8_t> file, uint32_t offset, Project& p,
                        ProjectFileReport* report) {
    std::memset(p.parent_map_basename, 0, sizeof p.parent_map_basename);
    if (offset == 0) return;
    if (const uint8_t* record = ByteReader(file).at(offset, kParentMapRecordSize)) {
        std::memcpy(p.parent_map_basename, record + 4, kParentMapBasenameSize);
        p.parent_map_basename[kParentMapBasenameSize - 1] = 0;
    } else {
        note(report, "parent map record lies outside the file; the parent map basename is left empty");
    }
}

// The bitmap table at `offset` (0: none); no bitmaps when there is none.
void read_bitmaps(std::span<const uint8_t> file, uint32_t offset, BitmapTable& table,
                  ProjectFileReport* report) {
    table.table_reserved = 0;
    table.count = 0;
    if (offset == 0) return;
    if (const uint8_t* bytes = ByteReader(file).at(offset, kBitmapTableFileSize))
        read_bitmap_table(bytes, table, report);
    else
        note(report, "bitmap table lies outside the file; the project is read without bitmaps");
}

// Each layer's fields, name and objects.
void read_layers(std::span<const uint8_t> file, const ProjectFileLayout& layout, Project& p,
                 ProgressSink& progress, ProjectFileReport* report) {
    progress.set_progress_range(clamp_to_int(layout.total_slots));
    RecordGuard guard(file.size());
    ObjectProgress counter(progress);
    for (int i = 0; i < layout.layer_count; ++i) {
        const LayerEntryInFile& entry = layout.layers[i];
        Layer& layer = p.layers[i];
        layer.type = entry.type;
        layer.theme = entry.theme;
        layer.display_flags = entry.display_flags;
        if (!read_layer_name(file, entry.name_offset, layer.name))
            note(report,
                 "layer " + std::to_string(i) + ": name lies outside the file; the name is left empty");
        const SlotReadStats stats =
            read_layer_objects(file, entry, i, layer, guard, counter, report ? &report->problems : nullptr);
        if (report) {
            report->objects_loaded += stats.loaded;
            report->objects_skipped += stats.skipped;
        }
    }
}

}  // namespace

bool load_project_from_bytes(Project& project, std::span<const uint8_t> file, ProgressSink& progress,
                             ProjectFileReport* report) {
    ProjectFileLayout layout;
    const LayoutStatus status = read_project_layout(file, layout, report ? &report->problems : nullptr);
    if (status != LayoutStatus::kOk) {
        note(report, layout_status_text(status));
        return false;
    }
    auto staged = std::make_unique<Project>();
    copy_plain_fields(project, *staged);
    Project& p = *staged;
    take_header_fields(layout, p);
    read_parent_record(file, layout.parent_offset, p, report);
    read_bitmaps(file, layout.bitmap_offset, p.bitmaps, report);
    read_layers(file, layout, p, progress, report);
    adopt_staged(project, p);
    return true;
}

bool load_project_file(Project& project, const std::string& base_name, ProgressSink& progress,
                       ProjectFileReport* report) {
    std::vector<uint8_t> file;
    if (!read_whole_file(project_file_path(base_name), file)) {
        note(report, "cannot be opened or read");
        return false;
    }
    return load_project_from_bytes(project, file, progress, report);
}

int read_project_layers_from_bytes(std::span<const uint8_t> file, Layer (&layers)[kMaxLayers],
                                   ProgressSink* progress) {
    ProjectFileLayout layout;
    if (read_project_layout(file, layout) != LayoutStatus::kOk) return 0;
    if (progress) progress->set_progress_range(clamp_to_int(layout.total_slots));
    for (int i = 0; i < layout.layer_count; ++i) {
        const LayerEntryInFile& entry = layout.layers[i];
        Layer& layer = layers[i];
        layer.type = entry.type;
        layer.theme = entry.theme;
        layer.scratch = entry.scratch;
        layer.display_flags = entry.display_flags;
        read_layer_name(file, entry.name_offset, layer.name);
        layer.objects = nullptr;
        layer.object_count = 0;
    }
    return layout.layer_count;
}

int read_project_layers(const std::string& path, Layer (&layers)[kMaxLayers], ProgressSink* progress) {
    std::vector<uint8_t> file;
    if (!read_whole_file(path, file)) return 0;
    return read_project_layers_from_bytes(file, layers, progress);
}

}  // namespace plotwell

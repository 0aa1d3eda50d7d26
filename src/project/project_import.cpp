#include "project/project_import.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

#include "model/bytes.h"
#include "model/geometry.h"
#include "project/project_file_layout.h"
#include "project/project_file_objects.h"

namespace plotwell {

namespace {

void merge_axis(int32_t& min, int32_t& extent, int32_t source_min, int32_t source_extent) {
    int64_t lo = min, len = extent;
    if (source_min < lo) {
        len += lo - source_min;
        lo = source_min;
    }
    const int64_t source_end = int64_t(source_min) + source_extent;
    if (lo + len < source_end) len = source_end - lo;
    min = clamp_to_int32(lo);
    extent = clamp_to_int32(len);
}

// A destination outside the project's layer table would push records into a layer nobody shows or
// saves; such a mapping is refused before the file is read. Returns the first bad source index or -1.
int first_bad_destination(const Project& project, const LayerMapping& mapping) {
    for (int i = 0; i < kMaxMappedLayers; ++i) {
        const int d = mapping.destination[i];
        if (d != kNoLayer && (d < 0 || d >= project.layer_count)) return i;
    }
    return -1;
}

// The checks that need nothing from the file; a refusal here happens before the file is read.
bool import_allowed(const Project& project, const LayerMapping& mapping, ProgressSink& progress) {
    if (project.layer_count <= 0) {
        progress.log_line("Error: the project has no layers to import into! Define its layers first.\n");
        return false;
    }
    if (const int bad = first_bad_destination(project, mapping); bad >= 0) {
        progress.log_line("Error: source layer " + std::to_string(bad) + " is mapped to layer " +
                          std::to_string(mapping.destination[bad]) + ", which the project does not have!\n");
        return false;
    }
    return true;
}

void import_checked_bytes(Project& project, std::span<const uint8_t> file, const LayerMapping& mapping,
                          ProgressSink& progress, ImportReport& r) {
    ProjectFileLayout layout;
    std::vector<std::string> problems;
    const LayoutStatus status = read_project_layout(file, layout, &problems);
    if (status == LayoutStatus::kNotProjectFile) {
        progress.log_line("Error: source project file is invalid!\n");
        return;
    }
    // The header alone decides the coordinate systems; a directory that cannot be read makes the file
    // invalid all the same.
    if (layout.coord_sys != project.coord_sys) {
        progress.log_line("Error: project files have incompatible coordinate systems!\n");
        return;
    }
    if (status != LayoutStatus::kOk) {
        progress.log_line("Error: source project file is invalid!\n");
        return;
    }

    progress.set_progress_range(int(std::min<int64_t>(layout.total_slots, std::numeric_limits<int>::max())));
    RecordGuard guard(file.size());
    ObjectProgress counter(progress);
    for (int i = 0; i < layout.layer_count && i < kMaxMappedLayers; ++i) {
        const int m = mapping.destination[i];
        if (m == kNoLayer) continue;
        const SlotReadStats stats =
            read_layer_objects(file, layout.layers[i], i, project.layers[m], guard, counter, &problems);
        r.objects += stats.loaded;
        r.skipped += stats.skipped;
    }
    for (const std::string& problem : problems) progress.log_line("Warning: source " + problem + "\n");

    if (r.skipped > 0) {
        char line[128];
        std::snprintf(line, sizeof line,
                      "%lld objects imported from %lld records; %lld records not imported\r\n",
                      static_cast<long long>(r.objects), static_cast<long long>(r.objects + r.skipped),
                      static_cast<long long>(r.skipped));
        progress.log_line(line);
    }
    // Without an object the source's range would only move the project's, and nothing else changed.
    if (r.objects == 0) {
        progress.log_line("Error: nothing was imported!\r\n");
        return;
    }
    merge_import_range(project.range, layout.range);
    r.imported = true;
    progress.log_line("  Project successfully imported.\n");
}

}  // namespace

void merge_import_range(CoordRange& range, const CoordRange& source) {
    if (range.width < 0 || range.height < 0) {
        range = source;
        return;
    }
    merge_axis(range.x_min, range.width, source.x_min, source.width);
    merge_axis(range.y_min, range.height, source.y_min, source.height);
}

bool import_project_file(Project& project, const std::string& path, const LayerMapping& mapping,
                         ProgressSink& progress, ImportReport* report) {
    ImportReport local;
    ImportReport& r = report ? *report : local;
    r = ImportReport{};
    if (!import_allowed(project, mapping, progress)) return true;
    std::vector<uint8_t> file;
    if (!read_whole_file(path, file)) {
        progress.log_line("Error:  unable to open project file!\n");
        return false;
    }
    import_checked_bytes(project, file, mapping, progress, r);
    return true;
}

void import_project_bytes(Project& project, std::span<const uint8_t> file, const LayerMapping& mapping,
                          ProgressSink& progress, ImportReport* report) {
    ImportReport local;
    ImportReport& r = report ? *report : local;
    r = ImportReport{};
    if (!import_allowed(project, mapping, progress)) return;
    import_checked_bytes(project, file, mapping, progress, r);
}

bool import_project_task(Project& project, const std::string& path, const LayerMapping& mapping,
                         ProgressSink& progress, ImportReport* report) {
    const bool result = import_project_file(project, path, mapping, progress, report);
    progress.show_ok_button();
    return result;
}

}  // namespace plotwell

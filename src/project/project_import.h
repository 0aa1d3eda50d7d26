// Merging another project file into the open project: the objects of each mapped source layer go to
// the front of their destination layer, and the coordinate range grows to hold the source's range.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/records.h"
#include "platform/progress_sink.h"
#include "project/layer_mapping.h"

namespace plotwell {

// What an import did, for callers that need more than the task's result.
struct ImportReport {
    bool imported = false;  // objects were added and the range merged (false: refused, unreadable or
                            // without a sound record in the mapped layers; the project is unchanged)
    int64_t objects = 0;    // records added to the project
    int64_t skipped = 0;    // unreadable records left out
};

// Grows `range` to hold `source`. An open range with a negative extent takes the source's range as it
// is; otherwise each axis is widened to the union. Sums are done in 64 bits and kept inside int32.
void merge_import_range(CoordRange& range, const CoordRange& source);

// Reads the file at `path` (the full name with ".mpr") and pushes the records of every source layer
// with a destination at the head of that layer of `project`. Logs one line per event. False when the
// file cannot be opened; true otherwise: when it was imported and when it was refused (not a project
// file, another coordinate system, a project without layers, a mapping to a layer the project does
// not have). A damaged source gives what is sound; the log names what was skipped and counts the
// records left out. A source that gives no object is logged as an error and changes nothing.
[[nodiscard]] bool import_project_file(Project& project, const std::string& path, const LayerMapping& mapping,
                                       ProgressSink& progress, ImportReport* report = nullptr);

// import_project_file on bytes already in memory, which need no opening.
void import_project_bytes(Project& project, std::span<const uint8_t> file, const LayerMapping& mapping,
                          ProgressSink& progress, ImportReport* report = nullptr);

// The import worker: import_project_file, then the "OK" button so the log can be read.
[[nodiscard]] bool import_project_task(Project& project, const std::string& path, const LayerMapping& mapping,
                                       ProgressSink& progress, ImportReport* report = nullptr);

}  // namespace plotwell

// Saving and loading the project file (".mpr"): header, parent-map record, background bitmap table,
// layer directory, layer names, one slot table per layer and the object records. All integers are
// little-endian; all offsets are absolute.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/file_commit.h"
#include "model/records.h"
#include "platform/progress_sink.h"

namespace plotwell {

// A project is open when it has a file name to be saved under.
bool has_project(const Project& project);

// The project's file name: the base name with ".mpr" appended.
std::string project_file_path(const std::string& base_name);

// The bytes of the project file exactly as save_project writes them. Progress: the range is the
// number of slots, the position moves every 16 objects written.
std::vector<uint8_t> build_project_file(const Project& project, ProgressSink& progress);

// Writes the project to base name + ".mpr". False when the file could not be written completely; the
// file that was there before is then left as it was. `faults` is for tests.
[[nodiscard]] bool save_project(const Project& project, const std::string& base_name, ProgressSink& progress,
                                const WriteFaults* faults = nullptr);

// What a reader repaired or skipped in a file it accepted (one line each); see read_project_layout.
struct ProjectFileReport {
    std::vector<std::string> problems;
    int64_t objects_loaded = 0;
    int64_t objects_skipped = 0;
};

// Loads base name + ".mpr" into the project. False when the file cannot be read or is not a sound
// project file; the project is then left exactly as it was. The file's objects are pushed
// in slot order, so each layer's list ends in the reverse of the file's order. Fields the file does not
// hold (file_base_name, modified, GeoInfo scale, the edges when the file has no position, layer
// scratch and reserved words, bitmap entries when the file has no table) are kept.
[[nodiscard]] bool load_project_file(Project& project, const std::string& base_name, ProgressSink& progress,
                                     ProjectFileReport* report = nullptr);

// load_project_file on bytes already in memory.
[[nodiscard]] bool load_project_from_bytes(Project& project, std::span<const uint8_t> file,
                                           ProgressSink& progress, ProjectFileReport* report = nullptr);

// Reads only the layer structure of the file at `path`: type, theme, scratch, display flags and name of
// each layer, with no objects. Returns the number of layers, 0 when the file cannot be read or is not
// a sound project file. `progress`, when given, gets the range of the file's slot count.
int read_project_layers(const std::string& path, Layer (&layers)[kMaxLayers],
                        ProgressSink* progress = nullptr);
int read_project_layers_from_bytes(std::span<const uint8_t> file, Layer (&layers)[kMaxLayers],
                                   ProgressSink* progress = nullptr);

}  // namespace plotwell

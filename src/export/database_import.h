// A map database back into a project: its layers, objects, names, types, icons and coordinates, and the
// export settings it was written with. The bytes are decoded once, by the inspector; this turns what it
// found into records. Coordinates map back through the header's geo bounds to millionths of a degree
// when the header carries them (each one checked to scale to the very output value it came from), and
// otherwise stay output units in a plain project.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "export/database_writer.h"
#include "export/export_settings.h"
#include "model/records.h"
#include "model/result.h"
#include "platform/progress_sink.h"
#include "project/layer_mapping.h"

namespace plotwell {

struct DatabaseImport {
    bool ok = false;       // a map header was read: the project holds what could be taken
    bool degrees = false;  // coordinates went back through the geo bounds
    ExportSettings settings;
    std::string publisher_notice;
    std::string contact;
    ExportDate date;  // of the publisher record
    // A LINK keeps only its target's map ID; it gets a made-up name, listed here with that ID.
    std::vector<std::pair<std::string, int16_t>> link_targets;
    int objects = 0;
    std::vector<std::string> problems;  // what the file did not give, one line each
};

// Empties `project` and fills it from the database bytes. Never trusts the file: a damaged database
// gives what is sound, the rest is listed in `problems`.
DatabaseImport import_database(std::span<const uint8_t> file, Project& project);

// Reads the file at `path` and imports it; fails when the file cannot be read or holds no map header.
Result read_database_project(const std::string& path, Project& project, DatabaseImport& imported);

// Moves the objects of each source layer to the destination layer the mapping names and widens the
// range to hold the source's. Refused (nothing moved, the log says why) when the database's coordinates
// are not in the project's coordinate system. Returns the number of objects moved.
int merge_database_project(Project& project, Project& source, const LayerMapping& mapping,
                           ProgressSink& sink);

// The map ID table that gives each made-up LINK name its map ID again.
std::string link_target_lines(const DatabaseImport& imported);

}  // namespace plotwell

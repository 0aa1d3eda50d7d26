// The options import-shp and import share: parsing, turning them into import settings, and running
// the import with Ctrl+C as the Stop button.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "model/records.h"
#include "model/result.h"
#include "shapefile/record_source.h"
#include "shapefile/shapefile_import.h"

namespace plotwell::tool {

inline constexpr int kExitInterrupted = 130;  // the shell's status for a command ended by Ctrl+C

struct ShapeImportOptions {
    std::string project_path, source_path, profile;
    int layer = -1;
    std::vector<std::string> name_fields, link_fields;
    std::string type, icon, multiply_x, multiply_y;
    bool no_downcase = false;
    int filter = -1;  // -1: as the range allows
    // import only
    std::string source_layer, encoding;
    int reproject = -1;  // -1 as the source needs, 0 never, 1 always
};

// Fails with the usage error. `command` names the command in messages; `vector_options` accepts
// import's options besides import-shp's.
Result parse_shape_import_options(const std::vector<std::string>& args, ShapeImportOptions& o,
                                  const std::string& command, bool vector_options);

// The settings the import dialog starts from, then the profile, then the options, then the dialog's
// checks. Returns kExitOk or the failing exit status after printing the message (prefixed "COMMAND: ").
// `fields_file` names the attribute table in messages.
int make_shape_import_settings(const ShapeImportOptions& o, const ShapefileReader& layout,
                               const std::string& base, const std::string& fields_file,
                               const Project& project, const std::string& command, ShapeImportSettings& s);

// Runs the import from `source` with Ctrl+C as Stop, and saves the project when objects came in.
int run_import_and_save(const ShapeImportOptions& o, RecordSource& source, const ShapeImportSettings& s,
                        Project& project, const std::string& project_base, const std::string& command);

// Ctrl+C from the start of the command until the save begins stops the import and leaves the project
// file alone: while files are opened and loaded it makes the import read nothing, during the reading
// it acts as the Stop button. The handler stays for the save so that the file is never cut short.
struct InterruptGuard {
    void (*previous)(int);
    InterruptGuard();
    ~InterruptGuard();
};

}  // namespace plotwell::tool

// Running an export in a test: a private output folder, the log, the kept build state, and the file
// read back through the inspector.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "export/database_check.h"
#include "export/export_driver.h"
#include "export/export_settings.h"
#include "model/bytes.h"
#include "model/text.h"
#include "support/recording_sink.h"
#include "support/scratch_dir.h"

namespace plotwell::test {

using TempDir = ScratchDir;

struct ExportRun {
    int result = -1;
    RecordingSink sink;
    ExportState state;
    std::vector<uint8_t> file;
    InspectReport report;
    Rect selection;
};

// Exports with the given settings to OUT.pdb in `dir`; when the file was written, reads it back and
// inspects it. Every written database must pass the inspector.
inline ExportRun run_test_export(const Project& project, ExportSettings settings, const TempDir& dir,
                                 ExportInputs inputs = {}, Rect selection = {}) {
    ExportRun run;
    const std::string path = dir.file("OUT.pdb");
    set_field(settings.output_path, path);
    if (!inputs.date) inputs.date = ExportDate{5, 3, 2001};
    run.selection = selection;
    run.result = run_export(project, settings, run.selection, run.sink, inputs, &run.state);
    if (run.result == kExportOk) {
        EXPECT_TRUE(read_whole_file(path, run.file));
        run.report = inspect_database(run.file);
        EXPECT_TRUE(run.report.ok()) << format_inspect_report(run.report, true);
    }
    return run;
}

// Defaults for the project with a map name.
inline ExportSettings default_settings(const Project& project, const char* map_name = "Test Map") {
    ExportSettings settings;
    reset_export_settings(settings, project, "", "");
    set_field(settings.map_name, map_name);
    return settings;
}

// The definitions of one owner ("layer 1", "region", ...) in dump order.
inline std::vector<InspectedDefinition> definitions_of(const InspectReport& report,
                                                       const std::string& owner) {
    std::vector<InspectedDefinition> out;
    for (const auto& d : report.definitions)
        if (d.owner == owner) out.push_back(d);
    return out;
}

}  // namespace plotwell::test

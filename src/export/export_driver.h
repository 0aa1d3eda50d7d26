// The export task: fixes the exported rectangle and its scale, makes the scaled working copies, builds
// the data and writes the map database, reporting every step to the task log.
#pragma once

#include <optional>
#include <string>

#include "export/database_writer.h"
#include "export/export_settings.h"
#include "export/export_state.h"
#include "export/map_id_table.h"
#include "model/file_commit.h"
#include "model/records.h"
#include "platform/progress_sink.h"

namespace plotwell {

// Results of run_export.
inline constexpr int kExportOk = 0;
inline constexpr int kExportWriteFailed = 1;
inline constexpr int kExportBuildFailed = 2;
inline constexpr int kExportNotOpened = 3;

// What the export reads besides the project and the settings.
struct ExportInputs {
    const MapIdTable* map_ids = nullptr;  // for the targets of LINK points; none: every ID 0
    std::string publisher_notice;
    std::string contact;
    std::optional<ExportDate> date;  // none: today's local date
    NameSearchMode name_search = NameSearchMode::fast;
    const WriteFaults* write_faults = nullptr;
};

// The rectangle of project coordinates to export: the selection when the settings ask for it, else the
// project's range.
void set_export_bounds(ExportState& state, const Project& project, const ExportSettings& settings,
                       const Rect& selection);
// One empty cell table per visible layer.
void make_layer_tables(ExportState& state, const ExportSettings& settings);

// Exports `project` to the settings' output path. `selection_rect` is the editor's selection rectangle
// (x1, y1, x2, y2): read when the settings ask for the selection only, otherwise overwritten with the
// exported bounds. Returns kExportOk, kExportWriteFailed, kExportBuildFailed or kExportNotOpened.
// `state`, when given, keeps what was built (for tests and measurements).
int run_export(const Project& project, const ExportSettings& settings, Rect& selection_rect,
               ProgressSink& sink, const ExportInputs& inputs = {}, ExportState* state = nullptr);

}  // namespace plotwell

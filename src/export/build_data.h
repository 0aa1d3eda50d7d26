// Compiles the scaled working copies into Definitions in the data area, links them into the cell
// tables, builds the region tree and sorts the name index.
#pragma once

#include "export/export_settings.h"
#include "export/export_state.h"
#include "export/map_id_table.h"
#include "platform/progress_sink.h"

namespace plotwell {

// The layer tables must exist (one per visible layer). False, with the build error set, when a step
// failed.
[[nodiscard]] bool build_data(ExportState& state, const ExportSettings& settings, const MapIdTable& map_ids,
                              ProgressSink& sink);

}  // namespace plotwell

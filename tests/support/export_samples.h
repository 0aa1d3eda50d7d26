// The small harbour project the export tests share, with its map-id file and the export dialog opened
// over a project as the export command opens it.
#pragma once

#include <string>
#include <string_view>

#include "export/export_dialog.h"
#include "export/export_settings.h"
#include "export/map_id_table.h"
#include "model/records.h"

namespace plotwell::test {

// Fills an empty project as "harbour" (named "Harbour", decimal degrees, 151.0 to 151.2 E and 34.0 to
// 33.9 S) with "Roads" [ROADS] holding the line "George St" and "Water" [WATER] holding the polygon "Bay".
void fill_harbour_project(Project& project);

// A map-id file that gives "harbour" the ID 42.
inline constexpr std::string_view kHarbourMapIds = "harbour\t42\n";

// The export dialog over the project and settings, opened with the IDs read from `map_id_file`.
ExportDialog opened_export_dialog(Project& project, ExportSettings& settings, MapIdTable& map_ids,
                                  const std::string& map_id_file);

}  // namespace plotwell::test

// What every way of starting an export shares, so that the dialog and the command line cannot drift
// apart: the checks of the choices with their messages, and the readying of the project and the engine's
// inputs.
#pragma once

#include <string>
#include <string_view>

#include "export/export_driver.h"
#include "export/export_settings.h"
#include "export/map_id_table.h"
#include "model/records.h"

namespace plotwell {

// The export dialog's pages, in the order its checks run.
enum ExportTab { kExportTabId = 0, kExportTabLayers, kExportTabRegions, kExportTabMisc, kExportTabCount };

// A project layer the export can list: one that exists and fits the export's layer tables.
bool exportable_layer(const Project& project, int layer);

struct ExportChoiceCheck {
    bool ok = true;
    int tab = kExportTabId;  // the page of the failed check
    std::string message;     // shown as it is ("You need to provide a map name.", ...)
};

// The checks the dialog makes on "Export", in page order; the first failing one.
[[nodiscard]] ExportChoiceCheck check_export_choices(const ExportSettings& settings, const Project& project);

// A decimal-degree project is exported where its range is: its GeoInfo edges become the range's edges,
// summed in 64 bits since x_min + width may pass INT32_MAX. Other projects keep their position.
void take_position_from_range(Project& project);

// A fit option's amount ("--simplify", "--min-area" and their dialog fields): a plain decimal number of
// output units, 0 or more, read the same whatever the locale. False for anything else.
[[nodiscard]] bool parse_fit_amount(std::string_view text, double& value);

// Readies one accepted export: the project's position as above, and what the engine reads besides the
// project and the choices (the map IDs of LINK targets, the publisher details of the moment).
[[nodiscard]] ExportInputs prepare_export(Project& project, const MapIdTable& map_ids,
                                          std::string publisher_notice, std::string contact);

}  // namespace plotwell

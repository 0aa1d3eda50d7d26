// File > Export > "to &Trekpad Plus/Max...": choose the output file, set the options in the export
// dialog, then compile the map database behind the progress dialog.
#pragma once

#include <string>

#include "editor/editor_context.h"
#include "export/export_settings.h"
#include "export/map_id_table.h"

namespace plotwell {

// What the export reads besides the project and the editor: the settings it edits, the map ID table it
// refills from `map_id_path` on every opening, and the publisher details of the moment.
struct ExportCommandInputs {
    ExportSettings& settings;
    MapIdTable& map_ids;
    std::string map_id_path = kMapIdFileName;
    std::string publisher_notice;
    std::string contact;
};

// The export_map slot of CommandHooks. Cancelled when there is no project or either dialog was
// cancelled; Ok once the export ran (its log told the user how it went). The editor's selection
// rectangle then holds the exported bounds.
Outcome export_map_command(EditorContext& ctx, ExportCommandInputs& inputs);

}  // namespace plotwell

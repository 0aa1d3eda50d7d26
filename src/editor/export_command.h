// File > Export > "to &Trekpad Plus/Max...": choose the output file, set the options in the export
// dialog, then compile the map database behind the progress dialog.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

// Edits the workspace's export settings, refills its map ID table from "map-id.txt" in the start
// folder on every opening and writes the publisher details as they are at that moment. Cancelled when
// there is no project or either dialog was cancelled; Ok once the export ran (its log told the user
// how it went). The editor's selection rectangle then holds the exported bounds.
Outcome export_map_command(EditorContext& ctx);

}  // namespace plotwell

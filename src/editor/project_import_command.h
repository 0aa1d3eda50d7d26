// File > Import > "from &Plotwell project...": choose a project file, map its layers in the "Import
// Plotwell Project" dialog, merge it behind the progress dialog, then show the result.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

// The editor has already checked that a project is open.
// Cancelled when the file dialog or the import dialog was cancelled; Ok once the import ran, whatever
// its outcome (its log told the user): the view is then fitted, the project marked modified, the
// title updated and the map redrawn.
Outcome import_project_file_command(EditorContext& ctx);

}  // namespace plotwell

// File > Import > "from &Plotwell project...": choose a project file, map its layers in the "Import
// Plotwell Project" dialog, merge it behind the progress dialog, then show the result.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

// The editor has already checked that a project is open.
// Cancelled when the file dialog or the import dialog was cancelled; Failed when the import added
// nothing (refused, unreadable or empty; its log told the user) and the project is as it was; Ok when
// objects were added: the view is then fitted, the project marked modified, the title updated and the
// map redrawn.
Outcome import_project_file_command(EditorContext& ctx);

}  // namespace plotwell

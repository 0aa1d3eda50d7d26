// Fills the CommandHooks slots of the commands that move data in and out of the project: the export to
// the handheld's map database and the two imports.
#pragma once

#include "app/workspace.h"
#include "editor/editor_context.h"

namespace plotwell {

// The slots refer to `workspace`, which must outlive `hooks`. Each export reads the publisher details
// as they are at that moment and rereads "map-id.txt" from the current directory.
void install_transfer_hooks(CommandHooks& hooks, Workspace& workspace);

}  // namespace plotwell

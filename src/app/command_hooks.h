// The editor's slots for the commands whose dialogs live above it, filled with the dialogs of this
// build. The export and the imports are filled in by their own parts of the program.
#pragma once

#include "app/workspace.h"
#include "dialogs/category_point_dialog.h"
#include "editor/editor_context.h"

namespace plotwell {

// Project Properties, Geographic Info, Publisher Details, About, Layers and Background Bitmaps. The
// hooks keep a reference to the workspace.
void add_dialog_hooks(CommandHooks& hooks, Workspace& workspace);

// The names the "Category Point Object" dialog lists, read once from the loaded categories file.
CategoryChoices category_choices(const CategoriesFile& file);

}  // namespace plotwell

// Loading the project named on the command line and the "Save current project?" question at closing,
// for builds whose editor does not load and save projects yet; and the loader of background bitmap
// images that every project load uses.
#pragma once

#include <string>

#include "editor/editor_context.h"
#include "project/project_tasks.h"

namespace plotwell {

// Finds a bitmap file as stored: as given (relative to the working directory), else below the program
// directory. None when neither can be decoded.
BitmapImageLoader make_bitmap_loader(const std::string& program_dir);

// Loads `file_base_name` + ".mpr" behind the progress dialog, then resets the editor as a load does:
// select tool, background current, view fitted, scroll bars, redraw and the layer status. On failure
// "An error occurred while loading project!" (caption "Error", warning icon). Ok when it loaded.
Outcome load_named_project(EditorContext& ctx, const BitmapImageLoader& load_image);

// "Save current project?" (caption "Confirm", Yes / No / Cancel): Yes saves behind the progress dialog;
// Yes or No clear `modified` (also when the save failed). The answer.
Answer ask_save_project(EditorContext& ctx);

// The main window's close request: the editor's own when it can ask about saving; otherwise a modified
// open project is asked about with ask_save_project. False keeps the window open.
bool close_main_window(EditorContext& ctx);

}  // namespace plotwell

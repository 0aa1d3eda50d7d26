// The commands that change which project is open: New, Open, Close, the load of a named project,
// Save, and the "Save current project?" question.
#pragma once

#include <string>
#include <string_view>

#include "editor/editor_context.h"

namespace plotwell {

Outcome new_project_command(EditorContext& ctx);
Outcome open_project_command(EditorContext& ctx);
Outcome close_project_command(EditorContext& ctx);
// Loads the project named by `file_base_name` through the progress dialog and resets the view, the
// tool and the export settings to it. Failed (after its message) when the file could not be loaded.
Outcome load_after_open(EditorContext& ctx);
// Loads the project file `base` + ".mpr" aside and, once it has loaded, puts it in the place of the
// open project. Failed (after its message) when the file could not be loaded: the open project is then
// left exactly as it was.
Outcome load_project_named(EditorContext& ctx, const std::string& base);
// Saves the open project through the progress dialog; Ok when the file was written. The first Save of
// a project made by New asks before it replaces an existing file (Cancelled on No).
Outcome save_project_command(EditorContext& ctx);
// Saves the open project into a file chosen in a Save dialog, which then names the project. An existing
// file other than the project's own is replaced only after the first Save's question; on No, Cancel
// or a failed write the project keeps its name and file.
Outcome save_project_as_command(EditorContext& ctx);
// Opens the recent project `index` as Open does, after the same question; a file that does not load any
// more leaves the open project as it was and leaves the list.
Outcome open_recent_project_command(EditorContext& ctx, size_t index);

// Yes, No or Cancel to "Save current project?", saving on Yes. A save that fails turns the answer
// into Cancel (outcome Failed): the caller must not go on to discard the unsaved work.
struct SaveQuestion {
    Outcome outcome = Outcome::Cancelled;
    Answer answer = Answer::Cancel;
};
SaveQuestion confirm_save(EditorContext& ctx);

// A path that does not fit the record field of `field_size` bytes it goes into is refused with a
// message rather than cut into another file's name; true when it was refused.
bool path_too_long(EditorContext& ctx, const std::string& path, int field_size);

// Frees every object and bitmap image of the open project and forgets everything of the editor that
// points into it (current objects, hot item, current layer, a figure's drag copy).
void release_project(EditorContext& ctx);

// Window titles and filters of the project commands' file dialogs.
inline constexpr const char* kOpenProjectTitle = "Open Project";
inline constexpr const char* kProjectFileNameTitle = "Project File Name";
inline constexpr const char* kSaveProjectAsTitle = "Save Project As";
inline constexpr const char* kSelectBitmapTitle = "Select backgound bitmap";
inline constexpr const char* kLoadErrorText = "An error occurred while loading project!";
inline constexpr const char* kSaveFailedText = "The project could not be saved!";

}  // namespace plotwell

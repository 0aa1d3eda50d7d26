// The commands that change which project is open: New, Open, Close, the load of a named project,
// Save, and the "Save current project?" question.
//
// They are the next step of the editor. Until they are built each reports Outcome::NotAvailable and
// changes nothing.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

Outcome new_project_command(EditorContext& ctx);
Outcome open_project_command(EditorContext& ctx);
Outcome close_project_command(EditorContext& ctx);
Outcome load_after_open(EditorContext& ctx);
// Saves the open project through the progress dialog; Ok when the file was written.
Outcome save_project_command(EditorContext& ctx);
// Yes, No or Cancel to "Save current project?", saving on Yes.
struct SaveQuestion {
    Outcome outcome = Outcome::NotAvailable;
    Answer answer = Answer::Cancel;
};
SaveQuestion confirm_save(EditorContext& ctx);

}  // namespace plotwell

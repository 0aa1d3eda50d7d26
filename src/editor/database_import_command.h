// A map database back into the editor: File > Import > "from &Trekpad map..." merges its objects into
// the open project, and the New Project template "From &Trekpad map" makes a project of it.
#pragma once

#include <memory>
#include <string>

#include "editor/editor_context.h"
#include "export/database_import.h"
#include "export/import_database_dialog.h"

namespace plotwell {

// "&Edit..." of the import dialog: "Layer Translation" for the selected line; true when it was stored.
bool edit_database_translation(ImportDatabaseDialog& dialog, Host& host);

// The editor has already checked that a project is open. Ok when objects were added: the view is then
// fitted and the project marked modified.
Outcome import_database_command(EditorContext& ctx);

// The New Project template: the chosen database read as a project, and the new project's file name.
struct DatabaseProject {
    std::unique_ptr<Project> project = std::make_unique<Project>();
    DatabaseImport imported;
    std::string base;
};
// Asks for the database and the new project file and reads the database; Failed after a message when
// it cannot be read.
Outcome choose_database_project(EditorContext& ctx, DatabaseProject& chosen);
// After New has put the chosen project in place: its name, geo information and export settings come
// from the database (New clears them for every other template).
void finish_database_project(EditorContext& ctx, DatabaseProject& chosen);

}  // namespace plotwell

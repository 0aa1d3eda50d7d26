// Everything that lives for the whole run of the program, held in one place and passed by reference:
// the open project, the editor and view state, the export's choices and map IDs, the publisher
// details, the categories file and the folders the program works from.
#pragma once

#include <string>

#include "dialogs/categories_file.h"
#include "dialogs/category_point_dialog.h"
#include "editor/editor_state.h"
#include "editor/history.h"
#include "editor/recent_projects.h"
#include "editor/view_state.h"
#include "export/export_settings.h"
#include "export/map_id_table.h"
#include "export/publisher.h"
#include "model/records.h"
#include "project/bitmap_paths.h"

namespace plotwell {

struct Workspace {
    Project project;
    EditorState editor;
    ViewState view;
    std::string program_dir;  // always ends in a directory separator
    // The folder the program started in, where "map-id.txt" and "publisher.txt" live; empty: the
    // working directory.
    std::string start_dir;
    PublisherInfo publisher;
    CategoriesFile categories;
    CategoryChoices category_choices;  // the categories' names, as the category point dialog lists them
    ExportSettings export_settings;
    MapIdTable map_ids;
    // The open project was loaded from its file or saved to it: Save may write over that file without
    // asking. A project made by New has not been, and its first Save asks before replacing a file.
    bool project_file_named = false;
    History history;
    RecentProjects recent_projects;  // what the File menu offers to open again
};

// A file of the start folder: "map-id.txt", "publisher.txt".
std::string in_start_dir(const Workspace& workspace, const std::string& file_name);

// Where the open project's relative bitmap names are found.
BitmapFolders bitmap_folders(const Workspace& workspace);

}  // namespace plotwell

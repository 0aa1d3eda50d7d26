// Everything that lives for the whole run of the program, held in one place and passed by reference:
// the open project, the program directory and (as the subsystems arrive) the editor, export and
// publisher state and the categories file.
#pragma once

#include <string>

#include "app/categories_file.h"
#include "app/publisher.h"
#include "editor/editor_state.h"
#include "editor/view_state.h"
#include "export/export_settings.h"
#include "export/map_id_table.h"
#include "model/records.h"

namespace plotwell {

struct Workspace {
    Project project;
    EditorState editor;
    ViewState view;
    std::string program_dir;  // always ends in a directory separator
    PublisherInfo publisher;
    CategoriesFile categories;
    ExportSettings export_settings;
    MapIdTable map_ids;
};

}  // namespace plotwell

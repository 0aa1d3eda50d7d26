// Each group of dialog views adds itself to the program's registry (see standard_dialog_views).
#pragma once

namespace plotwell::qt {

class DialogViews;

void add_import_views(DialogViews& views);
void add_layer_views(DialogViews& views);
void add_export_views(DialogViews& views);
void add_object_views(DialogViews& views);

void add_project_views(DialogViews& views);
void add_database_import_views(DialogViews& views);
}  // namespace plotwell::qt

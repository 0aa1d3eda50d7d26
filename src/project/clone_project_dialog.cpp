#include "project/clone_project_dialog.h"

namespace plotwell {

FileDialogOptions project_file_options(const char* title, unsigned flags) {
    FileDialogOptions o;
    o.title = title;
    o.filter_name = "Map Project";
    o.filter_pattern = "*.mpr";
    o.default_extension = ".mpr";
    o.flags = flags | kHideReadOnly;
    return o;
}

void CloneProjectDialog::browse(Host& host) {
    if (auto path = host.open_file_dialog(project_file_options("Source Project", kFileMustExist)))
        source_project = *path;
}

void CloneProjectDialog::file(Host& host) {
    // Replacing an existing file is asked when the clone is written.
    if (auto path = host.save_file_dialog(project_file_options("New Project", 0))) new_project = *path;
}

}  // namespace plotwell

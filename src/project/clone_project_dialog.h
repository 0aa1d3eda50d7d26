// The "Clone Project" dialog of the New Project templates, without its toolkit: the source project and
// the new project's name, which the New command clones from after OK.
#pragma once

#include <string>

#include "project/import_project_dialog.h"

namespace plotwell {

// A file dialog for project files (".mpr"), as every project command shows it.
FileDialogOptions project_file_options(const char* title, unsigned flags);

struct CloneProjectDialog : DialogModel {
    std::string_view dialog_title() const override { return "Clone Project"; }
    std::string source_project;  // "&Source Project:"
    std::string new_project;     // "&New Project:"

    void browse(Host& host);  // "&Browse...": an Open dialog for the source project
    void file(Host& host);    // "&File...": a Save dialog for the new project
    DialogResult ok() { return DialogResult::kOk; }
    DialogResult cancel() { return DialogResult::kCancel; }
};

}  // namespace plotwell

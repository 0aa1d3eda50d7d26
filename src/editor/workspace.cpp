#include "editor/workspace.h"

#include <filesystem>

#include "model/text.h"

namespace plotwell {

std::string in_start_dir(const Workspace& workspace, const std::string& file_name) {
    if (workspace.start_dir.empty()) return file_name;
    return (std::filesystem::path(workspace.start_dir) / file_name).string();
}

BitmapFolders bitmap_folders(const Workspace& workspace) {
    return {project_dir_of(field_text(workspace.project.file_base_name)), workspace.program_dir};
}

}  // namespace plotwell

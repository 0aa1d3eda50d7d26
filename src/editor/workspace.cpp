#include "editor/workspace.h"

#include <filesystem>

namespace plotwell {

std::string in_start_dir(const Workspace& workspace, const std::string& file_name) {
    if (workspace.start_dir.empty()) return file_name;
    return (std::filesystem::path(workspace.start_dir) / file_name).string();
}

}  // namespace plotwell

#include "app/startup.h"

#include <filesystem>

#include "app/frame_text.h"

namespace plotwell {

namespace {
std::string in_dir(const std::string& dir, const char* name) {
    return dir.empty() ? name : (std::filesystem::path(dir) / name).string();
}
}  // namespace

StartUp start_up(Workspace& workspace, int argc, const char* const* argv, const std::string& current_dir) {
    StartUp result;
    workspace.program_dir = program_dir(argc > 0 && argv ? argv[0] : nullptr);
    read_publisher(workspace.publisher, in_dir(current_dir, kPublisherFileName));

    std::string name = kCategoriesBaseName;
    if (!load_categories(workspace.categories, name, current_dir) &&
        !load_categories(workspace.categories, name, workspace.program_dir)) {
        result.error = kCategoriesMissingMessage;
        return result;
    }
    workspace.category_choices = category_choices(workspace.categories);
    result.ok = true;
    if (argc > 1) result.load_project = take_command_line_project(workspace.project, argc - 1, argv + 1);
    return result;
}

void shut_down(Workspace& workspace, const std::string& current_dir) {
    // At exit there is no one left to tell; a failed write keeps the file that was there.
    (void)write_publisher(workspace.publisher, in_dir(current_dir, kPublisherFileName));
    release_project_data(workspace.project);
}

}  // namespace plotwell

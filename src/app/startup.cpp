#include "app/startup.h"

#include <filesystem>
#include <system_error>

#include "app/frame_text.h"
#include "model/text.h"

namespace plotwell {

namespace {

// The project named on the command line, made absolute against the start folder.
void take_project_argument(Workspace& workspace, int argc, const char* const* args, StartUp& result) {
    if (!take_command_line_project(workspace.project, argc, args)) return;
    std::filesystem::path base(strip_file_extension(args[0]));
    if (base.is_relative()) base = std::filesystem::path(workspace.start_dir) / base;
    const std::string named = base.lexically_normal().string();
    if (named.size() >= size_t(kFileBaseNameSize)) {
        // A cut name would load, and later save, another file.
        set_field(workspace.project.file_base_name, "");
        result.notice = kFileNameTooLongMessage;
        return;
    }
    set_field(workspace.project.file_base_name, named);
    result.load_project = true;
}

}  // namespace

StartUp start_up(Workspace& workspace, int argc, const char* const* argv, const std::string& current_dir) {
    StartUp result;
    workspace.program_dir = program_dir(argc > 0 && argv ? argv[0] : nullptr);
    std::error_code ec;
    workspace.start_dir = current_dir.empty() ? std::filesystem::current_path(ec).string() : current_dir;
    read_publisher(workspace.publisher, in_start_dir(workspace, kPublisherFileName));

    std::string name = kCategoriesBaseName;
    // The working directory's file wins: a map's own categories go with its folder.
    const std::string installed =
        (std::filesystem::path(workspace.program_dir) / ".." / "share" / "plotwell" / "")
            .lexically_normal()
            .string();
    if (!load_categories(workspace.categories, name, current_dir) &&
        !load_categories(workspace.categories, name, workspace.program_dir) &&
        !load_categories(workspace.categories, name, installed)) {
        result.error = kCategoriesMissingMessage;
        result.error_detail = std::string(kCategoriesSearchedMessage) + "\n" + workspace.start_dir + "\n" +
                              workspace.program_dir + "\n" + installed;
        return result;
    }
    workspace.category_choices = category_choices(workspace.categories);
    result.ok = true;
    if (argc > 1) take_project_argument(workspace, argc - 1, argv + 1, result);
    return result;
}

void shut_down(Workspace& workspace) {
    // At exit there is no one left to tell; a failed write keeps the file that was there.
    (void)write_publisher(workspace.publisher, in_start_dir(workspace, kPublisherFileName));
    release_project_data(workspace.project);
}

}  // namespace plotwell

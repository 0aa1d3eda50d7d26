// The parts of start-up and shutdown that need no window, in the order the program runs them. The
// desktop shell shows the message of a failed start and ends; the rest (windows, resources, the
// message loop) is its own.
#pragma once

#include <string>

#include "editor/workspace.h"

namespace plotwell {

inline constexpr const char* kCategoriesMissingMessage = "Cannot find 'categories.tpc' file!";
inline constexpr const char* kCategoriesBaseName = "categories";
inline constexpr const char* kFileNameTooLongMessage = "The file name is too long.";
inline constexpr const char* kCategoriesSearchedMessage = "Looked for 'categories.tpc' in:";

struct StartUp {
    bool ok = false;
    std::string error;          // shown with caption "Error" when !ok; the program then ends
    std::string error_detail;   // shown after `error`: the folders the categories file was looked for in
    bool load_project = false;  // a project was named on the command line: load it once the window shows
    std::string notice;         // shown with caption "Error" once the window shows; the program goes on
};

// Start-up in order: program directory (from `argv[0]`), the publisher details, the categories file,
// the project named on the command line. The publisher file and the categories file are looked up in
// `current_dir` (empty: the current directory), which becomes the workspace's start folder; when the
// categories file is not there, the one beside the program is taken, then the one of an installed
// program (share/plotwell beside its bin folder). The project's name is made absolute against the
// start folder; one too long for its field is refused with a notice.
StartUp start_up(Workspace& workspace, int argc, const char* const* argv,
                 const std::string& current_dir = "");

// Shutdown after the message loop: writes the publisher details into the start folder (a file that
// cannot be written is skipped) and releases the project.
void shut_down(Workspace& workspace);

}  // namespace plotwell

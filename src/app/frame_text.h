// The texts of the program's frame: the program directory, the title bar and the project named on the
// command line.
#pragma once

#include <string>
#include <string_view>

#include "model/records.h"

namespace plotwell {

// The directory of a program path, ending in "/": surrounding quotes are removed; a bare name gives
// "./". Backslashes separate directories too, as in a path taken from a Windows command line.
std::string program_dir_from_path(std::string_view program_path);

// The directory of this program's own file, ending in "/". `argv0` is used only when the system cannot
// name the running executable.
std::string program_dir(const char* argv0);

// Takes the optional project argument of the command line into `file_base_name`; true when a project
// is to be loaded once the main window is shown. `args` are the arguments after the program name.
bool take_command_line_project(Project& project, int argc, const char* const* args);

}  // namespace plotwell

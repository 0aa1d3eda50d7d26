// Background bitmap file names: stored relative to the program directory when the file lies below it,
// absolute otherwise.
#pragma once

#include <string>
#include <string_view>

namespace plotwell {

// The path as stored: without the program directory when it begins with it (letter case ignored).
std::string relative_to_program_dir(std::string_view path, std::string_view program_dir);

// The path to open for a stored name: a relative name lies below the program directory.
std::string bitmap_file_path(std::string_view file_name, std::string_view program_dir);

}  // namespace plotwell

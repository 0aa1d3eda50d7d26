// Background bitmap file names: stored relative to the program directory when the file lies below it,
// absolute otherwise. Every read of a bitmap (its image, its size) finds the file through
// resolve_bitmap_path, so that what one reader finds the others find too.
#pragma once

#include <string>
#include <string_view>

namespace plotwell {

// Where relative bitmap names are looked for; each folder is empty or ends in a directory separator.
struct BitmapFolders {
    std::string project_dir;  // the folder of the project file
    std::string program_dir;
};

// The path as stored: without the program directory when it begins with it (letter case ignored).
std::string relative_to_program_dir(std::string_view path, std::string_view program_dir);

// A stored name below one folder: a relative name is joined to it, an absolute one stays as it is.
std::string bitmap_file_path(std::string_view file_name, std::string_view program_dir);

// The file to read for a stored name: a relative name is tried beside the project file, then below the
// program directory, then from the working directory, where it is left when found nowhere.
std::string resolve_bitmap_path(std::string_view file_name, const BitmapFolders& folders);

// The folder of a project file's base name with its separator, or empty for a name without a folder.
std::string project_dir_of(std::string_view base_name);

}  // namespace plotwell

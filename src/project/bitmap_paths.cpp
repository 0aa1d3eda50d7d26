#include "project/bitmap_paths.h"

#include <filesystem>
#include <system_error>

#include "model/text.h"

namespace plotwell {

namespace {

// "/x", "\\server\x" and "C:\x" or "C:/x" name a file on their own.
bool is_absolute(std::string_view p) {
    if (p.empty()) return false;
    if (p[0] == '/' || p[0] == '\\') return true;
    return p.size() >= 3 && p[1] == ':' && (p[2] == '\\' || p[2] == '/');  // a drive letter
}

bool file_exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

std::string relative_to_program_dir(std::string_view path, std::string_view program_dir) {
    if (!program_dir.empty() && path.size() >= program_dir.size() &&
        equal_ignoring_case(path.substr(0, program_dir.size()), program_dir))
        return std::string(path.substr(program_dir.size()));
    return std::string(path);
}

std::string bitmap_file_path(std::string_view file_name, std::string_view program_dir) {
    if (file_name.empty() || is_absolute(file_name)) return std::string(file_name);
    return std::string(program_dir) + std::string(file_name);
}

std::string resolve_bitmap_path(std::string_view file_name, const BitmapFolders& folders) {
    if (file_name.empty() || is_absolute(file_name)) return std::string(file_name);
    // A project kept with its pictures (a sample, a folder copied from another machine) finds them
    // beside itself; names the Background Bitmaps dialog stored are below the program directory.
    for (const std::string* dir : {&folders.project_dir, &folders.program_dir}) {
        if (dir->empty()) continue;
        std::string path = bitmap_file_path(file_name, *dir);
        if (file_exists(path)) return path;
    }
    return std::string(file_name);
}

std::string project_dir_of(std::string_view base_name) {
    size_t end = base_name.size();
    while (end > 0 && !is_path_separator(base_name[end - 1])) --end;
    return std::string(base_name.substr(0, end));
}

}  // namespace plotwell

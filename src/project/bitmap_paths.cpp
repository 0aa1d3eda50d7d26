#include "project/bitmap_paths.h"

#include "model/text.h"

namespace plotwell {

namespace {

bool is_absolute(std::string_view p) {
    if (p.empty()) return false;
    if (p[0] == '/' || p[0] == '\\') return true;
    return p.size() >= 3 && p[1] == ':' && (p[2] == '\\' || p[2] == '/');  // a drive letter
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

}  // namespace plotwell

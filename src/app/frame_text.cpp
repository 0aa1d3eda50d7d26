#include "app/frame_text.h"

#include <filesystem>
#include <system_error>

#include "model/text.h"

namespace plotwell {

std::string program_dir_from_path(std::string_view path) {
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    else if (!path.empty() && path.front() == '"')
        path.remove_prefix(1);
    size_t end = path.size();
    while (end > 0 && !is_path_separator(path[end - 1])) --end;
    if (end == 0) return "./";
    std::string dir(path.substr(0, end));
    if (!is_path_separator(dir.back())) dir += '/';
    return dir;
}

std::string program_dir(const char* argv0) {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && self.is_absolute()) return program_dir_from_path(self.string());
    std::filesystem::path given = argv0 ? argv0 : "";
    if (!given.is_absolute() && given.has_parent_path()) given = std::filesystem::absolute(given, ec);
    return program_dir_from_path(given.string());
}

bool take_command_line_project(Project& project, int argc, const char* const* args) {
    if (argc < 1 || !args || !args[0] || !*args[0]) return false;
    const std::string base = strip_file_extension(args[0]);
    if (base.empty()) return false;
    set_field(project.file_base_name, base);
    return true;
}

}  // namespace plotwell

#include "tool_project.h"

#include <charconv>
#include <cstdio>

#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_dump.h"
#include "terminal_sink.h"

namespace plotwell::tool {

bool project_base_name(const std::string& path, std::string& base) {
    if (path.size() <= 4 || !equal_ignoring_case(std::string_view(path).substr(path.size() - 4), ".mpr"))
        return false;
    base = cut_at_last_dot(path);
    return true;
}

Result load_project_for_tool(const std::string& path, Project& project, ProjectFileReport* report) {
    std::string base;
    if (!project_base_name(path, base))
        return failure(path + ": not a project file name (it must end in .mpr)");
    TerminalSink progress;  // a bar on a terminal for big files, nothing otherwise
    ProjectFileReport local;
    ProjectFileReport& r = report ? *report : local;
    const bool loaded = load_project_file(project, base, progress, &r);
    progress.close_progress(loaded);
    if (loaded) return success();
    return failure(path + ": " + (r.problems.empty() ? std::string("cannot be loaded") : r.problems.back()));
}

std::string quoted(std::string_view text) {
    return dump_quoted(text);
}

bool parse_int32(std::string_view text, int32_t& value) {
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.emplace_back(
            text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

}  // namespace plotwell::tool

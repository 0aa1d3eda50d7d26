// The projects opened or saved last, newest first, as the File menu lists them. The toolkit stores the
// list between runs; the editor only keeps it in order.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace plotwell {

inline constexpr size_t kMaxRecentProjects = 8;

struct RecentProjects {
    std::vector<std::string> files;  // project file paths, newest first, no two the same
};

// Puts `file` first, dropping an earlier entry for the same file and the oldest beyond the limit.
void add_recent_project(RecentProjects& recent, const std::string& file);
// Drops the entry for `file`, if there is one.
void remove_recent_project(RecentProjects& recent, const std::string& file);

}  // namespace plotwell

#include "editor/recent_projects.h"

#include <algorithm>
#include <filesystem>

namespace plotwell {

namespace {
// "maps/./city.mpr" and "maps/city.mpr" are one entry.
std::string same_form(const std::string& file) {
    return std::filesystem::path(file).lexically_normal().string();
}
}  // namespace

void add_recent_project(RecentProjects& recent, const std::string& file) {
    if (file.empty()) return;
    const std::string entry = same_form(file);
    remove_recent_project(recent, entry);
    recent.files.insert(recent.files.begin(), entry);
    if (recent.files.size() > kMaxRecentProjects) recent.files.resize(kMaxRecentProjects);
}

void remove_recent_project(RecentProjects& recent, const std::string& file) {
    const std::string entry = same_form(file);
    std::erase_if(recent.files, [&](const std::string& f) { return same_form(f) == entry; });
}

}  // namespace plotwell

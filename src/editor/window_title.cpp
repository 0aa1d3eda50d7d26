#include "editor/window_title.h"

#include "model/text.h"

namespace plotwell {

std::string window_title(const Project& project) {
    // The base name may carry the directory the project file lies in; the title names the file only.
    std::string_view base = field_text(project.file_base_name);
    const size_t slash = base.find_last_of("/\\");
    if (slash != std::string_view::npos && slash + 1 < base.size()) base.remove_prefix(slash + 1);
    std::string title = "Plotwell - ";
    if (base.empty()) {
        title += "<no project>";
    } else {
        title += base;
        if (project.modified) title += " *";
    }
    if (title.size() > kTitleLimit) title.resize(kTitleLimit);
    return title;
}

void update_title(const Project& project, Host& host) {
    host.set_title(window_title(project));
}

}  // namespace plotwell

#include "editor/window_title.h"

#include "model/text.h"

namespace plotwell {

std::string window_title(const Project& project) {
    const std::string_view base = field_text(project.file_base_name);
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

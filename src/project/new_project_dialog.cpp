#include "project/new_project_dialog.h"

namespace plotwell {

std::optional<ProjectTemplate> choose_project_template(Host& host) {
    NewProjectModel model;
    if (host.run_dialog(model) != 1) return std::nullopt;
    return model.answer();
}

}  // namespace plotwell

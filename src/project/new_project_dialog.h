// "New Project": which template a new project starts from.
#pragma once

#include <optional>

#include "platform/host.h"

namespace plotwell {

enum class ProjectTemplate { FromBitmap = 0, EmptyDegrees = 1, Clone = 2, FromDatabase = 3 };

class NewProjectModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "New Project";
    // The offered choices in answer order.
    static constexpr int kChoiceCount = 4;
    static constexpr const char* kChoices[kChoiceCount] = {
        "&Simple project, from single background bitmap.",
        "&Empty project. Decimal degrees coordinate system.",
        "&Clone existing project (copy layer structure)",
        "From &Trekpad map (auto import, copy layer structure)."};

    std::string_view dialog_title() const override { return kTitle; }

    int choice = 0;  // the checked radio button; the first at opening
    void select(int index) {
        if (index >= 0 && index < kChoiceCount) choice = index;
    }
    ProjectTemplate answer() const { return ProjectTemplate(choice); }
};

// Shows the dialog; the chosen template, or none when it was cancelled.
std::optional<ProjectTemplate> choose_project_template(Host& host);

}  // namespace plotwell

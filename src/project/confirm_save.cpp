#include "project/confirm_save.h"

namespace plotwell {

Answer confirm_save(Project& project, Host& host, const std::function<bool()>& save) {
    const Answer a = host.message_box("Save current project?", "Confirm", MessageIcon::Question,
                                      MessageButtons::YesNoCancel);
    if (a == Answer::Cancel) return a;
    if (a == Answer::Yes && save) save();
    project.modified = 0;
    return a;
}

}  // namespace plotwell

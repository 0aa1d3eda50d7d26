#include "editor/project_commands.h"

namespace plotwell {

// Not built yet: see project_commands.h.
Outcome new_project_command(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome open_project_command(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome close_project_command(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome load_after_open(EditorContext&) {
    return Outcome::NotAvailable;
}
Outcome save_project_command(EditorContext&) {
    return Outcome::NotAvailable;
}
SaveQuestion confirm_save(EditorContext&) {
    return {};
}

}  // namespace plotwell

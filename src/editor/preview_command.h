// View > "&Preview Map Database...": a map database shown as the handheld shows it, in a window with
// the five zoom levels and panning.
#pragma once

#include <string>

#include "editor/editor_context.h"

namespace plotwell {

// Asks for the database, the last export's file offered first, and shows it. Works without a project.
Outcome preview_database_command(EditorContext& ctx);

// Shows the database at `path`; a file that cannot be read is an error message.
Outcome preview_database(EditorContext& ctx, const std::string& path);

}  // namespace plotwell

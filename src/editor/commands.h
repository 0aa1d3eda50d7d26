// The main window's command handler: every command number of the menu, the accelerators, the toolbar,
// the context menus and the start-up load.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

enum class CommandResult {
    Done,     // handled (including a refusal with its message, or nothing to do)
    Unknown,  // not a command of the editor: default window processing
};

CommandResult handle_command(EditorContext& ctx, int command);

// The close request (Exit, the close box): false keeps the window open.
bool close_request(EditorContext& ctx);

// After an import into `layer`: a layer that would not be drawn (not current, not shown always)
// becomes the current layer, so that what came in is seen.
void show_imported_layer(EditorContext& ctx, int layer);

// Layer Up and Layer Down.
void layer_up(EditorContext& ctx);
void layer_down(EditorContext& ctx);

}  // namespace plotwell

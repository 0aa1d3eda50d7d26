// The commands the program frame provides to the editor: the publisher details and the about box.
#pragma once

#include "app/workspace.h"
#include "editor/editor_context.h"

namespace plotwell {

// "P&ublisher settings...": Ok when the dialog was confirmed and stored.
Outcome publisher_settings(EditorContext& ctx, PublisherInfo& info);
// "&About...".
Outcome about_box(EditorContext& ctx);

// Fills the frame's slots of the editor's command hooks; the other slots are left as they are.
void add_frame_hooks(CommandHooks& hooks, Workspace& workspace);

}  // namespace plotwell

// Undo and redo as the editor's commands, and the end of each input event, where the changes it made
// to the project become one step of the history.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/editor_context.h"

namespace plotwell {

// Ends an event: whatever it changed in the project becomes one undo step named `label`. A drag still
// under way is left for the release that ends it. `maybe_changed` makes the project be compared even
// when nothing said it changed (commands that touch view flags stored in the project).
void finish_change(EditorContext& ctx, std::string_view label, bool maybe_changed = false);

// What a figure drawn with the current tool becomes: "New Line" and so on.
const char* drawing_label(const EditorState& editor);

// Ctrl+Z: the last placed point while a figure is being drawn, otherwise the last change.
void undo_key_command(EditorContext& ctx);
void undo_command(EditorContext& ctx);
void redo_command(EditorContext& ctx);

// What a command is called in the Undo entry: its menu caption without the mnemonic and the dots,
// "Import ShapeFile" for "from &ShapeFile..." of the Import menu.
std::string command_label(int command);

// The Edit menu's entries as they read now ("&Undo Delete"), and whether they can be chosen.
struct HistoryEntry {
    std::string caption;
    bool enabled = false;
};
HistoryEntry undo_entry(const Workspace& workspace);
HistoryEntry redo_entry(const Workspace& workspace);

}  // namespace plotwell

// Vertex commands on the single current object or the hot item: insert, add and delete a point, split
// and join. Each answers Ok when it changed something, Cancelled when there was nothing to do and
// Failed when it refused; the commands that call them add their messages.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

Outcome insert_point(EditorContext& ctx);
Outcome add_point(EditorContext& ctx);
Outcome delete_point(EditorContext& ctx);
Outcome split_line(EditorContext& ctx);     // Failed: "Bad split point"
Outcome split_polygon(EditorContext& ctx);  // Failed: "Bad split points"
// Failed unless two_lines_current.
Outcome join_lines(EditorContext& ctx);
// Exactly two different lines are current: what Join Lines needs.
bool two_lines_current(const EditorState& editor);

}  // namespace plotwell

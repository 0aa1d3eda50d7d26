// The object clipboard: Cut, Copy and Paste of the current objects.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

Outcome cut_objects(EditorContext& ctx);
Outcome copy_objects(EditorContext& ctx);
Outcome paste_objects(EditorContext& ctx);

}  // namespace plotwell

// The commands of a background bitmap's context menu, on the hot bitmap.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

Outcome set_bitmap_locked(EditorContext& ctx, bool locked);
Outcome set_bitmap_hidden(EditorContext& ctx, bool hidden);

}  // namespace plotwell

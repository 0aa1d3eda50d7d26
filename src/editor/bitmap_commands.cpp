#include "editor/bitmap_commands.h"

#include "model/text.h"
#include "project/project_tasks.h"

namespace plotwell {

Outcome set_bitmap_locked(EditorContext& ctx, bool locked) {
    BackgroundBitmap* b = hot_bitmap_ptr(ctx.project, ctx.editor);
    if (!b || bool(b->flags & kBitmapLocked) == locked) return Outcome::Cancelled;
    b->flags = locked ? uint16_t(b->flags | kBitmapLocked) : uint16_t(b->flags & ~kBitmapLocked);
    return Outcome::Ok;
}

Outcome set_bitmap_hidden(EditorContext& ctx, bool hidden) {
    BackgroundBitmap* b = hot_bitmap_ptr(ctx.project, ctx.editor);
    if (!b || bool(b->flags & kBitmapHidden) == hidden) return Outcome::Cancelled;
    if (hidden) {
        b->flags = uint16_t(b->flags | kBitmapHidden);
        b->image.reset();
    } else {
        b->flags = uint16_t(b->flags & ~kBitmapHidden);
        // Found where the load looks for it.
        b->image = bitmap_loader(bitmap_folders(ctx.workspace))(std::string(field_text(b->file_name)));
    }
    return Outcome::Ok;
}

}  // namespace plotwell

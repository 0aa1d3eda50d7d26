// The object clipboard (Cut, Copy, Paste) and the commands of a background bitmap's context menu.
#include "editor/editing.h"
#include "editor/selection.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "project/project_tasks.h"

namespace plotwell {

namespace {

// The clipboard becomes copies of the current objects, newest copy first (reverse set order).
bool fill_clipboard(EditorState& ed) {
    MapObject* chain = nullptr;
    for (const MapObject* o : ed.current_objects) {
        MapObject* copy = duplicate_object(o);
        if (!copy) {
            while (chain) {
                MapObject* next = chain->next;
                free_object(chain);
                chain = next;
            }
            return false;
        }
        copy->next = chain;
        chain = copy;
    }
    free_clipboard(ed);
    ed.clipboard = chain;
    return true;
}

BackgroundBitmap* hot_bitmap(EditorContext& ctx) {
    const EditorState& ed = ctx.editor;
    const int i = ed.hot_bitmap;
    if (ed.hot_kind != HotKind::Bitmap || i < 0 || i >= ctx.project.bitmaps.count || i >= kMaxBitmaps)
        return nullptr;
    return &ctx.project.bitmaps.entries[i];
}

}  // namespace

Outcome copy_objects(EditorContext& ctx) {
    if (ctx.editor.current_objects.empty()) return Outcome::Cancelled;
    return fill_clipboard(ctx.editor) ? Outcome::Ok : Outcome::Failed;
}

Outcome cut_objects(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    if (ed.current_objects.empty()) return Outcome::Cancelled;
    Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!fill_clipboard(ed)) return Outcome::Failed;
    if (layer) {
        for (MapObject* o : ed.current_objects)
            if (o->dimension != kDimDeleted) delete_object(*layer, o);
    }
    if (ed.hot_kind == HotKind::Object) clear_hot_item(ed);
    set_current_object(ctx, nullptr);
    mark_modified(ctx);
    return Outcome::Ok;
}

Outcome paste_objects(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    Layer* layer = current_layer_ptr(ctx.project, ed);
    if (!ed.clipboard || !layer) return Outcome::Cancelled;
    // Each copy goes in front of the previous one, which restores the order of the copied set.
    MapObject* chain = nullptr;
    for (const MapObject* o = ed.clipboard; o; o = o->next) {
        MapObject* copy = duplicate_object(o);
        if (!copy) {
            while (chain) {
                MapObject* next = chain->next;
                free_object(chain);
                chain = next;
            }
            return Outcome::Failed;
        }
        copy->next = chain;
        chain = copy;
    }
    append_objects(*layer, chain);
    set_current_list(ctx, chain);
    ed.drawing_points.clear();
    mark_modified(ctx);
    return Outcome::Ok;
}

Outcome set_bitmap_locked(EditorContext& ctx, bool locked) {
    BackgroundBitmap* b = hot_bitmap(ctx);
    if (!b) return Outcome::Cancelled;
    b->flags = locked ? uint16_t(b->flags | kBitmapLocked) : uint16_t(b->flags & ~kBitmapLocked);
    return Outcome::Ok;
}

Outcome set_bitmap_hidden(EditorContext& ctx, bool hidden) {
    BackgroundBitmap* b = hot_bitmap(ctx);
    if (!b) return Outcome::Cancelled;
    if (hidden) {
        b->flags = uint16_t(b->flags | kBitmapHidden);
        b->image.reset();
    } else {
        b->flags = uint16_t(b->flags & ~kBitmapHidden);
        // A name relative to the program directory is found there, as at load time.
        b->image = bitmap_loader(ctx.workspace.program_dir)(std::string(field_text(b->file_name)));
    }
    return Outcome::Ok;
}

}  // namespace plotwell

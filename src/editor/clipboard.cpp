#include "editor/clipboard.h"

#include "editor/selection.h"
#include "model/object_storage.h"

namespace plotwell {

namespace {

// Puts a copy of the object in front of the chain; false when memory runs out.
bool push_copy(ObjectChain& chain, const MapObject* o) {
    MapObject* copy = duplicate_object(o);
    if (!copy) return false;
    copy->next = chain.release();
    chain.reset(copy);
    return true;
}

// The clipboard becomes copies of the current objects, newest copy first (reverse set order).
bool fill_clipboard(EditorState& ed) {
    ObjectChain chain;
    for (const MapObject* o : ed.current_objects)
        if (!push_copy(chain, o)) return false;
    ed.clipboard = std::move(chain);
    return true;
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
    ObjectChain copies;
    for (const MapObject* o = ed.clipboard.get(); o; o = o->next)
        if (!push_copy(copies, o)) return Outcome::Failed;
    MapObject* chain = copies.release();
    append_objects(*layer, chain);
    set_current_list(ctx, chain);
    ed.drawing_points.clear();
    mark_modified(ctx);
    return Outcome::Ok;
}

}  // namespace plotwell

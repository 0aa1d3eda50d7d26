#include "app/frame_commands.h"

#include "app/frame_dialogs.h"

namespace plotwell {

Outcome publisher_settings(EditorContext& ctx, PublisherInfo& info) {
    PublisherDetailsModel model(info);
    if (ctx.host.run_dialog(model) != 1) return Outcome::Cancelled;
    model.store();
    return Outcome::Ok;
}

Outcome about_box(EditorContext& ctx) {
    AboutModel model;
    ctx.host.run_dialog(model);
    return Outcome::Ok;
}

void add_frame_hooks(CommandHooks& hooks, Workspace& workspace) {
    hooks.publisher_settings = [&workspace](EditorContext& ctx) {
        return publisher_settings(ctx, workspace.publisher);
    };
    hooks.about = [](EditorContext& ctx) { return about_box(ctx); };
}

}  // namespace plotwell

#include "editor/external_commands.h"

namespace plotwell {

namespace {

using Hook = std::function<Outcome(EditorContext&)> CommandHooks::*;

Outcome call(EditorContext& ctx, Hook hook) {
    if (!ctx.hooks || !(ctx.hooks->*hook)) return Outcome::NotAvailable;
    return (ctx.hooks->*hook)(ctx);
}

}  // namespace

Outcome project_properties_command(EditorContext& ctx) {
    return call(ctx, &CommandHooks::project_properties);
}
Outcome geo_info_command(EditorContext& ctx) {
    return call(ctx, &CommandHooks::geo_info);
}
Outcome publisher_settings_command(EditorContext& ctx) {
    return call(ctx, &CommandHooks::publisher_settings);
}
Outcome export_command(EditorContext& ctx) {
    return call(ctx, &CommandHooks::export_map);
}
Outcome import_shapefile_command(EditorContext& ctx) {
    return call(ctx, &CommandHooks::import_shapefile);
}
Outcome import_project_command(EditorContext& ctx) {
    return call(ctx, &CommandHooks::import_project);
}
Outcome about_command(EditorContext& ctx) {
    return call(ctx, &CommandHooks::about);
}
Outcome edit_layers_command(EditorContext& ctx) {
    return call(ctx, &CommandHooks::edit_layers);
}
Outcome background_bitmaps_command(EditorContext& ctx) {
    return call(ctx, &CommandHooks::background_bitmaps);
}

}  // namespace plotwell

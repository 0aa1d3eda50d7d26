#include "editor/project_dialog_commands.h"

#include "dialogs/about_dialog.h"
#include "editor/layers_dialog.h"
#include "editor/selection.h"
#include "export/publisher_dialog.h"
#include "model/text.h"
#include "project/background_bitmaps_dialog.h"
#include "project/geo_info_dialog.h"
#include "project/project_properties_dialog.h"

namespace plotwell {

namespace {

constexpr int32_t kNewBitmapPixels = 100;

// What Project Properties and Geographic Info may change of what Save writes.
struct ProjectSettings {
    std::string name, parent_map;
    uint8_t projection = 0, coord_sys = 0;
    CoordRange range;
    GeoInfo geo;
    bool operator!=(const ProjectSettings& o) const {
        return name != o.name || parent_map != o.parent_map || projection != o.projection ||
               coord_sys != o.coord_sys || !(range == o.range) || geo.mode != o.geo.mode ||
               geo.scale != o.geo.scale || geo.west != o.geo.west || geo.east != o.geo.east ||
               geo.south != o.geo.south || geo.north != o.geo.north;
    }
};

ProjectSettings project_settings(const Project& p) {
    return {std::string(field_text(p.name)),
            std::string(field_text(p.parent_map_basename)),
            p.projection,
            p.coord_sys,
            p.range,
            p.geo};
}

Outcome outcome_of(int result) {
    return result == 1 ? Outcome::Ok : Outcome::Cancelled;
}

}  // namespace

BitmapPlacement default_bitmap_placement(const ViewState& view, const Project& project) {
    const ScreenRect& r = view.view_rect;
    const Point corner =
        screen_to_world(view, project, {r.left, project.coord_sys == kCoordDegrees ? r.bottom : r.top});
    return {length_to_world(view, kNewBitmapPixels), corner.x, corner.y};
}

Outcome project_properties_dialog(EditorContext& ctx) {
    const ProjectSettings before = project_settings(ctx.project);
    ProjectPropertiesModel model(ctx.project, ctx.host);
    const Outcome o = outcome_of(ctx.host.run_dialog(model));
    if (project_settings(ctx.project) != before) mark_modified(ctx);
    return o;
}

Outcome geo_info_dialog(EditorContext& ctx) {
    const ProjectSettings before = project_settings(ctx.project);
    const SelectionRect& s = ctx.editor.selection_rect;
    GeoInfoModel model(ctx.project, ctx.host, int64_t(s.x2) - s.x1);
    const Outcome o = outcome_of(ctx.host.run_dialog(model));
    if (project_settings(ctx.project) != before) mark_modified(ctx);
    return o;
}

Outcome layers_dialog(EditorContext& ctx) {
    return run_layers_dialog(ctx) ? Outcome::Ok : Outcome::Cancelled;
}

Outcome background_bitmaps_dialog(EditorContext& ctx) {
    BackgroundBitmapsModel model(ctx.project, ctx.host, ctx.workspace.program_dir,
                                 default_bitmap_placement(ctx.view, ctx.project));
    ctx.host.run_dialog(model);
    forget_hot_bitmap(ctx.editor);
    return Outcome::Ok;
}

Outcome publisher_dialog(EditorContext& ctx) {
    return run_publisher_dialog(ctx.workspace.publisher, ctx.host) ? Outcome::Ok : Outcome::Cancelled;
}

Outcome about_dialog(EditorContext& ctx) {
    AboutModel about;
    ctx.host.run_dialog(about);
    return Outcome::Ok;
}

}  // namespace plotwell

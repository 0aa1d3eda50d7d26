#include "editor/status_bar.h"

#include <cstdio>
#include <string>
#include <vector>

#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell {

std::string object_status_text(const EditorState& editor) {
    const std::vector<MapObject*>& set = editor.current_objects;
    if (set.empty()) return "";
    if (set.size() == 1) return std::string(field_text(set.front()->name));
    return std::to_string(set.size()) + " objects";
}

std::string layer_status_text(const Project& project, const EditorState& editor) {
    const Layer* layer = current_layer_ptr(project, editor);
    if (!layer) return "curr layer: <background>";
    const std::string name(field_text(layer->name));
    char text[96];
    std::snprintf(text, sizeof text, "curr layer: %d:%s [%s]", editor.current_layer, name.c_str(),
                  theme_name(layer->theme));
    return text;
}

std::string coord_status_text(const Project& project, const ViewState& view, ScreenPoint mouse) {
    if (project.layer_count <= 0) return "";
    if (empty_range(project.range)) return "<empty range>";
    const Point p = screen_to_world(view, project, mouse);
    char text[64];
    std::snprintf(text, sizeof text, "X: %d, Y: %d", int(p.x), int(p.y));
    return text;
}

namespace {
// Millionths of a degree as "d.dddddd L", the letter by sign.
std::string degrees_text(int32_t v, char positive, char negative) {
    const int64_t a = v < 0 ? -int64_t(v) : int64_t(v);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%06lld %c", (long long)(a / 1000000), (long long)(a % 1000000),
                  v < 0 ? negative : positive);
    return text;
}
}  // namespace

std::string degree_status_text(const Project& project, const ViewState& view, ScreenPoint mouse) {
    if (project.coord_sys != kCoordDegrees || project.layer_count <= 0 || empty_range(project.range))
        return "";
    const Point p = screen_to_world(view, project, mouse);
    return degrees_text(p.y, 'N', 'S') + " " + degrees_text(p.x, 'E', 'W');
}

void show_object_status(EditorContext& ctx) {
    ctx.host.set_status_text(kStatusObjectPart, object_status_text(ctx.editor));
}

void show_layer_status(EditorContext& ctx) {
    ctx.host.set_status_text(kStatusLayerPart, layer_status_text(ctx.project, ctx.editor));
}

void show_coord_status(EditorContext& ctx, ScreenPoint mouse) {
    ctx.host.set_status_text(kStatusCoordPart, coord_status_text(ctx.project, ctx.view, mouse));
    if (ctx.project.coord_sys == kCoordDegrees)
        ctx.host.set_status_text(kStatusDegreePart, degree_status_text(ctx.project, ctx.view, mouse));
}

void clear_object_status(EditorContext& ctx) {
    ctx.host.set_status_text(kStatusObjectPart, "");
    ctx.host.set_status_text(kStatusCoordPart, "");
    ctx.host.set_status_text(kStatusDegreePart, "");
}

}  // namespace plotwell

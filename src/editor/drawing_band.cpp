#include "editor/drawing_band.h"

#include "editor/map_paint.h"

namespace plotwell {

void follow_drawing_band(EditorContext& ctx, ScreenPoint mouse) {
    EditorState& ed = ctx.editor;
    // Taken first: bringing the picture up to date repaints, and a repaint has wiped the old band.
    Canvas& canvas = ctx.host.overlay();
    canvas.set_clip(ctx.view.view_rect);
    if (ed.band_shown) {
        const ScreenPoint old[2] = {ed.band_from, ed.band_to};
        draw_xor_polyline(canvas, old, 2);
        ed.band_shown = false;
    }
    if (ed.drawing_points.empty() || !inside_map_area(ed.layout, mouse)) return;
    ed.band_from = world_to_screen(ctx.view, ctx.project, ed.drawing_points.back());
    ed.band_to = mouse;
    const ScreenPoint band[2] = {ed.band_from, ed.band_to};
    draw_xor_polyline(canvas, band, 2);
    ed.band_shown = true;
}

}  // namespace plotwell

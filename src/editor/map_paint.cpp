#include "editor/map_paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "editor/map_labels.h"
#include "editor/view_style.h"
#include "model/object_storage.h"
#include "model/vocabulary.h"

namespace plotwell {

namespace {

ScreenRect ordered(ScreenPoint a, ScreenPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

int32_t add32(int32_t a, int64_t b) {
    const int64_t v = int64_t(a) + b;
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Objects of up to kScreenBufferPoints points (a polygon's closing repeat included) map into a
// buffer of that size; imported objects can be larger, and the buffer then grows to hold them whole.
std::vector<ScreenPoint>& screen_buffer(size_t needed) {
    thread_local std::vector<ScreenPoint> buffer(kScreenBufferPoints);
    if (buffer.size() < needed) buffer.resize(needed);
    return buffer;
}

// A picture too large to hold: the visible part at screen resolution, from its source, so that
// neither time nor memory follows the file's size.
void paint_large_image(const Image& image, const ScreenRect& dest, const ScreenRect& area, Canvas& canvas) {
    const double dw = double(dest.right) - dest.left, dh = double(dest.bottom) - dest.top;
    const double left = std::max(dest.left, area.left), right = std::min(dest.right, area.right);
    const double top = std::max(dest.top, area.top), bottom = std::min(dest.bottom, area.bottom);
    if (left >= right || top >= bottom) return;
    const ImageSource& file = *image.source;
    const double sx = file.width() / dw, sy = file.height() / dh;  // file pixels per screen pixel
    const auto at = [](double v, int limit) { return int(std::clamp(v, 0.0, double(limit))); };
    const PixelWindow window{at(std::floor((left - dest.left) * sx), file.width()),
                             at(std::floor((top - dest.top) * sy), file.height()),
                             at(std::ceil((right - dest.left) * sx), file.width()),
                             at(std::ceil((bottom - dest.top) * sy), file.height())};
    // The window's own frame on screen, whole file pixels wide.
    const ScreenRect part{
        int32_t(std::lround(dest.left + window.x0 / sx)), int32_t(std::lround(dest.top + window.y0 / sy)),
        int32_t(std::lround(dest.left + window.x1 / sx)), int32_t(std::lround(dest.top + window.y1 / sy))};
    if (part.right <= part.left || part.bottom <= part.top) return;
    if (const auto shown = file.read(window, part.right - part.left, part.bottom - part.top))
        canvas.stretch_image(*shown, part);
}

void paint_bitmaps(const Project& project, const EditorState& editor, const ViewState& view, Canvas& canvas) {
    const int32_t area_w = view.view_rect.right - view.view_rect.left;
    const int32_t area_h = view.view_rect.bottom - view.view_rect.top;
    const int count = std::min<int>(project.bitmaps.count, kMaxBitmaps);
    for (int i = 0; i < count; ++i) {
        const BackgroundBitmap& b = project.bitmaps.entries[i];
        ScreenPoint tl = world_to_screen(view, project, {b.x, b.y});
        const int32_t w = length_to_screen(view, b.width);
        const int32_t h = length_to_screen(view, b.height);
        if (project.coord_sys == kCoordDegrees) tl.y = add32(tl.y, -int64_t(h));  // the stored corner is the lower-left
        const ScreenRect dest{tl.x, tl.y, add32(tl.x, w), add32(tl.y, h)};
        if (b.flags & kBitmapHidden) {
            canvas.set_pen(style::kBlack);
            canvas.set_brush(style::brush(style::kLightGrey));
            canvas.rectangle(ordered({dest.left, dest.top}, {dest.right, dest.bottom}));
        } else if (b.image && b.image->source && dest.right > dest.left && dest.bottom > dest.top) {
            paint_large_image(*b.image, dest, view.view_rect, canvas);
        } else if (b.image && int64_t(w) <= 32 * int64_t(area_w) && int64_t(h) <= 32 * int64_t(area_h)) {
            canvas.stretch_image(*b.image, dest);
        }
        if (editor.current_layer == -1 && !(b.flags & kBitmapLocked)) {
            ScreenPoint handles[8];
            handle_points(tl, w, h, handles);
            draw_markers(handles, 8, canvas, style::kBlack, style::brush(style::kBlack));
        }
    }
}

void paint_layers(const Project& project, const EditorState& editor, const ViewState& view, Canvas& canvas) {
    if (project.layer_count <= 0) return;
    if (length_to_screen(view, project.range.width) > 50000 ||
        length_to_screen(view, project.range.height) > 50000)
        return;
    const int layers = std::min(project.layer_count, kMaxLayers);
    for (int i = 0; i < layers; ++i) {
        const Layer& layer = project.layers[i];
        const bool current = i == editor.current_layer;
        if (!current && !(layer.display_flags & kLayerShowAlways)) continue;
        for (const MapObject* o = layer.objects; o; o = o->next)
            if (o->dimension != kDimDeleted) {
                if (view.fill_polygons) fill_polygon_area(view, project, o, canvas);
                draw_object(view, project, o, canvas, current, RasterMode::Copy);
            }
    }
    if (view.show_names) {
        // Above every layer's figures, so that no later layer hides a name.
        for (int i = 0; i < layers; ++i) {
            const Layer& layer = project.layers[i];
            if (i != editor.current_layer && !(layer.display_flags & kLayerShowAlways)) continue;
            for (const MapObject* o = layer.objects; o; o = o->next)
                draw_object_name(view, project, o, canvas);
        }
    }
}

void paint_figure(const Project& project, const EditorState& editor, const ViewState& view, Canvas& canvas) {
    const size_t n = editor.drawing_points.size();
    if (n == 0) return;
    std::vector<ScreenPoint> pts(n);
    for (size_t i = 0; i < n; ++i) pts[i] = world_to_screen(view, project, editor.drawing_points[i]);
    if (n == 1) {
        draw_markers(pts.data(), 1, canvas, style::kMagenta, style::brush(style::kMagenta));
        return;
    }
    const Color c = editor.tool_mode == kToolPolygon ? style::kGreen : style::kRed;
    canvas.set_pen(c);
    canvas.polyline(pts.data(), int(n));
    draw_markers(pts.data(), int(n), canvas, c, style::brush(c));
}

void paint_selection(const Project& project, const EditorState& editor, const ViewState& view,
                     Canvas& canvas) {
    const SelectionRect& r = editor.selection_rect;
    if (!selection_exists(r)) return;
    const ScreenRect s =
        ordered(world_to_screen(view, project, {r.x1, r.y1}), world_to_screen(view, project, {r.x2, r.y2}));
    canvas.set_pen(style::kBlack);
    canvas.set_brush(style::kHollowBrush);
    canvas.rectangle(s);
    if (editor.tool_mode == kToolRectangle) {
        ScreenPoint handles[8];
        // A rectangle reaching past the int32 edge on screen has its size clamped, not wrapped.
        const auto span = [](int32_t lo, int32_t hi) {
            return int32_t(std::min<int64_t>(int64_t(hi) - lo, INT32_MAX));
        };
        handle_points({s.left, s.top}, span(s.left, s.right), span(s.top, s.bottom), handles);
        draw_markers(handles, 8, canvas, style::kBlack, style::brush(style::kBlack));
    }
}

}  // namespace

void handle_points(ScreenPoint tl, int32_t w, int32_t h, ScreenPoint out[8]) {
    const int32_t r = add32(tl.x, w), b = add32(tl.y, h);
    const int32_t mx = add32(tl.x, w / 2), my = add32(tl.y, h / 2);
    out[0] = {tl.x, tl.y};
    out[1] = {r, tl.y};
    out[2] = {tl.x, b};
    out[3] = {r, b};
    out[4] = {mx, tl.y};
    out[5] = {mx, b};
    out[6] = {tl.x, my};
    out[7] = {r, my};
}

void paint_map(const Project& project, const EditorState& editor, const ViewState& view, Canvas& canvas) {
    canvas.set_clip(view.view_rect);
    canvas.set_raster_mode(RasterMode::Copy);
    canvas.fill_rect(view.view_rect, style::kDarkGrey);

    const CoordRange& range = project.range;
    if (range.width > 0 && range.height > 0) {
        const ScreenPoint a = world_to_screen(view, project, {range.x_min, range.y_min});
        const ScreenPoint e = world_to_screen(
            view, project, {add32(range.x_min, range.width), add32(range.y_min, range.height)});
        const ScreenRect sheet = ordered(a, e);
        // A sheet larger than this would only cost time: it covers the whole area anyway.
        if (a.x <= e.x && int64_t(sheet.right) - sheet.left <= 100000 &&
            int64_t(sheet.bottom) - sheet.top <= 100000)
            canvas.fill_rect(sheet, style::kWhite);
    }
    paint_bitmaps(project, editor, view, canvas);
    paint_layers(project, editor, view, canvas);
    paint_figure(project, editor, view, canvas);
    paint_selection(project, editor, view, canvas);
}

Color object_colour(const MapObject* object) {
    if (object->dimension == kDimPolygon)
        return object->type == kWaterArea ? style::kLightBlue : style::kGreen;
    return object->type == kRiver ? style::kLightBlue : style::kRed;
}

void draw_object(const ViewState& view, const Project& project, const MapObject* object, Canvas& canvas,
                 bool markers, RasterMode mode) {
    if (object->dimension != kDimPoint && !has_points(object)) return;
    const RasterMode previous = canvas.set_raster_mode(mode);
    if (object->dimension == kDimPoint) {
        const ScreenPoint s = world_to_screen(view, project, object_position(object));
        canvas.set_brush(style::brush(style::kMagenta));  // the outline keeps whichever pen is selected
        canvas.rectangle({add32(s.x, -3), add32(s.y, -3), add32(s.x, 4), add32(s.y, 4)});
    } else {
        const bool polygon = object->dimension == kDimPolygon;
        const int32_t n = std::max<int32_t>(object_point_count(object), 0);
        const Color c = object_colour(object);
        if (n >= (polygon ? 3 : 2)) {
            const size_t total = size_t(n) + (polygon ? 1 : 0);
            std::vector<ScreenPoint>& buf = screen_buffer(total);
            const Point* pts = object_points(object);
            for (int32_t i = 0; i < n; ++i) buf[size_t(i)] = world_to_screen(view, project, pts[i]);
            if (polygon) buf[size_t(n)] = buf[0];
            canvas.set_pen(c);
            canvas.set_brush(style::brush(c));
            canvas.polyline(buf.data(), int(total));
            if (markers) draw_markers(buf.data(), int(total), canvas, c, style::brush(c));
        }
    }
    canvas.set_raster_mode(previous);
}

void draw_markers(const ScreenPoint* points, int count, Canvas& canvas, Color pen, Brush brush) {
    canvas.set_pen(pen);
    canvas.set_brush(brush);
    for (int i = 0; i < count; ++i) {
        const ScreenPoint p = points[i];
        canvas.rectangle({add32(p.x, -2), add32(p.y, -2), add32(p.x, 3), add32(p.y, 3)});
    }
}

void draw_xor_frame(Canvas& canvas, const ScreenRect& frame) {
    const RasterMode previous = canvas.set_raster_mode(RasterMode::Xor);
    canvas.set_pen(style::kWhite);
    canvas.set_brush(style::kHollowBrush);
    canvas.rectangle(ordered({frame.left, frame.top}, {frame.right, frame.bottom}));
    canvas.set_raster_mode(previous);
}

void draw_xor_polyline(Canvas& canvas, const ScreenPoint* points, int count) {
    const RasterMode previous = canvas.set_raster_mode(RasterMode::Xor);
    canvas.set_pen(style::kWhite);
    canvas.polyline(points, count);
    canvas.set_raster_mode(previous);
}

}  // namespace plotwell

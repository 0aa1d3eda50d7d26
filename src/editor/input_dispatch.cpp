#include "editor/input_dispatch.h"

#include <cstdlib>
#include <utility>

#include "editor/command_ids.h"
#include "editor/drags.h"
#include "editor/drawing.h"
#include "editor/drawing_band.h"
#include "editor/hit_test.h"
#include "editor/map_paint.h"
#include "editor/menus.h"
#include "editor/selection.h"
#include "editor/status_bar.h"
#include "editor/undo_commands.h"
#include "editor/vertex_edits.h"

namespace plotwell {

namespace {

bool drawing_mode(int mode) {
    return mode == kToolPoint || mode == kToolLine || mode == kToolPolygon;
}

// A click counts only with a current layer and inside the map area; an empty range refuses it.
bool click_allowed(EditorContext& ctx, ScreenPoint p) {
    if (!current_layer_ptr(ctx.project, ctx.editor) || !inside_map_area(ctx.editor.layout, p)) return false;
    const CoordRange& r = ctx.project.range;
    if (r.width < 1 || r.height < 1) {
        ctx.host.message_box(
            "Project has empty coordinate range! You need to import some data, or explicitly set the "
            "coordinate "
            "range.",
            "Error", MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    return true;
}

void set_hot_bitmap(EditorContext& ctx, ScreenPoint p) {
    EditorState& ed = ctx.editor;
    const auto hit = bitmap_hit(ctx.view, ctx.project, p);
    clear_hot_item(ed);
    if (hit) {
        ed.hot_kind = HotKind::Bitmap;
        ed.hot_bitmap = hit->bitmap;
        ed.hot_index = hit->index;
    }
    ctx.host.set_cursor(hit ? hit->cursor : Cursor::Arrow);
}

void set_hot_rectangle(EditorContext& ctx, ScreenPoint p) {
    EditorState& ed = ctx.editor;
    clear_hot_item(ed);
    std::optional<HandleHit> hit;
    // A rectangle that does not exist has no handles to grab.
    if (selection_exists(ed.selection_rect)) {
        const SelectionRect& r = ed.selection_rect;
        hit = handle_hit(world_to_screen(ctx.view, ctx.project, {r.x1, r.y1}),
                         world_to_screen(ctx.view, ctx.project, {r.x2, r.y2}), p, ctx.project.coord_sys);
    }
    if (hit) {
        ed.hot_kind = HotKind::SelectionRect;
        ed.hot_index = hit->index;
    }
    ctx.host.set_cursor(hit ? hit->cursor : Cursor::Arrow);
}

// A press becomes a bitmap drag only once the mouse has moved the platform's drag distance: a plain
// click must leave the bitmap where it is.
bool beyond_drag_distance(const EditorState& ed, ScreenPoint p) {
    const int64_t moved = std::abs(int64_t(p.x) - ed.drag.press.x) + std::abs(int64_t(p.y) - ed.drag.press.y);
    return moved >= ed.layout.metrics.drag_distance;
}

// The left button went up: ends a drag, a rubber band, a click or a placed point.
void release_left(EditorContext& ctx, ScreenPoint p, bool ctrl) {
    EditorState& ed = ctx.editor;
    ed.drag.button_down = false;
    // A release far enough away without a move reported before it still drags.
    if (std::exchange(ed.drag.bitmap_pressed, false) && beyond_drag_distance(ed, p))
        start_bitmap_drag(ctx, ed.drag.press);
    if (ed.drag.dragging) {
        end_drag(ctx, p);
        ed.drag.press_in_map = false;
        return;
    }
    if (ed.current_layer == -1) return;
    if (ed.tool_mode == kToolRectangle) {
        if (!ed.drag.press_in_map) return;
        ed.drag.press_in_map = false;
        end_rubber_band(ctx, p);
    } else if (ed.tool_mode == kToolSelect) {
        if (click_allowed(ctx, p)) click_select(ctx, p, ctrl);
    } else if (drawing_mode(ed.tool_mode)) {
        if (click_allowed(ctx, p)) add_drawing_point(ctx, p);
    }
}

// What a release ends, named for the Undo entry.
const char* release_label(const EditorState& ed) {
    if (ed.drag.bitmap_pressed) return "Move Bitmap";
    if (!ed.drag.dragging) return drawing_label(ed);
    switch (ed.drag.kind) {
        case DragKind::Vertex:
            return "Move Vertex";
        case DragKind::Object:
            return "Move Object";
        case DragKind::Handle:
            return "Resize Objects";
        case DragKind::Bitmap:
            return "Move Bitmap";
        case DragKind::None:
            break;
    }
    return "Edit";
}

}  // namespace

void on_resize(EditorContext& ctx, int32_t client_width, int32_t client_height,
               const WindowMetrics& metrics) {
    ctx.editor.layout = compute_layout(client_width, client_height, metrics);
    ctx.view.view_rect = ctx.editor.layout.map_area;
    ctx.host.set_status_parts(status_part_edges(ctx.editor.layout));
    set_scroll_bars(ctx.view, ctx.project, ctx.host);
}

void on_paint(EditorContext& ctx, Canvas& canvas) {
    paint_map(ctx.project, ctx.editor, ctx.view, canvas);
    ctx.editor.blink_shown = false;  // a repaint restarts the blink cycle
    ctx.editor.band_shown = false;   // and wipes the rubber band
}

bool should_blink(const EditorState& editor) {
    return !editor.current_objects.empty() && !editor.drag.dragging;
}

void on_timer(EditorContext& ctx) {
    if (!should_blink(ctx.editor)) return;
    Canvas& canvas = ctx.host.overlay();
    canvas.set_clip(ctx.view.view_rect);
    for (const MapObject* o : ctx.editor.current_objects)
        draw_object(ctx.view, ctx.project, o, canvas, true, RasterMode::Xor);
    ctx.editor.blink_shown = !ctx.editor.blink_shown;
}

CommandResult on_key(EditorContext& ctx, const KeyPress& press) {
    if (auto command = find_accelerator(press)) return handle_command(ctx, *command);
    switch (press.key) {
        case Key::Left:
            on_scroll(ctx, ScrollBar::Horizontal, ScrollAction::LineBack);
            break;
        case Key::Right:
            on_scroll(ctx, ScrollBar::Horizontal, ScrollAction::LineForward);
            break;
        case Key::Up:
            on_scroll(ctx, ScrollBar::Vertical, ScrollAction::LineBack);
            break;
        case Key::Down:
            on_scroll(ctx, ScrollBar::Vertical, ScrollAction::LineForward);
            break;
        case Key::Escape:
            if (cancel_drawing(ctx) != Outcome::Ok) return CommandResult::Unknown;
            break;
        default:
            return CommandResult::Unknown;
    }
    return CommandResult::Done;
}

CommandResult on_char(EditorContext& ctx, char c) {
    switch (c) {
        case '\r':
            if (ctx.editor.tool_mode == kToolSelect) return handle_command(ctx, cmd::kProperties);
            {
                const char* label = drawing_label(ctx.editor);
                complete_drawing(ctx);
                finish_change(ctx, label);
            }
            return CommandResult::Done;
        case '+':
            return handle_command(ctx, cmd::kZoomIn);
        case '-':
            return handle_command(ctx, cmd::kZoomOut);
        default:
            return CommandResult::Unknown;
    }
}

void on_scroll(EditorContext& ctx, ScrollBar bar, ScrollAction action, int32_t thumb_position) {
    const WindowLayout& l = ctx.editor.layout;
    const int32_t page = bar == ScrollBar::Horizontal ? l.client_width : l.client_height;
    scroll_view(ctx.view, ctx.project, bar, action, page, thumb_position);
    ctx.host.request_redraw();
}

void on_mouse_move(EditorContext& ctx, ScreenPoint p) {
    EditorState& ed = ctx.editor;
    show_coord_status(ctx, p);
    if (ed.drag.dragging) {
        follow_drag(ctx, p);
        return;
    }
    if (ed.current_layer == -1) {
        if (!ed.drag.bitmap_pressed)
            set_hot_bitmap(ctx, p);
        else if (beyond_drag_distance(ed, p)) {
            ed.drag.bitmap_pressed = false;
            if (start_bitmap_drag(ctx, ed.drag.press) == Outcome::Ok) follow_drag(ctx, p);
        }
        return;
    }
    const bool in_map = inside_map_area(ed.layout, p) && current_layer_ptr(ctx.project, ed);
    if (ed.tool_mode == kToolRectangle && !ed.drag.button_down && in_map) {
        set_hot_rectangle(ctx, p);
        return;
    }
    if (ed.tool_mode == kToolSelect && !ed.drag.button_down && in_map) {
        hover(ctx, p);
        return;
    }
    if (ed.tool_mode == kToolRectangle && ed.drag.button_down) follow_rubber_band(ctx, p);
    if (drawing_mode(ed.tool_mode)) follow_drawing_band(ctx, p);
    // Everywhere else (the drawing modes among them) the map area shows the window's own arrow.
    ctx.host.set_cursor(Cursor::Arrow);
}

void on_left_down(EditorContext& ctx, ScreenPoint p, bool ctrl) {
    EditorState& ed = ctx.editor;
    ed.drag.button_down = true;
    ed.drag.press = p;
    if (ed.current_layer == -1) {
        const BackgroundBitmap* b = hot_bitmap_ptr(ctx.project, ed);
        ed.drag.bitmap_pressed = b && !(b->flags & kBitmapLocked);
        return;
    }
    if (ed.tool_mode == kToolRectangle) {
        ed.drag.press_in_map = inside_map_area(ed.layout, p) && current_layer_ptr(ctx.project, ed);
        if (!ed.drag.press_in_map) return;
        if (ed.hot_kind == HotKind::SelectionRect)
            start_handle_drag(ctx, p);
        else
            start_rubber_band(ctx, p);
    } else if (ed.tool_mode == kToolSelect && !ctrl) {
        if (ed.hot_kind == HotKind::Object && ed.hot_item && ed.current_objects.size() == 1 &&
            ed.current_objects.front() == ed.hot_item) {
            if (ed.hot_on_vertex)
                start_vertex_drag(ctx, p);
            else
                start_object_drag(ctx, p);
        }
    }
}

void on_left_up(EditorContext& ctx, ScreenPoint p, bool ctrl) {
    const char* label = release_label(ctx.editor);
    release_left(ctx, p, ctrl);
    finish_change(ctx, label);
}

void on_left_double_click(EditorContext& ctx, ScreenPoint) {
    if (ctx.editor.current_layer != -1 && ctx.editor.tool_mode == kToolSelect)
        handle_command(ctx, cmd::kProperties);
}

void on_right_down(EditorContext&, ScreenPoint) {}

void on_right_up(EditorContext& ctx, ScreenPoint p) {
    ctx.editor.context_point = p;
    const auto menu = choose_context_menu(ctx.project, ctx.editor);
    if (!menu) return;
    if (auto command = ctx.host.popup_menu(*menu, p)) handle_command(ctx, *command);
}

std::optional<int> choose_context_menu(const Project& project, const EditorState& ed) {
    if (ed.current_layer == -1) {
        if (ed.hot_kind != HotKind::Bitmap || ed.hot_bitmap < 0 || ed.hot_bitmap >= project.bitmaps.count)
            return std::nullopt;
        const uint16_t f = project.bitmaps.entries[ed.hot_bitmap].flags;
        const bool locked = f & kBitmapLocked, hidden = f & kBitmapHidden;
        if (locked) return hidden ? kMenuBitmapLockedHidden : kMenuBitmapLockedVisible;
        return hidden ? kMenuBitmapUnlockedHidden : kMenuBitmapUnlockedVisible;
    }
    const bool hot = ed.hot_kind == HotKind::Object && ed.hot_item;
    if (ed.current_objects.size() == 1) {
        switch (ed.current_objects.front()->dimension) {
            case kDimPolygon:
                if (!hot) return std::nullopt;
                return ed.hot_on_vertex ? kMenuPolygonVertex : kMenuSegment;
            case kDimLine:
                if (!hot) return kMenuLineNothingHot;
                return ed.hot_on_vertex ? kMenuLineVertex : kMenuSegment;
            case kDimPoint:
                if (hot && ed.hot_on_vertex) return kMenuPointVertex;
                return std::nullopt;
            default:
                return std::nullopt;
        }
    }
    if (two_lines_current(ed)) return kMenuTwoObjects;
    return std::nullopt;
}

}  // namespace plotwell

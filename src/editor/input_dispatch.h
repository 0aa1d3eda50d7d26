// The main window's event handling without the toolkit: resize, paint, the blink timer, keys and
// characters, the mouse by tool mode, and the context menu. Positions are client pixels.
#pragma once

#include <optional>

#include "editor/commands.h"
#include "editor/editor_context.h"
#include "editor/input.h"
#include "editor/window_layout.h"
#include "platform/canvas.h"

namespace plotwell {

inline constexpr int kBlinkTimerId = 1;
inline constexpr int kBlinkIntervalMs = 300;

void on_resize(EditorContext& ctx, int32_t client_width, int32_t client_height, const WindowMetrics& metrics);
void on_paint(EditorContext& ctx, Canvas& canvas);

// The current objects blink while there are any and no drag is running.
bool should_blink(const EditorState& editor);
void on_timer(EditorContext& ctx);

// A key press passes the accelerator table first; the arrows scroll by a line, Esc drops the figure
// being drawn.
CommandResult on_key(EditorContext& ctx, const KeyPress& press);
// Enter ('\r'), '+' and '-'.
CommandResult on_char(EditorContext& ctx, char c);

void on_mouse_move(EditorContext& ctx, ScreenPoint p);
// Ctrl+click only changes the current objects: it starts no drag.
void on_left_down(EditorContext& ctx, ScreenPoint p, bool ctrl = false);
void on_left_up(EditorContext& ctx, ScreenPoint p, bool ctrl);
void on_left_double_click(EditorContext& ctx, ScreenPoint p);
void on_right_down(EditorContext& ctx, ScreenPoint p);
void on_right_up(EditorContext& ctx, ScreenPoint p);

// The context menu the current state offers, or none.
std::optional<int> choose_context_menu(const Project& project, const EditorState& editor);

// One scroll bar notification (page steps use the main window's client size).
void on_scroll(EditorContext& ctx, ScrollBar bar, ScrollAction action, int32_t thumb_position = 0);

}  // namespace plotwell

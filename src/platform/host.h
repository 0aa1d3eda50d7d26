// What the editor needs from the window system: message boxes, file dialogs, the look of the main
// window (title, status bar, tool buttons, scroll bars, cursor), popup menus, redraws, long tasks behind
// a progress dialog, and modal dialogs that edit a model. The desktop program implements it on its
// toolkit; the tests answer it from a script.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "platform/progress_sink.h"

namespace plotwell {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

enum class BeepKind { Default, Exclamation };

enum class Cursor {
    Arrow,
    Vertex,    // over or dragging a vertex of the single current object
    Segment,   // over a segment of the single current object
    Object,    // over an object of the current layer
    Move,      // dragging an object
    SizeNwse,  // sizing cursors of the handles
    SizeNesw,
    SizeNs,
    SizeWe,
    SizeAll,  // the body of a bitmap
};

// File dialog flags.
inline constexpr unsigned kFileMustExist = 1;
inline constexpr unsigned kPathMustExist = 2;
inline constexpr unsigned kOverwritePrompt = 4;
inline constexpr unsigned kHideReadOnly = 8;

struct FileDialogOptions {
    std::string title;
    std::string filter_name;     // e.g. "Map Project"
    std::string filter_pattern;  // e.g. "*.mpr"
    std::string more_patterns;   // shown with the filter's own pattern, e.g. "*.tif *.png"
    std::string default_extension;
    unsigned flags = kHideReadOnly;
    std::string initial_name;
};

enum class ScrollBar { Horizontal, Vertical };

struct ScrollBarValues {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t page = 0;
    int32_t position = 0;
    bool enabled = false;  // disabled, not hidden, when there is nothing to scroll
    friend bool operator==(const ScrollBarValues&, const ScrollBarValues&) = default;
};

// A long task runs on a worker thread behind the modal progress dialog and reports through the sink;
// its result is what it passes to close_progress (1 when the user closes the log with "OK" or "Stop").
using ProgressTask = std::function<void(ProgressSink& sink)>;

struct ProgressOptions {
    // When set, the dialog offers "Stop", which calls this (on the user interface thread) so that the
    // task can clear its keep-running flag.
    std::function<void()> stop;
    // When set, the "OK" stage also offers a button with this caption, provided `offer_finish` is unset
    // or answers true at that moment (the task has ended by then); it ends the dialog with
    // kProgressFinishChoice.
    std::string finish_button;
    std::function<bool()> offer_finish;
};
inline constexpr int kProgressFinishChoice = 2;

// Base of every modal dialog's model. The host finds the view that shows the model; the model does the
// work. run_dialog answers 1 for OK and 0 for Cancel.
class DialogModel {
  public:
    virtual ~DialogModel() = default;
    virtual std::string_view dialog_title() const = 0;
};

class Host {
  public:
    virtual ~Host() = default;

    virtual Answer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                               MessageButtons buttons) = 0;
    // The chosen path, or none when the user cancelled.
    virtual std::optional<std::string> open_file_dialog(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> save_file_dialog(const FileDialogOptions& options) = 0;

    virtual void beep(BeepKind kind) = 0;
    virtual void set_cursor(Cursor cursor) = 0;
    // Invalidates the whole map area; the host repaints it later through paint_map.
    virtual void request_redraw() = 0;
    // Right edges of the status bar's three parts, in client pixels.
    virtual void set_status_parts(const std::array<int32_t, 3>& right_edges) = 0;
    virtual void set_status_text(int part, std::string_view text) = 0;
    virtual void set_title(std::string_view title) = 0;
    // Presses or releases the tool button of a command.
    virtual void set_tool_button(int command, bool pressed) = 0;
    virtual void set_scroll_bar(ScrollBar bar, const ScrollBarValues& values) = 0;
    // Shows context menu `menu` at a client position; the chosen command, or none.
    virtual std::optional<int> popup_menu(int menu, ScreenPoint client_position) = 0;
    // Asks the main window to close, as its close box would.
    virtual void request_close() = 0;

    // Drawing straight onto the map area, clipped to it, for XOR feedback between repaints (blinking,
    // rubber frames, drag outlines).
    virtual Canvas& overlay() = 0;

    virtual int run_with_progress(const ProgressTask& task, const ProgressOptions& options) = 0;
    virtual int run_dialog(DialogModel& model) = 0;
    // The folder of the user's own settings files, such as import profiles ("" when there is none).
    virtual std::string config_folder() { return {}; }
};

// A message box captioned "Error" with only OK.
inline void show_error(Host& host, std::string_view text, MessageIcon icon = MessageIcon::Error) {
    host.message_box(text, "Error", icon, MessageButtons::Ok);
}

}  // namespace plotwell

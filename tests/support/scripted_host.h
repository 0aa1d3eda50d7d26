// A host for tests: answers message boxes, file dialogs, popup menus and dialog models from a script
// and records everything the program showed. An answer the script does not have fails the test.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "support/recording_canvas.h"
#include "support/recording_sink.h"

namespace plotwell::test {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
};

struct ShownFileDialog {
    bool save;
    FileDialogOptions options;
};

class ScriptedHost : public Host {
  public:
    // --- the script -----------------------------------------------------------------------------
    std::deque<Answer> answers;                           // for Yes/No and Yes/No/Cancel boxes, in order
    std::deque<std::optional<std::string>> file_answers;  // for file dialogs, in order
    std::deque<std::optional<int>> menu_answers;          // for popup menus; none when empty
    // Dialog handlers by dialog title, used in order; each gets the model and returns the dialog result.
    std::map<std::string, std::deque<std::function<int(DialogModel&)>>> dialog_answers;
    void answer_dialog(const std::string& title, std::function<int(DialogModel&)> handler) {
        dialog_answers[title].push_back(std::move(handler));
    }

    // --- what was shown ---------------------------------------------------------------------------
    std::vector<ShownMessage> messages;
    std::vector<ShownFileDialog> file_dialogs;
    std::vector<std::string> dialogs;  // titles of the dialogs run
    std::vector<BeepKind> beeps;
    std::vector<Cursor> cursors;
    std::array<int32_t, 3> status_parts{};
    std::string status[4];
    std::vector<std::pair<int, std::string>> status_history;
    std::vector<std::string> titles;
    std::map<int, bool> tool_buttons;
    std::map<ScrollBar, ScrollBarValues> scroll_bars;
    std::vector<std::pair<int, ScreenPoint>> popups;
    int redraws = 0;
    int close_requests = 0;
    int progress_runs = 0;
    RecordingSink last_sink;
    RecordingCanvas overlay_canvas;

    Cursor cursor() const { return cursors.empty() ? Cursor::Arrow : cursors.back(); }
    std::string last_message() const { return messages.empty() ? std::string() : messages.back().text; }

    // --- Host -------------------------------------------------------------------------------------
    Answer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                       MessageButtons buttons) override;
    std::optional<std::string> open_file_dialog(const FileDialogOptions& options) override;
    std::optional<std::string> save_file_dialog(const FileDialogOptions& options) override;
    void beep(BeepKind kind) override { beeps.push_back(kind); }
    void set_cursor(Cursor c) override { cursors.push_back(c); }
    void request_redraw() override { ++redraws; }
    void set_status_parts(const std::array<int32_t, 3>& edges) override { status_parts = edges; }
    void set_status_text(int part, std::string_view text) override;
    void set_title(std::string_view title) override { titles.emplace_back(title); }
    void set_tool_button(int command, bool pressed) override { tool_buttons[command] = pressed; }
    void set_scroll_bar(ScrollBar bar, const ScrollBarValues& values) override { scroll_bars[bar] = values; }
    std::optional<int> popup_menu(int menu, ScreenPoint position) override;
    void request_close() override { ++close_requests; }
    Canvas& overlay() override { return overlay_canvas; }
    int run_with_progress(const ProgressTask& task, const ProgressOptions& options) override;
    int run_dialog(DialogModel& model) override;
    std::string config_folder() override { return config_folder_path; }
    std::string config_folder_path;  // none unless a test gives one
};

}  // namespace plotwell::test

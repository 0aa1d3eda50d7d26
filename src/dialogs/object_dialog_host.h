// The editor asks for its object dialogs with plain requests (editor/object_dialog_requests.h). This
// host stands between the editor and the window system's host: it turns each request into the dialog
// model that does the work and runs that model on the host below; everything else passes through.
#pragma once

#include "dialogs/category_point_dialog.h"
#include "platform/host.h"

namespace plotwell {

class ObjectDialogHost : public Host {
  public:
    // `categories` must outlive the host (the categories file stays loaded for the whole run).
    ObjectDialogHost(Host& below, const CategoryChoices& categories)
        : below_(below), categories_(categories) {}

    int run_dialog(DialogModel& model) override;

    Answer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                       MessageButtons buttons) override {
        return below_.message_box(text, caption, icon, buttons);
    }
    std::optional<std::string> open_file_dialog(const FileDialogOptions& options) override {
        return below_.open_file_dialog(options);
    }
    std::optional<std::string> save_file_dialog(const FileDialogOptions& options) override {
        return below_.save_file_dialog(options);
    }
    void beep(BeepKind kind) override { below_.beep(kind); }
    void set_cursor(Cursor cursor) override { below_.set_cursor(cursor); }
    void request_redraw() override { below_.request_redraw(); }
    void set_status_parts(const std::array<int32_t, 3>& right_edges) override {
        below_.set_status_parts(right_edges);
    }
    void set_status_text(int part, std::string_view text) override { below_.set_status_text(part, text); }
    void set_title(std::string_view title) override { below_.set_title(title); }
    void set_tool_button(int command, bool pressed) override { below_.set_tool_button(command, pressed); }
    void set_scroll_bar(ScrollBar bar, const ScrollBarValues& values) override {
        below_.set_scroll_bar(bar, values);
    }
    std::optional<int> popup_menu(int menu, ScreenPoint client_position) override {
        return below_.popup_menu(menu, client_position);
    }
    void request_close() override { below_.request_close(); }
    Canvas& overlay() override { return below_.overlay(); }
    int run_with_progress(const ProgressTask& task, const ProgressOptions& options) override {
        return below_.run_with_progress(task, options);
    }

  private:
    Host& below_;
    const CategoryChoices& categories_;
};

}  // namespace plotwell

// The editor's Host on Qt Widgets: message boxes, file dialogs, the beep, cursors, the main window's
// title, status bar, tool buttons and scroll bars, popup menus, long tasks behind the progress dialog,
// and modal dialogs found by the type of their model.
#pragma once

#include <QWidget>
#include <functional>
#include <type_traits>
#include <typeindex>
#include <unordered_map>

#include "platform/host.h"
#include "qt/dialog_support.h"

namespace plotwell::qt {

class MainWindow;

// Shows one kind of dialog model modally over `owner`; 1 for OK, 0 for Cancel. `host` answers what the
// model asks while the dialog is open (message boxes, sub-dialogs, long tasks).
using DialogView = std::function<int(QWidget* owner, Host& host, DialogModel& model)>;

// The dialog views known to the program, by the type of the model they show.
class DialogViews {
  public:
    template <class Model>
    void add(std::function<int(QWidget*, Host&, Model&)> view) {
        views_[std::type_index(typeid(Model))] = [view](QWidget* owner, Host& host, DialogModel& model) {
            return view(owner, host, static_cast<Model&>(model));
        };
    }
    // A view class over its model: built with the host when it takes one, run modally centred over the
    // owner; 1 when accepted.
    template <class Model, class View>
    void add_view() {
        add<Model>([](QWidget* owner, Host& host, Model& model) {
            if constexpr (std::is_constructible_v<View, QWidget*, Host&, Model&>) {
                View view(owner, host, model);
                return exec_centred(view, owner);
            } else {
                View view(owner, model);
                return exec_centred(view, owner);
            }
        });
    }
    const DialogView* find(const DialogModel& model) const;
    size_t size() const { return views_.size(); }

  private:
    std::unordered_map<std::type_index, DialogView> views_;
};

// The views this program has, one per dialog model (qt/dialog_views.cpp).
DialogViews& standard_dialog_views();

class QtHost final : public Host {
  public:
    explicit QtHost(MainWindow* window) : window_(window) {}

    Answer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                       MessageButtons buttons) override;
    std::optional<std::string> open_file_dialog(const FileDialogOptions& options) override;
    std::optional<std::string> save_file_dialog(const FileDialogOptions& options) override;
    void beep(BeepKind kind) override;
    void set_cursor(Cursor cursor) override;
    void request_redraw() override;
    void set_status_parts(const std::array<int32_t, 3>& right_edges) override;
    void set_status_text(int part, std::string_view text) override;
    void set_title(std::string_view title) override;
    void set_tool_button(int command, bool pressed) override;
    void set_scroll_bar(ScrollBar bar, const ScrollBarValues& values) override;
    std::optional<int> popup_menu(int menu, ScreenPoint client_position) override;
    void request_close() override;
    Canvas& overlay() override;
    int run_with_progress(const ProgressTask& task, const ProgressOptions& options) override;
    // A model without a registered view is refused: 0, as if cancelled, and nothing is shown.
    int run_dialog(DialogModel& model) override;
    std::string config_folder() override;

    void set_dialog_views(const DialogViews* views) { views_ = views; }

  private:
    std::optional<std::string> file_dialog(const FileDialogOptions& options, bool save);

    MainWindow* window_;
    QString last_folder_;  // where the last file dialog ended
    const DialogViews* views_ = &standard_dialog_views();
};

}  // namespace plotwell::qt

// The monkey's host: answers every message box, file dialog, context menu and dialog at random from
// the current event's seed, and remembers the files it asked the editor to write. File dialogs only
// ever name paths inside the run's own folder.
#pragma once

#include <set>
#include <string>

#include "monkey/monkey_random.h"
#include "platform/host.h"

namespace plotwell::monkey {

class NullCanvas final : public Canvas {
  public:
    void set_pen(Color) override {}
    void set_brush(Brush) override {}
    RasterMode set_raster_mode(RasterMode mode) override { return mode; }
    void polyline(const ScreenPoint*, int) override {}
    void rectangle(const ScreenRect&) override {}
    void fill_rect(const ScreenRect&, Color) override {}
    void stretch_image(const Image&, const ScreenRect&) override {}
    void set_clip(const ScreenRect&) override {}
};

class MonkeyHost final : public Host {
  public:
    explicit MonkeyHost(std::string folder) : folder_(std::move(folder)) {}

    void reseed(uint64_t seed) { rng = Rng(seed); }
    const std::string& folder() const { return folder_; }
    // Every path a file dialog answered, with the project and database names the editor may make of it.
    const std::set<std::string>& asked_to_save() const { return asked_to_save_; }
    void allow_write(const std::string& path) { asked_to_save_.insert(path); }

    Rng rng;
    int close_requests = 0;

    Answer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                       MessageButtons buttons) override;
    std::optional<std::string> open_file_dialog(const FileDialogOptions& options) override;
    std::optional<std::string> save_file_dialog(const FileDialogOptions& options) override;
    void beep(BeepKind) override {}
    void set_cursor(Cursor) override {}
    void request_redraw() override {}
    void set_status_parts(const std::array<int32_t, 3>&) override {}
    void set_status_text(int, std::string_view) override {}
    void set_title(std::string_view) override {}
    void set_tool_button(int, bool) override {}
    void set_scroll_bar(ScrollBar, const ScrollBarValues&) override {}
    std::optional<int> popup_menu(int menu, ScreenPoint client_position) override;
    void request_close() override { ++close_requests; }
    Canvas& overlay() override { return overlay_; }
    int run_with_progress(const ProgressTask& task, const ProgressOptions& options) override;
    int run_dialog(DialogModel& model) override;

  private:
    std::string answered(const std::string& path);

    std::string folder_;
    std::set<std::string> asked_to_save_;
    NullCanvas overlay_;
};

// Fills the fields of the dialogs it knows with random valid or invalid values and presses OK or
// Cancel, as a user would; the dialog's result.
int answer_dialog(DialogModel& model, Rng& rng, Host& host);

}  // namespace plotwell::monkey

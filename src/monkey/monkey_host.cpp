#include "monkey/monkey_host.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "editor/menus.h"
#include "model/text.h"

namespace plotwell::monkey {

namespace {

class AnswerSink final : public ProgressSink {
  public:
    void log_line(std::string_view) override {}
    void set_progress_range(int) override {}
    void set_progress_pos(int) override {}
    void show_ok_button() override {}
    void close_progress(int r) override {
        closed = true;
        result = r;
    }
    bool closed = false;
    int result = 1;
};

std::string extension_of(const FileDialogOptions& o) {
    const std::string& e = o.default_extension.empty() ? o.filter_pattern : o.default_extension;
    const auto dot = e.rfind('.');
    return dot == std::string::npos ? e : e.substr(dot + 1);
}

}  // namespace

Answer MonkeyHost::message_box(std::string_view, std::string_view, MessageIcon, MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return Answer::Ok;
        case MessageButtons::YesNo:
            return rng.chance(50) ? Answer::Yes : Answer::No;
        case MessageButtons::YesNoCancel:
            break;
    }
    const Answer answers[3] = {Answer::Yes, Answer::No, Answer::Cancel};
    return answers[rng.below(3)];
}

std::optional<std::string> MonkeyHost::open_file_dialog(const FileDialogOptions& options) {
    if (rng.chance(20)) return std::nullopt;
    if (rng.chance(10)) return answered(folder_ + "/missing." + extension_of(options));
    // The folder's files, in name order so that a replay picks the same one.
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ec))
        if (entry.is_regular_file(ec)) files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    if (files.empty()) return std::nullopt;
    const std::string wanted = "." + extension_of(options);
    std::vector<std::string> matching;
    for (const std::string& f : files)
        if (f.size() > wanted.size() && equal_ignoring_case(f.substr(f.size() - wanted.size()), wanted))
            matching.push_back(f);
    const auto& pool = matching.empty() || rng.chance(10) ? files : matching;
    return answered(pool[size_t(rng.below(int64_t(pool.size())))]);
}

std::optional<std::string> MonkeyHost::save_file_dialog(const FileDialogOptions& options) {
    if (rng.chance(20)) return std::nullopt;
    const std::string ext = extension_of(options);
    const std::string base = folder_ + "/saved" + std::to_string(rng.below(4));
    // Without an extension, with the dialog's, or another one.
    const int form = rng.below(3);
    const std::string path = form == 0 ? base : form == 1 ? base + "." + ext : base + ".txt";
    return answered(path);
}

std::string MonkeyHost::answered(const std::string& path) {
    // A project or map database named after the file: New names a project after its bitmap, Export
    // its output after the path given.
    const std::string base = strip_file_extension(path);
    for (const std::string& p : {path, path + ".mpr", path + ".pdb", base + ".mpr", base + ".pdb"})
        asked_to_save_.insert(p);
    return path;
}

std::optional<int> MonkeyHost::popup_menu(int menu, ScreenPoint) {
    const auto entries = context_menu_entries(menu);
    if (entries.empty() || rng.chance(15)) return std::nullopt;
    return entries[size_t(rng.below(int64_t(entries.size())))].command;
}

int MonkeyHost::run_with_progress(const ProgressTask& task, const ProgressOptions& options) {
    AnswerSink sink;
    // Now and then the user presses Stop before the task has done much.
    if (options.stop && rng.chance(10)) options.stop();
    task(sink);
    return sink.closed ? sink.result : 1;
}

int MonkeyHost::run_dialog(DialogModel& model) {
    return answer_dialog(model, rng, *this);
}

}  // namespace plotwell::monkey

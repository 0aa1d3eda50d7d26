#include "support/scripted_host.h"

#include <gtest/gtest.h>

namespace plotwell::test {

Answer ScriptedHost::message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                                 MessageButtons buttons) {
    messages.push_back({std::string(text), std::string(caption), icon, buttons});
    if (buttons == MessageButtons::Ok) return Answer::Ok;
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text;
        return Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<std::string> ScriptedHost::open_file_dialog(const FileDialogOptions& options) {
    file_dialogs.push_back({false, options});
    if (file_answers.empty()) {
        ADD_FAILURE() << "unscripted open file dialog: " << options.title;
        return std::nullopt;
    }
    auto a = file_answers.front();
    file_answers.pop_front();
    return a;
}

std::optional<std::string> ScriptedHost::save_file_dialog(const FileDialogOptions& options) {
    file_dialogs.push_back({true, options});
    if (file_answers.empty()) {
        ADD_FAILURE() << "unscripted save file dialog: " << options.title;
        return std::nullopt;
    }
    auto a = file_answers.front();
    file_answers.pop_front();
    return a;
}

void ScriptedHost::set_status_text(int part, std::string_view text) {
    if (part < 0 || part > 3) {
        ADD_FAILURE() << "status part " << part;
        return;
    }
    status[part] = std::string(text);
    status_history.emplace_back(part, std::string(text));
}

std::optional<int> ScriptedHost::popup_menu(int menu, ScreenPoint position) {
    popups.emplace_back(menu, position);
    if (menu_answers.empty()) return std::nullopt;
    auto a = menu_answers.front();
    menu_answers.pop_front();
    return a;
}

int ScriptedHost::run_with_progress(const ProgressTask& task, const ProgressOptions&) {
    ++progress_runs;
    last_sink = RecordingSink();
    task(last_sink);
    return last_sink.closed ? last_sink.result : 1;
}

int ScriptedHost::run_dialog(DialogModel& model) {
    const std::string title(model.dialog_title());
    dialogs.push_back(title);
    auto it = dialog_answers.find(title);
    if (it == dialog_answers.end() || it->second.empty()) {
        ADD_FAILURE() << "unscripted dialog: " << title;
        return 0;
    }
    auto handler = std::move(it->second.front());
    it->second.pop_front();
    return handler(model);
}

}  // namespace plotwell::test

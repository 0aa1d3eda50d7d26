#include "qt/program.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/startup.h"
#include "editor/command_ids.h"
#include "qt/cursors.h"
#include "qt/desktop_settings.h"
#include "qt/dialog_support.h"
#include "qt/main_window.h"
#include "qt/text_codec.h"
#include "qt/toolbar_images.h"

namespace plotwell::qt {

Program::Program() = default;
Program::~Program() = default;

std::unique_ptr<Program> start_program(int argc, const char* const* argv, const std::string& current_dir) {
    auto program = std::make_unique<Program>();

    // Program directory, "publisher.txt", the categories file, the project named on the command line.
    const StartUp start = start_up(program->workspace, argc, argv, current_dir);
    if (!start.ok) {
        QMessageBox box(QMessageBox::Critical, "Error", from_local_text(start.error), QMessageBox::Ok);
        box.setInformativeText(from_local_text(start.error_detail));
        box.exec();
        return nullptr;
    }

    // Fonts: the map text's proportional font and the lists' fixed-pitch font, the map font measured.
    program->map_font = QFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    program->map_font.setPixelSize(13);
    program->map_font.setWeight(QFont::Normal);
    program->fixed_font = fixed_pitch_font();
    const QFontMetrics metrics(program->map_font);
    program->map_line_height = metrics.height() + metrics.leading();
    program->map_char_width = metrics.averageCharWidth();
    // Cursors and the icon panel's images.
    cursor_for(Cursor::Arrow);
    program->icon_images = icon_panel_images();

    program->workspace.recent_projects.files = read_recent_projects();
    program->window = std::make_unique<MainWindow>(program->workspace);
    if (restore_window_geometry(*program->window)) {
        program->window->show();
    } else {
        // Without a window manager "maximised" means nothing; the window then fills the screen itself.
        if (QScreen* screen = QGuiApplication::primaryScreen())
            program->window->resize(screen->availableSize());
        program->window->showMaximized();
    }
    if (start.load_project) {
        // Posted: the project loads once the window is up and the loop runs.
        MainWindow* window = program->window.get();
        QTimer::singleShot(0, window, [window]() {
            window->forward([](EditorContext& ctx) { handle_command(ctx, cmd::kLoadNamedProject); });
        });
    } else if (!start.notice.empty()) {
        MainWindow* window = program->window.get();
        const std::string notice = start.notice;
        QTimer::singleShot(0, window, [window, notice]() { show_error(window->host(), notice); });
    }
    return program;
}

void finish_program(Program& program) {
    if (program.window) save_window_geometry(*program.window);
    program.window.reset();
    shut_down(program.workspace);
}

int check_start_up(const char* argv0) {
    Workspace workspace;
    const StartUp start = start_up(workspace, 1, &argv0);
    if (!start.ok) {
        std::fprintf(stderr, "%s\n%s\n", start.error.c_str(), start.error_detail.c_str());
        return 1;
    }
    std::printf("Start-up OK: %s\n", workspace.categories.file_name.c_str());
    return 0;
}

int run_program(int argc, char** argv) {
    std::unique_ptr<Program> program = start_program(argc, argv);
    if (!program) return 0;
    const int code = QApplication::exec();
    finish_program(*program);
    return code;
}

}  // namespace plotwell::qt

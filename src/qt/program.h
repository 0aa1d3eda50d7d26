// The desktop program from start to end: start-up in its fixed order, the main window, the message
// loop and shutdown.
#pragma once

#include <QFont>
#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "editor/editor_context.h"
#include "editor/workspace.h"

namespace plotwell::qt {

class MainWindow;

struct Program {
    Workspace workspace;
    // Drawing resources, made once at start-up.
    QFont map_font;    // proportional, 13 pixels
    QFont fixed_font;  // fixed pitch, 10 pixels, for the layer lists
    int map_line_height = 0;
    int map_char_width = 0;
    std::vector<QImage> icon_images;
    std::unique_ptr<MainWindow> window;

    Program();
    ~Program();
};

// Start-up up to the shown main window; the project named on the command line is loaded once the
// event loop runs. On failure the message has been shown (caption "Error") and the result is empty.
// `current_dir` empty: the process's current directory.
std::unique_ptr<Program> start_program(int argc, const char* const* argv,
                                       const std::string& current_dir = "");

// After the loop: "publisher.txt" is written and the project released.
void finish_program(Program& program);

// "plotwell --check-startup": start-up without a window (no display needed) up to the categories file;
// 0 when the program would start, else 1 with the messages on stderr. Nothing is written.
inline constexpr const char* kCheckStartUpOption = "--check-startup";
int check_start_up(const char* argv0);

// The whole run; the program's exit code.
int run_program(int argc, char** argv);

}  // namespace plotwell::qt

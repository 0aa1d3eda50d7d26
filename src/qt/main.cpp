// plotwell: the desktop map editor.
#include <QApplication>
#include <string_view>

#include "qt/program.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == plotwell::qt::kCheckStartUpOption)
        return plotwell::qt::check_start_up(argv[0]);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Plotwell");
    return plotwell::qt::run_program(argc, argv);
}

// plotwell: the desktop map editor.
#include <QApplication>

#include "qt/program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Plotwell");
    return plotwell::qt::run_program(argc, argv);
}

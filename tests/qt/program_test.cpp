#include "qt/program.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <filesystem>

#include "editor/selection.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_file.h"
#include "qt_test_support.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
std::string categories_source() {
    return (std::filesystem::path(PLOTWELL_SOURCE_DIR) / "data" / "categories.tpc").string();
}
}  // namespace

TEST(ProgramStart, WithoutACategoriesFileShowsTheMessageAndEnds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    when_modal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    const char* argv[] = {"plotwell"};
    auto program = qt::start_program(1, argv, dir.path().toStdString());
    EXPECT_FALSE(program);
    EXPECT_EQ(text, "Cannot find 'categories.tpc' file!");
    EXPECT_EQ(caption, "Error");
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST(ProgramStart, StartsWithTheEmptyWindowAndWritesPublisherDetailsAtTheEnd) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QString::fromStdString(categories_source()), dir.filePath("categories.tpc")));
    {
        QFile publisher(dir.filePath("publisher.txt"));
        ASSERT_TRUE(publisher.open(QIODevice::WriteOnly));
        publisher.write("(c) Millbrook Maps\r\nHigh Street 1\r\nMillbrook");
    }
    const char* argv[] = {"plotwell", "maps/city.mpr"};
    auto program = qt::start_program(2, argv, dir.path().toStdString());
    ASSERT_TRUE(program);
    EXPECT_TRUE(program->window->isVisible());
    EXPECT_EQ(field_text(program->workspace.publisher.publisher_notice), "(c) Millbrook Maps");
    EXPECT_EQ(field_text(program->workspace.project.file_base_name), dir.filePath("maps/city").toStdString());
    EXPECT_GT(program->workspace.categories.category_count, 0);
    EXPECT_EQ(program->map_font.pixelSize(), 13);
    EXPECT_EQ(program->fixed_font.pixelSize(), 10);
    EXPECT_GT(program->map_line_height, 0);
    EXPECT_EQ(program->icon_images.size(), 22u);

    set_field(program->workspace.publisher.publisher_notice, "(c) 2026 Millbrook");
    QFile::remove(dir.filePath("publisher.txt"));
    qt::finish_program(*program);
    QFile written(dir.filePath("publisher.txt"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("(c) 2026 Millbrook\r\nHigh Street 1\r\nMillbrook"));
}

TEST(ProgramStart, TheWindowOpensTitledWithNoProject) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QString::fromStdString(categories_source()), dir.filePath("categories.tpc")));
    const char* argv[] = {"plotwell"};
    auto program = qt::start_program(1, argv, dir.path().toStdString());
    ASSERT_TRUE(program);
    EXPECT_EQ(program->window->windowTitle(), "Plotwell - <no project>");
    qt::finish_program(*program);
}

TEST(ProgramStart, TheProjectOnTheCommandLineLoadsOnceTheWindowShowsAndTheTitleFollowsIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QString::fromStdString(categories_source()), dir.filePath("categories.tpc")));
    {
        Project saved;
        set_field(saved.name, "Town");
        saved.coord_sys = kCoordDegrees;
        saved.range = {0, 0, 1000, 600};
        Layer& roads = add_layer(saved, "Roads");
        roads.display_flags = kLayerShowAlways;
        add_line(roads, "Main Street", {{100, 300}, {900, 300}}, kDimLine, kHighway);
        NullProgressSink quiet;
        ASSERT_TRUE(save_project(saved, dir.filePath("town").toStdString(), quiet));
        release_project_data(saved);
    }
    const std::string arg = dir.filePath("town.mpr").toStdString();
    const char* argv[] = {"plotwell", arg.c_str()};
    auto program = qt::start_program(2, argv, dir.path().toStdString());
    ASSERT_TRUE(program);
    EXPECT_EQ(program->workspace.project.layer_count, 0) << "the load waits for the event loop";
    QElapsedTimer clock;
    clock.start();
    while (program->workspace.project.layer_count == 0 && clock.elapsed() < 5000)
        QApplication::processEvents();
    ASSERT_EQ(program->workspace.project.layer_count, 1);
    while (QApplication::activeModalWidget() && clock.elapsed() < 5000) QApplication::processEvents();
    qt::MainWindow& window = *program->window;
    EXPECT_TRUE(window.windowTitle().startsWith("Plotwell - ")) << window.windowTitle().toStdString();
    EXPECT_TRUE(window.windowTitle().endsWith("town")) << window.windowTitle().toStdString();
    EXPECT_EQ(window.status_part(1)->text(), "curr layer: <background>");
    // The loaded road is on the screen.
    const ScreenPoint s = world_to_screen(program->workspace.view, program->workspace.project, {300, 300});
    EXPECT_EQ(QColor(window.map_widget()->picture().pixel(s.x, s.y)), QColor(255, 0, 0));

    mark_modified(window.context());
    EXPECT_TRUE(window.windowTitle().endsWith("town *"));
    // Closing asks about the modified project; No closes without saving.
    QString question;
    when_modal<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        box->button(QMessageBox::No)->click();
    });
    window.close();
    EXPECT_EQ(question, "Save current project?");
    EXPECT_FALSE(window.isVisible());
    qt::finish_program(*program);
}

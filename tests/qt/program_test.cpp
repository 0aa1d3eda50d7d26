#include "qt/program.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include "model/text.h"
#include "qt_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
std::string categories_source() {
    return std::string(PLOTWELL_SOURCE_DIR) + "/data/categories.tpc";
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
    EXPECT_EQ(field_text(program->workspace.project.file_base_name), "maps/city");
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

#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/bytes.h"
#include "model/text.h"
#include "support/object_builders.h"
#include "support/scratch_dir.h"

namespace plotwell {
namespace {

std::vector<uint8_t> sample_categories() {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(read_whole_file(std::string(PLOTWELL_SOURCE_DIR) + "/data/categories.tpc", bytes));
    return bytes;
}

TEST(StartUp, ReadsPublisherAndCategoriesAndTakesTheNamedProject) {
    test::ScratchDir dir;
    dir.write("categories.tpc", sample_categories());
    dir.write("publisher.txt", std::string_view("(c) Maps\r\nHarbour Road 4"));
    Workspace workspace;
    const char* argv[] = {"/opt/plotwell/bin/plotwell", "maps\\city.mpr"};
    const StartUp result = start_up(workspace, 2, argv, dir.path().string());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.load_project);
    // Made absolute against the start folder, so that no later change of directory moves it.
    EXPECT_EQ(field_text(workspace.project.file_base_name), (dir.path() / "maps\\city").string());
    EXPECT_EQ(workspace.start_dir, dir.path().string());
    EXPECT_EQ(field_text(workspace.publisher.publisher_notice), "(c) Maps");
    EXPECT_EQ(field_text(workspace.publisher.contact), "Harbour Road 4");
    EXPECT_EQ(category_count(workspace.categories), 12);
    EXPECT_EQ(workspace.program_dir.back(), '/');

    // A name its field cannot hold is refused rather than cut into another file's name.
    Workspace other;
    const std::string long_name = std::string(130, 'x') + ".mpr";
    const char* long_argv[] = {"plotwell", long_name.c_str()};
    const StartUp refused = start_up(other, 2, long_argv, dir.path().string());
    EXPECT_TRUE(refused.ok);
    EXPECT_FALSE(refused.load_project);
    EXPECT_EQ(refused.notice, "The file name is too long.");
    EXPECT_EQ(field_text(other.project.file_base_name), "");
}

TEST(StartUp, WithoutProjectArgumentOrPublisherFileStartsEmpty) {
    test::ScratchDir dir;
    dir.write("categories.tpc", sample_categories());
    Workspace workspace;
    const char* argv[] = {"plotwell"};
    const StartUp result = start_up(workspace, 1, argv, dir.path().string());
    ASSERT_TRUE(result.ok);
    EXPECT_FALSE(result.load_project);
    EXPECT_EQ(field_text(workspace.project.file_base_name), "");
    EXPECT_EQ(field_text(workspace.publisher.publisher_notice), "");
}

TEST(StartUp, RefusesToStartWithoutASoundCategoriesFile) {
    test::ScratchDir dir;
    Workspace workspace;
    const char* argv[] = {"plotwell", "city.mpr"};
    StartUp result = start_up(workspace, 2, argv, dir.path().string());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Cannot find 'categories.tpc' file!");
    EXPECT_EQ(
        result.error_detail,
        "Looked for 'categories.tpc' in:\n" + dir.path().string() + "\n" + workspace.program_dir + "\n" +
            (std::filesystem::path(workspace.program_dir).parent_path().parent_path() / "share/plotwell/")
                .string());
    EXPECT_FALSE(result.load_project);

    std::vector<uint8_t> broken = sample_categories();
    broken[4] = 13;  // more categories than the program keeps
    dir.write("categories.tpc", broken);
    result = start_up(workspace, 2, argv, dir.path().string());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Cannot find 'categories.tpc' file!");
}

TEST(ShutDown, WritesThePublisherDetailsAndReleasesTheProject) {
    test::ScratchDir dir;
    Workspace workspace;
    set_field(workspace.publisher.publisher_notice, "(c) Maps");
    set_field(workspace.publisher.contact, "a\nb");
    Layer& layer = test::add_layer(workspace.project, "roads");
    test::add_line(layer, "Main Street", {{0, 0}, {10, 10}});
    workspace.start_dir = dir.path().string();
    shut_down(workspace);
    EXPECT_EQ(dir.read("publisher.txt"), "(c) Maps\r\na\r\nb");
    EXPECT_EQ(workspace.project.layer_count, 0);
}

}  // namespace
}  // namespace plotwell

#include "app/frame_text.h"
#include "editor/window_title.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/text.h"

namespace plotwell {
namespace {

TEST(ProgramDir, IsTheDirectoryOfTheProgramPathEndingInASeparator) {
    EXPECT_EQ(program_dir_from_path("/usr/local/bin/plotwell"), "/usr/local/bin/");
    EXPECT_EQ(program_dir_from_path("\"/opt/map tools/plotwell\""), "/opt/map tools/");
    EXPECT_EQ(program_dir_from_path("/plotwell"), "/");
    EXPECT_EQ(program_dir_from_path("bin/plotwell"), "bin/");
    EXPECT_EQ(program_dir_from_path("plotwell"), "./");
    EXPECT_EQ(program_dir_from_path(""), "./");
    EXPECT_EQ(program_dir_from_path("\"C:\\Program Files\\Plotwell\\plotwell.exe\""),
              "C:\\Program Files\\Plotwell\\");
}

TEST(ProgramDir, OfThisProcessIsWhereItsExecutableLies) {
    const std::string dir = program_dir("ignored");
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(std::filesystem::path(dir).is_absolute());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir) / "tests_app"));
}

TEST(TitleText, ShowsTheProjectAndWhetherItIsModified) {
    Project project;
    EXPECT_EQ(window_title(project), "Plotwell - <no project>");
    project.modified = 1;  // no project: nothing to mark
    EXPECT_EQ(window_title(project), "Plotwell - <no project>");
    // The base name keeps the project file's directory; the title names the file only.
    set_field(project.file_base_name, "maps\\city");
    EXPECT_EQ(window_title(project), "Plotwell - city *");
    project.modified = 0;
    set_field(project.file_base_name, "/home/me/maps.v2/city");
    EXPECT_EQ(window_title(project), "Plotwell - city");
}

TEST(TitleText, IsCutTo127Characters) {
    Project project;
    set_field(project.file_base_name, std::string(120, 'p'));
    project.modified = 1;
    const std::string title = window_title(project);
    EXPECT_EQ(title.size(), 127u);
    EXPECT_EQ(title, "Plotwell - " + std::string(116, 'p'));
}

TEST(CommandLine, ArgumentLosesItsExtensionOnly) {
    EXPECT_EQ(base_name_from_argument("maps\\city.mpr"), "maps\\city");
    EXPECT_EQ(base_name_from_argument("maps/city.mpr"), "maps/city");
    EXPECT_EQ(base_name_from_argument("city"), "city");
    EXPECT_EQ(base_name_from_argument("city.v2.mpr"), "city.v2");
    // A dot in a directory name is no extension.
    EXPECT_EQ(base_name_from_argument("../maps/city"), "../maps/city");
    EXPECT_EQ(base_name_from_argument("my.maps\\city"), "my.maps\\city");
}

TEST(CommandLine, NamedProjectIsTakenForLoading) {
    Project project;
    EXPECT_FALSE(take_command_line_project(project, 0, nullptr));
    EXPECT_EQ(field_text(project.file_base_name), "");

    const char* args[] = {"maps\\city.mpr"};
    EXPECT_TRUE(take_command_line_project(project, 1, args));
    EXPECT_EQ(field_text(project.file_base_name), "maps\\city");

    Project other;
    const char* bare[] = {".mpr"};
    EXPECT_FALSE(take_command_line_project(other, 1, bare));
    EXPECT_EQ(field_text(other.file_base_name), "");
}

}  // namespace
}  // namespace plotwell

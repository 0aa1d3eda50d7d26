// The shapefile commands of plotwell-tool, run as a user runs them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/shapefile_writer.h"

namespace plotwell::test {
namespace {

struct ToolRun {
    int status = -1;
    std::string output;  // stdout and stderr
};

ToolRun run_tool(const std::string& args) {
    ToolRun r;
    const std::string command = std::string(PLOTWELL_TOOL_PATH) + " " + args + " 2>&1";
    std::FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
    const int raw = pclose(p);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

class ShapefileTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("plotwell_tool_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};

TEST_F(ShapefileTool, ShpInfoShowsTypeCountFieldsAndFirstRecords) {
    ShapefileData d;
    d.shape_type = 3;
    d.fields = {{"NAME", 'C', 20}, {"ROAD_ID", 'N', 5}};
    for (int i = 0; i < 7; ++i) d.records.push_back(line_record({{0, 0}, {1, double(i)}}, {"Road " + std::to_string(i), std::to_string(i)}));
    ASSERT_TRUE(write_shapefile(path("roads"), d));
    const ToolRun r = run_tool("shp-info " + path("roads.shp"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, "File: " + path("roads") + ".shp\n"
                        "Shape type: 3 (PolyLine), LINE\n"
                        "Records: 7\n"
                        "Fields: 2\n"
                        "  NAME        C  20\n"
                        "  ROAD_ID     N   5\n"
                        "First records:\n"
                        "  1: NAME=\"Road 0\" ROAD_ID=\"0\"\n"
                        "  2: NAME=\"Road 1\" ROAD_ID=\"1\"\n"
                        "  3: NAME=\"Road 2\" ROAD_ID=\"2\"\n"
                        "  4: NAME=\"Road 3\" ROAD_ID=\"3\"\n"
                        "  5: NAME=\"Road 4\" ROAD_ID=\"4\"\n");
}

TEST_F(ShapefileTool, ShpInfoNamesUnsupportedTypesAndMissingFiles) {
    ShapefileData d;
    d.shape_type = 13;
    ASSERT_TRUE(write_shapefile(path("z"), d));
    ToolRun r = run_tool("shp-info " + path("z.shp"));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.output.find("Shape type: 13 (PolyLineZ), not importable\n"), std::string::npos) << r.output;
    std::filesystem::remove(path("z.shx"));
    r = run_tool("shp-info " + path("z.shp"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "plotwell-tool: Cannot open " + path("z") + ".shx\n");
    EXPECT_EQ(run_tool("shp-info").status, 2);
}

}  // namespace
}  // namespace plotwell::test

// The shapefile commands of plotwell-tool, run as a user runs them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "import_fixture.h"
#include "model/bytes.h"
#include "project/project_file.h"
#include "support/project_file_builders.h"
#include "support/shapefile_samples.h"
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
        dir_ =
            std::filesystem::temp_directory_path() /
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
    for (int i = 0; i < 7; ++i)
        d.records.push_back(
            line_record({{0, 0}, {1, double(i)}}, {"Road " + std::to_string(i), std::to_string(i)}));
    ASSERT_TRUE(write_shapefile(path("roads"), d));
    const ToolRun r = run_tool("shp-info " + path("roads.shp"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, "File: " + path("roads") +
                            ".shp\n"
                            "Shape type: 3 (PolyLine), LINE\n"
                            "Records: 7\n"
                            "Attribute records: 7\n"
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

ShapefileData town_roads() {
    ShapefileData d;
    d.shape_type = 3;
    d.fields = {{"NAME", 'C', 20}, {"TYPE", 'C', 6}, {"ROAD_ID", 'N', 5}};
    d.records = {line_record({{10.0, 50.0}, {10.001, 50.0}}, {"HIGH", "STREET", "1"}),
                 line_record({{10.002, 50.001}, {10.001, 50.0}}, {"HIGH", "STREET", "1"}),
                 line_record({{10.0, 50.0}, {10.0, 49.999}}, {"MILL", "LANE", "2"})};
    return d;
}

class ImportShpTool : public ShapefileTool {
  protected:
    void SetUp() override {
        ShapefileTool::SetUp();
        ASSERT_TRUE(write_shapefile(path("roads"), town_roads()));
        const ToolRun r =
            run_tool("new " + project() + " --coord-sys degrees --layer water:WATER --layer roads:ROADS");
        ASSERT_EQ(r.status, 0) << r.output;
    }
    std::string project() const { return path("town.mpr"); }
    std::vector<uint8_t> project_bytes() const {
        std::vector<uint8_t> b;
        (void)read_whole_file(project(), b);  // none: no bytes
        return b;
    }
    // The objects of one layer of the project as saved, sorted by name (loading reverses the list).
    std::vector<ImportedObject> saved_layer(int layer, Project& p) const {
        NullProgressSink quiet;
        EXPECT_TRUE(load_project_file(p, path("town"), quiet));
        std::vector<ImportedObject> objects = layer_objects(p.layers[layer]);
        std::sort(objects.begin(), objects.end(),
                  [](const auto& a, const auto& b) { return a.name < b.name; });
        return objects;
    }
};

TEST_F(ImportShpTool, ImportsWithTheDialogDefaultsAndTheGivenOptions) {
    const ToolRun r =
        run_tool("import-shp " + project() + " " + path("roads.shp") +
                 " --layer 1 --name-field name --name-field TYPE --link-field ROAD_ID --type ROAD4");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(
        r.output.find("Reading shapefile...\nLinking line segments...\nShapefile successfully imported.\n"),
        std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("2 objects imported into layer 1: roads [ROADS] from 3 records"),
              std::string::npos);
    Project p;
    const auto objects = saved_layer(1, p);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[1].name, "Mill Lane");
    EXPECT_EQ(objects[0].name, "High Street");
    EXPECT_EQ(objects[0].type, 3);
    EXPECT_EQ(objects[0].points,
              (std::vector<Point>{{10000000, 50000000}, {10001000, 50000000}, {10002000, 50001000}}));
    // The range was empty, so the default filter was off and the range grew around the data.
    EXPECT_EQ(p.range, (CoordRange{10000000, 49999000, 2000, 2000}));
    EXPECT_EQ(p.layers[0].object_count, 0);
}

TEST_F(ImportShpTool, TheDialogChecksAreErrorsAndLeaveTheProjectAlone) {
    const std::vector<uint8_t> before = project_bytes();
    const std::string shp = " " + path("roads.shp");
    ToolRun r = run_tool("import-shp " + project() + shp);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "plotwell-tool: import-shp: You need to select at least one name field\n");
    r = run_tool("import-shp " + project() + shp + " --name-field NAME --multiply-y 0");
    EXPECT_EQ(r.output, "plotwell-tool: import-shp: 'Multiply' factors must be non-zero\n");
    r = run_tool("import-shp " + project() + shp + " --name-field NAME --multiply-x abc");
    EXPECT_EQ(r.output, "plotwell-tool: import-shp: 'Multiply' factors must be non-zero\n");
    r = run_tool("import-shp " + project() + shp + " --name-field STREET");
    EXPECT_EQ(r.output, "plotwell-tool: import-shp: no field 'STREET' in " + path("roads") + ".dbf\n");
    r = run_tool("import-shp " + project() + shp + " --name-field NAME --type WATER");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.output, "plotwell-tool: import-shp: 'WATER' is not an object type of a LINE file\n");
    r = run_tool("import-shp " + project() + shp + " --name-field NAME --layer 5");
    EXPECT_EQ(r.output, "plotwell-tool: import-shp: the project has no layer 5\n");
    std::filesystem::remove(path("roads.dbf"));
    r = run_tool("import-shp " + project() + shp + " --name-field NAME");
    EXPECT_EQ(r.output, "plotwell-tool: import-shp: Cannot open " + path("roads") + ".dbf\n");
    EXPECT_EQ(project_bytes(), before);
}

TEST_F(ImportShpTool, AnImportThatAddsNothingFailsWithoutSaving) {
    const std::vector<uint8_t> before = project_bytes();
    const ToolRun r = run_tool("import-shp " + project() + " " + path("roads.shp") +
                               " --name-field NAME --multiply-x 2000000000");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("0 objects imported from 3 records; 3 records not imported\n"
                            "Error: nothing was imported!\n"
                            "plotwell-tool: import-shp: nothing was imported; " +
                            project() + " was not changed\n"),
              std::string::npos)
        << r.output;
    EXPECT_EQ(project_bytes(), before);
}

TEST_F(ImportShpTool, RefusesUnsupportedFilesAndProjectsWithoutLayers) {
    ShapefileData z = town_roads();
    z.shape_type = 13;
    ASSERT_TRUE(write_shapefile(path("z"), z));
    ToolRun r = run_tool("import-shp " + project() + " " + path("z.shp") + " --name-field NAME");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output,
              "plotwell-tool: import-shp: " + path("z.shp") +
                  ": unsupported shape type 13 (only Point, PolyLine and Polygon files can be imported)\n");
    const ToolRun bare = run_tool("new " + path("bare.mpr") + " --coord-sys degrees");
    ASSERT_EQ(bare.status, 0) << bare.output;
    r = run_tool("import-shp " + path("bare.mpr") + " " + path("roads.shp") + " --name-field NAME");
    EXPECT_EQ(r.output, "plotwell-tool: import-shp: the project has no layers to import into\n");
}

TEST_F(ImportShpTool, AProfileSuppliesSettingsAndOptionsOverrideIt) {
    ASSERT_TRUE(write_bytes(path("roads.profile"), [] {
        const std::string t =
            "name_fields = TYPE\ndowncase = 0\ndefault_type = RIVER\nsubstitution_mode = 1\n"
            "substitution = \"STREET\" \"ST\"\n";
        return std::vector<uint8_t>(t.begin(), t.end());
    }()));
    ToolRun r = run_tool("import-shp " + project() + " " + path("roads.shp") + " --profile " +
                         path("roads.profile") + " --layer 1 --type HIGHWAY");
    ASSERT_EQ(r.status, 0) << r.output;
    Project p;
    const auto objects = saved_layer(1, p);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].name, "LANE");
    EXPECT_EQ(objects[1].name, "ST");
    EXPECT_EQ(objects[2].name, "ST");
    EXPECT_EQ(objects[0].type, 1);

    ASSERT_TRUE(write_bytes(path("bad.profile"), {'d', 'o', 'w', 'n', 'c', 'a', 's', 'e', '\n', 'x', '\n'}));
    const std::vector<uint8_t> before = project_bytes();
    r = run_tool("import-shp " + project() + " " + path("roads.shp") + " --profile " + path("bad.profile"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output,
              "plotwell-tool: import-shp: " + path("bad.profile") + ": line 1: expected 'setting = value'\n");
    EXPECT_EQ(project_bytes(), before);
}

TEST_F(ImportShpTool, CtrlCStopsAndLeavesTheProjectFileUntouched) {
    const std::vector<uint8_t> before = project_bytes();
    // The attribute table comes through a pipe, so the command is certainly running when Ctrl+C arrives.
    std::vector<uint8_t> dbf;
    ASSERT_TRUE(read_whole_file(path("roads.dbf"), dbf));
    std::filesystem::remove(path("roads.dbf"));
    ASSERT_EQ(mkfifo(path("roads.dbf").c_str(), 0600), 0);
    const std::string tool = PLOTWELL_TOOL_PATH, proj = project(), shp = path("roads.shp");
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execl(tool.c_str(), tool.c_str(), "import-shp", proj.c_str(), shp.c_str(), "--name-field", "NAME",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    // Opening the pipe for writing succeeds once the command has opened it for reading.
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 2000; ++tries) {
        fd = ::open(path("roads.dbf").c_str(), O_WRONLY | O_NONBLOCK);
        if (fd < 0) usleep(5000);
    }
    if (fd < 0) kill(pid, SIGKILL);
    ASSERT_GE(fd, 0) << "the command never opened its attribute table";
    fcntl(fd, F_SETFL, 0);
    ASSERT_EQ(kill(pid, SIGINT), 0);
    ASSERT_EQ(::write(fd, dbf.data(), dbf.size()), ssize_t(dbf.size()));
    ::close(fd);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_EQ(project_bytes(), before);
}

TEST_F(ShapefileTool, GeneratedFilesImportExportAndInspect) {
    ASSERT_TRUE(write_shapefile(path("roads"), sample_road_segments(40, 25)));
    ASSERT_TRUE(write_shapefile(path("parcels"), sample_polygons(300)));
    ASSERT_TRUE(write_shapefile(path("places"), sample_points(2000)));
    const std::string project = path("county.mpr");
    ToolRun r =
        run_tool("new " + project +
                 " --coord-sys degrees --layer parcels:LAND --layer roads:ROADS --layer places:PLACES");
    ASSERT_EQ(r.status, 0) << r.output;
    r = run_tool("import-shp " + project + " " + path("parcels.shp") +
                 " --layer 0 --name-field NAME --type LAND");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("300 objects imported"), std::string::npos) << r.output;
    r = run_tool("import-shp " + project + " " + path("roads.shp") +
                 " --layer 1 --name-field NAME --link-field ROAD_ID --type ROAD3");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("40 objects imported into layer 1: roads [ROADS] from 1000 records"),
              std::string::npos)
        << r.output;
    // The range now holds the parcels and roads, so by default points outside it are dropped.
    const std::vector<uint8_t> before_points = [&] {
        std::vector<uint8_t> b;
        (void)read_whole_file(project, b);  // none: no bytes
        return b;
    }();
    r = run_tool("import-shp " + project + " " + path("places.shp") +
                 " --layer 2 --name-field NAME --icon PI_TOWNCTR");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.find("2000 objects imported"), std::string::npos) << r.output;
    ASSERT_TRUE(write_bytes(project, before_points));
    r = run_tool("import-shp " + project + " " + path("places.shp") +
                 " --layer 2 --name-field NAME --icon PI_TOWNCTR --no-filter");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("2000 objects imported"), std::string::npos) << r.output;
    r = run_tool("check " + project);
    EXPECT_EQ(r.status, 0) << r.output;

    r = run_tool("export " + project + " " + path("county.pdb") +
                 " --map-name County --map-id 77 --parent-map-id 0");
    ASSERT_EQ(r.status, 0) << r.output;
    r = run_tool("inspect " + path("county.pdb"));
    EXPECT_EQ(r.status, 0) << r.output;
    ASSERT_GE(r.output.size(), 3u);
    EXPECT_EQ(r.output.substr(r.output.size() - 3), "OK\n") << r.output;
}

}  // namespace
}  // namespace plotwell::test

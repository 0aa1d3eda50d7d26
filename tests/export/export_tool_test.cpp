#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "export_fixture.h"
#include "model/vocabulary.h"
#include "project/project_file.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string read_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs plotwell-tool in `dir` (where it finds map-id.txt and publisher.txt).
ToolRun tool(const TempDir& dir, const std::string& args) {
    const std::string command = "cd '" + dir.file("") + "' && '" + PLOTWELL_TOOL_PATH + "' " + args + " >'" +
                                dir.file("stdout.txt") + "' 2>'" + dir.file("stderr.txt") + "'";
    ToolRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = read_text(dir.file("stdout.txt"));
    run.err = read_text(dir.file("stderr.txt"));
    return run;
}

// A project with an object of every dimension and type, saved as town.mpr.
void save_sample(const TempDir& dir) {
    Project project;
    set_field(project.name, "Sample Town");
    set_field(project.parent_map_basename, "county");
    project.range = {0, 0, 24000, 12000};
    Layer& roads = add_layer(project, "roads", kThemeRoads);
    Layer& areas = add_layer(project, "areas", kThemeParks);
    Layer& places = add_layer(project, "places", kThemePlaces);
    for (uint8_t t = 0; t < kLineTypeCount; ++t)
        add_line(roads, std::string(kLineTypeNames[t]) + " Way",
                 {{t * 1000, 100}, {t * 1000 + 500, 600}, {t * 1000, 1100}}, kDimLine, t);
    for (uint8_t t = 0; t < kPolygonTypeCount; ++t)
        add_line(areas, std::string(kPolygonTypeNames[t]) + " Park",
                 {{t * 2000, 5000}, {t * 2000 + 1800, 5000}, {t * 2000 + 1800, 6000}, {t * 2000, 6000}},
                 kDimPolygon, t);
    add_point(places, "Town Hall", {12000, 6000});
    add_point(places, "County", {100, 11900}, kLink);
    add_point(places, "Bus Depot", {23000, 11000}, kCatPntFeature, 2, 5);
    NullProgressSink sink;
    ASSERT_TRUE(save_project(project, dir.file("town"), sink));
}
}  // namespace

TEST(ExportTool, ExportThenInspectListsEveryObject) {
    TempDir dir;
    save_sample(dir);
    std::ofstream(dir.file("map-id.txt"), std::ios::binary) << "town\t17\r\ncounty\t3\nCOUNTY\t9\n";
    const ToolRun exported = tool(dir, "export town.mpr town.pdb");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.err,
              "Scaling points...\nBuilding data chunks...\nSorting name index...\nWriting PDB file...\n"
              "Data area: 592 of 524288 bytes (0%)\nPDB file successfully created!\n");
    const ToolRun inspected = tool(dir, "inspect town.pdb --dump");
    ASSERT_EQ(inspected.status, 0) << inspected.out;
    const std::string& dump = inspected.out;
    EXPECT_NE(dump.find("database \"Sample Town\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("map-id 17 parent-id 3"), std::string::npos);
    for (uint8_t t = 0; t < kLineTypeCount; ++t)
        EXPECT_NE(dump.find(std::string(kLineTypeNames[t]) + " name \"" + kLineTypeNames[t] +
                            " Way\" vertices 3: "),
                  std::string::npos)
            << kLineTypeNames[t];
    for (uint8_t t = 0; t < kPolygonTypeCount; ++t)
        EXPECT_NE(dump.find(std::string(kPolygonTypeNames[t]) + " name \"" + kPolygonTypeNames[t] +
                            " Park\" vertices 4: "),
                  std::string::npos);
    EXPECT_NE(dump.find("FREEWAY name \"FREEWAY Way\" vertices 3: 1,51 251,301 1,551"), std::string::npos);
    EXPECT_NE(dump.find("PNTFEATURE icon 0 name \"Town Hall\" at 6001,3001"), std::string::npos);
    EXPECT_NE(dump.find("LINK map-id 3 at 51,5951"), std::string::npos);
    EXPECT_NE(dump.find("CATPNTFEATURE category 2 sub-type 5 name \"Bus Depot\" at 11501,5501"),
              std::string::npos);
    EXPECT_TRUE(dump.ends_with("\nOK\n"));
}

TEST(ExportTool, OptionsReachTheFile) {
    TempDir dir;
    save_sample(dir);
    const ToolRun exported =
        tool(dir,
             "export town.mpr out.pdb --map-name 'Town Map' --map-id 4660 --parent-map-id 2 --layers 2,0 "
             "--zoom-category 2=Links --tree-depth 0=1 --map-class medium --region Parks=1 --publisher on "
             "--notice '(c) Us' --contact 'x' --initial-zoom x4 --group-zooms x1,x2,x4,x8,x16,x1,x2,x4 "
             "--names-zoom never --add-zoom x2 --auto-details roads,railways");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(exported.err.find("Building region tree..."), std::string::npos);
    std::vector<uint8_t> file;
    ASSERT_TRUE(read_whole_file(dir.file("out.pdb"), file));
    const InspectReport r = inspect_database(file);
    ASSERT_TRUE(r.ok()) << format_inspect_report(r, true);
    EXPECT_EQ(r.map_name, "Town Map");
    EXPECT_EQ(r.map_id, 4660);
    EXPECT_EQ(r.parent_map_id, 2);
    EXPECT_EQ(r.map_class, 0x82);
    EXPECT_EQ(r.header_flags, 0x45);
    ASSERT_EQ(r.layers.size(), 2u);
    EXPECT_EQ(r.layers[0].min_zoom_category, 7);
    EXPECT_EQ(r.layers[0].theme_bits, 1 << kThemePlaces);
    EXPECT_EQ(r.layers[1].table_kind, 1);
    EXPECT_EQ(r.region_level_name, "Parks");
    EXPECT_EQ(definitions_of(r, "region").size(), size_t(kPolygonTypeCount));
    EXPECT_EQ(r.publisher_notice, "(c) Us");
    ASSERT_EQ(r.preferences.size(), 24u);
    EXPECT_EQ(r.preferences[8], 2);
    EXPECT_EQ(r.preferences[13], 4);
    EXPECT_EQ(r.preferences[18], 0x31);
    EXPECT_EQ(r.preferences[19], 0xFF);
}

TEST(ExportTool, RefusalsAndFailures) {
    TempDir dir;
    save_sample(dir);
    EXPECT_EQ(tool(dir, "export town.mpr").status, 2);
    EXPECT_EQ(tool(dir, "export town.mpr o.pdb --layers 0,9").status, 2);
    EXPECT_EQ(tool(dir, "export town.mpr o.pdb --map-class huge").status, 2);
    const ToolRun nameless = tool(dir, "export town.mpr o.pdb --map-name ''");
    EXPECT_EQ(nameless.status, 2);
    EXPECT_NE(nameless.err.find("You need to provide a map name."), std::string::npos);
    const ToolRun empty_sel = tool(dir, "export town.mpr o.pdb --selection 5,5,5,9");
    EXPECT_EQ(empty_sel.status, 1);
    EXPECT_NE(empty_sel.err.find("Error: nothing to export, the coordinate range is empty!\n"),
              std::string::npos);
    // A build error's text has no line break of its own; the failure line still starts a new line.
    Project zigzag;
    set_field(zigzag.name, "Zigzag");
    zigzag.range = {0, 0, 24000, 12000};
    std::vector<Point> points;
    for (int i = 0; i < 3000; ++i) points.push_back({i % 2 ? 0 : 24000, i % 2 ? 0 : 12000});
    ObjectHead head;
    head.dimension = kDimLine;
    make_object(add_layer(zigzag, "roads", kThemeRoads), head, points.data(), int32_t(points.size()));
    NullProgressSink quiet;
    ASSERT_TRUE(save_project(zigzag, dir.file("zigzag"), quiet));
    const ToolRun too_long = tool(dir, "export zigzag.mpr z.pdb");
    EXPECT_EQ(too_long.status, 1);
    EXPECT_NE(too_long.err.find("Error: individual definition too long!\nplotwell-tool: export: "),
              std::string::npos)
        << too_long.err;
    const ToolRun unopened = tool(dir, "export town.mpr no-such-dir/o.pdb");
    EXPECT_EQ(unopened.status, 1);
    EXPECT_NE(unopened.err.find("Fatal: Unable to open output file!\n"), std::string::npos);
    // A damaged database: inspect names the violation and fails.
    ASSERT_EQ(tool(dir, "export town.mpr good.pdb").status, 0);
    std::vector<uint8_t> file;
    ASSERT_TRUE(read_whole_file(dir.file("good.pdb"), file));
    file.resize(file.size() - 3);
    std::ofstream(dir.file("bad.pdb"), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), long(file.size()));
    const ToolRun bad = tool(dir, "inspect bad.pdb");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("violation: "), std::string::npos);
    EXPECT_EQ(tool(dir, "inspect missing.pdb").status, 1);
}

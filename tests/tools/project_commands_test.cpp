// plotwell-tool's project commands, run as a user runs them.
#include <gtest/gtest.h>

#include "model/bytes.h"
#include "model/text.h"
#include "project/project_file.h"
#include "support/project_file_builders.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
int count_lines_starting(const std::string& text, const std::string& prefix) {
    int n = 0;
    size_t at = 0;
    while (at < text.size()) {
        if (text.compare(at, prefix.size(), prefix) == 0) ++n;
        const size_t end = text.find('\n', at);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return n;
}
}  // namespace

TEST(ProjectCommands, NewThenSaveThroughTheProjectReloadsToTheSameDump) {
    ScratchDir dir;
    const std::string made = dir.file("made.mpr");
    const ToolRun create =
        run_tool({"new", made, "--coord-sys", "degrees", "--name", "Trip", "--layer",
                  "Roads:ROADS:SNG_TYPED_OBJS", "--layer", "Lakes:water", "--layer", "a:b:5"});
    ASSERT_EQ(create.status, 0) << create.err;

    Project p;
    NullProgressSink quiet;
    ASSERT_TRUE(load_project_file(p, dir.file("made"), quiet));
    EXPECT_EQ(p.coord_sys, kCoordDegrees);
    EXPECT_EQ(p.range, (CoordRange{180000000, 180000000, -360000000, -360000000}));
    ASSERT_EQ(p.layer_count, 3);
    EXPECT_EQ(p.layers[0].type, kSngTypedObjs);
    EXPECT_EQ(p.layers[1].theme, kThemeWater);
    EXPECT_EQ(p.layers[1].type, kEraseBkg) << "the editor's default for a new layer";
    EXPECT_EQ(field_text(p.layers[2].name), "a:b") << "the theme is taken from the right";
    EXPECT_EQ(p.layers[2].theme, kThemePlaces);
    ASSERT_TRUE(save_project(p, dir.file("resaved"), quiet));

    const ToolRun a = run_tool({"dump", made});
    const ToolRun b = run_tool({"dump", dir.file("resaved.mpr")});
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(a.out.find("layer 0 name=\"Roads\" type=1 theme=4"), std::string::npos) << a.out;
}

TEST(ProjectCommands, PixelProjectsTakeTheDefaultOrTheGivenRange) {
    ScratchDir dir;
    NullProgressSink quiet;
    ASSERT_EQ(run_tool({"new", dir.file("a.mpr"), "--coord-sys", "pixels"}).status, 0);
    ASSERT_EQ(
        run_tool({"new", dir.file("b.mpr"), "--coord-sys", "pixels", "--range", "-5,6,700,-800"}).status, 0);
    Project a, b;
    ASSERT_TRUE(load_project_file(a, dir.file("a"), quiet));
    ASSERT_TRUE(load_project_file(b, dir.file("b"), quiet));
    EXPECT_EQ(a.coord_sys, kCoordArbitrary);
    EXPECT_EQ(a.range, (CoordRange{0, 0, 100, 100}));
    EXPECT_EQ(b.range, (CoordRange{-5, 6, 700, -800}));
    EXPECT_EQ(a.layer_count, 0);
}

TEST(ProjectCommands, DumpAndInfoShowEveryObjectAndLayer) {
    ScratchDir dir;
    Project p;
    fill_sample_project(p);
    NullProgressSink quiet;
    ASSERT_TRUE(save_project(p, dir.file("s"), quiet));
    const ToolRun dump = run_tool({"dump", dir.file("s.mpr")});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(count_lines_starting(dump.out, "object "), 7);
    EXPECT_EQ(count_lines_starting(dump.out, "bitmap "), 2);
    // the file holds the lists from the head, a load reverses them: the first object made comes first
    EXPECT_NE(dump.out.find("object 0.0 LINE FREEWAY name=\"Main Street\" points=3 1,2 3,4 5,6\n"),
              std::string::npos)
        << dump.out;
    EXPECT_NE(dump.out.find("object 2.2 POINT CATPNTFEATURE name=\"Fuel\" category=3 sub_type=7 at=50,60\n"),
              std::string::npos)
        << dump.out;
    EXPECT_NE(dump.out.find("icon=130 at=10,20\n"), std::string::npos);
    EXPECT_TRUE(dump.err.empty()) << "no progress bar when stderr is not a terminal: " << dump.err;

    const ToolRun info = run_tool({"info", dir.file("s.mpr")});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("  0: Roads [ROADS] type SNG_TYPED_OBJS, flags 1, objects 2\n"),
              std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("coordinate system: 1 Decimal Degrees (Exp 6)\n"), std::string::npos);
    EXPECT_NE(info.out.find("\"/abs/hidden.bmp\" at 0,0 size 10 x 20 hidden\n"), std::string::npos)
        << info.out;
}

TEST(ProjectCommands, CheckReportsDamageAndRefusesNonProjects) {
    ScratchDir dir;
    Project p;
    fill_sample_project(p);
    NullProgressSink quiet;
    std::vector<uint8_t> bytes = build_project_file(p, quiet);
    ASSERT_TRUE(write_bytes(dir.file("good.mpr"), bytes));
    const ToolRun good = run_tool({"check", dir.file("good.mpr")});
    EXPECT_EQ(good.status, 0) << good.out << good.err;

    const size_t slots = get_le32(bytes.data() + get_le32(bytes.data() + 28) + 4);
    put_le32(bytes.data() + slots, uint32_t(bytes.size() + 64));
    ASSERT_TRUE(write_bytes(dir.file("bad.mpr"), bytes));
    const ToolRun bad = run_tool({"check", dir.file("bad.mpr")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("layer 0: 1 object record(s) skipped"), std::string::npos) << bad.out;
    EXPECT_EQ(count_lines_starting(bad.err, "plotwell-tool: "), 1) << bad.err;

    ASSERT_TRUE(write_bytes(dir.file("text.mpr"), std::vector<uint8_t>(400, 'z')));
    const ToolRun text = run_tool({"check", dir.file("text.mpr")});
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.err.find("not a project file"), std::string::npos) << text.err;
}

TEST(ProjectCommands, UsageErrorsAndExistingFiles) {
    ScratchDir dir;
    EXPECT_EQ(run_tool({"info"}).status, 2);
    EXPECT_EQ(run_tool({"dump", "a.mpr", "b.mpr"}).status, 2);
    EXPECT_EQ(run_tool({"new", dir.file("x.mpr")}).status, 2) << "no coordinate system";
    EXPECT_EQ(run_tool({"new", dir.file("x.mpr"), "--coord-sys", "feet"}).status, 2);
    EXPECT_EQ(run_tool({"new", dir.file("x"), "--coord-sys", "pixels"}).status, 2) << "not a .mpr name";
    EXPECT_EQ(run_tool({"new", dir.file("x.mpr"), "--coord-sys", "pixels", "--layer", "a:NOSUCH"}).status, 2);
    EXPECT_EQ(run_tool({"new", dir.file("x.mpr"), "--coord-sys", "pixels", "--range", "1,2,3"}).status, 2);
    std::vector<std::string> nine = {"new", dir.file("x.mpr"), "--coord-sys", "pixels"};
    for (int i = 0; i < 9; ++i) nine.insert(nine.end(), {"--layer", "l:LAND"});
    const ToolRun full = run_tool(nine);
    EXPECT_EQ(full.status, 2);
    EXPECT_NE(full.err.find("Layer table full!"), std::string::npos);

    ASSERT_EQ(run_tool({"new", dir.file("x.mpr"), "--coord-sys", "pixels", "--name", "first"}).status, 0);
    const ToolRun again = run_tool({"new", dir.file("x.mpr"), "--coord-sys", "degrees"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(run_tool({"info", dir.file("x.mpr")}).out.find("name: \"first\""), std::string::npos);
    EXPECT_EQ(run_tool({"new", dir.file("x.mpr"), "--coord-sys", "degrees", "--force"}).status, 0);

    const ToolRun help = run_tool({"new", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: plotwell-tool new", 0), 0u);
}

TEST(ProjectCommands, DumpOfTheKeptSampleMatchesItsKeptText) {
    const ToolRun dump = run_tool({"dump", PLOTWELL_TEST_DATA_DIR "/project/sample.mpr"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    std::vector<uint8_t> expected;
    ASSERT_TRUE(read_whole_file(PLOTWELL_TEST_DATA_DIR "/project/sample.dump", expected));
    EXPECT_EQ(dump.out, std::string(expected.begin(), expected.end()));
}

// plotwell-tool import-project: the translation table, the log and the saved result.
#include <gtest/gtest.h>

#include "model/text.h"
#include "project/project_file.h"
#include "support/object_builders.h"
#include "support/project_file_builders.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(ImportProjectCommand, MapsByThemeTakesOverridesAndSaves) {
    ScratchDir dir;
    Project source;
    fill_sample_project(source);  // Roads [ROADS], Water [WATER], Places [PLACES]
    NullProgressSink quiet;
    ASSERT_TRUE(save_project(source, dir.file("source"), quiet));
    ASSERT_EQ(run_tool({"new", dir.file("map.mpr"), "--coord-sys", "degrees", "--layer", "Streets:ROADS:1",
                        "--layer", "Lakes:WATER:2"})
                  .status,
              0);

    const ToolRun run =
        run_tool({"import-project", dir.file("map.mpr"), dir.file("source.mpr"), "--map", "1=none"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "0: Roads [ROADS]            0: Streets [ROADS]\n"
              "1: Water [WATER]            None\n"
              "2: Places [PLACES]          0: Streets [ROADS]\n");
    EXPECT_EQ(run.err, "  Project successfully imported.\n");

    Project merged;
    ASSERT_TRUE(load_project_file(merged, dir.file("map"), quiet));
    EXPECT_EQ(merged.layers[0].object_count, 2 + 3);
    EXPECT_EQ(merged.layers[1].object_count, 0);
    EXPECT_EQ(merged.range, source.range) << "the new project's range was empty";
}

TEST(ImportProjectCommand, RefusalsFailWithoutSaving) {
    ScratchDir dir;
    ASSERT_EQ(run_tool({"new", dir.file("pixels.mpr"), "--coord-sys", "pixels", "--layer", "A:LAND"}).status,
              0);
    ASSERT_EQ(run_tool({"new", dir.file("deg.mpr"), "--coord-sys", "degrees", "--layer", "B:ROADS"}).status,
              0);
    ASSERT_EQ(run_tool({"new", dir.file("bare.mpr"), "--coord-sys", "degrees"}).status, 0);

    const ToolRun other = run_tool({"import-project", dir.file("pixels.mpr"), dir.file("deg.mpr")});
    EXPECT_EQ(other.status, 1);
    EXPECT_NE(other.err.find("Error: project files have incompatible coordinate systems!\n"),
              std::string::npos);

    const ToolRun bare = run_tool({"import-project", dir.file("bare.mpr"), dir.file("deg.mpr")});
    EXPECT_EQ(bare.status, 1);
    EXPECT_NE(bare.err.find("has no layers"), std::string::npos) << bare.err;

    const ToolRun missing =
        run_tool({"import-project", dir.file("deg.mpr"), dir.file("deg.mpr"), "--map", "0=3"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("which the project does not have"), std::string::npos) << missing.err;

    EXPECT_EQ(run_tool({"import-project", dir.file("deg.mpr"), dir.file("deg.mpr"), "--map", "0:1"}).status,
              2);
    EXPECT_EQ(run_tool({"import-project", dir.file("deg.mpr")}).status, 2);
    const ToolRun no_such_layer =
        run_tool({"import-project", dir.file("deg.mpr"), dir.file("deg.mpr"), "--map", "4=0"});
    EXPECT_EQ(no_such_layer.status, 1);
}

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "model/bytes.h"
#include "model/object_storage.h"
#include "model/vocabulary.h"
#include "platform/progress_sink.h"
#include "project/project_file.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

// The committed sample map is exactly what the generator writes, so it can always be made again.
TEST(SampleMap, CommittedFileMatchesTheGenerator) {
    ScratchDir dir;
    const std::string out = dir.file("town.mpr");
    // The background's name is stored relative to data/, the folder the editor runs the sample in.
    const std::string command = "cd '" + std::string(PLOTWELL_SOURCE_DIR) + "/data' && '" + PLOTWELL_TOOL_PATH +
                                "' make-sample '" + out + "' --bitmap sample/town.bmp";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<uint8_t> made, committed;
    ASSERT_TRUE(read_whole_file(out, made));
    ASSERT_TRUE(read_whole_file(std::string(PLOTWELL_SOURCE_DIR) + "/data/sample/town.mpr", committed));
    EXPECT_EQ(made, committed) << "in data/: plotwell-tool make-sample sample/town.mpr --bitmap sample/town.bmp";
}

TEST(SampleMap, RefusesABitmapItCannotRead) {
    ScratchDir dir;
    const ToolRun run = run_tool({"make-sample", dir.file("town.mpr"), "--bitmap", dir.file("missing.bmp")});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("town.mpr")));
}

TEST(SampleMap, HoldsEveryKindOfObjectAndRoadsThatChain) {
    Project project;
    NullProgressSink quiet;
    ASSERT_TRUE(load_project_file(project, std::string(PLOTWELL_SOURCE_DIR) + "/data/sample/town", quiet));
    bool seen[3][12] = {};
    int main_street_segments = 0;
    for (int l = 0; l < project.layer_count; ++l)
        for (const MapObject* o = project.layers[l].objects; o; o = o->next) {
            if (o->dimension <= kDimPolygon && o->type < 12) seen[o->dimension][o->type] = true;
            if (std::string_view(o->name) == "Main Street") ++main_street_segments;
            if (has_points(o)) {
                EXPECT_GE(object_point_count(o), 2) << o->name;
            }
        }
    for (int t = 0; t < kPointTypeCount; ++t) EXPECT_TRUE(seen[kDimPoint][t]) << kPointTypeNames[t];
    for (uint8_t t : {kFreeway, kHighway, kRoad3, kRoad4, kRoad5, kRiver, kRailroad})
        EXPECT_TRUE(seen[kDimLine][t]) << kLineTypeNames[t];
    for (uint8_t t : {kWaterArea, kOpenSpace, kLandArea, kBuilding}) EXPECT_TRUE(seen[kDimPolygon][t]);
    EXPECT_GT(main_street_segments, 1) << "streets come in segments that share a name";
    EXPECT_EQ(project.coord_sys, kCoordDegrees);
    EXPECT_FALSE(empty_range(project.range));
    ASSERT_EQ(project.bitmaps.count, 1);
    EXPECT_STREQ(project.bitmaps.entries[0].file_name, "sample/town.bmp");
    EXPECT_EQ(project.bitmaps.entries[0].width, project.range.width);
}

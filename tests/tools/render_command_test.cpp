// plotwell-tool render: its options, and the picture it writes.
#include <gtest/gtest.h>

#include "model/bytes.h"
#include "model/png_file.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(RenderCommand, ParsesItsOptionsAndWritesThePicture) {
    ScratchDir dir;
    const std::string pdb = dir.file("town.pdb"), png = dir.file("town.png");
    ASSERT_EQ(run_tool({"export", std::string(PLOTWELL_SOURCE_DIR) + "/data/sample/town.mpr", pdb}).status,
              0);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--zoom", "x3"},
                                                {"--zoom"},
                                                {"--center", "1"},
                                                {"--center", "1,70000"},
                                                {"--size", "0x10"},
                                                {"--size", "10x5000"},
                                                {"--size", "10,10"},
                                                {"--tilt", "1"},
                                                {"extra.png"}}) {
        std::vector<std::string> args = {"render", pdb, png};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(run_tool(args).status, 2) << args[3];
    }
    EXPECT_EQ(run_tool({"render", pdb}).status, 2);
    const ToolRun run =
        run_tool({"render", pdb, png, "--zoom", "X4", "--center", "6000,6000", "--size", "40x30"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<uint8_t> bytes;
    Image picture;
    ASSERT_TRUE(read_whole_file(png, bytes) && decode_png(bytes, picture));
    EXPECT_EQ(picture.width, 40);
    EXPECT_EQ(picture.height, 30);
    EXPECT_EQ(run_tool({"render", dir.file("missing.pdb"), png}).status, 1);
}

// The load and save tasks: their log, progress, the bitmap images and what a failure leaves behind.
#include "project/project_tasks.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/bytes.h"
#include "model/text.h"
#include "project/project_file.h"
#include "support/bmp_writer.h"
#include "support/object_builders.h"
#include "support/project_file_builders.h"
#include "support/recording_sink.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(ProjectTasks, LoadLogsBothStepsAndLoadsOnlyVisibleBitmaps) {
    ScratchDir dir;
    Project saved;
    fill_sample_project(saved);
    saved.bitmaps.count = 3;
    set_field(saved.bitmaps.entries[2].file_name, "unloadable.bmp");
    NullProgressSink quiet;
    ASSERT_TRUE(save_project(saved, dir.file("p"), quiet));

    std::vector<std::string> asked;
    const BitmapImageLoader loader = [&](const std::string& name) -> std::shared_ptr<const Image> {
        asked.push_back(name);
        if (name == "unloadable.bmp") return nullptr;
        auto image = std::make_shared<Image>();
        image->width = 1;
        return image;
    };
    Project p;
    RecordingSink sink;
    ASSERT_TRUE(load_project_task(p, dir.file("p"), sink, loader));
    EXPECT_EQ(sink.log,
              "Loading layer objects...\r\nLoading background bitmaps...\r\n"
              "Warning: background bitmap not found: unloadable.bmp\r\n");
    EXPECT_TRUE(sink.closed);
    EXPECT_EQ(sink.result, 1);
    EXPECT_EQ(asked, (std::vector<std::string>{"maps/shown.bmp", "unloadable.bmp"}))
        << "the hidden one is not read";
    EXPECT_TRUE(p.bitmaps.entries[0].image);
    EXPECT_FALSE(p.bitmaps.entries[1].image) << "hidden";
    EXPECT_FALSE(p.bitmaps.entries[2].image) << "cannot be loaded: none, and a warning";
    EXPECT_EQ(sink.ranges, (std::vector<int>{7, 3}));
    EXPECT_EQ(sink.positions, (std::vector<int>{1, 2, 3}));
}

TEST(ProjectTasks, FailedLoadClosesWithZeroAndKeepsTheProject) {
    ScratchDir dir;
    ASSERT_TRUE(write_bytes(dir.file("bad.mpr"), std::vector<uint8_t>(300, 'x')));
    Project p;
    fill_sample_project(p);
    RecordingSink sink;
    EXPECT_FALSE(load_project_task(p, dir.file("bad"), sink, nullptr));
    EXPECT_EQ(sink.log, "Loading layer objects...\r\n");
    EXPECT_EQ(sink.result, 0);
    EXPECT_EQ(p.layer_count, 3);
    EXPECT_EQ(field_text(p.name), "Sample");
}

TEST(ProjectTasks, SaveClearsModifiedOnlyOnSuccess) {
    ScratchDir dir;
    Project p;
    fill_sample_project(p);
    p.modified = 1;
    RecordingSink sink;
    EXPECT_FALSE(save_project_task(p, dir.file("missing-folder/p"), sink));
    EXPECT_EQ(sink.result, 0);
    EXPECT_EQ(p.modified, 1);
    EXPECT_TRUE(sink.log.empty()) << "a failed save shows no message";

    RecordingSink ok;
    EXPECT_TRUE(save_project_task(p, dir.file("p"), ok));
    EXPECT_EQ(ok.result, 1);
    EXPECT_EQ(p.modified, 0);
}

TEST(ProjectTasks, AFailedSaveAtAnyByteKeepsTheOldFileByteForByte) {
    ScratchDir dir;
    const std::vector<uint8_t> old_bytes = save_small_project(dir.file("p"));
    ASSERT_FALSE(old_bytes.empty());

    Project p;
    fill_sample_project(p);
    NullProgressSink quiet;
    const size_t new_size = build_project_file(p, quiet).size();
    ASSERT_GT(new_size, old_bytes.size());
    for (size_t at = 0; at < new_size; ++at) {
        p.modified = 1;
        WriteFaults faults;
        faults.fail_at_byte = int64_t(at);
        RecordingSink sink;
        ASSERT_FALSE(save_project_task(p, dir.file("p"), sink, &faults)) << at;
        ASSERT_EQ(p.modified, 1) << at;
        std::vector<uint8_t> now;
        ASSERT_TRUE(read_whole_file(dir.file("p.mpr"), now));
        ASSERT_EQ(now, old_bytes) << at;
    }
    WriteFaults flush;
    flush.fail_flush = true;
    EXPECT_FALSE(save_project(p, dir.file("p"), quiet, &flush));
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()),
        1)
        << "no temporary file is left behind";
}

TEST(ProjectTasks, BitmapLoaderTakesRelativeNamesBelowTheProgramDirectory) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.path() / "program" / "maps");
    BmpLayout bmp;
    bmp.width = 2;
    bmp.height = 1;
    bmp.pixel_data = {0, 0, 255, 0, 255, 0, 0, 0};  // red, green, row padding
    ASSERT_TRUE(write_bytes(dir.file("program/maps/rel.bmp"), write_bmp(bmp)));
    ASSERT_TRUE(write_bytes(dir.file("abs.bmp"), write_bmp(bmp)));

    Project saved;
    saved.bitmaps.count = 4;
    set_field(saved.bitmaps.entries[0].file_name, "maps/rel.bmp");
    set_field(saved.bitmaps.entries[1].file_name, dir.file("abs.bmp"));
    set_field(saved.bitmaps.entries[2].file_name, "maps/missing.bmp");
    set_field(saved.bitmaps.entries[3].file_name, "maps/rel.bmp");
    saved.bitmaps.entries[3].flags = kBitmapHidden;
    NullProgressSink quiet;
    ASSERT_TRUE(save_project(saved, dir.file("p"), quiet));

    Project p;
    RecordingSink sink;
    ASSERT_TRUE(load_project_task(p, dir.file("p"), sink, bitmap_loader({"", dir.file("program") + "/"})));
    ASSERT_TRUE(p.bitmaps.entries[0].image);
    EXPECT_EQ(p.bitmaps.entries[0].image->width, 2);
    EXPECT_TRUE(p.bitmaps.entries[1].image);
    EXPECT_FALSE(p.bitmaps.entries[2].image);
    EXPECT_FALSE(p.bitmaps.entries[3].image);
    EXPECT_EQ(sink.result, 1);
}

TEST(ProjectTasks, BitmapLoaderFallsBackToTheWorkingDirectory) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.path() / "program");
    std::filesystem::create_directories(dir.path() / "work" / "sample");
    BmpLayout bmp;
    bmp.width = 1;
    bmp.height = 1;
    bmp.pixel_data = {0, 0, 255, 0};
    ASSERT_TRUE(write_bytes(dir.file("work/sample/town.bmp"), write_bmp(bmp)));
    const BitmapImageLoader load = bitmap_loader({"", dir.file("program") + "/"});
    const std::filesystem::path old_dir = std::filesystem::current_path();
    std::filesystem::current_path(dir.path() / "work");
    const bool found = load("sample/town.bmp") != nullptr;
    const bool missing = load("sample/none.bmp") == nullptr;
    std::filesystem::current_path(old_dir);
    EXPECT_TRUE(found);
    EXPECT_TRUE(missing);
}

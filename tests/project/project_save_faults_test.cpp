// Saves that fail while writing: the flush, and a save with no file to fall back on. (Every byte of a
// save over an existing file is covered in project_tasks_test.)
#include <gtest/gtest.h>

#include <filesystem>

#include "model/bytes.h"
#include "model/file_commit.h"
#include "project/project_file.h"
#include "project/project_tasks.h"
#include "support/object_builders.h"
#include "support/project_file_builders.h"
#include "support/recording_sink.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

size_t files_in(const std::filesystem::path& dir) {
    return size_t(
        std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()));
}

}  // namespace

TEST(ProjectSaveFaults, AFailedFlushKeepsTheOldFileAndTheProjectModified) {
    ScratchDir dir;
    const std::vector<uint8_t> old_bytes = save_small_project(dir.file("p"));
    ASSERT_FALSE(old_bytes.empty());

    Project p;
    fill_sample_project(p);
    p.modified = 1;
    WriteFaults flush;
    flush.fail_flush = true;
    RecordingSink sink;
    EXPECT_FALSE(save_project_task(p, dir.file("p"), sink, &flush));
    EXPECT_EQ(sink.result, 0);
    EXPECT_EQ(p.modified, 1);
    std::vector<uint8_t> now;
    ASSERT_TRUE(read_whole_file(dir.file("p.mpr"), now));
    EXPECT_EQ(now, old_bytes);
    EXPECT_EQ(files_in(dir.path()), 1u) << "no temporary file is left behind";
}

TEST(ProjectSaveFaults, AFirstSaveThatFailsAnywhereLeavesNoFile) {
    ScratchDir dir;
    Project p;
    add_point(add_layer(p, "Towns"), "Hill", {5, 5});
    NullProgressSink quiet;
    const size_t size = build_project_file(p, quiet).size();
    for (size_t at = 0; at <= size; ++at) {
        WriteFaults faults;
        if (at == size)
            faults.fail_flush = true;
        else
            faults.fail_at_byte = int64_t(at);
        p.modified = 1;
        RecordingSink sink;
        ASSERT_FALSE(save_project_task(p, dir.file("p"), sink, &faults)) << at;
        ASSERT_EQ(p.modified, 1) << at;
        ASSERT_EQ(files_in(dir.path()), 0u) << "a half-written project file is never left, at " << at;
    }
    // The same save without a fault writes the file and clears the flag.
    RecordingSink sink;
    EXPECT_TRUE(save_project_task(p, dir.file("p"), sink));
    EXPECT_EQ(p.modified, 0);
    EXPECT_EQ(files_in(dir.path()), 1u);
}

#include <gtest/gtest.h>

#include <filesystem>

#include "model/bytes.h"
#include "model/file_commit.h"

using namespace plotwell;
namespace fs = std::filesystem;

TEST(FileCommit, AFailureAtAnyByteOrAtTheFlushKeepsTheOldFile) {
    const fs::path dir = fs::temp_directory_path() / "plotwell_file_commit";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "a.bin").string();
    const std::vector<uint8_t> old_bytes = {1, 2, 3};
    ASSERT_TRUE(commit_file(path, old_bytes));

    const std::vector<uint8_t> new_bytes = {9, 8, 7, 6, 5};
    for (int64_t at = 0; at < int64_t(new_bytes.size()); ++at) {
        WriteFaults faults;
        faults.fail_at_byte = at;
        EXPECT_FALSE(commit_file(path, new_bytes, &faults)) << at;
        std::vector<uint8_t> now;
        ASSERT_TRUE(read_whole_file(path, now));
        EXPECT_EQ(now, old_bytes) << at;
    }
    WriteFaults flush;
    flush.fail_flush = true;
    EXPECT_FALSE(commit_file(path, new_bytes, &flush));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary left over";

    ASSERT_TRUE(commit_file(path, new_bytes));
    std::vector<uint8_t> now;
    ASSERT_TRUE(read_whole_file(path, now));
    EXPECT_EQ(now, new_bytes);
    EXPECT_FALSE(commit_file((dir / "missing" / "b.bin").string(), new_bytes)) << "a folder that is not there";
    fs::remove_all(dir);
}

// The sample project against the file kept in tests/data/project: any change to the bytes the writer
// produces shows here. To renew it after a deliberate format change, save fill_sample_project with
// save_project to sample.mpr and write "plotwell-tool dump sample.mpr" to sample.dump.
#include <gtest/gtest.h>

#include "model/bytes.h"
#include "project/project_file.h"
#include "support/project_file_builders.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(ProjectFileGolden, SampleProjectIsWrittenByteForByteAsKept) {
    std::vector<uint8_t> kept;
    ASSERT_TRUE(read_whole_file(PLOTWELL_TEST_DATA_DIR "/project/sample.mpr", kept));
    Project p;
    fill_sample_project(p);
    NullProgressSink quiet;
    EXPECT_EQ(build_project_file(p, quiet), kept);
}

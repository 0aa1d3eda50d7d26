// A write that fails at any byte of the database, or at the final flush, is reported as a failure and
// leaves the file that was there before untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "export_fixture.h"
#include "model/file_commit.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

std::string read_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void small_project(Project& project) {
    project.range = {0, 0, 24000, 12000};
    set_field(project.name, "Small");
    Layer& roads = add_layer(project, "roads", kThemeRoads);
    add_point(roads, "Town Hall", {100, 100});
    add_line(roads, "Main Street", {{10, 10}, {2000, 1500}, {4000, 1500}});
}

void expect_failed_write(const ExportRun& run, const TempDir& dir, const std::string& what) {
    EXPECT_EQ(run.result, kExportWriteFailed) << what;
    const std::string error = "Error: unable to write output file!\r\n";
    ASSERT_GE(run.sink.log.size(), error.size()) << what;
    EXPECT_EQ(run.sink.log.substr(run.sink.log.size() - error.size()), error) << what;
    EXPECT_EQ(run.sink.log.find("successfully"), std::string::npos) << what;
    EXPECT_EQ(read_text(dir.file("OUT.pdb")), "previous map") << what;
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.file("")))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u) << what << ": no temporary file is left behind";
}

}  // namespace

TEST(ExportWriteFaults, EveryBytePositionAndTheFlushFailCleanly) {
    Project project;
    small_project(project);
    TempDir dir;
    const ExportRun good = run_test_export(project, default_settings(project), dir);
    ASSERT_EQ(good.result, kExportOk);
    ASSERT_NE(good.sink.log.find("PDB file successfully created!\r\n"), std::string::npos);
    const size_t size = good.file.size();
    ASSERT_GT(size, 100u);

    for (size_t at = 0; at <= size; ++at) {
        std::ofstream(dir.file("OUT.pdb"), std::ios::binary | std::ios::trunc) << "previous map";
        WriteFaults faults;
        if (at == size)
            faults.fail_flush = true;
        else
            faults.fail_at_byte = int64_t(at);
        ExportInputs inputs;
        inputs.write_faults = &faults;
        const ExportRun run = run_test_export(project, default_settings(project), dir, inputs);
        expect_failed_write(run, dir, at == size ? "flush" : "byte " + std::to_string(at));
        if (testing::Test::HasFailure()) break;  // one position's report is enough
    }
}

TEST(ExportWriteFaults, AFaultPastTheLastByteDoesNotFireAndTheExportSucceeds) {
    Project project;
    small_project(project);
    TempDir dir;
    const ExportRun good = run_test_export(project, default_settings(project), dir);
    ASSERT_EQ(good.result, kExportOk);
    WriteFaults faults;
    faults.fail_at_byte = int64_t(good.file.size());
    ExportInputs inputs;
    inputs.write_faults = &faults;
    const ExportRun run = run_test_export(project, default_settings(project), dir, inputs);
    EXPECT_EQ(run.result, kExportOk);
    EXPECT_EQ(run.file, good.file);
}

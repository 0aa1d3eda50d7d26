// The picture of a small database against a stored PNG (compared by pixels, so the encoder's choices do
// not matter), and broken databases that must still render.
#include "export/database_render.h"

#include <gtest/gtest.h>

#include <random>

#include "export_fixture.h"
#include "model/png_file.h"
#include "support/export_samples.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
// The harbour with a named quay, names and every layer from x1 on, and the water as a region level.
std::vector<uint8_t> harbour_database() {
    Project project;
    fill_harbour_project(project);
    add_point(add_layer(project, "Places", kThemePlaces), "Quay", {151060000, -33960000});
    ExportSettings settings = default_settings(project, "Harbour");
    settings.has_map_preferences = 1;
    settings.region_level_count = 1;
    settings.region_source_layer = 1;
    set_field(settings.region_level_name, "Bays");
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir);
    EXPECT_EQ(run.result, kExportOk);
    return run.file;
}

const std::string kStored = std::string(PLOTWELL_TEST_DATA_DIR) + "/render/harbour.png";
}  // namespace

TEST(DatabaseRender, SmallDatabaseMatchesTheStoredPicture) {
    const InspectReport report = inspect_database(harbour_database());
    ASSERT_TRUE(report.ok());
    const Image picture = render_database(report, RenderView{0, std::nullopt, 96, 64});
    std::vector<uint8_t> bytes;
    Image stored;
    const bool same = read_whole_file(kStored, bytes) && decode_png(bytes, stored) &&
                      stored.width == picture.width && stored.height == picture.height &&
                      stored.pixels == picture.pixels;
    if (!same) {
        const std::string actual = std::filesystem::temp_directory_path() / "harbour-actual.png";
        EXPECT_TRUE(write_png_file(actual, picture).ok);
        ADD_FAILURE() << "the picture differs from " << kStored << "; this run's picture is " << actual;
    }
}

TEST(DatabaseRender, BrokenDatabasesRenderWhatIsSound) {
    const std::vector<uint8_t> file = harbour_database();
    std::mt19937 random(18);
    for (size_t n = 0; n <= file.size() + 200; ++n) {
        std::vector<uint8_t> broken = file;
        if (n < file.size()) {
            broken.resize(n);  // every prefix
        } else {
            for (int k = 0; k < 4; ++k) broken[random() % broken.size()] = uint8_t(random());
        }
        const InspectReport report = inspect_database(broken);
        // The whole map at x1, and a far corner at x16.
        for (const RenderView& view :
             {RenderView{0, std::nullopt, 24, 16}, RenderView{4, ScaledPoint{65535, 0}, 24, 16}}) {
            const Image picture = render_database(report, view);
            ASSERT_EQ(picture.pixels.size(), size_t(24 * 16)) << "prefix or corruption " << n;
        }
        if (n < file.size()) {
            EXPECT_FALSE(report.ok()) << "prefix of " << n << " bytes";
        }
    }
}

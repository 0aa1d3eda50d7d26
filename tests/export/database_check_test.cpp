#include <gtest/gtest.h>

#include <random>

#include "export/cell_tree.h"
#include "export_fixture.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
// A database with every kind of record: publisher, region tree, preferences, two layers.
std::vector<uint8_t> sample_database() {
    Project project;
    project.range = {0, 0, 24000, 12000};
    Layer& roads = add_layer(project, "roads", kThemeRoads);
    Layer& places = add_layer(project, "places", kThemePlaces);
    Layer& regions = add_layer(project, "regions", kThemeLand);
    for (int i = 0; i < 40; ++i) {
        add_line(roads, i % 2 ? "George St" : "George Street",
                 {{i * 500, 0}, {i * 500 + 300, 6000}, {i * 500, 12000}});
        add_point(places, "Stop " + std::to_string(i), {i * 600, i * 300});
    }
    add_point(places, "Far Away", {100, 100}, kLink);
    add_line(regions, "East", {{12000, 0}, {24000, 0}, {24000, 12000}, {12000, 12000}}, kDimPolygon);
    add_line(regions, "West", {{10, 10}, {12000, 10}, {12000, 12000}, {10, 12000}}, kDimPolygon);
    ExportSettings settings = default_settings(project);
    settings.visible_layer_count = 2;
    settings.layer_props[1].single_list = 1;
    settings.flags = kExportPublisherInfo;
    settings.has_map_preferences = 1;
    settings.region_level_count = 1;
    settings.region_source_layer = 2;
    set_field(settings.region_level_name, "Halves");
    ExportInputs inputs;
    inputs.publisher_notice = "(c) 2001";
    inputs.contact = "someone\r\nsomewhere";
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir, inputs);
    EXPECT_EQ(run.result, kExportOk);
    return run.file;
}

// Offset of record `i` as the record list gives it.
size_t record_offset(const std::vector<uint8_t>& file, int i) {
    return get_be32(file.data() + 78 + 8 * i);
}

bool mentions(const InspectReport& report, const std::string& text) {
    for (const std::string& v : report.violations)
        if (v.find(text) != std::string::npos) return true;
    return false;
}
}  // namespace

TEST(DatabaseInspector, DecodesEveryPartOfASampleDatabase) {
    const std::vector<uint8_t> file = sample_database();
    const InspectReport report = inspect_database(file);
    ASSERT_TRUE(report.ok()) << format_inspect_report(report, true);
    EXPECT_EQ(report.map_name, "Test Map");
    EXPECT_EQ(report.record_count, 7 + report.data_record_count - 1);
    EXPECT_EQ(report.layers.size(), 2u);
    EXPECT_EQ(report.layers[0].table_kind, 5);
    EXPECT_EQ(report.layers[1].table_kind, 1);
    EXPECT_EQ(report.contact, "someone\nsomewhere");
    EXPECT_EQ(report.index_names.size(), 80u);
    EXPECT_EQ(definitions_of(report, "layer 1").size(), 40u);
    EXPECT_EQ(definitions_of(report, "layer 2").size(), 41u);
    EXPECT_EQ(definitions_of(report, "region").size(), 2u);
    // Back-references were used and resolved: every road carries its full name.
    for (const auto& d : definitions_of(report, "layer 1"))
        EXPECT_TRUE(d.name == "George St" || d.name == "George Street");
}

TEST(DatabaseInspector, FindsPlantedFaults) {
    const std::vector<uint8_t> good = sample_database();
    const size_t header = record_offset(good, 0);
    {
        std::vector<uint8_t> f = good;
        f[header + 12] ^= 1;  // y_max changes, the checksum does not
        EXPECT_TRUE(mentions(inspect_database(f), "header checksum"));
    }
    {
        // The name index in reverse order is no longer sorted.
        std::vector<uint8_t> f = good;
        const size_t begin = record_offset(good, 3), end = record_offset(good, 4);
        for (size_t a = begin, b = end - 2; a < b; a += 2, b -= 2) {
            std::swap(f[a], f[b]);
            std::swap(f[a + 1], f[b + 1]);
        }
        EXPECT_TRUE(mentions(inspect_database(f), "sorts before"));
    }
    {
        // A Definition moved into another cell of its layer's tree.
        std::vector<uint8_t> f = good;
        const size_t table = record_offset(good, 4);
        int used = -1;
        for (int c = 0; c < kCellTreeEntries && used < 0; ++c)
            if (get_be16(&f[table + 2 * c]) != 0) used = c;
        ASSERT_GE(used, 0);
        const int other = used == 510 ? 509 : 510;
        std::swap(f[table + 2 * used], f[table + 2 * other]);
        std::swap(f[table + 2 * used + 1], f[table + 2 * other + 1]);
        EXPECT_TRUE(mentions(inspect_database(f), "its box belongs in cell"));
    }
    {
        // A list that runs in a circle.
        std::vector<uint8_t> f = good;
        const size_t table = record_offset(good, 5);  // the single-list layer
        const uint16_t head = get_be16(&f[table]);
        const size_t data = record_offset(good, 6);
        const size_t at = data + (size_t(head) << 3);
        f[at] = uint8_t(head >> 8);
        f[at + 1] = uint8_t(head);
        EXPECT_TRUE(mentions(inspect_database(f), "reached twice"));
    }
    {
        std::vector<uint8_t> f = good;
        f.pop_back();
        EXPECT_FALSE(inspect_database(f).ok());
    }
}

// Every prefix of a real file is read without going outside it (run this under the sanitizer build);
// none of them passes for a whole database.
TEST(DatabaseInspector, EveryPrefixIsRefusedWithoutReadingPastItsEnd) {
    const std::vector<uint8_t> good = sample_database();
    for (size_t n = 0; n < good.size(); ++n) {
        const std::vector<uint8_t> prefix(good.begin(), good.begin() + long(n));
        const InspectReport report = inspect_database(prefix);
        EXPECT_FALSE(report.ok()) << "prefix of " << n << " bytes";
        (void)format_inspect_report(report, true);
    }
}

TEST(DatabaseInspector, SurvivesRandomCorruption) {
    const std::vector<uint8_t> good = sample_database();
    std::mt19937 rng(777);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> f = good;
        const int changes = 1 + int(rng() % 6);
        for (int i = 0; i < changes; ++i) {
            // Half of the faults go to the header and record list, where offsets and counts live.
            const size_t at = rng() % 2 ? rng() % std::min<size_t>(f.size(), 200) : rng() % f.size();
            f[at] = uint8_t(rng() % 3 == 0 ? 0xFF : rng());
        }
        if (rng() % 5 == 0) f.resize(rng() % f.size());
        const InspectReport report = inspect_database(f);
        refused += report.ok() ? 0 : 1;
        (void)format_inspect_report(report, true);
    }
    EXPECT_GT(refused, 2000);
}

TEST(DatabaseInspector, HostileHeadersAreRefused) {
    EXPECT_FALSE(inspect_database({}).ok());
    std::vector<uint8_t> f(78, 0);
    std::memcpy(&f[60], "DATatrk1", 8);
    f[76] = 0xFF;
    f[77] = 0xFF;  // 65535 records, none there
    EXPECT_TRUE(mentions(inspect_database(f), "runs past the end of the file"));
    f[76] = 0;
    f[77] = 1;
    f.resize(86, 0);
    f[78] = 0xFF;  // a record offset far outside
    EXPECT_FALSE(inspect_database(f).ok());
}

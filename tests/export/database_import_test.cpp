// A database made into a project and exported again is the same database, byte for byte; a damaged
// database never brings the import down.
#include "export/database_import.h"

#include <gtest/gtest.h>

#include <random>

#include "export/map_id_table.h"
#include "export_fixture.h"
#include "support/object_builders.h"

namespace plotwell::test {
namespace {

const char* const kWords[] = {"Main", "Civic", "Caf\xE9", "Lake", "North", "Old Mill", "Z\xFCrich", "_x"};
const char* const kSuffixes[] = {"", " St", " Park", " River", " Center", " Rd"};

struct RandomMap {
    std::mt19937 rng;
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    std::string name() {
        if (pick(0, 5) == 0) return "";
        std::string n = kWords[pick(0, 7)];
        if (pick(0, 1)) n += std::string(" ") + kWords[pick(0, 7)];
        return n + kSuffixes[pick(0, 5)];
    }
    Point inside(const Project& p) {
        return {p.range.x_min + pick(0, p.range.width), p.range.y_min + pick(0, p.range.height)};
    }

    // A degree project with Position and Scale geo information and what exports it.
    void fill(Project& p, ExportSettings& s, ExportInputs& inputs) {
        p.coord_sys = kCoordDegrees;
        const int span = pick(0, 2) ? pick(20000, 3000000) : pick(3000, 20000);
        p.range = {pick(-179000000, 170000000), pick(-70000000, 60000000), span, pick(span / 3, span)};
        if (pick(0, 1)) std::swap(p.range.width, p.range.height);
        p.geo.mode = kGeoScaleAndPos;
        p.geo.scale = int16_t(pick(-2, 2) * 1000);
        const int layers = pick(1, kMaxLayers);
        for (int i = 0; i < layers; ++i) {
            Layer& layer = add_layer(p, "L", uint8_t(pick(0, kThemeCount - 1)), uint8_t(pick(0, 2)));
            for (int n = pick(0, 25); n > 0; --n) {
                const int kind = pick(0, 4);
                if (kind == 0) {
                    MapObject* o = add_point(layer, name().substr(0, 40), inside(p));
                    const int icons[] = {0, 5, 30, 64, 68, 128, 130};
                    set_icon_code(o, uint8_t(icons[pick(0, 6)]));
                } else if (kind == 1) {
                    add_point(layer, pick(0, 1) ? "Harbour" : "Elsewhere", inside(p), kLink);
                } else if (kind == 2) {
                    add_point(layer, name(), inside(p), kCatPntFeature, uint8_t(pick(0, 9)),
                              uint8_t(pick(0, 9)));
                } else {
                    const bool polygon = kind == 4;
                    const int count = pick(0, 30) == 0 ? pick(195, 205) : pick(2, 30);
                    std::vector<Point> pts;
                    Point at = inside(p);
                    for (int k = 0; k < count; ++k) {
                        pts.push_back(at);
                        if (pick(0, 3) == 0) at = inside(p);
                        at.x = std::clamp(at.x + pick(-5000, 5000), p.range.x_min,
                                          p.range.x_min + p.range.width);
                        at.y = std::clamp(at.y + pick(-5000, 5000), p.range.y_min,
                                          p.range.y_min + p.range.height);
                    }
                    ObjectHead head;
                    head.dimension = polygon ? kDimPolygon : kDimLine;
                    head.type = uint8_t(pick(0, polygon ? 4 : 11));
                    set_field(head.name, name());
                    make_object(layer, head, pts.data(), int32_t(pts.size()));
                }
            }
        }
        reset_export_settings(s, p, "", "");
        set_field(s.map_name, name().empty() ? "M" : name().substr(0, 31));
        std::vector<int> order(static_cast<size_t>(layers));
        for (int i = 0; i < layers; ++i) order[size_t(i)] = i;
        std::shuffle(order.begin(), order.end(), rng);
        s.visible_layer_count = pick(1, layers);
        for (int i = 0; i < layers; ++i) {
            s.visible_layers[i] = order[size_t(i)];
            s.layer_props[i] = {int16_t(pick(0, 7)), uint8_t(pick(0, 1)), 0};
        }
        const int16_t classes[] = {kMapClassSmall, kMapClassMedium, kMapClassLarge};
        s.map_class = classes[pick(0, 2)];
        s.map_id = int16_t(pick(-5, 500));
        s.parent_map_id = int16_t(pick(0, 500));
        s.has_map_preferences = uint8_t(pick(0, 1));
        s.preferences.initial_zoom = uint8_t(pick(0, 4));
        for (uint8_t& z : s.preferences.group_zoom) z = uint8_t(pick(0, 4));
        s.preferences.auto_detail = uint8_t(pick(0, 2) | (pick(0, 7) << 4));
        s.preferences.names_zoom = int8_t(pick(-1, 4));
        if (pick(0, 1)) {
            s.flags |= kExportPublisherInfo;
            inputs.publisher_notice = "(c) Maps";
            inputs.contact = pick(0, 1) ? "a\r\nb" : "";
        }
        if (pick(0, 1)) {
            s.region_level_count = 1;
            s.region_source_layer = pick(0, layers - 1);
            set_field(s.region_level_name, "Suburbs");
        }
        inputs.date = ExportDate{pick(1, 28), pick(1, 12), pick(1990, 2030)};
    }
};

TEST(DatabaseImport, ExportingTheImportedProjectGivesTheSameDatabase) {
    TempDir dir;
    MapIdTable map_ids;
    parse_map_id_table(map_ids, "Harbour\t17\n");
    int compared = 0;
    for (int seed = 0; seed < 150; ++seed) {
        RandomMap random{std::mt19937(unsigned(seed))};
        Project project;
        ExportSettings settings;
        ExportInputs inputs;
        random.fill(project, settings, inputs);
        inputs.map_ids = &map_ids;
        const ExportRun first = run_test_export(project, settings, dir, inputs);
        if (first.result != kExportOk) continue;  // too big for its class

        Project back;
        const DatabaseImport imported = import_database(first.file, back);
        ASSERT_TRUE(imported.ok) << seed;
        EXPECT_TRUE(imported.degrees) << seed;
        EXPECT_TRUE(imported.problems.empty()) << seed << ": " << imported.problems.front();
        MapIdTable recovered_ids;
        parse_map_id_table(recovered_ids, link_target_lines(imported));
        ExportInputs again;
        again.map_ids = &recovered_ids;
        again.date = imported.date;
        again.publisher_notice = imported.publisher_notice;
        again.contact = imported.contact;
        const ExportRun second = run_test_export(back, imported.settings, dir, again);
        ASSERT_EQ(second.result, kExportOk) << seed;
        EXPECT_TRUE(second.file == first.file) << "seed " << seed << "\n"
                                               << format_inspect_report(first.report, true) << "\n"
                                               << format_inspect_report(second.report, true);
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

TEST(DatabaseImport, DamagedDatabasesGiveWhatIsSound) {
    TempDir dir;
    RandomMap random{std::mt19937(7)};
    Project project;
    ExportSettings settings;
    ExportInputs inputs;
    random.fill(project, settings, inputs);
    const ExportRun run = run_test_export(project, settings, dir, inputs);
    ASSERT_EQ(run.result, kExportOk);
    const std::vector<uint8_t>& file = run.file;
    for (size_t n = 0; n < file.size(); n += 1 + n / 512) {
        Project back;
        const DatabaseImport imported = import_database(std::span(file.data(), n), back);
        EXPECT_FALSE(imported.problems.empty()) << n;
    }
    std::mt19937 rng(11);
    for (int i = 0; i < 400; ++i) {
        std::vector<uint8_t> bad = file;
        for (int k = std::uniform_int_distribution<int>(1, 8)(rng); k > 0; --k)
            bad[std::uniform_int_distribution<size_t>(0, bad.size() - 1)(rng)] = uint8_t(rng());
        Project back;
        (void)import_database(bad, back);
    }
}

}  // namespace
}  // namespace plotwell::test

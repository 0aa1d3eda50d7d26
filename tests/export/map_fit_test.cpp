#include <gtest/gtest.h>

#include <random>
#include <set>

#include "export/data_area_use.h"
#include "export/scaling.h"
#include "export/simplify.h"
#include "export_fixture.h"
#include "support/object_builders.h"
#include "support/synthetic_maps.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
// Every point of `part` is a point of `whole`, in the same order.
bool in_order_within(const Outline& part, const Outline& whole) {
    size_t at = 0;
    for (ScaledPoint p : part) {
        while (at < whole.size() && !(whole[at] == p)) ++at;
        if (at++ == whole.size()) return false;
    }
    return true;
}

size_t count_of(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}
}  // namespace

TEST(MapFit, SimplificationNeverMakesAnInvalidObject) {
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        Outline points(2 + rng() % 60);
        const uint16_t spread = uint16_t(1 + rng() % (round % 3 ? 40 : 3));  // many duplicates too
        for (ScaledPoint& p : points) p = {uint16_t(1 + rng() % spread), uint16_t(1 + rng() % spread)};
        const double tolerance = double(rng() % 4000) / 100;
        const Outline line = simplify_line(points, tolerance);
        ASSERT_GE(line.size(), 2u);
        EXPECT_TRUE(line.front() == points.front() && line.back() == points.back());
        EXPECT_TRUE(in_order_within(line, points));
        const size_t distinct = std::min<size_t>(distinct_point_count(points), 3);
        const size_t most = 3 + rng() % 10;
        const Outline reduced = reduce_ring(points, most);
        EXPECT_LE(reduced.size(), most);
        for (const Outline& ring : {simplify_ring(points, tolerance), reduced}) {
            ASSERT_GE(distinct_point_count(ring), distinct) << "round " << round;
            EXPECT_TRUE(ring.front() == points.front());
            EXPECT_TRUE(in_order_within(ring, points));
        }
    }
}

TEST(MapFit, EveryExportReportsTheDataAreaAndAnOverfullOneItsLargestLayers) {
    Project project;
    make_line_field(project, 60000);
    add_layer(project, "places", kThemePlaces);
    add_point(project.layers[1], "Town Hall", {100, 100});
    ExportSettings settings = default_settings(project);
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_TRUE(run.sink.log.ends_with("Writing PDB file...\r\n" +
                                       data_area_line(run.state.write_pos, 524288) +
                                       "PDB file successfully created!\r\n"));
    EXPECT_EQ(data_area_line(131072, 524288), "Data area: 131072 of 524288 bytes (25%)\r\n");

    settings.map_class = kMapClassSmall;
    run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportBuildFailed);
    const DataAreaUse use = measure_data_area(project, settings, kMapClassSmall, {});
    ASSERT_GT(use.used, 131072);
    ASSERT_EQ(use.largest.size(), 2u);
    EXPECT_EQ(use.largest[0].name, "roads");
    EXPECT_TRUE(run.sink.log.ends_with(
        data_area_line(use.used, 131072) + "Layer roads: " + std::to_string(use.largest[0].bytes) +
        " bytes (" + std::to_string(use.largest[0].bytes * 100 / 131072) + "%)\r\nLayer places: " +
        std::to_string(use.largest[1].bytes) + " bytes (0%)\r\nError: data area is full!"))
        << run.sink.log;
}

TEST(MapFit, FittingFindsASimplificationThatFitsTheClass) {
    Project project;
    make_line_field(project, 60000);
    ExportSettings settings = default_settings(project);
    settings.map_class = kMapClassSmall;
    settings.fit.fit_map_class = true;
    TempDir dir;
    const ExportRun run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportOk) << run.sink.log;
    EXPECT_EQ(count_of(run.sink.log, "Simplification chosen to fit: "), 1u);
    EXPECT_LT(run.state.write_pos, 131072);
    EXPECT_TRUE(measure_data_area(project, settings, kMapClassSmall, {}).fits());
}

TEST(MapFit, AWorldMapKeepsEveryCountryWhenFittedToLarge) {
    Project project;
    make_world_map(
        project, WorldMapShape{.countries = 180, .cities = 250, .min_vertices = 1500, .max_vertices = 4000});
    ExportSettings settings = default_settings(project);
    settings.fit.fit_map_class = true;
    TempDir dir;
    const ExportRun run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportOk) << run.sink.log;
    EXPECT_EQ(run.sink.log.find("Too many vertices"), std::string::npos);
    EXPECT_EQ(definitions_of(run.report, "layer 1").size(), 180u);
    EXPECT_EQ(definitions_of(run.report, "layer 2").size(), 250u);
}

TEST(MapFit, SplitLongLinesKeepsEveryPointAndMinAreaCountsWhatItLeavesOut) {
    Project project;
    project.range = {0, 0, 12000, 12000};
    set_field(project.name, "Long");
    Layer& layer = add_layer(project, "roads", kThemeRoads, kMiscTypedObjs);
    std::vector<Point> long_line;
    for (int i = 0; i < 1000; ++i) long_line.push_back({10 + i * 11, 100 + (i % 7) * 150});
    ObjectHead head;
    head.dimension = kDimLine;
    head.type = 3;
    set_field(head.name, "Long Road");
    make_object(layer, head, long_line.data(), int32_t(long_line.size()));
    add_line(layer, "Pond", {{50, 50}, {52, 50}, {52, 52}}, kDimPolygon);
    ExportSettings settings = default_settings(project);
    settings.fit.split_long_lines = true;
    settings.fit.min_area = 10;
    TempDir dir;
    const ExportRun run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportOk) << run.sink.log;
    EXPECT_NE(run.sink.log.find("Polygons below the minimum area left out: 1\r\n"), std::string::npos);
    EXPECT_NE(run.sink.log.find("Warning: 1 objects left out of the map\r\n"), std::string::npos);
    std::set<std::pair<int, int>> exported;
    size_t pieces = 0;
    const std::vector<InspectedDefinition> defs = definitions_of(run.report, "layer 1");
    for (const InspectedDefinition& d : defs) {
        EXPECT_EQ(d.name, "Long Road");
        EXPECT_EQ(d.type, defs[0].type);
        EXPECT_LT(d.vertices.size(), 200u);
        ++pieces;
        for (ScaledPoint p : d.vertices) exported.insert({p.x, p.y});
    }
    EXPECT_EQ(pieces, 6u);
    for (const Point& p : long_line) {
        const ScaledPoint s = scale_point(run.state, p.x, p.y);
        EXPECT_TRUE(exported.count({s.x, s.y})) << p.x << "," << p.y;
    }
}

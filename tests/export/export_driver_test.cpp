#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "export/cell_tree.h"
#include "export/name_index.h"
#include "export/region_tree.h"
#include "export_fixture.h"
#include "model/vocabulary.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
// A plain 24000 x 12000 project with one roads layer.
void plain_project(Project& project) {
    project.range = {0, 0, 24000, 12000};
    set_field(project.name, "Plain");
    add_layer(project, "roads", kThemeRoads);
}

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> dump_lines(const InspectReport& report) {
    std::vector<std::string> lines;
    std::string text = format_inspect_report(report, true);
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t nl = text.find('\n', pos);
        lines.push_back(text.substr(pos, nl - pos));
        pos = nl + 1;
    }
    return lines;
}

bool has_line(const InspectReport& report, const std::string& text) {
    for (const std::string& l : dump_lines(report))
        if (l == text) return true;
    return false;
}
}  // namespace

TEST(ExportDriver, SuccessfulExportLogsEveryStepInOrder) {
    Project project;
    plain_project(project);
    add_line(project.layers[0], "Main St", {{0, 0}, {2000, 2000}, {24000, 12000}});
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(
        run.sink.log,
        "Scaling points...\r\nBuilding data chunks...\r\nSorting name index...\r\nWriting PDB file...\r\n"
        "Data area: 40 of 524288 bytes (0%)\r\nPDB file successfully created!\r\n");
    // The exported bounds become the selection rectangle.
    EXPECT_EQ(run.selection, (Rect{0, 0, 24000, 12000}));
    ASSERT_EQ(run.report.definitions.size(), 1u);
    const InspectedDefinition& d = run.report.definitions[0];
    EXPECT_EQ(d.name, "Main St");
    EXPECT_EQ(d.cell, 0);  // crosses the first X split
    EXPECT_EQ(d.vertices, (std::vector<ScaledPoint>{{1, 1}, {1001, 1001}, {12001, 6001}}));
}

TEST(ExportDriver, WorkedHeaderExampleHasChecksum4BD7) {
    Project project;
    plain_project(project);
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir);
    ASSERT_EQ(run.result, kExportOk);
    // Bytes 4..35 of the header record: 05 83 0001 0001 2EE1 1771 and zeros.
    const size_t header = get_be32(run.file.data() + 78);
    const uint8_t expected[] = {0x05, 0x83, 0x00, 0x01, 0x00, 0x01, 0x2E, 0xE1, 0x17, 0x71};
    EXPECT_TRUE(std::equal(expected, expected + 10, run.file.begin() + long(header) + 4));
    EXPECT_EQ(get_be16(run.file.data() + header + 2), 0x4BD7);
    const uint8_t worked[32] = {0x05, 0x83, 0x00, 0x01, 0x00, 0x01, 0x2E, 0xE1, 0x17, 0x71};
    EXPECT_EQ(header_checksum(worked), 0x4BD7);
}

TEST(ExportDriver, FourRecordsForOneSingleListLayerAndAnEmptyNameIndex) {
    Project project;
    plain_project(project);
    for (int i = 0; i < 150; ++i)
        add_line(project.layers[0], "",
                 {{i * 100, 0}, {i * 100 + 50, 500}, {i * 100, 1000}, {i * 100 + 50, 1500}});
    ExportSettings settings = default_settings(project);
    settings.layer_props[0].single_list = 1;
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportOk);
    const std::vector<uint8_t>& f = run.file;
    ASSERT_EQ(get_be16(f.data() + 76), 4);
    uint32_t offsets[5];
    for (int i = 0; i < 4; ++i) offsets[i] = get_be32(f.data() + 78 + 8 * i);
    offsets[4] = uint32_t(f.size());
    EXPECT_EQ(offsets[0], 78u + 32u);  // no gap after the record list
    EXPECT_EQ(offsets[1] - offsets[0], 46u + 8u);
    EXPECT_EQ(offsets[2] - offsets[1], 0u);  // the empty name index
    EXPECT_EQ(offsets[3] - offsets[2], 2u);  // one list head
    EXPECT_EQ(offsets[4] - offsets[3], uint32_t(run.state.write_pos + 2));
    EXPECT_GT(run.state.write_pos, 3000);
    EXPECT_LT(run.state.write_pos, 16384);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f[78 + 8 * i + 4], 0x40);
        EXPECT_EQ(get_be32(f.data() + 78 + 8 * i + 4) & 0xFFFFFF, 0x6F8001u + uint32_t(i));
    }
    EXPECT_EQ(run.report.layers.at(0).table_kind, 1);
    EXPECT_EQ(run.report.definitions.size(), 150u);
    // Large class: every Definition is a multiple of 8 long and the first lies at 8.
    for (const auto& d : run.report.definitions) EXPECT_EQ(d.length % 8, 0);
    EXPECT_EQ(run.report.definitions.back().position, 8);
}

TEST(ExportDriver, PublisherRecordCarriesTheDateNoticeAndContactWithoutCarriageReturns) {
    Project project;
    plain_project(project);
    ExportSettings settings = default_settings(project);
    settings.flags = kExportPublisherInfo;
    ExportInputs inputs;
    inputs.publisher_notice = "(c) Plotwell Maps";
    inputs.contact = "a\r\nb";
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir, inputs);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(run.report.header_flags, 0x05);
    EXPECT_EQ(run.report.publisher_date, "05-03-2001");
    EXPECT_EQ(run.report.publisher_notice, "(c) Plotwell Maps");
    EXPECT_EQ(run.report.contact, "a\nb");
    const size_t record = get_be32(run.file.data() + 78 + 8);
    const size_t next = get_be32(run.file.data() + 78 + 16);
    ASSERT_EQ(next - record, 46u + 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(run.file.data() + record), 13),
              std::string("PV05-03-2001\0", 13));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(run.file.data() + record + 46), 4),
              std::string("a\nb\0", 4));
    EXPECT_EQ(get_be16(run.file.data() + 76), 5);  // header, publisher, index, layer table, data
}

TEST(ExportDriver, PreferencesAndLayerDescriptors) {
    Project project;
    plain_project(project);
    add_layer(project, "water", kThemeWater, kMiscTypedObjs);
    project.geo.mode = kGeoScale;
    project.geo.scale = -7;
    ExportSettings settings = default_settings(project);
    settings.visible_layers[0] = 1;
    settings.visible_layers[1] = 0;
    settings.map_id = 17;
    settings.parent_map_id = -2;
    settings.has_map_preferences = 1;
    settings.preferences.initial_zoom = 2;
    for (int i = 0; i < 8; ++i) settings.preferences.group_zoom[i] = uint8_t(i % 5);
    settings.preferences.auto_detail = kAutoDetailRoads | kAutoDetailPoints | 2;
    settings.preferences.names_zoom = kNamesZoomNever;
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(run.report.format, 6);
    EXPECT_EQ(run.report.header_flags, 0x11);
    EXPECT_EQ(run.report.geo_scale, -7);
    EXPECT_EQ(run.report.map_id, 17);
    EXPECT_EQ(run.report.parent_map_id, -2);
    const std::vector<uint8_t> prefs = run.report.preferences;
    ASSERT_EQ(prefs.size(), 24u);
    EXPECT_EQ(get_be16(&prefs[4]), 6001);  // (1 + 12001) >> 1
    EXPECT_EQ(get_be16(&prefs[6]), 3001);
    EXPECT_EQ(prefs[8], 2);
    EXPECT_EQ(prefs[9 + 6], 1);
    EXPECT_EQ(prefs[17], 0xFF);
    EXPECT_EQ(prefs[18], 0x52);
    EXPECT_EQ(prefs[19], 0xFF);
    ASSERT_EQ(run.report.layers.size(), 2u);
    EXPECT_EQ(run.report.layers[0].type, kMiscTypedObjs);
    EXPECT_EQ(run.report.layers[0].theme_bits, 1 << kThemeWater);
    EXPECT_EQ(run.report.layers[0].min_zoom_category, 3);
    EXPECT_EQ(run.report.layers[1].number, 2);
    EXPECT_EQ(run.report.layers[1].theme_bits, 1 << kThemeRoads);
}

TEST(ExportDriver, HeaderGeoBoundsByModeAndCoordinateSystem) {
    Project project;
    plain_project(project);
    project.geo = {kGeoScaleAndPos, 0, -10, 20, -30, 40};
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(std::vector<int32_t>(run.report.geo_bounds, run.report.geo_bounds + 4),
              (std::vector<int32_t>{-10, -30, 20, 40}));  // west, south, east, north
    project.coord_sys = kCoordDegrees;
    project.range = {150000000, -34000000, 1000000, 500000};
    run = run_test_export(project, default_settings(project), dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(std::vector<int32_t>(run.report.geo_bounds, run.report.geo_bounds + 4),
              (std::vector<int32_t>{150000000, -34000000, 151000000, -33500000}));
    project.geo.mode = kGeoNone;
    run = run_test_export(project, default_settings(project), dir);
    EXPECT_EQ(std::vector<int32_t>(run.report.geo_bounds, run.report.geo_bounds + 4),
              (std::vector<int32_t>(4, 0)));
}

TEST(ExportDriver, EmptyRangeIsRefusedBeforeTheFileIsOpened) {
    Project project;
    plain_project(project);
    project.range = {180000000, 180000000, -360000000, -360000000};
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir);
    EXPECT_EQ(run.result, kExportBuildFailed);
    EXPECT_EQ(run.sink.log, "Error: nothing to export, the coordinate range is empty!\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("OUT.pdb")));
    EXPECT_EQ(run.selection, Rect{});
    project.range = {0, 0, 100, 0};
    run = run_test_export(project, default_settings(project), dir);
    EXPECT_EQ(run.result, kExportBuildFailed);
    // A range whose maximum does not fit 32 bits is no range either.
    project.range = {2000000000, 0, 2000000000, 100};
    run = run_test_export(project, default_settings(project), dir);
    EXPECT_EQ(run.result, kExportBuildFailed);
    // Selection only, without a selection.
    project.range = {0, 0, 100, 100};
    ExportSettings settings = default_settings(project);
    settings.flags = kExportSelectionOnly;
    run = run_test_export(project, settings, dir, {}, Rect{50, 50, 50, 60});
    EXPECT_EQ(run.result, kExportBuildFailed);
    EXPECT_EQ(run.sink.log, "Error: nothing to export, the coordinate range is empty!\r\n");
}

TEST(ExportDriver, UnopenableOutputIsFatalAndLeavesNoFile) {
    Project project;
    plain_project(project);
    TempDir dir;
    ExportSettings settings = default_settings(project);
    const std::string path = dir.file("missing-folder/OUT.pdb");
    set_field(settings.output_path, path);
    RecordingSink sink;
    Rect selection;
    EXPECT_EQ(run_export(project, settings, selection, sink), kExportNotOpened);
    EXPECT_EQ(sink.log, "Fatal: Unable to open output file!\r\n");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ExportDriver, BuildFailureLogsOneMessageAndKeepsAnOldFile) {
    Project project;
    plain_project(project);
    std::vector<Point> zigzag;
    for (int i = 0; i < 3000; ++i) zigzag.push_back({i % 2 ? 0 : 24000, i % 2 ? 0 : 12000});
    ObjectHead head;
    head.dimension = kDimLine;
    set_field(head.name, "zigzag");
    make_object(project.layers[0], head, zigzag.data(), int32_t(zigzag.size()));
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir);
    EXPECT_EQ(run.result, kExportBuildFailed);
    EXPECT_EQ(run.sink.log,
              "Scaling points...\r\nBuilding data chunks...\r\nError: individual definition too long!");
    // A new output file is left empty ...
    EXPECT_TRUE(std::filesystem::exists(dir.file("OUT.pdb")));
    EXPECT_EQ(std::filesystem::file_size(dir.file("OUT.pdb")), 0u);
    // ... and an old one keeps its contents.
    std::ofstream(dir.file("OUT.pdb"), std::ios::binary) << "previous map";
    run = run_test_export(project, default_settings(project), dir);
    EXPECT_EQ(run.result, kExportBuildFailed);
    EXPECT_EQ(file_text(dir.file("OUT.pdb")), "previous map");
}

TEST(ExportDriver, WriteFailureIsReportedAndTheOldFileStays) {
    Project project;
    plain_project(project);
    add_point(project.layers[0], "Town Hall", {100, 100});
    TempDir dir;
    std::ofstream(dir.file("OUT.pdb"), std::ios::binary) << "previous map";
    for (WriteFaults faults : {WriteFaults{100, false}, WriteFaults{-1, true}, WriteFaults{0, false}}) {
        ExportInputs inputs;
        inputs.write_faults = &faults;
        ExportRun run = run_test_export(project, default_settings(project), dir, inputs);
        EXPECT_EQ(run.result, kExportWriteFailed);
        EXPECT_EQ(
            run.sink.log,
            "Scaling points...\r\nBuilding data chunks...\r\nSorting name index...\r\nWriting PDB file...\r\n"
            "Error: unable to write output file!\r\n");
        EXPECT_EQ(file_text(dir.file("OUT.pdb")), "previous map");
    }
}

TEST(ExportDriver, SelectionOnlyExportsTheRectangleAndKeepsTheSelection) {
    Project project;
    plain_project(project);
    add_point(project.layers[0], "Inside", {1500, 1500});
    ExportSettings settings = default_settings(project);
    settings.flags = kExportSelectionOnly;
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir, {}, Rect{1000, 1000, 2000, 1500});
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(run.selection, (Rect{1000, 1000, 2000, 1500}));
    EXPECT_EQ(run.report.output.x_max, 12001);
    EXPECT_EQ(run.report.output.y_max, 6001);
    ASSERT_EQ(run.report.definitions.size(), 1u);
    EXPECT_EQ(run.report.definitions[0].point, (ScaledPoint{6001, 6001}));
}

TEST(ExportDriver, PolygonsOf200PointsAreLeftOutAndMiddlePointsAtTheOriginDropped) {
    Project project;
    plain_project(project);
    std::vector<Point> ring;
    for (int i = 0; i < 199; ++i) ring.push_back({10 * i + 2, (i % 2) * 10 + 2});
    ObjectHead head;
    head.dimension = kDimPolygon;
    set_field(head.name, "Lake 199");
    make_object(project.layers[0], head, ring.data(), int32_t(ring.size()));
    ring.push_back({5000, 5000});
    set_field(head.name, "Lake 200");
    make_object(project.layers[0], head, ring.data(), int32_t(ring.size()));
    // (0, 0) as a middle point is dropped, (0, 6) is kept; the last point is kept even at the origin.
    add_line(project.layers[0], "", {{4, 4}, {-1, -1}, {-1, 10}, {-2, -2}}, kDimLine, kRiver);
    add_line(project.layers[0], "stub", {{7, 7}}, kDimLine, kRiver);  // no last point: left out too
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_NE(run.sink.log.find("Error: Too many vertices (name: Lake 200)\r\n"), std::string::npos);
    EXPECT_TRUE(run.sink.log.ends_with(
        "Warning: 2 objects left out of the map\r\nData area: 440 of 524288 bytes (0%)\r\n"
        "PDB file successfully created!\r\n"));
    EXPECT_EQ(run.sink.log.find("Lake 199"), std::string::npos);
    ASSERT_EQ(run.report.definitions.size(), 2u);
    bool lake = false, river = false;
    for (const auto& d : run.report.definitions) {
        if (d.name == "Lake") {  // " 199" is no suffix; the polygon keeps its name
            lake = true;
        }
        if (d.type == 10) {
            river = true;
            EXPECT_EQ(d.vertices, (std::vector<ScaledPoint>{{3, 3}, {0, 6}, {0, 0}}));
        }
        if (d.type == 7) {
            EXPECT_EQ(d.name, "Lake 199");
            EXPECT_EQ(d.vertices.size(), 199u);
        }
    }
    EXPECT_FALSE(lake);
    EXPECT_TRUE(river);
}

TEST(ExportDriver, PointTypesAndTheirFields) {
    Project project;
    plain_project(project);
    MapObject* p = add_point(project.layers[0], "Town Hall", {100, 100});
    set_icon_code(p, 67);
    add_point(project.layers[0], "Sydney", {200, 200}, kLink);
    add_point(project.layers[0], "Ferry Wharf", {300, 300}, kCatPntFeature, 4, 9);
    add_point(project.layers[0], "odd point type", {300, 300}, 3);
    MapIdTable ids;
    parse_map_id_table(ids, "SYDNEY\t4660\n");
    ExportInputs inputs;
    inputs.map_ids = &ids;
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir, inputs);
    ASSERT_EQ(run.result, kExportOk);
    ASSERT_EQ(run.report.definitions.size(), 3u);
    for (const auto& d : run.report.definitions) {
        if (d.type == 9) {
            EXPECT_EQ(d.field3, 67);
            EXPECT_EQ(d.name, "Town Hall");
            EXPECT_EQ(d.point, (ScaledPoint{51, 51}));
        } else if (d.type == 14) {
            EXPECT_EQ(d.map_id, 4660);
            EXPECT_FALSE(d.has_name);
            EXPECT_EQ(d.length, 16);
        } else {
            EXPECT_EQ(d.type, 18);
            EXPECT_EQ(d.field3, 9);
            EXPECT_EQ(d.category, 4);
            EXPECT_EQ(d.name, "Ferry Wharf");
        }
    }
    // The LINK point is not indexed.
    EXPECT_EQ(run.report.index_names, (std::vector<std::string>{"Ferry Wharf", "Town Hall"}));
}

TEST(ExportDriver, NamedBorderIsIndexedAsAnEmptyNameAheadOfAllOthers) {
    Project project;
    plain_project(project);
    add_line(project.layers[0], "_first", {{0, 0}, {10, 10}});
    add_line(project.layers[0], "State Border", {{0, 0}, {100, 10}}, kDimLine, kBorder);
    add_line(project.layers[0], "Alpha", {{0, 0}, {10, 100}}, kDimLine, kSimpleRoute);
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(run.report.index_names, (std::vector<std::string>{"", "_first", "Alpha"}));
    for (const auto& d : run.report.definitions) {
        if (d.type == 15) {
            EXPECT_EQ(d.name, "State Border");  // stored, but no index name
        }
    }
}

TEST(ExportDriver, ControlCharacterInANameFailsTheBuild) {
    Project project;
    plain_project(project);
    add_point(project.layers[0], "Tab\there", {1, 1});
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir);
    EXPECT_EQ(run.result, kExportBuildFailed);
    EXPECT_EQ(run.sink.log,
              "Scaling points...\r\nBuilding data chunks...\r\nSorting name index...\r\nName corrupted!");
}

TEST(ExportDriver, RegionLayerWarnsAboutNonPolygonsAndBuildsTheTree) {
    Project project;
    plain_project(project);
    Layer& regions = add_layer(project, "suburbs", kThemeLand);
    add_line(regions, "North", {{0, 6000}, {24000, 6000}, {24000, 12000}, {0, 12000}}, kDimPolygon);
    add_line(regions, "a road", {{0, 0}, {100, 100}});
    add_point(regions, "a point", {5, 5});
    add_line(regions, "South-West", {{10, 10}, {3000, 10}, {3000, 2000}, {0, 2000}}, kDimPolygon);
    ExportSettings settings = default_settings(project);
    settings.visible_layer_count = 1;
    settings.region_level_count = 1;
    settings.region_source_layer = 1;
    set_field(settings.region_level_name, "Suburbs");
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(run.sink.log,
              "Scaling points...\r\n"
              "Warning: non-polygon object found in Region layer: a point\r\n"
              "Warning: non-polygon object found in Region layer: a road\r\n"
              "Building data chunks...\r\nBuilding region tree...\r\nSorting name index...\r\n"
              "Writing PDB file...\r\nWarning: 2 objects left out of the map\r\n"
              "Data area: 1104 of 524288 bytes (0%)\r\nPDB file successfully created!\r\n");
    EXPECT_EQ(run.report.header_flags, 0x41);
    EXPECT_EQ(run.report.region_level_name, "Suburbs");
    EXPECT_NE(run.report.region_root_offset, 0);
    const auto root = definitions_of(run.report, "region root");
    ASSERT_EQ(root.size(), 1u);
    EXPECT_EQ(root[0].type, 5);
    EXPECT_EQ(root[0].name, "world");
    const auto leaves = definitions_of(run.report, "region");
    ASSERT_EQ(leaves.size(), 2u);
    for (const auto& leaf : leaves) {
        EXPECT_EQ(leaf.type, 0);
        EXPECT_EQ(leaf.vertices.size(), 3u);  // the last point is never written
    }
    EXPECT_TRUE(run.report.index_names.empty());  // region nodes are not indexed
    EXPECT_TRUE(has_line(run.report, "OK"));
}

TEST(ExportDriver, RegionPolygonMiddlePointsWithAZeroCoordinateAreLeftOut) {
    Project project;
    plain_project(project);
    Layer& regions = add_layer(project, "regions", kThemeLand);
    // Middle points at x = -2 scale to X = 0 and are dropped; 200 written points drop the whole region.
    add_line(regions, "Edge", {{100, 100}, {-2, 500}, {400, 500}, {500, 100}}, kDimPolygon);
    std::vector<Point> big;
    for (int i = 0; i < 201; ++i) big.push_back({100 + 10 * i, 100 + (i % 3) * 10});
    ObjectHead head;
    head.dimension = kDimPolygon;
    set_field(head.name, "Big");
    make_object(regions, head, big.data(), int32_t(big.size()));
    ExportSettings settings = default_settings(project);
    settings.visible_layer_count = 1;
    settings.region_level_count = 1;
    settings.region_source_layer = 1;
    set_field(settings.region_level_name, "R");
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_NE(run.sink.log.find("Warning: Polygon has too many points (Big)\r\n"
                                "Sorting name index...\r\nWriting PDB file...\r\n"
                                "Warning: 1 objects left out of the map\r\n"),
              std::string::npos);
    const auto leaves = definitions_of(run.report, "region");
    ASSERT_EQ(leaves.size(), 1u);
    EXPECT_EQ(leaves[0].vertices, (std::vector<ScaledPoint>{{51, 51}, {201, 251}}));
}

// A region node moved to the next data record with its name encoded again must be laid out as if it
// had been built there: its child table stays at an even offset.
TEST(ExportDriver, RegionRootMovedToTheNextDataRecordKeepsItsChildTableAligned) {
    Project project;
    plain_project(project);
    Layer& regions = add_layer(project, "regions", kThemeLand);
    add_line(regions, "world", {{100, 100}, {200, 100}, {200, 200}}, kDimPolygon);

    ExportSettings settings = default_settings(project);
    settings.map_class = kMapClassMedium;
    settings.visible_layer_count = 0;
    settings.region_level_count = 1;
    settings.region_source_layer = 1;
    set_field(settings.region_level_name, "R");

    ExportState state;
    set_map_class(state, kMapClassMedium);
    state.bounds[2] = 24000;
    state.bounds[3] = 12000;
    state.output = OutputRange{1, 12001, 1, 6001};
    state.data_area.assign(size_t(kDataAreaSize), 0);
    reset_name_search(state.search_index, kDataAreaSize);
    // Start near the end of the first data record; the leaf "world" lands there, the root does not fit.
    state.write_pos = 16384 - 600;
    RegionNode leaf;
    leaf.polygon = regions.objects;
    leaf.first = {51, 51};
    leaf.middle = {{101, 51}};
    leaf.last = {101, 101};
    leaf.middle_count = 1;
    state.region_root.children.push_back(leaf);
    RecordingSink sink;
    CellTable root_table = make_cell_table(1);
    build_region_tree(state, root_table, state.region_root, sink);
    state.region_root_offset = root_table.entries[0];
    ASSERT_EQ(state.region_root_offset, 16384 >> 2);
    // Encoded where it was first built, "world" was a back-reference to the leaf's name: 3 bytes, odd
    // length before the table. In the new record it is written out: 6 bytes, no extra 0x80.
    EXPECT_EQ(state.data_area[16384 + 3], 'w');
    EXPECT_EQ(state.data_area[16384 + 13], 0x80);
    const uint16_t leaf_offset = uint16_t((16384 - 600) >> 2);
    const int leaf_cell = cell_index(state.output, 51, 51, 101, 51);
    EXPECT_EQ(get_be16(&state.data_area[16384 + 14 + 2 * leaf_cell]), leaf_offset);

    DatabaseExtras extras;
    extras.project = &project;
    const std::vector<uint8_t> file = assemble_database(state, settings, extras);
    const InspectReport report = inspect_database(file);
    EXPECT_TRUE(report.ok()) << format_inspect_report(report, true);
    EXPECT_EQ(definitions_of(report, "region").size(), 1u);
}

TEST(ExportDriver, ARefusedRegionRootLeavesTheExportValidAndTheLastErrorIsReported) {
    // Small class, 12-byte points: 1365 per 16 KB record. Seven full records and 1300 more leave room
    // for a region leaf but not for the root with its 1022-byte child table.
    Project project;
    plain_project(project);
    for (int i = 0; i < 7 * 1365 + 1300; ++i) add_point(project.layers[0], "abc", {i % 24000, i % 12000});
    Layer& regions = add_layer(project, "regions", kThemeLand);
    add_line(regions, "r", {{100, 100}, {200, 100}, {200, 200}}, kDimPolygon);
    ExportSettings settings = default_settings(project);
    settings.map_class = kMapClassSmall;
    settings.visible_layer_count = 1;
    settings.region_level_count = 1;
    settings.region_source_layer = 1;
    set_field(settings.region_level_name, "R");
    TempDir dir;
    ExportRun run = run_test_export(project, settings, dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(run.report.region_root_offset, 0);
    EXPECT_EQ(run.state.build_error, "Error: data area is full!");
    EXPECT_LT(run.state.write_pos, 131072);
    EXPECT_EQ(run.report.data_record_count, 8);

    // With a corrupted name as well, the name test's text is the one logged.
    MapObject* bad = project.layers[0].objects;
    set_field(bad->name, "a\x01c");
    run = run_test_export(project, settings, dir);
    EXPECT_EQ(run.result, kExportBuildFailed);
    EXPECT_TRUE(run.sink.log.ends_with("Sorting name index...\r\nName corrupted!")) << run.sink.log;
}

TEST(ExportDriver, EveryDimensionAndTypeRoundTripsThroughTheInspector) {
    Project project;
    plain_project(project);
    Layer& lines = project.layers[0];
    Layer& areas = add_layer(project, "areas", kThemeParks);
    Layer& places = add_layer(project, "places", kThemePlaces);
    for (uint8_t t = 0; t < kLineTypeCount; ++t)
        add_line(lines, std::string(kLineTypeNames[t]) + " Rd",
                 {{t * 100, 0}, {t * 100 + 50, 300}, {t * 100, 600}}, kDimLine, t);
    add_line(lines, "unknown type", {{0, 0}, {5, 5}}, kDimLine, 12);
    for (uint8_t t = 0; t < kPolygonTypeCount; ++t)
        add_line(areas, std::string(kPolygonTypeNames[t]) + " Park",
                 {{t * 1000, 1000}, {t * 1000 + 900, 1000}, {t * 1000 + 900, 1900}}, kDimPolygon, t);
    add_point(places, "Caf\xE9 Z\xFCrich", {12000, 6000});
    add_point(places, "Elsewhere", {12, 6}, kLink);
    add_point(places, "Bus Stop", {24000, 12000}, kCatPntFeature, 1, 2);
    TempDir dir;
    ExportRun run = run_test_export(project, default_settings(project), dir);
    ASSERT_EQ(run.result, kExportOk);
    EXPECT_EQ(run.report.definitions.size(), size_t(kLineTypeCount + 1 + kPolygonTypeCount + 3));
    const std::string dump = format_inspect_report(run.report, true);
    EXPECT_NE(dump.find("type 21 SIMPLEROUTE name \"SIMPLEROUTE Rd\" vertices 3: 551,1 576,151 551,301"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("type 255 UNKNOWN name \"unknown type\""), std::string::npos);
    EXPECT_NE(dump.find("type 8 OPENSPACE name \"OPENSPACE Park\" vertices 3: 501,501 951,501 951,951"),
              std::string::npos);
    EXPECT_NE(dump.find("type 9 PNTFEATURE icon 0 name \"Cafe Zurich\" at 6001,3001"), std::string::npos);
    EXPECT_NE(dump.find("type 14 LINK map-id 0 at 7,4"), std::string::npos);
    EXPECT_NE(dump.find("type 18 CATPNTFEATURE category 1 sub-type 2 name \"Bus Stop\" at 12001,6001"),
              std::string::npos);
    EXPECT_TRUE(dump.ends_with("OK\n"));
}

TEST(ExportDriver, FastAndPlainNameSearchWriteIdenticalFiles) {
    Project project;
    plain_project(project);
    const char* words[] = {"Main St",        "Main Street", "Mainland",    "High St", "Highway One",
                           "Riverside Park", "River Road",  "Kings Cross", "King St", "Queens Park"};
    for (int i = 0; i < 6000; ++i) {
        const std::string name = std::string(words[i % 10]) + (i % 3 ? "" : " " + std::to_string(i % 97));
        if (i % 4 == 0)
            add_point(project.layers[0], name, {(i * 37) % 24000, (i * 91) % 12000});
        else
            add_line(project.layers[0], name,
                     {{(i * 37) % 24000, (i * 91) % 12000}, {(i * 41) % 24000, (i * 7) % 12000}});
    }
    for (int16_t map_class : {kMapClassSmall, kMapClassMedium, kMapClassLarge}) {
        ExportSettings settings = default_settings(project);
        settings.map_class = map_class;
        TempDir dir;
        ExportInputs plain;
        plain.name_search = NameSearchMode::plain;
        ExportRun a = run_test_export(project, settings, dir, plain);
        ExportRun b = run_test_export(project, settings, dir);
        ASSERT_EQ(a.result, kExportOk);
        ASSERT_EQ(b.result, kExportOk);
        EXPECT_EQ(a.file, b.file);
        EXPECT_GT(a.report.data_record_count, 1);
    }
}

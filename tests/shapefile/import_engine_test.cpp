#include <gtest/gtest.h>

#include "import_fixture.h"
#include "model/vocabulary.h"

namespace plotwell::test {
namespace {

std::vector<XY> straight(int n, double x0 = 0) {
    std::vector<XY> pts;
    for (int i = 0; i < n; ++i) pts.push_back({x0 + i, double(i % 7)});
    return pts;
}

std::vector<XY> ring(std::vector<XY> pts) {
    pts.push_back(pts.front());
    return pts;
}

ShapefileData polygons(std::vector<ShpRecord> records) {
    ShapefileData d;
    d.shape_type = 5;
    d.fields = {{"NAME", 'C', 60}};
    d.records = std::move(records);
    return d;
}

ShapefileData points(std::vector<ShpRecord> records, std::vector<ShpField> fields = {{"NAME", 'C', 60}}) {
    ShapefileData d;
    d.shape_type = 1;
    d.fields = std::move(fields);
    d.records = std::move(records);
    return d;
}

TEST(ShapefileImport, LogsTheRunAndAddsObjectsNewestFirst) {
    ImportCase c(named_lines(
        {{"first", {{0, 0}, {1, 1}}}, {"second", {{2, 2}, {3, 3}}}, {"third", {{4, 4}, {5, 5}}}}));
    c.settings.downcase = 0;
    ASSERT_TRUE(c.run().started);
    EXPECT_EQ(c.sink.log, "Reading shapefile...\r\nShapefile successfully imported.\r\n");
    EXPECT_TRUE(c.sink.ok_shown);
    EXPECT_EQ(c.sink.ranges, std::vector<int>{3});
    EXPECT_EQ(c.project.modified, 1);
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].name, "third");
    EXPECT_EQ(objects[2].name, "first");
    EXPECT_EQ(objects[2].dimension, kDimLine);
    EXPECT_EQ(objects[2].points, (std::vector<Point>{{0, 0}, {1, 1}}));
    EXPECT_EQ(c.project.layers[0].object_count, 3);
}

TEST(ShapefileImport, UpdatesProgressEverySixteenRecords) {
    ShapefileData d = points({});
    for (int i = 0; i < 40; ++i) d.records.push_back(point_record(i, i, {"p"}));
    ImportCase c(d);
    c.run();
    EXPECT_EQ(c.sink.positions, (std::vector<int>{16, 32}));
    EXPECT_EQ(c.objects().size(), 40u);
}

TEST(ShapefileImport, JoinsNameFieldsInChosenOrderThenSubstitutesThenDowncases) {
    ShapefileData d =
        points({point_record(1, 2, {"", "MAIN", "STREET"}), point_record(3, 4, {"OLD", "", "ROAD"})},
               {{"PRE", 'C', 10}, {"BASE", 'C', 10}, {"SUF", 'C', 10}});
    ImportCase c(d);
    c.settings.name_fields = {{0, 1, 2}, 3};
    c.settings.substitution_mode = 1;
    set_field(c.settings.substitutions[0].from, "STREET");
    set_field(c.settings.substitutions[0].to, "ST");
    c.settings.substitution_count = 1;
    c.run();
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].name, "Old Road");
    EXPECT_EQ(objects[1].name, "Main St");  // no blank in front of an empty first field
    // Substitution mode 0 leaves the table unused.
    ImportCase off(d);
    off.settings.name_fields = {{2, 1}, 2};
    off.settings.substitution_count = 1;
    set_field(off.settings.substitutions[0].from, "STREET");
    off.run();
    EXPECT_EQ(off.objects()[1].name, "Street Main");
}

TEST(ShapefileImport, CutsLongNamesWithOneLinePerObject) {
    const std::string name45 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghi";
    ASSERT_EQ(name45.size(), 45u);
    ShapefileData d = named_lines({});
    d.records.push_back(parts_record({{{0, 0}, {1, 1}}, {{2, 2}, {3, 3}}}, {name45}));
    ImportCase c(d);
    c.settings.downcase = 0;
    c.run();
    const std::string warning = "Warning: Name truncated: " + name45 + "\r\n";
    EXPECT_EQ(c.sink.log,
              "Reading shapefile...\r\n" + warning + warning + "Shapefile successfully imported.\r\n");
    for (const auto& o : c.objects()) EXPECT_EQ(o.name, name45.substr(0, 41));

    ImportCase p(points({point_record(0, 0, {name45}), point_record(0, 0, {name45.substr(0, 41)})}));
    p.settings.downcase = 0;
    p.run();
    EXPECT_EQ(p.sink.log, "Reading shapefile...\r\n" + warning + "Shapefile successfully imported.\r\n");
    ASSERT_EQ(p.objects().size(), 2u);
    EXPECT_EQ(p.objects()[1].name, name45.substr(0, 40));  // a point keeps 40 before its icon byte
    EXPECT_EQ(p.objects()[0].name, name45.substr(0, 40));  // 41 characters: cut without a line
}

TEST(ShapefileImport, PartsOfUpTo6143PointsAreImported) {
    ShapefileData d = named_lines({{"ok", straight(6143)}, {"long", straight(6144)}});
    ImportCase c(d);
    c.settings.downcase = 0;
    c.run();
    EXPECT_EQ(c.sink.log,
              "Reading shapefile...\r\nWarning: too many points in object! Name: long\r\n"
              "1 objects imported from 2 records; 1 records not imported\r\n"
              "Shapefile successfully imported.\r\n");
    EXPECT_EQ(c.result.skipped.too_many_points, 1);
    ASSERT_EQ(c.objects().size(), 1u);
    EXPECT_EQ(c.objects()[0].points.size(), 6143u);
}

TEST(ShapefileImport, PolygonRingsNeedFourPointsAndAreStoredOpen) {
    ShapefileData d = polygons({
        parts_record({ring({{0, 0}, {10, 0}})}, {"two"}),                 // 3 points with closing
        parts_record({ring({{0, 0}, {10, 0}, {10, 10}})}, {"triangle"}),  // 4 points
        parts_record({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}}, {"open"}),   // not closed
    });
    ImportCase c(d);
    c.settings.downcase = 0;
    c.settings.default_type = kOpenSpace;
    c.run();
    EXPECT_EQ(c.sink.log,
              "Reading shapefile...\r\nWarning: Polygon not closed! Name: open\r\n"
              "1 objects imported from 3 records; 2 records not imported\r\n"
              "Shapefile successfully imported.\r\n");
    EXPECT_EQ(c.result.skipped.not_closed, 1);
    EXPECT_EQ(c.result.skipped.unreadable, 1);
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].dimension, kDimPolygon);
    EXPECT_EQ(objects[0].type, kOpenSpace);
    EXPECT_EQ(objects[0].points, (std::vector<Point>{{0, 0}, {10, 0}, {10, 10}}));
}

TEST(ShapefileImport, ShortRingsAreDroppedWhateverTypeTheRecordClaims) {
    ShpRecord line_typed = parts_record({{{0, 0}, {5, 5}}, {{1, 1}}}, {"short"});
    line_typed.shape_type = 3;
    ShpRecord fine = parts_record({ring({{0, 0}, {10, 0}, {10, 10}})}, {"fine"});
    fine.shape_type = 3;
    ImportCase c(polygons({line_typed, fine}));
    c.run();
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].name, "fine");
    EXPECT_EQ(objects[0].points.size(), 3u);
    EXPECT_EQ(c.project.range, (CoordRange{0, 0, 10, 10}));
}

TEST(ShapefileImport, MultipartPolicyGivesCounterClockwisePartsTheirOwnType) {
    const std::vector<XY> ccw = ring({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const std::vector<XY> cw = ring({{20, 0}, {20, 10}, {30, 10}, {30, 0}});
    // A repeated vertex is a zero-length edge: the ring still counts as counter-clockwise.
    const std::vector<XY> repeated = ring({{40, 0}, {50, 0}, {50, 0}, {50, 10}, {40, 10}});
    ShapefileData d = polygons({parts_record({ccw, cw, repeated}, {"lake"})});
    ImportCase same(d);
    same.settings.default_type = kWaterArea;
    same.run();
    for (const auto& o : same.objects()) EXPECT_EQ(o.type, kWaterArea);
    ASSERT_EQ(same.objects().size(), 3u);

    ImportCase policy(d);
    policy.settings.default_type = kWaterArea;
    policy.settings.multipart_policy = kCcwPartsGetCcwType;
    policy.settings.ccw_type = kLandArea;
    policy.run();
    const auto objects = policy.objects();  // newest first: repeated, cw, ccw
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[2].type, kLandArea);
    EXPECT_EQ(objects[1].type, kWaterArea);
    EXPECT_EQ(objects[0].type, kLandArea);
    EXPECT_EQ(objects[0].points.size(), 5u);
    EXPECT_EQ(objects[0].name, "lake");
}

TEST(ShapefileImport, DegreeLimitsDropLinesSilentlyButNotPoints) {
    const CoordRange world{-180000000, -90000000, 360000000, 180000000};
    ImportCase lines(
        named_lines({{"edge", {{179.0, 0}, {180.0000011, 0}}}, {"inside", {{179.0, 0}, {180.0, 0}}}}),
        kCoordDegrees, world);
    lines.settings.multiply_x = lines.settings.multiply_y = kDefaultMultiply;
    lines.settings.filter_outside_range = 0;
    lines.run();
    EXPECT_EQ(lines.sink.log,
              "Reading shapefile...\r\n1 objects imported from 2 records; 1 records not imported\r\n"
              "Shapefile successfully imported.\r\n");
    EXPECT_EQ(lines.result.skipped.out_of_range, 1);
    ASSERT_EQ(lines.objects().size(), 1u);
    EXPECT_EQ(lines.objects()[0].name, "inside");

    ImportCase pts(points({point_record(180.0000011, 0, {"edge"})}), kCoordDegrees, world);
    pts.settings.multiply_x = pts.settings.multiply_y = kDefaultMultiply;
    pts.settings.filter_outside_range = 0;
    pts.run();
    ASSERT_EQ(pts.objects().size(), 1u);
    EXPECT_EQ(pts.objects()[0].points[0], (Point{180000001, 0}));

    // The same line in an arbitrary project is kept.
    ImportCase arbitrary(named_lines({{"edge", {{179.0, 0}, {180.0000011, 0}}}}));
    arbitrary.settings.multiply_x = arbitrary.settings.multiply_y = kDefaultMultiply;
    arbitrary.run();
    EXPECT_EQ(arbitrary.objects().size(), 1u);
}

TEST(ShapefileImport, CoordinatesBeyond32BitsAreDroppedWithAWarning) {
    ImportCase lines(named_lines(
        {{"metres", {{450000.0, 5400000.0}, {450010.0, 5400000.0}}}, {"fine", {{1, 2}, {3, 4}}}}));
    lines.settings.multiply_x = lines.settings.multiply_y = kDefaultMultiply;
    lines.settings.downcase = 0;
    lines.run();
    EXPECT_EQ(lines.sink.log,
              "Reading shapefile...\r\nWarning: coordinates out of range! Name: metres\r\n"
              "1 objects imported from 2 records; 1 records not imported\r\n"
              "Shapefile successfully imported.\r\n");
    ASSERT_EQ(lines.objects().size(), 1u);

    // Nothing came in: an error instead of the success line, and the project is left as it was.
    ImportCase pts(points({point_record(1, 1, {"a"}), point_record(1, 1, {"b"})}));
    pts.settings.add_y = 3e9f;
    pts.settings.downcase = 0;
    pts.run();
    EXPECT_EQ(
        pts.sink.log,
        "Reading shapefile...\r\nWarning: coordinates out of range! Name: a\r\n"
        "Warning: coordinates out of range! Name: b\r\n"
        "0 objects imported from 2 records; 2 records not imported\r\nError: nothing was imported!\r\n");
    EXPECT_TRUE(pts.objects().empty());
    EXPECT_EQ(pts.result.skipped.out_of_range, 2);
    EXPECT_EQ(pts.project.modified, 0);
    EXPECT_EQ(pts.project.range, (CoordRange{0, 0, -1, -1}));
    EXPECT_TRUE(pts.sink.ok_shown);
}

TEST(ShapefileImport, OffsetsAndFactorsApplyPerAxis) {
    ImportCase c(points({point_record(1.25, -2.5, {"p"})}));
    c.settings.add_x = 0.5f;
    c.settings.add_y = -1.0f;
    c.settings.multiply_x = 100;
    c.settings.multiply_y = -10;
    c.run();
    ASSERT_EQ(c.objects().size(), 1u);
    EXPECT_EQ(c.objects()[0].points[0], (Point{175, 35}));
}

TEST(ShapefileImport, RangeFilterKeepsCrossingLinesWholeAndBoundaryPoints) {
    const CoordRange range{0, 0, 100, 100};
    ImportCase c(named_lines({{"crossing", {{50, 50}, {150, 50}}},
                              {"outside", {{101, 0}, {200, 0}}},
                              {"touching", {{-10, 100}, {0, 100}}}}),
                 kCoordArbitrary, range);
    c.settings.filter_outside_range = 1;
    c.run();
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].name, "touching");
    EXPECT_EQ(objects[1].points, (std::vector<Point>{{50, 50}, {150, 50}}));
    EXPECT_EQ(c.project.range, range);

    ImportCase p(points({point_record(100, 100, {"corner"}), point_record(101, 50, {"out"}),
                         point_record(0, 0, {"origin"})}),
                 kCoordArbitrary, range);
    p.settings.filter_outside_range = 1;
    p.run();
    EXPECT_EQ(p.result.skipped.filtered, 1);
    ASSERT_EQ(p.objects().size(), 2u);
    EXPECT_EQ(p.objects()[0].name, "origin");
    EXPECT_EQ(p.objects()[1].name, "corner");
}

TEST(ShapefileImport, RangeGrowsFromAnEmptyRange) {
    ImportCase c(points({point_record(5, 7, {"a"}), point_record(-3, 10, {"b"}), point_record(8, 2, {"c"})}),
                 kCoordArbitrary, CoordRange{180000000, 180000000, -360000000, -360000000});
    c.run();
    EXPECT_EQ(c.project.range, (CoordRange{-3, 2, 11, 8}));

    // A single point gives a range of width and height 0, which later objects grow, not replace.
    ImportCase one(points({point_record(5, 7, {"a"})}), kCoordArbitrary, CoordRange{0, 0, -5, 10});
    one.run();
    EXPECT_EQ(one.project.range, (CoordRange{5, 7, 0, 0}));
    ImportCase two(named_lines({{"l", {{6, 9}, {8, 9}}}}), kCoordArbitrary, one.project.range);
    two.run();
    EXPECT_EQ(two.project.range, (CoordRange{5, 7, 3, 2}));

    CoordRange r{0, 0, 10, 10};
    extend_range(r, {-5, 3}, {4, 20});
    EXPECT_EQ(r, (CoordRange{-5, 0, 15, 20}));
    CoordRange wide{-2000000000, 0, 10, 10};
    extend_range(wide, {-2000000000, 0}, {2000000000, 5});
    EXPECT_EQ(wide.width, INT32_MAX);  // saturates instead of wrapping
}

TEST(ShapefileImport, PointsTakeTheDefaultIconOrItsTranslation) {
    ShapefileData d = points({point_record(0, 0, {"Hotel", "H"}), point_record(1, 1, {"Bank", "B"}),
                              point_record(2, 2, {"Other", "X"})},
                             {{"NAME", 'C', 10}, {"KIND", 'C', 2}});
    ImportCase c(d);
    c.settings.default_icon = 7;
    c.settings.icon_translation.kind = kStringTable;
    c.settings.icon_translation.field_index = 1;
    set_field(c.settings.icon_translation.strings[0].text, "H");
    c.settings.icon_translation.strings[0].result = 0;
    set_field(c.settings.icon_translation.strings[1].text, "B");
    c.settings.icon_translation.strings[1].result = 64 + 256;  // only the low 8 bits are stored
    c.settings.icon_translation.entry_count = 2;
    c.run();
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[2].icon, 0);
    EXPECT_EQ(objects[1].icon, 64);
    EXPECT_EQ(objects[0].icon, 7);
    EXPECT_EQ(objects[0].type, kPntFeature);
}

TEST(ShapefileImport, PointFilesImportOnlyPntFeatures) {
    for (int type : {int(kLink), int(kCatPntFeature)}) {
        ImportCase c(points({point_record(0, 0, {"a"})}));
        c.settings.default_type = type;
        c.run();
        EXPECT_TRUE(c.objects().empty()) << "type " << type;
    }
}

TEST(ShapefileImport, TypeTranslationPicksTypesOrDropsUntranslatedRecords) {
    ShapefileData d = named_lines({});
    d.fields.push_back({"CLASS", 'N', 4});
    d.records = {line_record({{0, 0}, {1, 0}}, {"a", "1"}), line_record({{0, 0}, {1, 0}}, {"b", "15"}),
                 line_record({{0, 0}, {1, 0}}, {"c", "99"}), line_record({{0, 0}, {1, 0}}, {"d", "3"})};
    auto translate = [](ShapeImportSettings& s) {
        s.type_translation.kind = kNumericRanges;
        s.type_translation.field_index = 1;
        s.type_translation.ranges[0] = {0, 2, kFreeway};
        s.type_translation.ranges[1] = {10, 20, kRiver};
        s.type_translation.ranges[2] = {3, 3, 40};  // not a line type: counts as untranslated
        s.type_translation.entry_count = 3;
        s.default_type = kRoad5;
    };
    ImportCase filtered(d);
    translate(filtered.settings);
    filtered.run();
    EXPECT_EQ(filtered.result.skipped.untranslated, 2);
    auto objects = filtered.objects();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[1].type, kFreeway);
    EXPECT_EQ(objects[0].type, kRiver);

    ImportCase fallback(d);
    translate(fallback.settings);
    fallback.settings.filter_untranslated = 0;
    fallback.run();
    objects = fallback.objects();
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(objects[0].type, kRoad5);
    EXPECT_EQ(objects[1].type, kRoad5);
    EXPECT_EQ(objects[3].type, kFreeway);
}

TEST(ShapefileImport, SkipsBrokenRecordsAndImportsTheRest) {
    ShapefileData d =
        named_lines({{"a", {{0, 0}, {1, 1}}}, {"b", {{2, 2}, {3, 3}}}, {"c", {{4, 4}, {5, 5}}}});
    ShpRecord null_shape;
    null_shape.shape_type = 0;
    null_shape.values = {"null"};
    d.records.insert(d.records.begin() + 1, null_shape);
    ShapefileBytes b = build_shapefile(d);
    // Record "b" (the third) claims more points than its content holds.
    const size_t b_at = 100 + (8 + 4 + 2 * 16 + 4 + 4 + 4 + 32) + (8 + 4);
    put_le32(b.shp.data() + b_at + 8 + 40, 1000);
    ImportCase c(d);
    open_shapefile_bytes(c.reader, b.shp, b.shx, b.dbf);
    c.settings.downcase = 0;
    c.run();
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].name, "c");
    EXPECT_EQ(objects[1].name, "a");
    EXPECT_EQ(c.result.skipped.unreadable, 2);

    // A main file cut short: the records past its end are counted, not passed over in silence.
    b.shp.resize(b_at);
    ImportCase cut(d);
    open_shapefile_bytes(cut.reader, b.shp, b.shx, b.dbf);
    cut.run();
    EXPECT_EQ(cut.sink.log,
              "Reading shapefile...\r\n1 objects imported from 4 records; 3 records not imported\r\n"
              "Shapefile successfully imported.\r\n");
    EXPECT_EQ(cut.result.records_skipped, 3);
}

TEST(ShapefileImport, PartIndicesOutsideTheRecordSkipOnlyThatPart) {
    ShapefileData d = named_lines({});
    d.records.push_back(parts_record({{{0, 0}, {1, 1}}, {{2, 2}, {3, 3}, {4, 4}}}, {"two parts"}));
    ShapefileBytes b = build_shapefile(d);
    put_le32(b.shp.data() + 108 + 44, uint32_t(-7));  // first part starts before the points
    ImportCase c(d);
    open_shapefile_bytes(c.reader, b.shp, b.shx, b.dbf);
    c.run();
    ASSERT_EQ(c.objects().size(), 1u);
    EXPECT_EQ(c.objects()[0].points.size(), 3u);
}

TEST(ShapefileImport, MissingAttributeRecordsGiveEmptyNames) {
    ShapefileData d = named_lines({{"a", {{0, 0}, {1, 1}}}, {"b", {{2, 2}, {3, 3}}}});
    ShapefileBytes b = build_shapefile(d);
    b.dbf.resize(b.dbf.size() - 62);  // the last record and the end marker
    ImportCase c(d);
    open_shapefile_bytes(c.reader, b.shp, b.shx, b.dbf);
    c.run();
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].name, "");
    EXPECT_EQ(objects[1].name, "a");
}

// Clears the keep-running flag when the progress reaches a position, as the Stop button would.
struct StoppingSink : RecordingSink {
    std::atomic<bool>* running = nullptr;
    int stop_at = 0;
    void set_progress_pos(int i) override {
        RecordingSink::set_progress_pos(i);
        if (i == stop_at) running->store(false);
    }
};

TEST(ShapefileImport, StopFinishesTheRecordLinksWhatWasReadAndLogsNoSuccess) {
    ShapefileData d = named_lines({});
    d.fields.push_back({"ROAD", 'C', 4});
    for (int i = 0; i < 40; ++i)
        d.records.push_back(line_record({{double(i), 0}, {double(i + 1), 0}}, {"r", "1"}));
    ImportCase c(d);
    c.settings.link_fields = {{1}, 1};
    std::atomic<bool> running{true};
    StoppingSink sink;
    sink.running = &running;
    sink.stop_at = 16;
    const ShapeImportResult r = run_shapefile_import(c.project, c.reader, c.settings, sink, running);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.records_read, 16);
    EXPECT_EQ(sink.log, "Reading shapefile...\r\nLinking line segments...\r\n");
    EXPECT_FALSE(sink.ok_shown);
    EXPECT_EQ(c.project.modified, 1);
    const auto objects = layer_objects(c.project.layers[0]);
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].points.size(), 17u);
    EXPECT_EQ(objects[0].points.back(), (Point{16, 0}));

    // Stopped before the start: nothing is read, and there is nothing to link.
    ImportCase early(d);
    early.settings.link_fields = {{1}, 1};
    early.run(false);
    EXPECT_EQ(early.sink.log, "Reading shapefile...\r\nLinking line segments...\r\n");
    EXPECT_TRUE(early.objects().empty());
    EXPECT_EQ(early.project.modified, 0);
}

TEST(ShapefileImport, RefusesBeforeTouchingTheProject) {
    ShapefileData d = named_lines({{"a", {{0, 0}, {1, 1}}}});
    {
        ImportCase c(d);
        c.project.layer_count = 0;
        EXPECT_FALSE(c.run().started);
        EXPECT_EQ(c.result.error, "The project has no layers to import into");
        EXPECT_EQ(c.project.modified, 0);
        EXPECT_EQ(c.sink.log, "");
    }
    {
        ShapefileData multipoint = d;
        multipoint.shape_type = 8;
        ImportCase c(multipoint);
        c.settings.dimension = 2;  // the dialog would offer it like a polygon file
        EXPECT_FALSE(c.run().started);
        EXPECT_EQ(c.result.error,
                  "Unsupported shape type 8 (only Point, PolyLine and Polygon files can be imported)");
        EXPECT_EQ(c.project.modified, 0);
    }
    {
        ImportCase c(d);
        c.settings.default_type = kLineTypeCount;
        EXPECT_FALSE(c.run().started);
        c.settings.default_type = 0;
        c.settings.dest_layer = 1;
        EXPECT_FALSE(c.run().started);
        c.settings.dest_layer = 0;
        c.settings.name_fields = {{3}, 1};
        EXPECT_FALSE(c.run().started);
        EXPECT_TRUE(c.objects().empty());
    }
}

TEST(ShapefileImport, DialogChecksApplyToEveryStart) {
    ImportCase c(named_lines({{"a", {{0, 0}, {1, 1}}}}), kCoordArbitrary, CoordRange{0, 0, 0, 100});
    c.settings.name_fields.count = 0;
    EXPECT_EQ(check_import_settings(c.settings, c.project).message,
              "You need to select at least one name field");
    c.settings.name_fields.count = 1;
    c.settings.multiply_y = 0;
    EXPECT_EQ(check_import_settings(c.settings, c.project).message, "'Multiply' factors must be non-zero");
    c.settings.multiply_y = 1;
    c.settings.filter_outside_range = 1;
    EXPECT_TRUE(check_import_settings(c.settings, c.project).ok);
    EXPECT_EQ(c.settings.filter_outside_range, 0);  // a range of width 0 has nothing to filter by

    const ShapeImportSettings defaults = default_import_settings(c.project, c.reader, "base", -1);
    EXPECT_EQ(defaults.dest_layer, 0);
    EXPECT_EQ(defaults.dimension, 1);
    EXPECT_EQ(defaults.filter_outside_range, 0);
    EXPECT_EQ(defaults.filter_untranslated, 1);
    EXPECT_EQ(defaults.downcase, 1);
    EXPECT_EQ(defaults.multiply_x, 1000000);
    EXPECT_EQ(defaults.icon_translation.target, kTranslateIcon);
    c.project.range = {0, 0, 1, 1};
    EXPECT_EQ(default_import_settings(c.project, c.reader, "base", 3).filter_outside_range, 1);
}

}  // namespace
}  // namespace plotwell::test

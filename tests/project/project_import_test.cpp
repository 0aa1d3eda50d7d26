// Merging another project file: order, progress, refusals, the range merge and damaged sources.
#include "project/project_import.h"

#include <gtest/gtest.h>

#include <climits>

#include "model/bytes.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "project/project_file.h"
#include "support/object_builders.h"
#include "support/project_file_builders.h"
#include "support/recording_sink.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
std::vector<std::string> reversed(std::vector<std::string> v) {
    return {v.rbegin(), v.rend()};
}

LayerMapping identity(int n) {
    LayerMapping m;
    for (int i = 0; i < n; ++i) m.destination[i] = i;
    return m;
}

std::string save(const Project& p, const ScratchDir& dir, const std::string& name) {
    NullProgressSink quiet;
    EXPECT_TRUE(save_project(p, dir.file(name), quiet));
    return dir.file(name + ".mpr");
}

}  // namespace

TEST(ProjectImport, ImportingTheOwnFileAddsReversedCopiesInFront) {
    ScratchDir dir;
    Project p;
    fill_sample_project(p);
    const std::string path = save(p, dir, "own");
    const auto roads = layer_object_texts(p.layers[0]);
    const auto places = layer_object_texts(p.layers[2]);
    const CoordRange range = p.range;

    RecordingSink sink;
    ImportReport report;
    EXPECT_TRUE(import_project_task(p, path, identity(3), sink, &report));
    EXPECT_EQ(sink.log, "  Project successfully imported.\n");
    EXPECT_TRUE(sink.ok_shown);
    EXPECT_FALSE(sink.closed) << "the user closes the log";
    EXPECT_EQ(layer_object_texts(p.layers[0]), concat(reversed(roads), roads));
    EXPECT_EQ(layer_object_texts(p.layers[2]), concat(reversed(places), places));
    EXPECT_EQ(p.layers[0].object_count, 4);
    EXPECT_EQ(p.layers[2].object_count, 6);
    EXPECT_EQ(report.objects, 7);
    EXPECT_EQ(p.range, range);
    EXPECT_EQ(p.bitmaps.count, 2) << "bitmaps are not taken over";
}

TEST(ProjectImport, UnmappedLayersCountInTheProgressTotal) {
    ScratchDir dir;
    Project source;
    Layer& a = add_layer(source, "A", kThemeRoads);
    Layer& b = add_layer(source, "B", kThemeWater);
    for (int i = 0; i < 20; ++i) add_point(a, "a", {i, i});
    for (int i = 0; i < 20; ++i) add_point(b, "b", {i, i});
    const std::string path = save(source, dir, "src");

    Project p;
    add_layer(p, "Into");
    LayerMapping m;
    m.destination[1] = 0;
    RecordingSink sink;
    EXPECT_TRUE(import_project_file(p, path, m, sink));
    EXPECT_EQ(sink.ranges, std::vector<int>{40});
    EXPECT_EQ(sink.positions, std::vector<int>{16}) << "the bar ends below its maximum";
    EXPECT_EQ(p.layers[0].object_count, 20);
    EXPECT_EQ(layer_object_texts(p.layers[0]).front(), "0 0 b @(0,0) icon 0");
}

TEST(ProjectImport, RefusalsLogTheirLineAndChangeNothing) {
    ScratchDir dir;
    Project source;
    add_point(add_layer(source, "S"), "s", {1, 1});
    source.coord_sys = kCoordArbitrary;
    source.range = {-10, -10, 5, 5};
    const std::string pixels = save(source, dir, "pixels");
    ASSERT_TRUE(write_bytes(dir.file("text.mpr"), std::vector<uint8_t>(300, 'x')));

    Project p;
    add_layer(p, "L");
    p.coord_sys = kCoordDegrees;
    p.range = {0, 0, 100, 100};
    struct Case {
        std::string path;
        std::string log;
        bool opened;
    } cases[] = {
        {pixels, "Error: project files have incompatible coordinate systems!\n", true},
        {dir.file("text.mpr"), "Error: source project file is invalid!\n", true},
        {dir.file("missing.mpr"), "Error:  unable to open project file!\n", false},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        ImportReport report;
        EXPECT_EQ(import_project_file(p, c.path, identity(1), sink, &report), c.opened) << c.path;
        EXPECT_EQ(sink.log, c.log);
        EXPECT_FALSE(report.imported);
        EXPECT_TRUE(sink.ranges.empty());
    }
    EXPECT_EQ(p.layers[0].object_count, 0);
    EXPECT_EQ(p.range, (CoordRange{0, 0, 100, 100}));
}

TEST(ProjectImport, ASourceThatGivesNoObjectIsAnErrorAndChangesNothing) {
    ScratchDir dir;
    Project empty;
    add_layer(empty, "E");
    empty.range = {-500, -500, 10, 10};
    const std::string path = save(empty, dir, "empty");
    Project p;
    add_layer(p, "L");
    p.range = {0, 0, 100, 100};
    RecordingSink sink;
    ImportReport report;
    EXPECT_TRUE(import_project_file(p, path, identity(1), sink, &report));
    EXPECT_EQ(sink.log, "Error: nothing was imported!\r\n");
    EXPECT_FALSE(report.imported);
    EXPECT_EQ(p.range, (CoordRange{0, 0, 100, 100}));
}

TEST(ProjectImport, ProjectWithoutLayersOrMissingDestinationIsRefusedBeforeReading) {
    Project none;
    RecordingSink sink;
    // The path does not exist: a refusal that read the file would log "unable to open" instead.
    EXPECT_TRUE(import_project_file(none, "/nonexistent/x.mpr", LayerMapping{}, sink));
    EXPECT_EQ(sink.log, "Error: the project has no layers to import into! Define its layers first.\n");

    Project two;
    add_layer(two, "A");
    add_layer(two, "B");
    LayerMapping m = identity(2);
    m.destination[3] = 2;
    RecordingSink refused;
    EXPECT_TRUE(import_project_file(two, "/nonexistent/x.mpr", m, refused));
    EXPECT_EQ(refused.log, "Error: source layer 3 is mapped to layer 2, which the project does not have!\n");
    m.destination[3] = -7;
    RecordingSink negative;
    (void)import_project_file(two, "/nonexistent/x.mpr", m, negative);  // only the log is looked at
    EXPECT_NE(negative.log.find("which the project does not have"), std::string::npos);
}

TEST(ProjectImport, RangeMerge) {
    struct Case {
        const char* what;
        CoordRange open, source, merged;
    } cases[] = {
        {"negative open range takes the source",
         {180000000, 180000000, -360000000, -360000000},
         {5, 6, 7, 8},
         {5, 6, 7, 8}},
        {"negative height alone also counts as empty", {0, 0, 10, -1}, {5, 6, 7, 8}, {5, 6, 7, 8}},
        {"an empty source range is used as stored",
         {0, 0, 100, 100},
         {-50, -60, -10, -10},
         {-50, -60, 150, 160}},
        {"the editor's empty source range changes nothing",
         {0, 0, 100, 100},
         {180000000, 180000000, -360000000, -360000000},
         {0, 0, 100, 100}},
        {"width 0 merges like a range with extent", {10, 10, 0, 0}, {0, 0, 5, 5}, {0, 0, 10, 10}},
        {"growth on both sides", {0, 0, 10, 10}, {-5, 2, 30, 3}, {-5, 0, 30, 10}},
        {"sums past int32 are kept inside it",
         {2147483000, 0, 600, 10},
         {-2147483000, 0, 10, 10},
         {-2147483000, 0, INT32_MAX, 10}},
    };
    for (const Case& c : cases) {
        CoordRange r = c.open;
        merge_import_range(r, c.source);
        EXPECT_EQ(r, c.merged) << c.what;
    }
}

TEST(ProjectImport, DamagedSourceImportsWhatIsSoundAndSaysWhatWasSkipped) {
    ScratchDir dir;
    Project source;
    Layer& l = add_layer(source, "S");
    for (int i = 0; i < 4; ++i) add_point(l, "p" + std::to_string(i), {i, i});
    NullProgressSink quiet;
    std::vector<uint8_t> b = build_project_file(source, quiet);
    const size_t slots = get_le32(b.data() + get_le32(b.data() + 28) + 4);
    put_le32(b.data() + slots + 4, uint32_t(b.size() + 1000));
    ASSERT_TRUE(write_bytes(dir.file("bad.mpr"), b));

    Project p;
    add_layer(p, "L");
    RecordingSink sink;
    ImportReport report;
    EXPECT_TRUE(import_project_file(p, dir.file("bad.mpr"), identity(1), sink, &report));
    EXPECT_EQ(p.layers[0].object_count, 3);
    EXPECT_EQ(report.skipped, 1);
    EXPECT_EQ(sink.log,
              "Warning: source layer 0: 1 object record(s) skipped as unreadable (first at slot 1)\n"
              "3 objects imported from 4 records; 1 records not imported\r\n"
              "  Project successfully imported.\n");

    // every prefix of the file: refused, or imported without reading outside it
    for (size_t n = 0; n < b.size(); ++n) {
        Project q;
        add_layer(q, "L");
        NullProgressSink ignore;
        import_project_bytes(q, std::span<const uint8_t>(b.data(), n), identity(1), ignore);
        int listed = 0;
        for (const MapObject* o = q.layers[0].objects; o; o = o->next) ++listed;
        EXPECT_EQ(listed, q.layers[0].object_count) << n;
    }
}

// Saving and loading again: what comes back, in which order, and what is deliberately not kept.
#include <gtest/gtest.h>

#include <cstring>

#include "model/bytes.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_file.h"
#include "support/object_builders.h"
#include "support/project_file_builders.h"
#include "support/recording_sink.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

std::vector<std::string> reversed(std::vector<std::string> v) {
    return {v.rbegin(), v.rend()};
}

// Saves `from` and loads the file into `to`.
void save_and_load(const Project& from, Project& to, const ScratchDir& dir) {
    NullProgressSink quiet;
    const std::string base = dir.file("round");
    ASSERT_TRUE(save_project(from, base, quiet));
    ASSERT_TRUE(load_project_file(to, base, quiet));
}

}  // namespace

TEST(ProjectFileRoundTrip, EveryStoredFieldComesBackAndListsAreReversed) {
    ScratchDir dir;
    Project saved;
    fill_sample_project(saved);
    Project loaded;
    save_and_load(saved, loaded, dir);

    EXPECT_EQ(field_text(loaded.name), "Sample");
    EXPECT_EQ(field_text(loaded.parent_map_basename), "parent-map");
    EXPECT_EQ(loaded.coord_sys, kCoordDegrees);
    EXPECT_EQ(loaded.range, saved.range);
    EXPECT_EQ(loaded.geo.mode, kGeoScaleAndPos);
    EXPECT_EQ(loaded.geo.west, -100);
    EXPECT_EQ(loaded.geo.east, 200);
    EXPECT_EQ(loaded.geo.south, -300);
    EXPECT_EQ(loaded.geo.north, 400);
    ASSERT_EQ(loaded.layer_count, 3);
    for (int i = 0; i < 3; ++i) {
        const Layer& a = saved.layers[i];
        const Layer& b = loaded.layers[i];
        EXPECT_EQ(b.type, a.type) << i;
        EXPECT_EQ(b.theme, a.theme) << i;
        EXPECT_EQ(b.display_flags, a.display_flags) << i;
        EXPECT_EQ(field_text(b.name), field_text(a.name)) << i;
        EXPECT_EQ(b.object_count, a.object_count) << i;
        EXPECT_EQ(layer_object_texts(b), reversed(layer_object_texts(a))) << i;
    }
    ASSERT_EQ(loaded.bitmaps.count, 2);
    EXPECT_EQ(field_text(loaded.bitmaps.entries[0].file_name), "maps/shown.bmp");
    EXPECT_EQ(loaded.bitmaps.entries[0].width, 300);
    EXPECT_EQ(loaded.bitmaps.entries[0].flags, kBitmapLocked);
    EXPECT_EQ(loaded.bitmaps.entries[1].flags, kBitmapHidden);
    EXPECT_FALSE(loaded.bitmaps.entries[0].image);
}

TEST(ProjectFileRoundTrip, TwoRoundTripsRestoreTheOrderAndTheBytes) {
    ScratchDir dir;
    NullProgressSink quiet;
    Project first;
    fill_sample_project(first);
    ASSERT_TRUE(save_project(first, dir.file("a"), quiet));
    Project second;
    ASSERT_TRUE(load_project_file(second, dir.file("a"), quiet));
    ASSERT_TRUE(save_project(second, dir.file("b"), quiet));
    Project third;
    ASSERT_TRUE(load_project_file(third, dir.file("b"), quiet));
    for (int i = 0; i < first.layer_count; ++i)
        EXPECT_EQ(layer_object_texts(third.layers[i]), layer_object_texts(first.layers[i])) << i;

    std::vector<uint8_t> a, c;
    ASSERT_TRUE(save_project(third, dir.file("c"), quiet));
    ASSERT_TRUE(read_whole_file(dir.file("a.mpr"), a));
    ASSERT_TRUE(read_whole_file(dir.file("c.mpr"), c));
    EXPECT_EQ(a, c);
}

TEST(ProjectFileRoundTrip, DeletedPlaceholdersAreNotReloaded) {
    ScratchDir dir;
    Project saved;
    Layer& layer = add_layer(saved, "L");
    std::vector<MapObject*> made;
    for (int i = 0; i < 7; ++i) made.push_back(add_point(layer, "p" + std::to_string(i), {i, -i}));
    delete_object(layer, made[0]);
    delete_object(layer, made[5]);
    Project loaded;
    save_and_load(saved, loaded, dir);
    EXPECT_EQ(loaded.layers[0].object_count, 5);
    EXPECT_EQ(layer_object_texts(loaded.layers[0]), reversed(layer_object_texts(layer)));
    EXPECT_EQ(layer_object_texts(loaded.layers[0]).size(), 5u);
}

TEST(ProjectFileRoundTrip, GeoInfoModesAfterReload) {
    ScratchDir dir;
    Project scale_only;
    scale_only.geo = {kGeoScale, 120, 5, 6, 7, 8};
    Project loaded;
    loaded.geo = {kGeoScaleAndPos, 99, 1, 2, 3, 4};
    save_and_load(scale_only, loaded, dir);
    EXPECT_EQ(loaded.geo.mode, kGeoNone);
    EXPECT_EQ(loaded.geo.scale, 99) << "the scale is not stored";
    EXPECT_EQ(loaded.geo.west, 1) << "edges in memory are left as they were";

    Project flat;
    flat.geo = {kGeoScaleAndPos, 0, 500, 500, -10, 10};
    save_and_load(flat, loaded, dir);
    EXPECT_EQ(loaded.geo.mode, kGeoNone);

    Project positioned;
    positioned.geo = {kGeoScaleAndPos, 0, -5, 5, -10, 10};
    save_and_load(positioned, loaded, dir);
    EXPECT_EQ(loaded.geo.mode, kGeoScaleAndPos);
    EXPECT_EQ(loaded.geo.south, -10);
}

TEST(ProjectFileRoundTrip, LoadReplacesTheOldProjectButKeepsWhatTheFileDoesNotHold) {
    ScratchDir dir;
    Project saved;
    add_layer(saved, "Only");
    Project target;
    fill_sample_project(target);
    set_field(target.file_base_name, "keep-me");
    target.modified = 1;
    target.layers[0].scratch = 9;
    target.bitmaps.entries[0].image = std::make_shared<Image>();
    save_and_load(saved, target, dir);
    EXPECT_EQ(field_text(target.file_base_name), "keep-me");
    EXPECT_EQ(target.modified, 1);
    EXPECT_EQ(target.layer_count, 1);
    EXPECT_EQ(target.layers[0].scratch, 9) << "the run-time byte is not restored";
    EXPECT_EQ(target.layers[0].objects, nullptr);
    EXPECT_EQ(target.layers[1].objects, nullptr) << "the old objects are freed";
    EXPECT_EQ(target.layers[2].object_count, 0);
    EXPECT_EQ(target.bitmaps.count, 0);
    EXPECT_EQ(field_text(target.parent_map_basename), "");
    EXPECT_FALSE(target.bitmaps.entries[0].image);
}

TEST(ProjectFileRoundTrip, VersionTwoFileWithTheDirectoryInTheHeaderLoads) {
    ScratchDir dir;
    // Two layers; their entries sit in the header at 28 and 44.
    RawFile f = raw_project_header(2, 2);
    f.bytes[3] = kCoordDegrees;
    f.put_le32_at(8, 100);
    f.put_le32_at(16, 50);
    std::memcpy(f.bytes.data() + 168, "Old", 3);
    const size_t name_at = f.size() + 4;
    f.append_le32(36);
    char name[32] = "Old roads";
    f.append_bytes(name, 32);
    const size_t slots_at = f.size() + 4;
    f.append_le32(4 + 2 * 4);
    f.append_le32(0);
    f.append_le32(0);
    const size_t empty_slots_at = f.size() + 4;
    f.append_le32(4);
    // records: a point and a line
    const size_t point_at = f.size();
    f.append_le32(56);
    f.append_zeros(52);
    f.bytes[point_at + 4] = kDimPoint;
    std::memcpy(f.bytes.data() + point_at + 6, "Pt", 2);
    f.put_le32_at(point_at + 48, 7);
    f.put_le32_at(point_at + 52, 8);
    const size_t line_at = f.size();
    f.append_le32(60);
    f.append_zeros(56);
    f.bytes[line_at + 4] = kDimLine;
    f.put_le32_at(line_at + 48, 1);
    f.put_le32_at(line_at + 52, uint32_t(-3));
    f.put_le32_at(line_at + 56, 4);
    f.put_le32_at(slots_at, uint32_t(point_at + 4));
    f.put_le32_at(slots_at + 4, uint32_t(line_at + 4));
    // directory entries in the header
    f.bytes[28] = kSngTypedObjs;
    f.bytes[29] = kThemeRoads;
    f.bytes[31] = 1;
    f.put_le32_at(32, uint32_t(slots_at));
    f.put_le32_at(36, uint32_t(name_at));
    f.bytes[44] = kEraseBkg;
    f.bytes[45] = kThemeLand;
    f.put_le32_at(48, uint32_t(empty_slots_at));
    ASSERT_TRUE(write_bytes(dir.file("old.mpr"), f.bytes));

    Project p;
    RecordingSink sink;
    ASSERT_TRUE(load_project_file(p, dir.file("old"), sink));
    EXPECT_EQ(field_text(p.name), "Old");
    EXPECT_EQ(p.range.x_min, 100);
    EXPECT_EQ(p.range.width, 50);
    ASSERT_EQ(p.layer_count, 2);
    EXPECT_EQ(field_text(p.layers[0].name), "Old roads");
    EXPECT_EQ(p.layers[0].theme, kThemeRoads);
    EXPECT_EQ(p.layers[0].display_flags, 1);
    EXPECT_EQ(layer_object_texts(p.layers[0]),
              (std::vector<std::string>{"1 0  (-3,4)", "0 0 Pt @(7,8) icon 0"}));
    EXPECT_EQ(p.layers[0].object_count, 2);
    EXPECT_EQ(field_text(p.layers[1].name), "");
    EXPECT_EQ(sink.ranges, std::vector<int>{2});

    Layer layers[kMaxLayers];
    EXPECT_EQ(read_project_layers(dir.file("old.mpr"), layers), 2);
    EXPECT_EQ(field_text(layers[0].name), "Old roads");
    EXPECT_EQ(layers[1].type, kEraseBkg);

    // saving writes the current version with the directory after the header
    NullProgressSink quiet;
    ASSERT_TRUE(save_project(p, dir.file("new"), quiet));
    std::vector<uint8_t> saved;
    ASSERT_TRUE(read_whole_file(dir.file("new.mpr"), saved));
    EXPECT_EQ(get_le32(saved.data() + 4), 3u);
    EXPECT_EQ(get_le32(saved.data() + 28), 228u);
}

TEST(ProjectFileRoundTrip, TextWithoutTerminatorIsCutToItsField) {
    ScratchDir dir;
    Project saved;
    add_layer(saved, "x");
    NullProgressSink quiet;
    std::vector<uint8_t> b = build_project_file(saved, quiet);
    std::memset(b.data() + 168, 'N', 32);
    const size_t name = get_le32(b.data() + 28 + 0) + 8;
    std::memset(b.data() + get_le32(b.data() + name), 'L', 32);
    Project loaded;
    ASSERT_TRUE(load_project_from_bytes(loaded, b, quiet));
    EXPECT_EQ(field_text(loaded.name), std::string(31, 'N'));
    EXPECT_EQ(field_text(loaded.layers[0].name), std::string(31, 'L'));
}

TEST(ProjectFileRoundTrip, ReadProjectLayersTakesTheStructureOnly) {
    ScratchDir dir;
    Project saved;
    fill_sample_project(saved);
    NullProgressSink quiet;
    ASSERT_TRUE(save_project(saved, dir.file("s"), quiet));
    Layer layers[kMaxLayers];
    RecordingSink sink;
    ASSERT_EQ(read_project_layers(dir.file("s.mpr"), layers, &sink), 3);
    EXPECT_EQ(sink.ranges, std::vector<int>{2 + 2 + 3});
    EXPECT_EQ(field_text(layers[2].name), "Places");
    EXPECT_EQ(layers[2].theme, kThemePlaces);
    EXPECT_EQ(layers[0].display_flags, kLayerShowAlways);
    for (const Layer& l : layers) {
        EXPECT_EQ(l.objects, nullptr);
        EXPECT_EQ(l.object_count, 0);
    }
    EXPECT_EQ(read_project_layers(dir.file("missing.mpr"), layers), 0);
}

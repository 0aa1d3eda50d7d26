// The bytes save_project writes, offset by offset.
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

using namespace plotwell;
using namespace plotwell::test;

namespace {
std::vector<uint8_t> build(const Project& project) {
    NullProgressSink quiet;
    return build_project_file(project, quiet);
}
uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return get_le32(b.data() + at);
}
std::string text_at(const std::vector<uint8_t>& b, size_t at, size_t n) {
    return std::string(field_text(reinterpret_cast<const char*>(b.data() + at), n));
}
}  // namespace

TEST(ProjectFileLayout, EmptyProjectIsTheBareHeader) {
    Project p;
    set_field(p.name, "Empty");
    p.projection = 2;
    p.coord_sys = kCoordDegrees;
    p.range = {180000000, 180000000, -360000000, -360000000};
    p.geo = {kGeoScale, 55, 1, 2, 3, 4};  // edges are stored only with a position
    const auto b = build(p);
    ASSERT_EQ(b.size(), 224u);
    EXPECT_EQ(b[0], 0x6D);
    EXPECT_EQ(b[1], 0x70);
    EXPECT_EQ(b[2], 2);
    EXPECT_EQ(b[3], kCoordDegrees);
    EXPECT_EQ(le32(b, 4), 3u);
    EXPECT_EQ(int32_t(le32(b, 8)), 180000000);
    EXPECT_EQ(int32_t(le32(b, 16)), -360000000);
    EXPECT_EQ(int32_t(le32(b, 20)), -360000000);
    EXPECT_EQ(le32(b, 24), 0u);
    EXPECT_EQ(le32(b, 28), 0u);
    EXPECT_EQ(le32(b, 160), 0u);
    EXPECT_EQ(text_at(b, 168, 32), "Empty");
    for (size_t at : {200u, 204u, 208u, 212u, 216u, 220u}) EXPECT_EQ(le32(b, at), 0u) << at;
    for (size_t at = 32; at < 160; ++at) EXPECT_EQ(b[at], 0) << at;
}

TEST(ProjectFileLayout, WorkedExampleOfOneLayerWithOneLine) {
    Project p;
    Layer& layer = add_layer(p, "Roads", kThemeRoads, kSngTypedObjs);
    layer.display_flags = 1;
    add_line(layer, "A1", {{10, 20}, {30, -40}}, kDimLine, kHighway);
    const auto b = build(p);
    ASSERT_EQ(b.size(), 356u);
    EXPECT_EQ(le32(b, 24), 1u);
    EXPECT_EQ(le32(b, 28), 228u);
    // directory
    EXPECT_EQ(le32(b, 224), 20u);
    EXPECT_EQ(b[228], kSngTypedObjs);
    EXPECT_EQ(b[229], kThemeRoads);
    EXPECT_EQ(b[230], 0);
    EXPECT_EQ(b[231], 1);
    EXPECT_EQ(le32(b, 232), 284u);
    EXPECT_EQ(le32(b, 236), 248u);
    EXPECT_EQ(le32(b, 240), 0u);
    // name block
    EXPECT_EQ(le32(b, 244), 36u);
    EXPECT_EQ(text_at(b, 248, 32), "Roads");
    // slot table
    EXPECT_EQ(le32(b, 280), 8u);
    EXPECT_EQ(le32(b, 284), 292u);
    // object record
    EXPECT_EQ(le32(b, 288), 68u);
    EXPECT_EQ(b[292], kDimLine);
    EXPECT_EQ(b[293], kHighway);
    EXPECT_EQ(text_at(b, 294, 42), "A1");
    EXPECT_EQ(le32(b, 336), 2u);
    EXPECT_EQ(int32_t(le32(b, 340)), 10);
    EXPECT_EQ(int32_t(le32(b, 344)), 20);
    EXPECT_EQ(int32_t(le32(b, 348)), 30);
    EXPECT_EQ(int32_t(le32(b, 352)), -40);
}

TEST(ProjectFileLayout, ParentRecordBitmapTableAndEmptyLayerNames) {
    Project p;
    set_field(p.parent_map_basename, "Parent");
    p.geo = {kGeoScaleAndPos, 0, -7, 8, -9, 10};
    p.bitmaps.table_reserved = 0x1234;
    p.bitmaps.count = 1;
    BackgroundBitmap& bmp = p.bitmaps.entries[0];
    bmp.x = -1;
    bmp.y = 2;
    bmp.width = 3;
    bmp.height = 4;
    bmp.flags = kBitmapLocked | kBitmapHidden;
    bmp.image = std::make_shared<Image>();  // never stored
    set_field(bmp.file_name, "back.bmp");
    add_layer(p, "", kThemeLand, kEraseBkg);
    Layer& named = add_layer(p, "Second", kThemeParks, kMiscTypedObjs);
    add_point(named, "P", {5, 6});
    add_point(named, "C", {7, 8}, kCatPntFeature, 2, 3);

    const auto b = build(p);
    EXPECT_EQ(le32(b, 200), 224u);
    EXPECT_EQ(le32(b, 224), 0u);
    EXPECT_EQ(text_at(b, 228, 40), "Parent");
    EXPECT_EQ(int32_t(le32(b, 204)), -7);
    EXPECT_EQ(int32_t(le32(b, 208)), 8);
    EXPECT_EQ(int32_t(le32(b, 212)), -9);
    EXPECT_EQ(int32_t(le32(b, 216)), 10);

    const size_t table = 268;
    EXPECT_EQ(le32(b, 160), table);
    EXPECT_EQ(get_le16(b.data() + table), 0x1234);
    EXPECT_EQ(get_le16(b.data() + table + 2), 1);
    EXPECT_EQ(int32_t(le32(b, table + 4)), -1);
    EXPECT_EQ(le32(b, table + 16), 4u);
    EXPECT_EQ(get_le16(b.data() + table + 20), kBitmapLocked | kBitmapHidden);
    EXPECT_EQ(le32(b, table + 24), 0u) << "image word";
    EXPECT_EQ(text_at(b, table + 28, 128), "back.bmp");

    const size_t dir = table + 9732;
    EXPECT_EQ(le32(b, 28), dir + 4);
    EXPECT_EQ(le32(b, dir), 4u + 2 * 16);
    const size_t names = dir + 4 + 32;
    EXPECT_EQ(le32(b, dir + 4 + 8), 0u) << "empty name: offset 0";
    EXPECT_EQ(le32(b, dir + 20 + 8), names + 36 + 4);
    EXPECT_EQ(le32(b, names), 36u) << "a block is written also for the empty name";
    EXPECT_EQ(text_at(b, names + 40, 32), "Second");
    const size_t slots0 = names + 72;
    EXPECT_EQ(le32(b, dir + 4 + 4), slots0 + 4);
    EXPECT_EQ(le32(b, slots0), 4u) << "no objects: a bare length word";
    EXPECT_EQ(le32(b, dir + 20 + 4), slots0 + 8);
    EXPECT_EQ(le32(b, slots0 + 4), 12u);
    const size_t records = slots0 + 16;
    // list order from the head: the category point was made last
    EXPECT_EQ(le32(b, slots0 + 8), records + 4);
    EXPECT_EQ(le32(b, records), 64u);
    EXPECT_EQ(le32(b, slots0 + 12), records + 64 + 4);
    EXPECT_EQ(le32(b, records + 64), 56u);
    EXPECT_EQ(b.size(), records + 64 + 56);
}

TEST(ProjectFileLayout, DeletedPlaceholdersTakeNoSlot) {
    Project p;
    Layer& layer = add_layer(p, "L");
    std::vector<MapObject*> made;
    for (int i = 0; i < 7; ++i) made.push_back(add_point(layer, "p" + std::to_string(i), {i, i}));
    delete_object(layer, made[1]);
    delete_object(layer, made[4]);
    ASSERT_EQ(layer.object_count, 5);
    const auto b = build(p);
    const size_t slots = le32(b, 28) + 16 + 36 + 4;
    EXPECT_EQ(le32(b, slots - 4), 4u + 5 * 4);
    for (int k = 0; k < 5; ++k) EXPECT_NE(le32(b, slots + 4 * k), 0u) << k;
    EXPECT_EQ(b.size(), slots + 20 + 5 * 56);
}

TEST(ProjectFileLayout, ProgressCountsSlotsAndMovesEverySixteenObjects) {
    Project p;
    Layer& a = add_layer(p, "A");
    Layer& b = add_layer(p, "B");
    for (int i = 0; i < 20; ++i) add_point(a, "a", {i, i});
    for (int i = 0; i < 15; ++i) add_point(b, "b", {i, i});
    RecordingSink sink;
    build_project_file(p, sink);
    EXPECT_EQ(sink.ranges, std::vector<int>{35});
    EXPECT_EQ(sink.positions, (std::vector<int>{16, 32}));
}

TEST(ProjectFileLayout, TextFieldsAlwaysEndInsideTheirFields) {
    Project p;
    std::memset(p.name, 'N', sizeof p.name);  // no terminator in memory
    std::memset(p.parent_map_basename, 'P', sizeof p.parent_map_basename);
    Layer& layer = add_layer(p, "");
    std::memset(layer.name, 'L', sizeof layer.name);
    const auto b = build(p);
    EXPECT_EQ(text_at(b, 168, 32), std::string(31, 'N'));
    EXPECT_EQ(b[199], 0);
    EXPECT_EQ(text_at(b, 228, 40), std::string(39, 'P'));
    const size_t name = le32(b, le32(b, 28) + 8);
    EXPECT_EQ(text_at(b, name, 32), std::string(31, 'L'));
}

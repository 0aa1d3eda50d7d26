#include "model/object_storage.h"

#include <gtest/gtest.h>

#include "model/geometry.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(ObjectStorage, RecordSizesAndPositionOffsetsFollowTheType) {
    Layer layer;
    MapObject* pnt = add_point(layer, "p", {10, 20});
    MapObject* link = add_point(layer, "l", {11, 21}, kLink);
    MapObject* cat = add_point(layer, "c", {12, 22}, kCatPntFeature, 3, 4);
    MapObject* line = add_line(layer, "r", {{1, 2}, {3, 4}, {5, 6}});
    EXPECT_EQ(object_record_size(pnt), 56);
    EXPECT_EQ(object_record_size(link), 56);
    EXPECT_EQ(object_record_size(cat), 64);
    EXPECT_EQ(object_record_size(line), 52 + 24);

    ByteBuffer out;
    write_object_record(out, cat);
    ASSERT_EQ(out.size(), 64u);
    EXPECT_EQ(get_le32(out.bytes.data()), 64u);
    EXPECT_EQ(out.bytes[48], 3);  // category
    EXPECT_EQ(out.bytes[49], 4);  // sub-type
    EXPECT_EQ(get_le32s(out.bytes.data() + 52), 12);
    EXPECT_EQ(get_le32s(out.bytes.data() + 56), 22);
    EXPECT_EQ(object_bounds(cat).min, (Point{12, 22}));

    out.bytes.clear();
    write_object_record(out, pnt);
    EXPECT_EQ(get_le32s(out.bytes.data() + 48), 10);
    EXPECT_EQ(get_le32s(out.bytes.data() + 52), 20);

    // Newest first.
    EXPECT_EQ(layer.objects, line);
    EXPECT_EQ(layer.object_count, 4);
    free_layer_objects(layer);
}

TEST(ObjectStorage, FortyCharacterPointNameKeepsTerminatorAndIcon) {
    Layer layer;
    const std::string name(40, 'N');
    MapObject* pnt = add_point(layer, name, {0, 0});
    set_icon_code(pnt, 130);
    EXPECT_EQ(field_text(pnt->name), name);
    EXPECT_EQ(pnt->name[40], 0) << "the 41-character field keeps its terminator";
    EXPECT_EQ(icon_code(pnt), 130);
    free_layer_objects(layer);
}

TEST(ObjectStorage, ReadRecordRefusesSizesThatDisagreeWithTheRecord) {
    Layer layer;
    MapObject* line = add_line(layer, "r", {{1, 2}, {3, 4}});
    ByteBuffer out;
    write_object_record(out, line);
    {
        ByteReader in(out.bytes.data(), out.size());
        MapObject* copy = read_object_record(in);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(object_point_count(copy), 2);
        EXPECT_EQ(object_points(copy)[1], (Point{3, 4}));
        free_object(copy);
    }
    for (size_t cut = 0; cut < out.size(); ++cut) {
        ByteReader in(out.bytes.data(), cut);
        EXPECT_EQ(read_object_record(in), nullptr) << cut;
    }
    put_le32(out.bytes.data() + 48, 1000000000);  // point count far beyond the record
    ByteReader in(out.bytes.data(), out.size());
    EXPECT_EQ(read_object_record(in), nullptr);
    free_layer_objects(layer);
}

TEST(ObjectStorage, ResizeRelinksInPlaceAndDeleteKeepsThePlaceholder) {
    Layer layer;
    MapObject* a = add_line(layer, "a", {{0, 0}, {1, 1}});
    MapObject* b = add_line(layer, "b", {{2, 2}, {3, 3}});
    MapObject* c = add_line(layer, "c", {{4, 4}, {5, 5}});
    MapObject* grown = resize_object(layer, b, 1000);
    ASSERT_NE(grown, nullptr);
    set_object_point_count(grown, 1000);
    EXPECT_EQ(layer.objects, c);
    EXPECT_EQ(c->next, grown);
    EXPECT_EQ(grown->next, a);
    EXPECT_EQ(object_points(grown)[1], (Point{3, 3}));

    delete_object(layer, a);
    EXPECT_EQ(layer.object_count, 2);
    EXPECT_EQ(a->dimension, kDimDeleted);
    EXPECT_EQ(grown->next, a) << "a deleted object stays linked";

    MapObject* copy = duplicate_object(c);
    EXPECT_EQ(copy->next, nullptr);
    EXPECT_EQ(field_text(copy->name), "c");
    free_object(copy);
    free_layer_objects(layer);
    EXPECT_EQ(layer.objects, nullptr);
    EXPECT_EQ(layer.object_count, 0);
}

TEST(Vocabulary, TypeCodesAndUnknownPairs) {
    EXPECT_EQ(object_type_code(kDimPoint, kCatPntFeature), 18);
    EXPECT_EQ(object_type_code(kDimLine, kSimpleRoute), 21);
    EXPECT_EQ(object_type_code(kDimPolygon, kBuilding), 20);
    EXPECT_EQ(object_type_code(kDimLine, 12), 255);
    EXPECT_EQ(object_type_code(kDimPoint, 3), 255);
    EXPECT_EQ(object_type_code(7, kInvisArea), 16) << "unknown dimensions map as polygons";
    EXPECT_STREQ(coord_sys_name(kCoordDegrees), "Decimal Degrees (Exp 6)");
    EXPECT_STREQ(projection_name(0), "Geographic");
}

TEST(Geometry, DistanceBoundsAndRescale) {
    EXPECT_EQ(octagonal_distance(0, 0, 3, 4), 6);
    EXPECT_EQ(octagonal_distance(0, 0, 10, 0), 10);
    EXPECT_EQ(octagonal_distance(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), 6442450943LL);

    Layer layer;
    MapObject* empty = add_line(layer, "e", {});
    const Bounds b = object_bounds(empty);
    EXPECT_EQ(b.min, (Point{2147483647, 2147483647}));
    EXPECT_EQ(b.max, (Point{-2147483647, -2147483647}));

    MapObject* line = add_line(layer, "r", {{0, 0}, {10, 10}, {11, 5}, {-1, 5}});
    rescale_object(line, Rect{0, 0, 10, 10}, Rect{0, 0, 5, 20});
    const Point* p = object_points(line);
    EXPECT_EQ(p[0], (Point{0, 0}));
    EXPECT_EQ(p[1], (Point{5, 20})) << "a point on the edge is inside and moves";
    EXPECT_EQ(p[2], (Point{11, 5})) << "one unit outside stays";
    EXPECT_EQ(p[3], (Point{-1, 5}));
    rescale_object(line, Rect{3, 3, 3, 9}, Rect{0, 0, 5, 5});  // no width: unchanged, no fault
    EXPECT_EQ(p[1], (Point{5, 20}));
    free_layer_objects(layer);
}

TEST(Geometry, PolygonOrientation) {
    // Counter-clockwise square in a y-up frame, closed.
    const Point ccw[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    const Point cw[] = {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}};
    EXPECT_EQ(polygon_orientation(ccw, 5), 1);
    EXPECT_EQ(polygon_orientation(cw, 5), 0);
    EXPECT_EQ(polygon_orientation(ccw, 2), 0);
    const Point repeated[] = {{0, 0}, {0, 0}, {10, 0}, {10, 10}, {0, 0}};
    const int r = polygon_orientation(repeated, 5);  // zero-length edge: defined, no NaN
    EXPECT_TRUE(r == 0 || r == 1);
}

TEST(Text, StripExtensionAndFields) {
    EXPECT_EQ(cut_at_last_dot("maps\\city.mpr"), "maps\\city");
    EXPECT_EQ(cut_at_last_dot("city"), "city");
    EXPECT_EQ(cut_at_last_dot("my.maps/city"), "my");
    char field[8];
    set_field(field, "abcdefghij");
    EXPECT_EQ(field_text(field), "abcdefg");
    EXPECT_TRUE(equal_ignoring_case("Road\xE9", "rOAD\xE9"));
    EXPECT_FALSE(equal_ignoring_case("\xE9", "\xC9")) << "only ASCII letters fold";
}

#include "shapefile/shapefile_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "model/bytes.h"
#include "shapefile/field_text.h"
#include "support/shapefile_writer.h"

namespace plotwell::test {
namespace {

void open_data(ShapefileReader& reader, const ShapefileData& data) {
    ShapefileBytes b = build_shapefile(data);
    open_shapefile_bytes(reader, std::move(b.shp), std::move(b.shx), std::move(b.dbf));
}

TEST(ShapefileReader, ClassifiesShapeTypes) {
    const std::pair<int, int> cases[] = {{1, 0},   {3, 1},   {5, 2},  {8, -1},
                                         {13, -1}, {15, -1}, {0, -1}, {11, -1}};
    for (auto [type, dimension] : cases) {
        ShapefileData d;
        d.shape_type = type;
        ShapefileReader r;
        open_data(r, d);
        EXPECT_EQ(shape_dimension(r), dimension) << "shape type " << type;
    }
    ShapefileReader short_header;
    open_shapefile_bytes(short_header, std::vector<uint8_t>(99, 0), {}, {});
    EXPECT_EQ(shape_dimension(short_header), -1);
}

TEST(ShapefileReader, CountsRecordsFromTheIndexLength) {
    ShapefileData d;
    d.shape_type = 1;
    ShapefileReader r;
    open_data(r, d);
    EXPECT_EQ(r.index_file.size(), 100u);
    EXPECT_EQ(count_records(r), 0);
    rewind_records(r);
    EXPECT_FALSE(next_shape_record(r));

    d.records = {point_record(1, 2), point_record(3, 4), point_record(5, 6)};
    open_data(r, d);
    EXPECT_EQ(count_records(r), 3);
    rewind_records(r);
    PointShape p;
    int seen = 0;
    while (next_shape_record(r)) {
        ASSERT_TRUE(read_point_shape(r, p));
        EXPECT_EQ(p.x, 1 + 2 * seen);
        EXPECT_EQ(p.y, 2 + 2 * seen);
        ++seen;
    }
    EXPECT_EQ(seen, 3);
}

TEST(ShapefileReader, ReadsFieldDescriptorsAndOffsets) {
    ShapefileData d;
    d.shape_type = 1;
    d.fields = {{"NAME", 'C', 200}, {"POP", 'N', 9}, {"long_name_x", 'C', 4}};
    d.records = {point_record(0, 0, {"Springfield", "1250", "abcd"})};
    ShapefileReader r;
    open_data(r, d);
    ASSERT_EQ(r.field_count, 3);
    EXPECT_EQ(r.fields[0].offset, 1);
    EXPECT_EQ(r.fields[0].length, 200);
    EXPECT_EQ(r.fields[1].offset, 201);  // a length above 127 places the next field correctly
    EXPECT_EQ(r.fields[1].type, 'N');
    EXPECT_EQ(r.fields[2].offset, 210);
    EXPECT_EQ(r.fields[2].name, "long_name_x");  // 11 bytes without a NUL: all of them
    EXPECT_EQ(find_field(r, "name"), 0);
    EXPECT_EQ(find_field(r, "Pop"), 1);
    EXPECT_EQ(find_field(r, "NAM"), -1);
    rewind_records(r);
    ASSERT_TRUE(next_shape_record(r));
    read_attribute_record(r);
    EXPECT_EQ(field_text(r.record, r.fields[1], 160), "1250");
    EXPECT_EQ(field_text(r.record, r.fields[2], 160), "abcd");
}

TEST(ShapefileReader, DescriptorsStopAtTheTerminator) {
    ShapefileData d;
    d.shape_type = 1;
    d.fields = {{"A", 'C', 3}, {"B", 'C', 3}};
    ShapefileBytes b = build_shapefile(d);
    // Claim room for five descriptors: the terminator after the second one ends the list.
    put_le16(b.dbf.data() + 8, uint16_t(32 + 5 * 32));
    ShapefileReader r;
    open_shapefile_bytes(r, b.shp, b.shx, b.dbf);
    EXPECT_EQ(r.field_count, 2);
    // A header length that promises thousands of descriptors the file does not hold.
    put_le16(b.dbf.data() + 8, 65535);
    b.dbf.resize(32 + 32);
    open_shapefile_bytes(r, b.shp, b.shx, b.dbf);
    EXPECT_EQ(r.field_count, 1);
}

TEST(ShapefileReader, PairsAttributeRecordsByPositionAndRunsOutQuietly) {
    ShapefileData d;
    d.shape_type = 1;
    d.fields = {{"NAME", 'C', 8}};
    d.records = {point_record(0, 0, {"one"}), point_record(0, 0, {"two"}), point_record(0, 0, {"three"})};
    ShapefileBytes b = build_shapefile(d);
    b.dbf[b.dbf.size() - 1 - 2 * 9] = 0x2A;  // the second record is marked deleted: still paired
    b.dbf.resize(b.dbf.size() - 6);          // and the third is cut after "thr"
    ShapefileReader r;
    open_shapefile_bytes(r, b.shp, b.shx, b.dbf);
    rewind_records(r);
    std::vector<std::string> names;
    while (next_shape_record(r)) {
        read_attribute_record(r);
        names.push_back(field_text(r.record, r.fields[0], 160));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"one", "two", "thr"}));
    // Past the table's end every record reads empty.
    ASSERT_EQ(r.record.size(), 9u);
    read_attribute_record(r);
    EXPECT_EQ(field_text(r.record, r.fields[0], 160), "");
}

TEST(ShapefileReader, SkipsNullAndShortShapes) {
    ShapefileData d;
    d.shape_type = 3;
    ShpRecord null_shape;
    null_shape.shape_type = 0;
    d.records = {null_shape, line_record({{0, 0}, {1, 1}})};
    ShapefileReader r;
    open_data(r, d);
    rewind_records(r);
    PolyShape poly;
    PointShape point;
    ASSERT_TRUE(next_shape_record(r));
    EXPECT_EQ(r.content.size(), 4u);
    EXPECT_FALSE(read_poly_shape(r, poly));
    EXPECT_FALSE(read_point_shape(r, point));
    ASSERT_TRUE(next_shape_record(r));
    ASSERT_TRUE(read_poly_shape(r, poly));
    EXPECT_EQ(poly.part_count(), 1);
    EXPECT_EQ(poly.point_count(), 2);
    EXPECT_EQ(poly.point(1).x, 1);
}

TEST(ShapefileReader, RefusesCountsThatDoNotFitTheContent) {
    ShapefileData d;
    d.shape_type = 3;
    d.records = {line_record({{0, 0}, {1, 1}, {2, 2}})};
    ShapefileBytes b = build_shapefile(d);
    const size_t content = 100 + 8;
    ShapefileReader r;
    // Point count one too many; then a huge part count; then a negative point count.
    const std::pair<size_t, uint32_t> corruptions[] = {{40, 4}, {36, 0x7FFFFFFF}, {40, 0xFFFFFFFF}};
    for (auto [at, value] : corruptions) {
        std::vector<uint8_t> shp = b.shp;
        put_le32(shp.data() + content + at, value);
        open_shapefile_bytes(r, shp, b.shx, b.dbf);
        rewind_records(r);
        ASSERT_TRUE(next_shape_record(r));
        PolyShape poly;
        EXPECT_FALSE(read_poly_shape(r, poly)) << "field at " << at;
    }
    // A content length that claims more than the file holds is cut at the end of the file.
    std::vector<uint8_t> shp = b.shp;
    put_be32(shp.data() + 100 + 4, 0x7FFFFFFF);
    open_shapefile_bytes(r, shp, b.shx, b.dbf);
    rewind_records(r);
    int32_t words = 0;
    ASSERT_TRUE(next_shape_record(r, &words));
    EXPECT_EQ(words, 0x7FFFFFFF);
    EXPECT_EQ(r.content.size(), shp.size() - 108);
}

TEST(ShapefileReader, OpensThreeFilesOrNone) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "plotwell_reader_test";
    std::filesystem::create_directories(dir);
    ShapefileData d;
    d.shape_type = 1;
    d.fields = {{"NAME", 'C', 8}};
    d.records = {point_record(7, 8, {"x"})};
    const std::string base = (dir / "pts").string();
    ASSERT_TRUE(write_shapefile(base, d));
    ShapefileReader r;
    ASSERT_TRUE(open_shapefile(r, base).ok);
    EXPECT_EQ(r.field_count, 1);
    EXPECT_EQ(count_records(r), 1);
    std::filesystem::rename(base + ".shx", base + ".SHX");
    ASSERT_TRUE(open_shapefile(r, base).ok);
    EXPECT_EQ(count_records(r), 1);
    std::filesystem::remove(base + ".dbf");
    const Result opened = open_shapefile(r, base);
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.message, "Cannot open " + base + ".dbf");
    EXPECT_EQ(r.field_count, 0);
    EXPECT_FALSE(r.main_file.is_open());
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace plotwell::test

// The main file and its index: shape type, record locations and the content of each record.
#include <cstring>

#include "model/bytes.h"
#include "shapefile/shapefile_reader.h"

namespace plotwell {

namespace {
constexpr size_t kMainHeaderSize = 100;
constexpr size_t kIndexEntrySize = 8;
constexpr size_t kRecordHeaderSize = 8;
constexpr size_t kPolyHeadSize = 44;

double get_le_double(const uint8_t* p) {
    const uint64_t bits = uint64_t(get_le32(p)) | (uint64_t(get_le32(p + 4)) << 32);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
}  // namespace

int32_t shape_type(const ShapefileReader& reader) {
    ByteReader in(reader.main_file.bytes());
    const uint8_t* header = in.at(0, kMainHeaderSize);
    return header ? get_le32s(header + 32) : 0;
}

int shape_dimension(const ShapefileReader& reader) {
    return shape_type_dimension(shape_type(reader));
}

int shape_type_dimension(int32_t type) {
    switch (type) {
        case kShapePoint:
            return 0;
        case kShapePolyLine:
            return 1;
        case kShapePolygon:
            return 2;
        default:
            return -1;
    }
}

int count_records(const ShapefileReader& reader) {
    const size_t size = reader.index_file.size();
    if (size < kMainHeaderSize) return 0;
    const size_t n = (size - kMainHeaderSize) / kIndexEntrySize;
    return n > size_t(INT32_MAX) ? INT32_MAX : int(n);
}

void rewind_records(ShapefileReader& reader) {
    reader.index_pos = kMainHeaderSize;
    reader.attribute_pos = reader.header_length;
    reader.content = {};
}

bool next_shape_record(ShapefileReader& reader, int32_t* content_words) {
    ByteReader index(reader.index_file.bytes());
    const uint8_t* entry = index.at(reader.index_pos, kIndexEntrySize);
    if (!entry) return false;
    reader.index_pos += kIndexEntrySize;
    reader.content = {};

    // Offsets and lengths count 16-bit words; a negative value cannot locate anything.
    const int32_t offset_words = int32_t(get_be32(entry));
    int32_t words = 0;
    const std::span<const uint8_t> main = reader.main_file.bytes();
    ByteReader shp(main);
    if (offset_words >= 0) {
        const size_t record_at = size_t(offset_words) * 2;
        if (const uint8_t* header = shp.at(record_at, kRecordHeaderSize)) {
            words = int32_t(get_be32(header + 4));
            const size_t content_at = record_at + kRecordHeaderSize;
            const size_t declared = words > 0 ? size_t(words) * 2 : 0;
            const size_t available = main.size() - content_at;
            reader.content = main.subspan(content_at, declared < available ? declared : available);
        }
    }
    if (content_words) *content_words = words;
    return true;
}

bool read_point_shape(const ShapefileReader& reader, PointShape& out) {
    return read_point_shape(reader.content, out);
}

bool read_point_shape(std::span<const uint8_t> content, PointShape& out) {
    ByteReader in(content);
    const uint8_t* p = in.at(0, 20);
    if (!p || get_le32s(p) == kShapeNull) return false;
    out.x = get_le_double(p + 4);
    out.y = get_le_double(p + 12);
    return true;
}

bool read_poly_shape(const ShapefileReader& reader, PolyShape& out) {
    return read_poly_shape(reader.content, out);
}

bool read_poly_shape(std::span<const uint8_t> content, PolyShape& out) {
    out = PolyShape();
    ByteReader in(content);
    const uint8_t* head = in.at(0, kPolyHeadSize);
    if (!head) return false;
    const int32_t type = get_le32s(head);
    const int32_t parts = get_le32s(head + 36);
    const int32_t points = get_le32s(head + 40);
    if (type == kShapeNull || parts < 0 || points < 0) return false;
    // 64-bit arithmetic: the declared counts alone may describe far more than the content holds.
    const uint64_t needed = kPolyHeadSize + 4 * uint64_t(parts) + 16 * uint64_t(points);
    if (needed > content.size()) return false;
    out.content_ = content;
    out.shape_type_ = type;
    out.part_count_ = parts;
    out.point_count_ = points;
    return true;
}

int32_t PolyShape::part_start(int32_t i) const {
    return get_le32s(content_.data() + kPolyHeadSize + 4 * size_t(i));
}

PointShape PolyShape::point(int32_t j) const {
    const uint8_t* p = content_.data() + kPolyHeadSize + 4 * size_t(part_count_) + 16 * size_t(j);
    return {get_le_double(p), get_le_double(p + 8)};
}

}  // namespace plotwell

// One shapefile opened for import: the main file (.shp), its index (.shx) and the attribute table (.dbf).
// Records are handed out one after the other: the index entry locates the shape, the attribute record
// of the same position belongs to it. Every offset, length and count read from the files is checked
// against the bytes that are there; a record's content never extends past its declared length or the
// end of the main file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"
#include "shapefile/mapped_file.h"

namespace plotwell {

struct DbfField {
    std::string name;  // descriptor bytes 0..10 up to the first NUL
    int offset = 1;    // inside an attribute record; byte 0 is the deletion flag
    uint8_t length = 0;
    char type = 'C';  // the dBASE type letter
};

inline constexpr int kMaxListedFields = 8;

// The user's choice of name or link fields, in the order chosen.
struct FieldList {
    const DbfField* entries[kMaxListedFields] = {};
    int count = 0;
};

struct ShapefileReader {
    FileBytes main_file;
    FileBytes index_file;
    FileBytes attribute_file;
    std::vector<DbfField> fields;
    int field_count = 0;
    uint16_t header_length = 0;
    uint16_t record_length = 0;
    std::vector<uint8_t> record;  // the current attribute record, record_length bytes

    // Cursors of the record sequence.
    size_t index_pos = 100;
    size_t attribute_pos = 0;
    // Content of the current shape record: the declared content as far as the main file holds it.
    std::span<const uint8_t> content;

    ShapefileReader() = default;
    ShapefileReader(const ShapefileReader&) = delete;
    ShapefileReader& operator=(const ShapefileReader&) = delete;
};

// Opens BASE.shp, BASE.shx and BASE.dbf (each also with its extension in capitals) and reads the
// attribute table's layout. Fails when any of the three cannot be opened; the reader is then closed and
// the message names the file.
Result open_shapefile(ShapefileReader& reader, const std::string& base_path);
// The same over bytes already in memory.
void open_shapefile_bytes(ShapefileReader& reader, std::vector<uint8_t> shp, std::vector<uint8_t> shx,
                          std::vector<uint8_t> dbf);
void close_shapefile(ShapefileReader& reader);

// --- main file and index ---------------------------------------------------------------------------
inline constexpr int kShapeNull = 0;
inline constexpr int kShapePoint = 1;
inline constexpr int kShapePolyLine = 3;
inline constexpr int kShapePolygon = 5;

// 0 POINT, 1 LINE, 2 POLYGON for the shape types Point, PolyLine and Polygon; -1 for any other type and
// for a main file too short to hold its header.
int shape_dimension(const ShapefileReader& reader);
// The same for a shape type word.
int shape_type_dimension(int32_t type);
// The shape type word of the main file's header (0 when the header is missing).
int32_t shape_type(const ShapefileReader& reader);
// (length of the index file - 100) / 8, or 0 for an index shorter than its header.
int count_records(const ShapefileReader& reader);
// Positions the index at its first entry and the attribute table at its first record.
void rewind_records(ShapefileReader& reader);
// False when fewer than 8 bytes of the index remain (the end of the records). Otherwise locates the
// next record, sets `reader.content` to its content (cut to what the main file holds; empty when the
// record lies outside the file) and returns true with the declared content length in 16-bit words.
bool next_shape_record(ShapefileReader& reader, int32_t* content_words = nullptr);

struct PointShape {
    double x = 0;
    double y = 0;
};
// False for a null shape or a content too short for a point; the record is then to be skipped.
[[nodiscard]] bool read_point_shape(const ShapefileReader& reader, PointShape& out);
// The same over a record content in the shapefile layout from any source.
[[nodiscard]] bool read_point_shape(std::span<const uint8_t> content, PointShape& out);

// A PolyLine or Polygon content whose part and point counts have been checked to fit the content.
class PolyShape {
  public:
    int32_t shape_type() const { return shape_type_; }
    int32_t part_count() const { return part_count_; }
    int32_t point_count() const { return point_count_; }
    // Index of the first point of part i (0 <= i < part_count); not checked against point_count.
    int32_t part_start(int32_t i) const;
    // Point j (0 <= j < point_count).
    PointShape point(int32_t j) const;

  private:
    friend bool read_poly_shape(std::span<const uint8_t> content, PolyShape& out);
    std::span<const uint8_t> content_;
    int32_t shape_type_ = 0;
    int32_t part_count_ = 0;
    int32_t point_count_ = 0;
};
// False for a null shape, a content shorter than its 44-byte head, or counts that are negative or do
// not fit the content; the record is then to be skipped.
[[nodiscard]] bool read_poly_shape(const ShapefileReader& reader, PolyShape& out);
[[nodiscard]] bool read_poly_shape(std::span<const uint8_t> content, PolyShape& out);

// --- attribute table -------------------------------------------------------------------------------
// Reads the attribute table's header and field descriptors (part of opening).
void read_dbf_layout(ShapefileReader& reader);
// Index of the first field whose name equals `name` ignoring ASCII case, or -1.
int find_field(const ShapefileReader& reader, std::string_view name);
// The fields at the given indices; indices outside the table are left out, at most 8 entries.
FieldList make_field_list(const ShapefileReader& reader, const int* indices, int count);
// Reads the next attribute record into `reader.record`. Past the end of the table the record is all
// zero bytes, so every field reads as empty text.
void read_attribute_record(ShapefileReader& reader);

}  // namespace plotwell

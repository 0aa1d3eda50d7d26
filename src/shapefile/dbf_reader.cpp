// The attribute table: field descriptors and the record sequence.
#include <algorithm>
#include <cstring>

#include "model/bytes.h"
#include "model/text.h"
#include "shapefile/shapefile_reader.h"

namespace plotwell {

namespace {
constexpr size_t kDbfHeaderSize = 32;
constexpr size_t kDescriptorSize = 32;
constexpr uint8_t kHeaderTerminator = 0x0D;
}  // namespace

// Reads the header and the field descriptors. A table too short for its header reads as having no
// fields and empty records; descriptors stop at the terminator, at the count the header length allows,
// or where the file ends, whichever comes first, so a huge header length allocates nothing extra.
void read_dbf_layout(ShapefileReader& reader) {
    ByteReader in(reader.attribute_file.bytes());
    reader.fields.clear();
    reader.header_length = 0;
    reader.record_length = 0;
    if (const uint8_t* header = in.at(0, kDbfHeaderSize)) {
        reader.header_length = get_le16(header + 8);
        reader.record_length = get_le16(header + 10);
    }
    reader.record.assign(reader.record_length, 0);

    const int expected = reader.header_length >= kDbfHeaderSize
                             ? (reader.header_length - kDbfHeaderSize) / kDescriptorSize
                             : 0;
    int offset = 1;
    for (int i = 0; i < expected; ++i) {
        const uint8_t* d = in.at(kDbfHeaderSize + kDescriptorSize * size_t(i), kDescriptorSize);
        if (!d || d[0] == kHeaderTerminator) break;
        DbfField field;
        const void* nul = std::memchr(d, 0, 11);
        field.name.assign(reinterpret_cast<const char*>(d),
                          nul ? size_t(static_cast<const uint8_t*>(nul) - d) : 11);
        field.type = char(d[11]);
        field.length = d[16];
        field.offset = offset;
        offset += field.length;
        reader.fields.push_back(std::move(field));
    }
    reader.field_count = int(reader.fields.size());
}

int find_field(const ShapefileReader& reader, std::string_view name) {
    for (int i = 0; i < reader.field_count; ++i)
        if (equal_ignoring_case(reader.fields[size_t(i)].name, name)) return i;
    return -1;
}

FieldList make_field_list(const ShapefileReader& reader, const int* indices, int count) {
    FieldList list;
    for (int i = 0; i < count && list.count < kMaxListedFields; ++i) {
        if (indices[i] < 0 || indices[i] >= reader.field_count) continue;
        list.entries[list.count++] = &reader.fields[size_t(indices[i])];
    }
    return list;
}

void read_attribute_record(ShapefileReader& reader) {
    const std::span<const uint8_t> table = reader.attribute_file.bytes();
    const size_t length = reader.record.size();
    size_t available = 0;
    if (reader.attribute_pos < table.size())
        available = std::min(length, table.size() - reader.attribute_pos);
    if (available) std::memcpy(reader.record.data(), table.data() + reader.attribute_pos, available);
    std::fill(reader.record.begin() + std::ptrdiff_t(available), reader.record.end(), uint8_t(0));
    reader.attribute_pos += length;
}

}  // namespace plotwell

#include "support/shapefile_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "model/bytes.h"
#include "support/project_file_builders.h"  // write_bytes

namespace plotwell::test {

namespace {
void put_double(ByteBuffer& b, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    b.put_le32(uint32_t(bits));
    b.put_le32(uint32_t(bits >> 32));
}

void put_main_header(ByteBuffer& b, int32_t shape_type, size_t file_bytes) {
    b.put_be32(9994);
    b.put_zeros(20);
    b.put_be32(uint32_t(file_bytes / 2));
    b.put_le32(1000);
    b.put_le32(uint32_t(shape_type));
    for (int i = 0; i < 8; ++i) put_double(b, 0);
}

ByteBuffer record_content(int32_t file_type, const ShpRecord& r) {
    ByteBuffer c;
    const int32_t type = r.shape_type < 0 ? file_type : r.shape_type;
    c.put_le32(uint32_t(type));
    if (type == 0) return c;
    if (type == 1) {
        const XY p = !r.parts.empty() && !r.parts[0].empty() ? r.parts[0][0] : XY{};
        put_double(c, p.x);
        put_double(c, p.y);
        return c;
    }
    double box[4] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                     std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
    size_t n = 0;
    for (const auto& part : r.parts) {
        for (const XY& p : part) {
            box[0] = std::min(box[0], p.x);
            box[1] = std::min(box[1], p.y);
            box[2] = std::max(box[2], p.x);
            box[3] = std::max(box[3], p.y);
        }
        n += part.size();
    }
    if (n == 0) std::fill(box, box + 4, 0.0);
    for (double v : box) put_double(c, v);
    c.put_le32(uint32_t(r.parts.size()));
    c.put_le32(uint32_t(n));
    uint32_t first = 0;
    for (const auto& part : r.parts) {
        c.put_le32(first);
        first += uint32_t(part.size());
    }
    for (const auto& part : r.parts)
        for (const XY& p : part) {
            put_double(c, p.x);
            put_double(c, p.y);
        }
    return c;
}
}  // namespace

ShapefileBytes build_shapefile(const ShapefileData& data) {
    ByteBuffer shp_records, shx_entries;
    size_t offset = 100;
    for (size_t i = 0; i < data.records.size(); ++i) {
        const ByteBuffer c = record_content(data.shape_type, data.records[i]);
        shp_records.put_be32(uint32_t(i + 1));
        shp_records.put_be32(uint32_t(c.size() / 2));
        shp_records.put_bytes(c.bytes.data(), c.size());
        shx_entries.put_be32(uint32_t(offset / 2));
        shx_entries.put_be32(uint32_t(c.size() / 2));
        offset += 8 + c.size();
    }
    ShapefileBytes out;
    ByteBuffer shp, shx;
    put_main_header(shp, data.shape_type, 100 + shp_records.size());
    shp.put_bytes(shp_records.bytes.data(), shp_records.size());
    put_main_header(shx, data.shape_type, 100 + shx_entries.size());
    shx.put_bytes(shx_entries.bytes.data(), shx_entries.size());
    out.shp = std::move(shp.bytes);
    out.shx = std::move(shx.bytes);

    ByteBuffer dbf;
    size_t record_length = 1;
    for (const ShpField& f : data.fields) record_length += f.length;
    dbf.put_u8(0x03);
    dbf.put_u8(126);
    dbf.put_u8(1);
    dbf.put_u8(1);
    dbf.put_le32(uint32_t(data.records.size()));
    dbf.put_le16(uint16_t(32 + 32 * data.fields.size() + 1));
    dbf.put_le16(uint16_t(record_length));
    dbf.put_zeros(20);
    for (const ShpField& f : data.fields) {
        char name[11] = {};
        std::memcpy(name, f.name.data(), std::min<size_t>(f.name.size(), 11));
        dbf.put_bytes(name, 11);
        dbf.put_u8(uint8_t(f.type));
        dbf.put_zeros(4);
        dbf.put_u8(f.length);
        dbf.put_u8(0);
        dbf.put_zeros(14);
    }
    dbf.put_u8(0x0D);
    for (const ShpRecord& r : data.records) {
        dbf.put_u8(' ');
        for (size_t i = 0; i < data.fields.size(); ++i) {
            const ShpField& f = data.fields[i];
            std::string v = i < r.values.size() ? r.values[i] : std::string();
            if (v.size() > f.length) v.resize(f.length);
            const std::string pad(f.length - v.size(), ' ');
            v = f.type == 'C' ? v + pad : pad + v;
            dbf.put_bytes(v.data(), v.size());
        }
    }
    dbf.put_u8(0x1A);
    out.dbf = std::move(dbf.bytes);
    return out;
}

bool write_shapefile(const std::string& base_path, const ShapefileBytes& bytes) {
    return write_bytes(base_path + ".shp", bytes.shp) && write_bytes(base_path + ".shx", bytes.shx) &&
           write_bytes(base_path + ".dbf", bytes.dbf);
}

bool write_shapefile(const std::string& base_path, const ShapefileData& data) {
    return write_shapefile(base_path, build_shapefile(data));
}

ShpRecord point_record(double x, double y, std::vector<std::string> values) {
    ShpRecord r;
    r.parts = {{XY{x, y}}};
    r.values = std::move(values);
    return r;
}

ShpRecord line_record(std::vector<XY> points, std::vector<std::string> values) {
    ShpRecord r;
    r.parts = {std::move(points)};
    r.values = std::move(values);
    return r;
}

ShpRecord parts_record(std::vector<std::vector<XY>> parts, std::vector<std::string> values) {
    ShpRecord r;
    r.parts = std::move(parts);
    r.values = std::move(values);
    return r;
}

}  // namespace plotwell::test

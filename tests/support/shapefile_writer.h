// Writes small shapefiles (.shp, .shx, .dbf) for tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plotwell::test {

struct XY {
    double x = 0;
    double y = 0;
};

struct ShpField {
    std::string name;
    char type = 'C';
    uint8_t length = 10;
};

struct ShpRecord {
    int32_t shape_type = -1;             // -1: the file's shape type; 0 writes a null shape
    std::vector<std::vector<XY>> parts;  // a Point record uses parts[0][0]
    std::vector<std::string> values;  // one per field; "C" values are padded on the right, others on the left
};

struct ShapefileData {
    int32_t shape_type = 3;  // 1 Point, 3 PolyLine, 5 Polygon, or anything else
    std::vector<ShpField> fields;
    std::vector<ShpRecord> records;
};

struct ShapefileBytes {
    std::vector<uint8_t> shp;
    std::vector<uint8_t> shx;
    std::vector<uint8_t> dbf;
};

ShapefileBytes build_shapefile(const ShapefileData& data);
// Writes BASE.shp, BASE.shx and BASE.dbf; false when a file cannot be written.
bool write_shapefile(const std::string& base_path, const ShapefileData& data);
bool write_shapefile(const std::string& base_path, const ShapefileBytes& bytes);

// Short builders.
ShpRecord point_record(double x, double y, std::vector<std::string> values = {});
ShpRecord line_record(std::vector<XY> points, std::vector<std::string> values = {});
ShpRecord parts_record(std::vector<std::vector<XY>> parts, std::vector<std::string> values = {});

}  // namespace plotwell::test

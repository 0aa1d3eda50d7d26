#include "shapefile/shapefile_reader.h"

namespace plotwell {

namespace {
void reset_cursors(ShapefileReader& reader) {
    reader.index_pos = 100;
    reader.attribute_pos = reader.header_length;
    reader.content = {};
}
}  // namespace

Result open_shapefile(ShapefileReader& reader, const std::string& base_path) {
    close_shapefile(reader);
    static const char* const kExtensions[3] = {".shp", ".shx", ".dbf"};
    static const char* const kUpperExtensions[3] = {".SHP", ".SHX", ".DBF"};
    FileBytes* files[3] = {&reader.main_file, &reader.index_file, &reader.attribute_file};
    for (int i = 0; i < 3; ++i) {
        // Shapefiles copied from case-blind file systems often carry upper-case extensions.
        if (!files[i]->open(base_path + kExtensions[i]) && !files[i]->open(base_path + kUpperExtensions[i])) {
            close_shapefile(reader);
            return failure("Cannot open " + base_path + kExtensions[i]);
        }
    }
    read_dbf_layout(reader);
    reset_cursors(reader);
    return success();
}

void open_shapefile_bytes(ShapefileReader& reader, std::vector<uint8_t> shp, std::vector<uint8_t> shx,
                          std::vector<uint8_t> dbf) {
    close_shapefile(reader);
    reader.main_file.assign(std::move(shp));
    reader.index_file.assign(std::move(shx));
    reader.attribute_file.assign(std::move(dbf));
    read_dbf_layout(reader);
    reset_cursors(reader);
}

void close_shapefile(ShapefileReader& reader) {
    reader.main_file.close();
    reader.index_file.close();
    reader.attribute_file.close();
    reader.fields.clear();
    reader.field_count = 0;
    reader.header_length = 0;
    reader.record_length = 0;
    reader.record.clear();
    reset_cursors(reader);
}

}  // namespace plotwell

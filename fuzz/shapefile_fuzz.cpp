// Feeds arbitrary bytes to the shapefile reader and the whole import. The input is cut into the three
// files by two leading 16-bit lengths (main file, index), then an options byte and a layers byte; the
// rest is the attribute table. Options 0 imports with the settings the dialog starts from; the other
// bits switch on name and link fields, translations and the multipart policy so every path is reached.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/bytes.h"
#include "model/object_storage.h"
#include "shapefile/field_text.h"
#include "shapefile/shapefile_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace plotwell;
    if (size < 6) return 0;
    const size_t shp_size = std::min<size_t>(get_le16(data), size - 6);
    const size_t shx_size = std::min<size_t>(get_le16(data + 2), size - 6 - shp_size);
    const uint8_t options = data[4];
    const uint8_t layers = data[5];
    const uint8_t* p = data + 6;
    std::vector<uint8_t> shp(p, p + shp_size);
    std::vector<uint8_t> shx(p + shp_size, p + shp_size + shx_size);
    std::vector<uint8_t> dbf(p + shp_size + shx_size, data + size);

    ShapefileReader reader;
    open_shapefile_bytes(reader, std::move(shp), std::move(shx), std::move(dbf));
    Project project;
    project.layer_count = layers % 3;
    project.coord_sys = options & 1;
    ShapeImportSettings s = default_import_settings(project, reader, "fuzz", 0);
    // Options 0 is the import exactly as the dialog starts it.
    if (options & 128)
        for (int i = 0; i < std::min(reader.field_count, 2); ++i)
            s.name_fields.indices[s.name_fields.count++] = i;
    if (options & 2 && reader.field_count > 0) s.link_fields = {{reader.field_count - 1}, 1};
    if (options & 4 && reader.field_count > 0) {
        s.type_translation.kind = (options & 8) ? kStringTable : kNumericRanges;
        s.type_translation.field_index = 0;
        s.type_translation.entry_count = 1;
        s.type_translation.ranges[0] = {-1e9f, 1e9f, 0};
    }
    s.multipart_policy = (options & 16) ? kCcwPartsGetCcwType : kSameTypeForEachPart;
    s.filter_outside_range = (options & 32) ? 1 : 0;
    s.multiply_x = s.multiply_y = (options & 64) ? 1000000 : 1;
    NullProgressSink sink;
    std::atomic<bool> running{true};
    run_shapefile_import(project, reader, s, sink, running);
    return 0;
}

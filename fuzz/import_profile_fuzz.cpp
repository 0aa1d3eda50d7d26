// Any text as an import profile, applied against a small attribute table: refused with "line N: ..." and
// the settings untouched, or applied; an applied profile written back out must apply again.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/records.h"
#include "shapefile/import_profile.h"
#include "shapefile/shapefile_import.h"

namespace {

// A dBASE table with the fields NAME (C 20), CLASS (C 10), KIND (N 5) and no records.
std::vector<uint8_t> small_table() {
    const char* names[] = {"NAME", "CLASS", "KIND"};
    const char types[] = {'C', 'C', 'N'};
    const uint8_t lengths[] = {20, 10, 5};
    const int fields = 3;
    std::vector<uint8_t> dbf(32 + 32 * fields + 1, 0);
    dbf[0] = 3;
    const uint16_t header = uint16_t(dbf.size());
    const uint16_t record = 1 + 20 + 10 + 5;
    dbf[8] = uint8_t(header & 0xFF);
    dbf[9] = uint8_t(header >> 8);
    dbf[10] = uint8_t(record & 0xFF);
    dbf[11] = uint8_t(record >> 8);
    for (int i = 0; i < fields; ++i) {
        uint8_t* d = dbf.data() + 32 + 32 * i;
        std::memcpy(d, names[i], std::strlen(names[i]));
        d[11] = uint8_t(types[i]);
        d[16] = lengths[i];
    }
    dbf.back() = 0x0D;
    return dbf;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace plotwell;
    static ShapefileReader reader;
    static bool opened = false;
    if (!opened) {
        open_shapefile_bytes(reader, {}, {}, small_table());
        opened = true;
    }
    Project project;
    project.layer_count = 3;
    const int dimension = size > 0 ? data[0] % 3 : 1;
    ShapeImportSettings settings = default_import_settings(project, reader, "fuzz", 0);
    settings.dimension = dimension;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!apply_import_profile(text, reader, settings).ok) return 0;

    const std::string written = write_import_profile(settings, reader);
    ShapeImportSettings again = default_import_settings(project, reader, "fuzz", 0);
    again.dimension = dimension;
    if (!apply_import_profile(written, reader, again).ok) __builtin_trap();
    return 0;
}

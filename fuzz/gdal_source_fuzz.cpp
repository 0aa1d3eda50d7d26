// Any bytes as a GeoJSON, GPX, KML, OpenStreetMap, CSV or GeoPackage source, opened through GDAL and
// imported by the same engine as shapefiles. The first byte picks the format (by file name extension),
// the second the project and settings; the rest is the file, served from memory. GDAL's own parsers are
// not instrumented: what is searched here is our side (the feature adapter, the text conversion, the
// layout a layer is read into, the engine over it), and a project that must come out sound.
#include <cpl_vsi.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "monkey/monkey_invariants.h"
#include "shapefile/shapefile_import.h"
#include "shapefile/vector_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace plotwell;
    if (size < 2) return 0;
    static const char* const kExtensions[] = {"geojson", "gpx", "kml", "osm", "csv", "gpkg"};
    const std::string path = std::string("/vsimem/fuzz.") + kExtensions[data[0] % 6];
    const uint8_t options = data[1];
    VSIFCloseL(VSIFileFromMemBuffer(path.c_str(), const_cast<GByte*>(data + 2), size - 2, FALSE));

    Project project;
    std::memcpy(project.file_base_name, "fuzz", 5);
    project.layer_count = 1 + (options >> 6);
    project.coord_sys = (options & 1) ? kCoordDegrees : kCoordArbitrary;
    VectorSourceOptions chosen;
    const std::vector<std::string> names = source_layer_names(path);
    if (!names.empty()) chosen.layer = names[((options >> 1) & 7) % names.size()];
    chosen.reproject = (options & 16) ? Reprojection::always : Reprojection::as_needed;
    std::unique_ptr<VectorSource> source;
    if (open_vector_source(path, project, chosen, source).ok) {
        const ShapefileReader& layout = source->records->layout();
        if (shape_dimension(layout) >= 0) {
            ShapeImportSettings s = default_import_settings(project, layout, "fuzz", 0);
            if (options & 32)
                for (int i = 0; i < std::min(layout.field_count, 2); ++i)
                    s.name_fields.indices[s.name_fields.count++] = i;
            NullProgressSink sink;
            std::atomic<bool> running{true};
            if (degree_refusal(*source, project, s).ok)
                run_record_import(project, *source->records, s, sink, running);
            const EditorState editor;
            if (monkey::check_state(project, editor) || monkey::check_round_trip(project)) __builtin_trap();
        }
    }
    source.reset();
    VSIUnlink(path.c_str());
    return 0;
}

// Feeds arbitrary bytes to the project file readers: they must refuse or read soundly, never step
// outside the buffer.
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/records.h"
#include "project/project_file.h"
#include "project/project_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    plotwell::NullProgressSink quiet;
    plotwell::Project project;
    plotwell::ProjectFileReport report;
    (void)plotwell::load_project_from_bytes(project, bytes, quiet, &report);  // any answer will do; no crash
    plotwell::Layer layers[plotwell::kMaxLayers];
    plotwell::read_project_layers_from_bytes(bytes, layers);

    // The import reads the same bytes straight into the layers of an open project.
    plotwell::Project open;
    open.coord_sys = size > 3 ? data[3] : 0;
    open.layer_count = 2;
    plotwell::LayerMapping mapping;
    for (int i = 0; i < plotwell::kMaxMappedLayers; ++i) mapping.destination[i] = i % 3 - 1;
    plotwell::import_project_bytes(open, bytes, mapping, quiet);
    return 0;
}

// Feeds arbitrary bytes to the project file readers: they must refuse or read soundly, never step
// outside the buffer.
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/records.h"
#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    plotwell::NullProgressSink quiet;
    plotwell::Project project;
    plotwell::ProjectFileReport report;
    plotwell::load_project_from_bytes(project, bytes, quiet, &report);
    plotwell::Layer layers[plotwell::kMaxLayers];
    plotwell::read_project_layers_from_bytes(bytes, layers);
    return 0;
}

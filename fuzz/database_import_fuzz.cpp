// Any bytes as a map database taken back into a project, then merged into a project of three layers.
// Whatever the file holds, the projects must come out sound: object blocks that match their records,
// lists that match their counts, and a project that saves and loads back to the same contents.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "editor/editor_state.h"
#include "export/database_import.h"
#include "monkey/monkey_invariants.h"
#include "project/layer_mapping.h"

namespace {

void require_sound(const plotwell::Project& project) {
    const plotwell::EditorState editor;
    if (plotwell::monkey::check_state(project, editor) || plotwell::monkey::check_round_trip(project))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace plotwell;
    Project source;
    const DatabaseImport imported = import_database(std::span<const uint8_t>(data, size), source);
    if (!imported.ok) return 0;
    std::memcpy(source.file_base_name, "fuzz", 5);
    require_sound(source);

    Project project;
    std::memcpy(project.file_base_name, "merged", 7);
    project.coord_sys = imported.degrees ? kCoordDegrees : kCoordArbitrary;
    project.layer_count = 3;
    LayerMapping mapping;
    match_themes(source.layers, source.layer_count, project, mapping);
    NullProgressSink sink;
    merge_database_project(project, source, mapping, sink);
    require_sound(project);
    return 0;
}

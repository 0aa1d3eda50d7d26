#include "export/data_area_use.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "export/build_data.h"
#include "export/export_driver.h"
#include "export/map_fit.h"
#include "export/scaling.h"
#include "model/text.h"

namespace plotwell {

namespace {
const char* const kClassWords[kMapClassCount] = {"Small", "Medium", "Large"};

int percent(int64_t used, int64_t capacity) {
    return capacity > 0 ? int(used * 100 / capacity) : 0;
}

// Builds the working copies again where there is room for far more than any map class holds.
ExportState measured_build(const ExportState& state, const ExportSettings& settings) {
    ExportState measured = state;
    measured.capacity = measured.area_size = kMeasureAreaSize;
    for (CellTable& table : measured.layer_tables) table = make_cell_table(table.kind);
    NullProgressSink quiet;
    static const MapIdTable kNoMapIds;
    (void)build_data(measured, settings, kNoMapIds, quiet);  // what was stored counts either way
    return measured;
}

std::vector<LayerUse> largest_layers(const ExportState& state, const Project& project,
                                     const ExportSettings& settings) {
    std::vector<LayerUse> layers;
    for (size_t i = 0; i < state.layer_bytes.size(); ++i) {
        if (state.layer_bytes[i] == 0) continue;
        const bool region_tree = i == size_t(settings.visible_layer_count);
        layers.push_back({region_tree
                              ? std::string("(region tree)")
                              : std::string(field_text(project.layers[settings.visible_layers[i]].name)),
                          state.layer_bytes[i]});
    }
    std::stable_sort(layers.begin(), layers.end(),
                     [](const LayerUse& a, const LayerUse& b) { return a.bytes > b.bytes; });
    if (layers.size() > size_t(kLargestLayersShown)) layers.resize(size_t(kLargestLayersShown));
    return layers;
}

std::string layer_lines(const std::vector<LayerUse>& layers, int32_t capacity, const char* indent = "") {
    std::string text;
    for (const LayerUse& layer : layers) {
        char line[160];
        std::snprintf(line, sizeof line, "%sLayer %s: %d bytes (%d%%)\r\n", indent, layer.name.c_str(),
                      layer.bytes, percent(layer.bytes, capacity));
        text += line;
    }
    return text;
}
}  // namespace

std::string output_units_text(double amount) {
    char text[48];
    const auto end = std::to_chars(text, text + sizeof text, amount, std::chars_format::fixed, 2).ptr;
    return std::string(text, end);
}

std::string data_area_line(int64_t used, int64_t capacity) {
    char line[96];
    std::snprintf(line, sizeof line, "Data area: %d of %d bytes (%d%%)\r\n", int(used), int(capacity),
                  percent(used, capacity));
    return line;
}

void log_data_area(const ExportState& state, ProgressSink& sink) {
    sink.log_line(data_area_line(state.write_pos, state.capacity));
}

void log_data_area_shortage(const ExportState& state, const Project& project, const ExportSettings& settings,
                            ProgressSink& sink) {
    const ExportState measured = measured_build(state, settings);
    sink.log_line(data_area_line(measured.write_pos, state.capacity));
    sink.log_line(layer_lines(largest_layers(measured, project, settings), state.capacity));
}

DataAreaUse measure_data_area(const Project& project, const ExportSettings& settings, int16_t map_class,
                              const Rect& selection) {
    DataAreaUse use;
    use.map_class = map_class;
    ExportSettings chosen = settings;
    chosen.map_class = map_class;
    if (const Result checked = check_export_settings(chosen, project); !checked.ok) {
        use.problem = checked.message;
        return use;
    }
    ExportState state;
    set_export_bounds(state, project, chosen, selection);
    if (int64_t(state.bounds[2]) - state.bounds[0] <= 0 || int64_t(state.bounds[3]) - state.bounds[1] <= 0) {
        use.problem = "nothing to export, the coordinate range is empty";
        return use;
    }
    set_map_class(state, map_class);
    use.capacity = state.capacity;
    compute_export_scale(state, project.coord_sys);
    NullProgressSink quiet;
    scale_objects(state, project, chosen, quiet);
    make_layer_tables(state, chosen);
    use.fitted = chosen.fit.fit_map_class;
    use.tolerance = make_map_fit(state, chosen, quiet);
    const ExportState measured = measured_build(state, chosen);
    use.used = measured.write_pos;
    if (!use.fits()) use.largest = largest_layers(measured, project, chosen);
    return use;
}

std::string format_data_area_use(const DataAreaUse& use) {
    const int c = std::clamp(use.map_class - kMapClassSmall, 0, kMapClassCount - 1);
    std::string text = std::string(kClassWords[c]) + ": ";
    if (!use.problem.empty()) return text + use.problem + "\r\n";
    text += data_area_line(use.used, use.capacity);
    if (use.tolerance > 0)
        text += "  simplified by " + output_units_text(use.tolerance) + " output units\r\n";
    return text + layer_lines(use.largest, use.capacity, "  ");
}

}  // namespace plotwell

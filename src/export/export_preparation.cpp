#include "export/export_preparation.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

#include "model/text.h"

namespace plotwell {

bool exportable_layer(const Project& project, int layer) {
    return layer >= 0 && layer < project.layer_count && layer < kMaxLayers && layer < kMaxExportLayers;
}

namespace {
// A name of blanks shows as no name at all on the handheld.
bool blank_text(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}
}  // namespace

ExportChoiceCheck check_export_choices(const ExportSettings& settings, const Project& project) {
    if (blank_text(field_text(settings.map_name)))
        return {false, kExportTabId, "You need to provide a map name."};
    if (settings.visible_layer_count <= 0)
        return {false, kExportTabLayers, "You need to add at least one layer"};
    if (settings.region_level_count > 0 && field_text(settings.region_level_name).empty())
        return {false, kExportTabRegions, "You need to supply names for the region level(s)"};
    // Only a project without layers gets here: the dialog's list offers nothing else.
    if (settings.region_level_count > 0 && !exportable_layer(project, settings.region_source_layer))
        return {false, kExportTabRegions, "The region level needs a source layer"};
    return {};
}

bool parse_fit_amount(std::string_view text, double& value) {
    double v = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, v, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || stop != end || !(v >= 0) || !std::isfinite(v)) return false;
    value = v;
    return true;
}

void take_position_from_range(Project& project) {
    if (project.coord_sys != kCoordDegrees) return;
    const CoordRange& r = project.range;
    project.geo.west = r.x_min;
    project.geo.east = int32_t(int64_t(r.x_min) + r.width);
    project.geo.south = r.y_min;
    project.geo.north = int32_t(int64_t(r.y_min) + r.height);
}

ExportInputs prepare_export(Project& project, const MapIdTable& map_ids, std::string publisher_notice,
                            std::string contact) {
    take_position_from_range(project);
    ExportInputs inputs;
    inputs.map_ids = &map_ids;
    inputs.publisher_notice = std::move(publisher_notice);
    inputs.contact = std::move(contact);
    return inputs;
}

}  // namespace plotwell

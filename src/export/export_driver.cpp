#include "export/export_driver.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "export/build_data.h"
#include "export/data_area_use.h"
#include "export/map_fit.h"
#include "export/scaling.h"
#include "model/text.h"

namespace plotwell {

void set_map_class(ExportState& state, int16_t map_class) {
    state.map_class = map_class;
    state.unit_shift = unit_shift_of(map_class);
    state.data_record_size = data_record_size_of(map_class);
    state.capacity = int32_t(131072) << (state.unit_shift - 1);
}

void set_export_bounds(ExportState& state, const Project& project, const ExportSettings& settings,
                       const Rect& selection) {
    if (settings.flags & kExportSelectionOnly) {
        state.bounds[0] = selection.x_min;
        state.bounds[1] = selection.y_min;
        state.bounds[2] = selection.x_max;
        state.bounds[3] = selection.y_max;
    } else {
        // Wrapping sums: a range that overflows comes out without extent and is refused.
        state.bounds[0] = project.range.x_min;
        state.bounds[1] = project.range.y_min;
        state.bounds[2] = int32_t(uint32_t(project.range.x_min) + uint32_t(project.range.width));
        state.bounds[3] = int32_t(uint32_t(project.range.y_min) + uint32_t(project.range.height));
    }
}

void make_layer_tables(ExportState& state, const ExportSettings& settings) {
    state.layer_tables.clear();
    for (int i = 0; i < settings.visible_layer_count; ++i)
        state.layer_tables.push_back(
            make_cell_table(settings.layer_props[settings.visible_layers[i]].single_list ? 1 : 5));
}

namespace {
// The file is opened (created when missing) but not truncated: the bytes go in only once the whole
// database is built, so a failed export never costs the user the map that was there.
bool open_output_file(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

void set_header_geo_bounds(ExportState& state, const Project& project) {
    if (project.geo.mode != kGeoScaleAndPos) {
        for (int32_t& v : state.header_geo) v = 0;
    } else if (project.coord_sys == kCoordDegrees) {
        for (int i = 0; i < 4; ++i) state.header_geo[i] = state.bounds[i];
    } else {
        state.header_geo[0] = project.geo.west;
        state.header_geo[1] = project.geo.south;
        state.header_geo[2] = project.geo.east;
        state.header_geo[3] = project.geo.north;
    }
}
}  // namespace

int run_export(const Project& project, const ExportSettings& settings, Rect& selection_rect,
               ProgressSink& sink, const ExportInputs& inputs, ExportState* kept) {
    ExportState local;
    ExportState& state = kept ? *kept : local;
    state = ExportState{};
    state.name_search = inputs.name_search;

    const Result checked = check_export_settings(settings, project);
    if (!checked.ok) {
        sink.log_line(checked.message);
        return kExportBuildFailed;
    }
    set_export_bounds(state, project, settings, selection_rect);
    if (int64_t(state.bounds[2]) - state.bounds[0] <= 0 || int64_t(state.bounds[3]) - state.bounds[1] <= 0) {
        sink.log_line("Error: nothing to export, the coordinate range is empty!\r\n");
        return kExportBuildFailed;
    }
    const std::string path(field_text(settings.output_path));
    if (!open_output_file(path)) {
        sink.log_line("Fatal: Unable to open output file!\r\n");
        return kExportNotOpened;
    }
    set_map_class(state, settings.map_class);
    if (!(settings.flags & kExportSelectionOnly))
        selection_rect = Rect{state.bounds[0], state.bounds[1], state.bounds[2], state.bounds[3]};
    set_header_geo_bounds(state, project);
    compute_export_scale(state, project.coord_sys);

    state.build_error.clear();
    scale_objects(state, project, settings, sink);
    make_layer_tables(state, settings);
    make_map_fit(state, settings, sink);

    static const MapIdTable kNoMapIds;
    if (!build_data(state, settings, inputs.map_ids ? *inputs.map_ids : kNoMapIds, sink)) {
        if (state.build_error == "Error: data area is full!")
            log_data_area_shortage(state, project, settings, sink);
        sink.log_line(state.build_error.empty() ? std::string("Unknown error building data\r\n")
                                                : state.build_error);
        return kExportBuildFailed;
    }
    state.object_items.clear();
    state.point_items.clear();
    state.region_root.children.clear();

    DatabaseExtras extras;
    extras.geo = project.geo;
    extras.project = &project;
    extras.publisher_notice = inputs.publisher_notice;
    extras.contact = inputs.contact;
    extras.date = inputs.date ? *inputs.date : local_export_date();
    if (!write_database(state, settings, extras, path, sink, inputs.write_faults)) {
        sink.log_line("Error: unable to write output file!\r\n");
        return kExportWriteFailed;
    }
    if (!state.left_out.empty()) {
        char line[64];
        std::snprintf(line, sizeof line, "Warning: %d objects left out of the map\r\n",
                      int(state.left_out.size()));
        sink.log_line(line);
    }
    log_data_area(state, sink);
    sink.log_line("PDB file successfully created!\r\n");
    return kExportOk;
}

}  // namespace plotwell

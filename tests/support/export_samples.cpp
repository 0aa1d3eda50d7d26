#include "support/export_samples.h"

#include "model/text.h"
#include "model/vocabulary.h"
#include "support/object_builders.h"

namespace plotwell::test {

void fill_harbour_project(Project& project) {
    set_field(project.file_base_name, "harbour");
    set_field(project.name, "Harbour");
    project.coord_sys = kCoordDegrees;
    project.range = {151000000, -34000000, 200000, 100000};
    Layer& roads = add_layer(project, "Roads", kThemeRoads);
    add_line(roads, "George St", {{151010000, -33990000}, {151150000, -33950000}});
    Layer& water = add_layer(project, "Water", kThemeWater);
    add_line(water, "Bay", {{151020000, -33980000}, {151100000, -33980000}, {151060000, -33920000}},
             kDimPolygon, kWaterArea);
}

ExportDialog opened_export_dialog(Project& project, ExportSettings& settings, MapIdTable& map_ids,
                                  const std::string& map_id_file) {
    ExportDialog d(project, settings);
    d.open(map_ids, map_id_file);
    return d;
}

}  // namespace plotwell::test

#include "project/project_properties_dialog.h"

#include "model/geometry.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/dialog_fields.h"

namespace plotwell {

ProjectPropertiesModel::ProjectPropertiesModel(Project& project, Host& host)
    : project_(project), host_(host) {
    load();
}

void ProjectPropertiesModel::load() {
    const Project& p = project_;
    name = field_text(p.name);
    parent_map_basename = field_text(p.parent_map_basename);
    projection = projection_name(p.projection);
    coord_sys = coord_sys_name(p.coord_sys);
    x_min = int_field_text(p.range.x_min);
    x_max = int_field_text(int64_t(p.range.x_min) + p.range.width);
    y_min = int_field_text(p.range.y_min);
    y_max = int_field_text(int64_t(p.range.y_min) + p.range.height);
    geo_mode = p.geo.mode >= kGeoNone && p.geo.mode <= kGeoScaleAndPos ? p.geo.mode : kGeoNone;
}

void ProjectPropertiesModel::change() {
    host_.message_box("Not yet implemented.", "Error", MessageIcon::Warning, MessageButtons::Ok);
}

bool ProjectPropertiesModel::ok() {
    Project& p = project_;
    set_field(p.name, name);
    set_field(p.parent_map_basename, parent_map_basename);
    const int32_t x0 = read_int_field(x_min);
    const int32_t y0 = read_int_field(y_min);
    p.range.x_min = x0;
    p.range.y_min = y0;
    // Done in 64 bits: bounds far apart must not wrap into a small range.
    p.range.width = clamp_to_int32(int64_t(read_int_field(x_max)) - x0);
    p.range.height = clamp_to_int32(int64_t(read_int_field(y_max)) - y0);
    return true;
}

}  // namespace plotwell

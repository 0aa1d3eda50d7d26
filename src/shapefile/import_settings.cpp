#include "shapefile/import_settings.h"

#include "model/vocabulary.h"

namespace plotwell {

ShapeImportSettings default_import_settings(const Project& project, const ShapefileReader& reader,
                                            const std::string& base_path, int current_layer) {
    ShapeImportSettings s;
    s.base_path = base_path.substr(0, kBasePathSize - 1);
    s.dimension = shape_dimension(reader);
    s.dest_layer = current_layer < 0 ? 0 : current_layer;
    s.filter_outside_range = empty_range(project.range) ? 0 : 1;
    s.type_translation.target = kTranslateType;
    s.icon_translation.target = kTranslateIcon;
    return s;
}

Result check_import_settings(ShapeImportSettings& settings, const Project& project) {
    if (settings.name_fields.count == 0) return failure("You need to select at least one name field");
    if (settings.multiply_x == 0 || settings.multiply_y == 0)
        return failure("'Multiply' factors must be non-zero");
    if (empty_range(project.range)) settings.filter_outside_range = 0;
    return success();
}

namespace {
bool fields_inside(const FieldSelection& selection, const ShapefileReader& reader) {
    if (selection.count < 0 || selection.count > kMaxListedFields) return false;
    for (int i = 0; i < selection.count; ++i)
        if (selection.indices[i] < 0 || selection.indices[i] >= reader.field_count) return false;
    return true;
}

bool translation_usable(const ValueTranslation& t, const ShapefileReader& reader) {
    return t.kind == kNoTranslation || (t.field_index >= 0 && t.field_index < reader.field_count);
}
}  // namespace

Result import_refusal(const Project& project, const ShapefileReader& reader,
                      const ShapeImportSettings& settings) {
    if (project.layer_count <= 0) return failure("The project has no layers to import into");
    if (settings.dest_layer < 0 || settings.dest_layer >= project.layer_count)
        return failure("Destination layer " + std::to_string(settings.dest_layer) + " does not exist");
    const int dimension = shape_dimension(reader);
    if (dimension < 0)
        return failure("Unsupported shape type " + std::to_string(shape_type(reader)) +
                       " (only Point, PolyLine and Polygon files can be imported)");
    if (settings.dimension != dimension) return failure("The settings were made for another shape type");
    const int types = object_type_count(uint8_t(dimension));
    if (settings.default_type < 0 || settings.default_type >= types)
        return failure("Default object type " + std::to_string(settings.default_type) + " is not a " +
                       kDimensionNames[dimension] + " type");
    if (dimension == kDimPolygon && settings.multipart_policy == kCcwPartsGetCcwType &&
        (settings.ccw_type < 0 || settings.ccw_type >= types))
        return failure("Counter-clockwise type " + std::to_string(settings.ccw_type) +
                       " is not a POLYGON type");
    if (dimension == kDimPoint && (settings.default_icon < 0 || settings.default_icon > 255))
        return failure("Default icon " + std::to_string(settings.default_icon) + " is not an icon code");
    if (!fields_inside(settings.name_fields, reader))
        return failure("A name field is not in the attribute table");
    if (!fields_inside(settings.link_fields, reader))
        return failure("A link field is not in the attribute table");
    if (!translation_usable(settings.type_translation, reader))
        return failure("The type translation's field is not in the attribute table");
    if (!translation_usable(settings.icon_translation, reader))
        return failure("The icon translation's field is not in the attribute table");
    if (settings.substitution_count < 0 || settings.substitution_count > kMaxSubstitutions)
        return failure("Too many name substitutions");
    return success();
}

}  // namespace plotwell

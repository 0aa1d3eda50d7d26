// Runs imports over shapefiles built in memory and reads back what arrived in the layer.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "model/object_storage.h"
#include "model/text.h"
#include "shapefile/shapefile_import.h"
#include "support/object_builders.h"
#include "support/recording_sink.h"
#include "support/shapefile_writer.h"

namespace plotwell::test {

struct ImportedObject {
    int dimension = 0;
    int type = 0;
    std::string name;
    std::vector<Point> points;  // a point object: its position
    int icon = 0;
};

inline std::vector<ImportedObject> layer_objects(const Layer& layer) {
    std::vector<ImportedObject> out;
    for (const MapObject* o = layer.objects; o; o = o->next) {
        ImportedObject r;
        r.dimension = o->dimension;
        r.type = o->type;
        r.name = std::string(field_text(o->name));
        if (has_points(o)) {
            r.points.assign(object_points(o), object_points(o) + object_point_count(o));
        } else {
            r.points.push_back(object_position(o));
            r.icon = icon_code(o);
        }
        out.push_back(std::move(r));
    }
    return out;
}

// A project with one layer and a range, a reader over the given data and settings with the first
// field as the name field.
struct ImportCase {
    Project project;
    ShapefileReader reader;
    ShapeImportSettings settings;
    RecordingSink sink;
    ShapeImportResult result;

    explicit ImportCase(const ShapefileData& data, uint8_t coord_sys = kCoordArbitrary,
                        CoordRange range = {0, 0, -1, -1}) {
        add_layer(project, "roads");
        project.coord_sys = coord_sys;
        project.range = range;
        ShapefileBytes bytes = build_shapefile(data);
        open_shapefile_bytes(reader, std::move(bytes.shp), std::move(bytes.shx), std::move(bytes.dbf));
        settings = default_import_settings(project, reader, "test", 0);
        settings.multiply_x = settings.multiply_y = 1;
        if (reader.field_count > 0) {
            settings.name_fields.indices[0] = 0;
            settings.name_fields.count = 1;
        }
    }

    ShapeImportResult& run(bool keep_running = true) {
        std::atomic<bool> running{keep_running};
        result = run_shapefile_import(project, reader, settings, sink, running);
        return result;
    }

    std::vector<ImportedObject> objects() const { return layer_objects(project.layers[0]); }
};

inline ShapefileData named_lines(std::vector<std::pair<std::string, std::vector<XY>>> lines) {
    ShapefileData d;
    d.shape_type = 3;
    d.fields = {{"NAME", 'C', 60}};
    for (auto& [name, pts] : lines) d.records.push_back(line_record(pts, {name}));
    return d;
}

}  // namespace plotwell::test

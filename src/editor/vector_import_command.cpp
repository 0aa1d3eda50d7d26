#include "editor/vector_import_command.h"

#include "editor/import_run.h"
#include "model/text.h"
#include "project/project_file.h"
#include "shapefile/import_dialog.h"
#include "shapefile/shapefile_import.h"
#include "shapefile/source_layer_dialog.h"
#include "shapefile/vector_source.h"

namespace plotwell {

Outcome import_vector_source_command(EditorContext& ctx) {
    Project& project = ctx.project;
    FileDialogOptions options;
    options.title = "Open";
    options.filter_name = "Vector source";
    options.filter_pattern = "*.gpkg *.geojson *.json *.gpx *.kml *.osm *.pbf *.csv *.shp";
    options.flags = kFileMustExist | kHideReadOnly;
    const std::optional<std::string> path = ask_import_file(ctx, options);
    if (!path) return Outcome::Cancelled;
    if (project.layer_count <= 0) {
        show_error(ctx.host, "You need to define your Layers first.");
        return Outcome::Cancelled;
    }

    VectorSourceOptions source_options;
    if (std::vector<std::string> layers = source_layer_names(*path); !layers.empty()) {
        SourceLayerModel chooser(std::move(layers));
        if (ctx.host.run_dialog(chooser) != 1 || chooser.chosen < 0 ||
            size_t(chooser.chosen) >= chooser.layers.size())
            return Outcome::Cancelled;
        source_options.layer = chooser.layers[size_t(chooser.chosen)];
    }
    std::unique_ptr<VectorSource> source;
    if (const Result opened = open_vector_source(*path, project, source_options, source); !opened.ok) {
        show_error(ctx.host, opened.message + ".");
        return Outcome::Cancelled;
    }
    const ShapefileReader& layout = source->records->layout();
    if (shape_dimension(layout) < 0) {
        show_error(ctx.host, "Unsupported shape type " + std::to_string(shape_type(layout)) +
                                 ": only points, lines and polygons can be imported.");
        return Outcome::Cancelled;
    }

    ShapeImportSettings settings;
    settings.base_path = strip_file_extension(*path).substr(0, kBasePathSize - 1);
    ImportShapefileDialog dialog(project, layout, settings);
    open_import_dialog(ctx, dialog, *source->records);
    dialog.source_system = source->system.name;
    dialog.reproject_box = source->reprojected;
    dialog.reproject_usable = project.coord_sys == kCoordDegrees;
    dialog.offer_encodings(source->text.encoding());
    if (ctx.host.run_dialog(dialog) != 1 || !dialog.accepted()) return Outcome::Cancelled;
    if (dialog.chosen_encoding() != source->text.encoding()) {
        if (const Result r = source->text.open(dialog.chosen_encoding()); !r.ok) {
            show_error(ctx.host, r.message + ".");
            return Outcome::Cancelled;
        }
    }
    if (dialog.reproject_box != source->reprojected) {
        if (const Result r = set_reprojection(*source, dialog.reproject_box); !r.ok) {
            show_error(ctx.host, r.message + ".");
            return Outcome::Cancelled;
        }
    }
    if (const Result refused = degree_refusal(*source, project, settings); !refused.ok) {
        show_error(ctx.host, refused.message + ".");
        return Outcome::Cancelled;
    }

    return run_import(ctx, settings.dest_layer, [&](ProgressSink& sink, const std::atomic<bool>& running) {
        if (source->reprojected) sink.log_line("Reprojecting from " + source->system.name + " to WGS 84\r\n");
        return run_record_import(project, *source->records, settings, sink, running);
    });
}

}  // namespace plotwell

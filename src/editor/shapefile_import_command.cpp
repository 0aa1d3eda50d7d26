#include "editor/shapefile_import_command.h"

#include <atomic>

#include "editor/import_run.h"
#include "model/text.h"
#include "project/project_file.h"
#include "shapefile/import_dialog.h"
#include "shapefile/shapefile_import.h"

namespace plotwell {

namespace {

// Closes the reader on every way out of the command.
struct ReaderCloser {
    ShapefileReader& reader;
    ~ReaderCloser() { close_shapefile(reader); }
};

}  // namespace

Outcome import_shapefile_file_command(EditorContext& ctx) {
    Project& project = ctx.project;
    FileDialogOptions options;
    options.title = "Open";
    options.filter_name = "Shape File";
    options.filter_pattern = "*.shp";
    options.default_extension = ".shp";
    options.flags = kFileMustExist | kHideReadOnly;
    const std::optional<std::string> path = ask_import_file(ctx, options);
    if (!path) return Outcome::Cancelled;
    // The settings hold 127 characters; a cut name would open other files.
    const std::string base_path = strip_file_extension(*path);
    if (path->size() >= size_t(kBasePathSize) || base_path.empty()) {
        show_error(ctx.host, "The file name is too long.");
        return Outcome::Cancelled;
    }

    ShapefileReader reader;
    if (const Result opened = open_shapefile(reader, base_path); !opened.ok) {
        show_error(ctx.host, opened.message.empty() ? "Cannot open the shapefile." : opened.message + ".");
        return Outcome::Cancelled;
    }
    ReaderCloser closer{reader};
    if (shape_dimension(reader) < 0) {
        show_error(ctx.host, "Unsupported shape type " + std::to_string(shape_type(reader)) +
                                 ": only Point, PolyLine and Polygon shapefiles can be imported.");
        return Outcome::Cancelled;
    }
    if (project.layer_count <= 0) {
        show_error(ctx.host, "You need to define your Layers first.");
        return Outcome::Cancelled;
    }

    ShapeImportSettings settings;
    settings.base_path = base_path;
    ImportShapefileDialog dialog(project, reader, settings);
    ShapefileRecordSource records(reader);
    open_import_dialog(ctx, dialog, records);
    if (ctx.host.run_dialog(dialog) != 1 || !dialog.accepted()) return Outcome::Cancelled;
    return run_import(ctx, settings.dest_layer, [&](ProgressSink& sink, const std::atomic<bool>& running) {
        return run_shapefile_import(project, reader, settings, sink, running);
    });
}

}  // namespace plotwell

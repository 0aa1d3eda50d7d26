#include "editor/import_run.h"

#include "editor/commands.h"
#include "project/project_file.h"
#include "shapefile/profile_folder.h"

namespace plotwell {

std::optional<std::string> ask_import_file(EditorContext& ctx, const FileDialogOptions& options) {
    if (!has_project(ctx.project)) {
        show_error(ctx.host, "You need to open or create a project first.");
        return std::nullopt;
    }
    return ctx.host.open_file_dialog(options);
}

void open_import_dialog(EditorContext& ctx, ImportShapefileDialog& dialog, RecordSource& records) {
    dialog.records = &records;
    dialog.profile_folder = profile_folder_in(ctx.host.config_folder());
    dialog.open(ctx.editor.current_layer);
}

Outcome run_import(EditorContext& ctx, int dest_layer, const ImportRun& import) {
    // Set before the worker starts, so that an early Stop is not undone.
    std::atomic<bool> running{true};
    ProgressOptions progress;
    progress.stop = [&running] { running.store(false); };
    ShapeImportResult result;
    ctx.host.run_with_progress(
        [&](ProgressSink& sink) {
            result = import(sink, running);
            if (!result.started) {
                sink.log_line("Error: " + result.error + "\r\n");
                sink.show_ok_button();
            }
        },
        progress);
    if (result.objects_added <= 0) return Outcome::Failed;
    show_imported_layer(ctx, dest_layer);
    return Outcome::Ok;
}

}  // namespace plotwell

#include "editor/export_command.h"

#include "editor/preview_command.h"
#include "export/export_dialog.h"
#include "export/export_driver.h"
#include "export/export_preparation.h"
#include "model/text.h"
#include "project/project_file.h"

namespace plotwell {

Outcome export_map_command(EditorContext& ctx) {
    Project& project = ctx.project;
    if (!has_project(project)) return Outcome::Cancelled;
    Workspace& ws = ctx.workspace;

    FileDialogOptions options;
    options.title = "Save As";
    options.filter_name = "PDB File";
    options.filter_pattern = "*.pdb";
    options.default_extension = ".pdb";
    options.flags = kOverwritePrompt | kHideReadOnly;
    options.initial_name = std::string(field_text(project.file_base_name)) + ".pdb";
    const std::optional<std::string> path = ctx.host.save_file_dialog(options);
    if (!path) return Outcome::Cancelled;
    // A cut path would write the database somewhere the user did not choose.
    if (path->empty() || path->size() >= size_t(kOutputPathSize)) {
        show_error(ctx.host, "The file name is too long.");
        return Outcome::Cancelled;
    }

    ExportSettings& settings = ws.export_settings;
    set_field(settings.output_path, *path);
    if (selection_exists(ctx.editor.selection_rect))
        settings.flags |= kExportSelectionOnly;
    else
        settings.flags &= ~kExportSelectionOnly;

    ExportDialog dialog(project, settings);
    dialog.open(ws.map_ids, in_start_dir(ws, kMapIdFileName));
    // Only an "Export" whose checks passed starts the task, whatever the view answered.
    if (ctx.host.run_dialog(dialog) != 1 || !dialog.accepted()) return Outcome::Cancelled;

    const ExportInputs engine_inputs =
        prepare_export(project, ws.map_ids, std::string(field_text(ws.publisher.publisher_notice)),
                       std::string(field_text(ws.publisher.contact)));
    Rect selection = selection_as_rect(ctx.editor.selection_rect);
    int result = kExportNotOpened;
    ProgressOptions progress;
    progress.finish_button = "Preview";
    progress.offer_finish = [&result] { return result == kExportOk; };
    const int answer = ctx.host.run_with_progress(
        [&](ProgressSink& sink) {
            result = run_export(project, settings, selection, sink, engine_inputs);
            sink.show_ok_button();
        },
        progress);
    // The export leaves the exported bounds as the selection rectangle.
    ctx.editor.selection_rect =
        SelectionRect{selection.x_min, selection.y_min, selection.x_max, selection.y_max};
    ctx.host.request_redraw();
    if (answer == kProgressFinishChoice) preview_database(ctx, *path);
    return Outcome::Ok;
}

}  // namespace plotwell

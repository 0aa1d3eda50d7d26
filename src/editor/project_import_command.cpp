#include "editor/project_import_command.h"

#include "editor/selection.h"
#include "editor/view_state.h"
#include "project/import_project_dialog.h"
#include "project/project_import.h"

namespace plotwell {

Outcome import_project_file_command(EditorContext& ctx) {
    FileDialogOptions options;
    options.title = "Open";
    options.filter_name = "Map Project";
    options.filter_pattern = "*.mpr";
    options.default_extension = ".mpr";
    options.flags = kFileMustExist;  // the read-only box stays visible
    const std::optional<std::string> path = ctx.host.open_file_dialog(options);
    if (!path) return Outcome::Cancelled;

    ImportSettings settings;
    clear_import_settings(settings, *path);
    ImportProjectDialog dialog(ctx.project, settings);
    dialog.open();
    if (ctx.host.run_dialog(dialog) != 1) return Outcome::Cancelled;

    Project& project = ctx.project;
    ImportReport report;
    ctx.host.run_with_progress(
        // An unreadable source is named in the log the user has just read.
        [&](ProgressSink& sink) {
            (void)import_project_task(project, settings.source_path, settings.mapping, sink, &report);
        },
        ProgressOptions{});
    if (!report.imported) return Outcome::Failed;  // the project is as it was
    fit_view(ctx.view, project);
    mark_modified(ctx);
    return Outcome::Ok;
}

}  // namespace plotwell

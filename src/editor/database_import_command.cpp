#include "editor/database_import_command.h"

#include "dialogs/layer_translation_dialog.h"
#include "editor/selection.h"
#include "editor/view_state.h"
#include "model/layer_lines.h"
#include "model/text.h"
#include "project/clone_project_dialog.h"

namespace plotwell {

namespace {
FileDialogOptions database_file_options() {
    FileDialogOptions options;
    options.title = "Open";
    options.filter_name = "PDB File";
    options.filter_pattern = "*.pdb";
    options.default_extension = ".pdb";
    options.flags = kFileMustExist | kHideReadOnly;
    return options;
}

void log_problems(const DatabaseImport& imported, ProgressSink& sink) {
    for (const std::string& p : imported.problems) sink.log_line("Warning: " + p + "\n");
}
}  // namespace

bool edit_database_translation(ImportDatabaseDialog& import, Host& host) {
    if (!import.edit()) return false;
    LayerTranslationDialog dialog;
    dialog.choices = import.destination_choices();
    const int line = import.mapping().edited_line;
    dialog.source_layer = layer_list_line(line, import.source_layer(line));
    const int entry = import.mapping().destination[line] + 1;
    dialog.selected = entry >= 0 && entry < int(dialog.choices.size()) ? entry : 0;
    if (host.run_dialog(dialog) != 1) return false;
    if (dialog.selected < 0 || dialog.selected >= int(dialog.choices.size())) return false;
    import.translation_chosen(dialog.destination());
    return true;
}

Outcome import_database_command(EditorContext& ctx) {
    const std::optional<std::string> path = ctx.host.open_file_dialog(database_file_options());
    if (!path) return Outcome::Cancelled;
    ImportDatabaseDialog dialog(ctx.project, *path);
    dialog.open();
    if (ctx.host.run_dialog(dialog) != 1) return Outcome::Cancelled;
    int moved = 0;
    ctx.host.run_with_progress(
        [&](ProgressSink& sink) {
            log_problems(dialog.imported(), sink);
            moved = merge_database_project(ctx.project, dialog.source(), dialog.mapping(), sink);
        },
        ProgressOptions{});
    if (moved == 0) return Outcome::Failed;
    fit_view(ctx.view, ctx.project);
    mark_modified(ctx);
    return Outcome::Ok;
}

Outcome choose_database_project(EditorContext& ctx, DatabaseProject& chosen) {
    const std::optional<std::string> path = ctx.host.open_file_dialog(database_file_options());
    if (!path) return Outcome::Cancelled;
    const std::optional<std::string> name =
        ctx.host.save_file_dialog(project_file_options("Project File Name", kOverwritePrompt));
    if (!name) return Outcome::Cancelled;
    chosen.base = strip_file_extension(absolute_path(*name));
    if (chosen.base.size() >= size_t(kFileBaseNameSize)) {
        show_error(ctx.host, "The file name is too long!", MessageIcon::Warning);
        return Outcome::Failed;
    }
    if (!read_database_project(*path, *chosen.project, chosen.imported).ok) {
        show_error(ctx.host, "The map database could not be read!", MessageIcon::Warning);
        return Outcome::Failed;
    }
    return Outcome::Ok;
}

void finish_database_project(EditorContext& ctx, DatabaseProject& chosen) {
    Project& p = ctx.project;
    set_field(p.name, field_text(chosen.imported.settings.map_name));
    p.geo = chosen.project->geo;
    ExportSettings& s = ctx.workspace.export_settings;
    s = chosen.imported.settings;
    if (s.flags & kExportPublisherInfo) {
        set_field(ctx.workspace.publisher.publisher_notice, chosen.imported.publisher_notice);
        set_field(ctx.workspace.publisher.contact, chosen.imported.contact);
    }
    if (!chosen.imported.problems.empty()) {
        std::string text = "Some of the map database could not be read:\n";
        for (size_t i = 0; i < chosen.imported.problems.size() && i < 10; ++i)
            text += chosen.imported.problems[i] + "\n";
        show_error(ctx.host, text, MessageIcon::Warning);
    }
}

}  // namespace plotwell

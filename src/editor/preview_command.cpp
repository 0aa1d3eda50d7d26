#include "editor/preview_command.h"

#include "export/database_preview.h"
#include "model/text.h"

namespace plotwell {

Outcome preview_database_command(EditorContext& ctx) {
    FileDialogOptions options;
    options.title = "Preview Map Database";
    options.filter_name = "PDB File";
    options.filter_pattern = "*.pdb";
    options.default_extension = ".pdb";
    options.flags = kFileMustExist | kPathMustExist | kHideReadOnly;
    options.initial_name = std::string(field_text(ctx.workspace.export_settings.output_path));
    const std::optional<std::string> path = ctx.host.open_file_dialog(options);
    if (!path) return Outcome::Cancelled;
    return preview_database(ctx, *path);
}

Outcome preview_database(EditorContext& ctx, const std::string& path) {
    DatabasePreviewModel model;
    const Result opened = open_preview(model, path);
    if (!opened.ok) {
        show_error(ctx.host, opened.message);
        return Outcome::Failed;
    }
    ctx.host.run_dialog(model);
    return Outcome::Ok;
}

}  // namespace plotwell

#include "app/named_project.h"

#include <filesystem>

#include "editor/commands.h"
#include "editor/menus.h"
#include "editor/project_commands.h"
#include "editor/status_bar.h"
#include "editor/view_state.h"
#include "editor/window_title.h"
#include "model/bitmap_file.h"
#include "model/text.h"

namespace plotwell {

BitmapImageLoader make_bitmap_loader(const std::string& program_dir) {
    return [program_dir](const std::string& file_name) -> std::shared_ptr<const Image> {
        if (file_name.empty()) return nullptr;
        if (auto image = load_bitmap_file(file_name)) return image;
        const std::filesystem::path stored(file_name);
        if (stored.is_absolute() || program_dir.empty()) return nullptr;
        return load_bitmap_file((std::filesystem::path(program_dir) / stored).string());
    };
}

Outcome load_named_project(EditorContext& ctx, const BitmapImageLoader& load_image) {
    Project& project = ctx.project;
    project.modified = 0;
    update_title(project, ctx.host);
    const std::string base(field_text(project.file_base_name));
    const int loaded = ctx.host.run_with_progress(
        [&](ProgressSink& sink) { load_project_task(project, base, sink, load_image); }, ProgressOptions{});
    if (loaded != 1) {
        ctx.host.message_box("An error occurred while loading project!", "Error", MessageIcon::Warning,
                             MessageButtons::Ok);
        return Outcome::Failed;
    }
    set_tool_buttons(ctx.host, kToolSelect);
    set_tool_mode(ctx.editor, kToolSelect);
    set_scroll_bars(ctx.view, project, ctx.host);
    set_current_layer(ctx.editor, -1);
    fit_view(ctx.view, project);
    ctx.host.request_redraw();
    show_layer_status(ctx);
    return Outcome::Ok;
}

Answer ask_save_project(EditorContext& ctx) {
    const Answer answer = ctx.host.message_box("Save current project?", "Confirm", MessageIcon::Question,
                                               MessageButtons::YesNoCancel);
    if (answer == Answer::Cancel) return answer;
    if (answer == Answer::Yes) {
        Project& project = ctx.project;
        const std::string base(field_text(project.file_base_name));
        ctx.host.run_with_progress([&](ProgressSink& sink) { save_project_task(project, base, sink); },
                                   ProgressOptions{});
    }
    ctx.project.modified = 0;
    update_title(ctx.project, ctx.host);
    return answer;
}

bool close_main_window(EditorContext& ctx) {
    const bool open_and_modified = !field_text(ctx.project.file_base_name).empty() && ctx.project.modified;
    if (!open_and_modified) return close_request(ctx);
    const SaveQuestion q = confirm_save(ctx);
    if (q.outcome == Outcome::NotAvailable) return ask_save_project(ctx) != Answer::Cancel;
    return q.answer != Answer::Cancel;
}

}  // namespace plotwell

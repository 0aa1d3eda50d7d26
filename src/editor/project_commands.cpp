#include "editor/project_commands.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#include "editor/command_ids.h"
#include "editor/commands.h"
#include "editor/database_import_command.h"
#include "editor/menus.h"
#include "editor/status_bar.h"
#include "editor/window_title.h"
#include "model/background_image.h"
#include "model/bytes.h"
#include "model/text.h"
#include "project/clone_project_dialog.h"
#include "project/confirm_save.h"
#include "project/new_project_dialog.h"
#include "project/project_file.h"
#include "project/project_file_layout.h"
#include "project/project_tasks.h"

namespace plotwell {

namespace {

void warn(EditorContext& ctx, std::string_view text) {
    show_error(ctx.host, text, MessageIcon::Warning);
}

void reset_export(EditorContext& ctx) {
    const PublisherInfo& publisher = ctx.workspace.publisher;
    reset_export_settings(ctx.workspace.export_settings, ctx.project, field_text(publisher.publisher_notice),
                          field_text(publisher.contact));
}

// What New and every load leave behind: the select tool, the background current, the view fitted to
// the project, fresh export settings.
void reset_editor_to_project(EditorContext& ctx) {
    set_current_layer(ctx.editor, -1);
    set_tool_buttons(ctx.host, kToolSelect);
    set_tool_mode(ctx.editor, kToolSelect);
    set_scroll_bars(ctx.view, ctx.project, ctx.host);
    fit_view(ctx.view, ctx.project);
    reset_export(ctx);
    reset_history(ctx.workspace.history, ctx.project);
}

// A bitmap named relative to the project's folder is found beside the project no more once the project
// moves to another folder: it is then named by where it was found.
void keep_bitmaps_found(Project& project, const BitmapFolders& was, const BitmapFolders& now) {
    if (was.project_dir == now.project_dir) return;
    for (int i = 0; i < project.bitmaps.count && i < kMaxBitmaps; ++i) {
        char(&name)[kBitmapFileNameSize] = project.bitmaps.entries[i].file_name;
        const std::string stored(field_text(name));
        const std::string found = resolve_bitmap_path(stored, was);
        if (found == resolve_bitmap_path(stored, now)) continue;
        const std::string renamed = relative_to_program_dir(absolute_path(found), now.program_dir);
        if (renamed.size() < sizeof name) set_field(name, renamed);
    }
}

// Yes/No/Cancel before the open project is replaced; true when the caller may go on.
bool may_discard(EditorContext& ctx) {
    if (!has_project(ctx.project) || !ctx.project.modified) return true;
    return confirm_save(ctx).answer != Answer::Cancel;
}

void start_new_project(EditorContext& ctx, const std::string& base_name) {
    Project& p = ctx.project;
    set_field(p.parent_map_basename, "");
    set_field(p.name, "");
    p.geo = GeoInfo{};  // a new map is not where the previous one was
    set_field(p.file_base_name, base_name);
    ctx.workspace.project_file_named = false;
    p.modified = 1;
    update_title(p, ctx.host);
    reset_editor_to_project(ctx);
    ctx.host.request_redraw();
}

Outcome new_from_bitmap(EditorContext& ctx) {
    FileDialogOptions o;
    o.title = kSelectBitmapTitle;
    o.filter_name = "Bitmap";
    o.filter_pattern = "*.bmp";
    o.more_patterns = kRasterPatterns;
    o.default_extension = ".bmp";
    o.flags = kFileMustExist | kHideReadOnly;
    const std::optional<std::string> path = ctx.host.open_file_dialog(o);
    if (!path) return Outcome::Cancelled;
    const std::string base = strip_file_extension(absolute_path(*path));
    if (path_too_long(ctx, base, kFileBaseNameSize) || path_too_long(ctx, *path, kBitmapFileNameSize))
        return Outcome::Failed;
    release_project(ctx);
    Project& p = ctx.project;
    p.projection = 0;
    p.coord_sys = kCoordArbitrary;
    BitmapTable& table = p.bitmaps;
    table.table_reserved = 0;
    std::shared_ptr<const Image> image = load_background_image(*path);
    if (image) {
        // A large raster's image is a reduced copy: the project takes the file's pixels.
        const int32_t w = image->source ? image->source->width() : image->width;
        const int32_t h = image->source ? image->source->height() : image->height;
        p.range = {0, 0, w, h};
        BackgroundBitmap& b = table.entries[0];
        b = BackgroundBitmap{};
        b.width = w;
        b.height = h;
        b.image = std::move(image);
        set_field(b.file_name, *path);
        table.count = 1;
    } else {
        p.range = {0, 0, 100, 100};
        table.count = 0;
    }
    ctx.view.origin_x = ctx.view.origin_y = 0;
    p.layer_count = 0;
    start_new_project(ctx, base);
    return Outcome::Ok;
}

Outcome new_empty_degrees(EditorContext& ctx) {
    const std::optional<std::string> path =
        ctx.host.save_file_dialog(project_file_options(kProjectFileNameTitle, kOverwritePrompt));
    if (!path) return Outcome::Cancelled;
    const std::string base = strip_file_extension(absolute_path(*path));
    if (path_too_long(ctx, base, kFileBaseNameSize)) return Outcome::Failed;
    release_project(ctx);
    Project& p = ctx.project;
    p.projection = 0;
    p.range = kEmptyDegreeRange;
    p.coord_sys = kCoordDegrees;
    p.bitmaps.count = 0;
    p.bitmaps.table_reserved = 0;
    ctx.view.origin_x = ctx.view.origin_y = 0;
    p.layer_count = 0;
    start_new_project(ctx, base);
    return Outcome::Ok;
}

// The source project as the user may name it: with or without ".mpr".
std::string existing_project_path(const std::string& named) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(named, ec)) return named;
    const std::string with_extension = named + ".mpr";
    if (std::filesystem::is_regular_file(with_extension, ec)) return with_extension;
    return named;
}

// A new project with the source's layers (names, types, themes, display flags, no objects), its
// coordinate system and range, written at once to the new file so that the clone exists on disk.
Outcome new_clone(EditorContext& ctx) {
    CloneProjectDialog dialog;
    if (ctx.host.run_dialog(dialog) != 1) return Outcome::Cancelled;
    // Names typed without a folder are taken in the folder the program was started in, never in
    // whatever the process's working directory has become since.
    const std::string source = existing_project_path(in_start_dir(ctx.workspace, dialog.source_project));
    const std::string base =
        strip_file_extension(absolute_path(in_start_dir(ctx.workspace, dialog.new_project)));
    if (base.empty() || is_path_separator(base.back())) {
        warn(ctx, "Please enter a file name for the new project!");
        return Outcome::Failed;
    }
    if (path_too_long(ctx, base, kFileBaseNameSize)) return Outcome::Failed;
    std::vector<uint8_t> bytes;
    ProjectFileLayout layout;
    Layer layers[kMaxLayers];
    if (dialog.source_project.empty() || !read_whole_file(source, bytes) ||
        read_project_layout(bytes, layout) != LayoutStatus::kOk) {
        warn(ctx, "The source project could not be read!");
        return Outcome::Failed;
    }
    const int count = read_project_layers_from_bytes(bytes, layers);
    const std::string target = project_file_path(base);
    std::error_code ec;
    if (std::filesystem::exists(target, ec)) {
        // Writing the clone over its own source would lose every object of the source.
        if (std::filesystem::equivalent(target, source, ec)) {
            warn(ctx, "The new project must not replace the source project!");
            return Outcome::Failed;
        }
        if (ctx.host.message_box(target + " already exists. Replace it?", "Confirm", MessageIcon::Question,
                                 MessageButtons::YesNo) != Answer::Yes)
            return Outcome::Cancelled;
    }
    release_project(ctx);
    Project& p = ctx.project;
    p.projection = layout.projection;
    p.coord_sys = layout.coord_sys;
    p.range = layout.range;
    p.bitmaps.count = 0;
    p.bitmaps.table_reserved = 0;
    for (int i = 0; i < count; ++i) {
        Layer& to = p.layers[i];
        const Layer& from = layers[i];
        to.type = from.type;
        to.theme = from.theme;
        to.scratch = from.scratch;
        to.display_flags = from.display_flags;
        std::memcpy(to.name, from.name, sizeof to.name);
        to.objects = nullptr;
        to.object_count = 0;
    }
    p.layer_count = count;
    ctx.view.origin_x = ctx.view.origin_y = 0;
    start_new_project(ctx, base);
    take_geo_info(layout, p.geo);  // the clone covers the same ground
    reset_history(ctx.workspace.history, p);
    ctx.workspace.project_file_named = true;  // replacing an existing file was asked above
    // A clone that could not be written stays modified, so that Save can try again.
    save_project_command(ctx);
    update_title(p, ctx.host);
    show_layer_status(ctx);
    return Outcome::Ok;
}

}  // namespace

void release_project(EditorContext& ctx) {
    EditorState& ed = ctx.editor;
    // Nothing may keep pointing into the freed lists.
    ed.current_objects.clear();
    clear_object_status(ctx);
    set_current_layer(ed, -1);
    ed.drag.dragging = false;
    ed.drag.copy.reset();
    release_project_data(ctx.project);
}

bool path_too_long(EditorContext& ctx, const std::string& path, int field_size) {
    if (path.size() < size_t(field_size)) return false;
    show_error(ctx.host, "The file name is too long.");
    return true;
}

SaveQuestion confirm_save(EditorContext& ctx) {
    bool saved = true;
    const Answer a = confirm_save(ctx.project, ctx.host, [&] {
        saved = save_project_command(ctx) == Outcome::Ok;
        return saved;
    });
    if (a == Answer::Yes && !saved) {
        // The answer was to keep the changes: going on would throw them away.
        ctx.project.modified = 1;
        warn(ctx, kSaveFailedText);
        update_title(ctx.project, ctx.host);
        return {Outcome::Failed, Answer::Cancel};
    }
    return {Outcome::Ok, a};
}

Outcome save_project_command(EditorContext& ctx) {
    Project& project = ctx.project;
    if (!has_project(project)) return Outcome::Failed;
    const std::string base(field_text(project.file_base_name));
    const std::string file = project_file_path(base);
    std::error_code ec;
    if (!ctx.workspace.project_file_named && std::filesystem::exists(file, ec) &&
        ctx.host.message_box(file + " already exists.\nDo you want to replace it?", "Confirm",
                             MessageIcon::Question, MessageButtons::YesNo) != Answer::Yes)
        return Outcome::Cancelled;
    const int result = ctx.host.run_with_progress(
        // The task hands its result to close_progress, which run_with_progress returns.
        [&project, &base](ProgressSink& sink) { (void)save_project_task(project, base, sink); }, {});
    if (result != 1) return Outcome::Failed;
    project.modified = 0;
    ctx.workspace.project_file_named = true;
    mark_saved(ctx.workspace.history);
    add_recent_project(ctx.workspace.recent_projects, file);
    return Outcome::Ok;
}

Outcome save_project_as_command(EditorContext& ctx) {
    Project& project = ctx.project;
    if (!has_project(project)) return Outcome::Failed;
    const std::string old_base(field_text(project.file_base_name));
    FileDialogOptions options = project_file_options(kSaveProjectAsTitle, 0);  // Save asks, as for New
    options.initial_name = project_file_path(old_base);
    const std::optional<std::string> path = ctx.host.save_file_dialog(options);
    if (!path) return Outcome::Cancelled;
    const std::string base = strip_file_extension(absolute_path(*path));
    if (path_too_long(ctx, base, kFileBaseNameSize)) return Outcome::Failed;

    const bool old_named = ctx.workspace.project_file_named;
    std::error_code ec;
    // The project's own file is replaced without a question, as Save replaces it.
    const bool own_file =
        old_named && std::filesystem::equivalent(project_file_path(base), project_file_path(old_base), ec);
    const BitmapFolders old_folders = bitmap_folders(ctx.workspace);
    const BitmapTable old_bitmaps = project.bitmaps;
    set_field(project.file_base_name, base);
    keep_bitmaps_found(project, old_folders, bitmap_folders(ctx.workspace));
    ctx.workspace.project_file_named = own_file;
    const Outcome o = save_project_command(ctx);
    if (o != Outcome::Ok) {
        set_field(project.file_base_name, old_base);
        project.bitmaps = old_bitmaps;
        ctx.workspace.project_file_named = old_named;
    }
    if (o == Outcome::Failed) warn(ctx, kSaveFailedText);
    update_title(project, ctx.host);
    return o;
}

Outcome new_project_command(EditorContext& ctx) {
    if (!may_discard(ctx)) return Outcome::Cancelled;
    const std::optional<ProjectTemplate> choice = choose_project_template(ctx.host);
    if (!choice) return Outcome::Cancelled;
    switch (*choice) {
        case ProjectTemplate::FromBitmap: {
            const Outcome o = new_from_bitmap(ctx);
            if (o != Outcome::Ok) return o;
            break;
        }
        case ProjectTemplate::EmptyDegrees: {
            const Outcome o = new_empty_degrees(ctx);
            if (o != Outcome::Ok) return o;
            break;
        }
        case ProjectTemplate::Clone:
            return new_clone(ctx);
        case ProjectTemplate::FromDatabase: {
            DatabaseProject chosen;
            if (const Outcome o = choose_database_project(ctx, chosen); o != Outcome::Ok) return o;
            release_project(ctx);
            swap_projects(ctx.project, *chosen.project);
            start_new_project(ctx, chosen.base);
            finish_database_project(ctx, chosen);
            return Outcome::Ok;  // the layers came with the map
        }
        default:
            return Outcome::Cancelled;
    }
    // The user defines the layers of the new project right away.
    handle_command(ctx, cmd::kEditLayers);
    return Outcome::Ok;
}

namespace {
// Open's question, then the load of the file `choose` names (none: cancelled).
Outcome open_chosen_project(EditorContext& ctx, const std::function<std::optional<std::string>()>& choose) {
    // "No" to the question discards the changes only once another project takes this one's place.
    const int was_modified = ctx.project.modified;
    Answer answer = Answer::No;
    if (has_project(ctx.project) && ctx.project.modified) {
        answer = confirm_save(ctx).answer;
        if (answer == Answer::Cancel) return Outcome::Cancelled;
    }
    const std::optional<std::string> path = choose();
    const std::string base = path ? strip_file_extension(absolute_path(*path)) : "";
    const Outcome o = !path                                         ? Outcome::Cancelled
                      : path_too_long(ctx, base, kFileBaseNameSize) ? Outcome::Failed
                                                                    : load_project_named(ctx, base);
    if (o != Outcome::Ok && answer == Answer::No) {
        ctx.project.modified = was_modified;
        update_title(ctx.project, ctx.host);
    }
    return o;
}

}  // namespace

Outcome open_project_command(EditorContext& ctx) {
    return open_chosen_project(ctx, [&ctx] {
        return ctx.host.open_file_dialog(
            project_file_options(kOpenProjectTitle, kPathMustExist | kFileMustExist));
    });
}

Outcome open_recent_project_command(EditorContext& ctx, size_t index) {
    std::vector<std::string>& files = ctx.workspace.recent_projects.files;
    if (index >= files.size()) return Outcome::Cancelled;
    const std::string file = files[index];
    const Outcome o = open_chosen_project(ctx, [&file] { return std::optional<std::string>(file); });
    if (o == Outcome::Failed) remove_recent_project(ctx.workspace.recent_projects, file);
    return o;
}

Outcome load_after_open(EditorContext& ctx) {
    const std::string base(field_text(ctx.project.file_base_name));
    const Outcome o = load_project_named(ctx, base);
    // A file that did not load leaves no project behind whose Save would write over that file.
    if (o != Outcome::Ok) close_project_command(ctx);
    return o;
}

Outcome load_project_named(EditorContext& ctx, const std::string& base) {
    // Loaded aside: only a project that loaded takes the place of the open one.
    Project staged;
    const BitmapImageLoader loader = bitmap_loader({project_dir_of(base), ctx.workspace.program_dir});
    const int result = ctx.host.run_with_progress(
        // The task hands its result to close_progress, which run_with_progress returns.
        [&](ProgressSink& sink) { (void)load_project_task(staged, base, sink, loader); }, {});
    if (result != 1) {
        warn(ctx, kLoadErrorText);
        return Outcome::Failed;
    }
    release_project(ctx);
    swap_projects(ctx.project, staged);
    set_field(ctx.project.file_base_name, base);
    ctx.project.modified = 0;
    ctx.workspace.project_file_named = true;
    add_recent_project(ctx.workspace.recent_projects, project_file_path(base));
    update_title(ctx.project, ctx.host);
    reset_editor_to_project(ctx);
    ctx.host.request_redraw();
    show_layer_status(ctx);
    return Outcome::Ok;
}

Outcome close_project_command(EditorContext& ctx) {
    if (has_project(ctx.project) && !may_discard(ctx)) return Outcome::Cancelled;
    // Layers and objects made while no project was open go too: nothing may stay current in them.
    release_project(ctx);
    ctx.project.layer_count = 0;
    set_current_layer(ctx.editor, -1);
    set_field(ctx.project.file_base_name, "");
    reset_history(ctx.workspace.history, ctx.project);
    show_layer_status(ctx);
    ctx.host.request_redraw();
    update_title(ctx.project, ctx.host);
    return Outcome::Ok;
}

}  // namespace plotwell

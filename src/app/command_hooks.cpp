#include "app/command_hooks.h"

#include "app/publisher_dialog.h"
#include "dialogs/dialog_commands.h"

namespace plotwell {

void add_dialog_hooks(CommandHooks& hooks, Workspace& ws) {
    hooks.project_properties = project_properties_dialog;
    hooks.geo_info = geo_info_dialog;
    hooks.publisher_settings = [&ws](EditorContext& ctx) {
        return run_publisher_dialog(ws.publisher, ctx.host) ? Outcome::Ok : Outcome::Cancelled;
    };
    hooks.about = [](EditorContext& ctx) {
        AboutModel about;
        ctx.host.run_dialog(about);
        return Outcome::Ok;
    };
    hooks.edit_layers = layers_dialog;
    hooks.background_bitmaps = [&ws](EditorContext& ctx) {
        return background_bitmaps_dialog(ctx, ws.program_dir);
    };
}

CategoryChoices category_choices(const CategoriesFile& file) {
    CategoryChoices c;
    for (int i = 0; i < category_count(file); ++i) {
        c.categories.emplace_back(category_name(file, i));
        std::vector<std::string> subs;
        for (int j = 0; j < sub_type_count(file, i); ++j) subs.emplace_back(sub_type_name(file, i, j));
        c.sub_types.push_back(std::move(subs));
    }
    return c;
}

}  // namespace plotwell

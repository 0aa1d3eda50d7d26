#include "app/command_hooks.h"

#include <gtest/gtest.h>

#include "editor/command_ids.h"
#include "editor/commands.h"
#include "support/scripted_host.h"

namespace plotwell {
namespace {

TEST(CategoryChoices, ListsTheLoadedFileInOrder) {
    CategoriesFile file;
    std::string name = "categories";
    ASSERT_TRUE(load_categories(file, name, std::string(PLOTWELL_SOURCE_DIR) + "/data"));
    const CategoryChoices c = category_choices(file);
    ASSERT_EQ(c.categories.size(), size_t(category_count(file)));
    ASSERT_EQ(c.sub_types.size(), c.categories.size());
    EXPECT_EQ(c.categories[0], "Food & Drink");
    EXPECT_EQ(c.sub_types[0][0], "Restaurant");
    EXPECT_EQ(c.sub_types[2][0], "Railway Station");
    for (size_t i = 0; i < c.categories.size(); ++i)
        EXPECT_EQ(c.sub_types[i].size(), size_t(sub_type_count(file, int(i))));
}

TEST(DialogHooks, FillOnlyTheDialogsOfThisBuild) {
    Workspace ws;
    CommandHooks hooks;
    add_dialog_hooks(hooks, ws);
    EXPECT_TRUE(hooks.project_properties && hooks.geo_info && hooks.publisher_settings && hooks.about &&
                hooks.edit_layers && hooks.background_bitmaps);
    EXPECT_FALSE(hooks.export_map || hooks.import_shapefile || hooks.import_project);

    test::ScriptedHost host;
    EditorContext ctx{ws.project, ws.editor, ws.view, host, &hooks};
    // Without a project Properties only sets the title; the other dialogs open regardless.
    EXPECT_EQ(handle_command(ctx, cmd::kProjectProperties), CommandResult::Done);
    EXPECT_TRUE(host.dialogs.empty());
    host.answer_dialog("Geographic Info", [](DialogModel&) { return 0; });
    EXPECT_EQ(handle_command(ctx, cmd::kGeoInfo), CommandResult::Done);
    EXPECT_EQ(host.dialogs, std::vector<std::string>{"Geographic Info"});
}

}  // namespace
}  // namespace plotwell

// The "Layer Translation" dialog opened from the import dialog's list.
#include "dialogs/layer_translation_dialog.h"

#include <gtest/gtest.h>

#include "project/project_file.h"
#include "support/object_builders.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(LayerTranslationDialog, ShowsTheSourceAndStoresTheChoice) {
    ScratchDir dir;
    Project source;
    add_layer(source, "Rails", kThemeRailways);
    add_layer(source, "Roads", kThemeRoads);
    NullProgressSink quiet;
    ASSERT_TRUE(save_project(source, dir.file("s"), quiet));

    Project p;
    add_layer(p, "Land", kThemeLand);
    add_layer(p, "Streets", kThemeRoads);
    ImportSettings settings;
    clear_import_settings(settings, dir.file("s.mpr"));
    ImportProjectDialog import(p, settings);
    import.open();
    import.selected = 1;
    ASSERT_TRUE(import.edit());

    LayerTranslationDialog dialog = open_layer_translation(import);
    EXPECT_EQ(dialog.source_layer, "1: Roads [ROADS]");
    EXPECT_EQ(dialog.choices, (std::vector<std::string>{"None", "0: Land [LAND]", "1: Streets [ROADS]"}));
    EXPECT_EQ(dialog.selected, 2) << "mapping 1 selects entry 2";

    dialog.selected = 0;  // "None"
    store_layer_translation(dialog, import);
    EXPECT_EQ(settings.mapping.destination[1], -1);
    EXPECT_EQ(import.lines()[1], "1: Roads [ROADS]            None");

    // Cancel: nothing is stored, so a changed selection is simply dropped
    LayerTranslationDialog cancelled = open_layer_translation(import);
    EXPECT_EQ(cancelled.selected, 0);
    cancelled.selected = 1;
    EXPECT_EQ(settings.mapping.destination[1], -1);
}

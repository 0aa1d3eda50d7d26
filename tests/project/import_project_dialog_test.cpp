// The import dialog's translation list: opening, matching themes, deselecting, editing one line.
#include "project/import_project_dialog.h"

#include <gtest/gtest.h>

#include "model/text.h"
#include "project/project_file.h"
#include "support/object_builders.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

// A source with an ERASE_BKG layer, a theme the destination has twice and one it lacks.
std::string write_source(const ScratchDir& dir) {
    Project source;
    add_layer(source, "Ground", kThemeWater, kEraseBkg);
    add_layer(source, "Highways", kThemeRoads, kSngTypedObjs);
    add_layer(source, "Tracks", kThemeRailways, kSngTypedObjs);
    add_layer(source, "Thirty characters long name xx", kThemeRoads, kMiscTypedObjs);
    NullProgressSink quiet;
    EXPECT_TRUE(save_project(source, dir.file("source"), quiet));
    return dir.file("source.mpr");
}

void fill_destination(Project& p) {
    add_layer(p, "Land", kThemeLand, kEraseBkg);
    add_layer(p, "Lakes", kThemeWater);
    add_layer(p, "Streets", kThemeRoads);
    add_layer(p, "More streets", kThemeRoads);
}

}  // namespace

TEST(ImportProjectDialog, OpeningMatchesThemesAndPadsTheLines) {
    ScratchDir dir;
    Project p;
    fill_destination(p);
    ImportSettings settings;
    clear_import_settings(settings, write_source(dir));
    ImportProjectDialog dialog(p, settings);
    dialog.open();

    EXPECT_EQ(dialog.filename(), dir.file("source.mpr"));
    EXPECT_STREQ(dialog.coord_mapping(), "none");
    ASSERT_EQ(dialog.source_layer_count(), 4);
    EXPECT_EQ(dialog.destination_choices(),
              (std::vector<std::string>{"None", "0: Land [LAND]", "1: Lakes [WATER]", "2: Streets [ROADS]",
                                        "3: More streets [ROADS]"}));
    EXPECT_EQ(settings.mapping.destination[0], 0) << "ERASE_BKG goes to layer 0 whatever its theme";
    EXPECT_EQ(settings.mapping.destination[1], 2) << "the first layer with the theme";
    EXPECT_EQ(settings.mapping.destination[2], 0) << "a theme the project lacks goes to layer 0, not to none";
    EXPECT_EQ(settings.mapping.destination[4], kNoLayer);
    EXPECT_EQ(dialog.lines(), (std::vector<std::string>{
                                  "0: Ground [WATER]           0: Land [LAND]",
                                  "1: Highways [ROADS]         2: Streets [ROADS]",
                                  "2: Tracks [RAILWAYS]        0: Land [LAND]",
                                  "3: Thirty characters long name xx [ROADS]2: Streets [ROADS]",
                              }));
}

TEST(ImportProjectDialog, DeselectAllEditAndMatchAgain) {
    ScratchDir dir;
    Project p;
    fill_destination(p);
    ImportSettings settings;
    clear_import_settings(settings, write_source(dir));
    ImportProjectDialog dialog(p, settings);
    dialog.open();

    dialog.deselect_all();
    ASSERT_EQ(dialog.lines().size(), 4u);
    for (const std::string& line : dialog.lines())
        EXPECT_TRUE(line.ends_with("]None") || line.ends_with(" None")) << line;

    EXPECT_FALSE(dialog.edit()) << "no selected line";
    dialog.selected = 2;
    ASSERT_TRUE(dialog.edit());
    EXPECT_EQ(settings.mapping.edited_line, 2);
    dialog.translation_chosen(3);
    EXPECT_EQ(settings.mapping.destination[2], 3);
    EXPECT_EQ(dialog.lines()[2], "2: Tracks [RAILWAYS]        3: More streets [ROADS]");

    dialog.match_themes();
    EXPECT_EQ(settings.mapping.destination[2], 0);
    EXPECT_EQ(dialog.ok(), DialogResult::kOk);
    EXPECT_TRUE(dialog.destination_choices().empty()) << "released when the dialog closes";
}

TEST(ImportProjectDialog, UnreadableFileGivesAnEmptyListAndNoLayersMapToNone) {
    ScratchDir dir;
    Project p;
    fill_destination(p);
    ImportSettings settings;
    clear_import_settings(settings, dir.file("missing.mpr"));
    ImportProjectDialog dialog(p, settings);
    dialog.open();
    EXPECT_EQ(dialog.source_layer_count(), 0);
    EXPECT_TRUE(dialog.lines().empty());

    Project empty;
    ImportSettings to_empty;
    clear_import_settings(to_empty, write_source(dir));
    ImportProjectDialog no_layers(empty, to_empty);
    no_layers.open();
    EXPECT_EQ(to_empty.mapping.destination[1], kNoLayer) << "there is no layer 0 to fall back to";
    EXPECT_EQ(no_layers.lines()[1].substr(28), "None");
}

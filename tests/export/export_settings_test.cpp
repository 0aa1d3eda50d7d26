#include "export/export_settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "export/map_id_table.h"
#include "export_fixture.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(ExportSettings, ResetTakesEveryLayerWithTheZoomCategoryOfItsTheme) {
    Project project;
    const uint8_t themes[] = {kThemeLand,  kThemeParks,  kThemeWater,  kThemeRailways,
                              kThemeRoads, kThemePlaces, kThemeRoutes, kThemeWater};
    for (uint8_t t : themes) add_layer(project, "l", t);
    ExportSettings settings;
    settings.flags = kExportMapNotes;
    settings.region_level_count = 1;
    set_field(settings.map_name, "old");
    reset_export_settings(settings, project, "", "");

    EXPECT_EQ(settings.visible_layer_count, 8);
    const int16_t expected[] = {5, 5, 3, 4, 0, 6, 0, 3};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(settings.visible_layers[i], i);
        EXPECT_EQ(settings.layer_props[i].min_zoom_category, expected[i]) << i;
        EXPECT_EQ(settings.layer_props[i].single_list, 0);
    }
    EXPECT_EQ(settings.map_class, kMapClassLarge);
    EXPECT_EQ(settings.preferences.reserved, 0xFF);
    EXPECT_EQ(settings.preferences.auto_detail, kAutoDetailPoints);
    EXPECT_EQ(settings.preferences.initial_zoom, 0);
    EXPECT_EQ(settings.preferences.names_zoom, 0);
    EXPECT_EQ(settings.flags, 0);  // cleared, and nothing to publish
    EXPECT_EQ(settings.region_level_count, 0);
    EXPECT_EQ(field_text(settings.map_name), "");
    EXPECT_EQ(settings.has_map_preferences, 0);
}

TEST(ExportSettings, PublisherFlagFollowsThePublisherTexts) {
    Project project;
    ExportSettings settings;
    reset_export_settings(settings, project, "(c) Me", "");
    EXPECT_EQ(settings.flags, kExportPublisherInfo);
    reset_export_settings(settings, project, "", "me@example.org");
    EXPECT_EQ(settings.flags, kExportPublisherInfo);
    reset_export_settings(settings, project, "", "");
    EXPECT_EQ(settings.flags, 0);
}

TEST(ExportSettings, CheckRefusesWhatTheEngineCannotExport) {
    Project project;
    add_layer(project, "a");
    ExportSettings settings = default_settings(project);
    EXPECT_TRUE(check_export_settings(settings, project).ok);
    settings.map_class = 0x84;
    EXPECT_EQ(check_export_settings(settings, project).message, "Error: unknown map class 0x84!\r\n");
    settings.map_class = 0x80;
    EXPECT_FALSE(check_export_settings(settings, project).ok);
    settings.map_class = 0x02;  // 32 KB data records: a class the dialog never offers, but valid
    EXPECT_TRUE(check_export_settings(settings, project).ok);
    settings.visible_layers[0] = 1;
    EXPECT_EQ(check_export_settings(settings, project).message, "Error: layer 1 does not exist!\r\n");
    settings.visible_layers[0] = 0;
    settings.region_level_count = 1;
    settings.region_source_layer = 5;
    EXPECT_EQ(check_export_settings(settings, project).message, "Error: region layer 5 does not exist!\r\n");
}

TEST(MapIdTable, ReadsTabSeparatedNamesAndIds) {
    MapIdTable table;
    parse_map_id_table(table, "Sydney\t17\r\n\tMelbourne\t\t\t-3\tignored\nno-id-here\n\n\t\t\nsydney\t99\n");
    ASSERT_EQ(table.count, 3);
    EXPECT_EQ(lookup_map_id(table, "SYDNEY"), 17);  // case-insensitive, first entry wins
    EXPECT_EQ(lookup_map_id(table, "melbourne"), -3);
    EXPECT_EQ(lookup_map_id(table, "no-id-here"), 0);
    EXPECT_EQ(lookup_map_id(table, "Perth"), 0);
    EXPECT_EQ(lookup_map_id(table, "Sydney 17"), 0);
}

TEST(MapIdTable, LongLinesAreReadInPiecesOf79) {
    MapIdTable table;
    // 79 characters fill the first piece; the rest of the line is a line of its own.
    const std::string first(79, 'a');
    parse_map_id_table(table, first + "Hobart\t5\n");
    ASSERT_EQ(table.count, 1);
    EXPECT_EQ(lookup_map_id(table, "Hobart"), 5);
    // A name cut by the piece boundary keeps no ID from the next piece.
    parse_map_id_table(table, std::string(75, 'b') + "\t12345678\n");
    ASSERT_EQ(table.count, 1);
    EXPECT_EQ(lookup_map_id(table, std::string(75, 'b')), 123);
}

TEST(MapIdTable, HoldsAtMost400EntriesAndAMissingFileGivesZero) {
    std::string text;
    for (int i = 0; i < 450; ++i) text += "m" + std::to_string(i) + "\t" + std::to_string(i + 1) + "\n";
    MapIdTable table;
    parse_map_id_table(table, text);
    EXPECT_EQ(table.count, kMaxMapIds);
    EXPECT_EQ(lookup_map_id(table, "m399"), 400);
    EXPECT_EQ(lookup_map_id(table, "m400"), 0);

    TempDir dir;
    read_map_id_table(table, dir.file("map-id.txt"));
    EXPECT_EQ(table.count, 0);
    std::ofstream(dir.file("map-id.txt"), std::ios::binary) << "\tSydney\t17\r\n";
    read_map_id_table(table, dir.file("map-id.txt"));
    EXPECT_EQ(lookup_map_id(table, "SYDNEY"), 17);
}

// The export dialog's pages: what they show, what "Export" stores and checks, and the two sub-dialogs.
#include "export/export_dialog.h"

#include <gtest/gtest.h>

#include "model/text.h"
#include "support/export_samples.h"
#include "support/object_builders.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct ExportDialogTest : ::testing::Test {
    ExportDialogTest() {
        set_field(project.file_base_name, "SYDNEY");
        set_field(project.name, "Sydney Streets");
        set_field(project.parent_map_basename, "nsw");
        project.coord_sys = kCoordDegrees;
        project.range = {151000000, -34000000, 500000, 400000};
        add_layer(project, "Roads", kThemeRoads);
        add_layer(project, "Water", kThemeWater);
        add_layer(project, "Places", kThemePlaces);
        reset_export_settings(settings, project, "", "");
        dir.write("map-id.txt", bytes("Sydney\t17\r\n\tNSW\t\t9\r\nother\t3\n"));
    }
    static std::vector<uint8_t> bytes(std::string_view s) { return {s.begin(), s.end()}; }

    ExportDialog opened() { return opened_export_dialog(project, settings, map_ids, dir.file("map-id.txt")); }

    ScratchDir dir;
    Project project;
    ExportSettings settings;
    MapIdTable map_ids;
    ScriptedHost host;
};

}  // namespace

TEST_F(ExportDialogTest, OpeningRereadsTheMapIdsAndFillsEveryPage) {
    map_ids.count = 1;  // a stale entry must go
    set_field(map_ids.entries[0].base_name, "stale");
    settings.region_level_count = 1;
    set_field(settings.region_level_name, "Suburbs");
    settings.region_source_layer = 1;
    settings.flags = kExportPublisherInfo | kExportMapNotes;
    settings.has_map_preferences = 1;
    settings.map_class = kMapClassMedium;

    ExportDialog d = opened();
    EXPECT_EQ(map_ids.count, 3);
    EXPECT_EQ(d.current_tab, kExportTabId);
    EXPECT_EQ(d.id.map_name, "Sydney Streets");
    EXPECT_EQ(d.id.map_id, "17");
    EXPECT_EQ(d.id.parent_id, "9");
    EXPECT_EQ(d.layers.visible,
              (std::vector<std::string>{"0: Roads [ROADS]", "1: Water [WATER]", "2: Places [PLACES]"}));
    EXPECT_TRUE(d.layers.ignored.empty());
    EXPECT_TRUE(d.regions.has_level);
    EXPECT_EQ(d.regions.level_name, "Suburbs");
    EXPECT_EQ(d.regions.source_layer, 1);
    EXPECT_EQ(d.regions.layers.size(), 3u);
    EXPECT_TRUE(d.misc.publisher_info);
    EXPECT_FALSE(d.misc.map_notes);  // always starts clear
    EXPECT_TRUE(d.misc.has_preferences);
    EXPECT_EQ(d.misc.map_class, 1);
    EXPECT_EQ(d.misc.category_theme_id, "");

    // Without the file every ID is 0.
    ExportDialog again(project, settings);
    again.open(map_ids, dir.file("missing.txt"));
    EXPECT_EQ(again.id.map_id, "0");
    EXPECT_EQ(again.id.parent_id, "0");
}

TEST_F(ExportDialogTest, ExportChecksThePagesInTabOrderAndStaysAtTheFirstFailure) {
    ExportDialog d = opened();
    d.id.map_name = "";
    d.layers.selected_visible = 0;
    d.remove_layer();
    d.layers.selected_visible = 0;
    d.remove_layer();
    d.layers.selected_visible = 0;
    d.remove_layer();
    d.more_regions(host);
    d.select_tab(kExportTabMisc);

    EXPECT_FALSE(d.export_pressed(host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "You need to provide a map name.");
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(d.current_tab, kExportTabId);
    EXPECT_FALSE(d.accepted());
    // Every page was stored before the checks.
    EXPECT_EQ(settings.visible_layer_count, 0);
    EXPECT_EQ(settings.region_level_count, 1);

    d.id.map_name = "Sydney";
    EXPECT_FALSE(d.export_pressed(host));
    EXPECT_EQ(host.last_message(), "You need to add at least one layer");
    EXPECT_EQ(d.current_tab, kExportTabLayers);

    d.layers.selected_ignored = 1;
    d.add_layer(host);
    EXPECT_FALSE(d.export_pressed(host));
    EXPECT_EQ(host.last_message(), "You need to supply names for the region level(s)");
    EXPECT_EQ(d.current_tab, kExportTabRegions);

    d.regions.level_name = "A region level name too long";
    EXPECT_TRUE(d.export_pressed(host));
    EXPECT_TRUE(d.accepted());
    EXPECT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(field_text(settings.map_name), "Sydney");
    EXPECT_EQ(settings.visible_layer_count, 1);
    EXPECT_EQ(settings.visible_layers[0], 1);
    EXPECT_EQ(field_text(settings.region_level_name), "A region level ");  // 15 characters

    d.id.map_name = "  \t ";  // shows as no name at all
    EXPECT_FALSE(d.export_pressed(host));
    EXPECT_EQ(host.last_message(), "You need to provide a map name.");
    EXPECT_EQ(d.current_tab, kExportTabId);

    // An ID the file cannot hold is refused on its page rather than written as another one.
    d.id.map_name = "Sydney";
    for (const char* bad : {"65536", "-1", "99999999999"}) {
        d.select_tab(kExportTabMisc);
        d.id.parent_id = bad;
        EXPECT_FALSE(d.export_pressed(host));
        EXPECT_EQ(host.last_message(), "Parent ID must be a number from 0 to 65535.");
        EXPECT_EQ(d.current_tab, kExportTabId);
    }
    d.id.parent_id = "65535";
    EXPECT_TRUE(d.export_pressed(host));
    EXPECT_EQ(uint16_t(settings.parent_map_id), 65535);
}

TEST_F(ExportDialogTest, TheMiscPageRewritesTheWholeFlagsWord) {
    settings.flags = kExportSelectionOnly | kExportPublisherInfo;
    ExportDialog d = opened();
    EXPECT_TRUE(d.misc.publisher_info);
    EXPECT_TRUE(d.misc.selection_only);  // shown by the hidden box, never stored

    d.misc.map_notes = true;
    d.misc.publisher_info = false;
    d.misc.map_class = 0;
    ASSERT_TRUE(d.export_pressed(host));
    EXPECT_EQ(settings.flags, kExportMapNotes);
    EXPECT_EQ(settings.map_class, kMapClassSmall);

    d.misc.map_notes = false;
    d.misc.publisher_info = true;
    d.misc.has_preferences = true;
    d.misc.map_class = 2;
    ASSERT_TRUE(d.export_pressed(host));
    EXPECT_EQ(settings.flags, kExportPublisherInfo);
    EXPECT_EQ(settings.has_map_preferences, 1);
    EXPECT_EQ(settings.map_class, kMapClassLarge);

    d.misc.map_notes = true;
    ASSERT_TRUE(d.export_pressed(host));
    EXPECT_EQ(settings.flags, kExportPublisherInfo | kExportMapNotes);
}

TEST_F(ExportDialogTest, TheIdPageStoresNumbersAndCutsTheName) {
    ExportDialog d = opened();
    d.id.map_name = std::string(40, 'N');
    d.id.map_id = "abc";
    d.id.parent_id = "  5";
    ASSERT_TRUE(d.export_pressed(host));
    EXPECT_EQ(field_text(settings.map_name), std::string(31, 'N'));
    EXPECT_EQ(settings.map_id, 0);
    EXPECT_EQ(settings.parent_map_id, 5);

    EXPECT_EQ(parse_map_id_text("42xyz"), 42);
    EXPECT_EQ(parse_map_id_text("65535"), -1);  // the same 16 bits
    EXPECT_EQ(parse_map_id_text("70000"), 0);   // not a 16-bit number
    EXPECT_EQ(parse_map_id_text("-"), 0);
    EXPECT_EQ(parse_map_id_text(""), 0);
}

TEST_F(ExportDialogTest, TheVisibleLayerOrderOfOneExportIsShownAtTheNextOpening) {
    {
        ExportDialog first = opened();
        first.layers.selected_visible = 0;
        first.remove_layer();
        EXPECT_EQ(first.layers.ignored, (std::vector<std::string>{"0: Roads [ROADS]"}));
        first.layers.selected_ignored = 0;
        first.add_layer(host);
        ASSERT_TRUE(first.export_pressed(host));
    }
    EXPECT_EQ(settings.visible_layer_count, 3);
    EXPECT_EQ(settings.visible_layers[0], 1);
    EXPECT_EQ(settings.visible_layers[2], 0);
    {
        // A visit that ends with Cancel stores nothing.
        ExportDialog cancelled = opened();
        cancelled.layers.selected_visible = 0;
        cancelled.remove_layer();
    }
    ExportDialog second = opened();
    EXPECT_EQ(second.layers.visible,
              (std::vector<std::string>{"1: Water [WATER]", "2: Places [PLACES]", "0: Roads [ROADS]"}));
    EXPECT_TRUE(second.layers.ignored.empty());
}

TEST_F(ExportDialogTest, LayerNumbersThatNoLongerExistAreNotOffered) {
    settings.visible_layer_count = 3;
    settings.visible_layers[0] = 2;
    settings.visible_layers[1] = 7;  // from a larger layer table
    settings.visible_layers[2] = 2;  // listed twice
    ExportDialog d = opened();
    EXPECT_EQ(d.layers.visible, (std::vector<std::string>{"2: Places [PLACES]"}));
    EXPECT_EQ(d.layers.ignored, (std::vector<std::string>{"0: Roads [ROADS]", "1: Water [WATER]"}));
}

TEST_F(ExportDialogTest, ListButtonsWithoutSelectionAndAtTheLimit) {
    ExportDialog d = opened();
    d.add_layer(host);
    d.remove_layer();
    d.layers.selected_visible = 5;
    d.remove_layer();
    EXPECT_EQ(d.layers.visible.size(), 3u);
    EXPECT_TRUE(host.messages.empty());

    d.layers.visible.assign(kMaxExportLayers, "0: Roads [ROADS]");
    d.layers.ignored = {"1: Water [WATER]"};
    d.layers.selected_ignored = 0;
    d.add_layer(host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Maximum visible layers reached");
    EXPECT_EQ(host.messages[0].caption, "Notice");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(d.layers.visible.size(), size_t(kMaxExportLayers));
    EXPECT_EQ(d.layers.ignored.size(), 1u);
}

TEST_F(ExportDialogTest, RegionLevelsMoreAndFewer) {
    ExportDialog d = opened();
    d.fewer_regions();  // nothing to remove
    EXPECT_FALSE(d.regions.has_level);
    d.more_regions(host);
    EXPECT_TRUE(d.regions.has_level);
    EXPECT_EQ(d.regions.level_name, "");
    EXPECT_EQ(d.regions.source_layer, 0);
    d.regions.level_name = "Suburbs";
    d.regions.source_layer = 2;
    d.more_regions(host);
    EXPECT_EQ(host.last_message(), "Maximum Region Levels reached.");
    EXPECT_EQ(host.messages.back().caption, "Error");
    EXPECT_EQ(d.regions.level_name, "Suburbs");
    ASSERT_TRUE(d.export_pressed(host));
    EXPECT_EQ(settings.region_level_count, 1);
    EXPECT_EQ(settings.region_source_layer, 2);
    d.fewer_regions();
    ASSERT_TRUE(d.export_pressed(host));
    EXPECT_EQ(settings.region_level_count, 0);
}

TEST_F(ExportDialogTest, ExportSetsTheGeoEdgesOfADecimalDegreeProject) {
    ExportDialog d = opened();
    d.id.map_name = "";
    EXPECT_FALSE(d.export_pressed(host));  // set before the checks
    EXPECT_EQ(project.geo.west, 151000000);
    EXPECT_EQ(project.geo.east, 151500000);
    EXPECT_EQ(project.geo.south, -34000000);
    EXPECT_EQ(project.geo.north, -33600000);

    project.coord_sys = kCoordArbitrary;
    project.geo = GeoInfo{};
    d.id.map_name = "x";
    ASSERT_TRUE(d.export_pressed(host));
    EXPECT_EQ(project.geo.east, 0);
}

TEST_F(ExportDialogTest, LayerPropertiesEditTheChosenLayerOnlyOnOk) {
    ExportDialog d = opened();
    EXPECT_FALSE(d.layer_properties(host));  // no visible layer selected
    d.layers.selected_visible = 2;
    host.answer_dialog("Layer Properties", [](DialogModel& model) {
        auto& p = dynamic_cast<LayerPropertiesDialog&>(model);
        EXPECT_EQ(p.layer, 2);
        EXPECT_EQ(p.zoom_category, 6);  // PLACES
        EXPECT_EQ(p.tree_depth, 1);     // "5"
        EXPECT_FALSE(p.cache_searches);
        p.zoom_category = 7;
        p.tree_depth = 0;
        p.cache_searches = true;
        return 0;
    });
    EXPECT_FALSE(d.layer_properties(host));
    EXPECT_EQ(settings.layer_props[2].min_zoom_category, 6);

    host.answer_dialog("Layer Properties", [](DialogModel& model) {
        auto& p = dynamic_cast<LayerPropertiesDialog&>(model);
        p.zoom_category = 7;
        p.tree_depth = 0;
        p.cache_searches = true;
        return 1;
    });
    EXPECT_TRUE(d.layer_properties(host));
    EXPECT_EQ(settings.layer_props[2].min_zoom_category, 7);
    EXPECT_EQ(settings.layer_props[2].single_list, 1);
    EXPECT_EQ(settings.layer_props[2].cache_searches, 1);
    EXPECT_EQ(settings.layer_props[1].min_zoom_category, 3);
}

TEST_F(ExportDialogTest, MapPreferencesStoreEveryZoomAndTheAutoDetailByte) {
    ExportDialog d = opened();
    host.answer_dialog("Map Preferences", [](DialogModel& model) {
        auto& p = dynamic_cast<MapPreferencesDialog&>(model);
        EXPECT_EQ(p.initial_zoom, 0);
        EXPECT_EQ(p.names_zoom, 1);  // "x1"
        EXPECT_EQ(p.add_zoom, 0);
        EXPECT_TRUE(p.point_features);
        EXPECT_FALSE(p.roads);
        p.initial_zoom = 4;
        p.group_zoom[3] = 2;
        p.group_zoom[7] = 4;
        p.names_zoom = 0;  // "Never"
        p.add_zoom = 2;
        p.roads = true;
        p.point_features = false;
        return 1;
    });
    EXPECT_TRUE(d.preference_details(host));
    const MapPreferences& p = settings.preferences;
    EXPECT_EQ(p.initial_zoom, 4);
    EXPECT_EQ(p.group_zoom[3], 2);
    EXPECT_EQ(p.group_zoom[7], 4);
    EXPECT_EQ(p.group_zoom[0], 0);
    EXPECT_EQ(p.names_zoom, kNamesZoomNever);
    EXPECT_EQ(p.auto_detail, 2 | kAutoDetailRoads);
    EXPECT_EQ(p.reserved, 0xFF);

    // Reopened, the dialog shows what was stored; Cancel keeps it.
    host.answer_dialog("Map Preferences", [](DialogModel& model) {
        auto& q = dynamic_cast<MapPreferencesDialog&>(model);
        EXPECT_EQ(q.names_zoom, 0);
        EXPECT_EQ(q.add_zoom, 2);
        EXPECT_TRUE(q.roads);
        q.names_zoom = 5;
        return 0;
    });
    EXPECT_FALSE(d.preference_details(host));
    EXPECT_EQ(settings.preferences.names_zoom, kNamesZoomNever);
}

TEST_F(ExportDialogTest, SizeShowsEveryClassAndTheFitChoicesReachOnlyTheSettings) {
    add_line(project.layers[0], "George St", {{151100000, -33900000}, {151200000, -33800000}});
    ExportDialog d = opened();
    d.misc.simplify = "2.5";
    d.misc.fit_map_class = true;
    d.size_pressed(host);
    EXPECT_EQ(settings.fit.simplify, 0);  // "Size..." measures without storing
    EXPECT_NE(d.misc.size_report.find("Small: Data area: "), std::string::npos) << d.misc.size_report;
    EXPECT_NE(d.misc.size_report.find("Large: Data area: "), std::string::npos);

    d.misc.min_area = "a lot";
    EXPECT_FALSE(d.export_pressed(host));
    EXPECT_EQ(d.current_tab, kExportTabMisc);
    d.misc.min_area = "";
    ASSERT_TRUE(d.export_pressed(host));
    EXPECT_EQ(settings.fit.simplify, 2.5);
    EXPECT_TRUE(settings.fit.fit_map_class);
    EXPECT_EQ(settings.fit.min_area, 0);
}

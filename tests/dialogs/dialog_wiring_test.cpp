// The editor's commands reaching the dialog models they open.
#include <gtest/gtest.h>

#include "dialogs/about_dialog.h"
#include "dialogs/group_properties_dialog.h"
#include "dialogs/object_details_dialog.h"
#include "dialogs/select_objects_dialog.h"
#include "dialogs/simple_point_dialog.h"
#include "editor/command_ids.h"
#include "editor/commands.h"
#include "editor/project_dialog_commands.h"
#include "export/publisher_dialog.h"
#include "model/vocabulary.h"
#include "project/background_bitmaps_dialog.h"
#include "project/geo_info_dialog.h"
#include "project/project_properties_dialog.h"
#include "support/object_builders.h"
#include "support/scripted_host.h"

namespace plotwell {
namespace {

using test::add_layer;
using test::add_line;
using test::add_point;
using test::ScriptedHost;

struct WiringTest : ::testing::Test {
    WiringTest() {
        set_field(ws.project.file_base_name, "city");
        ws.project.range = {0, 0, 1000, 600};
        ws.view.view_rect = {0, 30, 1000, 630};
        ws.view.origin_x = 500;
        ws.view.origin_y = 300;
        ws.view.zoom = 0.5f;
        ws.category_choices = {{"Food"}, {{"Cafe", "Bar"}}};
    }
    CommandResult command(int id) { return handle_command(ctx, id); }

    Workspace ws;
    ScriptedHost host;
    EditorContext ctx{ws, host};
};

TEST_F(WiringTest, ProjectPropertiesOkChangesTheRangeAndMarksTheProject) {
    host.answer_dialog("Project Properties", [](DialogModel& d) {
        auto& m = dynamic_cast<ProjectPropertiesModel&>(d);
        m.x_max = "2000";
        return m.ok() ? 1 : 0;
    });
    EXPECT_EQ(command(cmd::kProjectProperties), CommandResult::Done);
    EXPECT_EQ(ws.project.range.width, 2000);
    EXPECT_EQ(ws.project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");
    EXPECT_EQ(ws.view.origin_x, 1000);  // fitted to the new range

    // Confirmed without a change, it marks nothing.
    ws.project.modified = 0;
    host.answer_dialog("Project Properties",
                       [](DialogModel& d) { return dynamic_cast<ProjectPropertiesModel&>(d).ok() ? 1 : 0; });
    command(cmd::kProjectProperties);
    EXPECT_EQ(ws.project.modified, 0);
}

TEST_F(WiringTest, ProjectPropertiesCancelChangesNothing) {
    host.answer_dialog("Project Properties", [](DialogModel& d) {
        auto& m = dynamic_cast<ProjectPropertiesModel&>(d);
        m.name = "Other";
        m.x_max = "5";
        return 0;
    });
    command(cmd::kProjectProperties);
    EXPECT_EQ(ws.project.range, (CoordRange{0, 0, 1000, 600}));
    EXPECT_EQ(field_text(ws.project.name), "");
}

TEST_F(WiringTest, GeoInfoDividesByTheSelectionRectangle) {
    ws.editor.selection_rect = {100, 0, 600, 50};
    host.answer_dialog("Geographic Info", [](DialogModel& d) {
        auto& m = dynamic_cast<GeoInfoModel&>(d);
        m.select_mode(kGeoScale);
        m.km = "5";
        return m.ok() ? 1 : 0;
    });
    command(cmd::kGeoInfo);
    EXPECT_EQ(ws.project.geo.mode, kGeoScale);
    EXPECT_EQ(ws.project.geo.scale, 50 * 1000 / 500);
    EXPECT_EQ(ws.project.modified, 1);
}

TEST_F(WiringTest, GeoInfoConfirmedUntouchedKeepsTheEdgesExactly) {
    ws.project.geo = GeoInfo{kGeoScaleAndPos, 0, 8530000, 8540000, 47285000, 47295000};
    host.answer_dialog("Geographic Info", [](DialogModel& d) {
        auto& m = dynamic_cast<GeoInfoModel&>(d);
        m.edges[GeoInfoModel::kNorth] = "47.5";
        return m.ok() ? 1 : 0;
    });
    command(cmd::kGeoInfo);
    EXPECT_EQ(ws.project.geo.west, 8530000);
    EXPECT_EQ(ws.project.geo.east, 8540000);
    EXPECT_EQ(ws.project.geo.north, 47500000);  // only the edited field is read
    EXPECT_EQ(ws.project.modified, 1);
    ws.project.modified = 0;
    host.answer_dialog("Geographic Info",
                       [](DialogModel& d) { return dynamic_cast<GeoInfoModel&>(d).ok() ? 1 : 0; });
    command(cmd::kGeoInfo);
    EXPECT_EQ(ws.project.geo.north, 47500000);
    EXPECT_EQ(ws.project.modified, 0);
}

TEST_F(WiringTest, NewBackgroundBitmapWithoutFileNorSizeIsPlacedAtTheMapCorner) {
    host.answer_dialog("Background Bitmaps", [](DialogModel& d) {
        auto& m = dynamic_cast<BackgroundBitmapsModel&>(d);
        m.new_bitmap();
        return 1;
    });
    host.answer_dialog("Bitmap Properties", [](DialogModel& d) {
        auto& m = dynamic_cast<BitmapPropertiesModel&>(d);
        m.visible = false;  // nothing to load
        return m.ok() ? 1 : 0;
    });
    command(cmd::kBackgroundBitmaps);
    ASSERT_EQ(ws.project.bitmaps.count, 1);
    const BackgroundBitmap& b = ws.project.bitmaps.entries[0];
    EXPECT_EQ(b.width, 200);  // 100 pixels at zoom 0.5
    EXPECT_EQ(b.height, 200);
    EXPECT_EQ(b.x, default_bitmap_placement(ws.view, ws.project).x);
    EXPECT_EQ(b.x, -500);  // the map area's left edge
    EXPECT_EQ(b.y, -300);  // its top edge (y points down)
    EXPECT_EQ(ws.project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");
}

TEST_F(WiringTest, PlacementUsesTheBottomEdgeWithDecimalDegrees) {
    ws.project.coord_sys = kCoordDegrees;
    const BitmapPlacement p = default_bitmap_placement(ws.view, ws.project);
    const Point bottom_left = screen_to_world(ws.view, ws.project, {0, 630});
    EXPECT_EQ(p.x, bottom_left.x);
    EXPECT_EQ(p.y, bottom_left.y);
}

TEST_F(WiringTest, PublisherDetailsOkStoresCancelKeeps) {
    set_field(ws.publisher.publisher_notice, "(c) Old");
    host.answer_dialog("Publisher Details", [](DialogModel& d) {
        auto& m = dynamic_cast<PublisherDetailsModel&>(d);
        EXPECT_EQ(m.copyright, "(c) Old");
        m.copyright = "(c) Someone else";
        return 0;
    });
    host.answer_dialog("Publisher Details", [](DialogModel& d) {
        auto& m = dynamic_cast<PublisherDetailsModel&>(d);
        m.copyright = std::string(40, 'c');
        m.contact = "line 1\nline 2" + std::string(200, 'x');
        return m.ok() ? 1 : 0;
    });
    command(cmd::kPublisherSettings);
    EXPECT_EQ(field_text(ws.publisher.publisher_notice), "(c) Old");
    command(cmd::kPublisherSettings);
    EXPECT_EQ(field_text(ws.publisher.publisher_notice), std::string(31, 'c'));
    EXPECT_EQ(field_text(ws.publisher.contact), ("line 1\nline 2" + std::string(200, 'x')).substr(0, 127));
    EXPECT_EQ(ws.project.modified, 0);
}

TEST_F(WiringTest, AboutShowsTheVersion) {
    host.answer_dialog("About Plotwell", [](DialogModel& d) {
        EXPECT_STREQ(dynamic_cast<AboutModel&>(d).kVersion, "Plotwell ver 2.4");
        return 0;
    });
    EXPECT_EQ(command(cmd::kAbout), CommandResult::Done);
    EXPECT_EQ(host.dialogs, std::vector<std::string>{"About Plotwell"});
}

TEST_F(WiringTest, PropertiesOfASimplePointRunItsModel) {
    Layer& layer = add_layer(ws.project, "Places", kThemePlaces);
    MapObject* p = add_point(layer, "Town hall", {10, 10});
    set_icon_code(p, 66);
    set_current_layer(ws.editor, 0);
    ws.editor.current_objects = {p};
    host.answer_dialog("Simple Point Object", [](DialogModel& d) {
        auto& m = dynamic_cast<SimplePointModel&>(d);
        EXPECT_EQ(m.list_selection, 2);
        m.choose(SimplePointModel::kLabel);
        return 0;  // Cancel
    });
    host.answer_dialog("Simple Point Object", [](DialogModel& d) {
        auto& m = dynamic_cast<SimplePointModel&>(d);
        m.choose(SimplePointModel::kLabel);
        m.list_selection = 1;
        return m.ok() ? 1 : 0;
    });
    command(cmd::kProperties);
    EXPECT_EQ(icon_code(p), 66);
    EXPECT_EQ(ws.project.modified, 0);
    command(cmd::kProperties);
    EXPECT_EQ(icon_code(p), 128);
    EXPECT_EQ(ws.project.modified, 1);
}

TEST_F(WiringTest, PropertiesOfACategoryPointAndALine) {
    Layer& layer = add_layer(ws.project, "Places", kThemePlaces);
    MapObject* cafe = add_point(layer, "Joe's", {10, 10}, kCatPntFeature, 0, 0);
    MapObject* road = add_line(layer, "Main", {{0, 0}, {9, 9}});
    set_current_layer(ws.editor, 0);
    host.answer_dialog("Category Point Object", [](DialogModel& d) {
        auto& m = dynamic_cast<CategoryPointModel&>(d);
        EXPECT_EQ(m.categories, std::vector<std::string>{"Food"});
        m.select_sub_type(1);
        return m.ok() ? 1 : 0;
    });
    host.answer_dialog("Line Details", [](DialogModel& d) {
        auto& m = dynamic_cast<ObjectDetailsModel&>(d);
        m.type = kRailroad;
        return m.ok() ? 1 : 0;
    });
    ws.editor.current_objects = {cafe};
    command(cmd::kProperties);
    EXPECT_EQ(object_sub_type(cafe), 1);
    EXPECT_EQ(ws.editor.last_category.sub_type, 1);  // the editor remembers the confirmed category
    ws.editor.current_objects = {road};
    command(cmd::kProperties);
    EXPECT_EQ(road->type, kRailroad);
}

TEST_F(WiringTest, GroupPropertiesAndSelectByType) {
    Layer& layer = add_layer(ws.project, "Roads", kThemeRoads);
    MapObject* a = add_line(layer, "a", {{0, 0}, {9, 9}}, kDimLine, kRoad3);
    MapObject* b = add_line(layer, "b", {{0, 0}, {9, 9}}, kDimLine, kRoad4);
    add_point(layer, "p", {1, 1});
    set_current_layer(ws.editor, 0);
    ws.editor.current_objects = {a, b};
    host.answer_dialog("Group Object Properties", [](DialogModel& d) {
        auto& m = dynamic_cast<GroupPropertiesModel&>(d);
        EXPECT_EQ(m.type_selection, kRoad3);  // the first current object's type
        m.type_selection = kHighway;
        return m.ok() ? 1 : 0;
    });
    command(cmd::kProperties);
    EXPECT_EQ(a->type, kHighway);
    EXPECT_EQ(b->type, kHighway);

    b->type = kFreeway;
    host.answer_dialog("Select Objects", [](DialogModel& d) {
        auto& m = dynamic_cast<SelectObjectsModel&>(d);
        m.select_dimension(kDimLine);
        m.select_type(1 + kHighway);
        return m.ok() ? 1 : 0;
    });
    host.answer_dialog("Select Objects", [](DialogModel& d) {
        auto& m = dynamic_cast<SelectObjectsModel&>(d);
        m.select_dimension(kDimLine);  // any line
        return m.ok() ? 1 : 0;
    });
    ws.editor.current_objects.clear();
    command(cmd::kSelectByType);
    EXPECT_EQ(ws.editor.current_objects, std::vector<MapObject*>{a});
    ws.editor.current_objects.clear();
    command(cmd::kSelectByType);
    EXPECT_EQ(ws.editor.current_objects.size(), 2u);
}

TEST_F(WiringTest, WithoutAProjectPropertiesOnlySetsTheTitle) {
    set_field(ws.project.file_base_name, "");
    EXPECT_EQ(command(cmd::kProjectProperties), CommandResult::Done);
    EXPECT_TRUE(host.dialogs.empty());
    host.answer_dialog("Geographic Info", [](DialogModel&) { return 0; });
    EXPECT_EQ(command(cmd::kGeoInfo), CommandResult::Done);
    EXPECT_EQ(host.dialogs, std::vector<std::string>{"Geographic Info"});
}

}  // namespace
}  // namespace plotwell

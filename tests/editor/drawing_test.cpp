#include "editor/drawing.h"

#include "dialogs/object_details_dialog.h"
#include "editor/command_ids.h"
#include "editor_fixture.h"
#include "model/vocabulary.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct Drawing : EditorFixture {
    Drawing() {
        add_layer(project, "roads", kThemeRoads);
        add_layer(project, "lakes", kThemeWater);
        add_layer(project, "rail", kThemeRailways);
        add_layer(project, "land", kThemeLand);
        editor.current_layer = 0;
    }

    // Answers the new-object dialog with OK, naming the object and choosing its type.
    void confirm_new(const std::string& title, const char* name, uint8_t type) {
        host.answer_dialog(title, [name, type](DialogModel& m) {
            auto& d = dynamic_cast<ObjectDetailsModel&>(m);
            d.name = name;
            d.type = type;
            return d.ok() ? 1 : 0;
        });
    }

    MapObject* newest(int layer = 0) { return project.layers[layer].objects; }
};

}  // namespace

TEST_F(Drawing, APolygonClosedOnItsFirstPointStoresEachVertexOnce) {
    command(cmd::kNewPolygon);
    ASSERT_EQ(editor.tool_mode, kToolPolygon);
    click(at(100, 100));
    click(at(200, 100));
    click(at(200, 200));
    EXPECT_TRUE(host.beeps.empty());
    confirm_new("Polygon Details", "pond", kOpenSpace);
    click(at(103, 102));  // within 5 pixels of the first point

    EXPECT_EQ(host.beeps, std::vector<BeepKind>{BeepKind::Default});
    EXPECT_EQ(host.dialogs, std::vector<std::string>{"Polygon Details"});
    MapObject* o = newest();
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->dimension, kDimPolygon);
    ASSERT_EQ(object_point_count(o), 3);
    EXPECT_EQ(object_points(o)[0], (Point{100, 100}));
    EXPECT_EQ(object_points(o)[2], (Point{200, 200}));
    EXPECT_EQ(field_text(o->name), "pond");
    EXPECT_EQ(o->type, kOpenSpace);
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{o});
    EXPECT_EQ(editor.last_polygon_type, kOpenSpace);
    EXPECT_EQ(editor.tool_mode, kToolSelect);
    EXPECT_TRUE(host.tool_buttons[cmd::kSelectTool]);
    EXPECT_TRUE(editor.drawing_points.empty());
    EXPECT_EQ(project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");
}

TEST_F(Drawing, BelowZoomOneTheClosingClickStillClosesOnTheFirstPoint) {
    view.zoom = 0.5f;
    command(cmd::kNewPolygon);
    click({301, 281});
    ASSERT_EQ(editor.drawing_points.size(), 1u);
    EXPECT_EQ(editor.drawing_points[0], (Point{102, 202}));
    // At zoom 0.25 the first point shows at pixel (401, 306), which maps back to (104, 204): the
    // closing click snaps onto the point itself all the same.
    command(cmd::kZoomOut);
    click({450, 300});
    click({450, 350});
    confirm_new("Polygon Details", "pond", kOpenSpace);
    click({402, 307});
    EXPECT_EQ(host.beeps.size(), 1u);
    EXPECT_EQ(host.dialogs, std::vector<std::string>{"Polygon Details"});
    ASSERT_NE(newest(), nullptr);
    EXPECT_EQ(object_point_count(newest()), 3);
    EXPECT_EQ(object_points(newest())[0], (Point{102, 202}));
    EXPECT_EQ(editor.tool_mode, kToolSelect);
}

TEST_F(Drawing, ClicksSnapOntoVerticesOfTheCurrentLayerOnly) {
    add_line(project.layers[0], "street", {{300, 300}, {400, 300}});
    add_line(project.layers[1], "creek", {{500, 500}, {600, 500}});
    command(cmd::kNewLine);
    click(at(303, 302));
    ASSERT_EQ(editor.drawing_points.size(), 1u);
    EXPECT_EQ(editor.drawing_points[0], (Point{300, 300}));
    EXPECT_EQ(host.beeps.size(), 1u);
    click(at(502, 501));  // another layer's vertex
    EXPECT_EQ(editor.drawing_points[1], (Point{502, 501}));
    EXPECT_EQ(host.beeps.size(), 1u);
    // A line is not closed by a click on its first point: the point is placed there.
    click(at(301, 301));
    ASSERT_EQ(editor.drawing_points.size(), 3u);
    EXPECT_EQ(editor.drawing_points[2], (Point{300, 300}));
    EXPECT_EQ(editor.tool_mode, kToolLine);
    // Undo takes back the last point only.
    command(cmd::kUndo);
    EXPECT_EQ(editor.drawing_points.size(), 2u);
}

TEST_F(Drawing, TheSelectToolFinishesALineWithoutTheDialog) {
    editor.last_line_type = kRoad4;
    command(cmd::kNewLine);
    click(at(10, 10));
    command(cmd::kSelectTool);  // one point: discarded
    EXPECT_EQ(project.layers[0].objects, nullptr);
    EXPECT_EQ(project.modified, 0);
    EXPECT_TRUE(editor.drawing_points.empty());

    command(cmd::kNewLine);
    click(at(10, 10));
    click(at(50, 10));
    command(cmd::kSelectTool);
    MapObject* o = newest();
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(object_point_count(o), 2);
    EXPECT_EQ(o->type, kRoad4);
    EXPECT_TRUE(field_text(o->name).empty());
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{o});
    EXPECT_EQ(project.modified, 1);
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_EQ(editor.tool_mode, kToolSelect);
}

TEST_F(Drawing, DefaultTypesFollowTheLayersTheme) {
    editor.last_line_type = kRoad3;
    editor.last_polygon_type = kBuilding;
    auto type_in = [&](int layer, int dimension) {
        set_current_layer(editor, layer);
        start_drawing(ctx, dimension);
        return editor.drawing_template.type;
    };
    EXPECT_EQ(type_in(1, kDimLine), kRiver);
    EXPECT_EQ(type_in(2, kDimLine), kRailroad);
    EXPECT_EQ(type_in(0, kDimLine), kRoad3);
    EXPECT_EQ(type_in(-1, kDimLine), kRoad3);
    EXPECT_EQ(type_in(3, kDimPolygon), kLandArea);
    EXPECT_EQ(type_in(1, kDimPolygon), kBuilding);

    editor.last_point_type = kCatPntFeature;
    editor.last_category = {3, 4};
    EXPECT_EQ(type_in(0, kDimPoint), kCatPntFeature);
    EXPECT_EQ(editor.drawing_template.category, 3);
    EXPECT_EQ(editor.drawing_template.sub_type, 4);
}

TEST_F(Drawing, APointIsCompletedByItsFirstClickAndCancelDropsIt) {
    command(cmd::kNewPoint);
    host.answer_dialog("Point Details", [](DialogModel&) { return 0; });
    click(at(40, 40));
    EXPECT_EQ(project.layers[0].objects, nullptr);
    EXPECT_TRUE(editor.drawing_points.empty());
    EXPECT_EQ(editor.tool_mode, kToolSelect);

    command(cmd::kNewPoint);
    confirm_new("Point Details", "inn", kLink);
    click(at(40, 40));
    MapObject* o = newest();
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->type, kLink);
    EXPECT_EQ(object_position(o), (Point{40, 40}));
    EXPECT_EQ(editor.last_point_type, kLink);

    // Point Details remembers the type only: the category stays the one last chosen in its own dialog.
    editor.last_category = {3, 4};
    command(cmd::kNewPoint);
    confirm_new("Point Details", "cafe", kCatPntFeature);
    click(at(60, 40));
    EXPECT_EQ(editor.last_point_type, kCatPntFeature);
    EXPECT_EQ(editor.last_category.category, 3);
    EXPECT_EQ(editor.last_category.sub_type, 4);
}

TEST_F(Drawing, EscDropsTheFigureBeingDrawn) {
    EXPECT_EQ(on_key(ctx, {Key::Escape, 0, false}), CommandResult::Unknown);  // nothing being drawn
    command(cmd::kNewLine);
    click(at(10, 10));
    click(at(50, 10));
    EXPECT_EQ(on_key(ctx, {Key::Escape, 0, false}), CommandResult::Done);
    EXPECT_EQ(project.layers[0].objects, nullptr);
    EXPECT_TRUE(editor.drawing_points.empty());
    EXPECT_EQ(editor.tool_mode, kToolSelect);
    EXPECT_TRUE(host.tool_buttons[cmd::kSelectTool]);
    EXPECT_EQ(project.modified, 0);
    EXPECT_TRUE(host.dialogs.empty());
}

TEST_F(Drawing, AFullBufferRefusesMorePointsWithTheExclamationBeep) {
    command(cmd::kNewLine);
    editor.drawing_points.assign(kMaxDrawingPoints, Point{1, 1});
    click(at(700, 500));
    EXPECT_EQ(editor.drawing_points.size(), size_t(kMaxDrawingPoints));
    EXPECT_EQ(host.beeps, std::vector<BeepKind>{BeepKind::Exclamation});
}

TEST_F(Drawing, AFigureFinishedWithTheBackgroundCurrentIsDropped) {
    command(cmd::kNewLine);
    click(at(10, 10));
    click(at(20, 20));
    set_current_layer(editor, -1);
    EXPECT_EQ(finish_drawing(ctx), Outcome::Cancelled);
    for (const Layer& l : project.layers) EXPECT_EQ(l.objects, nullptr);
    EXPECT_EQ(project.modified, 0);
}

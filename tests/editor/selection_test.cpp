#include "editor/selection.h"

#include "dialogs/category_point_dialog.h"
#include "dialogs/group_properties_dialog.h"
#include "dialogs/object_details_dialog.h"
#include "dialogs/select_objects_dialog.h"
#include "editor/command_ids.h"
#include "editor_fixture.h"
#include "model/vocabulary.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct Selection : EditorFixture {
    Selection() : layer(add_layer(project, "roads")) { editor.current_layer = 0; }
    Layer& layer;
};

}  // namespace

TEST_F(Selection, ClickSelectsAndAClickBesideEmptiesTheSet) {
    MapObject* a = add_line(layer, "Main Street", {{100, 100}, {300, 100}});
    click(at(200, 101));
    ASSERT_EQ(editor.current_objects, std::vector<MapObject*>{a});
    EXPECT_EQ(host.status[0], "Main Street");
    EXPECT_EQ(editor.hot_item, a);
    EXPECT_EQ(editor.hot_index, 1);
    click(at(200, 120));
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(host.status[0], "");
    EXPECT_EQ(editor.hot_item, nullptr);
}

TEST_F(Selection, HoverOverTheSingleCurrentObjectAndOverOthers) {
    MapObject* a = add_line(layer, "a", {{100, 100}, {300, 100}});
    MapObject* b = add_line(layer, "b", {{100, 200}, {300, 200}});
    move(at(150, 100));
    EXPECT_EQ(editor.hot_item, a);
    EXPECT_EQ(host.cursor(), Cursor::Object);
    EXPECT_FALSE(editor.hot_on_vertex);

    set_current_object(ctx, a);
    move(at(298, 102));
    EXPECT_EQ(editor.hot_item, a);
    EXPECT_TRUE(editor.hot_on_vertex);
    EXPECT_EQ(editor.hot_index, 1);
    EXPECT_EQ(host.cursor(), Cursor::Vertex);
    move(at(200, 99));
    EXPECT_FALSE(editor.hot_on_vertex);
    EXPECT_EQ(editor.hot_index, 1);
    EXPECT_EQ(host.cursor(), Cursor::Segment);
    // Over another object's vertex: that object is hot, but not "on a vertex" of the current one.
    move(at(100, 200));
    EXPECT_EQ(editor.hot_item, b);
    EXPECT_FALSE(editor.hot_on_vertex);
    EXPECT_EQ(editor.hot_index, 0);
    EXPECT_EQ(host.cursor(), Cursor::Object);
    move(at(500, 500));
    EXPECT_EQ(editor.hot_item, nullptr);
    EXPECT_EQ(host.cursor(), Cursor::Arrow);

    // Hover is select mode's: other modes leave the hot item alone and show the arrow.
    move(at(150, 100));
    EXPECT_EQ(host.cursor(), Cursor::Segment);
    handle_command(ctx, 104);
    move(at(150, 100));
    EXPECT_EQ(editor.hot_item, nullptr);
    EXPECT_EQ(host.cursor(), Cursor::Arrow);
}

TEST_F(Selection, CtrlClickTogglesTheHotObject) {
    MapObject* a = add_line(layer, "a", {{100, 100}, {300, 100}});
    MapObject* b = add_line(layer, "b", {{100, 200}, {300, 200}});
    click(at(200, 100));
    click(at(200, 200), true);
    EXPECT_EQ(editor.current_objects, (std::vector<MapObject*>{a, b}));
    EXPECT_EQ(host.status[0], "2 objects");
    click(at(200, 100), true);  // already current: taken out
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{b});
    EXPECT_EQ(host.status[0], "b");
    click(at(200, 200), true);  // the single current object, without starting a drag
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_FALSE(editor.drag.dragging);
    EXPECT_EQ(host.status[0], "");
    click(at(200, 100), true);
    click(at(200, 200), true);
    EXPECT_EQ(editor.current_objects, (std::vector<MapObject*>{a, b}));
    // Ctrl with nothing hot is a plain click.
    click(at(500, 500), true);
    EXPECT_TRUE(editor.current_objects.empty());

    // A full set ignores Ctrl+click silently.
    editor.current_objects.assign(kMaxCurrentObjects, a);
    click(at(200, 200), true);
    EXPECT_EQ(editor.current_objects.size(), size_t(kMaxCurrentObjects));
    EXPECT_FALSE(is_current(editor, b));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Selection, SelectAllStopsAtTheLimitWithOneWarning) {
    std::vector<MapObject*> made;
    for (int i = 0; i < kMaxCurrentObjects + 1; ++i)
        made.push_back(add_point(layer, "p", {i % 1000, i / 1000}));
    add_point(layer, "gone", {1, 1});
    delete_object(layer, layer.objects);
    command(cmd::kSelectAll);
    ASSERT_EQ(editor.current_objects.size(), size_t(kMaxCurrentObjects));
    EXPECT_EQ(editor.current_objects.front(), made.back());  // newest first
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Maximum current objects reached.");
    EXPECT_EQ(host.messages[0].caption, "Warning");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    for (MapObject* o : editor.current_objects) EXPECT_NE(o->dimension, kDimDeleted);

    // Exactly the limit: no warning.
    delete_object(layer, made.front());
    command(cmd::kSelectAll);
    EXPECT_EQ(editor.current_objects.size(), size_t(kMaxCurrentObjects));
    EXPECT_EQ(host.messages.size(), 1u);

    // No current layer: nothing.
    editor.current_layer = -1;
    editor.current_objects.clear();
    command(cmd::kSelectAll);
    EXPECT_TRUE(editor.current_objects.empty());
}

TEST_F(Selection, SelectAllInRectangleModeKeepsToTheRectangle) {
    add_line(layer, "above", {{200, 50}, {300, 90}});
    MapObject* inside = add_point(layer, "inside", {150, 150});
    add_line(layer, "outside", {{400, 400}, {500, 500}});
    MapObject* edge = add_line(layer, "edge", {{50, 100}, {100, 100}});  // touches the left edge at one point
    MapObject* touching =
        add_line(layer, "touching", {{200, 40}, {250, 100}});  // box meets the top-right corner
    editor.tool_mode = kToolRectangle;
    editor.selection_rect = {100, 100, 200, 200};
    command(cmd::kSelectAll);
    EXPECT_EQ(editor.current_objects, (std::vector<MapObject*>{touching, edge, inside}));

    // A collapsed rectangle is a point: only what touches it qualifies.
    editor.selection_rect = {150, 150, 150, 150};
    command(cmd::kSelectAll);
    EXPECT_EQ(editor.current_objects, (std::vector<MapObject*>{inside}));

    // In select mode the rectangle does not filter.
    editor.tool_mode = kToolSelect;
    command(cmd::kSelectAll);
    EXPECT_EQ(editor.current_objects.size(), 5u);
}

TEST_F(Selection, SelectByTypeAsksForDimensionAndType) {
    MapObject* river = add_line(layer, "r", {{0, 0}, {1, 1}}, kDimLine, kRiver);
    MapObject* road = add_line(layer, "f", {{0, 0}, {1, 1}}, kDimLine, kFreeway);
    add_line(layer, "lake", {{0, 0}, {1, 1}, {2, 0}}, kDimPolygon, kWaterArea);
    host.answer_dialog("Select Objects", [](DialogModel& m) {
        auto& r = dynamic_cast<SelectObjectsModel&>(m);
        r.select_dimension(kDimLine);
        r.select_type(kRiver + 1);  // after "<any type>"
        return r.ok() ? 1 : 0;
    });
    command(cmd::kSelectByType);
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{river});
    host.answer_dialog("Select Objects", [](DialogModel& m) {
        auto& r = dynamic_cast<SelectObjectsModel&>(m);
        r.select_dimension(kDimLine);
        r.select_type(0);  // "<any type>"
        return r.ok() ? 1 : 0;
    });
    command(cmd::kSelectByType);
    EXPECT_EQ(editor.current_objects, (std::vector<MapObject*>{road, river}));
    host.answer_dialog("Select Objects", [](DialogModel&) { return 0; });
    command(cmd::kSelectByType);
    EXPECT_EQ(editor.current_objects.size(), 2u);  // Cancel ends the command
}

TEST_F(Selection, RubberBandNeedsMoreThanFivePixels) {
    editor.tool_mode = kToolRectangle;
    editor.selection_rect = {1, 2, 3, 4};
    editor.current_objects = {add_point(layer, "p", {5, 5})};
    move(at(100, 100));
    on_left_down(ctx, at(100, 100));
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(editor.selection_rect, (SelectionRect{100, 100, 100, 100}));
    EXPECT_EQ(host.overlay_canvas.ops.size(), 1u);  // the collapsed frame
    move(at(103, 102));
    EXPECT_EQ(host.overlay_canvas.ops.size(), 3u);  // erase and draw
    EXPECT_EQ(host.overlay_canvas.ops.back().rect, (ScreenRect{100, 130, 103, 132}));
    EXPECT_EQ(host.overlay_canvas.ops.back().mode, RasterMode::Xor);
    on_left_up(ctx, at(103, 102), false);  // octagonal 3 + 2 - 1 = 4
    EXPECT_FALSE(selection_exists(editor.selection_rect));

    on_left_down(ctx, at(100, 100));
    move(at(105, 100));
    on_left_up(ctx, at(105, 100), false);  // 5: still nothing
    EXPECT_FALSE(selection_exists(editor.selection_rect));
    on_left_down(ctx, at(100, 100));
    move(at(104, 104));
    on_left_up(ctx, at(104, 104), false);  // 4 + 4 - 2 = 6
    EXPECT_EQ(editor.selection_rect, (SelectionRect{100, 100, 104, 104}));

    // Dragged up and left, the rectangle is normalised.
    const int redraws = host.redraws;
    move(at(300, 300));  // away from the handles of the existing rectangle
    on_left_down(ctx, at(300, 300));
    move(at(200, 250));
    on_left_up(ctx, at(200, 250), false);
    EXPECT_EQ(editor.selection_rect, (SelectionRect{200, 250, 300, 300}));
    EXPECT_EQ(host.redraws, redraws + 1);

    // A release whose press was outside the map area is ignored.
    on_left_down(ctx, {1005, 100});
    on_left_up(ctx, at(10, 10), false);
    EXPECT_EQ(editor.selection_rect, (SelectionRect{200, 250, 300, 300}));
}

TEST_F(Selection, RectangleHandlesAreHotOnlyWhenTheRectangleExists) {
    editor.tool_mode = kToolRectangle;
    editor.selection_rect = {100, 100, 200, 200};
    move(at(200, 150));
    EXPECT_EQ(editor.hot_kind, HotKind::SelectionRect);
    EXPECT_EQ(editor.hot_index, 5);
    EXPECT_EQ(host.cursor(), Cursor::SizeWe);
    move(at(150, 150));
    EXPECT_EQ(editor.hot_kind, HotKind::None);
    EXPECT_EQ(host.cursor(), Cursor::Arrow);
    // A press on a handle starts a handle drag (an editing operation), not a new rubber band.
    move(at(100, 100));
    on_left_down(ctx, at(100, 100));
    EXPECT_EQ(editor.selection_rect, (SelectionRect{100, 100, 200, 200}));
    on_left_up(ctx, at(100, 100), false);

    editor.selection_rect = {0, 0, 0, 0};
    move(at(0, 0));
    EXPECT_EQ(editor.hot_kind, HotKind::None);
}

TEST_F(Selection, PropertiesOfOneObjectByDimensionAndType) {
    MapObject* cat = add_point(layer, "museum", {10, 10}, kCatPntFeature, 3, 4);
    MapObject* link = add_point(layer, "north", {20, 10}, kLink);
    MapObject* poly = add_line(layer, "park", {{0, 0}, {1, 0}, {1, 1}}, kDimPolygon);
    EXPECT_EQ(object_properties_title(add_point(layer, "p", {0, 0})), "Simple Point Object");
    EXPECT_EQ(object_properties_title(link), "Link Object");
    EXPECT_EQ(object_properties_title(poly), "Polygon Details");

    set_current_object(ctx, cat);
    host.answer_dialog("Category Point Object", [&](DialogModel& m) {
        EXPECT_NE(dynamic_cast<CategoryPointModel*>(&m), nullptr);
        set_object_category(cat, 5, 6);
        return 1;
    });
    command(cmd::kProperties);
    EXPECT_EQ(editor.last_category.category, 5);
    EXPECT_EQ(editor.last_category.sub_type, 6);
    EXPECT_EQ(project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");

    project.modified = 0;
    set_current_object(ctx, poly);
    host.answer_dialog("Polygon Details", [](DialogModel&) { return 0; });
    const int redraws = host.redraws;
    command(cmd::kProperties);
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(host.redraws, redraws);

    // A rename shows at once.
    host.answer_dialog("Polygon Details", [](DialogModel& m) {
        auto& d = dynamic_cast<ObjectDetailsModel&>(m);
        d.name = "meadow";
        return d.ok() ? 1 : 0;
    });
    command(cmd::kProperties);
    EXPECT_EQ(host.status[0], "meadow");

    // An empty set does nothing.
    set_current_object(ctx, nullptr);
    command(cmd::kProperties);
    EXPECT_EQ(host.dialogs.size(), 3u);
}

TEST_F(Selection, GroupPropertiesRules) {
    MapObject* l0 = add_line(layer, "a", {{0, 0}, {1, 1}}, kDimLine, 0);
    MapObject* l1 = add_line(layer, "b", {{0, 0}, {1, 1}}, kDimLine, 1);
    MapObject* l2 = add_line(layer, "c", {{0, 0}, {1, 1}}, kDimLine, 2);
    editor.current_objects = {l0, l1, l2};
    host.answer_dialog("Group Object Properties", [](DialogModel& m) {
        auto& g = dynamic_cast<GroupPropertiesModel&>(m);
        EXPECT_EQ(g.dimension_text, "LINE");
        EXPECT_EQ(g.type_selection, 0);  // the first member's type
        g.type_selection = kRailroad;
        return g.ok() ? 1 : 0;
    });
    command(cmd::kProperties);
    for (MapObject* o : {l0, l1, l2}) EXPECT_EQ(o->type, kRailroad);
    EXPECT_EQ(project.modified, 1);

    // Cancel changes nothing.
    project.modified = 0;
    host.answer_dialog("Group Object Properties", [](DialogModel& m) {
        auto& g = dynamic_cast<GroupPropertiesModel&>(m);
        g.type_selection = kRiver;
        g.ok();
        return 0;
    });
    command(cmd::kProperties);
    EXPECT_EQ(l1->type, kRailroad);
    EXPECT_EQ(project.modified, 0);

    // A type the dimension does not have is refused rather than written into the records.
    host.answer_dialog("Group Object Properties", [](DialogModel& m) {
        auto& g = dynamic_cast<GroupPropertiesModel&>(m);
        g.type_selection = 40;
        return g.ok() ? 1 : 0;
    });
    command(cmd::kProperties);
    EXPECT_EQ(l1->type, kRailroad);

    MapObject* poly = add_line(layer, "p", {{0, 0}, {1, 0}, {1, 1}}, kDimPolygon);
    editor.current_objects = {l0, poly};
    command(cmd::kProperties);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Cannot modify group of objects with mixed dimensions");
    EXPECT_EQ(host.messages[0].caption, "Notice");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);

    editor.current_objects = {add_point(layer, "x", {0, 0}), add_point(layer, "y", {0, 0})};
    command(cmd::kProperties);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "Cannot modify group of point objects");
    EXPECT_EQ(host.dialogs.size(), 3u);
}

TEST_F(Selection, DeleteAsksFirst) {
    command(cmd::kDelete);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "No curr object(s)!");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);

    MapObject* a = add_line(layer, "a", {{0, 0}, {1, 1}});
    MapObject* b = add_point(layer, "b", {5, 5});
    editor.current_objects = {a, b};
    host.answers.push_back(Answer::No);
    command(cmd::kDelete);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "Are you sure you want to delete object(s)?");
    EXPECT_EQ(host.messages[1].caption, "Confirm");
    EXPECT_EQ(host.messages[1].icon, MessageIcon::Question);
    EXPECT_EQ(host.messages[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(layer.object_count, 2);
    EXPECT_EQ(editor.current_objects.size(), 2u);

    host.answers.push_back(Answer::Yes);
    on_key(ctx, {Key::Delete, 0, false});
    EXPECT_EQ(a->dimension, kDimDeleted);  // still linked, marked
    EXPECT_EQ(b->dimension, kDimDeleted);
    EXPECT_EQ(layer.objects, b);
    EXPECT_EQ(layer.object_count, 0);
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");
}

TEST_F(Selection, SetCurrentListKeepsChainOrderUpToTheLimit) {
    MapObject* chain = nullptr;
    std::vector<MapObject*> blocks;
    for (int i = 0; i < kMaxCurrentObjects + 3; ++i) {
        MapObject* o = allocate_object(record_size_for(kDimPoint, kPntFeature, 0));
        o->dimension = kDimPoint;
        o->next = chain;
        chain = o;
        blocks.push_back(o);
    }
    host.status[0] = "stale";
    set_current_list(ctx, chain);
    ASSERT_EQ(editor.current_objects.size(), size_t(kMaxCurrentObjects));
    EXPECT_EQ(editor.current_objects[0], chain);
    EXPECT_EQ(editor.current_objects[1], chain->next);
    EXPECT_EQ(host.status[0], "8192 objects");
    for (MapObject* o : blocks) free_object(o);
}

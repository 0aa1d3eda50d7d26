// A user's session driven only through the window's entry points: mouse, keys, commands and paint.
#include "editor/command_ids.h"
#include "editor/menus.h"
#include "editor/view_style.h"
#include "editor_fixture.h"
#include "model/vocabulary.h"

using namespace plotwell;
using namespace plotwell::test;

TEST_F(EditorFixture, ScriptedSelectionSession) {
    Layer& roads = add_layer(project, "roads", kThemeRoads);
    Layer& water = add_layer(project, "water", kThemeWater);
    water.display_flags = kLayerShowAlways;
    MapObject* river = add_line(water, "Blue River", {{0, 500}, {900, 520}}, kDimLine, kRiver);
    MapObject* main_st = add_line(roads, "Main St", {{100, 100}, {400, 100}});
    MapObject* elm_st = add_line(roads, "Elm St", {{100, 300}, {400, 300}});
    MapObject* hall = add_point(roads, "Town Hall", {600, 200});

    // The background is current after a load: hovering finds no objects.
    move(at(250, 100));
    EXPECT_EQ(editor.hot_kind, HotKind::None);
    EXPECT_EQ(host.status[2], "X: 250, Y: 100");

    on_key(ctx, {Key::PageDown, 0, false});
    EXPECT_EQ(host.status[1], "curr layer: 0:roads [ROADS]");

    // Hover over Main St, then click it.
    move(at(250, 101));
    EXPECT_EQ(editor.hot_item, main_st);
    EXPECT_EQ(host.cursor(), Cursor::Object);
    click(at(250, 101));
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{main_st});
    EXPECT_EQ(host.status[0], "Main St");

    // It blinks.
    on_timer(ctx);
    auto blinking = host.overlay_canvas.of_kind(CanvasOp::Polyline);
    ASSERT_EQ(blinking.size(), 1u);
    EXPECT_EQ(blinking[0]->points.front(), at(100, 100));
    EXPECT_EQ(blinking[0]->mode, RasterMode::Xor);

    // Hovering over its end shows the vertex cursor; over Elm St the object cursor; Ctrl+click adds it.
    move(at(401, 99));
    EXPECT_EQ(host.cursor(), Cursor::Vertex);
    move(at(300, 299));
    EXPECT_EQ(editor.hot_item, elm_st);
    click(at(300, 299), true);
    EXPECT_EQ(editor.current_objects, (std::vector<MapObject*>{main_st, elm_st}));

    // Two current objects offer "Join Lines" on the right button; the user dismisses it.
    on_right_down(ctx, at(700, 400));
    on_right_up(ctx, at(700, 400));
    ASSERT_EQ(host.popups.size(), 1u);
    EXPECT_EQ(host.popups[0].first, kMenuTwoObjects);

    // The rectangle tool: drag a rectangle around both streets, then Select All.
    command(cmd::kRectangleTool);
    EXPECT_EQ(editor.tool_mode, kToolRectangle);
    move(at(50, 50));
    on_left_down(ctx, at(50, 50));
    EXPECT_TRUE(editor.current_objects.empty());
    move(at(200, 200));
    move(at(450, 350));
    on_left_up(ctx, at(450, 350), false);
    EXPECT_EQ(editor.selection_rect, (SelectionRect{50, 50, 450, 350}));
    command(cmd::kSelectAll);
    EXPECT_EQ(editor.current_objects, (std::vector<MapObject*>{elm_st, main_st}));  // not the Town Hall

    RecordingCanvas canvas;
    on_paint(ctx, canvas);
    auto rects = canvas.of_kind(CanvasOp::Rectangle);
    ASSERT_FALSE(rects.empty());
    int outline = 0;
    for (const CanvasOp* r : rects)
        if (r->brush.hollow && r->rect == ScreenRect{50, 80, 450, 380}) ++outline;
    EXPECT_EQ(outline, 1);
    EXPECT_EQ(rects.back()->brush, style::brush(style::kBlack));  // the handles come last

    // Enter returns to the select tool; Del asks and deletes.
    on_char(ctx, '\r');
    EXPECT_EQ(editor.tool_mode, kToolSelect);
    host.answers.push_back(Answer::Yes);
    on_key(ctx, {Key::Delete, 0, false});
    EXPECT_EQ(host.last_message(), "Are you sure you want to delete object(s)?");
    EXPECT_EQ(main_st->dimension, kDimDeleted);
    EXPECT_EQ(elm_st->dimension, kDimDeleted);
    EXPECT_EQ(hall->dimension, kDimPoint);
    EXPECT_EQ(river->dimension, kDimLine);
    EXPECT_EQ(roads.object_count, 1);
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(host.status[0], "");
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");

    // The repaint shows the river and the Town Hall only, and a click where Main St was finds nothing.
    canvas.clear();
    on_paint(ctx, canvas);
    auto lines = canvas.of_kind(CanvasOp::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->pen, style::kLightBlue);
    click(at(250, 100));
    EXPECT_TRUE(editor.current_objects.empty());
    click(at(601, 201));
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{hall});
    EXPECT_EQ(host.status[0], "Town Hall");
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(EditorFixture, ExtremeZoomPaintsAndHitTestsWithoutOverflow) {
    Layer& layer = add_layer(project, "l");
    project.range = {INT32_MIN / 2, INT32_MIN / 2, INT32_MAX, INT32_MAX};
    add_line(layer, "wide", {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, {INT32_MAX, 0}}, kDimPolygon);
    add_point(layer, "far", {INT32_MAX, INT32_MIN});
    editor.current_layer = 0;
    editor.selection_rect = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    std::vector<size_t> polylines;
    for (float zoom : {1.0e-9f, 1.0f, 1.0e12f}) {
        view.zoom = zoom;
        RecordingCanvas canvas;
        on_paint(ctx, canvas);
        polylines.push_back(canvas.of_kind(CanvasOp::Polyline).size());
        if (zoom < 1) {
            // Everything shrinks onto a few pixels round the centre of the map area.
            for (ScreenPoint p : canvas.of_kind(CanvasOp::Polyline)[0]->points) {
                EXPECT_NEAR(p.x, 500, 5);
                EXPECT_NEAR(p.y, 330, 5);
            }
        }
        editor.tool_mode = kToolRectangle;
        move(at(10, 10));
        editor.tool_mode = kToolSelect;
        click(at(10, 10));
        on_scroll(ctx, ScrollBar::Vertical, ScrollAction::PageForward);
    }
    // Beyond 50000 pixels a side the layers are not drawn at all.
    EXPECT_EQ(polylines, (std::vector<size_t>{1, 0, 0}));
    EXPECT_TRUE(editor.current_objects.empty());
}

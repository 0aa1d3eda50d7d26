#include "dialogs/edit_layer_dialog.h"
#include "editor/command_ids.h"
#include "editor/layers_dialog.h"
#include "editor/menus.h"
#include "editor/status_bar.h"
#include "editor/window_title.h"
#include "editor_fixture.h"
#include "project/background_bitmaps_dialog.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct Commands : EditorFixture {
    Commands() {
        add_layer(project, "roads", kThemeRoads);
        add_layer(project, "lakes", kThemeWater);
        add_layer(project, "towns", kThemePlaces);
    }
};

}  // namespace

TEST_F(Commands, LayerUpReachesTheBackgroundAndStopsThere) {
    editor.current_layer = 1;
    MapObject* o = add_line(project.layers[1], "river", {{0, 0}, {10, 10}});
    editor.current_objects = {o};
    editor.hot_kind = HotKind::Object;
    editor.hot_item = o;

    command(cmd::kLayerUp);
    EXPECT_EQ(editor.current_layer, 0);
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(editor.hot_item, nullptr);
    EXPECT_EQ(host.status[1], "curr layer: 0:roads [ROADS]");
    command(cmd::kLayerUp);
    EXPECT_EQ(editor.current_layer, -1);
    EXPECT_EQ(host.status[1], "curr layer: <background>");
    const int redraws = host.redraws;
    command(cmd::kLayerUp);
    EXPECT_EQ(editor.current_layer, -1);
    EXPECT_EQ(host.redraws, redraws);

    command(cmd::kLayerDown);
    EXPECT_EQ(editor.current_layer, 0);
    command(cmd::kLayerDown);
    command(cmd::kLayerDown);
    EXPECT_EQ(editor.current_layer, 2);
    EXPECT_EQ(host.status[1], "curr layer: 2:towns [PLACES]");
    command(cmd::kLayerDown);  // the last layer: nothing
    EXPECT_EQ(editor.current_layer, 2);

    // PgUp and PgDn reach the same commands through the accelerators.
    on_key(ctx, {Key::PageUp, 0, false});
    EXPECT_EQ(editor.current_layer, 1);
    on_key(ctx, {Key::PageDown, 0, false});
    EXPECT_EQ(editor.current_layer, 2);

    // Without layers neither moves.
    project.layer_count = 0;
    command(cmd::kLayerUp);
    command(cmd::kLayerDown);
    EXPECT_EQ(editor.current_layer, 2);
}

TEST_F(Commands, EnterDependsOnTheToolMode) {
    editor.current_layer = 0;
    MapObject* line = add_line(project.layers[0], "main st", {{0, 0}, {100, 0}});
    editor.current_objects = {line};
    host.answer_dialog("Line Details", [](DialogModel&) { return 0; });
    EXPECT_EQ(on_char(ctx, '\r'), CommandResult::Done);
    EXPECT_EQ(host.dialogs, std::vector<std::string>{"Line Details"});
    EXPECT_EQ(project.modified, 0);  // cancelled

    editor.tool_mode = kToolRectangle;
    EXPECT_EQ(on_char(ctx, '\r'), CommandResult::Done);
    EXPECT_EQ(editor.tool_mode, kToolSelect);
    EXPECT_TRUE(host.tool_buttons[cmd::kSelectTool]);
    EXPECT_FALSE(host.tool_buttons[cmd::kRectangleTool]);

    // While drawing, Enter completes the figure through the new-object dialog; Cancel drops it.
    editor.tool_mode = kToolLine;
    editor.drawing_template.dimension = kDimLine;
    editor.drawing_points = {{0, 0}, {5, 5}};
    host.answer_dialog("Line Details", [](DialogModel&) { return 0; });
    EXPECT_EQ(on_char(ctx, '\r'), CommandResult::Done);
    EXPECT_EQ(editor.tool_mode, kToolSelect);
    EXPECT_TRUE(editor.drawing_points.empty());
    EXPECT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(project.modified, 0);
}

TEST_F(Commands, PlusAndMinusZoomWithoutLimitAndRedrawAtOnce) {
    int redraws = host.redraws;
    on_char(ctx, '+');
    EXPECT_EQ(view.zoom, 2.0f);
    EXPECT_EQ(host.redraws, ++redraws);
    for (int i = 0; i < 20; ++i) on_char(ctx, '-');
    EXPECT_EQ(view.zoom, 2.0f / 1048576.0f);
    EXPECT_EQ(host.redraws, redraws + 20);
    command(cmd::kZoomIn);
    EXPECT_EQ(view.zoom, 4.0f / 1048576.0f);
    EXPECT_EQ(view.origin_x, 500);  // about the centre
}

TEST_F(Commands, ArrowKeysScrollByFortyPixels) {
    view.zoom = 0.5f;
    on_key(ctx, {Key::Right, 0, false});
    EXPECT_EQ(view.origin_x, 580);
    on_key(ctx, {Key::Up, 0, false});
    EXPECT_EQ(view.origin_y, 220);
    on_scroll(ctx, ScrollBar::Horizontal, ScrollAction::PageBack);
    EXPECT_EQ(view.origin_x, 580 - 2 * 1016);
}

TEST_F(Commands, NewObjectCommandsNeedLayers) {
    project.layer_count = 0;
    host.tool_buttons[cmd::kNewLine] = true;
    command(cmd::kNewLine);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "You need to define your Layers first.");
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(host.tool_buttons[cmd::kNewLine]);
    EXPECT_TRUE(host.tool_buttons[cmd::kSelectTool]);
    EXPECT_EQ(editor.tool_mode, kToolSelect);

    project.layer_count = 3;
    editor.current_layer = 0;
    editor.hot_kind = HotKind::Object;
    EXPECT_EQ(command(cmd::kNewLine), CommandResult::Done);
    EXPECT_EQ(editor.tool_mode, kToolLine);
    EXPECT_EQ(editor.hot_kind, HotKind::None);
    EXPECT_EQ(command(cmd::kNewPolygon), CommandResult::Done);  // only the mode changes while drawing
    EXPECT_EQ(editor.tool_mode, kToolPolygon);
    EXPECT_EQ(command(cmd::kNewPoint), CommandResult::Done);
    EXPECT_EQ(editor.tool_mode, kToolPoint);
}

TEST_F(Commands, ProjectPreconditionsAndTheirMessages) {
    set_field(project.file_base_name, "");
    command(cmd::kSave);
    command(cmd::kImportShapefile);
    command(cmd::kImportProject);
    EXPECT_EQ(command(cmd::kExport), CommandResult::Done);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, "No active project!");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.messages[1].text, "You need to open or create a project first.");
    EXPECT_EQ(host.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(host.messages[2].text, "You need to open or create a project first.");
    EXPECT_EQ(host.messages[2].caption, "Error");

    EXPECT_EQ(command(cmd::kProjectProperties), CommandResult::Done);
    ASSERT_EQ(host.titles.size(), 1u);
    EXPECT_EQ(host.titles[0], "Plotwell - <no project>");

    // With a project the commands reach their dialogs; cancelled there, they change nothing.
    set_field(project.file_base_name, "city");
    host.file_answers = {std::nullopt, std::nullopt};
    host.answer_dialog("Layers", [](DialogModel&) { return 1; });
    EXPECT_EQ(command(cmd::kExport), CommandResult::Done);
    EXPECT_EQ(command(cmd::kImportShapefile), CommandResult::Done);
    EXPECT_EQ(command(cmd::kEditLayers), CommandResult::Done);
    EXPECT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(project.modified, 0);
}

TEST_F(Commands, LayersCommandFinishesWithItsSteps) {
    ExportSettings& settings = ws.export_settings;
    reset_export_settings(settings, project, "", "");  // roads, lakes, towns in order
    settings.layer_props[2].single_list = 1;
    settings.region_level_count = 1;
    settings.region_source_layer = 1;
    editor.current_layer = 1;

    host.answer_dialog("Layers", [](DialogModel&) { return 1; });  // nothing changed
    command(cmd::kEditLayers);
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(settings.visible_layer_count, 3);
    EXPECT_EQ(host.status[1], "curr layer: 1:lakes [WATER]");
    EXPECT_EQ(host.titles.back(), "Plotwell - city");

    // Towns moves up, roads goes, a new layer comes: the export's choices follow the layers.
    host.answers = {Answer::Yes};
    host.answer_dialog("Edit Layer", [](DialogModel& d) {
        auto& e = dynamic_cast<EditLayerModel&>(d);
        e.name = "rail";
        e.theme = kThemeRailways;
        return e.ok() ? 1 : 0;
    });
    host.answer_dialog("Layers", [](DialogModel& m) {
        auto& layers = dynamic_cast<LayersModel&>(m);
        layers.selected = 2;
        layers.move_up();
        layers.selected = 0;
        layers.delete_layer();
        EXPECT_EQ(layers.selected, -1);  // a second Delete needs a new choice
        layers.delete_layer();
        layers.new_layer();
        return 1;
    });
    command(cmd::kEditLayers);
    EXPECT_EQ(project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");
    ASSERT_EQ(project.layer_count, 3);  // towns, lakes, rail
    ASSERT_EQ(settings.visible_layer_count, 3);
    EXPECT_EQ(std::vector<int>(settings.visible_layers, settings.visible_layers + 3),
              (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(settings.layer_props[0].single_list, 1);
    EXPECT_EQ(settings.layer_props[2].min_zoom_category, default_zoom_category(kThemeRailways));
    EXPECT_EQ(settings.region_level_count, 1);
    EXPECT_EQ(settings.region_source_layer, 1);
    // Drawn like the others while the toolbar shows all layers.
    EXPECT_TRUE(project.layers[2].display_flags & kLayerShowAlways);

    // The region level goes with its layer.
    host.answers = {Answer::Yes};
    host.answer_dialog("Layers", [](DialogModel& m) {
        auto& layers = dynamic_cast<LayersModel&>(m);
        layers.selected = 1;
        layers.delete_layer();
        return 1;
    });
    command(cmd::kEditLayers);
    EXPECT_EQ(settings.region_level_count, 0);
    EXPECT_EQ(settings.visible_layer_count, 2);
}

TEST_F(Commands, DisplayFlagsUndoAndUnknownCommands) {
    project.layers[0].display_flags = 0;
    command(cmd::kShowAllLayers);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(project.layers[i].display_flags & kLayerShowAlways, 1);
    EXPECT_EQ(project.layers[3].display_flags, 0);  // beyond layer_count
    command(cmd::kCurrentLayerOnly);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(project.layers[i].display_flags, 0);

    editor.drawing_points = {{1, 1}, {2, 2}};
    command(cmd::kUndo);
    EXPECT_EQ(editor.drawing_points.size(), 1u);
    command(cmd::kUndo);
    command(cmd::kUndo);
    EXPECT_TRUE(editor.drawing_points.empty());

    editor.hot_index = 7;
    command(cmd::kMarkSplitPoint);
    EXPECT_EQ(editor.split_mark, 7);

    EXPECT_EQ(command(cmd::kImportTrekpadMap), CommandResult::Unknown);
    EXPECT_EQ(command(cmd::kTranslateCoordinates), CommandResult::Unknown);
    EXPECT_EQ(command(99999), CommandResult::Unknown);

    // Vertex commands need exactly one current object before they reach the editing operations.
    EXPECT_EQ(command(cmd::kSplitLineHere), CommandResult::Done);
    EXPECT_EQ(command(cmd::kInsertPoint), CommandResult::Done);
    EXPECT_EQ(command(cmd::kDeletePoint), CommandResult::Done);
    editor.current_objects = {add_line(project.layers[0], "l", {{0, 0}, {1, 1}, {2, 2}})};
    EXPECT_EQ(command(cmd::kSplitLineHere), CommandResult::Done);  // vertex 7 of 3
    EXPECT_EQ(host.last_message(), "Bad split point");

    command(cmd::kExit);
    EXPECT_EQ(host.close_requests, 1);
}

TEST_F(Commands, ContextMenusFollowTheState) {
    Layer& layer = project.layers[0];
    MapObject* poly = add_line(layer, "p", {{0, 0}, {10, 0}, {10, 10}}, kDimPolygon);
    MapObject* line = add_line(layer, "l", {{0, 0}, {10, 0}});
    MapObject* point = add_point(layer, "pt", {5, 5});
    editor.current_layer = 0;
    auto choose = [&] { return choose_context_menu(project, editor); };
    auto hot = [&](MapObject* o, bool on_vertex) {
        editor.hot_kind = o ? HotKind::Object : HotKind::None;
        editor.hot_item = o;
        editor.hot_on_vertex = on_vertex;
    };

    EXPECT_EQ(choose(), std::nullopt);  // empty set
    editor.current_objects = {poly};
    hot(nullptr, false);
    EXPECT_EQ(choose(), std::nullopt);
    hot(poly, true);
    EXPECT_EQ(choose(), kMenuPolygonVertex);
    hot(poly, false);
    EXPECT_EQ(choose(), kMenuSegment);

    editor.current_objects = {line};
    hot(nullptr, false);
    EXPECT_EQ(choose(), kMenuLineNothingHot);
    ASSERT_EQ(context_menu_entries(kMenuLineNothingHot).size(), 1u);
    EXPECT_STREQ(context_menu_entries(kMenuLineNothingHot)[0].caption, "Add Point");
    hot(line, true);
    EXPECT_EQ(choose(), kMenuLineVertex);
    hot(poly, false);  // the segment menu also over another object of the layer
    EXPECT_EQ(choose(), kMenuSegment);

    editor.current_objects = {point};
    hot(point, true);
    EXPECT_EQ(choose(), kMenuPointVertex);
    hot(point, false);
    EXPECT_EQ(choose(), std::nullopt);

    editor.current_objects = {line, poly};  // Join Lines needs two lines
    EXPECT_EQ(choose(), std::nullopt);
    editor.current_objects = {line, add_line(layer, "l2", {{20, 0}, {30, 0}})};
    EXPECT_EQ(choose(), kMenuTwoObjects);
    EXPECT_EQ(context_menu_entries(kMenuTwoObjects)[0].command, cmd::kJoinLines);
    editor.current_objects = {point, poly, line};
    EXPECT_EQ(choose(), std::nullopt);

    // The background offers the menu of the hot bitmap's state.
    editor.current_layer = -1;
    editor.current_objects.clear();
    project.bitmaps.count = 1;
    editor.hot_kind = HotKind::Bitmap;
    editor.hot_bitmap = 0;
    EXPECT_EQ(choose(), kMenuBitmapUnlockedVisible);
    project.bitmaps.entries[0].flags = kBitmapLocked | kBitmapHidden;
    EXPECT_EQ(choose(), kMenuBitmapLockedHidden);
    EXPECT_EQ(context_menu_entries(kMenuBitmapLockedHidden)[0].command, cmd::kShowBitmap);
    EXPECT_EQ(context_menu_entries(kMenuBitmapLockedHidden)[1].command, cmd::kUnlockPosition);
    project.bitmaps.entries[0].flags = kBitmapHidden;
    EXPECT_EQ(choose(), kMenuBitmapUnlockedHidden);
    project.bitmaps.entries[0].flags = kBitmapLocked;
    EXPECT_EQ(choose(), kMenuBitmapLockedVisible);
    editor.hot_kind = HotKind::None;
    EXPECT_EQ(choose(), std::nullopt);
}

TEST_F(Commands, RightButtonRemembersThePositionAndRunsTheChosenCommand) {
    Layer& layer = project.layers[0];
    MapObject* poly = add_line(layer, "p", {{100, 100}, {200, 100}, {200, 200}}, kDimPolygon);
    editor.current_layer = 0;
    editor.current_objects = {poly};
    move(at(200, 101));  // on vertex 1 of the current polygon
    EXPECT_TRUE(editor.hot_on_vertex);
    EXPECT_EQ(editor.hot_index, 1);
    host.menu_answers.push_back(cmd::kMarkSplitPoint);
    on_right_down(ctx, at(200, 101));
    on_right_up(ctx, at(200, 101));
    ASSERT_EQ(host.popups.size(), 1u);
    EXPECT_EQ(host.popups[0].first, kMenuPolygonVertex);
    EXPECT_EQ(editor.context_point, at(200, 101));
    EXPECT_EQ(editor.split_mark, 1);
}

TEST_F(Commands, StatusTexts) {
    editor.current_layer = 0;
    show_coord_status(ctx, at(100, 200));
    EXPECT_EQ(host.status[2], "X: 100, Y: 200");
    project.range = {180000000, 180000000, -360000000, -360000000};
    move(at(100, 200));
    EXPECT_EQ(host.status[2], "<empty range>");
    project.layer_count = 0;
    move(at(100, 200));
    EXPECT_EQ(host.status[2], "");
    show_layer_status(ctx);  // no layer behind the index any more
    EXPECT_EQ(host.status[1], "curr layer: <background>");

    EXPECT_EQ(window_title(project), "Plotwell - city");
    project.modified = 1;
    EXPECT_EQ(window_title(project), "Plotwell - city *");
    set_field(project.file_base_name, std::string(127, 'n'));
    EXPECT_EQ(window_title(project).size(), kTitleLimit);
}

TEST_F(Commands, ClicksNeedALayerTheMapAreaAndARange) {
    editor.current_layer = 0;
    add_line(project.layers[0], "l", {{100, 100}, {200, 100}});
    project.range.width = 0;
    click(at(150, 100));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(
        host.messages[0].text,
        "Project has empty coordinate range! You need to import some data, or explicitly set the coordinate "
        "range.");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(editor.current_objects.empty());

    project.range.width = 1000;
    click({1000, 100});  // on the vertical scroll bar
    EXPECT_TRUE(editor.current_objects.empty());
    click(at(150, 100));
    EXPECT_EQ(editor.current_objects.size(), 1u);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST(WindowLayoutTest, ChildrenAndMapArea) {
    const WindowLayout l = compute_layout(800, 600, WindowMetrics{28, 22, 17, 15});
    EXPECT_EQ(l.map_area, (ScreenRect{0, 28, 783, 563}));
    EXPECT_EQ(l.hscroll, (ScreenRect{0, 563, 783, 578}));
    EXPECT_EQ(l.vscroll, (ScreenRect{783, 28, 800, 563}));
    EXPECT_EQ(l.status_bar, (ScreenRect{0, 578, 800, 600}));
    EXPECT_TRUE(inside_map_area(l, {782, 584}));  // the test is against the scroll bars only
    EXPECT_FALSE(inside_map_area(l, {783, 10}));
    EXPECT_FALSE(inside_map_area(l, {10, 585}));
    const auto edges = status_part_edges(l);
    EXPECT_EQ(edges[0], 234);  // 30 % of 783
    EXPECT_EQ(edges[1], 454);
    EXPECT_EQ(edges[2], 665);
}

TEST(MenuData, MenuAcceleratorsAndToolbar) {
    EXPECT_EQ(menu_entries().size(), 42u);
    const auto menu = startup_menu();
    EXPECT_EQ(menu.size(), 40u);
    for (const MenuEntry& e : menu) {
        EXPECT_NE(e.command, cmd::kImportTrekpadMap);
        EXPECT_NE(e.command, cmd::kTranslateCoordinates);
        EXPECT_NE(e.command, cmd::kSelectByType);
    }
    EXPECT_EQ(find_accelerator({Key::Letter, 'C', true}), cmd::kCopy);
    EXPECT_EQ(find_accelerator({Key::Letter, 'T', true}), cmd::kNewPoint);
    EXPECT_EQ(find_accelerator({Key::Delete, 0, false}), cmd::kDelete);
    EXPECT_EQ(find_accelerator({Key::Letter, 'C', false}), std::nullopt);
    EXPECT_EQ(find_accelerator({Key::Letter, 'A', true}), std::nullopt);
    EXPECT_EQ(find_accelerator({Key::Letter, 'S', true}), cmd::kSave);
    EXPECT_EQ(find_accelerator({Key::Letter, 'S', true, true}), cmd::kSaveAs);
    EXPECT_EQ(find_accelerator({Key::Letter, 'C', true, true}), cmd::kCopy);
    EXPECT_EQ(find_accelerator({Key::Letter, 'Z', true, true}), cmd::kRedo);
    EXPECT_EQ(find_accelerator({Key::Letter, 'Z', true}), cmd::kUndo);
    EXPECT_EQ(accelerator_table().size(), 16u);

    const auto buttons = toolbar_buttons();
    ASSERT_EQ(buttons.size(), 14u);
    int images_seen = 0;
    for (const ToolButton& b : buttons) {
        if (b.kind == ToolButtonKind::Separator) continue;
        EXPECT_GE(b.image, 0);
        EXPECT_LT(b.image, kToolbarImageCount);
        images_seen |= 1 << b.image;
    }
    EXPECT_EQ(images_seen, (1 << kToolbarImageCount) - 1);  // each image once
    EXPECT_EQ(buttons[3].command, cmd::kSelectTool);
    EXPECT_TRUE(buttons[3].initially_pressed);
    EXPECT_TRUE(buttons[12].initially_pressed);
    EXPECT_EQ(buttons[13].kind, ToolButtonKind::GroupB);

    ScriptedHost host;
    set_tool_buttons(host, kToolRectangle);
    EXPECT_TRUE(host.tool_buttons[cmd::kRectangleTool]);
    EXPECT_FALSE(host.tool_buttons[cmd::kNewPoint]);
    EXPECT_EQ(host.tool_buttons.count(cmd::kSelectTool), 0u);  // the radio group releases it itself
    set_tool_buttons(host, kToolPolygon);
    EXPECT_TRUE(host.tool_buttons[cmd::kNewPolygon]);
    EXPECT_FALSE(host.tool_buttons[cmd::kRectangleTool]);
}

TEST_F(Commands, TheTimerBlinksCurrentObjectsInXor) {
    editor.current_layer = 0;
    MapObject* line = add_line(project.layers[0], "l", {{0, 0}, {100, 0}});
    on_timer(ctx);
    EXPECT_TRUE(host.overlay_canvas.ops.empty());
    editor.current_objects = {line};
    EXPECT_TRUE(should_blink(editor));
    on_timer(ctx);
    EXPECT_TRUE(editor.blink_shown);
    const auto lines = host.overlay_canvas.of_kind(CanvasOp::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->mode, RasterMode::Xor);
    EXPECT_EQ(host.overlay_canvas.of_kind(CanvasOp::Rectangle).size(), 2u);  // with markers
    EXPECT_EQ(host.overlay_canvas.ops.front().kind, CanvasOp::Clip);
    on_timer(ctx);
    EXPECT_FALSE(editor.blink_shown);
    editor.drag.dragging = true;
    EXPECT_FALSE(should_blink(editor));
    editor.drag.dragging = false;
    on_timer(ctx);
    RecordingCanvas canvas;
    on_paint(ctx, canvas);  // a repaint restarts the cycle
    EXPECT_FALSE(editor.blink_shown);
}

TEST_F(Commands, BackgroundHoverFindsBitmapsAndTheirCursors) {
    project.bitmaps.count = 2;
    BackgroundBitmap& under = project.bitmaps.entries[0];
    under.x = 100;
    under.y = 100;
    under.width = 300;
    under.height = 200;
    BackgroundBitmap& over = project.bitmaps.entries[1];
    over = under;
    over.x = 300;
    over.flags = kBitmapLocked;
    ASSERT_EQ(editor.current_layer, -1);

    move(at(150, 150));
    EXPECT_EQ(editor.hot_kind, HotKind::Bitmap);
    EXPECT_EQ(editor.hot_bitmap, 0);
    EXPECT_EQ(editor.hot_index, 4);
    EXPECT_EQ(host.cursor(), Cursor::SizeAll);
    move(at(250, 298));  // bottom edge midpoint of the unlocked one
    EXPECT_EQ(editor.hot_index, 7);
    EXPECT_EQ(host.cursor(), Cursor::SizeNs);
    move(at(350, 150));  // both overlap here: the unlocked one is found first
    EXPECT_EQ(editor.hot_bitmap, 0);
    move(at(500, 150));
    EXPECT_EQ(editor.hot_bitmap, 1);
    EXPECT_EQ(choose_context_menu(project, editor), kMenuBitmapLockedVisible);
    move(at(800, 500));
    EXPECT_EQ(editor.hot_kind, HotKind::None);
    EXPECT_EQ(host.cursor(), Cursor::Arrow);

    // Clicks on the background select nothing and say nothing.
    click(at(150, 150));
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Commands, AChangedBitmapTableForgetsTheHotBitmap) {
    project.bitmaps.count = 2;
    project.bitmaps.entries[0].width = project.bitmaps.entries[0].height = 200;
    move(at(50, 50));
    ASSERT_EQ(editor.hot_bitmap, 0);
    host.answer_dialog("Background Bitmaps", [](DialogModel& d) {
        auto& m = dynamic_cast<BackgroundBitmapsModel&>(d);
        m.selected = 0;
        m.move_down();
        return 1;
    });
    command(cmd::kBackgroundBitmaps);
    on_right_up(ctx, at(50, 50));
    EXPECT_TRUE(host.popups.empty()) << "its menu would act on the other bitmap";
    on_left_down(ctx, at(50, 50));
    move(at(90, 50));
    on_left_up(ctx, at(90, 50), false);
    EXPECT_EQ(project.bitmaps.entries[0].x, 0);
}

TEST_F(Commands, ResizeLaysOutTheMapAreaAndLoadsTheScrollBars) {
    on_resize(ctx, 816, 416, WindowMetrics{30, 20, 16, 16});
    EXPECT_EQ(view.view_rect, (ScreenRect{0, 30, 800, 380}));
    EXPECT_EQ(host.status_parts, (std::array<int32_t, 3>{240, 464, 680}));
    EXPECT_EQ(host.scroll_bars[ScrollBar::Horizontal].page, 800);
    EXPECT_EQ(host.scroll_bars[ScrollBar::Horizontal].maximum, 1000);
    EXPECT_TRUE(host.scroll_bars[ScrollBar::Horizontal].enabled);
    EXPECT_EQ(host.scroll_bars[ScrollBar::Vertical].page, 350);
    EXPECT_FALSE(inside_map_area(editor.layout, {800, 100}));
}

#include <array>
#include <vector>

#include "editor/bitmap_commands.h"
#include "editor/clipboard.h"
#include "editor/command_ids.h"
#include "editor/drags.h"
#include "editor/drawing.h"
#include "editor/vertex_edits.h"
#include "editor_fixture.h"
#include "model/vocabulary.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct ObjectEdits : EditorFixture {
    ObjectEdits() {
        add_layer(project, "roads", kThemeRoads);
        editor.current_layer = 0;
    }
    Layer& layer() { return project.layers[0]; }

    static std::vector<Point> points_of(const MapObject* o) {
        return std::vector<Point>(object_points(o), object_points(o) + object_point_count(o));
    }
    std::vector<MapObject*> list() {
        std::vector<MapObject*> v;
        for (MapObject* o = layer().objects; o; o = o->next) v.push_back(o);
        return v;
    }
    void drag(ScreenPoint from, ScreenPoint to) {
        move(from);
        on_left_down(ctx, from);
        move(to);
        on_left_up(ctx, to, false);
    }
};

using Pts = std::vector<Point>;

}  // namespace

TEST_F(ObjectEdits, AVertexDraggedBackOntoItselfChangesNothing) {
    MapObject* line = add_line(layer(), "st", {{100, 100}, {200, 100}});
    editor.current_objects = {line};
    drag(at(101, 100), at(101, 100));
    EXPECT_FALSE(editor.drag.dragging);
    EXPECT_EQ(points_of(line), (Pts{{100, 100}, {200, 100}}));
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(host.redraws, 0);

    drag(at(101, 100), at(151, 150));
    EXPECT_EQ(points_of(line), (Pts{{150, 150}, {200, 100}}));
    EXPECT_EQ(project.modified, 1);
    EXPECT_TRUE(host.beeps.empty());
}

TEST_F(ObjectEdits, AVertexDraggedNearAnotherObjectSnapsAndBeeps) {
    add_line(layer(), "other", {{300, 300}, {400, 400}});
    MapObject* line = add_line(layer(), "st", {{100, 100}, {200, 100}});
    editor.current_objects = {line};
    drag(at(200, 100), at(302, 303));
    EXPECT_EQ(points_of(line), (Pts{{100, 100}, {300, 300}}));
    EXPECT_EQ(host.beeps.size(), 1u);
}

TEST_F(ObjectEdits, AnObjectDragMovesEveryVertexAndSnapsItsFirstVertex) {
    add_line(layer(), "other", {{300, 300}, {400, 400}});
    MapObject* line = add_line(layer(), "st", {{100, 100}, {200, 100}});
    editor.current_objects = {line};
    drag(at(150, 100), at(160, 120));  // press on the segment
    EXPECT_EQ(points_of(line), (Pts{{110, 120}, {210, 120}}));
    EXPECT_EQ(editor.drag.copy, nullptr);
    EXPECT_TRUE(host.beeps.empty());

    // Released so that the first vertex lands 3 pixels from another object's vertex: it snaps there.
    drag(at(160, 120), at(352, 302));
    EXPECT_EQ(points_of(line), (Pts{{300, 300}, {400, 300}}));
    EXPECT_EQ(host.beeps.size(), 1u);

    project.modified = 0;
    drag(at(350, 300), at(350, 300));  // released where it was pressed
    EXPECT_EQ(points_of(line), (Pts{{300, 300}, {400, 300}}));
    EXPECT_EQ(project.modified, 0);
}

TEST_F(ObjectEdits, BelowZoomOneSnappedPointsTakeTheVertexItself) {
    // A degree project fitted at zoom 1/32: a pixel maps back to a multiple of 32 units.
    project.coord_sys = kCoordDegrees;
    project.range = {0, 0, 20000, 12000};
    fit_view(view, project);
    ASSERT_EQ(view.zoom, 1.0f / 32);
    const Point road_end{10013, 6007}, road_start{6013, 4007};
    add_line(layer(), "road", {road_start, {8000, 5000}, road_end});
    MapObject* st = add_line(layer(), "st", {{4000, 9000}, {6000, 9000}});
    auto near = [&](Point p) {
        const ScreenPoint s = world_to_screen(view, project, p);
        return ScreenPoint{s.x + 2, s.y + 1};
    };
    // The whole line dragged so that its first vertex lands on the road's start.
    editor.current_objects = {st};
    const ScreenPoint mid = world_to_screen(view, project, {5000, 9000});
    const ScreenPoint first = world_to_screen(view, project, {4000, 9000});
    const ScreenPoint onto = near(road_start);
    drag(mid, {mid.x + onto.x - first.x, mid.y + onto.y - first.y});
    EXPECT_EQ(points_of(st), (Pts{road_start, {road_start.x + 2000, road_start.y}}));
    // Its other vertex dragged onto the road's end.
    drag(world_to_screen(view, project, points_of(st)[1]), near(road_end));
    EXPECT_EQ(points_of(st), (Pts{road_start, road_end}));
    // A vertex inserted onto the road's middle vertex.
    editor.hot_index = 1;
    editor.context_point = near({8000, 5000});
    command(cmd::kInsertPoint);
    EXPECT_EQ(points_of(editor.current_objects.front())[1], (Point{8000, 5000}));
    // A new line that starts on the road's end.
    command(cmd::kNewLine);
    click(near(road_end));
    EXPECT_EQ(editor.drawing_points, Pts{road_end});
    EXPECT_EQ(host.beeps.size(), 4u);
}

TEST_F(ObjectEdits, TheLeftHandleCompressesVerticesInsideTheOldRectangle) {
    MapObject* line = add_line(layer(), "st", {{100, 200}, {200, 200}, {300, 200}, {400, 200}});
    editor.current_objects = {line};
    set_tool_mode(editor, kToolRectangle);
    editor.selection_rect = {100, 100, 300, 300};
    move(at(100, 200));
    ASSERT_EQ(editor.hot_kind, HotKind::SelectionRect);
    ASSERT_EQ(editor.hot_index, 3);
    on_left_down(ctx, at(100, 200));
    move(at(200, 200));
    on_left_up(ctx, at(200, 200), false);
    EXPECT_EQ(editor.selection_rect, (SelectionRect{200, 100, 300, 300}));
    EXPECT_EQ(points_of(line), (Pts{{200, 200}, {250, 200}, {300, 200}, {400, 200}}));
    EXPECT_EQ(project.modified, 1);
}

TEST_F(ObjectEdits, BitmapsDragUnlessLockedAndTheirCommandsLeaveModifiedAlone) {
    BitmapTable& t = project.bitmaps;
    t.count = 1;
    t.entries[0].width = 100;
    t.entries[0].height = 50;
    set_current_layer(editor, -1);
    drag(at(50, 25), at(60, 35));  // the body moves the whole bitmap
    EXPECT_EQ(t.entries[0].x, 10);
    EXPECT_EQ(t.entries[0].y, 10);
    EXPECT_EQ(t.entries[0].width, 100);
    EXPECT_EQ(project.modified, 1);

    project.modified = 0;
    move(at(60, 35));
    EXPECT_EQ(handle_command(ctx, cmd::kLockPosition), CommandResult::Done);
    EXPECT_EQ(t.entries[0].flags, kBitmapLocked);
    EXPECT_EQ(project.modified, 1);  // the flags are saved with the project
    project.modified = 0;
    handle_command(ctx, cmd::kLockPosition);  // already locked: nothing changes
    EXPECT_EQ(project.modified, 0);
    handle_command(ctx, cmd::kHideBitmap);
    EXPECT_EQ(t.entries[0].flags, kBitmapLocked | kBitmapHidden);
    handle_command(ctx, cmd::kShowBitmap);
    EXPECT_EQ(t.entries[0].flags, kBitmapLocked);
    EXPECT_EQ(t.entries[0].image, nullptr);  // no file behind it
    drag(at(60, 35), at(90, 35));
    EXPECT_EQ(t.entries[0].x, 10);
    handle_command(ctx, cmd::kUnlockPosition);
    EXPECT_EQ(t.entries[0].flags, 0);
    EXPECT_EQ(project.modified, 1);
}

TEST_F(ObjectEdits, ABitmapMovesOnlyPastTheDragDistanceAndKeepsItsSize) {
    BackgroundBitmap& b = project.bitmaps.entries[project.bitmaps.count++];
    b.x = b.y = b.width = b.height = 101;  // not a whole number of pixels at zoom 0.5
    view.zoom = 0.5f;
    set_current_layer(editor, -1);
    const ScreenPoint body = world_to_screen(view, project, {151, 151});
    drag(body, {body.x + 2, body.y + 1});  // less than the drag distance: a click
    EXPECT_EQ(project.modified, 0);
    drag(body, {body.x + 10, body.y + 6});
    EXPECT_EQ((std::array{b.x, b.y, b.width, b.height}), (std::array{121, 113, 101, 101}));
    editor.layout.metrics.drag_distance = 20;
    drag(body, {body.x + 10, body.y + 6});
    EXPECT_EQ(b.x, 121);
}

TEST_F(ObjectEdits, SplitLineAtAnInnerVertexOnly) {
    MapObject* line = add_line(layer(), "st", {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}});
    editor.current_objects = {line};
    editor.hot_index = 4;
    command(cmd::kSplitLineHere);
    EXPECT_EQ(host.last_message(), "Bad split point");
    editor.hot_index = 0;
    command(cmd::kSplitLineHere);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(project.modified, 0);

    editor.hot_index = 2;
    command(cmd::kSplitLineHere);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(points_of(line), (Pts{{0, 0}, {10, 0}, {20, 0}}));
    MapObject* split_off = layer().objects;
    ASSERT_NE(split_off, line);
    EXPECT_EQ(points_of(split_off), (Pts{{20, 0}, {30, 0}, {40, 0}}));
    EXPECT_EQ(field_text(split_off->name), "st");
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{line});
    EXPECT_EQ(project.modified, 1);
}

TEST_F(ObjectEdits, SplitPolygonBetweenTheMarkAndTheHotVertex) {
    MapObject* p = add_line(layer(), "park", {{0, 0}, {1, 0}, {2, 0}, {3, 3}, {4, 4}, {5, 5}}, kDimPolygon);
    editor.current_objects = {p};
    editor.hot_index = 1;
    command(cmd::kMarkSplitPoint);
    editor.hot_index = 2;  // neighbours
    command(cmd::kSplitPolygonHere);
    EXPECT_EQ(host.last_message(), "Bad split points");
    editor.hot_index = 1;  // the same vertex
    command(cmd::kSplitPolygonHere);
    EXPECT_EQ(host.messages.size(), 2u);

    editor.hot_index = 4;
    command(cmd::kSplitPolygonHere);
    EXPECT_EQ(host.messages.size(), 2u);
    MapObject* other = layer().objects;
    EXPECT_EQ(points_of(other), (Pts{{1, 0}, {2, 0}, {3, 3}, {4, 4}}));
    EXPECT_EQ(other->dimension, kDimPolygon);
    EXPECT_EQ(points_of(p), (Pts{{4, 4}, {5, 5}, {0, 0}, {1, 0}}));

    // The last and the first vertex are neighbours too.
    editor.split_mark = 0;
    editor.hot_index = 3;
    EXPECT_EQ(split_polygon(ctx), Outcome::Failed);
}

TEST_F(ObjectEdits, JoinLinesByTheNearestEnds) {
    struct Case {
        Pts b;
        Pts joined;
    };
    // A runs (0,0) -> (10,0).
    const Case cases[] = {
        {{{-1, 0}, {-5, 0}}, {{10, 0}, {0, 0}, {-5, 0}}},  // 1: first - first
        {{{-5, 0}, {-1, 0}}, {{-5, 0}, {0, 0}, {10, 0}}},  // 2: first - last
        {{{11, 0}, {15, 0}}, {{0, 0}, {10, 0}, {15, 0}}},  // 3: last - first
        {{{15, 0}, {11, 0}}, {{15, 0}, {10, 0}, {0, 0}}},  // 4: last - last
    };
    for (const Case& c : cases) {
        Layer& l = layer();
        MapObject* a = add_line(l, "a", {{0, 0}, {10, 0}}, kDimLine, kRoad3);
        ObjectHead head;
        head.dimension = kDimLine;
        set_field(head.name, "b");
        MapObject* b_full = make_object(l, head, c.b.data(), int32_t(c.b.size()));
        editor.current_objects = {a, b_full};
        const int live = l.object_count;
        EXPECT_EQ(command(cmd::kJoinLines), CommandResult::Done);
        MapObject* j = l.objects;
        EXPECT_EQ(points_of(j), c.joined);
        EXPECT_EQ(field_text(j->name), "a");
        EXPECT_EQ(j->type, kRoad3);
        EXPECT_EQ(a->dimension, kDimDeleted);
        EXPECT_EQ(b_full->dimension, kDimDeleted);
        EXPECT_EQ(l.object_count, live - 1);
        EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{j});
    }
}

TEST_F(ObjectEdits, JoinLinesRefusesAnythingButTwoLinesAndSaysWhy) {
    MapObject* a = add_line(layer(), "a", {{0, 0}, {10, 0}});
    MapObject* pt = add_point(layer(), "p", {11, 0});
    MapObject* poly = add_line(layer(), "park", {{11, 0}, {20, 0}, {20, 9}}, kDimPolygon);
    MapObject* head = layer().objects;
    const std::vector<MapObject*> refused[] = {{a, pt}, {a, poly}, {a}, {a, a}};
    for (size_t i = 0; i < std::size(refused); ++i) {
        editor.current_objects = refused[i];
        command(cmd::kJoinLines);
        ASSERT_EQ(host.messages.size(), i + 1);
        EXPECT_EQ(host.last_message(), "Select exactly two lines to join.");
        EXPECT_EQ(host.messages.back().caption, "Error");
        EXPECT_EQ(host.messages.back().icon, MessageIcon::Information);
    }
    EXPECT_EQ(layer().objects, head);
    EXPECT_EQ(a->dimension, kDimLine);
    EXPECT_EQ(pt->dimension, kDimPoint);
    EXPECT_EQ(poly->dimension, kDimPolygon);
    EXPECT_EQ(object_point_count(poly), 3);
    EXPECT_EQ(project.modified, 0);
}

TEST_F(ObjectEdits, CutThenPastePutsCopiesAtTheEndInSetOrder) {
    MapObject* a = add_line(layer(), "a", {{0, 0}, {1, 1}});
    MapObject* b = add_line(layer(), "b", {{2, 2}, {3, 3}});
    MapObject* c = add_line(layer(), "c", {{4, 4}, {5, 5}});
    editor.current_objects = {a, c};
    command(cmd::kCut);
    EXPECT_EQ(a->dimension, kDimDeleted);
    EXPECT_EQ(c->dimension, kDimDeleted);
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(layer().object_count, 1);
    ASSERT_NE(editor.clipboard, nullptr);
    EXPECT_EQ(field_text(editor.clipboard->name), "c");  // reverse set order

    editor.drawing_points = {{9, 9}};
    command(cmd::kPaste);
    const std::vector<MapObject*> l = list();
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[0], c);
    EXPECT_EQ(l[1], b);
    EXPECT_EQ(l[2], a);
    EXPECT_EQ(field_text(l[3]->name), "a");
    EXPECT_EQ(field_text(l[4]->name), "c");
    EXPECT_EQ(points_of(l[4]), (Pts{{4, 4}, {5, 5}}));
    EXPECT_EQ(editor.current_objects, (std::vector<MapObject*>{l[3], l[4]}));
    EXPECT_EQ(layer().object_count, 3);
    EXPECT_TRUE(editor.drawing_points.empty());
    EXPECT_NE(editor.clipboard, nullptr);  // can be pasted again

    // Copy leaves the project alone; an empty set leaves the clipboard alone.
    project.modified = 0;
    editor.current_objects = {b};
    command(cmd::kCopy);
    EXPECT_EQ(field_text(editor.clipboard->name), "b");
    EXPECT_EQ(editor.clipboard->next, nullptr);
    editor.current_objects.clear();
    command(cmd::kCopy);
    EXPECT_EQ(field_text(editor.clipboard->name), "b");
    EXPECT_EQ(project.modified, 0);
}

TEST_F(ObjectEdits, InsertAddAndDeletePoints) {
    MapObject* line = add_line(layer(), "st", {{100, 100}, {200, 100}});
    editor.current_objects = {line};
    // Insert on the segment at the right-click position.
    move(at(150, 100));
    ASSERT_EQ(editor.hot_index, 1);
    editor.context_point = at(150, 101);
    command(cmd::kInsertPoint);
    line = editor.current_objects.front();
    EXPECT_EQ(points_of(line), (Pts{{100, 100}, {150, 101}, {200, 100}}));
    EXPECT_EQ(project.modified, 1);

    // Add goes to the nearer end: after the last vertex here, before the first on a tie.
    clear_hot_item(editor);
    editor.context_point = at(260, 100);
    command(cmd::kAddPoint);
    line = editor.current_objects.front();
    EXPECT_EQ(points_of(line).back(), (Point{260, 100}));
    editor.context_point = at(180, 300);
    command(cmd::kAddPoint);
    line = editor.current_objects.front();
    EXPECT_EQ(points_of(line).front(), (Point{180, 300}));
    EXPECT_EQ(object_point_count(line), 5);

    editor.hot_kind = HotKind::Object;
    editor.hot_item = line;
    editor.hot_index = 0;
    command(cmd::kDeletePoint);
    EXPECT_EQ(points_of(line), (Pts{{100, 100}, {150, 101}, {200, 100}, {260, 100}}));

    MapObject* pt = add_point(layer(), "inn", {5, 5});
    editor.current_objects = {pt};
    editor.hot_item = pt;
    command(cmd::kDeletePoint);
    EXPECT_EQ(pt->dimension, kDimDeleted);
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(editor.hot_item, nullptr);
}

TEST_F(ObjectEdits, WithDegreesTheScreenUpIsTheMapNorth) {
    project.coord_sys = kCoordDegrees;
    view.origin_y = -300;  // keeps the objects inside the map area
    MapObject* line = add_line(layer(), "st", {{100, 100}, {200, 100}});
    editor.current_objects = {line};
    const ScreenPoint on_segment = world_to_screen(view, project, {150, 100});
    drag(on_segment, {on_segment.x + 10, on_segment.y - 20});
    EXPECT_EQ(points_of(line), (Pts{{110, 120}, {210, 120}}));

    // A bitmap's stored corner is its lower-left one.
    BitmapTable& t = project.bitmaps;
    t.count = 1;
    t.entries[0] = BackgroundBitmap{};
    t.entries[0].x = 0;
    t.entries[0].y = 0;
    t.entries[0].width = 100;
    t.entries[0].height = 50;
    set_current_layer(editor, -1);
    const ScreenPoint body = world_to_screen(view, project, {50, 25});
    drag(body, {body.x + 10, body.y - 10});
    EXPECT_EQ(t.entries[0].x, 10);
    EXPECT_EQ(t.entries[0].y, 10);
    EXPECT_EQ(t.entries[0].width, 100);
    EXPECT_EQ(t.entries[0].height, 50);
}

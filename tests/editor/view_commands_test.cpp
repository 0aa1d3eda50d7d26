#include <random>

#include "editor/command_ids.h"
#include "editor/selection.h"
#include "editor/status_bar.h"
#include "editor/view_zoom.h"
#include "editor_fixture.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
struct ViewCommands : EditorFixture {
    ViewCommands() { add_layer(project, "areas", kThemeWater); }
};
}  // namespace

TEST_F(ViewCommands, ZoomAboutAPointKeepsItsMapPointUnderIt) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> pixel(0, 999), origin(-2000000, 2000000), steps(-6, 6);
    for (int round = 0; round < 2000; ++round) {
        project.coord_sys = round % 2 ? kCoordDegrees : kCoordArbitrary;
        view.origin_x = origin(rng);
        view.origin_y = origin(rng);
        view.zoom = std::ldexp(1.0f, steps(rng));
        const ScreenPoint cursor = at(pixel(rng), pixel(rng) % 600);
        const Point before = screen_to_world(view, project, cursor);
        const float coarser = std::min(view.zoom, view.zoom * (round % 3 ? 2.0f : 0.5f));
        zoom_about(view, project, cursor, round % 3 != 0);
        const Point after = screen_to_world(view, project, cursor);
        // Within a pixel at the coarser of the two zooms, as whole map units allow.
        const double slack = 1.0 / coarser + 1.0;
        ASSERT_LE(std::abs(double(after.x) - before.x), slack) << round;
        ASSERT_LE(std::abs(double(after.y) - before.y), slack) << round;
    }
}

TEST_F(ViewCommands, ZoomToExtentAndToSelection) {
    Layer& layer = project.layers[0];
    MapObject* a = add_line(layer, "a", {{100, 100}, {150, 120}});
    MapObject* b = add_line(layer, "b", {{140, 110}, {200, 140}});
    editor.current_layer = 0;
    editor.current_objects = {a, b};
    command(cmd::kZoomToSelection);
    // Centred on (150, 120), 100 x 40 units at the largest power of two that fits 1000 x 600 pixels.
    EXPECT_EQ(view.zoom, 8.0f);
    EXPECT_EQ(world_to_screen(view, project, {150, 120}), at(500, 300));

    command(cmd::kZoomToExtent);
    ViewState fitted = view;
    fit_view(fitted, project);
    EXPECT_EQ(view.zoom, fitted.zoom);
    EXPECT_EQ(view.origin_x, fitted.origin_x);
    EXPECT_EQ(view.origin_y, fitted.origin_y);

    editor.current_objects.clear();  // nothing to fit: the view stays
    command(cmd::kZoomToSelection);
    EXPECT_EQ(view.zoom, fitted.zoom);
}

TEST_F(ViewCommands, DegreeProjectsShowThePositionInDegrees) {
    project.coord_sys = kCoordDegrees;
    project.range = {17000000, 49000000, 1000000, 1000000};
    editor.current_layer = 0;
    const ScreenPoint p = at(300, 200);
    view.origin_x = 17738600 - 300 + 500;
    view.origin_y = 49612000 - project.range.height + 200 - 300;  // north up
    move(p);
    EXPECT_EQ(host.status[kStatusDegreePart], "49.612000 N 17.738600 E");
    view.origin_x = -17738600 - 300 + 500;
    view.origin_y = -49612000 - project.range.height + 200 - 300;
    EXPECT_EQ(degree_status_text(project, view, p), "49.612000 S 17.738600 W");
    project.coord_sys = kCoordArbitrary;
    EXPECT_EQ(degree_status_text(project, view, p), "");
}

TEST_F(ViewCommands, AClickInsideAPolygonSelectsIt) {
    Layer& layer = project.layers[0];
    MapObject* lake = add_line(layer, "lake", {{100, 100}, {400, 100}, {400, 400}, {100, 400}}, kDimPolygon);
    MapObject* isle = add_line(layer, "isle", {{200, 200}, {300, 200}, {300, 300}, {200, 300}}, kDimPolygon);
    MapObject* road = add_line(layer, "road", {{50, 150}, {450, 150}});
    editor.current_layer = 0;
    click(at(150, 300));
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{lake});
    click(at(250, 250));  // the inner of two nested areas
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{isle});
    click(at(250, 150));  // the edge tests come first
    EXPECT_EQ(editor.current_objects, std::vector<MapObject*>{road});
    click(at(500, 500));
    EXPECT_TRUE(editor.current_objects.empty());
}

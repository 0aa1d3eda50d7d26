#include <gtest/gtest.h>

#include <cmath>

#include "editor/view_state.h"
#include "support/scripted_host.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

ViewState view_of(ScreenRect area) {
    ViewState v;
    v.view_rect = area;
    return v;
}

}  // namespace

TEST(ViewTransform, DegreeProjectFitsAndDrawsNorthUp) {
    Project p;
    p.coord_sys = kCoordDegrees;
    p.range = {0, 0, 500, 1000};
    ViewState v = view_of({0, 30, 801, 631});  // half_w 400, half_h 300, centre y 330
    fit_view(v, p);
    EXPECT_EQ(v.zoom, 1.0f);
    EXPECT_EQ(v.origin_x, 250);
    EXPECT_EQ(v.origin_y, -500);
    EXPECT_EQ(world_to_screen(v, p, {250, 1000}), (ScreenPoint{400, 330 - 500}));
    EXPECT_EQ(world_to_screen(v, p, {250, 0}), (ScreenPoint{400, 330 + 500}));
    EXPECT_EQ(world_to_screen(v, p, {250, 500}), (ScreenPoint{400, 330}));

    for (float zoom : {1.0f, 0.5f, 0.125f, 4.0f}) {
        v.zoom = zoom;
        for (Point q : {Point{0, 0}, Point{500, 1000}, Point{123, 877}, Point{-40, 3}}) {
            const Point back = screen_to_world(v, p, world_to_screen(v, p, q));
            const int32_t tolerance = zoom >= 1 ? 1 : int32_t(1 / zoom);
            EXPECT_LE(std::abs(back.x - q.x), tolerance) << zoom;
            EXPECT_LE(std::abs(back.y - q.y), tolerance) << zoom;
        }
    }
}

TEST(ViewTransform, ArbitraryProjectGrowsDownward) {
    Project p;
    p.coord_sys = kCoordArbitrary;
    p.range = {0, 0, 640, 480};
    ViewState v = view_of({0, 20, 800, 620});
    fit_view(v, p);
    EXPECT_EQ(v.origin_x, 320);
    EXPECT_EQ(v.origin_y, 240);
    EXPECT_EQ(world_to_screen(v, p, {0, 0}), (ScreenPoint{400 - 320, 320 - 240}));
    EXPECT_EQ(screen_to_world(v, p, {400, 320}), (Point{320, 240}));
    EXPECT_LT(world_to_screen(v, p, {0, 10}).y, world_to_screen(v, p, {0, 20}).y);
}

TEST(ViewTransform, FitHalvesTheZoomUntilTheWidthFits) {
    Project p;
    p.range = {1000, 1000, 20000, 5};
    ViewState v = view_of({0, 0, 700, 500});
    fit_view(v, p);
    EXPECT_EQ(v.zoom, 0.03125f);
    EXPECT_EQ(length_to_screen(v, 20000), 625);

    // Only the width is fitted, and the loop gives up at 0.0001.
    p.range = {0, 0, 2000000000, 1};
    fit_view(v, p);
    EXPECT_LE(v.zoom, 0.0001f);
    EXPECT_GT(v.zoom * 2, 0.0001f);

    // An empty range leaves the view alone.
    v.zoom = 0.25f;
    v.origin_x = 7;
    p.range = {180000000, 180000000, -360000000, -360000000};
    fit_view(v, p);
    EXPECT_EQ(v.zoom, 0.25f);
    EXPECT_EQ(v.origin_x, 7);
}

TEST(ViewTransform, LengthsTruncateTowardZero) {
    ViewState v;
    v.zoom = 0.5f;
    EXPECT_EQ(length_to_screen(v, 7), 3);
    EXPECT_EQ(length_to_screen(v, -7), -3);
    EXPECT_EQ(length_to_world(v, -7), -14);
    v.zoom = 4.0f;
    EXPECT_EQ(length_to_world(v, 7), 1);
    EXPECT_EQ(length_to_world(v, -7), -1);
}

TEST(ViewTransform, ZoomHasNoBoundsButCoordinatesSaturate) {
    Project p;
    p.range = {0, 0, 100, 100};
    ViewState v = view_of({0, 0, 100, 100});
    zoom_in(v);
    EXPECT_EQ(v.zoom, 2.0f);
    zoom_out(v);
    zoom_out(v);
    EXPECT_EQ(v.zoom, 0.5f);
    // Far beyond any use, the zoom stops short of infinity and of zero, so that it can come back.
    for (int i = 0; i < 300; ++i) zoom_in(v);
    EXPECT_TRUE(std::isfinite(v.zoom));
    EXPECT_EQ(world_to_screen(v, p, {100, 100}).x, INT32_MAX);
    EXPECT_EQ(world_to_screen(v, p, {-100, 0}).x, INT32_MIN);
    for (int i = 0; i < 700; ++i) zoom_out(v);
    EXPECT_GT(v.zoom, 0.0f);
    EXPECT_EQ(screen_to_world(v, p, {90, 50}).x, INT32_MAX);
    EXPECT_EQ(screen_to_world(v, p, {50, 50}).x, 0);
    for (int i = 0; i < 126; ++i) zoom_in(v);
    EXPECT_EQ(v.zoom, 1.0f);

    // A point far to the left of the view stays to the left: nothing wraps round.
    v.origin_x = INT32_MAX;
    EXPECT_EQ(world_to_screen(v, p, {INT32_MIN, 0}).x, INT32_MIN);
    EXPECT_LT(world_to_screen(v, p, {-2000000000, 0}).x, 0);
}

TEST(ViewScrolling, LinesPagesAndThumb) {
    Project p;
    p.coord_sys = kCoordDegrees;
    p.range = {0, 0, 100000, 100000};
    ViewState v = view_of({0, 0, 400, 300});
    v.zoom = 0.5f;
    scroll_view(v, p, ScrollBar::Horizontal, ScrollAction::LineForward, 800);
    EXPECT_EQ(v.origin_x, 80);
    scroll_view(v, p, ScrollBar::Horizontal, ScrollAction::PageBack, 800);
    EXPECT_EQ(v.origin_x, 80 - 1600);
    // Scrolling down shows smaller y in a degree project.
    scroll_view(v, p, ScrollBar::Vertical, ScrollAction::LineForward, 600);
    EXPECT_EQ(v.origin_y, -80);
    p.coord_sys = kCoordArbitrary;
    scroll_view(v, p, ScrollBar::Vertical, ScrollAction::PageForward, 600);
    EXPECT_EQ(v.origin_y, -80 + 1200);
    // The thumb position is taken whole, also beyond 16 bits.
    scroll_view(v, p, ScrollBar::Horizontal, ScrollAction::ThumbRelease, 800, 45000000);
    EXPECT_EQ(v.origin_x, 45000000);
}

TEST(ViewScrolling, ScrollBarsShowTheRangeAndTheVisiblePart) {
    Project p;
    p.range = {-500, 100, 2000, 1000};
    ViewState v = view_of({0, 30, 400, 330});
    v.zoom = 0.5f;
    v.origin_x = 123;
    v.origin_y = 456;
    ScriptedHost host;
    set_scroll_bars(v, p, host);
    EXPECT_EQ(host.scroll_bars[ScrollBar::Horizontal], (ScrollBarValues{-500, 1500, 800, 123, true}));
    EXPECT_EQ(host.scroll_bars[ScrollBar::Vertical], (ScrollBarValues{100, 1100, 600, 456, true}));
    v.zoom = 0.125f;  // the whole range fits: nothing to scroll
    set_scroll_bars(v, p, host);
    EXPECT_FALSE(host.scroll_bars[ScrollBar::Horizontal].enabled);
    EXPECT_FALSE(host.scroll_bars[ScrollBar::Vertical].enabled);

    // Decimal degrees, north up: the thumb shows the centre mirrored in the range, and a release where
    // it shows keeps the view.
    p.coord_sys = kCoordDegrees;
    fit_view(v, p);
    const int32_t y = v.origin_y;
    set_scroll_bars(v, p, host);
    EXPECT_EQ(host.scroll_bars[ScrollBar::Vertical].position, 600);
    scroll_view(v, p, ScrollBar::Vertical, ScrollAction::ThumbRelease, 300, 600);
    EXPECT_EQ(v.origin_y, y);
}

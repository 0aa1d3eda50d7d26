#include "editor/map_paint.h"

#include <gtest/gtest.h>

#include <memory>

#include "editor/view_style.h"
#include "model/background_image.h"
#include "model/gdal_raster.h"
#include "model/vocabulary.h"
#include "support/object_builders.h"
#include "support/raster_samples.h"
#include "support/recording_canvas.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

// A 1:1 view of an arbitrary (y down) project whose map point (x, y) lands on pixel (x, y + 20).
struct PaintFixture : ::testing::Test {
    PaintFixture() {
        project.coord_sys = kCoordArbitrary;
        project.range = {0, 0, 1000, 1000};
        view.view_rect = {0, 20, 1000, 1020};
        view.origin_x = 500;
        view.origin_y = 500;
    }
    void paint() {
        canvas.clear();
        paint_map(project, editor, view, canvas);
    }
    std::vector<const CanvasOp*> polylines() const { return canvas.of_kind(CanvasOp::Polyline); }
    std::vector<const CanvasOp*> rectangles() const { return canvas.of_kind(CanvasOp::Rectangle); }

    Project project;
    EditorState editor;
    ViewState view;
    RecordingCanvas canvas;
};

std::shared_ptr<const Image> image_of(int w, int h) {
    auto img = std::make_shared<Image>();
    img->width = w;
    img->height = h;
    img->pixels.assign(size_t(w) * size_t(h), 0xff000000u);
    return img;
}

}  // namespace

TEST_F(PaintFixture, SheetIsWhiteOverTheDarkBackgroundAndEverythingIsClipped) {
    paint();
    ASSERT_GE(canvas.ops.size(), 3u);
    EXPECT_EQ(canvas.ops[0].kind, CanvasOp::Clip);
    EXPECT_EQ(canvas.ops[0].rect, view.view_rect);
    EXPECT_EQ(canvas.ops[1].kind, CanvasOp::FillRect);
    EXPECT_EQ(canvas.ops[1].fill, style::kDarkGrey);
    EXPECT_EQ(canvas.ops[2].kind, CanvasOp::FillRect);
    EXPECT_EQ(canvas.ops[2].fill, style::kWhite);
    EXPECT_EQ(canvas.ops[2].rect, (ScreenRect{0, 20, 1000, 1020}));

    // A sheet of more than 100000 pixels a side is not filled, nor is an empty range.
    view.zoom = 128.0f;
    paint();
    EXPECT_EQ(canvas.of_kind(CanvasOp::FillRect).size(), 1u);
    view.zoom = 1.0f;
    project.range.width = 0;
    paint();
    EXPECT_EQ(canvas.of_kind(CanvasOp::FillRect).size(), 1u);
}

TEST_F(PaintFixture, ObjectsTooShortToShowAreNotDrawnAtAll) {
    Layer& layer = add_layer(project, "roads");
    add_line(layer, "stub", {{10, 10}});
    add_line(layer, "sliver", {{10, 10}, {20, 20}}, kDimPolygon);
    editor.current_layer = 0;  // markers too would show, if anything were drawn
    paint();
    EXPECT_TRUE(polylines().empty());
    EXPECT_TRUE(rectangles().empty());

    add_line(layer, "two", {{10, 10}, {20, 20}});
    paint();
    ASSERT_EQ(polylines().size(), 1u);
    EXPECT_EQ(rectangles().size(), 2u);
}

TEST_F(PaintFixture, StylesByDimensionAndType) {
    Layer& layer = add_layer(project, "all");
    layer.display_flags = kLayerShowAlways;
    add_line(layer, "road", {{0, 0}, {10, 0}}, kDimLine, kFreeway);
    add_line(layer, "river", {{0, 0}, {10, 0}}, kDimLine, kRiver);
    add_line(layer, "lake", {{0, 0}, {10, 0}, {10, 10}}, kDimPolygon, kWaterArea);
    add_line(layer, "park", {{0, 0}, {10, 0}, {10, 10}}, kDimPolygon, kOpenSpace);
    paint();
    auto lines = polylines();
    ASSERT_EQ(lines.size(), 4u);  // newest first
    EXPECT_EQ(lines[0]->pen, style::kGreen);
    EXPECT_EQ(lines[1]->pen, style::kLightBlue);
    EXPECT_EQ(lines[2]->pen, style::kLightBlue);
    EXPECT_EQ(lines[3]->pen, style::kRed);
    // The ring is closed by drawing: back to the first point.
    ASSERT_EQ(lines[0]->points.size(), 4u);
    EXPECT_EQ(lines[0]->points.front(), lines[0]->points.back());
    EXPECT_EQ(lines[3]->points.size(), 2u);
    EXPECT_TRUE(rectangles().empty());  // not current: no markers
    for (const CanvasOp* op : lines) EXPECT_EQ(op->mode, RasterMode::Copy);
}

TEST_F(PaintFixture, PointsAreSevenPixelSquaresInTheSelectedPen) {
    Layer& layer = add_layer(project, "places");
    add_point(layer, "here", {100, 200});
    editor.current_layer = 0;
    paint();
    auto rects = rectangles();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->rect, (ScreenRect{97, 217, 104, 224}));
    EXPECT_EQ(rects[0]->brush, style::brush(style::kMagenta));

    // draw_object leaves the pen alone for points and restores the raster mode.
    canvas.clear();
    canvas.set_pen(style::kYellow);
    draw_object(view, project, layer.objects, canvas, false, RasterMode::Xor);
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].pen, style::kYellow);
    EXPECT_EQ(canvas.ops[0].mode, RasterMode::Xor);
    EXPECT_EQ(canvas.mode(), RasterMode::Copy);
}

TEST_F(PaintFixture, OnlyTheCurrentLayerHasMarkersAndHiddenLayersStayHidden) {
    Layer& a = add_layer(project, "a");
    Layer& b = add_layer(project, "b");
    Layer& c = add_layer(project, "c");
    add_line(a, "a1", {{0, 0}, {10, 0}, {20, 0}}, kDimPolygon, kOpenSpace);
    add_line(b, "b1", {{0, 0}, {10, 0}});
    add_line(c, "c1", {{5, 5}, {10, 0}});
    a.display_flags = kLayerShowAlways;
    b.display_flags = 0;
    c.display_flags = 0;
    editor.current_layer = 2;
    paint();
    auto lines = polylines();
    ASSERT_EQ(lines.size(), 2u);  // layer a, then the current layer c; b is hidden
    EXPECT_EQ(lines[0]->points.size(), 4u);
    EXPECT_EQ(lines[1]->points[0], (ScreenPoint{5, 25}));
    auto rects = rectangles();
    ASSERT_EQ(rects.size(), 2u);  // c's two vertices
    EXPECT_EQ(rects[0]->rect, (ScreenRect{3, 23, 8, 28}));

    // Deleted objects are skipped.
    delete_object(c, c.objects);
    paint();
    EXPECT_EQ(polylines().size(), 1u);

    // Beyond 50000 pixels no layer is drawn.
    view.zoom = 64.0f;
    paint();
    EXPECT_TRUE(polylines().empty());
}

TEST_F(PaintFixture, HugeObjectsAreDrawnWhole) {
    Layer& layer = add_layer(project, "coast");
    std::vector<Point> pts;
    for (int i = 0; i < 9000; ++i) pts.push_back({i % 1000, i / 10});
    ObjectHead head;
    head.dimension = kDimPolygon;
    head.type = kLandArea;
    make_object(layer, head, pts.data(), int32_t(pts.size()));
    editor.current_layer = 0;
    paint();
    auto lines = polylines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0]->points.size(), 9001u);
    EXPECT_EQ(lines[0]->points[8999], (ScreenPoint{999, 20 + 899}));
    EXPECT_EQ(lines[0]->points[9000], lines[0]->points[0]);
    EXPECT_EQ(rectangles().size(), 9001u);
}

TEST_F(PaintFixture, BitmapsHiddenStretchedSkippedAndTheirHandles) {
    BitmapTable& t = project.bitmaps;
    t.count = 3;
    t.entries[0] = {};
    t.entries[0].x = 10;
    t.entries[0].y = 20;
    t.entries[0].width = 100;
    t.entries[0].height = 50;
    t.entries[0].image = image_of(4, 2);
    t.entries[1].x = 0;
    t.entries[1].y = 0;
    t.entries[1].width = 30;
    t.entries[1].height = 30;
    t.entries[1].flags = kBitmapHidden | kBitmapLocked;
    t.entries[2].width = 40000;  // more than 32 map areas wide
    t.entries[2].height = 10;
    t.entries[2].flags = kBitmapLocked;
    t.entries[2].image = image_of(1, 1);
    add_layer(project, "l");
    editor.current_layer = 0;
    paint();
    auto stretched = canvas.of_kind(CanvasOp::StretchImage);
    ASSERT_EQ(stretched.size(), 1u);
    EXPECT_EQ(stretched[0]->rect, (ScreenRect{10, 40, 110, 90}));
    auto rects = rectangles();
    ASSERT_EQ(rects.size(), 1u);  // the hidden bitmap's grey box
    EXPECT_EQ(rects[0]->rect, (ScreenRect{0, 20, 30, 50}));
    EXPECT_EQ(rects[0]->pen, style::kBlack);
    EXPECT_EQ(rects[0]->brush, style::brush(style::kLightGrey));

    // With the background current, unlocked bitmaps show their 8 handles.
    editor.current_layer = -1;
    paint();
    rects = rectangles();
    ASSERT_EQ(rects.size(), 8u + 1u);                           // the locked ones have none
    EXPECT_EQ(rects[0]->rect, (ScreenRect{8, 38, 13, 43}));     // top-left corner
    EXPECT_EQ(rects[7]->rect, (ScreenRect{108, 63, 113, 68}));  // right edge midpoint (110, 65)
    EXPECT_EQ(rects[7]->brush, style::brush(style::kBlack));
    EXPECT_EQ(rects[8]->brush, style::brush(style::kLightGrey));
}

TEST_F(PaintFixture, DegreeBitmapsHangFromTheirLowerLeftCorner) {
    project.coord_sys = kCoordDegrees;
    project.range = {0, 0, 1000, 1000};
    view.origin_y = -500;
    project.bitmaps.count = 1;
    project.bitmaps.entries[0].x = 0;
    project.bitmaps.entries[0].y = 0;
    project.bitmaps.entries[0].width = 200;
    project.bitmaps.entries[0].height = 100;
    project.bitmaps.entries[0].image = image_of(2, 1);
    paint();
    auto stretched = canvas.of_kind(CanvasOp::StretchImage);
    ASSERT_EQ(stretched.size(), 1u);
    // y 0 is at the bottom of the sheet (pixel 1020); the image reaches 100 pixels above it.
    EXPECT_EQ(stretched[0]->rect, (ScreenRect{0, 920, 200, 1020}));
}

TEST_F(PaintFixture, FigureInProgressAndSelectionRectangle) {
    editor.drawing_points = {{10, 10}};
    paint();
    auto rects = rectangles();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->brush, style::brush(style::kMagenta));

    editor.tool_mode = kToolPolygon;
    editor.drawing_points = {{10, 10}, {20, 10}, {20, 30}};
    paint();
    auto lines = polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->points.size(), 3u);  // open while drawing
    EXPECT_EQ(lines[0]->pen, style::kGreen);
    EXPECT_EQ(rectangles().size(), 3u);
    editor.tool_mode = kToolLine;
    paint();
    EXPECT_EQ(polylines()[0]->pen, style::kRed);

    editor.drawing_points.clear();
    editor.selection_rect = {100, 100, 200, 150};
    editor.tool_mode = kToolSelect;
    paint();
    rects = rectangles();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->rect, (ScreenRect{100, 120, 200, 170}));
    EXPECT_TRUE(rects[0]->brush.hollow);
    editor.tool_mode = kToolRectangle;
    paint();
    EXPECT_EQ(rectangles().size(), 9u);
    // A collapsed rectangle does not exist.
    editor.selection_rect = {100, 100, 100, 150};
    paint();
    EXPECT_TRUE(rectangles().empty());
}

TEST(XorFrame, DrawnInWhiteXorAndOrderedWithTheModeRestored) {
    RecordingCanvas canvas;
    draw_xor_frame(canvas, {50, 60, 10, 20});
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].mode, RasterMode::Xor);
    EXPECT_EQ(canvas.ops[0].pen, style::kWhite);
    EXPECT_TRUE(canvas.ops[0].brush.hollow);
    EXPECT_EQ(canvas.ops[0].rect, (ScreenRect{10, 20, 50, 60}));
    EXPECT_EQ(canvas.mode(), RasterMode::Copy);
}

TEST_F(PaintFixture, LargeRastersShowReadsThatFollowTheZoomNotTheFile) {
    ScratchDir dir;
    const int side = 4100;  // more pixels than are ever held whole
    ASSERT_TRUE(write_geotiff(dir.file("big.tif"), side, side, {0, 1, 0, 0, 0, 1}, 0));
    const std::shared_ptr<const Image> image = load_background_image(dir.file("big.tif"));
    ASSERT_TRUE(image && image->source);
    EXPECT_EQ(image->width, kReducedRasterSide);
    EXPECT_EQ(image->source->width(), side);
    project.bitmaps.count = 1;
    project.bitmaps.entries[0].width = project.bitmaps.entries[0].height = side;
    project.bitmaps.entries[0].image = image;
    // Screen-sized parts: the whole file on 1025 pixels, of which the view shows 625; the view's 1000
    // pixels at 1:1; 250 file pixels at 4:1.
    for (const auto& [zoom, most] : {std::pair{0.25f, 626}, {1.0f, 1001}, {4.0f, 251}}) {
        view.zoom = zoom;
        paint();
        const auto stretched = canvas.of_kind(CanvasOp::StretchImage);
        ASSERT_EQ(stretched.size(), 1u);
        EXPECT_LE(stretched[0]->image->width, most) << zoom;
        EXPECT_LE(stretched[0]->image->height, most) << zoom;
        EXPECT_GE(stretched[0]->image->width, most / 2) << zoom;
    }
}

#include "qt/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>

using namespace plotwell;
using namespace plotwell::qt;

namespace {
QImage blank(int w = 40, int h = 30) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    return image;
}
int count_colour(const QImage& image, QColor c) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += QColor(image.pixel(x, y)) == c;
    return n;
}
}  // namespace

TEST(QtCanvas, RectangleCoversLeftTopButNotRightBottomWithOutlineAndFill) {
    QImage image = blank();
    {
        QtCanvas canvas(&image);
        canvas.set_pen({0, 0, 0});
        canvas.set_brush(Brush{{255, 0, 255}, false});
        canvas.rectangle({5, 5, 12, 12});  // a 7 x 7 point square
    }
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(image.pixel(11, 11)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(image.pixel(12, 12)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(image.pixel(8, 8)), QColor(255, 0, 255));
    EXPECT_EQ(count_colour(image, QColor(0, 0, 0)), 24);
    EXPECT_EQ(count_colour(image, QColor(255, 0, 255)), 25);
}

TEST(QtCanvas, HollowBrushLeavesTheInside) {
    QImage image = blank();
    {
        QtCanvas canvas(&image);
        canvas.set_pen({0, 0, 0});
        canvas.set_brush(Brush{{}, true});
        canvas.rectangle({5, 5, 12, 12});
    }
    EXPECT_EQ(QColor(image.pixel(8, 8)), QColor(255, 255, 255));
    EXPECT_EQ(count_colour(image, QColor(0, 0, 0)), 24);
}

TEST(QtCanvas, XorDrawnTwiceRestoresEveryPixel) {
    QImage image = blank();
    image.setPixel(7, 7, qRgb(10, 200, 30));
    const QImage before = image.copy();
    QtCanvas canvas(&image);
    canvas.set_raster_mode(RasterMode::Xor);
    canvas.set_pen({255, 255, 255});
    canvas.set_brush(Brush{{255, 0, 255}, false});
    const ScreenPoint line[] = {{1, 1}, {30, 20}, {35, 2}};
    for (int pass = 0; pass < 2; ++pass) {
        canvas.rectangle({3, 3, 20, 15});
        canvas.polyline(line, 3);
        canvas.finish();
        if (pass == 0) {
            EXPECT_NE(image, before);
            EXPECT_EQ(QColor(image.pixel(3, 3)), QColor(0, 0, 0)) << "white XOR white";
        }
    }
    EXPECT_EQ(image, before);
}

TEST(QtCanvas, SetRasterModeAnswersThePreviousMode) {
    QImage image = blank();
    QtCanvas canvas(&image);
    EXPECT_EQ(canvas.set_raster_mode(RasterMode::Xor), RasterMode::Copy);
    EXPECT_EQ(canvas.set_raster_mode(RasterMode::Copy), RasterMode::Xor);
}

TEST(QtCanvas, FillRectIgnoresXorAndClipHolds) {
    QImage image = blank();
    {
        QtCanvas canvas(&image);
        canvas.set_raster_mode(RasterMode::Xor);
        canvas.set_clip({0, 0, 10, 10});
        canvas.fill_rect({5, 5, 20, 20}, {0, 0, 255});
    }
    EXPECT_EQ(QColor(image.pixel(9, 9)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(10, 10)), QColor(255, 255, 255)) << "clipped";
    EXPECT_EQ(count_colour(image, QColor(0, 0, 255)), 25);
}

TEST(QtCanvas, FiguresOutsideTheClipAreSkippedAndThoseCrossingItAreDrawn) {
    QImage image = blank(100, 100);
    const QImage before = image.copy();
    QtCanvas canvas(&image);
    canvas.set_clip({10, 10, 60, 60});
    canvas.set_pen({255, 0, 0});
    const ScreenPoint away[] = {{70, 0}, {90, 90}};
    canvas.polyline(away, 2);
    canvas.set_brush(Brush{{255, 0, 0}, false});
    canvas.rectangle({-20, -20, 5, 5});
    canvas.finish();
    EXPECT_EQ(canvas.skipped_figures(), 2);
    EXPECT_EQ(image, before);
    // A line whose ends both lie outside but which crosses the area is drawn.
    const ScreenPoint across[] = {{-1000, 30}, {100000, 30}};
    canvas.polyline(across, 2);
    canvas.finish();
    EXPECT_EQ(canvas.drawn_figures(), 1);
    EXPECT_EQ(QColor(image.pixel(30, 30)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(5, 30)), QColor(255, 255, 255));
    EXPECT_EQ(count_colour(image, QColor(255, 0, 0)), 50);
}

TEST(QtCanvas, StretchImageFillsTheDestinationAndMirrorsSwappedEdges) {
    Image source;
    source.width = 2;
    source.height = 1;
    source.pixels = {0xFFFF0000u, 0xFF0000FFu};  // red, blue
    QImage image = blank();
    {
        QtCanvas canvas(&image);
        canvas.stretch_image(source, {0, 0, 20, 10});
        canvas.stretch_image(source, {40, 10, 20, 20});  // right < left: mirrored
    }
    EXPECT_EQ(QColor(image.pixel(2, 5)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(17, 5)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(22, 15)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(37, 15)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(5, 20)), QColor(255, 255, 255));
    // A broken image (fewer pixels than its size) draws nothing.
    Image broken;
    broken.width = 10;
    broken.height = 10;
    QtCanvas canvas(&image);
    const QImage kept = image.copy();
    canvas.stretch_image(broken, {0, 0, 30, 30});
    canvas.finish();
    EXPECT_EQ(image, kept);
}

TEST(QtCanvas, PolylineLeavesOutItsLastPixelAndDrawsInThePenColour) {
    QImage image = blank();
    {
        QtCanvas canvas(&image);
        canvas.set_pen({255, 0, 0});
        const ScreenPoint pts[] = {{2, 5}, {12, 5}, {12, 15}};
        canvas.polyline(pts, 3);
    }
    EXPECT_EQ(QColor(image.pixel(2, 5)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(12, 5)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(12, 14)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(12, 15)), QColor(255, 255, 255)) << "the last point is not drawn";
    EXPECT_EQ(count_colour(image, QColor(255, 0, 0)), 20);
}

TEST(QtCanvas, ClippedLinesSetExactlyThePixelsTheWholeLineSetsInsideTheClip) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int32_t> coord(-300, 700);
    const ScreenRect clip{100, 80, 300, 220};
    for (int n = 0; n < 300; ++n) {
        const ScreenPoint pts[] = {
            {coord(rng), coord(rng)}, {coord(rng), coord(rng)}, {coord(rng), coord(rng)}};
        QImage whole = blank(400, 300), clipped = blank(400, 300);
        {
            QtCanvas canvas(&whole);
            canvas.set_pen({0, 0, 255});
            canvas.polyline(pts, 3);
        }
        {
            QtCanvas canvas(&clipped);
            canvas.set_clip(clip);
            canvas.set_pen({0, 0, 255});
            canvas.polyline(pts, 3);
        }
        const QRect inside(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
        ASSERT_EQ(whole.copy(inside), clipped.copy(inside)) << n;
        QImage outside = clipped.copy();
        QPainter(&outside).fillRect(inside, Qt::white);
        ASSERT_EQ(count_colour(outside, QColor(0, 0, 255)), 0) << n;
    }
}

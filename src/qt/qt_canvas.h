// The map view's Canvas on a QImage: solid 1-pixel pens, solid or hollow brushes, copy or XOR raster
// mode, with Windows-style rectangles (right and bottom edges excluded). Figures that lie wholly
// outside the clip rectangle are skipped before they reach the painter.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <optional>
#include <vector>

#include "platform/canvas.h"

namespace plotwell::qt {

class QtCanvas final : public Canvas {
public:
    // Draws onto `target`, which must outlive the canvas. The painter is opened on the first figure and
    // closed by finish() or the destructor, so that the image can be shown in between.
    explicit QtCanvas(QImage* target);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // Ends the painting pass; the next figure opens a new one with the same pen, brush, mode and clip.
    void finish();
    // Draws onto another image from now on (the old pass is finished first).
    void retarget(QImage* target);

    void set_pen(Color color) override;
    void set_brush(Brush brush) override;
    RasterMode set_raster_mode(RasterMode mode) override;
    void polyline(const ScreenPoint* points, int count) override;
    void rectangle(const ScreenRect& rect) override;
    void fill_rect(const ScreenRect& rect, Color color) override;
    void stretch_image(const Image& image, const ScreenRect& dest) override;
    void set_clip(const ScreenRect& rect) override;

    // Skipping of figures outside the clip and of repeated points; on by default. Off only to prove
    // that it changes no pixel.
    void set_skip_outside(bool skip) { skip_outside_ = skip; }

    // Figures handed to the painter and figures skipped as wholly outside the clip (for the benchmark).
    long long drawn_figures() const { return drawn_; }
    long long skipped_figures() const { return skipped_; }

private:
    QPainter& painter();
    void apply_mode(QPainter& p, RasterMode mode);
    bool outside_clip(int32_t min_x, int32_t min_y, int32_t max_x, int32_t max_y) const;
    void fill_span(QPainter& p, int x, int y, int w, int h, const QColor& c);

    QImage* target_;
    QPainter painter_;
    QColor pen_{Qt::black};
    Brush brush_;
    RasterMode mode_ = RasterMode::Copy;
    std::optional<QRect> clip_;
    std::vector<QPoint> points_;
    long long drawn_ = 0;
    long long skipped_ = 0;
    bool skip_outside_ = true;
};

// A picture of the image as the painter sees it: 0xAARRGGBB pixels, top row first.
QImage to_qimage(const Image& image);

}  // namespace plotwell::qt

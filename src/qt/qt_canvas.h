// The map view's Canvas on a 32-bit QImage: solid 1-pixel pens, solid or hollow brushes, copy or XOR
// raster mode, with the platform's pixel rules (a polyline leaves out its last point; a rectangle
// covers its left and top edge but not its right and bottom one). Lines and rectangles are set
// straight into the image's pixels, clipped; only stretched images go through a QPainter. Figures that
// lie wholly outside the clip rectangle are skipped by their bounding box.
#pragma once

#include <QImage>
#include <QRect>
#include <optional>

#include "platform/canvas.h"

namespace plotwell::qt {

class QtCanvas final : public Canvas {
  public:
    // Draws onto `target` (Format_RGB32 or Format_ARGB32), which must outlive the canvas.
    explicit QtCanvas(QImage* target);
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // Everything drawn so far is in the image already; kept for callers that end a drawing pass.
    void finish() {}
    // Draws onto another image from now on.
    void retarget(QImage* target) { target_ = target; }

    void set_pen(Color color) override;
    void set_brush(Brush brush) override;
    RasterMode set_raster_mode(RasterMode mode) override;
    void polyline(const ScreenPoint* points, int count) override;
    void rectangle(const ScreenRect& rect) override;
    void fill_rect(const ScreenRect& rect, Color color) override;
    void stretch_image(const Image& image, const ScreenRect& dest) override;
    void set_clip(const ScreenRect& rect) override;
    void fill_polygon(const ScreenPoint* points, int count, Color color, uint8_t alpha) override;
    void text(ScreenPoint at, std::string_view text, Color color, double angle_degrees,
              bool centred) override;

    // Skipping of figures outside the clip; on by default. Off only to prove that it changes no pixel.
    void set_skip_outside(bool skip) { skip_outside_ = skip; }

    // Figures drawn and figures skipped as wholly outside the clip (for the benchmark).
    long long drawn_figures() const { return drawn_; }
    long long skipped_figures() const { return skipped_; }

  private:
    // The drawable pixels: the clip rectangle within the image, edges included; empty when none.
    QRect area() const;
    bool outside(const QRect& area, int64_t min_x, int64_t min_y, int64_t max_x, int64_t max_y) const;
    // Sets (copy) or inverts by (XOR) `rgb` over the pixels of the rectangle, clipped to `area`.
    void span(const QRect& area, int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t rgb,
              bool xor_mode);
    void segment(const QRect& area, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t rgb,
                 bool xor_mode);

    QImage* target_;
    uchar* bits_ = nullptr;  // the target's pixels while a polyline is drawn
    int64_t stride_ = 0;
    uint32_t pen_ = 0;  // 0x00RRGGBB
    Brush brush_;
    RasterMode mode_ = RasterMode::Copy;
    std::optional<ScreenRect> clip_;
    long long drawn_ = 0;
    long long skipped_ = 0;
    bool skip_outside_ = true;
};

// A picture of the image as the painter sees it: 0xAARRGGBB pixels, top row first.
QImage to_qimage(const Image& image);

}  // namespace plotwell::qt

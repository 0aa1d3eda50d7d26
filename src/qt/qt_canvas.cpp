#include "qt/qt_canvas.h"

#include <QPainter>
#include <algorithm>
#include <climits>

#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {
uint32_t rgb_of(Color c) {
    return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | uint32_t(c.b);
}

// Rectangles far off the image are clamped well outside it before they reach the painter, which keeps
// their visible part where it was and their size within int.
int clamp_coord(int64_t v) {
    return int(std::clamp<int64_t>(v, -(1 << 24), 1 << 24));
}
}  // namespace

QImage to_qimage(const Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < size_t(image.width) * size_t(image.height))
        return QImage();
    // The pixels are 0xAARRGGBB words, which is the layout of Format_RGB32 in memory; the image only
    // borrows them.
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.width * 4, QImage::Format_RGB32);
}

QtCanvas::QtCanvas(QImage* target) : target_(target) {}

void QtCanvas::set_pen(Color color) {
    pen_ = rgb_of(color);
}

void QtCanvas::set_brush(Brush brush) {
    brush_ = brush;
}

RasterMode QtCanvas::set_raster_mode(RasterMode mode) {
    const RasterMode previous = mode_;
    mode_ = mode;
    return previous;
}

void QtCanvas::set_clip(const ScreenRect& rect) {
    clip_ = rect;
}

QRect QtCanvas::area() const {
    if (!target_ || target_->isNull() || target_->depth() != 32) return QRect();
    int64_t l = 0, t = 0, r = target_->width(), b = target_->height();  // right and bottom excluded
    if (clip_) {
        l = std::max<int64_t>(l, clip_->left);
        t = std::max<int64_t>(t, clip_->top);
        r = std::min<int64_t>(r, clip_->right);
        b = std::min<int64_t>(b, clip_->bottom);
    }
    if (r <= l || b <= t) return QRect();
    return QRect(QPoint(int(l), int(t)), QPoint(int(r - 1), int(b - 1)));
}

bool QtCanvas::outside(const QRect& a, int64_t min_x, int64_t min_y, int64_t max_x, int64_t max_y) const {
    return a.isEmpty() || max_x < a.left() || min_x > a.right() || max_y < a.top() || min_y > a.bottom();
}

void QtCanvas::span(const QRect& a, int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t rgb,
                    bool xor_mode) {
    const int64_t l = std::max<int64_t>(left, a.left()), r = std::min<int64_t>(right, int64_t(a.right()) + 1);
    const int64_t t = std::max<int64_t>(top, a.top()), b = std::min<int64_t>(bottom, int64_t(a.bottom()) + 1);
    if (r <= l || b <= t) return;
    for (int64_t y = t; y < b; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(target_->scanLine(int(y)));
        if (xor_mode)
            for (int64_t x = l; x < r; ++x) row[x] ^= rgb;
        else
            std::fill(row + l, row + r, 0xFF000000u | rgb);
    }
}

// One segment of a polyline: the pixels from (x0, y0) up to, not including, (x1, y1), stepping along
// the longer axis and rounding the other to the nearest pixel. Only the steps inside the area are
// walked, so a long line far beyond the view costs no more than the view is wide.
void QtCanvas::segment(const QRect& a, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t rgb,
                       bool xor_mode) {
    const int64_t dx = x1 >= x0 ? x1 - x0 : x0 - x1, dy = y1 >= y0 ? y1 - y0 : y0 - y1;
    const int64_t sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
    const bool x_major = dx >= dy;
    const int64_t n = x_major ? dx : dy;  // pixels drawn: the end point is left out
    if (n == 0) return;
    const int64_t major0 = x_major ? x0 : y0, minor0 = x_major ? y0 : x0;
    const int64_t s_major = x_major ? sx : sy, s_minor = x_major ? sy : sx;
    const int64_t lo = x_major ? a.left() : a.top(), hi = x_major ? a.right() : a.bottom();
    const int64_t minor_lo = x_major ? a.top() : a.left(), minor_hi = x_major ? a.bottom() : a.right();
    const int64_t d_major = n, d_minor = x_major ? dy : dx;
    // Steps whose major coordinate lies inside the area.
    int64_t first = s_major > 0 ? lo - major0 : major0 - hi;
    int64_t last = s_major > 0 ? hi - major0 : major0 - lo;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, n - 1);
    if (first > last) return;
    // minor(i) = minor0 + s_minor * floor((2 i d_minor + d_major) / (2 d_major)), kept as a quotient and
    // a remainder that the loop advances.
    const __int128 num = __int128(first) * 2 * d_minor + d_major;
    int64_t minor = minor0 + s_minor * int64_t(num / (2 * d_major));
    int64_t rem = int64_t(num % (2 * d_major));
    int64_t major = major0 + s_major * first;
    for (int64_t i = first; i <= last; ++i) {
        if (minor >= minor_lo && minor <= minor_hi) {
            const int64_t x = x_major ? major : minor, y = x_major ? minor : major;
            uint32_t& px = reinterpret_cast<uint32_t*>(bits_ + y * stride_)[x];
            px = xor_mode ? px ^ rgb : 0xFF000000u | rgb;
        }
        major += s_major;
        rem += 2 * d_minor;
        if (rem >= 2 * d_major) {
            rem -= 2 * d_major;
            minor += s_minor;
        }
    }
}

void QtCanvas::polyline(const ScreenPoint* points, int count) {
    if (!points || count < 2) return;
    const QRect a = area();
    int32_t min_x = INT32_MAX, min_y = INT32_MAX, max_x = INT32_MIN, max_y = INT32_MIN;
    for (int i = 0; i < count; ++i) {
        min_x = std::min(min_x, points[i].x);
        max_x = std::max(max_x, points[i].x);
        min_y = std::min(min_y, points[i].y);
        max_y = std::max(max_y, points[i].y);
    }
    // A 1-pixel line never leaves the bounding box of its points.
    if (a.isEmpty() || (skip_outside_ && outside(a, min_x, min_y, max_x, max_y))) {
        ++skipped_;
        return;
    }
    ++drawn_;
    const bool xor_mode = mode_ == RasterMode::Xor;
    bits_ = target_->bits();
    stride_ = target_->bytesPerLine();
    for (int i = 1; i < count; ++i)
        segment(a, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, pen_, xor_mode);
}

void QtCanvas::rectangle(const ScreenRect& rect) {
    const int64_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    if (r <= l || b <= t) return;
    const QRect a = area();
    if (a.isEmpty() || (skip_outside_ && outside(a, l, t, r - 1, b - 1))) {
        ++skipped_;
        return;
    }
    ++drawn_;
    // Outline and inside as separate spans that never overlap, so that each pixel is set or inverted
    // exactly once: an XOR pass drawn twice restores the picture.
    const bool xor_mode = mode_ == RasterMode::Xor;
    span(a, l, t, r, t + 1, pen_, xor_mode);
    if (b - t > 1) span(a, l, b - 1, r, b, pen_, xor_mode);
    if (b - t > 2) {
        span(a, l, t + 1, l + 1, b - 1, pen_, xor_mode);
        if (r - l > 1) span(a, r - 1, t + 1, r, b - 1, pen_, xor_mode);
        if (!brush_.hollow) span(a, l + 1, t + 1, r - 1, b - 1, rgb_of(brush_.color), xor_mode);
    }
}

void QtCanvas::fill_rect(const ScreenRect& rect, Color color) {
    const QRect a = area();
    if (a.isEmpty()) return;
    span(a, rect.left, rect.top, rect.right, rect.bottom, rgb_of(color), false);
}

void QtCanvas::stretch_image(const Image& image, const ScreenRect& dest) {
    QImage source = to_qimage(image);
    if (source.isNull()) return;
    const bool mirror_x = dest.right < dest.left, mirror_y = dest.bottom < dest.top;
    const int64_t l = std::min(dest.left, dest.right), r = std::max(dest.left, dest.right);
    const int64_t t = std::min(dest.top, dest.bottom), b = std::max(dest.top, dest.bottom);
    const QRect a = area();
    if (r <= l || b <= t || outside(a, l, t, r - 1, b - 1)) return;
    if (mirror_x || mirror_y) source = source.mirrored(mirror_x, mirror_y);
    QPainter p(target_);
    p.setClipRect(a);
    const int L = clamp_coord(l), T = clamp_coord(t);
    p.drawImage(QRect(L, T, clamp_coord(r) - L, clamp_coord(b) - T), source);
}

// The toggles' figures go through a painter: smoothing and alpha matter more for them than the
// platform's exact pixel rules.
void QtCanvas::fill_polygon(const ScreenPoint* points, int count, Color color, uint8_t alpha) {
    if (!points || count < 3) return;
    const QRect a = area();
    int32_t min_x = INT32_MAX, min_y = INT32_MAX, max_x = INT32_MIN, max_y = INT32_MIN;
    QPolygon ring(count);
    for (int i = 0; i < count; ++i) {
        min_x = std::min(min_x, points[i].x);
        max_x = std::max(max_x, points[i].x);
        min_y = std::min(min_y, points[i].y);
        max_y = std::max(max_y, points[i].y);
        ring.setPoint(i, clamp_coord(points[i].x), clamp_coord(points[i].y));
    }
    if (outside(a, min_x, min_y, max_x, max_y)) return;
    QPainter p(target_);
    p.setClipRect(a);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(color.r, color.g, color.b, alpha));
    p.drawPolygon(ring, Qt::OddEvenFill);
}

void QtCanvas::text(ScreenPoint at, std::string_view text, Color color, double angle_degrees, bool centred) {
    const QRect a = area();
    if (a.isEmpty() || text.empty()) return;
    QPainter p(target_);
    p.setClipRect(a);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(color.r, color.g, color.b));
    p.translate(clamp_coord(at.x), clamp_coord(at.y));
    p.rotate(angle_degrees);
    const QString s = from_local_text(text);
    const int x = centred ? -p.fontMetrics().horizontalAdvance(s) / 2 : 0;
    // Centred text sits just above the line it names.
    p.drawText(x, centred ? -3 : 0, s);
}

}  // namespace plotwell::qt

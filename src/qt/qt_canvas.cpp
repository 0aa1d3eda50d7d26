#include "qt/qt_canvas.h"

#include <algorithm>
#include <climits>

namespace plotwell::qt {

namespace {
QColor to_qcolor(Color c) { return QColor(c.r, c.g, c.b); }

// Rectangles far off the image are clamped well outside it, which keeps their visible part where it was
// and their width within int. Lines keep their points: clamping would bend them.
int clamp_coord(int32_t v) { return int(std::clamp<int32_t>(v, -(1 << 24), 1 << 24)); }
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

QtCanvas::~QtCanvas() { finish(); }

void QtCanvas::finish() {
    if (painter_.isActive()) painter_.end();
}

void QtCanvas::retarget(QImage* target) {
    finish();
    target_ = target;
}

QPainter& QtCanvas::painter() {
    if (!painter_.isActive() && target_ && !target_->isNull()) {
        painter_.begin(target_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        if (clip_) painter_.setClipRect(*clip_);
        apply_mode(painter_, mode_);
    }
    return painter_;
}

void QtCanvas::apply_mode(QPainter& p, RasterMode mode) {
    p.setCompositionMode(mode == RasterMode::Xor ? QPainter::RasterOp_SourceXorDestination
                                                 : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::set_pen(Color color) { pen_ = to_qcolor(color); }

void QtCanvas::set_brush(Brush brush) { brush_ = brush; }

RasterMode QtCanvas::set_raster_mode(RasterMode mode) {
    const RasterMode previous = mode_;
    mode_ = mode;
    if (painter_.isActive()) apply_mode(painter_, mode);
    return previous;
}

void QtCanvas::set_clip(const ScreenRect& rect) {
    clip_ = QRect(QPoint(clamp_coord(rect.left), clamp_coord(rect.top)),
                  QPoint(clamp_coord(rect.right) - 1, clamp_coord(rect.bottom) - 1));
    if (painter_.isActive()) painter_.setClipRect(*clip_);
}

bool QtCanvas::outside_clip(int32_t min_x, int32_t min_y, int32_t max_x, int32_t max_y) const {
    if (!skip_outside_) return false;
    QRect area = target_ ? target_->rect() : QRect();
    if (clip_) area = area.intersected(*clip_);
    return max_x < area.left() || min_x > area.right() || max_y < area.top() || min_y > area.bottom();
}

void QtCanvas::polyline(const ScreenPoint* points, int count) {
    if (!points || count < 2) return;
    int32_t min_x = INT32_MAX, min_y = INT32_MAX, max_x = INT32_MIN, max_y = INT32_MIN;
    for (int i = 0; i < count; ++i) {
        min_x = std::min(min_x, points[i].x);
        max_x = std::max(max_x, points[i].x);
        min_y = std::min(min_y, points[i].y);
        max_y = std::max(max_y, points[i].y);
    }
    // A 1-pixel line never leaves the bounding box of its points.
    if (outside_clip(min_x, min_y, max_x, max_y)) {
        ++skipped_;
        return;
    }
    ++drawn_;
    // Zoomed out, many vertices fall on the same pixel as the one before; a segment of length 0 sets
    // no pixel, so dropping the repeats saves the painter the work and leaves the picture alone.
    points_.clear();
    points_.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const QPoint q(points[i].x, points[i].y);
        if (!skip_outside_ || points_.empty() || points_.back() != q) points_.push_back(q);
    }
    if (points_.size() < 2) return;
    QPainter& p = painter();
    if (!p.isActive()) return;
    // A cosmetic pen with flat caps leaves out the last pixel, as the platform's polyline does.
    QPen pen(pen_, 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points_.data(), int(points_.size()));
}

void QtCanvas::fill_span(QPainter& p, int x, int y, int w, int h, const QColor& c) {
    if (w > 0 && h > 0) p.fillRect(QRect(x, y, w, h), c);
}

void QtCanvas::rectangle(const ScreenRect& rect) {
    const int32_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    if (r <= l || b <= t) return;
    if (outside_clip(l, t, r - 1, b - 1)) {
        ++skipped_;
        return;
    }
    ++drawn_;
    QPainter& p = painter();
    if (!p.isActive()) return;
    const int L = clamp_coord(l), T = clamp_coord(t), R = clamp_coord(r), B = clamp_coord(b);
    const int w = R - L, h = B - T;
    // Outline and inside as separate spans that never overlap, so that an XOR pass drawn twice restores
    // every pixel and each pixel is inverted exactly once per pass.
    p.setPen(Qt::NoPen);
    fill_span(p, L, T, w, 1, pen_);
    if (h > 1) fill_span(p, L, B - 1, w, 1, pen_);
    if (h > 2) {
        fill_span(p, L, T + 1, 1, h - 2, pen_);
        if (w > 1) fill_span(p, R - 1, T + 1, 1, h - 2, pen_);
        if (!brush_.hollow) fill_span(p, L + 1, T + 1, w - 2, h - 2, to_qcolor(brush_.color));
    }
}

void QtCanvas::fill_rect(const ScreenRect& rect, Color color) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    if (outside_clip(rect.left, rect.top, rect.right - 1, rect.bottom - 1)) return;
    QPainter& p = painter();
    if (!p.isActive()) return;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const int L = clamp_coord(rect.left), T = clamp_coord(rect.top);
    p.fillRect(QRect(L, T, clamp_coord(rect.right) - L, clamp_coord(rect.bottom) - T), to_qcolor(color));
    apply_mode(p, mode_);
}

void QtCanvas::stretch_image(const Image& image, const ScreenRect& dest) {
    QImage source = to_qimage(image);
    if (source.isNull()) return;
    const bool mirror_x = dest.right < dest.left, mirror_y = dest.bottom < dest.top;
    const int32_t l = std::min(dest.left, dest.right), r = std::max(dest.left, dest.right);
    const int32_t t = std::min(dest.top, dest.bottom), b = std::max(dest.top, dest.bottom);
    if (r <= l || b <= t || outside_clip(l, t, r - 1, b - 1)) return;
    if (mirror_x || mirror_y) source = source.mirrored(mirror_x, mirror_y);
    QPainter& p = painter();
    if (!p.isActive()) return;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const int L = clamp_coord(l), T = clamp_coord(t);
    p.drawImage(QRect(L, T, clamp_coord(r) - L, clamp_coord(b) - T), source);
    apply_mode(p, mode_);
}

}  // namespace plotwell::qt

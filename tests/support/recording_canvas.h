// A canvas that keeps every drawing call with the pen, brush and raster mode in force at that moment.
#pragma once

#include <vector>

#include "platform/canvas.h"

namespace plotwell::test {

struct CanvasOp {
    enum Kind { Polyline, Rectangle, FillRect, StretchImage, Clip } kind;
    Color pen;
    Brush brush;
    RasterMode mode = RasterMode::Copy;
    std::vector<ScreenPoint> points;  // Polyline
    ScreenRect rect;                  // Rectangle, FillRect (colour in `fill`), StretchImage, Clip
    Color fill;
    const Image* image = nullptr;
};

class RecordingCanvas : public Canvas {
  public:
    void set_pen(Color color) override { pen_ = color; }
    void set_brush(Brush brush) override { brush_ = brush; }
    RasterMode set_raster_mode(RasterMode mode) override {
        const RasterMode old = mode_;
        mode_ = mode;
        return old;
    }
    void polyline(const ScreenPoint* points, int count) override {
        CanvasOp op = make(CanvasOp::Polyline);
        op.points.assign(points, points + count);
        ops.push_back(std::move(op));
    }
    void rectangle(const ScreenRect& rect) override {
        CanvasOp op = make(CanvasOp::Rectangle);
        op.rect = rect;
        ops.push_back(std::move(op));
    }
    void fill_rect(const ScreenRect& rect, Color color) override {
        CanvasOp op = make(CanvasOp::FillRect);
        op.rect = rect;
        op.fill = color;
        ops.push_back(std::move(op));
    }
    void stretch_image(const Image& image, const ScreenRect& dest) override {
        CanvasOp op = make(CanvasOp::StretchImage);
        op.rect = dest;
        op.image = &image;
        ops.push_back(std::move(op));
    }
    void set_clip(const ScreenRect& rect) override {
        CanvasOp op = make(CanvasOp::Clip);
        op.rect = rect;
        ops.push_back(std::move(op));
    }

    RasterMode mode() const { return mode_; }
    std::vector<const CanvasOp*> of_kind(CanvasOp::Kind kind) const {
        std::vector<const CanvasOp*> out;
        for (const CanvasOp& op : ops)
            if (op.kind == kind) out.push_back(&op);
        return out;
    }
    void clear() { ops.clear(); }

    std::vector<CanvasOp> ops;

  private:
    CanvasOp make(CanvasOp::Kind kind) const {
        CanvasOp op{kind, pen_, brush_, mode_, {}, {}, {}, nullptr};
        return op;
    }
    Color pen_;
    Brush brush_;
    RasterMode mode_ = RasterMode::Copy;
};

}  // namespace plotwell::test

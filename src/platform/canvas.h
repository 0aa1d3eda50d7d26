// The drawing surface the map view paints on: solid pens and brushes chosen by colour, a copy or XOR
// raster mode, and the few figures the view needs. The desktop program wraps its painter; the tests
// record the calls.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/image.h"

namespace plotwell {

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Client pixels; right and bottom are excluded, as in every rectangle the canvas draws.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct Color {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

// A solid brush of one colour, or the hollow brush that leaves the inside of a figure alone.
struct Brush {
    Color color;
    bool hollow = false;
    friend bool operator==(const Brush&, const Brush&) = default;
};

enum class RasterMode { Copy, Xor };

class Canvas {
  public:
    virtual ~Canvas() = default;
    // The pen (1 pixel, solid) outlines every following figure until another is chosen.
    virtual void set_pen(Color color) = 0;
    // The brush fills the inside of every following rectangle.
    virtual void set_brush(Brush brush) = 0;
    // Returns the mode that was in force, so that callers can restore it.
    virtual RasterMode set_raster_mode(RasterMode mode) = 0;
    virtual void polyline(const ScreenPoint* points, int count) = 0;
    // Outline in the pen, inside in the brush.
    virtual void rectangle(const ScreenRect& rect) = 0;
    // Fills with a colour regardless of pen, brush and raster mode.
    virtual void fill_rect(const ScreenRect& rect, Color color) = 0;
    // Stretches the whole image onto `dest` (which may be mirrored when its edges are swapped).
    virtual void stretch_image(const Image& image, const ScreenRect& dest) = 0;
    // Everything drawn afterwards is clipped to this rectangle.
    virtual void set_clip(const ScreenRect& rect) = 0;

    // The view toggles' figures, smoothed where the surface can; a surface without them draws nothing.
    // Fills a closed ring in a colour of the given opacity (0..255), without outline, in copy mode.
    virtual void fill_polygon(const ScreenPoint* /*points*/, int /*count*/, Color /*color*/,
                              uint8_t /*alpha*/) {}
    // Single-byte text turned clockwise by `angle_degrees` about `at`, which is the left end of its
    // baseline, or its middle when `centred`.
    virtual void text(ScreenPoint /*at*/, std::string_view /*text*/, Color /*color*/,
                      double /*angle_degrees*/, bool /*centred*/) {}
};

}  // namespace plotwell

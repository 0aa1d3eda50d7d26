// A small rasteriser over Image, free of any toolkit and of installed fonts, so that the tool draws the
// same picture on every machine: thick lines, scanline-filled polygons, square markers and text in a
// built-in 3x5 pixel font. Coordinates are doubles in pixels; everything is clipped to the image, so
// points far outside it cost nothing and never index outside the pixels.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/image.h"

namespace plotwell {

struct RasterPoint {
    double x = 0;
    double y = 0;
};

struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0;
    bool overlaps(const PixelBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

Image make_image(int width, int height, uint32_t colour);

void fill_box(Image& image, PixelBox box, uint32_t colour);

// A segment `width` pixels wide (a square pen, drawn along the clipped segment).
void draw_line(Image& image, RasterPoint a, RasterPoint b, int width, uint32_t colour);

void draw_polyline(Image& image, const std::vector<RasterPoint>& points, int width, uint32_t colour,
                   bool closed);

// Even-odd fill of the ring (closed by the fill, not by the data), sampled at pixel centres.
void fill_polygon(Image& image, const std::vector<RasterPoint>& ring, uint32_t colour);

// A square marker of `size` pixels centred on `at`, with a one-pixel border.
void draw_marker(Image& image, RasterPoint at, int size, uint32_t fill, uint32_t border);

// The box `text` takes when drawn with its top left corner at (x, y).
PixelBox text_box(int x, int y, std::string_view text);

// Text in the built-in font (letters drawn as capitals), on a one-pixel halo so that it reads over
// any fill.
void draw_text(Image& image, int x, int y, std::string_view text, uint32_t colour, uint32_t halo);

}  // namespace plotwell

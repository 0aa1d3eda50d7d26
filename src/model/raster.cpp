#include "model/raster.h"

#include <algorithm>
#include <cmath>

namespace plotwell {

namespace {

void put(Image& image, int x, int y, uint32_t colour) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    image.pixels[size_t(y) * size_t(image.width) + size_t(x)] = colour;
}

// Liang-Barsky: clips the segment to the rectangle; false when nothing of it is inside.
bool clip_segment(RasterPoint& a, RasterPoint& b, double x0, double y0, double x1, double y1) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - x0, x1 - a.x, a.y - y0, y1 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const RasterPoint start = a;
    a = {start.x + t0 * dx, start.y + t0 * dy};
    b = {start.x + t1 * dx, start.y + t1 * dy};
    return true;
}

// Rows of five 3-bit columns, written as octal digits: 025755 is .#. #.# ### #.# #.# ("A").
struct Glyph {
    char c;
    uint16_t rows;
};
constexpr Glyph kFont[] = {
    {'0', 075557}, {'1', 026227}, {'2', 071747}, {'3', 071317}, {'4', 055711}, {'5', 074717},  {'6', 074757},
    {'7', 071222}, {'8', 075757}, {'9', 075717}, {'A', 025755}, {'B', 065656}, {'C', 034443},  {'D', 065556},
    {'E', 074647}, {'F', 074644}, {'G', 034553}, {'H', 055755}, {'I', 072227}, {'J', 011152},  {'K', 055655},
    {'L', 044447}, {'M', 057755}, {'N', 065555}, {'O', 025552}, {'P', 065644}, {'Q', 025563},  {'R', 065655},
    {'S', 034216}, {'T', 072222}, {'U', 055557}, {'V', 055552}, {'W', 055775}, {'X', 055255},  {'Y', 055222},
    {'Z', 071247}, {' ', 0},      {'.', 000002}, {',', 000024}, {'-', 000700}, {'\'', 022000}, {'/', 011244},
    {'(', 024442}, {')', 021112}, {'&', 025253}, {':', 002020}, {'*', 005250},
};
constexpr uint16_t kUnknownGlyph = 071302;  // "?"
constexpr int kGlyphAdvance = 4;
constexpr int kGlyphHeight = 5;

uint16_t glyph_rows(char c) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    for (const Glyph& g : kFont)
        if (g.c == c) return g.rows;
    return kUnknownGlyph;
}

void draw_glyphs(Image& image, int x, int y, std::string_view text, uint32_t colour) {
    for (char c : text) {
        const uint16_t rows = glyph_rows(c);
        for (int r = 0; r < kGlyphHeight; ++r)
            for (int col = 0; col < 3; ++col)
                if (rows & (1u << ((kGlyphHeight - 1 - r) * 3 + (2 - col))))
                    put(image, x + col, y + r, colour);
        x += kGlyphAdvance;
    }
}

}  // namespace

Image make_image(int width, int height, uint32_t colour) {
    Image image;
    image.width = std::max(width, 0);
    image.height = std::max(height, 0);
    image.pixels.assign(size_t(image.width) * size_t(image.height), colour);
    return image;
}

void fill_box(Image& image, PixelBox box, uint32_t colour) {
    box.left = std::max(box.left, 0);
    box.top = std::max(box.top, 0);
    box.right = std::min(box.right, image.width);
    box.bottom = std::min(box.bottom, image.height);
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            image.pixels[size_t(y) * size_t(image.width) + size_t(x)] = colour;
}

void draw_line(Image& image, RasterPoint a, RasterPoint b, int width, uint32_t colour) {
    width = std::clamp(width, 1, 64);
    const double margin = width;
    if (!clip_segment(a, b, -margin, -margin, image.width + margin, image.height + margin)) return;
    // Steps of at most one pixel along the longer axis; the clipped segment keeps their number small.
    const double dx = b.x - a.x, dy = b.y - a.y;
    const int steps = int(std::ceil(std::max(std::abs(dx), std::abs(dy))));
    const int low = -(width - 1) / 2;
    for (int i = 0; i <= steps; ++i) {
        const double t = steps == 0 ? 0 : double(i) / steps;
        const int x = int(std::floor(a.x + t * dx)), y = int(std::floor(a.y + t * dy));
        if (width == 1)
            put(image, x, y, colour);
        else
            fill_box(image, {x + low, y + low, x + low + width, y + low + width}, colour);
    }
}

void draw_polyline(Image& image, const std::vector<RasterPoint>& points, int width, uint32_t colour,
                   bool closed) {
    for (size_t i = 1; i < points.size(); ++i) draw_line(image, points[i - 1], points[i], width, colour);
    if (closed && points.size() > 2) draw_line(image, points.back(), points.front(), width, colour);
}

void fill_polygon(Image& image, const std::vector<RasterPoint>& ring, uint32_t colour) {
    if (ring.size() < 3) return;
    double top = ring[0].y, bottom = ring[0].y;
    for (const RasterPoint& p : ring) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int first = std::max(0, int(std::floor(top))),
              last = std::min(image.height - 1, int(std::ceil(bottom)));
    std::vector<double> crossings;
    for (int y = first; y <= last; ++y) {
        const double sy = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < ring.size(); ++i) {
            const RasterPoint& a = ring[i];
            const RasterPoint& b = ring[(i + 1) % ring.size()];
            if ((a.y <= sy) == (b.y <= sy)) continue;
            crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centres lie between the crossings, clamped before converting to int.
            const double from = std::clamp(std::ceil(crossings[i] - 0.5), 0.0, double(image.width));
            const double to = std::clamp(std::ceil(crossings[i + 1] - 0.5), 0.0, double(image.width));
            fill_box(image, {int(from), y, int(to), y + 1}, colour);
        }
    }
}

void draw_marker(Image& image, RasterPoint at, int size, uint32_t fill, uint32_t border) {
    if (!(std::abs(at.x) < 1e6 && std::abs(at.y) < 1e6)) return;
    const int left = int(std::floor(at.x)) - size / 2, top = int(std::floor(at.y)) - size / 2;
    fill_box(image, {left, top, left + size, top + size}, border);
    fill_box(image, {left + 1, top + 1, left + size - 1, top + size - 1}, fill);
}

PixelBox text_box(int x, int y, std::string_view text) {
    const int width = text.empty() ? 0 : int(std::min<size_t>(text.size(), 4096)) * kGlyphAdvance - 1;
    return {x - 1, y - 1, x + width + 1, y + kGlyphHeight + 1};
}

void draw_text(Image& image, int x, int y, std::string_view text, uint32_t colour, uint32_t halo) {
    const PixelBox box = text_box(x, y, text);
    if (box.right <= 0 || box.bottom <= 0 || box.left >= image.width || box.top >= image.height) return;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy) draw_glyphs(image, x + dx, y + dy, text, halo);
    draw_glyphs(image, x, y, text, colour);
}

}  // namespace plotwell

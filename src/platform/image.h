// A decoded raster image: what a background bitmap file becomes in memory. Pixels are 0xAARRGGBB,
// rows top to bottom; the toolkit layer turns it into whatever it draws with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace plotwell {

class ImageSource;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height, row-major, top row first
    // A picture too large to hold stays in its file: the pixels are then a reduced copy of it, and the
    // view reads the part it shows from here.
    std::shared_ptr<const ImageSource> source;

    uint32_t pixel(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Pixels [x0, x1) x [y0, y1) of the full picture.
struct PixelWindow {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    friend bool operator==(const PixelWindow&, const PixelWindow&) = default;
};

class ImageSource {
  public:
    virtual ~ImageSource() = default;
    virtual int width() const = 0;  // of the full picture
    virtual int height() const = 0;
    // The window scaled to out_width x out_height pixels (a reduced copy: never larger than the window);
    // none when the file cannot be read.
    virtual std::shared_ptr<const Image> read(PixelWindow window, int out_width, int out_height) const = 0;
};

}  // namespace plotwell

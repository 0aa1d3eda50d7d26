// A decoded raster image: what a background bitmap file becomes in memory. Pixels are 0xAARRGGBB,
// rows top to bottom; the toolkit layer turns it into whatever it draws with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plotwell {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height, row-major, top row first

    uint32_t pixel(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

}  // namespace plotwell

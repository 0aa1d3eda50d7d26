// Windows bitmap files (.bmp) used as background bitmaps: decoded here into an Image, without any
// toolkit, so that every file the user names is read the same way on every platform.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/image.h"

namespace plotwell {

// The decoded image of a bitmap file, or none when the file cannot be opened or decoded. Reads
// uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel (bottom-up and top-down), BI_BITFIELDS, RLE8 and
// RLE4, with the 12-byte core header, the 40-byte info header and the larger V2..V5 headers.
// Every pixel comes back opaque: background bitmaps are drawn as plain pictures.
std::shared_ptr<const Image> load_bitmap_file(const std::string& path);

// The same decoding over bytes already in memory.
std::shared_ptr<const Image> decode_bitmap(std::span<const uint8_t> file);

// Sizes from a bitmap file's headers, without decoding it.
enum BitmapSizeStatus : int {
    kBitmapSizeOk = 0,
    kBitmapCannotOpen = 1,
    kBitmapFileHeaderUnreadable = 2,
    kBitmapInfoHeaderUnreadable = 3,
};
struct BitmapSize {
    int status = kBitmapCannotOpen;
    int32_t width = 0;
    int32_t height = 0;  // negative for a top-down file, as stored
    uint16_t planes = 0;
    uint16_t bits_per_pixel = 0;
};
BitmapSize read_bitmap_size(const std::string& path);

// Largest image (in pixels) that is decoded; beyond it a file is refused rather than allocated.
inline constexpr int64_t kMaxBitmapPixels = int64_t(1) << 28;

}  // namespace plotwell

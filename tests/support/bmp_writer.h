// Builds Windows bitmap files byte by byte for the decoder's tests: any header size, bit depth,
// row order, compression, palette and bit-field masks, with raw pixel data supplied by the test.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/bytes.h"

namespace plotwell::test {

struct BmpLayout {
    uint32_t header_size = 40;  // 12 (core), 40 (info), 52, 56, 108 (V4), 124 (V5)
    int32_t width = 0;
    int32_t height = 0;  // negative: rows stored top first
    uint16_t bits_per_pixel = 24;
    uint32_t compression = 0;         // 0 RGB, 1 RLE8, 2 RLE4, 3 BITFIELDS
    std::vector<uint32_t> palette;    // 0x00RRGGBB each
    uint32_t colors_used = 0;         // written as given
    std::array<uint32_t, 3> masks{};  // with BITFIELDS: in the header from 52 bytes on, else after it
    std::vector<uint8_t> pixel_data;  // exactly as stored
};

inline std::vector<uint8_t> write_bmp(const BmpLayout& s) {
    const bool core = s.header_size == 12;
    const bool masks_after_header = s.compression == 3 && s.header_size < 52;
    const size_t entry = core ? 3 : 4;
    const uint32_t pixel_offset =
        uint32_t(14 + s.header_size + (masks_after_header ? 12 : 0) + entry * s.palette.size());
    ByteBuffer b;
    b.put_u8('B');
    b.put_u8('M');
    b.put_le32(uint32_t(pixel_offset + s.pixel_data.size()));
    b.put_le32(0);
    b.put_le32(pixel_offset);
    b.put_le32(s.header_size);
    if (core) {
        b.put_le16(uint16_t(s.width));
        b.put_le16(uint16_t(s.height));
        b.put_le16(1);
        b.put_le16(s.bits_per_pixel);
    } else {
        const size_t start = b.size();
        b.put_le32(uint32_t(s.width));
        b.put_le32(uint32_t(s.height));
        b.put_le16(1);
        b.put_le16(s.bits_per_pixel);
        b.put_le32(s.compression);
        b.put_le32(uint32_t(s.pixel_data.size()));
        b.put_le32(2835);  // 72 dpi
        b.put_le32(2835);
        b.put_le32(s.colors_used);
        b.put_le32(0);
        if (s.header_size >= 52)
            for (uint32_t m : s.masks) b.put_le32(m);
        b.put_zeros(s.header_size - 4 - (b.size() - start));
    }
    if (masks_after_header)
        for (uint32_t m : s.masks) b.put_le32(m);
    for (uint32_t c : s.palette) {
        b.put_u8(uint8_t(c));
        b.put_u8(uint8_t(c >> 8));
        b.put_u8(uint8_t(c >> 16));
        if (!core) b.put_u8(0);
    }
    b.put_bytes(s.pixel_data.data(), s.pixel_data.size());
    return b.bytes;
}

// Packs one value per pixel, rows given top first (palette index; the 16- or 32-bit word; 0xRRGGBB for
// 24 bits), into stored rows padded to 4 bytes: bottom row first unless `top_down`.
inline std::vector<uint8_t> pack_rows(int width, int height, int bpp, const std::vector<uint32_t>& values,
                                      bool top_down = false) {
    const size_t stride = (size_t(width) * bpp + 31) / 32 * 4;
    std::vector<uint8_t> out(stride * size_t(height), 0);
    for (int r = 0; r < height; ++r) {
        const int y = top_down ? r : height - 1 - r;
        uint8_t* row = out.data() + size_t(r) * stride;
        for (int x = 0; x < width; ++x) {
            const uint32_t v = values[size_t(y) * size_t(width) + size_t(x)];
            switch (bpp) {
                case 1:
                    row[x / 8] |= uint8_t((v & 1) << (7 - x % 8));
                    break;
                case 4:
                    row[x / 2] |= uint8_t((v & 15) << (x % 2 ? 0 : 4));
                    break;
                case 8:
                    row[x] = uint8_t(v);
                    break;
                case 16:
                    put_le16(row + 2 * x, uint16_t(v));
                    break;
                case 24:
                    row[3 * x] = uint8_t(v);
                    row[3 * x + 1] = uint8_t(v >> 8);
                    row[3 * x + 2] = uint8_t(v >> 16);
                    break;
                case 32:
                    put_le32(row + 4 * x, v);
                    break;
            }
        }
    }
    return out;
}

}  // namespace plotwell::test

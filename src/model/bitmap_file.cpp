#include "model/bitmap_file.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <new>
#include <vector>

#include "model/bytes.h"

namespace plotwell {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kOs2V2HeaderSize = 64;
constexpr uint32_t kMaxHeaderSize = 4096;  // V5 is 124; anything far beyond is not a bitmap

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr int64_t kRleMinPixelAllowance = int64_t(1) << 20;
constexpr int64_t kRlePixelsPerDataByte = 1024;

constexpr uint32_t kOpaque = 0xFF000000u;

struct Header {
    int64_t width = 0;
    int64_t height = 0;  // absolute
    bool top_down = false;
    uint16_t bits_per_pixel = 0;
    uint32_t compression = kBiRgb;
    uint32_t colors_used = 0;
    uint32_t masks[3] = {0, 0, 0};  // red, green, blue
    size_t palette_offset = 0;
    size_t palette_entry_size = 4;
    size_t pixel_offset = 0;
};

// One colour channel of a bit-field pixel, widened or cut to 8 bits. Narrow channels repeat their bits
// (5-bit 21 becomes 173), so that full scale maps to 255 and the steps stay even.
class Channel {
  public:
    explicit Channel(uint32_t mask) : mask_(mask) {
        if (mask == 0) return;
        shift_ = std::countr_zero(mask);
        bits_ = std::bit_width(mask >> shift_);
        if (bits_ >= 8) return;
        for (uint32_t c = 0; c < (1u << bits_); ++c) {
            uint32_t out = 0;
            int filled = 0;
            for (; filled < 8; filled += bits_) out = (out << bits_) | c;
            widened_[c] = uint8_t(out >> (filled - 8));
        }
    }
    uint32_t operator()(uint32_t v) const {
        if (bits_ == 0) return 0;
        const uint32_t c = (v & mask_) >> shift_;
        return bits_ >= 8 ? c >> (bits_ - 8) : widened_[c];
    }

  private:
    uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
    uint8_t widened_[128] = {};
};

bool parse_header(const ByteReader& in, Header& h) {
    const uint8_t* fh = in.at(0, kFileHeaderSize + 4);
    if (!fh) return false;
    h.pixel_offset = get_le32(fh + 10);
    const uint32_t header_size = get_le32(fh + 14);
    if (header_size > kMaxHeaderSize) return false;
    const uint8_t* ih = in.at(kFileHeaderSize, header_size);
    if (!ih) return false;

    bool os2 = false;
    if (header_size == kCoreHeaderSize) {
        h.width = get_le16(ih + 4);
        h.height = get_le16(ih + 6);
        h.bits_per_pixel = get_le16(ih + 10);
        h.palette_entry_size = 3;
    } else if (header_size >= 16) {
        // The 16..64-byte OS/2 headers share the first fields of the Windows info header.
        os2 = header_size < kInfoHeaderSize || header_size == kOs2V2HeaderSize;
        h.width = get_le32s(ih + 4);
        const int64_t height = get_le32s(ih + 8);
        h.top_down = height < 0;
        h.height = height < 0 ? -height : height;
        h.bits_per_pixel = get_le16(ih + 14);
        if (header_size >= 20) h.compression = get_le32(ih + 16);
        if (header_size >= 36) h.colors_used = get_le32(ih + 32);
        if (os2 && h.compression > kBiRle4) return false;  // OS/2 Huffman and RLE24 are not read
    } else {
        return false;
    }
    h.palette_offset = kFileHeaderSize + header_size;

    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
        const uint8_t* m;
        if (header_size >= 52) {
            m = ih + 40;
        } else {
            // The masks follow a 40-byte header (three, or four with alpha).
            const size_t count = h.compression == kBiAlphaBitfields ? 4 : 3;
            m = in.at(h.palette_offset, 4 * count);
            if (!m) return false;
            h.palette_offset += 4 * count;
        }
        for (int i = 0; i < 3; ++i) h.masks[i] = get_le32(m + 4 * i);
    } else if (h.bits_per_pixel == 16) {
        h.masks[0] = 0x7C00;
        h.masks[1] = 0x03E0;
        h.masks[2] = 0x001F;
    } else if (h.bits_per_pixel == 32) {
        h.masks[0] = 0x00FF0000;
        h.masks[1] = 0x0000FF00;
        h.masks[2] = 0x000000FF;
    }

    if (h.width <= 0 || h.height <= 0) return false;
    if (h.width * h.height > kMaxBitmapPixels) return false;
    if (h.pixel_offset < h.palette_offset || h.pixel_offset > in.size()) return false;

    switch (h.compression) {
        case kBiRgb:
            return h.bits_per_pixel == 1 || h.bits_per_pixel == 4 || h.bits_per_pixel == 8 ||
                   h.bits_per_pixel == 16 || h.bits_per_pixel == 24 || h.bits_per_pixel == 32;
        case kBiRle8:
            return h.bits_per_pixel == 8 && !h.top_down;
        case kBiRle4:
            return h.bits_per_pixel == 4 && !h.top_down;
        case kBiBitfields:
        case kBiAlphaBitfields:
            return h.bits_per_pixel == 16 || h.bits_per_pixel == 32;
        default:
            return false;
    }
}

// The colour table as opaque pixels. Indices past what the file holds stay black.
std::vector<uint32_t> read_palette(const ByteReader& in, const Header& h) {
    std::vector<uint32_t> palette;
    if (h.bits_per_pixel > 8) return palette;
    const size_t max_entries = size_t(1) << h.bits_per_pixel;
    size_t entries = h.colors_used ? h.colors_used : max_entries;
    if (entries > max_entries) entries = max_entries;
    const size_t room = (h.pixel_offset - h.palette_offset) / h.palette_entry_size;
    if (entries > room) entries = room;
    palette.assign(max_entries, kOpaque);
    const uint8_t* p = in.at(h.palette_offset, entries * h.palette_entry_size);
    for (size_t i = 0; p && i < entries; ++i, p += h.palette_entry_size)
        palette[i] = kOpaque | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    return palette;
}

int64_t row_stride(const Header& h) {
    return (h.width * h.bits_per_pixel + 31) / 32 * 4;
}

// Whether the file's pixel data can describe the image, checked before anything is allocated for it.
bool data_can_hold(const ByteReader& in, const Header& h) {
    const int64_t available = int64_t(in.size() - h.pixel_offset);
    if (h.compression == kBiRle8 || h.compression == kBiRle4) {
        // A run-length file can describe a huge picture in a few bytes; what it may make us allocate is
        // bounded by what its data could plausibly paint.
        return h.width * h.height <= std::max(kRleMinPixelAllowance, available * kRlePixelsPerDataByte);
    }
    // The last row may lack its padding; every pixel must be there.
    const int64_t needed = (h.height - 1) * row_stride(h) + (h.width * h.bits_per_pixel + 7) / 8;
    return needed <= available;
}

void decode_uncompressed(const ByteReader& in, const Header& h, Image& image) {
    const int64_t stride = row_stride(h);
    const uint8_t* data = in.data() + h.pixel_offset;

    const std::vector<uint32_t> palette = read_palette(in, h);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const size_t width = size_t(h.width);
    for (int64_t r = 0; r < h.height; ++r) {
        const uint8_t* row = data + r * stride;
        const int64_t y = h.top_down ? r : h.height - 1 - r;
        uint32_t* out = image.pixels.data() + size_t(y) * width;
        switch (h.bits_per_pixel) {
            case 1:
                for (size_t x = 0; x < width; ++x) out[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                for (size_t x = 0; x < width; ++x) out[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
                break;
            case 8:
                for (size_t x = 0; x < width; ++x) out[x] = palette[row[x]];
                break;
            case 16:
                for (size_t x = 0; x < width; ++x) {
                    const uint32_t v = get_le16(row + 2 * x);
                    out[x] = kOpaque | (red(v) << 16) | (green(v) << 8) | blue(v);
                }
                break;
            case 24:
                for (size_t x = 0; x < width; ++x) {
                    const uint8_t* p = row + 3 * x;
                    out[x] = kOpaque | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
                }
                break;
            case 32:
                for (size_t x = 0; x < width; ++x) {
                    const uint32_t v = get_le32(row + 4 * x);
                    out[x] = kOpaque | (red(v) << 16) | (green(v) << 8) | blue(v);
                }
                break;
        }
    }
}

// RLE8 and RLE4: runs and literal stretches of palette indices, bottom row first. Pixels that the
// data skips (deltas, early line ends, early end of data) keep colour index 0.
void decode_run_length(const ByteReader& in, const Header& h, Image& image) {
    const bool four_bit = h.compression == kBiRle4;
    const size_t width = size_t(h.width), height = size_t(h.height);
    std::vector<uint8_t> indices(width * height, 0);
    const uint8_t* d = in.data() + h.pixel_offset;
    const size_t n = in.size() - h.pixel_offset;
    size_t p = 0, x = 0, y = 0;
    auto put = [&](uint8_t index) {
        if (x < width) indices[y * width + x] = index;
        ++x;
    };
    while (p + 1 < n && y < height) {
        const uint8_t count = d[p], value = d[p + 1];
        p += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count && x < width; ++k)
                put(four_bit ? uint8_t((k & 1) ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // delta: move right and up
            if (p + 1 >= n) break;
            x += d[p];
            y += d[p + 1];
            p += 2;
        } else {  // literal stretch of `value` indices, padded to a 16-bit boundary
            const size_t bytes = four_bit ? (size_t(value) + 1) / 2 : value;
            for (unsigned k = 0; k < value; ++k) {
                const size_t at = p + (four_bit ? k / 2 : k);
                if (at >= n) break;
                put(four_bit ? uint8_t((k & 1) ? d[at] & 15 : d[at] >> 4) : d[at]);
            }
            p += (bytes + 1) & ~size_t(1);
        }
    }

    const std::vector<uint32_t> palette = read_palette(in, h);
    for (size_t r = 0; r < height; ++r) {
        const uint8_t* src = indices.data() + r * width;
        uint32_t* out = image.pixels.data() + (height - 1 - r) * width;
        for (size_t c = 0; c < width; ++c) out[c] = palette[src[c]];
    }
}

}  // namespace

std::shared_ptr<const Image> decode_bitmap(std::span<const uint8_t> file) {
    const ByteReader in(file);
    Header h;
    if (!parse_header(in, h) || !data_can_hold(in, h)) return nullptr;
    try {
        auto image = std::make_shared<Image>();
        image->width = int(h.width);
        image->height = int(h.height);
        image->pixels.assign(size_t(h.width * h.height), kOpaque);
        const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
        if (rle)
            decode_run_length(in, h, *image);
        else
            decode_uncompressed(in, h, *image);
        return image;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::shared_ptr<const Image> load_bitmap_file(const std::string& path) {
    std::vector<uint8_t> bytes;
    try {
        if (!read_whole_file(path, bytes)) return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return decode_bitmap(bytes);
}

BitmapSize read_bitmap_size(const std::string& path) {
    BitmapSize size;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return size;  // kBitmapCannotOpen
    uint8_t head[kFileHeaderSize + 16] = {};
    const size_t got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    if (got < kFileHeaderSize) {
        size.status = kBitmapFileHeaderUnreadable;
        return size;
    }
    const uint8_t* ih = head + kFileHeaderSize;
    const size_t info = got - kFileHeaderSize;
    if (info >= 4 && get_le32(ih) == kCoreHeaderSize && info >= kCoreHeaderSize) {
        size.width = get_le16(ih + 4);
        size.height = get_le16(ih + 6);
        size.planes = get_le16(ih + 8);
        size.bits_per_pixel = get_le16(ih + 10);
    } else if (info >= 16 && get_le32(ih) != kCoreHeaderSize) {
        size.width = get_le32s(ih + 4);
        size.height = get_le32s(ih + 8);
        size.planes = get_le16(ih + 12);
        size.bits_per_pixel = get_le16(ih + 14);
    } else {
        size.status = kBitmapInfoHeaderUnreadable;
        return size;
    }
    size.status = kBitmapSizeOk;
    return size;
}

}  // namespace plotwell

#include "model/bitmap_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "model/bytes.h"
#include "support/bmp_writer.h"
#include "support/scratch_dir.h"

namespace plotwell {
namespace {

using test::BmpLayout;
using test::pack_rows;
using test::write_bmp;

constexpr uint32_t kBlack = 0xFF000000;

std::shared_ptr<const Image> decode(const std::vector<uint8_t>& bytes) {
    return decode_bitmap(bytes);
}

std::vector<uint8_t> data_file(const std::string& name) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(read_whole_file(std::string(PLOTWELL_TEST_DATA_DIR) + "/bitmaps/" + name, bytes)) << name;
    return bytes;
}

// A binary PPM (P6, maxval 255) as opaque pixels.
Image read_ppm(const std::vector<uint8_t>& bytes) {
    Image image;
    size_t p = 0, fields = 0;
    int values[4] = {};
    while (fields < 4 && p < bytes.size()) {
        while (p < bytes.size() && std::isspace(bytes[p])) ++p;
        std::string token;
        while (p < bytes.size() && !std::isspace(bytes[p])) token += char(bytes[p++]);
        if (fields > 0) values[fields] = std::stoi(token);
        ++fields;
    }
    ++p;  // the one whitespace byte after maxval
    image.width = values[1];
    image.height = values[2];
    for (int i = 0; i < image.width * image.height && p + 2 < bytes.size(); ++i, p += 3)
        image.pixels.push_back(kBlack | (uint32_t(bytes[p]) << 16) | (uint32_t(bytes[p + 1]) << 8) |
                               bytes[p + 2]);
    return image;
}

// Files written by another program, compared with that program's own decoding of them.
TEST(LoadBitmapFile, DecodesFilesOfOtherWritersLikeTheyDo) {
    const char* names[] = {"rgb24", "pal8", "pal4", "mono1", "rle8", "argb32", "rgb565", "rgb555", "core24"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const auto image = decode(data_file(std::string(name) + ".bmp"));
        ASSERT_NE(image, nullptr);
        const Image expected = read_ppm(data_file(std::string(name) + ".ppm"));
        ASSERT_EQ(image->width, 13);
        ASSERT_EQ(image->height, 7);
        ASSERT_EQ(expected.pixels.size(), 13u * 7u);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(image->pixel(x, y), expected.pixel(x, y))
                    << "at " << x << "," << y << std::hex << " got " << image->pixel(x, y) << " want "
                    << expected.pixel(x, y);
    }
}

TEST(LoadBitmapFile, ReadsFromDiskAndGivesNoneForMissingFiles) {
    test::ScratchDir dir;
    const std::string path = dir.write("a.bmp", data_file("rgb24.bmp"));
    const auto image = load_bitmap_file(path);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 13);
    EXPECT_EQ(load_bitmap_file(dir.file("missing.bmp")), nullptr);
    EXPECT_EQ(load_bitmap_file(dir.path().string()), nullptr);  // a directory
}

// A 5 x 3 picture in every depth, both row orders and every header size; pixel (x, y) has a value that
// differs in each position so that swapped rows, columns or nibbles show.
uint32_t widen5(uint32_t v) {
    return (v << 3) | (v >> 2);
}

struct DepthCase {
    uint16_t bpp;
    uint32_t header_size;
    bool top_down;
};

class EveryDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(EveryDepth, DecodesEveryPixelInPlace) {
    const DepthCase c = GetParam();
    const int w = 5, h = 3;
    BmpLayout layout;
    layout.header_size = c.header_size;
    layout.width = w;
    layout.height = c.top_down ? -h : h;
    layout.bits_per_pixel = c.bpp;

    std::vector<uint32_t> values(w * h), expected(w * h);
    for (int i = 0; i < w * h; ++i) {
        switch (c.bpp) {
            case 1:
                values[i] = (i * 7 / 3) & 1;
                expected[i] = values[i] ? 0xFFFFFFFF : 0xFF102030;
                break;
            case 4:
            case 8: {
                const uint32_t n = c.bpp == 4 ? 16 : 256;
                values[i] = (uint32_t(i) * 11) % n;
                expected[i] = kBlack | (values[i] * 0x010203u);
                break;
            }
            case 16:  // 5-5-5: red 0..31 in bits 10..14
                values[i] = (uint32_t(i) << 10) | (uint32_t(31 - i) << 5) | uint32_t(i % 4 * 10);
                expected[i] = kBlack | (widen5(uint32_t(i)) << 16) | (widen5(uint32_t(31 - i)) << 8) |
                              widen5(uint32_t(i % 4 * 10));
                break;
            case 24:
            case 32:
                values[i] = 0x00102030u * uint32_t(i + 1) & 0x00FFFFFF;
                if (c.bpp == 32) values[i] |= 0xAB000000;  // the unused byte is ignored
                expected[i] = kBlack | (values[i] & 0x00FFFFFF);
                break;
        }
    }
    if (c.bpp == 1) layout.palette = {0x102030, 0xFFFFFF};
    if (c.bpp == 4 || c.bpp == 8)
        for (uint32_t k = 0; k < (c.bpp == 4 ? 16u : 256u); ++k) layout.palette.push_back(k * 0x010203u);
    layout.pixel_data = pack_rows(w, h, c.bpp, values, c.top_down);

    const auto image = decode(write_bmp(layout));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width, w);
    ASSERT_EQ(image->height, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) EXPECT_EQ(image->pixel(x, y), expected[y * w + x]) << x << "," << y;
}

std::vector<DepthCase> depth_cases() {
    std::vector<DepthCase> cases;
    for (uint16_t bpp : {1, 4, 8, 16, 24, 32})
        for (uint32_t header : {40u, 108u, 124u})
            for (bool top_down : {false, true}) cases.push_back({bpp, header, top_down});
    for (uint16_t bpp : {1, 4, 8, 24}) cases.push_back({bpp, 12u, false});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(LoadBitmapFile, EveryDepth, ::testing::ValuesIn(depth_cases()),
                         [](const auto& info) {
                             return std::to_string(info.param.bpp) + "bpp_header" +
                                    std::to_string(info.param.header_size) +
                                    (info.param.top_down ? "_top_down" : "_bottom_up");
                         });

TEST(LoadBitmapFile, BitfieldMasksPlaceAndWidenEveryChannel) {
    // 16 bits 5-6-5, masks after a 40-byte header.
    BmpLayout layout;
    layout.width = 3;
    layout.height = 1;
    layout.bits_per_pixel = 16;
    layout.compression = 3;
    layout.masks = {0xF800, 0x07E0, 0x001F};
    layout.pixel_data = pack_rows(3, 1, 16, {0xF800, 0x07E0, 0x0821});  // red, green, one step of each
    auto image = decode(write_bmp(layout));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image->pixel(1, 0), 0xFF00FF00u);
    EXPECT_EQ(image->pixel(2, 0), kBlack | (8u << 16) | (4u << 8) | 8u);

    // 32 bits with the channels in unusual places and masks inside a V5 header.
    layout.header_size = 124;
    layout.bits_per_pixel = 32;
    layout.masks = {0x000000FF, 0x0000FF00, 0xFF000000};
    layout.pixel_data = pack_rows(3, 1, 32, {0x11000022, 0x00003300, 0xFFFFFFFF});
    image = decode(write_bmp(layout));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixel(0, 0), 0xFF220011u);
    EXPECT_EQ(image->pixel(1, 0), 0xFF003300u);
    EXPECT_EQ(image->pixel(2, 0), 0xFFFFFFFFu);

    // A zero mask leaves its channel dark; 24 bits cannot have bit fields.
    layout.masks = {0x00FF0000, 0, 0x000000FF};
    layout.pixel_data = pack_rows(3, 1, 32, {0x00FFFFFF, 0, 0});
    image = decode(write_bmp(layout));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixel(0, 0), 0xFFFF00FFu);
    layout.bits_per_pixel = 24;
    layout.pixel_data = pack_rows(3, 1, 24, {0, 0, 0});
    EXPECT_EQ(decode(write_bmp(layout)), nullptr);
}

BmpLayout rle_layout(int w, int h, uint16_t bpp, std::vector<uint8_t> data) {
    BmpLayout layout;
    layout.width = w;
    layout.height = h;
    layout.bits_per_pixel = bpp;
    layout.compression = bpp == 8 ? 1 : 2;
    for (uint32_t k = 0; k < (bpp == 8 ? 256u : 16u); ++k) layout.palette.push_back(k);  // blue = index
    layout.pixel_data = std::move(data);
    return layout;
}

// Blue channel of every pixel, rows top first: the palette index under rle_layout's palette.
std::vector<uint32_t> indices_of(const Image& image) {
    std::vector<uint32_t> out;
    for (uint32_t p : image.pixels) out.push_back(p & 0xFF);
    return out;
}

TEST(LoadBitmapFile, Rle8RunsLiteralsDeltasAndLineEnds) {
    // Bottom row: run of 3 x 7, literal 1 2 3 (padded), end of line.
    // Middle row: delta right 2, up 0; run 1 x 9; end of line. Top row: run of 9 x 5 (clipped), end.
    const auto image = decode(
        write_bmp(rle_layout(5, 3, 8, {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 1, 9, 0, 0, 9, 5, 0, 1})));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(indices_of(*image), (std::vector<uint32_t>{5, 5, 5, 5, 5,  //
                                                         0, 0, 9, 0, 0,  //
                                                         7, 7, 7, 1, 2}));
}

TEST(LoadBitmapFile, Rle4NibblesAlternateAndLiteralsPadToWords) {
    // Bottom row: run of 5 alternating 1/2; literal of 3 nibbles 3 4 5 (2 bytes, padded to 2);
    // end of line; top row: delta right 1, literal 6 7 8, then end of bitmap.
    const auto image = decode(write_bmp(
        rle_layout(8, 2, 4, {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 0, 0, 3, 0x67, 0x80, 0, 1})));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(indices_of(*image), (std::vector<uint32_t>{0, 6, 7, 8, 0, 0, 0, 0,  //
                                                         1, 2, 1, 2, 1, 3, 4, 5}));
}

TEST(LoadBitmapFile, RunLengthDataThatStopsEarlyOrRunsOffTheImageIsContained) {
    // No end marker, a delta far outside, a literal cut by the end of the file.
    for (const std::vector<uint8_t>& data : std::vector<std::vector<uint8_t>>{
             {2, 4}, {0, 2, 200, 200, 3, 3}, {0, 2, 3, 0, 4, 1}, {0, 9, 1, 2}, {0}, {}}) {
        const auto image = decode(write_bmp(rle_layout(4, 2, 8, data)));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->pixels.size(), 8u);
    }
    // Run-length files are never stored top-down.
    BmpLayout layout = rle_layout(4, 2, 8, {0, 1});
    layout.height = -2;
    EXPECT_EQ(decode(write_bmp(layout)), nullptr);
}

TEST(LoadBitmapFile, PaletteIndicesPastTheTableAreBlack) {
    BmpLayout layout;
    layout.width = 3;
    layout.height = 1;
    layout.bits_per_pixel = 8;
    layout.palette = {0x112233, 0x445566};
    layout.colors_used = 2;
    layout.pixel_data = pack_rows(3, 1, 8, {1, 0, 200});
    auto image = decode(write_bmp(layout));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixel(0, 0), 0xFF445566u);
    EXPECT_EQ(image->pixel(1, 0), 0xFF112233u);
    EXPECT_EQ(image->pixel(2, 0), kBlack);

    // A colour count larger than the file has room for reads only what is there.
    layout.colors_used = 256;
    image = decode(write_bmp(layout));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixel(0, 0), 0xFF445566u);
    EXPECT_EQ(image->pixel(2, 0), kBlack);
}

TEST(LoadBitmapFile, RefusesSizesAndLayoutsItCannotTrust) {
    auto base = [] {
        BmpLayout layout;
        layout.width = 4;
        layout.height = 2;
        layout.bits_per_pixel = 24;
        layout.pixel_data = pack_rows(4, 2, 24, std::vector<uint32_t>(8, 0x123456));
        return layout;
    };
    ASSERT_NE(decode(write_bmp(base())), nullptr);

    auto refused = [&](auto change, const char* what) {
        BmpLayout layout = base();
        change(layout);
        EXPECT_EQ(decode(write_bmp(layout)), nullptr) << what;
    };
    refused([](BmpLayout& s) { s.width = 0; }, "zero width");
    refused([](BmpLayout& s) { s.width = -4; }, "negative width");
    refused([](BmpLayout& s) { s.height = 0; }, "zero height");
    refused([](BmpLayout& s) { s.height = INT32_MIN; }, "most negative height");
    refused([](BmpLayout& s) { s.width = 1 << 15, s.height = 1 << 14; }, "more pixels than allowed");
    refused([](BmpLayout& s) { s.width = 5; }, "rows longer than the data");
    refused([](BmpLayout& s) { s.pixel_data.resize(s.pixel_data.size() - 4); }, "last row cut");
    refused([](BmpLayout& s) { s.bits_per_pixel = 2; }, "2 bits per pixel");
    refused([](BmpLayout& s) { s.bits_per_pixel = 0; }, "0 bits per pixel");
    refused([](BmpLayout& s) { s.compression = 4; }, "embedded JPEG");
    refused([](BmpLayout& s) { s.compression = 1; }, "RLE8 at 24 bits");

    // The last row may lack its padding, but not a pixel.
    BmpLayout layout = base();
    layout.width = 3;
    layout.pixel_data = pack_rows(3, 2, 24, std::vector<uint32_t>(6, 0x123456));
    layout.pixel_data.resize(layout.pixel_data.size() - 3);
    std::vector<uint8_t> bytes = write_bmp(layout);
    EXPECT_NE(decode(bytes), nullptr);
    layout.pixel_data.pop_back();
    EXPECT_EQ(decode(write_bmp(layout)), nullptr);

    // Pixel data offset inside the headers or past the end of the file.
    put_le32(bytes.data() + 10, 20);
    EXPECT_EQ(decode(bytes), nullptr);
    put_le32(bytes.data() + 10, uint32_t(bytes.size() + 1));
    EXPECT_EQ(decode(bytes), nullptr);
    put_le32(bytes.data() + 10, 0xFFFFFFFF);
    EXPECT_EQ(decode(bytes), nullptr);
    // Header sizes that are too small for any header or run past the file.
    for (uint32_t header_size : {0u, 8u, 13u, 0x7FFFFFFFu}) {
        bytes = write_bmp(base());
        put_le32(bytes.data() + 14, header_size);
        EXPECT_EQ(decode(bytes), nullptr) << header_size;
    }
}

TEST(LoadBitmapFile, WidthTimesDepthOverflowIsCaught) {
    // 2^27 x 1 at 32 bits would need 512 MB per row; the data holds 16 bytes.
    BmpLayout layout;
    layout.width = 1 << 27;
    layout.height = 2;
    layout.bits_per_pixel = 32;
    layout.pixel_data.assign(16, 0xFF);
    EXPECT_EQ(decode(write_bmp(layout)), nullptr);
    // A run-length file cannot make us allocate far beyond what its few bytes could paint.
    BmpLayout rle = rle_layout(16384, 16384, 8, {0, 1});
    EXPECT_EQ(decode(write_bmp(rle)), nullptr);
}

std::vector<std::string> sample_names() {
    return {"rgb24.bmp", "pal8.bmp",   "pal4.bmp",   "mono1.bmp",
            "rle8.bmp",  "argb32.bmp", "rgb565.bmp", "core24.bmp"};
}

TEST(LoadBitmapFile, EveryPrefixOfARealFileDecodesOrGivesNone) {
    for (const std::string& name : sample_names()) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> file = data_file(name);
        const uint32_t pixel_offset = get_le32(file.data() + 10);
        for (size_t n = 0; n < file.size(); ++n) {
            const std::vector<uint8_t> prefix(file.begin(), file.begin() + ptrdiff_t(n));
            const auto image = decode(prefix);
            if (n < pixel_offset) {
                EXPECT_EQ(image, nullptr) << n;
            }
            if (image) {
                EXPECT_EQ(image->pixels.size(), size_t(image->width) * size_t(image->height));
            }
        }
    }
}

TEST(LoadBitmapFile, RandomlyCorruptedFilesNeverCrash) {
    std::mt19937 random(20261207);
    for (const std::string& name : sample_names()) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> file = data_file(name);
        for (int round = 0; round < 1500; ++round) {
            std::vector<uint8_t> bytes = file;
            const int changes = 1 + int(random() % 6);
            for (int k = 0; k < changes; ++k) {
                // Aim most changes at the headers, where the sizes and offsets live.
                const size_t limit = random() % 4 ? std::min<size_t>(bytes.size(), 70) : bytes.size();
                bytes[random() % limit] = uint8_t(random());
            }
            const auto image = decode(bytes);
            if (image) {
                EXPECT_GT(image->width, 0);
                EXPECT_GT(image->height, 0);
                EXPECT_EQ(image->pixels.size(), size_t(image->width) * size_t(image->height));
            }
        }
    }
}

TEST(ReadBitmapSize, ReportsHeaderFieldsAndWhyItCouldNot) {
    test::ScratchDir dir;
    EXPECT_EQ(read_bitmap_size(dir.file("missing.bmp")).status, kBitmapCannotOpen);

    const std::vector<uint8_t> file = data_file("rgb24.bmp");
    const std::string full = dir.write("full.bmp", file);
    BitmapSize size = read_bitmap_size(full);
    EXPECT_EQ(size.status, kBitmapSizeOk);
    EXPECT_EQ(size.width, 13);
    EXPECT_EQ(size.height, 7);
    EXPECT_EQ(size.planes, 1);
    EXPECT_EQ(size.bits_per_pixel, 24);

    EXPECT_EQ(
        read_bitmap_size(dir.write("a.bmp", std::vector<uint8_t>(file.begin(), file.begin() + 13))).status,
        kBitmapFileHeaderUnreadable);
    EXPECT_EQ(
        read_bitmap_size(dir.write("b.bmp", std::vector<uint8_t>(file.begin(), file.begin() + 29))).status,
        kBitmapInfoHeaderUnreadable);
    EXPECT_EQ(
        read_bitmap_size(dir.write("c.bmp", std::vector<uint8_t>(file.begin(), file.begin() + 30))).status,
        kBitmapSizeOk);

    // Top-down files keep their negative height; core headers hold 16-bit sizes.
    BmpLayout layout;
    layout.width = 300;
    layout.height = -2;
    layout.bits_per_pixel = 8;
    size = read_bitmap_size(dir.write("top.bmp", write_bmp(layout)));
    EXPECT_EQ(size.status, kBitmapSizeOk);
    EXPECT_EQ(size.height, -2);
    layout.header_size = 12;
    layout.height = 2;
    size = read_bitmap_size(dir.write("core.bmp", write_bmp(layout)));
    EXPECT_EQ(size.status, kBitmapSizeOk);
    EXPECT_EQ(size.width, 300);
    EXPECT_EQ(size.height, 2);
    EXPECT_EQ(size.bits_per_pixel, 8);
}

}  // namespace
}  // namespace plotwell

#include "model/png_file.h"

#include <png.h>

#include <vector>

#include "model/file_commit.h"

namespace plotwell {

namespace {
// 0xAARRGGBB in a little-endian word is B, G, R, A in memory.
constexpr png_uint_32 kPixelFormat = PNG_FORMAT_BGRA;

png_image image_header(png_uint_32 width, png_uint_32 height) {
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    header.width = width;
    header.height = height;
    header.format = kPixelFormat;
    return header;
}
}  // namespace

Result write_png_file(const std::string& path, const Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height))
        return failure(path + ": no picture to write");
    png_image header = image_header(png_uint_32(image.width), png_uint_32(image.height));
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&header, nullptr, &size, 0, image.pixels.data(), 0, nullptr))
        return failure(path + ": the picture cannot be encoded (" + header.message + ")");
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&header, bytes.data(), &size, 0, image.pixels.data(), 0, nullptr))
        return failure(path + ": the picture cannot be encoded (" + header.message + ")");
    bytes.resize(size);
    if (!commit_file(path, bytes)) return failure(path + ": cannot be written");
    return success();
}

bool decode_png(std::span<const uint8_t> bytes, Image& image) {
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&header, bytes.data(), bytes.size())) return false;
    // Anything larger than a preview would ever be is refused before allocating for it.
    if (header.width == 0 || header.height == 0 || header.width > 16384 || header.height > 16384) {
        png_image_free(&header);
        return false;
    }
    header.format = kPixelFormat;
    image.width = int(header.width);
    image.height = int(header.height);
    image.pixels.assign(size_t(header.width) * size_t(header.height), 0);
    if (!png_image_finish_read(&header, nullptr, image.pixels.data(), 0, nullptr)) {
        png_image_free(&header);
        image = Image{};
        return false;
    }
    return true;
}

}  // namespace plotwell

// PNG files of an Image, through libpng's simplified API (which reports errors as return values, so no
// longjmp crosses our code).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/result.h"
#include "platform/image.h"

namespace plotwell {

// Encodes the image as an 8-bit RGBA PNG and writes it whole; an existing file survives a failure.
Result write_png_file(const std::string& path, const Image& image);

// Decodes a PNG held in memory; false for anything that is not a readable PNG.
bool decode_png(std::span<const uint8_t> bytes, Image& image);

}  // namespace plotwell

// The picture behind a background bitmap entry: BMP files through their own decoder, exactly as they
// always were read, every other raster format through GDAL.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/image.h"

namespace plotwell {

// The raster files the file dialogs offer besides bitmap files (GDAL reads more; any name may be typed).
inline constexpr const char* kRasterPatterns = "*.tif *.tiff *.png *.jpg *.jpeg *.gif *.jp2 *.webp";

// A file named .bmp, or one that begins as a bitmap file does.
[[nodiscard]] bool is_bmp_file(const std::string& path);

// None when the file cannot be opened or decoded.
std::shared_ptr<const Image> load_background_image(const std::string& path);

// The picture's full size in pixels without decoding it; false when it cannot be read.
[[nodiscard]] bool background_image_size(const std::string& path, int64_t& width, int64_t& height);

}  // namespace plotwell

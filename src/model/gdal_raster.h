// Background pictures in every raster format GDAL reads (GeoTIFF, PNG, JPEG, ...). A picture up to
// kWholeRasterPixels is decoded whole; a larger one is never held at full resolution: its Image is a
// reduced copy and keeps the file open as its source, from which the view reads what it shows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/result.h"
#include "platform/image.h"

namespace plotwell {

inline constexpr int64_t kWholeRasterPixels = int64_t(4096) * 4096;
// The long side of the reduced copy a large picture keeps in memory.
inline constexpr int kReducedRasterSide = 2048;

// The picture at `path`, or none with GDAL's reason in `error`. Every pixel comes back opaque.
std::shared_ptr<const Image> load_gdal_raster(const std::string& path, std::string& error);

// The full size of the picture at `path` without reading its pixels; false when it cannot be opened.
[[nodiscard]] bool gdal_raster_size(const std::string& path, int64_t& width, int64_t& height);

// The box a georeferenced picture covers, in WGS 84 degrees: its corners (from the GeoTIFF's
// geotransform or a world file beside the picture) transformed from its coordinate system. A picture
// without a coordinate system is taken as degrees when its corners can be degrees.
struct GeoBox {
    double west = 0;
    double south = 0;
    double east = 0;
    double north = 0;
};
Result raster_wgs84_box(const std::string& path, GeoBox& box);

}  // namespace plotwell

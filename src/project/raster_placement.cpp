#include "project/raster_placement.h"

#include <cmath>

#include "model/background_image.h"
#include "model/gdal_raster.h"

namespace plotwell {

namespace {

int32_t millionths(double degrees) {
    return int32_t(std::llround(degrees * 1e6));  // within +-180 degrees, so within int32
}

}  // namespace

Result place_by_georeference(const std::string& path, BackgroundBitmap& entry) {
    if (is_bmp_file(path)) return failure("bitmap files carry no georeference");
    GeoBox box;
    if (Result r = raster_wgs84_box(path, box); !r.ok) return r;
    const int32_t west = millionths(box.west), south = millionths(box.south);
    const int32_t width = millionths(box.east) - west, height = millionths(box.north) - south;
    if (width <= 0 || height <= 0) return failure("it covers less than a millionth of a degree");
    entry.x = west;
    entry.y = south;
    entry.width = width;
    entry.height = height;
    return success();
}

std::string unplaced_message(const std::string& file_name, const std::string& reason) {
    return file_name + " cannot be placed at its position: " + reason + ". Place it by hand.";
}

}  // namespace plotwell

#include "project/raster_placement.h"

#include <cmath>

#include "model/background_image.h"
#include "model/bitmap_file.h"
#include "model/gdal_raster.h"
#include "model/text.h"

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

Result add_raster_bitmap(Project& project, const std::string& file_name, const std::string& path,
                         std::string& note) {
    BitmapTable& t = project.bitmaps;
    if (t.count >= kMaxBitmaps) return failure("Bitmap table full!");
    if (file_name.empty() || file_name.size() >= kBitmapFileNameSize)
        return failure("The file name " + file_name + " does not fit in the bitmap table");
    std::string error;
    std::shared_ptr<const Image> image =
        is_bmp_file(path) ? load_bitmap_file(path) : load_gdal_raster(path, error);
    if (!image) return failure(error.empty() ? "Cannot read " + path + " as a bitmap file" : error);
    BackgroundBitmap entry;
    if (!empty_range(project.range)) {
        entry.x = project.range.x_min;
        entry.y = project.range.y_min;
    }
    entry.width = image->source ? image->source->width() : image->width;
    entry.height = image->source ? image->source->height() : image->height;
    if (project.coord_sys == kCoordDegrees)
        if (const Result placed = place_by_georeference(path, entry); !placed.ok)
            note = unplaced_message(file_name, placed.message);
    entry.image = std::move(image);
    set_field(entry.file_name, file_name);
    t.entries[t.count++] = std::move(entry);
    project.modified = 1;
    return success();
}

std::string unplaced_message(const std::string& file_name, const std::string& reason) {
    return file_name + " cannot be placed at its position: " + reason + ". Place it by hand.";
}

}  // namespace plotwell

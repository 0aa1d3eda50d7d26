#include "model/background_image.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "model/bitmap_file.h"
#include "model/gdal_raster.h"

namespace plotwell {

bool is_bmp_file(const std::string& path) {
    if (path.size() >= 4) {
        std::string ext = path.substr(path.size() - 4);
        for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".bmp") return true;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char magic[2] = {};
    const bool bm = std::fread(magic, 1, 2, f) == 2 && magic[0] == 'B' && magic[1] == 'M';
    std::fclose(f);
    return bm;
}

std::shared_ptr<const Image> load_background_image(const std::string& path) {
    if (is_bmp_file(path)) return load_bitmap_file(path);
    std::string error;
    return load_gdal_raster(path, error);
}

bool background_image_size(const std::string& path, int64_t& width, int64_t& height) {
    if (!is_bmp_file(path)) return gdal_raster_size(path, width, height);
    const BitmapSize s = read_bitmap_size(path);
    if (s.status != kBitmapSizeOk) return false;
    width = std::llabs(s.width);  // a top-down file stores a negative height
    height = std::llabs(s.height);
    return true;
}

}  // namespace plotwell

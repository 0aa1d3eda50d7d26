#include "shapefile/vector_source.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "model/text.h"
#include "shapefile/coordinate_conversion.h"
#include "shapefile/gdal_source.h"

namespace plotwell {

namespace {

constexpr size_t kMaxPrjSize = 64 * 1024;

std::string read_prj(const std::string& base_path) {
    for (const char* ext : {".prj", ".PRJ"}) {
        std::ifstream in(base_path + ext, std::ios::binary);
        if (!in) continue;
        std::string text(kMaxPrjSize, '\0');
        in.read(text.data(), std::streamsize(text.size()));
        text.resize(size_t(in.gcount()));
        return text;
    }
    return "";
}

double load_double(std::span<const uint8_t> bytes, size_t at) {
    double v = 0;
    if (at + 8 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 8);
    return v;
}

Result open_shapefile_source(const std::string& path, VectorSource& source) {
    const std::string base = strip_file_extension(path);
    if (const Result opened = open_shapefile(source.shapefile, base); !opened.ok) return opened;
    source.system = system_from_wkt(read_prj(base));
    // The main file header's bounding box.
    const std::span<const uint8_t> shp = source.shapefile.main_file.bytes();
    if (shp.size() >= 100)
        source.extent = {true, load_double(shp, 36), load_double(shp, 44), load_double(shp, 52),
                         load_double(shp, 60)};
    return success();
}

}  // namespace

bool is_shapefile_path(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && equal_ignoring_case(path.substr(dot), ".shp");
}

bool needs_reprojection(const SourceSystem& system, const Project& project, Reprojection choice) {
    if (project.coord_sys != kCoordDegrees || system.kind == SystemKind::none) return false;
    if (choice == Reprojection::never) return false;
    if (choice == Reprojection::always) return true;
    return system.kind == SystemKind::projected;
}

std::vector<std::string> source_layer_names(const std::string& path) {
    std::vector<std::string> names;
    if (is_shapefile_path(path)) return names;
    std::string error;
    const std::shared_ptr<void> dataset = open_gdal_dataset(path, error);
    const int n = gdal_layer_count(dataset);
    for (int i = 0; n > 1 && i < n; ++i) names.push_back(gdal_layer_name(dataset, i));
    return names;
}

Result open_vector_source(const std::string& path, const Project& project, const VectorSourceOptions& options,
                          std::unique_ptr<VectorSource>& out) {
    auto source = std::make_unique<VectorSource>();
    source->path = path;
    const bool shapefile = is_shapefile_path(path);
    const std::string encoding = !options.encoding.empty() ? options.encoding
                                 : shapefile               ? shapefile_encoding(strip_file_extension(path))
                                                           : "UTF-8";
    if (const Result r = source->text.open(encoding); !r.ok) return r;
    if (shapefile) {
        if (const Result r = open_shapefile_source(path, *source); !r.ok) return r;
    } else {
        std::string error;
        source->gdal = open_gdal_dataset(path, error);
        if (!source->gdal) return failure(error);
        std::string layer = options.layer;
        const int layers = gdal_layer_count(source->gdal);
        if (layers <= 0) return failure(path + " holds no vector layers");
        if (layer.empty()) {
            if (layers > 1) {
                std::string list;
                for (int i = 0; i < layers; ++i) list += (i ? ", " : "") + gdal_layer_name(source->gdal, i);
                return failure(path + " has several layers (" + list + "); choose one");
            }
            layer = gdal_layer_name(source->gdal, 0);
        }
        if (const Result r = open_gdal_layer(source->gdal, layer, *source); !r.ok) return r;
    }
    if (const Result r =
            set_reprojection(*source, needs_reprojection(source->system, project, options.reproject));
        !r.ok)
        return r;
    out = std::move(source);
    return success();
}

Result set_reprojection(VectorSource& source, bool on) {
    source.reprojected = on && source.system.kind != SystemKind::none;
    source.transform.reset();
    if (source.reprojected) {
        std::string error;
        source.transform = transform_to_wgs84(source.system, error);
        if (!source.transform) return failure(error);
    }
    // The GDAL source looks the transform up per record; the shapefile source is given it.
    if (!source.gdal)
        source.records =
            std::make_unique<ShapefileRecordSource>(source.shapefile, &source.text, source.transform.get());
    return success();
}

Result degree_refusal(const VectorSource& source, const Project& project,
                      const ShapeImportSettings& settings) {
    if (project.coord_sys != kCoordDegrees || source.system.kind != SystemKind::none || !source.extent.known)
        return success();
    const auto scaled = [](double v, float add, int32_t factor) {
        return (double(add) + v) * double(factor);
    };
    const double x0 = scaled(source.extent.min_x, settings.add_x, settings.multiply_x);
    const double x1 = scaled(source.extent.max_x, settings.add_x, settings.multiply_x);
    const double y0 = scaled(source.extent.min_y, settings.add_y, settings.multiply_y);
    const double y1 = scaled(source.extent.max_y, settings.add_y, settings.multiply_y);
    const bool misses_x =
        std::min(x0, x1) > kDegreeLongitudeLimit || std::max(x0, x1) < -kDegreeLongitudeLimit;
    const bool misses_y = std::min(y0, y1) > kDegreeLatitudeLimit || std::max(y0, y1) < -kDegreeLatitudeLimit;
    if (!misses_x && !misses_y) return success();
    char line[256];
    std::snprintf(
        line, sizeof line,
        "The source has no coordinate system and its coordinates (%.10g %.10g to %.10g %.10g) cannot be "
        "decimal degrees; nothing was imported",
        source.extent.min_x, source.extent.min_y, source.extent.max_x, source.extent.max_y);
    return failure(line);
}

}  // namespace plotwell

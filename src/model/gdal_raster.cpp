#include "model/gdal_raster.h"

#include <cpl_conv.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <vector>

#include "model/bitmap_file.h"
#include "model/gdal_init.h"

namespace plotwell {

namespace {

struct CloseDataset {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};
using Dataset = std::unique_ptr<GDALDataset, CloseDataset>;

std::string last_gdal_error(const std::string& fallback) {
    const char* m = CPLGetLastErrorMsg();
    return m && *m ? std::string(m) : fallback;
}

Dataset open_raster(const std::string& path, std::string& error) {
    ensure_gdal();
    // A large picture read block by block needs no more cache than this, unless the user asked for more.
    static std::once_flag cache_once;
    std::call_once(cache_once, [] {
        if (!CPLGetConfigOption("GDAL_CACHEMAX", nullptr)) GDALSetCacheMax64(int64_t(64) << 20);
    });
    CPLErrorReset();
    Dataset ds(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY | GDAL_OF_VERBOSE_ERROR));
    if (!ds || ds->GetRasterCount() < 1 || ds->GetRasterXSize() < 1 || ds->GetRasterYSize() < 1) {
        error = "Cannot read " + path + " as a raster: " + last_gdal_error("format not recognised");
        return nullptr;
    }
    return ds;
}

// How a file's bands become colours: three bands or more as red, green and blue, one or two as grey or
// through the first band's colour table; samples wider than a byte stretched from the band's range.
struct BandLayout {
    int bands = 1;
    bool wide = false;
    std::array<double, 3> low{}, high{};
    std::array<uint32_t, 256> palette{};
};

BandLayout layout_of(GDALDataset& ds) {
    BandLayout l;
    l.bands = ds.GetRasterCount() >= 3 ? 3 : 1;
    for (int i = 0; i < 256; ++i) l.palette[size_t(i)] = 0xFF000000u | uint32_t(i) * 0x010101u;
    if (l.bands == 1)
        if (const GDALColorTable* table = ds.GetRasterBand(1)->GetColorTable())
            for (int i = 0; i < std::min(256, table->GetColorEntryCount()); ++i) {
                GDALColorEntry e;
                if (table->GetColorEntryAsRGB(i, &e))
                    l.palette[size_t(i)] = 0xFF000000u | uint32_t(uint8_t(e.c1)) << 16 |
                                           uint32_t(uint8_t(e.c2)) << 8 | uint8_t(e.c3);
            }
    for (int b = 0; b < l.bands; ++b) {
        GDALRasterBand* band = ds.GetRasterBand(b + 1);
        if (band->GetRasterDataType() == GDT_Byte) {
            l.high[size_t(b)] = 255;
            continue;
        }
        l.wide = true;
        double range[2] = {0, 255};
        band->ComputeRasterMinMax(TRUE, range);  // approximate: from an overview or a sample
        l.low[size_t(b)] = range[0];
        l.high[size_t(b)] = range[1] > range[0] ? range[1] : range[0] + 1;
    }
    return l;
}

// Reads `window` scaled to out_w x out_h as opaque 0xAARRGGBB.
std::shared_ptr<Image> read_window(GDALDataset& ds, const BandLayout& l, PixelWindow w, int out_w,
                                   int out_h) {
    if (out_w < 1 || out_h < 1 || int64_t(out_w) * out_h > kMaxBitmapPixels) return nullptr;
    const size_t n = size_t(out_w) * size_t(out_h) * size_t(l.bands);
    int band_map[3] = {1, 2, 3};
    std::vector<uint8_t> bytes(l.wide ? 0 : n);
    std::vector<float> samples(l.wide ? n : 0);
    void* buffer = l.wide ? static_cast<void*>(samples.data()) : bytes.data();
    const GDALDataType type = l.wide ? GDT_Float32 : GDT_Byte;
    const int size = l.wide ? 4 : 1;
    GDALRasterIOExtraArg extra;
    INIT_RASTERIO_EXTRA_ARG(extra);
    CPLErrorReset();
    if (ds.RasterIO(GF_Read, w.x0, w.y0, w.x1 - w.x0, w.y1 - w.y0, buffer, out_w, out_h, type, l.bands,
                    band_map, GSpacing(size) * l.bands, GSpacing(out_w) * l.bands * size, size,
                    &extra) != CE_None)
        return nullptr;
    if (l.wide) {
        bytes.resize(n);
        for (size_t i = 0; i < n; ++i) {
            const size_t b = i % size_t(l.bands);
            const double v = (samples[i] - l.low[b]) * 255.0 / (l.high[b] - l.low[b]);
            bytes[i] = uint8_t(std::clamp(std::isfinite(v) ? v : 0.0, 0.0, 255.0));
        }
    }
    auto image = std::make_shared<Image>();
    image->width = out_w;
    image->height = out_h;
    image->pixels.resize(size_t(out_w) * size_t(out_h));
    for (size_t i = 0; i < image->pixels.size(); ++i) {
        const uint8_t* p = &bytes[i * size_t(l.bands)];
        image->pixels[i] =
            l.bands == 3 ? 0xFF000000u | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2] : l.palette[p[0]];
    }
    return image;
}

// Nearest samples of `window` (in the full picture's pixels) from the reduced copy.
std::shared_ptr<const Image> resample(const Image& reduced, int full_w, int full_h, PixelWindow w, int out_w,
                                      int out_h) {
    auto image = std::make_shared<Image>();
    image->width = out_w;
    image->height = out_h;
    image->pixels.resize(size_t(out_w) * size_t(out_h));
    const double fx = double(reduced.width) / full_w, fy = double(reduced.height) / full_h;
    std::vector<int> columns(static_cast<size_t>(out_w));
    for (int i = 0; i < out_w; ++i)
        columns[size_t(i)] =
            std::min(reduced.width - 1, int((w.x0 + (i + 0.5) * (w.x1 - w.x0) / out_w) * fx));
    for (int j = 0; j < out_h; ++j) {
        const int row = std::min(reduced.height - 1, int((w.y0 + (j + 0.5) * (w.y1 - w.y0) / out_h) * fy));
        uint32_t* out = &image->pixels[size_t(j) * size_t(out_w)];
        for (int i = 0; i < out_w; ++i) out[i] = reduced.pixel(columns[size_t(i)], row);
    }
    return image;
}

// A picture too large to hold. A view that needs no more detail than the reduced copy has is sampled
// from it; a closer one reads its window from the file, GDAL taking the file's overviews when it has
// them. The last results are kept, so that a repaint of the same view costs a plain copy to the screen.
class GdalImageSource final : public ImageSource {
  public:
    GdalImageSource(Dataset ds, const BandLayout& layout, std::weak_ptr<const Image> reduced)
        : ds_(std::move(ds)), layout_(layout), reduced_(std::move(reduced)) {}
    int width() const override { return ds_->GetRasterXSize(); }
    int height() const override { return ds_->GetRasterYSize(); }
    std::shared_ptr<const Image> read(PixelWindow w, int out_w, int out_h) const override {
        w.x0 = std::clamp(w.x0, 0, width());
        w.x1 = std::clamp(w.x1, w.x0, width());
        w.y0 = std::clamp(w.y0, 0, height());
        w.y1 = std::clamp(w.y1, w.y0, height());
        if (w.x1 == w.x0 || w.y1 == w.y0) return nullptr;
        out_w = std::clamp(out_w, 1, w.x1 - w.x0);
        out_h = std::clamp(out_h, 1, w.y1 - w.y0);
        const std::lock_guard lock(mutex_);
        for (const Cached& c : cache_)
            if (c.image && c.window == w && c.image->width == out_w && c.image->height == out_h)
                return c.image;
        std::shared_ptr<const Image> image;
        const std::shared_ptr<const Image> reduced = reduced_.lock();
        if (reduced && double(out_w) / (w.x1 - w.x0) <= double(reduced->width) / width() &&
            double(out_h) / (w.y1 - w.y0) <= double(reduced->height) / height())
            image = resample(*reduced, width(), height(), w, out_w, out_h);
        else
            image = read_window(*ds_, layout_, w, out_w, out_h);
        if (image) {
            cache_[1] = std::move(cache_[0]);
            cache_[0] = {w, image};
        }
        return image;
    }

  private:
    struct Cached {
        PixelWindow window;
        std::shared_ptr<const Image> image;
    };
    Dataset ds_;
    BandLayout layout_;
    std::weak_ptr<const Image> reduced_;  // the Image that owns this source
    mutable std::mutex mutex_;
    mutable std::array<Cached, 2> cache_;
};

// `value` in degrees of longitude (x) or latitude (y).
bool within_degrees(double x, double y) {
    return std::isfinite(x) && std::isfinite(y) && std::fabs(x) <= 180 && std::fabs(y) <= 90;
}

}  // namespace

std::shared_ptr<const Image> load_gdal_raster(const std::string& path, std::string& error) {
    Dataset ds = open_raster(path, error);
    if (!ds) return nullptr;
    const int w = ds->GetRasterXSize(), h = ds->GetRasterYSize();
    const PixelWindow all{0, 0, w, h};
    const BandLayout layout = layout_of(*ds);
    if (int64_t(w) * h <= kWholeRasterPixels) {
        std::shared_ptr<const Image> image = read_window(*ds, layout, all, w, h);
        if (!image) error = "Cannot read the pixels of " + path + ": " + last_gdal_error("read error");
        return image;
    }
    const double scale = double(kReducedRasterSide) / std::max(w, h);
    const int rw = std::max(1, int(std::lround(w * scale))), rh = std::max(1, int(std::lround(h * scale)));
    std::shared_ptr<Image> reduced = read_window(*ds, layout, all, rw, rh);
    if (!reduced) {
        error = "Cannot read the pixels of " + path + ": " + last_gdal_error("read error");
        return nullptr;
    }
    reduced->source = std::make_shared<GdalImageSource>(std::move(ds), layout, reduced);
    return reduced;
}

bool gdal_raster_size(const std::string& path, int64_t& width, int64_t& height) {
    std::string error;
    const Dataset ds = open_raster(path, error);
    if (!ds) return false;
    width = ds->GetRasterXSize();
    height = ds->GetRasterYSize();
    return true;
}

Result raster_wgs84_box(const std::string& path, GeoBox& box) {
    std::string error;
    const Dataset ds = open_raster(path, error);
    if (!ds) return failure(error);
    double gt[6];
    if (ds->GetGeoTransform(gt) != CE_None)
        return failure("it has no georeference (neither in the file nor in a world file beside it)");
    const double w = ds->GetRasterXSize(), h = ds->GetRasterYSize();
    double x[4], y[4];
    const double px[4] = {0, w, 0, w}, py[4] = {0, 0, h, h};
    for (int i = 0; i < 4; ++i) {
        x[i] = gt[0] + px[i] * gt[1] + py[i] * gt[2];
        y[i] = gt[3] + px[i] * gt[4] + py[i] * gt[5];
    }
    const OGRSpatialReference* srs = ds->GetSpatialRef();
    if (!srs || srs->IsEmpty()) {
        for (int i = 0; i < 4; ++i)
            if (!within_degrees(x[i], y[i]))
                return failure("it has no coordinate system and its coordinates are not degrees");
    } else {
        OGRSpatialReference from(*srs), to;
        if (to.importFromEPSG(4326) != OGRERR_NONE) return failure("WGS 84 is unknown to PROJ");
        // Longitude first, as the project stores x.
        from.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        to.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        CPLErrorReset();
        const std::unique_ptr<OGRCoordinateTransformation, void (*)(OGRCoordinateTransformation*)> t(
            OGRCreateCoordinateTransformation(&from, &to), OGRCoordinateTransformation::DestroyCT);
        const char* name = srs->GetName();
        if (!t)
            return failure(std::string("no transformation from ") + (name ? name : "its coordinate system") +
                           " to WGS 84: " + last_gdal_error("PROJ has none"));
        int ok[4] = {};
        if (!t->Transform(4, x, y, nullptr, ok) || !ok[0] || !ok[1] || !ok[2] || !ok[3])
            return failure("its corners cannot be transformed to WGS 84");
        for (int i = 0; i < 4; ++i)
            if (!within_degrees(x[i], y[i]))
                return failure("its corners lie outside -180..180, -90..90 degrees");
    }
    box = {*std::min_element(x, x + 4), *std::min_element(y, y + 4), *std::max_element(x, x + 4),
           *std::max_element(y, y + 4)};
    return success();
}

}  // namespace plotwell

// Raster files the tests make through GDAL: a GeoTIFF in a given coordinate system.
#pragma once

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <string>
#include <vector>

namespace plotwell::test {

// A grey GeoTIFF of w x h pixels, tiled and compressed, with the geotransform `gt` and, when `epsg`
// is not 0, that coordinate system.
inline bool write_geotiff(const std::string& path, int w, int h, const double (&gt)[6], int epsg) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    const char* const options[] = {"TILED=YES", "COMPRESS=DEFLATE", nullptr};
    GDALDataset* ds =
        driver ? driver->Create(path.c_str(), w, h, 1, GDT_Byte, const_cast<char**>(options)) : nullptr;
    if (!ds) return false;
    double transform[6] = {gt[0], gt[1], gt[2], gt[3], gt[4], gt[5]};
    ds->SetGeoTransform(transform);
    if (epsg) {
        OGRSpatialReference srs;
        srs.importFromEPSG(epsg);
        ds->SetSpatialRef(&srs);
    }
    std::vector<uint8_t> row(size_t(w), 128);
    bool ok = true;
    for (int y = 0; y < h && ok; ++y)
        ok =
            ds->GetRasterBand(1)->RasterIO(GF_Write, 0, y, w, 1, row.data(), w, 1, GDT_Byte, 0, 0) == CE_None;
    GDALClose(ds);
    return ok;
}

}  // namespace plotwell::test

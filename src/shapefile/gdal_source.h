// The GDAL side of vector sources: opening datasets, describing coordinate systems, moving points with
// PROJ and reading a layer's features as import records. Only this file's implementation sees GDAL.
#pragma once

#include <memory>
#include <string>

#include "model/result.h"
#include "shapefile/record_source.h"
#include "shapefile/vector_source.h"

namespace plotwell {

// The dataset at PATH opened read-only as a vector source, or null with GDAL's reason in `error`.
std::shared_ptr<void> open_gdal_dataset(const std::string& path, std::string& error);
int gdal_layer_count(const std::shared_ptr<void>& dataset);
std::string gdal_layer_name(const std::shared_ptr<void>& dataset, int index);

// The system a shapefile's .prj text describes (kind none for text GDAL cannot read).
SourceSystem system_from_wkt(const std::string& wkt);

// A transform from `system` into WGS 84 longitude/latitude, longitude first; null when PROJ has none.
std::unique_ptr<PointTransform> transform_to_wgs84(const SourceSystem& system, std::string& error);

// Reads the named layer of an open dataset into `source`: its layout (shape type and fields),
// system, extent and the record source over its features. `source.text` converts the texts.
Result open_gdal_layer(const std::shared_ptr<void>& dataset, const std::string& layer_name,
                       VectorSource& source);

}  // namespace plotwell

// Any vector source opened for import: a shapefile through its own reader, everything else through
// GDAL. Settles the text encoding and whether points are moved into WGS 84 degrees before the engine
// reads a single record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/records.h"
#include "model/result.h"
#include "shapefile/import_settings.h"
#include "shapefile/record_source.h"
#include "shapefile/text_encoding.h"

namespace plotwell {

enum class SystemKind { none, geographic, projected };

// A source's coordinate reference system.
struct SourceSystem {
    SystemKind kind = SystemKind::none;
    bool wgs84 = false;  // geographic WGS 84: already what a degree project holds
    std::string name;    // "ETRS89 / UTM zone 33N (EPSG:25833)"; "" without one
    std::string wkt;
};

struct SourceExtent {
    bool known = false;
    double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
};

// One layer of a source as `plotwell-tool sources` lists it.
struct SourceLayerInfo {
    std::string name;
    std::string geometry;             // "Point", "Multi Line String", ...
    int64_t feature_count = -1;       // -1 when the source cannot tell without reading it all
    std::vector<std::string> fields;  // "NAME: String(20)"
    SourceSystem system;
};

// Fails with GDAL's reason when the source cannot be opened or is no vector source.
Result list_source_layers(const std::string& path, std::vector<SourceLayerInfo>& layers);

bool is_shapefile_path(const std::string& path);

enum class Reprojection { as_needed, always, never };

struct VectorSourceOptions {
    std::string layer;  // "" for a source of one layer
    Reprojection reproject = Reprojection::as_needed;
    std::string encoding;  // "" for the source's own (a shapefile's .cpg, UTF-8 elsewhere)
};

// What the import engine reads, and what the dialog and the command line show of it.
struct VectorSource {
    std::string path;
    std::string layer_name;
    ShapefileReader shapefile;  // the own reader's files, or the layout a GDAL layer is read into
    TextConverter text;
    SourceSystem system;
    SourceExtent extent;  // in the source's own coordinates
    bool reprojected = false;
    std::unique_ptr<PointTransform> transform;
    std::unique_ptr<RecordSource> records;
    std::shared_ptr<void> gdal;  // the open dataset, for GDAL sources

    VectorSource() = default;
    VectorSource(const VectorSource&) = delete;
    VectorSource& operator=(const VectorSource&) = delete;
};

// Whether points are moved into WGS 84 longitude/latitude: only into a degree project; a projected
// source as needed, a geographic one on another datum only when asked.
bool needs_reprojection(const SourceSystem& system, const Project& project, Reprojection choice);

// Opens PATH for import into `project`. A source of several layers without `options.layer`, a layer
// name it does not hold, an encoding this system lacks and a system PROJ cannot move into WGS 84 are
// refused, saying so.
Result open_vector_source(const std::string& path, const Project& project, const VectorSourceOptions& options,
                          std::unique_ptr<VectorSource>& out);

// Switches the move into WGS 84 on or off after opening (the import dialog's box); fails when PROJ has
// no transformation for the source's system.
Result set_reprojection(VectorSource& source, bool on);

// The layer names of a source of several layers, for the caller to choose from (empty for one layer or
// a shapefile).
std::vector<std::string> source_layer_names(const std::string& path);

// A source without a coordinate system whose extent, after the factors, lies wholly beyond ±180 / ±90
// cannot hold degrees: refused before anything is read instead of dropping every object.
Result degree_refusal(const VectorSource& source, const Project& project,
                      const ShapeImportSettings& settings);

}  // namespace plotwell

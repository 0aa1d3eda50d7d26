// File > Import > "from other &vector source...": any source GDAL reads (GeoPackage, GeoJSON, GPX, KML,
// OpenStreetMap, CSV, shapefiles) through the same import dialog and engine as a shapefile, with a layer
// chooser for sources of several layers and points moved into WGS 84 degrees where the project needs.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

// As import_shapefile_file_command: Cancelled when nothing was imported before the engine ran (each
// refusal with a message), Failed when it added nothing, Ok once objects were added.
Outcome import_vector_source_command(EditorContext& ctx);

}  // namespace plotwell

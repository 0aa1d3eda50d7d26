// A georeferenced raster added to a decimal-degree project goes where it belongs.
#pragma once

#include <string>

#include "model/records.h"
#include "model/result.h"

namespace plotwell {

// Sets the entry's position and size to the box of the picture's corners in WGS 84, in millionths of a
// degree, its lower-left corner stored. BMP files are placed by hand, as they always were. On failure
// the entry is unchanged and the message says why.
Result place_by_georeference(const std::string& path, BackgroundBitmap& entry);

// Appends the picture at `path` to the project's bitmap table under `file_name`, as the tool does:
// placed by its georeference in a decimal-degree project, otherwise at the range's minimum corner (0,0
// without one), one map unit per pixel, with `note` saying why it was not placed. Fails with the project
// unchanged when the table is full or the picture cannot be read.
Result add_raster_bitmap(Project& project, const std::string& file_name, const std::string& path,
                         std::string& note);

// What the user is told when a raster is placed by hand instead.
std::string unplaced_message(const std::string& file_name, const std::string& reason);

}  // namespace plotwell

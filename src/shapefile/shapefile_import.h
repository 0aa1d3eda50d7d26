// The import engine: the records of one shapefile become objects of one layer of the project.
#pragma once

#include <atomic>
#include <string>

#include "model/geometry.h"
#include "model/records.h"
#include "platform/progress_sink.h"
#include "shapefile/import_settings.h"
#include "shapefile/shapefile_reader.h"

namespace plotwell {

inline constexpr int kMaxPartPoints = 6143;
inline constexpr int kMinPolygonPartPoints = 4;  // closing point included
inline constexpr int kNameCapacity = kMaxRecordName + 1;
inline constexpr int kLinkKeyCapacity = 1024;
inline constexpr int kProgressEvery = 16;

struct ShapeImportResult {
    bool started = false;  // false: refused, `error` says why, the project is untouched
    std::string error;
    bool stopped = false;  // the keep-running flag was cleared during the run
    int records_read = 0;
    int objects_added = 0;
};

// Runs the whole import on the calling thread, reporting through `sink`. `running` is read once per
// record; when it is cleared the current record is finished, no further record is read, the lines
// collected for linking are still linked and added, and the success line is not logged. Afterwards the
// project is marked modified and, unless stopped, the "OK" button is shown. Refuses to start (see
// `import_refusal`) without touching the project.
ShapeImportResult run_shapefile_import(Project& project, ShapefileReader& reader,
                                       const ShapeImportSettings& settings, ProgressSink& sink,
                                       const std::atomic<bool>& running);

// One part of the current PolyLine/Polygon record as a new, unlinked LINE/POLYGON object with its
// points (dimension, type and name left for the caller), or null: a part of fewer than 4 points in a
// polygon record or file,
// a part of more than 6143 points (logged), coordinates that do not fit in 32 bits (logged), or in a
// decimal-degree project a point beyond 180 degrees longitude or 90 degrees latitude. Parts whose
// indices do not lie inside the record, and parts without points, give null.
MapObject* convert_part(const PolyShape& shape, int32_t part, const ShapeImportSettings& settings,
                        const Project& project, const std::string& name, ProgressSink& sink);

// Grows the range to take in the box (a range of negative width or height becomes the box).
void extend_range(CoordRange& range, Point min, Point max);
// The range step: false when the filter is on and the object lies outside the range; with the filter
// off the range grows and the object always stays.
bool apply_range_step(CoordRange& range, bool filter, bool is_point, Point min, Point max);

}  // namespace plotwell

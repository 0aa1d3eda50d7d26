// The import engine: the records of one shapefile become objects of one layer of the project.
#pragma once

#include <atomic>
#include <string>

#include "model/geometry.h"
#include "model/records.h"
#include "platform/progress_sink.h"
#include "shapefile/import_settings.h"
#include "shapefile/record_source.h"
#include "shapefile/shapefile_reader.h"

namespace plotwell {

inline constexpr int kMaxPartPoints = 6143;
inline constexpr int kMinPolygonPartPoints = 4;  // closing point included
inline constexpr int kNameCapacity = kMaxRecordName + 1;
inline constexpr int kLinkKeyCapacity = 1024;
inline constexpr int kProgressEvery = 16;

// Why records gave no object: each such record counts once, under the first reason met in it.
enum class SkipCause { out_of_range, too_many_points, not_closed, unreadable, filtered, untranslated };

struct SkippedRecords {
    int out_of_range = 0;     // coordinates that do not fit 32 bits or the degree limits
    int too_many_points = 0;  // parts of more than 6143 points
    int not_closed = 0;       // polygon rings that do not end where they start
    int unreadable = 0;       // null shapes, short or damaged content, rings of fewer than 4 points
    int filtered = 0;         // outside the range while the range filter is on
    int untranslated = 0;     // no type: untranslated with the filter on, or not a point type
};

struct ShapeImportResult {
    bool started = false;  // false: refused, `error` says why, the project is untouched
    std::string error;
    bool stopped = false;  // the keep-running flag was cleared during the run
    int records_read = 0;
    int objects_added = 0;
    int records_skipped = 0;  // records that gave no object
    std::string read_error;   // the source failed while its records were read
    SkippedRecords skipped;
};

// Runs the whole import on the calling thread, reporting through `sink`. `running` is read once per
// record; when it is cleared the current record is finished, no further record is read, the lines
// collected for linking are still linked and added, and neither the closing lines nor the "OK" button
// come. Otherwise the log closes with a count line when a record gave no object, and with the success
// line, or an error when nothing at all was added. A run that added nothing leaves the project as it
// was (range included) and unmarked; any other run marks it modified. Refuses to start (see
// `import_refusal`) without touching the project.
ShapeImportResult run_shapefile_import(Project& project, ShapefileReader& reader,
                                       const ShapeImportSettings& settings, ProgressSink& sink,
                                       const std::atomic<bool>& running);
// The same engine over records from any source.
ShapeImportResult run_record_import(Project& project, RecordSource& source,
                                    const ShapeImportSettings& settings, ProgressSink& sink,
                                    const std::atomic<bool>& running);

// One part of the current PolyLine/Polygon record as a new, unlinked LINE/POLYGON object with its
// points (dimension, type and name left for the caller), or null: a part of fewer than 4 points in a
// polygon record or file,
// a part of more than 6143 points (logged), coordinates that do not fit in 32 bits (logged), or in a
// decimal-degree project a point beyond 180 degrees longitude or 90 degrees latitude. Parts whose
// indices do not lie inside the record, and parts without points, give null. `why` (when given) is set
// to the reason for a null.
MapObject* convert_part(const PolyShape& shape, int32_t part, const ShapeImportSettings& settings,
                        const Project& project, const std::string& name, ProgressSink& sink,
                        SkipCause* why = nullptr);

// Grows the range to take in the box (a range of negative width or height becomes the box).
void extend_range(CoordRange& range, Point min, Point max);
// The range step: false when the filter is on and the object lies outside the range; with the filter
// off the range grows and the object always stays.
bool apply_range_step(CoordRange& range, bool filter, bool is_point, Point min, Point max);

}  // namespace plotwell

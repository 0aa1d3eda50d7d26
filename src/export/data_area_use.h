// How full the data area is: the line every export logs, the layers that take the most when the map
// does not fit, and the same figures for any map class without writing a file (the export dialog's
// "Size..." and the tool's dry run).
#pragma once

#include <string>
#include <vector>

#include "export/export_settings.h"
#include "export/export_state.h"
#include "model/records.h"
#include "platform/progress_sink.h"

namespace plotwell {

// Room enough to tell how much a map that is too big would need.
inline constexpr int32_t kMeasureAreaSize = 8 * kDataAreaSize;
inline constexpr int kLargestLayersShown = 3;

struct LayerUse {
    std::string name;  // a project layer's name, or "(region tree)"
    int32_t bytes = 0;
};

struct DataAreaUse {
    int16_t map_class = kMapClassLarge;
    int32_t used = 0;               // bytes the data needs (a lower bound beyond kMeasureAreaSize)
    int32_t capacity = 0;           // of the class
    double tolerance = 0;           // the simplification applied (found when fitting)
    bool fitted = false;            // the settings asked to fit the class
    std::vector<LayerUse> largest;  // when it does not fit: the layers that take the most, largest first
    std::string problem;            // not measured: why
    bool fits() const { return problem.empty() && used < capacity; }
};

// An amount of output units with two decimals and a point whatever the locale.
std::string output_units_text(double amount);

// "Data area: %d of %d bytes (%d%%)\r\n"
std::string data_area_line(int64_t used, int64_t capacity);

// After a build that fit: the line for what it used.
void log_data_area(const ExportState& state, ProgressSink& sink);
// After a build that ran out of room: builds once more in a bigger area to tell what the map needs, and
// logs that line and the layers that take the most.
void log_data_area_shortage(const ExportState& state, const Project& project, const ExportSettings& settings,
                            ProgressSink& sink);

// What an export of the project in `map_class` would use, with the settings' fit options.
DataAreaUse measure_data_area(const Project& project, const ExportSettings& settings, int16_t map_class,
                              const Rect& selection);
// One class's figures as lines: "Large: Data area: ...", then the simplification and the largest layers.
std::string format_data_area_use(const DataAreaUse& use);

}  // namespace plotwell

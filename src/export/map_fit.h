// The export's ways to make a big map fit the data area: leaving out tiny polygons, simplifying lines
// and polygons, splitting lines and reducing polygons over the vertex limit, and finding the least
// simplification that fits the map class. They work on the scaled working copies, in output units.
#pragma once

#include "export/export_settings.h"
#include "export/export_state.h"
#include "platform/progress_sink.h"

namespace plotwell {

// A polygon (and with the option a line) of this many points is too long for the handheld.
inline constexpr size_t kOutlinePointLimit = 200;
// Where the search for a fitting simplification gives up.
inline constexpr double kMaxFitTolerance = 4096;

// Applies the options to the working copies with this tolerance (0: no simplification), logging what it
// left out. The layer tables must exist.
void apply_fit_options(ExportState& state, const FitOptions& options, double tolerance, ProgressSink& sink);

// The least tolerance from `options.simplify` up with which the build fits the state's map class,
// found by bisection; kFitNotFound when even kMaxFitTolerance does not fit, kFitBuildFailed when the
// build fails for another reason.
inline constexpr double kFitNotFound = -1;
inline constexpr double kFitBuildFailed = -2;
double find_fit_tolerance(const ExportState& state, const ExportSettings& settings);

// After scaling: the chosen options, with the tolerance that fits when the settings ask for it (logged).
// Returns the tolerance applied.
double make_map_fit(ExportState& state, const ExportSettings& settings, ProgressSink& sink);

}  // namespace plotwell

// From project coordinates to the handheld's 16-bit output coordinates, and the scaled working copies
// of every exported object.
#pragma once

#include <cstdint>

#include "export/export_settings.h"
#include "export/export_state.h"
#include "model/records.h"
#include "platform/progress_sink.h"

namespace plotwell {

// Degrees to radians as the export has always computed it (not pi / 180).
inline constexpr double kExportDegreesToRadians = 0.017453292516666667;
inline constexpr double kExportOutputUnits = 12000.0;

// Truncates toward zero and keeps the low 16 bits; values no integer can hold (a latitude beyond the
// poles makes the scale infinite) give 0 instead of undefined behaviour.
uint16_t trunc_to_u16(double value);

// Fixes scale x and y, the flip and the output range for the bounds already in the state. The bounds
// must have a positive width and height.
void compute_export_scale(ExportState& state, uint8_t coord_sys);

ScaledPoint scale_point(const ExportState& state, int32_t x, int32_t y);

// Fills the object, point and region working copies from the visible layers of the project.
void scale_objects(ExportState& state, const Project& project, const ExportSettings& settings,
                   ProgressSink& sink);

}  // namespace plotwell

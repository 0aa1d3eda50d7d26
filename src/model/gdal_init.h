// GDAL is set up once per process, by whichever reader needs it first.
#pragma once

namespace plotwell {

// Registers GDAL's drivers and keeps its messages out of the output: GDAL reports through its
// last-error state only, so that the tool's output and the editor's log stay ours.
void ensure_gdal();

}  // namespace plotwell

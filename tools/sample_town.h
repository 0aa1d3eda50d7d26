// The sample map: a small invented town, Millbrook, built in code so it can be made again at any time.
#pragma once

#include "model/records.h"

namespace plotwell::tool {

// Fills an empty project with the town: roads that chain from segment to segment, a river, a lake,
// parks, a railway, buildings and points of interest, in decimal degrees.
void build_sample_town(Project& project);

}  // namespace plotwell::tool

// The region tree: the root "world" holds a cell table of the region polygons of the region level.
#pragma once

#include "export/definitions.h"
#include "export/export_state.h"
#include "platform/progress_sink.h"

namespace plotwell {

// Stores the node's children into a cell table of its own, then the node itself into `parent`. A node
// that cannot be stored is left out and the build goes on (its error text stays set).
void build_region_tree(ExportState& state, CellTable& parent, const RegionNode& node, ProgressSink& sink);

}  // namespace plotwell

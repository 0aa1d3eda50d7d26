// The layer translation of a project import: for each layer of the source file, the layer of the open
// project that receives its objects, or none.
#pragma once

#include <string>
#include <vector>

#include "model/records.h"

namespace plotwell {

inline constexpr int kMaxMappedLayers = 16;
inline constexpr int kNoLayer = -1;

struct LayerMapping {
    int destination[kMaxMappedLayers];  // per source layer: destination layer index, or kNoLayer
    int edited_line = -1;               // the list line being edited, -1 for none

    LayerMapping() { clear(); }
    void clear() {
        for (int& d : destination) d = kNoLayer;
        edited_line = -1;
    }
};

// The destination choices: "None", then one "%d: %s [%s]" line per layer of the project.
std::vector<std::string> destination_names(const Project& project);

// Maps every source layer: an ERASE_BKG layer to layer 0, any other to the first layer of the project
// with the same theme, or to layer 0 when none has it. A project without layers has no layer 0, so
// everything maps to none then.
void match_themes(const Layer* source_layers, int source_count, const Project& project,
                  LayerMapping& mapping);

// Every source layer maps to none.
void deselect_all(LayerMapping& mapping);

// The translation list line of source layer i: "%d: %s [%s]" padded with blanks to 28 characters, then
// the destination's entry of `names` ("None" for none; "?" for a destination the list does not have).
std::string translation_line(int index, const Layer& source_layer, int destination,
                             const std::vector<std::string>& names);

}  // namespace plotwell

// How a layer is shown in lists: the Layers dialog pads the name into a column, every other list
// (status bar, layer choices, translation lists) numbers the layer.
#pragma once

#include <string>

#include "model/records.h"

namespace plotwell {

// "%-24s [%s]": the name padded to 24 characters, then the theme name in brackets.
std::string format_layer_line(const Layer& layer);

// "%d: %s [%s]": the layer's index from 0, its name and its theme name.
std::string layer_list_line(int index, const Layer& layer);

}  // namespace plotwell

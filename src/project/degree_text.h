// Edge values of the geographic reference as the user reads and types them: millionths of a degree
// shown as "E 151 29'58\"" and read back either in that form or as decimal degrees.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plotwell {

enum class EdgeAxis { Longitude, Latitude };

// Letter (E/W or N/S, W and S for negative values), degrees, minutes and seconds. Seconds count in
// steps of 278 millionths of a degree, so formatting drops what is below one step.
std::string format_degrees(int32_t value, EdgeAxis axis);

// Either form; leading spaces are skipped and an empty field is 0. None when the text does not parse
// or the value does not fit into 32 bits.
std::optional<int32_t> parse_edge_field(std::string_view text);

}  // namespace plotwell

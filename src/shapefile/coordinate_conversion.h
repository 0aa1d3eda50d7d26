// File coordinates (doubles) to map units (int32): offset, then integer factor, truncated toward zero.
#pragma once

#include <cstdint>

namespace plotwell {

inline constexpr int32_t kDegreeLongitudeLimit = 180000000;
inline constexpr int32_t kDegreeLatitudeLimit = 90000000;

// out = trunc((add + value) * factor), in double precision with the float offset widened. False (out
// untouched) when the result is not a number or does not fit in 32 bits: such a coordinate cannot be
// stored and must not be converted by an undefined cast.
[[nodiscard]] bool convert_coordinate(double value, float add, int32_t factor, int32_t& out);

}  // namespace plotwell

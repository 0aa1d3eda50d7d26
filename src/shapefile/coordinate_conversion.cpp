#include "shapefile/coordinate_conversion.h"

#include <cmath>

namespace plotwell {

bool convert_coordinate(double value, float add, int32_t factor, int32_t& out) {
    const double t = std::trunc((double(add) + value) * double(factor));
    if (!(t >= -2147483648.0 && t <= 2147483647.0)) return false;  // also NaN
    out = int32_t(t);
    return true;
}

}  // namespace plotwell

#include "geometry/Rounding.h"

#include <cmath>
#include <limits>

namespace Zelkor::Rectilinear::Math {

Coordinate round(double d) {
    if (std::isnan(d)) return 0;
    double floorValue = std::floor(d);
    if (d - floorValue >= 0.5) floorValue += 1.0;
    if (floorValue >= static_cast<double>(std::numeric_limits<Coordinate>::max())) {
        return std::numeric_limits<Coordinate>::max();
    }
    if (floorValue <= static_cast<double>(std::numeric_limits<Coordinate>::min())) {
        return std::numeric_limits<Coordinate>::min();
    }
    return static_cast<Coordinate>(floorValue);
}

}  // namespace Zelkor::Rectilinear::Math

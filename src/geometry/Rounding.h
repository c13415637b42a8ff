#pragma once

#include "geometry/Point.h"

namespace Zelkor::Rectilinear::Math {

// Rounds to the nearest lattice value, halves toward positive infinity
// (2.5 -> 3, -2.5 -> -2). Values beyond the 32-bit range saturate; NaN gives 0.
Coordinate round(double d);

}  // namespace Zelkor::Rectilinear::Math

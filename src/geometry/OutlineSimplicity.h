#pragma once

#include <vector>

#include "geometry/Point.h"

namespace Zelkor::Rectilinear::Math {

// Whether the closed outline through these corners meets itself nowhere:
// every edge upright or level and of some length, each turning from the one
// before, and no two edges sharing a point other than the corner between
// neighbours. Compares every pair of edges, so it is meant for short outlines.
bool meetsItselfNowhere(const std::vector<Point>& corners);

}  // namespace Zelkor::Rectilinear::Math

#pragma once

#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear::Reference {

// The union of all members step by step: every member's edges are cut by the
// edges of all members, and every piece is tested against every other member
// with a linear search for its shared counterpart. Kept to check the
// library's version against and as a benchmark baseline.
PolygonSet booleanAddAndSimplifyAll(const PolygonSet& polygonSet, PolygonSet* interiorHolesRemoved);

}  // namespace Zelkor::Rectilinear::Reference

#pragma once

#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear::Reference {

// The outfall step by step: the parts and the lengthened strips of all cut
// lines are united, and the members of the union are taken from the host one
// after the other, each from every piece left so far, so a host with a hole
// per part is traced again for every part. Kept to check the library's
// version against, piece for piece, and as a benchmark baseline.
HoledPolygonSet getOutfallFrom(const Polygon& hostPolygon, const PolygonSet& polygonSet, int bladeWidth);

}  // namespace Zelkor::Rectilinear::Reference

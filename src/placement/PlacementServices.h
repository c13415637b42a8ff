#pragma once

#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear::Math {

// Every translation, in grid order (x ascending, then y), that drops
// `polygon` from its given position into `hostPolygon` at least
// `minimumShapePadding` away from each of `otherPolygons` (an odd padding
// counts as the even number below it). Shapes may touch the host's boundary.
std::vector<Point> getAllPossibleTranslationsForShapeWithinHost(Polygon polygon, Polygon hostPolygon,
                                                                PolygonSet otherPolygons, int minimumShapePadding);

// A new place for `polygon` inside the host among the other shapes: the lowest
// rotation from `firstRotationMultiplier` (quarter turns, clockwise when
// `rotateClockwise`) that admits any place, and in it the place whose centroid
// is nearest the original one, or simply the first feasible place when
// `returnFirstFoundPosition`. `allowOriginalPosition` false refuses the shape's
// own outline. An empty polygon when there is no place.
Polygon rotateAndPositionWithinHost(bool returnFirstFoundPosition, bool allowOriginalPosition, bool rotateClockwise,
                                    int firstRotationMultiplier, Polygon polygon, Polygon hostPolygon,
                                    PolygonSet otherPolygons, int minimumShapePadding);

// One answer per host, in order: the host can grow by `expansionFactor` as
// one simple polygon and can hold the set.
std::vector<bool> bulkCanContain(const PolygonSet& polygonSet, const std::vector<Polygon>& potentialHosts,
                                 int expansionFactor);

}  // namespace Zelkor::Rectilinear::Math

#pragma once

#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear::Reference {

// The validated offsets without the check that every surviving piece of the
// raw offset really bounds the offset shape: all simple cycles of the
// surviving edges are taken. Wrong where a narrow part vanishes or a notch
// closes (extra pieces outside the shape or over the real ones), identical to
// the library's version everywhere else. Kept to show that the check changes
// nothing where this procedure is right, and to measure what it costs.
PolygonSet polygonContracted(const Polygon& polygon, int numberOfUnits);
HoledPolygonSet holedPolygonContracted(const HoledPolygon& holedPolygon, int numberOfUnits);

}  // namespace Zelkor::Rectilinear::Reference

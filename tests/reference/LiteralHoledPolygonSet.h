#pragma once

#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"

namespace Zelkor::Rectilinear::Reference {

// The union of all members step by step: every member's edges cut by the
// edges of all members, every piece tested against every other member with a
// linear search for its shared counterpart, the cycles traced one by one from
// the front of the sorted list. Kept to check the library's version against
// and as a benchmark baseline.
HoledPolygonSet booleanAddAll(const HoledPolygonSet& holedPolygonSet);

// Segment containment with every hole copied and shrunk by one unit, however
// far it lies from the segment.
bool containsSegment(const HoledPolygon& holedPolygon, const Segment& segment);

}  // namespace Zelkor::Rectilinear::Reference

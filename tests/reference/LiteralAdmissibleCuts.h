#pragma once

#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Reference {

// The admissible-cut procedure step by step: the whole grid is built and
// split, and every piece goes through the five removal tests in order. The
// library skips the grid lines that no existing cut ends on; this form is
// kept to check it against and as the benchmark baseline.
std::vector<Segment> getAllCutsThatCanBeAdded(std::vector<HoledPolygon> uncuttablePolygons,
                                              std::vector<HoledPolygon> cuttablePolygons, Polygon hostPolygon,
                                              std::vector<Segment> existingCuts, int bladeWidth);

}  // namespace Zelkor::Rectilinear::Reference

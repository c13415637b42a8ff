#pragma once

#include <vector>

#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Reference {

// The splitting procedure step by step: after every split the scan of all
// cutting segments restarts on the piece that ends at the target's end.
// Quadratic; kept to check the library's version against.
std::vector<Segment> splitSegmentsBySegments(const std::vector<Segment>& targetSegments,
                                             const std::vector<Segment>& cuttingSegmentsConst);

}  // namespace Zelkor::Rectilinear::Reference

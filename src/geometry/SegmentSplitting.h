#pragma once

#include <vector>

#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Math {

// Cuts every target segment at each point of its interior that a
// perpendicular cutting segment crosses or touches. A target cut at several
// points comes out as consecutive pieces, last piece first, each running in
// the target's direction; uncut targets come out unchanged, in input order.
std::vector<Segment> splitSegmentsBySegments(const std::vector<Segment>& targetSegments,
                                             const std::vector<Segment>& cuttingSegmentsConst);

}  // namespace Zelkor::Rectilinear::Math

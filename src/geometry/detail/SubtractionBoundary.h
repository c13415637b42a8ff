#pragma once

#include <cstddef>
#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/Segment.h"
#include "geometry/detail/BoundingBox.h"
#include "geometry/detail/PlainRegion.h"
#include "geometry/detail/SegmentKeys.h"
#include "geometry/detail/SharedEdges.h"

namespace Zelkor::Rectilinear::Detail {

// The boundary of the difference, in the order it is traced: this shape's
// pieces that the other does not contain, then the other's pieces that this
// shape contains, turned round so that the material left is on their left,
// except where this shape has the same piece running the same way (the
// other reaches this shape's edge there, and the edge goes). Where the two
// run along each other in opposite directions the other only touches from
// outside, and the piece survives once, from the other. Neither list holds
// pieces along its own shape's shared edges, and a piece along a shape's
// shared edge is not contained in that shape: there is no material on
// either side. Where `keptFromShape` is given, it receives for each leading
// piece (those from this shape) its place in thisSplitSegments.
std::vector<Segment> subtractionBoundary(const HoledPolygon& shape, const HoledPolygon& otherPolygon,
                                         const SharedEdges& thisShared, const SharedEdges& otherShared,
                                         const std::vector<Segment>& thisSplitSegments,
                                         const std::vector<Segment>& otherSplitSegments,
                                         std::vector<std::size_t>* keptFromShape = nullptr);

// The same boundary, into `boundary`, for shapes whose cycles are each
// plain and run along no other cycle of their shape, so that neither has
// shared edges; `otherBox` holds the other shape.
void plainSubtractionBoundary(const PlainRegion& shape, const PlainRegion& other, const Box& otherBox,
                              const std::vector<Segment>& thisSplitSegments,
                              const std::vector<Segment>& otherSplitSegments, std::vector<std::size_t>& keptFromShape,
                              std::vector<Segment>& boundary);

// The other shape's pieces this shape holds, from `fromOther` on in
// `boundary`, turned round, less those this shape has too running the same
// way; `ownPieces` holds every piece of this shape that could be one of them.
void turnRoundUnlessOwn(std::vector<Segment>& boundary, std::size_t fromOther, const std::vector<Segment>& ownPieces,
                        std::vector<SegmentKey>& keys);

}  // namespace Zelkor::Rectilinear::Detail

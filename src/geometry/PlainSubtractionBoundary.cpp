// The boundary of a difference of plain shapes, each piece judged by its
// midpoint instead of by the shapes' segment tests.

#include <algorithm>
#include <vector>

#include "geometry/SegmentKeys.h"
#include "geometry/SubtractionBoundary.h"

namespace Zelkor::Rectilinear::Detail {

void plainSubtractionBoundary(const PlainRegion& shape, const PlainRegion& other, const Box& otherBox,
                              const std::vector<Segment>& thisSplitSegments,
                              const std::vector<Segment>& otherSplitSegments, std::vector<std::size_t>& keptFromShape,
                              std::vector<Segment>& boundary) {
    boundary.clear();
    boundary.reserve(thisSplitSegments.size() + otherSplitSegments.size());
    for (std::size_t i = 0; i < thisSplitSegments.size(); ++i) {
        const Segment& s = thisSplitSegments[i];
        if (otherBox.containsSegment(s) && other.containsPiece(s)) continue;
        boundary.push_back(s);
        keptFromShape.push_back(i);
    }
    // Only pieces within the other's box can be among its pieces.
    std::vector<SegmentKey> ownPieces;
    for (const Segment& s : thisSplitSegments) {
        if (otherBox.containsSegment(s)) ownPieces.push_back(directedKey(s));
    }
    std::sort(ownPieces.begin(), ownPieces.end());
    for (Segment t : otherSplitSegments) {
        if (!shape.holdsPiece(t) || std::binary_search(ownPieces.begin(), ownPieces.end(), directedKey(t))) continue;
        t.flip();
        boundary.push_back(t);
    }
}

}  // namespace Zelkor::Rectilinear::Detail

// The boundary of a difference of plain shapes, each piece judged by its
// midpoint instead of by the shapes' segment tests.

#include <algorithm>
#include <vector>

#include "geometry/detail/SegmentKeys.h"
#include "geometry/detail/SubtractionBoundary.h"

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
    const std::size_t fromOther = boundary.size();
    for (const Segment& t : otherSplitSegments) {
        if (shape.holdsPiece(t)) boundary.push_back(t);
    }
    std::vector<SegmentKey> keys;
    turnRoundUnlessOwn(boundary, fromOther, thisSplitSegments, keys);
}

// Few held pieces are looked for among this shape's one by one, many in
// them sorted.
void turnRoundUnlessOwn(std::vector<Segment>& boundary, std::size_t fromOther, const std::vector<Segment>& ownPieces,
                        std::vector<SegmentKey>& keys) {
    constexpr std::size_t fewComparisons = 256;
    const bool sorted = (boundary.size() - fromOther) * ownPieces.size() > fewComparisons;
    if (sorted) {
        keys.clear();
        for (const Segment& s : ownPieces) keys.push_back(directedKey(s));
        std::sort(keys.begin(), keys.end());
    }
    auto ownPiece = [&](const Segment& t) {
        if (sorted) return std::binary_search(keys.begin(), keys.end(), directedKey(t));
        return std::any_of(ownPieces.begin(), ownPieces.end(),
                           [&t](const Segment& s) { return s.isEqualAndInSameDirection(t); });
    };
    std::size_t left = fromOther;
    for (std::size_t k = fromOther; k < boundary.size(); ++k) {
        Segment t = boundary[k];
        if (ownPiece(t)) continue;
        t.flip();
        boundary[left++] = t;
    }
    boundary.resize(left);
}

}  // namespace Zelkor::Rectilinear::Detail

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
    // An other's piece this shape holds goes unless this shape has it too,
    // running the same way. Few such pieces are looked for one by one, many
    // in the sorted pieces of this shape that lie in the other's box.
    const std::size_t fromOther = boundary.size();
    for (const Segment& t : otherSplitSegments) {
        if (shape.holdsPiece(t)) boundary.push_back(t);
    }
    constexpr std::size_t fewComparisons = 256;
    const std::size_t held = boundary.size() - fromOther;
    std::vector<SegmentKey> ownPieces;
    if (held * thisSplitSegments.size() > fewComparisons) {
        for (const Segment& s : thisSplitSegments) {
            if (otherBox.containsSegment(s)) ownPieces.push_back(directedKey(s));
        }
        std::sort(ownPieces.begin(), ownPieces.end());
    }
    auto ownPiece = [&](const Segment& t) {
        if (held * thisSplitSegments.size() > fewComparisons) {
            return std::binary_search(ownPieces.begin(), ownPieces.end(), directedKey(t));
        }
        return std::any_of(thisSplitSegments.begin(), thisSplitSegments.end(),
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

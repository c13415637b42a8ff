#include "reference/LiteralSegmentSplitting.h"

#include <iterator>
#include <list>

namespace Zelkor::Rectilinear::Reference {

std::vector<Segment> splitSegmentsBySegments(const std::vector<Segment>& targetSegments,
                                             const std::vector<Segment>& cuttingSegmentsConst) {
    // A list keeps the insertions in front of a piece cheap; the order of the
    // steps is exactly the vector procedure's.
    std::list<Segment> splitSegments(targetSegments.begin(), targetSegments.end());
    const std::vector<Segment> cuttingSegments = cuttingSegmentsConst;
    if (splitSegments.empty() || cuttingSegments.empty()) return targetSegments;

    auto baseSegment = splitSegments.begin();
    while (baseSegment != splitSegments.end()) {
        bool split = false;
        for (const Segment& cuttingSegment : cuttingSegments) {
            if (!baseSegment->isPerpendicular(cuttingSegment)) continue;
            const Point intersection = baseSegment->intersection(cuttingSegment);
            if (intersection.isHole() || intersection.isInfinity()) continue;
            if (baseSegment->isEndpoint(intersection)) continue;
            const Segment segmentToSplit = *baseSegment;
            auto position = splitSegments.erase(baseSegment);
            position = splitSegments.insert(position, Segment(segmentToSplit.getStartPoint(), intersection));
            baseSegment = splitSegments.insert(position, Segment(intersection, segmentToSplit.getEndPoint()));
            split = true;
            break;
        }
        if (!split) ++baseSegment;
    }
    return std::vector<Segment>(splitSegments.begin(), splitSegments.end());
}

}  // namespace Zelkor::Rectilinear::Reference

#include "reference/LiteralPolygonSet.h"

#include <algorithm>
#include <vector>

#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Reference {

PolygonSet booleanAddAndSimplifyAll(const PolygonSet& polygonSet, PolygonSet* interiorHolesRemoved) {
    if (polygonSet.size() < 2) return polygonSet;

    const std::vector<Segment> allPolygonEdges = polygonSet.getAllEdges();
    std::vector<std::vector<Segment>> allPolygonEdgesSplit;
    for (int ii = 0; ii < polygonSet.size(); ++ii) {
        allPolygonEdgesSplit.push_back(
            Math::splitSegmentsBySegments(polygonSet.getPolygon(ii).getEdges(), allPolygonEdges));
    }

    std::vector<Segment> unorderedResultSegments;
    for (int ii = 0; ii < polygonSet.size(); ++ii) {
        for (const Segment& s : allPolygonEdgesSplit[ii]) {
            bool segmentShouldBeInResult = true;
            for (int kk = 0; kk < polygonSet.size() && segmentShouldBeInResult; ++kk) {
                if (kk == ii) continue;
                if (!polygonSet.getPolygon(kk).containsNonCrossOverSegment(s, false)) continue;
                const std::vector<Segment>& otherPieces = allPolygonEdgesSplit[kk];
                const auto match = std::find(otherPieces.begin(), otherPieces.end(), s);
                if (match != otherPieces.end() && match->isInSameDirection(s)) continue;
                segmentShouldBeInResult = false;
            }
            if (segmentShouldBeInResult) unorderedResultSegments.push_back(s);
        }
    }

    std::sort(unorderedResultSegments.begin(), unorderedResultSegments.end());
    unorderedResultSegments.erase(std::unique(unorderedResultSegments.begin(), unorderedResultSegments.end()),
                                  unorderedResultSegments.end());

    PolygonSet resultSet;
    while (!unorderedResultSegments.empty()) {
        const Polygon polygon(unorderedResultSegments, "");
        if (!polygon.wasOriginallyDefinedInReverseOrder()) {
            if (!polygon.isEmpty()) resultSet.add(polygon);
        } else if (interiorHolesRemoved != nullptr && !polygon.isEmpty() && polygon.getArea() > 0) {
            interiorHolesRemoved->add(polygon);
        }
    }
    return resultSet;
}

}  // namespace Zelkor::Rectilinear::Reference

#include "reference/LiteralHoledPolygonSet.h"

#include <algorithm>
#include <vector>

#include "geometry/SegmentSplitting.h"
#include "geometry/detail/HoleAssignment.h"

namespace Zelkor::Rectilinear::Reference {

HoledPolygonSet booleanAddAll(const HoledPolygonSet& holedPolygonSet) {
    if (holedPolygonSet.size() < 2) return holedPolygonSet;

    const std::vector<Segment> allPolygonEdges = holedPolygonSet.getAllEdges();
    std::vector<std::vector<Segment>> allPolygonEdgesSplit;
    for (int ii = 0; ii < holedPolygonSet.size(); ++ii) {
        allPolygonEdgesSplit.push_back(
            Math::splitSegmentsBySegments(holedPolygonSet.getPolygon(ii).getEdges(), allPolygonEdges));
    }

    std::vector<Segment> unorderedResultSegments;
    for (int ii = 0; ii < holedPolygonSet.size(); ++ii) {
        for (const Segment& s : allPolygonEdgesSplit[ii]) {
            bool segmentShouldBeInResult = true;
            for (int jj = 0; jj < holedPolygonSet.size() && segmentShouldBeInResult; ++jj) {
                if (jj == ii) continue;
                if (!holedPolygonSet.getPolygon(jj).containsNonCrossOverSegment(s)) continue;
                const std::vector<Segment>& otherPieces = allPolygonEdgesSplit[jj];
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

    std::vector<Polygon> basePolygons;
    std::vector<Polygon> holes;
    do {
        const Polygon cycleFound(unorderedResultSegments, "");
        if (cycleFound.wasOriginallyDefinedInReverseOrder()) {
            holes.push_back(cycleFound);
        } else {
            basePolygons.push_back(cycleFound);
        }
    } while (!unorderedResultSegments.empty());

    return HoledPolygonSet(Math::assignHolesToInnermostOutlines(basePolygons, holes));
}

bool containsSegment(const HoledPolygon& holedPolygon, const Segment& segment) {
    if (!holedPolygon.getBasePolygon().containsSegment(segment)) return false;
    for (const Polygon& hole : holedPolygon.getHoles()) {
        Polygon contractedHole = hole;
        contractedHole.unvalidatedContract(1);
        if (contractedHole.intersect(segment)) return false;
    }
    return true;
}

}  // namespace Zelkor::Rectilinear::Reference

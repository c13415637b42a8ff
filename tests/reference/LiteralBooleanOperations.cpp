#include "reference/LiteralBooleanOperations.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Reference {

HoledPolygonSet booleanSubtract(const HoledPolygon& shape, const HoledPolygon& otherPolygon) {
    const std::vector<Segment> thisSplitSegments =
        Math::splitSegmentsBySegments(shape.getEdges(), otherPolygon.getEdges());
    const std::vector<Segment> otherSplitSegments =
        Math::splitSegmentsBySegments(otherPolygon.getEdges(), shape.getEdges());

    std::vector<Segment> unorderedResultSegments;
    for (const Segment& s : thisSplitSegments) {
        if (!otherPolygon.containsSegment(s)) unorderedResultSegments.push_back(s);
    }
    for (Segment t : otherSplitSegments) {
        if (!shape.containsNonCrossOverSegment(t)) continue;
        bool sharedInSameDirection = false;
        for (const Segment& s : thisSplitSegments) {
            if (s.isEqualAndInSameDirection(t)) sharedInSameDirection = true;
        }
        if (sharedInSameDirection) continue;
        t.flip();
        unorderedResultSegments.push_back(t);
    }

    std::vector<Polygon> basePolygons;
    std::vector<Polygon> polygonHoles;
    while (!unorderedResultSegments.empty()) {
        const Polygon newPolygon(unorderedResultSegments, "");
        if (newPolygon.isEmpty()) continue;
        if (newPolygon.wasOriginallyDefinedInReverseOrder()) {
            polygonHoles.push_back(newPolygon);
        } else {
            basePolygons.push_back(newPolygon);
        }
    }

    // Each base polygon in turn takes the holes it contains, in order, and
    // they leave the list; a hole that a later, smaller base polygon also
    // contains (an island inside this one) is left for that one.
    HoledPolygonSet resultSet;
    for (std::size_t b = 0; b < basePolygons.size(); ++b) {
        std::vector<Polygon> holesInThisBasePolygon;
        std::vector<Polygon> remainingHoles;
        for (const Polygon& hole : polygonHoles) {
            bool belongsHere = basePolygons[b].contains(hole);
            for (std::size_t later = b + 1; later < basePolygons.size() && belongsHere; ++later) {
                if (basePolygons[later].getArea() < basePolygons[b].getArea() && basePolygons[later].contains(hole)) {
                    belongsHere = false;
                }
            }
            if (belongsHere) {
                holesInThisBasePolygon.push_back(hole);
            } else {
                remainingHoles.push_back(hole);
            }
        }
        polygonHoles = remainingHoles;
        resultSet.add(HoledPolygon(basePolygons[b], holesInThisBasePolygon));
    }
    return resultSet;
}

HoledPolygonSet booleanSubtract(const HoledPolygon& shape, const HoledPolygonSet& holedPolygonSet) {
    HoledPolygonSet resultPolygons;
    resultPolygons.add(shape);
    for (int ii = 0; ii < holedPolygonSet.size(); ++ii) {
        HoledPolygonSet newResults;
        for (int jj = 0; jj < resultPolygons.size(); ++jj) {
            const HoledPolygonSet currentPolygonPieces =
                booleanSubtract(resultPolygons.getPolygon(jj), holedPolygonSet.getPolygon(ii));
            for (int kk = 0; kk < currentPolygonPieces.size(); ++kk) {
                if (!currentPolygonPieces.getPolygon(kk).isEmpty()) newResults.add(currentPolygonPieces.getPolygon(kk));
            }
        }
        resultPolygons = newResults;
    }
    return resultPolygons;
}

HoledPolygonSet subtractEachInTurn(const HoledPolygon& shape, const HoledPolygonSet& holedPolygonSet) {
    HoledPolygonSet resultPolygons;
    resultPolygons.add(shape);
    for (const HoledPolygon& member : holedPolygonSet.getAllPolygons()) {
        HoledPolygonSet newResults;
        for (const HoledPolygon& piece : resultPolygons.getAllPolygons()) {
            const HoledPolygonSet pieces = piece.booleanSubtract(member);
            for (const HoledPolygon& rest : pieces.getAllPolygons()) {
                if (!rest.isEmpty()) newResults.add(rest);
            }
        }
        resultPolygons = std::move(newResults);
    }
    return resultPolygons;
}

HoledPolygonSet booleanSubtract(const HoledPolygonSet& set, const HoledPolygon& otherPolygon) {
    HoledPolygonSet resultSet;
    for (int ii = 0; ii < set.size(); ++ii) resultSet.add(booleanSubtract(set.getPolygon(ii), otherPolygon));
    return resultSet;
}

HoledPolygonSet booleanSubtract(const Polygon& polygon, const Polygon& otherPolygon) {
    return booleanSubtract(HoledPolygon(polygon), HoledPolygon(otherPolygon));
}

HoledPolygonSet booleanSubtract(const Polygon& polygon, const PolygonSet& polygonSet) {
    return booleanSubtract(HoledPolygon(polygon), HoledPolygonSet(polygonSet));
}

PolygonSet booleanAddAndSimplify(const Polygon& polygon, const Polygon& otherPolygon, PolygonSet* interiorHolesRemoved) {
    const std::vector<Segment> thisSplitSegments = polygon.edgesSplitBy(otherPolygon);
    const std::vector<Segment> otherSplitSegments = otherPolygon.edgesSplitBy(polygon);

    std::vector<Segment> segments;
    for (const Segment& s : thisSplitSegments) {
        const bool inside = otherPolygon.containsNonCrossOverSegment(s, true);
        const auto match = std::find(otherSplitSegments.begin(), otherSplitSegments.end(), s);
        const bool matched = match != otherSplitSegments.end();
        if ((!inside && !matched) || (matched && match->isInSameDirection(s))) segments.push_back(s);
    }
    for (const Segment& t : otherSplitSegments) {
        if (!polygon.containsNonCrossOverSegment(t, false)) segments.push_back(t);
    }

    PolygonSet resultSet;
    do {
        const Polygon newPolygon(segments, "");
        if (!newPolygon.wasOriginallyDefinedInReverseOrder()) {
            if (!newPolygon.isEmpty()) resultSet.add(newPolygon);
        } else if (interiorHolesRemoved != nullptr) {
            interiorHolesRemoved->add(newPolygon);
        }
    } while (!segments.empty());
    return resultSet;
}

}  // namespace Zelkor::Rectilinear::Reference

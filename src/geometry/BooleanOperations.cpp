// Subtraction and union of rectilinear shapes on directed boundary pieces.
//
// Both operations cut the two boundaries at each other, keep the pieces of
// one shape according to where they lie in the other, and trace the kept
// pieces into cycles: counterclockwise cycles are outlines of material,
// clockwise ones outlines of holes.
//
// Nearly all the time goes into asking, for every piece, whether the other
// shape contains it. A piece is cut wherever an edge of the other shape
// meets its interior, so against a simple polygon it lies either along one
// edge, or wholly inside, or wholly outside. When every polygon involved is a
// simple counterclockwise outline (the normal case) an index per polygon
// answers that in logarithmic time: an edge lookup, then the parity of the
// edges crossed by a ray from a point half a unit into the piece. Any other
// input (self-touching or crossing outlines, which the general tests treat
// in their own way) and small inputs, where building indexes does not pay,
// ask the polygons' own containment tests piece by piece.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/SegmentSplitting.h"
#include "geometry/detail/BoundaryTracing.h"
#include "geometry/detail/BoundingBox.h"
#include "geometry/detail/HoleAssignment.h"
#include "geometry/detail/OutlineIndex.h"
#include "geometry/detail/PieceIndex.h"
#include "geometry/detail/SegmentKeys.h"
#include "geometry/detail/SharedEdges.h"
#include "geometry/detail/SubtractionBoundary.h"

namespace Zelkor::Rectilinear {

namespace {

using Detail::Box;
using Detail::directedKey;
using Detail::SegmentKey;

// Below this many piece-against-edge pairs the direct tests are cheaper than
// building the indexes.
constexpr std::size_t directTestLimit = 2048;

bool hasLength(const Segment& s) {
    return s.getStartPoint() != s.getEndPoint();
}

using Detail::isSimpleCounterclockwise;
using Detail::outlineContains;
using Detail::Placement;
using Detail::PolygonIndex;

// The closed region of a holed polygon whose base and non-empty holes are
// all simple counterclockwise outlines. For a piece cut by all of the
// shape's edges, both HoledPolygon::containsSegment and
// HoledPolygon::containsNonCrossOverSegment come down to: in the base or on
// its boundary, and inside no hole (a hole's boundary is still material).
class ShapeIndex {
public:
    static bool applies(const HoledPolygon& shape) {
        if (!isSimpleCounterclockwise(shape.getBasePolygon())) return false;
        for (const Polygon& hole : shape.getHoles()) {
            if (!hole.isEmpty() && !isSimpleCounterclockwise(hole)) return false;
        }
        return true;
    }

    explicit ShapeIndex(const HoledPolygon& shape) : base(shape.getBasePolygon()) {
        for (const Polygon& hole : shape.getHoles()) {
            if (!hole.isEmpty()) holes.emplace_back(hole);
        }
        std::sort(holes.begin(), holes.end(),
                  [](const PolygonIndex& a, const PolygonIndex& b) { return a.getBox().minX < b.getBox().minX; });
        reach.reserve(holes.size());
        for (const PolygonIndex& hole : holes) {
            reach.push_back(std::max(hole.getBox().maxX, reach.empty() ? hole.getBox().maxX : reach.back()));
        }
    }

    bool covers(const Segment& piece) const {
        if (base.placementOf(piece) == Placement::outside) return false;
        // Only holes whose box holds the piece can have it inside: those
        // starting left of it, back to the last one that reaches past it.
        const Coordinate pieceLeft = std::min(piece.getStartPoint().x, piece.getEndPoint().x);
        const Coordinate pieceRight = std::max(piece.getStartPoint().x, piece.getEndPoint().x);
        auto candidate = std::upper_bound(holes.begin(), holes.end(), pieceLeft,
                                          [](Coordinate x, const PolygonIndex& hole) { return x < hole.getBox().minX; });
        while (candidate != holes.begin()) {
            --candidate;
            if (reach[static_cast<std::size_t>(candidate - holes.begin())] < pieceRight) break;
            if (candidate->placementOf(piece) == Placement::inside) return false;
        }
        return true;
    }

private:
    PolygonIndex base;
    std::vector<PolygonIndex> holes;  // by left side of the box
    std::vector<Coordinate> reach;    // the farthest right side among holes[0..i]
};

// Whether some piece of a list runs from the same start to the same end.
class DirectedPieceSet {
public:
    explicit DirectedPieceSet(const std::vector<Segment>& pieces) {
        keys.reserve(pieces.size());
        for (const Segment& s : pieces) keys.push_back(directedKey(s));
        std::sort(keys.begin(), keys.end());
    }
    bool contains(const Segment& s) const { return std::binary_search(keys.begin(), keys.end(), directedKey(s)); }

private:
    std::vector<SegmentKey> keys;
};

}  // namespace

namespace Detail {

std::vector<Segment> subtractionBoundary(const HoledPolygon& shape, const HoledPolygon& otherPolygon,
                                         const SharedEdges& thisShared, const SharedEdges& otherShared,
                                         const std::vector<Segment>& thisSplitSegments,
                                         const std::vector<Segment>& otherSplitSegments,
                                         std::vector<std::size_t>* keptFromShape) {
    std::vector<Segment> result;
    result.reserve(thisSplitSegments.size() + otherSplitSegments.size());
    const std::size_t work = thisSplitSegments.size() * static_cast<std::size_t>(otherPolygon.getNumberOfEdges()) +
                             otherSplitSegments.size() * static_cast<std::size_t>(shape.getNumberOfEdges());
    if (work <= directTestLimit || !ShapeIndex::applies(shape) || !ShapeIndex::applies(otherPolygon)) {
        for (std::size_t i = 0; i < thisSplitSegments.size(); ++i) {
            const Segment& s = thisSplitSegments[i];
            if (!otherShared.runsAlong(s) && otherPolygon.containsSegment(s)) continue;
            result.push_back(s);
            if (keptFromShape != nullptr) keptFromShape->push_back(i);
        }
        for (Segment t : otherSplitSegments) {
            if (thisShared.runsAlong(t) || !shape.containsNonCrossOverSegment(t)) continue;
            const bool sharedInSameDirection =
                std::any_of(thisSplitSegments.begin(), thisSplitSegments.end(),
                            [&t](const Segment& s) { return s.isEqualAndInSameDirection(t); });
            if (sharedInSameDirection) continue;
            t.flip();
            result.push_back(t);
        }
        return result;
    }

    const ShapeIndex otherIndex(otherPolygon);
    for (std::size_t i = 0; i < thisSplitSegments.size(); ++i) {
        const Segment& s = thisSplitSegments[i];
        const bool contained =
            !otherShared.runsAlong(s) && (hasLength(s) ? otherIndex.covers(s) : otherPolygon.containsSegment(s));
        if (contained) continue;
        result.push_back(s);
        if (keptFromShape != nullptr) keptFromShape->push_back(i);
    }
    const ShapeIndex thisIndex(shape);
    const DirectedPieceSet thisPieces(thisSplitSegments);
    for (Segment t : otherSplitSegments) {
        const bool contained =
            !thisShared.runsAlong(t) && (hasLength(t) ? thisIndex.covers(t) : shape.containsNonCrossOverSegment(t));
        if (!contained || thisPieces.contains(t)) continue;
        t.flip();
        result.push_back(t);
    }
    return result;
}

}  // namespace Detail

namespace {

// The boundary of the union: this polygon's pieces outside the other (edges
// not counted as inside) and those it shares with the other running the
// same way, then the other's pieces outside this polygon. Pieces shared in
// opposite directions, where the two lie side by side, go from both, which
// fuses them.
std::vector<Segment> unionBoundary(const Polygon& polygon, const Polygon& otherPolygon,
                                   const std::vector<Segment>& thisSplitSegments,
                                   const std::vector<Segment>& otherSplitSegments) {
    std::vector<Segment> result;
    result.reserve(thisSplitSegments.size() + otherSplitSegments.size());
    const std::size_t work = thisSplitSegments.size() * static_cast<std::size_t>(otherPolygon.numberOfEdges()) +
                             otherSplitSegments.size() * static_cast<std::size_t>(polygon.numberOfEdges());
    if (work <= directTestLimit || !isSimpleCounterclockwise(polygon) || !isSimpleCounterclockwise(otherPolygon)) {
        for (const Segment& s : thisSplitSegments) {
            const bool inside = otherPolygon.containsNonCrossOverSegment(s, true);
            const auto match = std::find(otherSplitSegments.begin(), otherSplitSegments.end(), s);
            const bool matched = match != otherSplitSegments.end();
            if ((!inside && !matched) || (matched && match->isInSameDirection(s))) result.push_back(s);
        }
        for (const Segment& t : otherSplitSegments) {
            if (!polygon.containsNonCrossOverSegment(t, false)) result.push_back(t);
        }
        return result;
    }

    // With edges excluded, a piece along an edge is judged by the edges at
    // its ends; that case goes to the polygon's own test.
    const PolygonIndex otherIndex(otherPolygon);
    const Detail::PieceIndex otherPieces(otherSplitSegments);
    for (const Segment& s : thisSplitSegments) {
        const Segment* match = otherPieces.firstMatch(s);
        if (match != nullptr) {
            if (match->isInSameDirection(s)) result.push_back(s);
            continue;
        }
        bool inside;
        if (!hasLength(s)) {
            inside = otherPolygon.containsNonCrossOverSegment(s, true);
        } else {
            const Placement placement = otherIndex.placementOf(s);
            inside = placement == Placement::onBoundary ? otherPolygon.containsNonCrossOverSegment(s, true)
                                                        : placement == Placement::inside;
        }
        if (!inside) result.push_back(s);
    }
    const PolygonIndex thisIndex(polygon);
    for (const Segment& t : otherSplitSegments) {
        const bool contained =
            hasLength(t) ? thisIndex.placementOf(t) != Placement::outside : polygon.containsNonCrossOverSegment(t, false);
        if (!contained) result.push_back(t);
    }
    return result;
}

// Traces the difference's boundary: counterclockwise cycles become
// outlines, clockwise ones holes, and each hole goes to the innermost
// outline that contains it; empty cycles and holes no outline contains are
// dropped.
HoledPolygonSet assemblePieces(std::vector<Segment> unorderedResultSegments) {
    std::vector<Polygon> basePolygons;
    std::vector<Polygon> polygonHoles;
    Detail::SegmentListTracer(std::move(unorderedResultSegments)).traceAll([&](const Polygon& newPolygon) {
        if (newPolygon.isEmpty()) return;
        (newPolygon.wasOriginallyDefinedInReverseOrder() ? polygonHoles : basePolygons).push_back(newPolygon);
    });

    // Containment of a hole goes through the outline's index, built on
    // first use where the outline is large enough for it to pay.
    const std::size_t holeCount = polygonHoles.size();
    std::vector<std::optional<PolygonIndex>> indexes(basePolygons.size());
    std::vector<bool> indexTried(basePolygons.size(), false);
    auto indexOf = [&](std::size_t b) -> const PolygonIndex* {
        if (!indexTried[b]) {
            indexTried[b] = true;
            const Polygon& outline = basePolygons[b];
            if (static_cast<std::size_t>(outline.numberOfEdges()) * holeCount > directTestLimit &&
                isSimpleCounterclockwise(outline)) {
                indexes[b].emplace(outline);
            }
        }
        return indexes[b] ? &*indexes[b] : nullptr;
    };
    return HoledPolygonSet(Math::assignHolesToInnermostOutlines(
        std::move(basePolygons), std::move(polygonHoles),
        [&basePolygons, &indexOf](std::size_t b, const Polygon& hole) {
            return basePolygons[b].boundingRectanglesIntersect(hole) && outlineContains(basePolygons[b], indexOf(b), hole);
        }));
}

}  // namespace

// Pieces are cut at all edges, shared ones included, so that a piece of the
// other shape crossing from one hole into the next is cut where it crosses;
// only then do the pieces along a shape's shared edges go.
HoledPolygonSet HoledPolygon::booleanSubtract(const HoledPolygon& otherPolygon) const {
    const std::vector<Segment> thisEdges = getEdges();
    const std::vector<Segment> otherEdges = otherPolygon.getEdges();
    std::vector<Segment> thisSplitSegments = Math::splitSegmentsBySegments(thisEdges, otherEdges);
    std::vector<Segment> otherSplitSegments = Math::splitSegmentsBySegments(otherEdges, thisEdges);
    const Detail::SharedEdges thisShared(*this);
    const Detail::SharedEdges otherShared(otherPolygon);
    if (!thisShared.empty()) thisSplitSegments = thisShared.without(thisSplitSegments);
    if (!otherShared.empty()) otherSplitSegments = otherShared.without(otherSplitSegments);
    return assemblePieces(
        Detail::subtractionBoundary(*this, otherPolygon, thisShared, otherShared, thisSplitSegments, otherSplitSegments));
}

HoledPolygonSet HoledPolygonSet::booleanSubtract(const HoledPolygon& otherPolygon) const {
    HoledPolygonSet resultSet;
    for (const HoledPolygon& member : holedPolygons) resultSet.add(member.booleanSubtract(otherPolygon));
    return resultSet;
}

HoledPolygonSet Polygon::booleanSubtract(const Polygon& otherPolygon) const {
    return HoledPolygon(*this).booleanSubtract(HoledPolygon(otherPolygon));
}

HoledPolygonSet Polygon::booleanSubtract(const PolygonSet& polygonSet) const {
    return HoledPolygon(*this).booleanSubtract(HoledPolygonSet(polygonSet));
}

PolygonSet Polygon::booleanAddAndSimplify(const Polygon& otherPolygon, PolygonSet* interiorHolesRemoved) const {
    const std::vector<Segment> thisSplitSegments = edgesSplitBy(otherPolygon);
    const std::vector<Segment> otherSplitSegments = otherPolygon.edgesSplitBy(*this);
    std::vector<Segment> segments = unionBoundary(*this, otherPolygon, thisSplitSegments, otherSplitSegments);

    // The list is traced at least once: with nothing left, into one empty
    // polygon.
    PolygonSet resultSet;
    auto sortCycle = [&resultSet, interiorHolesRemoved](const Polygon& polygon) {
        if (!polygon.wasOriginallyDefinedInReverseOrder()) {
            if (!polygon.isEmpty()) resultSet.add(polygon);
        } else if (interiorHolesRemoved != nullptr) {
            interiorHolesRemoved->add(polygon);
        }
    };
    Detail::SegmentListTracer(std::move(segments)).traceAllAtLeastOnce(sortCycle);
    return resultSet;
}

}  // namespace Zelkor::Rectilinear

#include "cutting/CutServices.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "cutting/CutLines.h"
#include "geometry/BoundingBox.h"
#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Math {

namespace {

// The kerf of a cut lengthened past each end by the strip's own half width
// (bladeWidth / 2), so that the strips of cuts meeting at a corner close it
// exactly. Both ends move alike: an odd width lengthens the strip no more at
// one end than at the other, whichever way the cut points.
Polygon lengthenedStrip(Segment cut, int bladeWidth) {
    cut.expand(2 * (bladeWidth / 2));
    return createRectangularPolygonFromSegment(cut, bladeWidth);
}

using Detail::Box;

// The outfall is the host with the members of the kerf union taken away one
// after the other, each from every piece left so far. Taking a member from a
// piece it does not reach only traces the piece again, and a piece whose
// boundary cycles keep apart comes out of that the same but for its holes:
// each hole's flipped edges are traced from its second corner backwards, and
// the clockwise cycle, turned round, starts at the last corner traced, two
// corners on. This is the hole after `passes` such tracings.
Polygon retracedHole(const Polygon& hole, std::size_t passes) {
    if (passes == 0) return hole;
    const std::vector<Point>& corners = hole.getPoints();
    const std::size_t count = corners.size();
    const std::size_t start = 2 * (passes % count) % count;
    std::vector<Point> traced;
    traced.reserve(count);
    for (std::size_t k = 0; k < count; ++k) traced.push_back(corners[(start + 2 * count - 1 - k) % count]);
    return Polygon(traced, "");
}

// No corner twice and no edge touching another but its neighbours at their
// shared corners: every cycle of the boundary is traced on its own, from its
// first edge, and nothing outside the shape can reach two of them at once.
bool cyclesKeepApart(const HoledPolygon& shape) {
    if (shape.isEmpty()) return false;
    for (const Polygon& hole : shape.getHoles()) {
        if (hole.isEmpty()) return false;
    }
    std::vector<Point> corners = shape.getPoints();
    std::sort(corners.begin(), corners.end());
    if (std::adjacent_find(corners.begin(), corners.end()) != corners.end()) return false;
    const std::vector<Segment> edges = shape.getEdges();
    return splitSegmentsBySegments(edges, edges).size() == edges.size();
}

// A piece of outfall that may still owe the tracings of the members that
// did not reach it: they are counted, and done all at once when the piece is
// next needed. Only a piece whose cycles keep apart may owe any.
struct OwingPiece {
    Polygon base;
    std::vector<Polygon> holes;
    std::size_t baseTracedUpTo;                  // members taken away when the base was last traced
    std::vector<std::size_t> holesTracedUpTo;    // the same for each hole
    bool mayOwe;
    Box box;

    OwingPiece(const HoledPolygon& shape, std::size_t membersTakenAway)
        : base(shape.getBasePolygon()),
          holes(shape.getHoles()),
          baseTracedUpTo(membersTakenAway),
          holesTracedUpTo(holes.size(), membersTakenAway),
          mayOwe(cyclesKeepApart(shape)),
          box(base.getPoints()) {}

    // A traced base keeps its corners (it runs counterclockwise from its
    // first edge) and loses its name.
    HoledPolygon settled(std::size_t membersTakenAway) const {
        std::vector<Polygon> settledHoles;
        settledHoles.reserve(holes.size());
        for (std::size_t i = 0; i < holes.size(); ++i) {
            settledHoles.push_back(retracedHole(holes[i], membersTakenAway - holesTracedUpTo[i]));
        }
        if (baseTracedUpTo == membersTakenAway) return HoledPolygon(base, settledHoles);
        return HoledPolygon(Polygon(base.getPoints(), ""), settledHoles);
    }
};

// A member lying inside the host, reaching neither the host's edge nor the
// box of any member before it, touches no piece's boundary: it lies inside
// one piece, which gains it as its last hole (traced from its flipped
// edges, as a hole is), and reaches no other. Every other member is taken
// from the pieces whose box it touches as before, and from those pieces
// that may not owe tracings. A layout with a hole per part thus costs a
// look at each member instead of a tracing of the host with all the holes
// so far.
HoledPolygonSet outfallInPlace(const Polygon& hostPolygon, const PolygonSet& polygonSet, int bladeWidth) {
    HoledPolygonSet subtractionSet(polygonSet);
    for (const Segment& cut : getCutLines(hostPolygon, polygonSet.getAllPolygons(), bladeWidth)) {
        subtractionSet.add(HoledPolygon(lengthenedStrip(cut, bladeWidth)));
    }
    subtractionSet = subtractionSet.booleanAddAll();
    const std::vector<HoledPolygon>& members = subtractionSet.getAllPolygons();

    std::vector<Box> memberBoxes;
    memberBoxes.reserve(members.size());
    for (const HoledPolygon& member : members) {
        Box box(member.getBasePolygon().getPoints());
        for (const Polygon& hole : member.getHoles()) box.include(hole.getPoints());
        memberBoxes.push_back(box);
    }
    const Detail::TouchingMembers touching(memberBoxes);
    std::vector<OwingPiece> pieces{OwingPiece(HoledPolygon(hostPolygon), 0)};
    const bool hostKeepsApart = pieces.front().mayOwe;
    const std::vector<Segment> hostEdges = hostPolygon.getEdges();

    auto liesInsideOnePiece = [&](std::size_t m) {
        const HoledPolygon& member = members[m];
        if (!hostKeepsApart || !member.getHoles().empty() || !cyclesKeepApart(member)) return false;
        for (const std::size_t* other = touching.begin(m); other != touching.end(m); ++other) {
            if (*other < m) return false;
        }
        for (const Segment& edge : hostEdges) {
            if (Box(edge).touches(memberBoxes[m])) return false;
        }
        return hostPolygon.containsPoint(member.getBasePolygon().getPoints().front());
    };
    // The piece whose base alone holds the member's first corner, if it may
    // owe tracings; pieces.size() for none.
    auto receivingPiece = [&](std::size_t m) {
        const Point& corner = members[m].getBasePolygon().getPoints().front();
        std::size_t receiver = pieces.size();
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (!pieces[i].box.containsPoint(corner) || !pieces[i].base.containsPoint(corner)) continue;
            if (receiver != pieces.size()) return pieces.size();
            receiver = i;
        }
        return receiver < pieces.size() && pieces[receiver].mayOwe ? receiver : pieces.size();
    };

    for (std::size_t m = 0; m < members.size(); ++m) {
        const HoledPolygon& member = members[m];
        const std::size_t receiver = liesInsideOnePiece(m) ? receivingPiece(m) : pieces.size();
        const bool received = receiver < pieces.size();
        std::vector<OwingPiece> remaining;
        remaining.reserve(pieces.size());
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            OwingPiece& piece = pieces[i];
            if (i == receiver) {
                piece.holes.push_back(member.getBasePolygon());
                piece.holesTracedUpTo.push_back(m);
            } else if (!piece.mayOwe || (!received && piece.box.touches(memberBoxes[m]))) {
                const HoledPolygonSet rest = piece.settled(m).booleanSubtract(member);
                for (const HoledPolygon& result : rest.getAllPolygons()) {
                    if (!result.isEmpty()) remaining.emplace_back(result, m + 1);
                }
                continue;
            }
            remaining.push_back(std::move(piece));
        }
        pieces = std::move(remaining);
    }

    HoledPolygonSet outfall;
    for (const OwingPiece& piece : pieces) outfall.add(piece.settled(members.size()));
    return outfall;
}

// The lowest and highest values, along one axis, of the boxes included so far.
struct Reach {
    std::int64_t low = 0;
    std::int64_t high = 0;
    bool any = false;

    void include(std::int64_t from, std::int64_t to) {
        low = any ? std::min(low, from) : from;
        high = any ? std::max(high, to) : to;
        any = true;
    }
    // The move that brings [low, high] into the coordinate range, modulo
    // 2^32 as translate takes it; 0 when it is there already or cannot fit.
    Coordinate shiftIntoRange() const {
        if (!any || (isInCoordinateRange(low) && isInCoordinateRange(high))) return 0;
        if (high - low > std::int64_t{highestCoordinate} - lowestCoordinate) return 0;
        const std::int64_t shift = low < lowestCoordinate ? lowestCoordinate - low : highestCoordinate - high;
        return static_cast<Coordinate>(static_cast<std::uint32_t>(shift));
    }
};

}  // namespace

// The shapes the outfall is worked out with reach beyond the host and the
// parts: the grown host by half the blade, the cut lines by as much and
// their strips by the blade. Near an end of the coordinate range they reach
// past it while the outfall, which lies in the host, does not: the layout is
// then worked out moved toward the origin, and its outfall moved back. A
// layout whose working shapes span more than the whole range is left in
// place, where they raise CoordinateRangeException.
HoledPolygonSet getOutfallFrom(const Polygon& hostPolygon, const PolygonSet& polygonSet, int bladeWidth) {
    const std::int64_t half = std::abs(std::int64_t{bladeWidth / 2});
    Reach alongX, alongY;
    auto include = [&](const Rectangle& box, std::int64_t by) {
        alongX.include(box.getBottomLeft().x - by, box.getTopRight().x + by);
        alongY.include(box.getBottomLeft().y - by, box.getTopRight().y + by);
    };
    if (!hostPolygon.isEmpty()) include(hostPolygon.getBoundingRectangle(), half);
    for (const Polygon& part : polygonSet.getAllPolygons()) {
        if (!part.isEmpty()) include(part.getBoundingRectangle(), 2 * half);
    }
    const Point shift(alongX.shiftIntoRange(), alongY.shiftIntoRange());
    if (shift == Point(0, 0)) return outfallInPlace(hostPolygon, polygonSet, bladeWidth);

    Polygon movedHost = hostPolygon;
    movedHost.translate(shift);
    PolygonSet movedParts = polygonSet;
    movedParts.translate(shift);
    const Point back(wrappingSubtract(0, shift.x), wrappingSubtract(0, shift.y));
    const HoledPolygonSet movedOutfall = outfallInPlace(movedHost, movedParts, bladeWidth);
    HoledPolygonSet outfall;
    for (const HoledPolygon& piece : movedOutfall.getAllPolygons()) {
        Polygon base = piece.getBasePolygon();
        base.translate(back);
        std::vector<Polygon> holes = piece.getHoles();
        for (Polygon& hole : holes) hole.translate(back);
        outfall.add(HoledPolygon(base, holes));
    }
    return outfall;
}

PolygonSetCutResult makeCutOnPolygonSet(const std::vector<HoledPolygon>& cuttablePolygons,
                                        const Segment& cuttingSegment, int minimumShapePadding) {
    const Polygon cutPolygon = createRectangularPolygonFromSegment(cuttingSegment, minimumShapePadding);
    PolygonSetCutResult result;
    HoledPolygonSet affectedPolygons;
    for (std::size_t i = 0; i < cuttablePolygons.size(); ++i) {
        if (!cuttablePolygons[i].intersect(cutPolygon)) continue;
        result.indices.push_back(static_cast<int>(i));
        affectedPolygons.add(cuttablePolygons[i]);
    }
    result.pieces = affectedPolygons.booleanSubtract(HoledPolygon(cutPolygon));
    return result;
}

PolygonSetCutResult removeCutFromPolygonSet(const std::vector<HoledPolygon>& cuttablePolygons,
                                            const Segment& cutSegmentToRemove,
                                            const std::vector<Segment>& otherCutSegments, const Polygon& hostPolygon,
                                            int minimumShapePadding) {
    const int expansionFactor = minimumShapePadding / 2;
    const Polygon nonHoledPolygonLostFromCut = lengthenedStrip(cutSegmentToRemove, minimumShapePadding);
    const HoledPolygon polygonLostFromCut(nonHoledPolygonLostFromCut);

    PolygonSetCutResult result;
    // A padding under 2 units makes no strip (the rectangle has no width), so
    // such a cut took nothing and separated nothing: there is nothing to give
    // back, rather than an empty piece.
    if (nonHoledPolygonLostFromCut.isEmpty()) return result;
    HoledPolygonSet polygonSetToMerge;
    polygonSetToMerge.add(polygonLostFromCut);
    for (std::size_t i = 0; i < cuttablePolygons.size(); ++i) {
        // A piece beside the cut lies half a blade width away from its strip.
        HoledPolygon grown = cuttablePolygons[i];
        grown.unvalidatedExpand(expansionFactor);
        if (!grown.intersect(nonHoledPolygonLostFromCut)) continue;
        result.indices.push_back(static_cast<int>(i));
        polygonSetToMerge.add(cuttablePolygons[i]);
    }
    polygonSetToMerge = polygonSetToMerge.booleanAddAll();

    // Cuts that remain, and the host's edge, still take their kerf out of the
    // merged material where they cross the strip given back.
    auto takeOutStripOf = [&](const Segment& cut) {
        const Polygon strip = lengthenedStrip(cut, minimumShapePadding);
        if (polygonSetToMerge.empty() || !polygonLostFromCut.intersect(strip)) return;
        polygonSetToMerge = polygonSetToMerge.booleanSubtract(HoledPolygon(strip));
    };
    for (const Segment& otherCut : otherCutSegments) takeOutStripOf(otherCut);
    Polygon grownHost = hostPolygon;
    grownHost.unvalidatedExpand(expansionFactor);
    for (const Segment& hostEdge : grownHost.getEdges()) takeOutStripOf(hostEdge);

    result.pieces = std::move(polygonSetToMerge);
    return result;
}

}  // namespace Zelkor::Rectilinear::Math

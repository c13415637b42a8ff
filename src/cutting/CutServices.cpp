#include "cutting/CutServices.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "cutting/CutLines.h"

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


// The host less the kerf union of the parts and the strips of the cut lines.
HoledPolygonSet outfallInPlace(const Polygon& hostPolygon, const PolygonSet& polygonSet, int bladeWidth) {
    HoledPolygonSet subtractionSet(polygonSet);
    for (const Segment& cut : getCutLines(hostPolygon, polygonSet.getAllPolygons(), bladeWidth)) {
        subtractionSet.add(HoledPolygon(lengthenedStrip(cut, bladeWidth)));
    }
    return HoledPolygon(hostPolygon).booleanSubtract(subtractionSet.booleanAddAll());
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

#include "cutting/CutServices.h"

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

}  // namespace

HoledPolygonSet getOutfallFrom(const Polygon& hostPolygon, const PolygonSet& polygonSet, int bladeWidth) {
    HoledPolygonSet subtractionSet(polygonSet);
    for (const Segment& cut : getCutLines(hostPolygon, polygonSet.getAllPolygons(), bladeWidth)) {
        subtractionSet.add(HoledPolygon(lengthenedStrip(cut, bladeWidth)));
    }
    subtractionSet = subtractionSet.booleanAddAll();
    return HoledPolygon(hostPolygon).booleanSubtract(subtractionSet);
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

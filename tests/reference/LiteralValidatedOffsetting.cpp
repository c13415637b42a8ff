#include "reference/LiteralValidatedOffsetting.h"

#include <vector>

#include "geometry/DirectedGraph.h"
#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Reference {

namespace {

HoledPolygonSet offsetAndValidated(const Polygon& polygon, int numberOfUnits) {
    const HoledPolygon::CycleSet cycleSet =
        HoledPolygon::getSimpleCycleInformation(polygon.getAllUnflippedNonZeroEdgesAfterContract(numberOfUnits));
    HoledPolygonSet validated;
    for (const Polygon& cycle : cycleSet.forwardCycles) validated.add(HoledPolygon(cycle));
    for (const Polygon& cycle : cycleSet.reverseCycles) validated = validated.booleanSubtract(HoledPolygon(cycle));
    return validated;
}

}  // namespace

PolygonSet polygonContracted(const Polygon& polygon, int numberOfUnits) {
    const std::vector<Segment> contractedEdges = polygon.getAllUnflippedNonZeroEdgesAfterContract(numberOfUnits);
    DirectedGraph directedGraph(Math::splitSegmentsBySegments(contractedEdges, contractedEdges));
    directedGraph.pruneDeadEndAndFalseStartEdges();
    const PolygonSet allSimpleCyclesSet = directedGraph.findAllSimpleCycles();
    std::vector<Polygon> pieces;
    for (const Polygon& cycle : allSimpleCyclesSet.getAllPolygons()) {
        if (!cycle.wasOriginallyDefinedInReverseOrder()) pieces.push_back(cycle);
    }
    return PolygonSet(pieces);
}

HoledPolygonSet holedPolygonContracted(const HoledPolygon& holedPolygon, int numberOfUnits) {
    HoledPolygonSet result = offsetAndValidated(holedPolygon.getBasePolygon(), numberOfUnits);
    HoledPolygonSet grownHoles;
    for (const Polygon& hole : holedPolygon.getHoles()) grownHoles.add(offsetAndValidated(hole, -numberOfUnits));
    for (const HoledPolygon& grownHole : grownHoles.getAllPolygons()) result = result.booleanSubtract(grownHole);
    return result;
}

}  // namespace Zelkor::Rectilinear::Reference

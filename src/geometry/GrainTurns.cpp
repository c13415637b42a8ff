#include "geometry/GrainTurns.h"

namespace Zelkor::Rectilinear::Math {

GrainTurns turnsKeepingGrain(const Polygon& polygon) {
    if (polygon.getTurnsAllowed() == TurnsAllowed::quarter) return anyTurn;
    GrainTurns turns = 0;
    for (int g = 0; g < 4; ++g) {
        if (keepsGrain(polygon.getTurnsAllowed(), polygon.getQuarterTurnsApplied() + g)) turns |= 1u << g;
    }
    return turns;
}

GrainTurns turnsKeepingGrain(const PolygonSet& set) {
    GrainTurns turns = anyTurn;
    for (const Polygon& member : set.getAllPolygons()) turns &= turnsKeepingGrain(member);
    return turns;
}

}  // namespace Zelkor::Rectilinear::Math

#pragma once

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/TurnsAllowed.h"

// Which turns of a whole polygon or set keep the grain of every part in it
// (Polygon::getTurnsAllowed), wherever the turns given so far have left them.
namespace Zelkor::Rectilinear::Math {

// Bit g (0 to 3) is set when g more counterclockwise quarter turns keep the grain.
using GrainTurns = unsigned;
constexpr GrainTurns anyTurn = 0xFu;

GrainTurns turnsKeepingGrain(const Polygon& polygon);
// The turns that keep the grain of every member; anyTurn for a set without grain.
GrainTurns turnsKeepingGrain(const PolygonSet& set);

// Whether `quarterTurns` more (any whole number, negative clockwise) are among `turns`.
constexpr bool allows(GrainTurns turns, int quarterTurns) {
    return ((turns >> (((quarterTurns % 4) + 4) % 4)) & 1u) != 0;
}

}  // namespace Zelkor::Rectilinear::Math

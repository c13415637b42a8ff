#pragma once

#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"

// Subtraction and union step by step: every split piece is tested against
// the whole other shape, shared pieces are found by linear search, and the
// cycles are traced by the segment-list Polygon constructor one after
// another. Kept to check the library's versions against and as benchmark
// baselines.
namespace Zelkor::Rectilinear::Reference {

HoledPolygonSet booleanSubtract(const HoledPolygon& shape, const HoledPolygon& otherPolygon);
HoledPolygonSet booleanSubtract(const HoledPolygon& shape, const HoledPolygonSet& holedPolygonSet);
HoledPolygonSet booleanSubtract(const HoledPolygonSet& set, const HoledPolygon& otherPolygon);
HoledPolygonSet booleanSubtract(const Polygon& polygon, const Polygon& otherPolygon);
HoledPolygonSet booleanSubtract(const Polygon& polygon, const PolygonSet& polygonSet);
// The shape less each member in turn, from every piece so far, each step
// the library's subtraction of one shape (itself checked against the one
// above): the literal order of steps at the library's speed per step, for
// sets too large for the step-by-step form.
HoledPolygonSet subtractEachInTurn(const HoledPolygon& shape, const HoledPolygonSet& holedPolygonSet);
PolygonSet booleanAddAndSimplify(const Polygon& polygon, const Polygon& otherPolygon, PolygonSet* interiorHolesRemoved);

}  // namespace Zelkor::Rectilinear::Reference

#pragma once

#include <optional>
#include <string>

#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Math {

// Whether a shape stands for a region, judged on the shape as built: corners
// on a straight line and repeated corners are already gone, and the outline
// runs counterclockwise whichever way it was given. The answer is what is
// wrong, in a few words naming the place, or nothing.
//
// An outline is refused when it crosses itself or runs over itself along a
// stretch (traced twice, two parts joined by a corridor of no width). It may
// touch itself at a corner (one corner visited twice). The empty polygon is
// no shape at all and passes.
//
// A holed polygon is refused when it has holes but no base, when its base or
// a hole is refused as an outline, when a hole is not inside the base, when
// two holes overlap, or when the holes leave nothing of the base. Holes may
// touch the base and each other along edges and at points; empty holes
// cover nothing and pass.
//
// Both run in O(n log n) for n corners in all.
std::optional<std::string> whatIsWrongWith(const Polygon& polygon);
std::optional<std::string> whatIsWrongWith(const HoledPolygon& holedPolygon);

// Readers for shapes that come from outside the library: they parse as the
// text constructors do, then throw InvalidPolygonException, with the reason,
// for a shape refused above or for text with corners that encloses nothing
// (a point, a line). Text made only of white space is the empty shape.
Polygon readValidPolygon(const std::string& polygonText, std::string name);
HoledPolygon readValidHoledPolygon(const std::string& holedPolygonText);

// Throws InvalidPolygonException, with the reason, when the shape is refused.
void requireValid(const Polygon& polygon);
void requireValid(const HoledPolygon& holedPolygon);

}  // namespace Zelkor::Rectilinear::Math

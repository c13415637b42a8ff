#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Math {

// Pairs traced outlines with the traced holes they enclose, one holed polygon
// per outline in outline order, each with its holes in hole order. A hole goes
// to the innermost outline that contains it (the containing outline of least
// area, the first on equal areas): where an island with a hole of its own lies
// in another outline's hole, the inner hole belongs to the island alone.
// Holes that no outline contains are dropped.
std::vector<HoledPolygon> assignHolesToInnermostOutlines(const std::vector<Polygon>& outlines,
                                                         const std::vector<Polygon>& holes);

// Whether outline number `outline` contains `hole`; it must agree with
// Polygon::contains, and lets a caller answer through its own indexes.
using OutlineContainsHole = std::function<bool(std::size_t outline, const Polygon& hole)>;

// The same rule with containment decided by `outlineContains`; the outlines
// and holes are moved into the result once every question is answered.
std::vector<HoledPolygon> assignHolesToInnermostOutlines(std::vector<Polygon>&& outlines,
                                                         std::vector<Polygon>&& holes,
                                                         const OutlineContainsHole& outlineContains);

}  // namespace Zelkor::Rectilinear::Math

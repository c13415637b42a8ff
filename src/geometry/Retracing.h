#pragma once

#include <cstddef>

#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Detail {

// Taking a shape away from a piece it does not reach only traces the piece
// again. A piece whose boundary cycles keep apart comes out of that the same
// but for its holes: each hole's flipped edges are traced from its second
// corner backwards, and the clockwise cycle, turned round, starts at the last
// corner traced, two corners on. This is the hole after `passes` such
// tracings. (The outline keeps its corners and loses its name.)
Polygon retracedHole(const Polygon& hole, std::size_t passes);

// No corner twice and no edge touching another but its neighbours at their
// shared corners: every cycle of the boundary is traced on its own, from its
// first edge, and nothing outside the shape can reach two of them at once.
bool cyclesKeepApart(const HoledPolygon& shape);

}  // namespace Zelkor::Rectilinear::Detail

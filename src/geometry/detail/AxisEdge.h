#pragma once

#include <algorithm>

#include "geometry/Point.h"

namespace Zelkor::Rectilinear::Detail {

// An axis-parallel edge from a to b read along its axis: the line it lies on,
// where it starts and ends along that line, and the interval it covers.
struct AxisEdge {
    bool vertical;
    Coordinate line, from, to, low, high;

    AxisEdge(const Point& a, const Point& b)
        : vertical(a.x == b.x),
          line(vertical ? a.x : a.y),
          from(vertical ? a.y : a.x),
          to(vertical ? b.y : b.x),
          low(std::min(from, to)),
          high(std::max(from, to)) {}
};

}  // namespace Zelkor::Rectilinear::Detail

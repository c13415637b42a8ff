#pragma once

#include <string>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Testing {

// Hand-written shapes for tests and benchmarks.

// The axis-aligned rectangle with corners (x1, y1) and (x2, y2), its corners
// listed counterclockwise from (x1, y1) when x1 < x2 and y1 < y2.
inline Polygon rect(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) {
    return Polygon(std::vector<Point>{{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, "");
}

// A polygon from its text form, unnamed.
inline Polygon poly(const std::string& text) {
    return Polygon(text, "");
}

}  // namespace Zelkor::Rectilinear::Testing

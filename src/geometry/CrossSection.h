#pragma once

#include "geometry/Point.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear {

// A probe line between two arbitrary points, not necessarily axis-parallel.
class CrossSection {
public:
    Point endPoints[2];

    CrossSection(const Point& p1, const Point& p2) : endPoints{p1, p2} {}

    const Point& getStartPoint() const { return endPoints[0]; }
    const Point& getEndPoint() const { return endPoints[1]; }
    // The hole point for any index but 0 and 1.
    Point getPoint(int index) const;

    // Parametric line intersection, both parameters in [0, 1] inclusive,
    // rounded back onto the lattice. Parallel or collinear lines give the
    // hole point, even when they overlap.
    Point intersection(const Segment& otherSegment) const;
};

}  // namespace Zelkor::Rectilinear

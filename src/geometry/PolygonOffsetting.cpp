// Raw offsets of a polygon: every edge moves the same whole number of units
// toward the interior (positive) or away from it (negative), with nothing to
// stop edges from passing each other.

#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear {

// Each edge shifts both of its corners perpendicular to itself, the direction
// read from the corners before any move. On a counterclockwise boundary the
// interior lies left of every edge: a rightward edge is a bottom edge and
// moves up, a leftward one moves down, an upward edge is a right edge and
// moves left, a downward one moves right. Every corner joins one horizontal
// and one vertical edge, so it receives one shift along each axis.
void Polygon::performContractionOnPoints(int numberOfUnits) {
    const std::vector<Point> originalPoints = points;
    const std::size_t count = originalPoints.size();
    const Coordinate n = numberOfUnits;
    const Coordinate minusN = wrappingSubtract(0, n);
    for (std::size_t ii = 0; ii < count; ++ii) {
        const std::size_t next = ii + 1 == count ? 0 : ii + 1;
        const Point& start = originalPoints[ii];
        const Point& end = originalPoints[next];
        Point offset;
        if (start.x == end.x) {
            // Vertical, zero-length edges included.
            offset = start.y < end.y ? Point(minusN, 0) : Point(n, 0);
        } else {
            offset = start.x < end.x ? Point(0, n) : Point(0, minusN);
        }
        points[ii].translate(offset);
        points[next].translate(offset);
    }
    updateBoundingRectangle();
}

void Polygon::unvalidatedContract(int numberOfUnits) {
    performContractionOnPoints(numberOfUnits);
    standardize();
}

void Polygon::unvalidatedExpand(int numberOfUnits) {
    performContractionOnPoints(static_cast<int>(wrappingSubtract(0, numberOfUnits)));
    standardize();
}

}  // namespace Zelkor::Rectilinear

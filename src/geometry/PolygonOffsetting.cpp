// Raw offsets of a polygon: every edge moves the same whole number of units
// toward the interior (positive) or away from it (negative), with nothing to
// stop edges from passing each other.

#include <cstdint>
#include <string>

#include "geometry/CoordinateRangeException.h"
#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear {

namespace {

// The move of the edge from `start` to `end` when every edge moves `units`
// toward the interior; see performContractionOnPoints.
void addEdgeShift(const Point& start, const Point& end, std::int64_t units, std::int64_t& dx, std::int64_t& dy) {
    if (start.x == end.x) {
        dx += start.y < end.y ? -units : units;
    } else {
        dy += start.x < end.x ? units : -units;
    }
}

// Raises CoordinateRangeException for the first corner that the raw offset
// takes outside the coordinate range, computing each corner's move exactly.
void requireOffsetCornersInRange(const std::vector<Point>& corners, int numberOfUnits) {
    const std::size_t count = corners.size();
    for (std::size_t ii = 0; ii < count; ++ii) {
        const Point& previous = corners[ii == 0 ? count - 1 : ii - 1];
        const Point& corner = corners[ii];
        const Point& next = corners[ii + 1 == count ? 0 : ii + 1];
        std::int64_t dx = 0, dy = 0;
        addEdgeShift(previous, corner, numberOfUnits, dx, dy);
        addEdgeShift(corner, next, numberOfUnits, dx, dy);
        const std::int64_t x = corner.x + dx, y = corner.y + dy;
        if (isInCoordinateRange(x) && isInCoordinateRange(y)) continue;
        const std::string operation =
            (numberOfUnits < 0 ? "expanding the corner " : "contracting the corner ") + corner.toString() + " by " +
            std::to_string(numberOfUnits < 0 ? -std::int64_t{numberOfUnits} : std::int64_t{numberOfUnits});
        throw CoordinateRangeException("Polygon", __LINE__, operation, isInCoordinateRange(x) ? 'y' : 'x',
                                       isInCoordinateRange(x) ? y : x);
    }
}

}  // namespace

// Each edge shifts both of its corners perpendicular to itself, the direction
// read from the corners before any move. On a counterclockwise boundary the
// interior lies left of every edge: a rightward edge is a bottom edge and
// moves up, a leftward one moves down, an upward edge is a right edge and
// moves left, a downward one moves right. Every corner joins one horizontal
// and one vertical edge, so it receives one shift along each axis.
//
// No corner moves further than the amount along either axis, so a box that
// stays in range when widened by it settles the range check with four
// comparisons; otherwise each corner's move is worked out exactly. Within the
// range the wrapping sums below are exact.
void Polygon::performContractionOnPoints(int numberOfUnits) {
    if (numberOfUnits != 0 && !points.empty()) {
        const std::int64_t reach = numberOfUnits < 0 ? -std::int64_t{numberOfUnits} : std::int64_t{numberOfUnits};
        const Point& low = boundingRectangle.getBottomLeft();
        const Point& high = boundingRectangle.getTopRight();
        if (!isInCoordinateRange(low.x - reach) || !isInCoordinateRange(low.y - reach) ||
            !isInCoordinateRange(high.x + reach) || !isInCoordinateRange(high.y + reach)) {
            requireOffsetCornersInRange(points, numberOfUnits);
        }
    }
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

#pragma once

#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/Segment.h"

// Step-by-step forms of the polygon algorithms the library runs faster. They
// work on the edge list and the corner list as the procedures describe, with
// the quadratic searches left in; kept to check the library against and as
// benchmark baselines.
namespace Zelkor::Rectilinear::Reference {

// --- Model --------------------------------------------------------------------

struct StandardizedCorners {
    std::vector<Point> points;
    float area = 0.0f;
    bool reversed = false;
};

// Passes over the corner list, erasing one corner at a time, until a pass
// erases nothing. Raises InvalidPolygonException for a diagonal edge.
StandardizedCorners standardize(std::vector<Point> points);

// Finds the first corner that recurs, moves the sub-loop's edges to the front
// of prependRemovedCycleTo and erases it from points.
bool removeInternalSegmentCycle(std::vector<Point>& points, std::vector<Segment>& prependRemovedCycleTo);

// The corner list the segment-chain constructor hands to standardization:
// traced by searching the list from the front each step, used segments erased
// one by one, then every sub-loop cut out. Raises InvalidPolygonException as
// the constructor does, with `segments` left as the erasures left it.
std::vector<Point> traceSegmentChain(std::vector<Segment>& segments);

bool equal(const Polygon& a, const Polygon& b);

// --- Queries ------------------------------------------------------------------

bool containsPoint(const Polygon& polygon, const Point& p);
bool containsNonCrossOverSegment(const Polygon& polygon, Segment segment, bool excludeEdges);
// A segment of zero length counts as its point, as in the library.
bool containsSegment(const Polygon& polygon, const Segment& segment);
bool segmentIsOnBoundary(const Polygon& polygon, const Segment& segment);
bool segmentIsCoincidentWithAnEdge(const Polygon& polygon, const Segment& segment);
bool intersectsAnEdge(const Polygon& polygon, const Segment& segment);
bool intersect(const Polygon& polygon, const Segment& segment);
bool intersect(const Polygon& a, const Polygon& b);
bool contains(const Polygon& a, const Polygon& b);
bool shareAnEdge(const Polygon& a, const Polygon& b);
Point getLabelPosition(const Polygon& polygon);

}  // namespace Zelkor::Rectilinear::Reference

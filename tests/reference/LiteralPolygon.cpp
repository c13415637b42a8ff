#include "reference/LiteralPolygon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "geometry/CrossSection.h"
#include "geometry/InvalidPolygonException.h"
#include "reference/LiteralSegmentSplitting.h"

namespace Zelkor::Rectilinear::Reference {

namespace {

std::size_t wrap(std::size_t i, std::size_t count) { return i % count; }

bool sharesAnAxis(const Point& a, const Point& b) { return a.x == b.x || a.y == b.y; }

// The pass of the boundary through corner k's position: the first corner of
// the run of consecutive corners there (0 when every corner is there).
std::size_t passThrough(const std::vector<Point>& corners, std::size_t k) {
    const std::size_t count = corners.size();
    for (std::size_t steps = 1; steps < count; ++steps) {
        const std::size_t previous = k == 0 ? count - 1 : k - 1;
        if (corners[previous] != corners[k]) return k;
        k = previous;
    }
    return 0;
}

}  // namespace

StandardizedCorners standardize(std::vector<Point> points) {
    double localArea = 0.0;
    bool removedSomething = true;
    while (removedSomething) {
        removedSomething = false;
        localArea = 0.0;
        std::size_t index = 0;
        while (index < points.size()) {
            const std::size_t count = points.size();
            const Point point = points[index];
            const std::size_t plusOne = wrap(index + 1, count);
            const Point pointPlusOne = points[plusOne];
            const Point pointPlusTwo = points[wrap(index + 2, count)];
            if (point.x != pointPlusOne.x && point.y != pointPlusOne.y) {
                throw InvalidPolygonException("Polygon", __LINE__);
            }
            if (sharesAnAxis(point, pointPlusTwo)) {
                // The corner dropped here has its outgoing edge tested first.
                if (!sharesAnAxis(pointPlusOne, pointPlusTwo)) throw InvalidPolygonException("Polygon", __LINE__);
                points.erase(points.begin() + static_cast<std::ptrdiff_t>(plusOne));
                removedSomething = true;
                if (plusOne == 0) break;
                continue;
            }
            localArea += static_cast<double>(std::int64_t{point.y} + pointPlusOne.y) * 0.5 *
                         static_cast<double>(std::int64_t{pointPlusOne.x} - point.x);
            ++index;
        }
    }
    StandardizedCorners result;
    result.area = static_cast<float>(std::fabs(localArea));
    if (localArea >= 0.0) {
        result.reversed = true;
        std::reverse(points.begin(), points.end());
    }
    result.points = std::move(points);
    return result;
}

bool removeInternalSegmentCycle(std::vector<Point>& points, std::vector<Segment>& prependRemovedCycleTo) {
    const std::size_t m = points.size();
    for (std::size_t i = 0; i + 1 < m; ++i) {
        for (std::size_t j = i + 1; j < m; ++j) {
            if (points[j] != points[i]) continue;
            for (std::size_t k = j; k >= i + 1; --k) {
                prependRemovedCycleTo.insert(prependRemovedCycleTo.begin(), Segment(points[k - 1], points[k]));
            }
            points.erase(points.begin() + static_cast<std::ptrdiff_t>(i),
                         points.begin() + static_cast<std::ptrdiff_t>(j));
            return true;
        }
    }
    return false;
}

std::vector<Point> traceSegmentChain(std::vector<Segment>& segments) {
    std::vector<Point> points;
    if (segments.empty()) return points;
    if (segments.size() < 3) throw InvalidPolygonException("Polygon", __LINE__);
    points.push_back(segments.front().getStartPoint());
    points.push_back(segments.front().getEndPoint());
    segments.erase(segments.begin());
    for (;;) {
        if (segments.empty()) throw InvalidPolygonException("Polygon", __LINE__);
        auto found = std::find_if(segments.begin(), segments.end(),
                                  [&points](const Segment& s) { return s.getStartPoint() == points.back(); });
        if (found == segments.end()) throw InvalidPolygonException("Polygon", __LINE__);
        if (found->getEndPoint() == points[0]) {
            segments.erase(found);
            break;
        }
        points.push_back(found->getEndPoint());
        segments.erase(found);
    }
    while (removeInternalSegmentCycle(points, segments)) {
    }
    return points;
}

bool equal(const Polygon& a, const Polygon& b) {
    const std::vector<Segment> thisEdges = a.getEdges();
    const std::vector<Segment> otherEdges = b.getEdges();
    if (thisEdges.size() != otherEdges.size()) return false;
    std::size_t otherEdgeIndex = 0;
    while (otherEdgeIndex < otherEdges.size() && !otherEdges[otherEdgeIndex].isEqualAndInSameDirection(thisEdges[0])) {
        ++otherEdgeIndex;
    }
    if (otherEdgeIndex == otherEdges.size()) return false;
    for (std::size_t thisEdgeIndex = 0; thisEdgeIndex < thisEdges.size(); ++thisEdgeIndex) {
        if (!thisEdges[thisEdgeIndex].isEqualAndInSameDirection(otherEdges[otherEdgeIndex])) return false;
        otherEdgeIndex = (otherEdgeIndex + 1) % otherEdges.size();
    }
    return true;
}

namespace {

bool vertexIntersectionShouldBeCountedAsCross(const Point& intersection, const Segment& vertexLegA,
                                              const Segment& vertexLegB) {
    auto lowerRight = [&intersection](const Segment& leg) {
        for (int e = 0; e < 2; ++e) {
            const Point& end = leg.endPoints[e];
            if (end.x > intersection.x || end.y < intersection.y) return true;
        }
        return false;
    };
    return lowerRight(vertexLegA) != lowerRight(vertexLegB);
}

}  // namespace

bool containsPoint(const Polygon& polygon, const Point& p) {
    const Rectangle boundingRectangle = polygon.getBoundingRectangle();
    const Point& bottomLeft = boundingRectangle.getBottomLeft();
    const Point& topRight = boundingRectangle.getTopRight();
    if (p.x > topRight.x || p.x < bottomLeft.x || p.y > topRight.y || p.y < bottomLeft.y) return false;
    const Coordinate distanceNeededToCrossPolygon = std::max(topRight.x - p.x + 1, topRight.y - p.y + 1);
    const CrossSection crossSection(p, Point(p.x + distanceNeededToCrossPolygon, p.y + distanceNeededToCrossPolygon));
    const std::vector<Segment> polygonEdges = polygon.getEdges();
    int numberOfIntersections = 0;
    // A corner position is handled once for each pass of the boundary through it.
    std::vector<std::pair<Point, std::size_t>> alreadyHandledVertices;
    const std::size_t count = polygonEdges.size();
    for (std::size_t ii = 0; ii < count; ++ii) {
        const Segment& edge = polygonEdges[ii];
        if (edge.containsPoint(p)) return true;
        const Point intersection = crossSection.intersection(edge);
        if (intersection.isHole()) continue;
        if (!edge.isEndpoint(intersection)) {
            ++numberOfIntersections;
            continue;
        }
        const std::size_t corner = edge.getEndPoint() == intersection ? wrap(ii + 1, count) : ii;
        const std::pair<Point, std::size_t> vertex(intersection, passThrough(polygon.getPoints(), corner));
        if (std::find(alreadyHandledVertices.begin(), alreadyHandledVertices.end(), vertex) !=
            alreadyHandledVertices.end()) {
            continue;
        }
        alreadyHandledVertices.push_back(vertex);
        const Segment& nextEdge = polygonEdges[(ii + 1) % count];
        const Segment& previousEdge = polygonEdges[ii == 0 ? count - 1 : ii - 1];
        const Segment& otherVertexLeg = nextEdge.isEndpoint(intersection) ? nextEdge : previousEdge;
        if (vertexIntersectionShouldBeCountedAsCross(intersection, edge, otherVertexLeg)) ++numberOfIntersections;
    }
    return numberOfIntersections % 2 == 1;
}

bool containsNonCrossOverSegment(const Polygon& polygon, Segment segment, bool excludeEdges) {
    if (!containsPoint(polygon, segment.getEndPoint()) || !containsPoint(polygon, segment.getStartPoint())) {
        return false;
    }
    const bool segmentIsVertical = segment.isVertical();
    const std::vector<Segment> edges = polygon.getEdges();
    if (!excludeEdges) {
        for (const Segment& edge : edges) {
            if (edge.isVertical() == segmentIsVertical && edge.containsSegment(segment)) return true;
        }
    }
    for (const Segment& edge : edges) {
        if (!edge.isPerpendicular(segment)) continue;
        const Point intersection = segment.intersection(edge);
        if (intersection.isHole()) continue;
        if (!edge.isEndpoint(intersection) && !segment.isEndpoint(intersection)) return false;
        if (segment.getStartPoint() != intersection) segment.flip();
        if (!segmentIsVertical) {
            if (segment.definedRightward() == edge.definedUpward()) return false;
        } else {
            if (segment.definedUpward() != edge.definedRightward()) return false;
        }
    }
    return true;
}

bool containsSegment(const Polygon& polygon, const Segment& segment) {
    if (!containsPoint(polygon, segment.getEndPoint()) || !containsPoint(polygon, segment.getStartPoint())) {
        return false;
    }
    // A point is contained as a point: the piece test would refuse one lying
    // on a rightward edge.
    if (segment.getStartPoint() == segment.getEndPoint()) return true;
    for (const Segment& piece : splitSegmentsBySegments({segment}, polygon.getEdges())) {
        if (!containsNonCrossOverSegment(polygon, piece, false)) return false;
    }
    return true;
}

bool segmentIsOnBoundary(const Polygon& polygon, const Segment& segment) {
    for (const Segment& edge : polygon.getEdges()) {
        if (edge.containsSegment(segment)) return true;
    }
    return false;
}

bool segmentIsCoincidentWithAnEdge(const Polygon& polygon, const Segment& segment) {
    for (const Segment& edge : polygon.getEdges()) {
        if (edge.intersection(segment).isInfinity()) return true;
    }
    return false;
}

bool intersectsAnEdge(const Polygon& polygon, const Segment& segment) {
    for (const Segment& edge : polygon.getEdges()) {
        if (!edge.intersection(segment).isHole()) return true;
    }
    return false;
}

bool intersect(const Polygon& polygon, const Segment& segment) {
    return containsSegment(polygon, segment) || intersectsAnEdge(polygon, segment);
}

bool intersect(const Polygon& a, const Polygon& b) {
    if (!a.boundingRectanglesIntersect(b)) return false;
    for (const Segment& thisEdge : a.getEdges()) {
        for (const Segment& otherEdge : b.getEdges()) {
            if (!thisEdge.intersection(otherEdge).isHole()) return true;
        }
    }
    auto containsAll = [](const Polygon& polygon, const std::vector<Point>& points) {
        for (const Point& p : points) {
            if (!containsPoint(polygon, p)) return false;
        }
        return true;
    };
    return containsAll(a, b.getPoints()) || containsAll(b, a.getPoints());
}

bool contains(const Polygon& a, const Polygon& b) {
    for (const Segment& edge : b.getEdges()) {
        if (!containsSegment(a, edge)) return false;
    }
    return true;
}

bool shareAnEdge(const Polygon& a, const Polygon& b) {
    for (const Segment& thisEdge : a.getEdges()) {
        for (const Segment& otherEdge : b.getEdges()) {
            if (thisEdge == otherEdge) return true;
        }
    }
    return false;
}

Point getLabelPosition(const Polygon& polygon) {
    const Point centroid = polygon.getCentroid();
    if (containsPoint(polygon, centroid)) return centroid;
    const Rectangle bounds = polygon.getBoundingRectangle();
    const std::vector<Segment> crossHairSegments{
        Segment(bounds.getBottomLeft().x, centroid.y, bounds.getTopRight().x, centroid.y),
        Segment(centroid.x, bounds.getBottomLeft().y, centroid.x, bounds.getTopRight().y)};
    const std::vector<Segment> pieces = splitSegmentsBySegments(crossHairSegments, polygon.getEdges());
    bool found = false;
    Segment longest;
    for (const Segment& piece : pieces) {
        if (!containsNonCrossOverSegment(polygon, piece, false)) continue;
        if (!found || piece.length() > longest.length()) {
            longest = piece;
            found = true;
        }
    }
    return found ? longest.midpoint() : centroid;
}

}  // namespace Zelkor::Rectilinear::Reference

// Read-only predicates of Polygon: containment, intersection, edge splitting,
// centroid and label position. The placement and packing searches call these
// millions of times, so the hot ones walk the corner pairs directly instead
// of building the edge list, and reject by the cached bounding rectangle first.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "geometry/Polygon.h"
#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear {

namespace {

// The edge from corner i to corner i + 1; corners of a polygon always share an
// axis, so the check of the Segment constructor is not repeated.
Segment edgeBetween(const Point& a, const Point& b) {
    Segment edge;
    edge.endPoints[0] = a;
    edge.endPoints[1] = b;
    return edge;
}

bool inClosedRange(Coordinate value, Coordinate a, Coordinate b) {
    return a <= b ? (a <= value && value <= b) : (b <= value && value <= a);
}

bool insideBox(const Rectangle& box, const Point& p) {
    return p.x >= box.getBottomLeft().x && p.x <= box.getTopRight().x && p.y >= box.getBottomLeft().y &&
           p.y <= box.getTopRight().y;
}

// The closed boxes of two segments overlap: necessary for any common point.
bool boxesMeet(const Segment& a, const Segment& b) {
    const Point& a0 = a.endPoints[0];
    const Point& a1 = a.endPoints[1];
    const Point& b0 = b.endPoints[0];
    const Point& b1 = b.endPoints[1];
    return std::max(std::min(a0.x, a1.x), std::min(b0.x, b1.x)) <=
               std::min(std::max(a0.x, a1.x), std::max(b0.x, b1.x)) &&
           std::max(std::min(a0.y, a1.y), std::min(b0.y, b1.y)) <= std::min(std::max(a0.y, a1.y), std::max(b0.y, b1.y));
}

bool segmentMeetsBox(const Segment& s, const Rectangle& box) {
    const Point& s0 = s.endPoints[0];
    const Point& s1 = s.endPoints[1];
    return std::min(s0.x, s1.x) <= box.getTopRight().x && std::max(s0.x, s1.x) >= box.getBottomLeft().x &&
           std::min(s0.y, s1.y) <= box.getTopRight().y && std::max(s0.y, s1.y) >= box.getBottomLeft().y;
}

bool boxInsideBox(const Rectangle& inner, const Rectangle& outer) {
    return insideBox(outer, inner.getBottomLeft()) && insideBox(outer, inner.getTopRight());
}

// A leg of a vertex lies on the lower-right side of the diagonal ray when one
// of its ends is right of the vertex or below it.
bool legLeavesRightOrDown(const Point& vertex, const Point& a, const Point& b) {
    return a.x > vertex.x || a.y < vertex.y || b.x > vertex.x || b.y < vertex.y;
}

// A short list kept on the stack, spilling to the heap only when it grows
// past its inline capacity.
template <typename T, std::size_t inlineCapacity>
class ShortList {
public:
    void push_back(const T& value) {
        if (count < inlineCapacity) {
            inlineItems[count] = value;
        } else {
            if (overflow.empty()) overflow.assign(inlineItems.begin(), inlineItems.end());
            overflow.push_back(value);
        }
        ++count;
    }
    std::size_t size() const { return count; }
    T* data() { return count <= inlineCapacity ? inlineItems.data() : overflow.data(); }

private:
    std::array<T, inlineCapacity> inlineItems{};
    std::vector<T> overflow;
    std::size_t count = 0;
};

// The diagonal ray met a corner: `distance` along the ray identifies the
// corner position, `visit` the pass of the boundary through it (the first
// corner of the run of consecutive corners there), `countsAsCross` is the
// vertex rule's verdict for the two legs seen at the meeting.
struct VertexMeeting {
    std::int64_t distance;
    std::size_t visit;
    bool countsAsCross;
};

// Each pass of the boundary through a corner position counts once, by its
// first meeting: an outline that touches itself at a corner passes there
// twice, and each pass crosses the ray or grazes it on its own legs.
int countFirstMeetingCrosses(ShortList<VertexMeeting, 16>& meetings) {
    const std::size_t count = meetings.size();
    VertexMeeting* items = meetings.data();
    int crosses = 0;
    if (count <= 32) {
        for (std::size_t i = 0; i < count; ++i) {
            bool seenBefore = false;
            for (std::size_t j = 0; j < i && !seenBefore; ++j) {
                seenBefore = items[j].distance == items[i].distance && items[j].visit == items[i].visit;
            }
            if (!seenBefore && items[i].countsAsCross) ++crosses;
        }
        return crosses;
    }
    std::stable_sort(items, items + count, [](const VertexMeeting& a, const VertexMeeting& b) {
        return a.distance != b.distance ? a.distance < b.distance : a.visit < b.visit;
    });
    for (std::size_t i = 0; i < count; ++i) {
        const bool firstOfVisit =
            i == 0 || items[i - 1].distance != items[i].distance || items[i - 1].visit != items[i].visit;
        if (firstOfVisit && items[i].countsAsCross) ++crosses;
    }
    return crosses;
}

// Whether the outline passes some corner position more than once (a run of
// equal consecutive corners is one pass): it then touches itself there.
bool passesACornerTwice(const std::vector<Point>& corners) {
    const std::size_t count = corners.size();
    auto startsAPass = [&corners, count](std::size_t k) { return corners[k == 0 ? count - 1 : k - 1] != corners[k]; };
    if (count <= 32) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!startsAPass(i)) continue;
            for (std::size_t j = i + 1; j < count; ++j) {
                if (corners[j] == corners[i] && startsAPass(j)) return true;
            }
        }
        return false;
    }
    std::vector<Point> passes;
    passes.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        if (startsAPass(k)) passes.push_back(corners[k]);
    }
    std::sort(passes.begin(), passes.end());
    return std::adjacent_find(passes.begin(), passes.end()) != passes.end();
}

Coordinate saturateToCoordinate(__int128 value) {
    if (value > std::numeric_limits<Coordinate>::max()) return std::numeric_limits<Coordinate>::max();
    if (value < std::numeric_limits<Coordinate>::min()) return std::numeric_limits<Coordinate>::min();
    return static_cast<Coordinate>(value);
}

// Ray-crossing test with a ray at 45 degrees up and to the right from p.
// Along an axis-parallel edge the diagonal coordinate y - x changes strictly
// monotonically, so the diagonal line through p meets an edge of positive
// length exactly when y - x of p lies between the values at its two ends, and
// meets it at a corner exactly when it equals one of them. The meeting point
// is at distance t = x - p.x = y - p.y along the ray, read off the edge's
// fixed coordinate; t < 0 lies behind p, t == 0 is p itself on the edge. The
// ray is long enough to leave the bounding rectangle, so no meeting lies
// beyond its end, and all meetings are lattice points. Where the ray passes
// through a corner, the corner counts as a crossing only when its two legs
// lie on opposite sides of the ray, and each pass of the boundary through a
// corner position counts once.
//
// The walk carries each corner's diagonal coordinate (relative to p's) over
// to the next edge, so an edge the diagonal line misses, nearly all of them,
// costs one load, a subtraction and two sign tests.
class RayWalk {
public:
    RayWalk(const Point& p, const Point* newCorners, std::size_t newCount)
        : px(p.x), py(p.y), diagonal(py - px), corners(newCorners), count(newCount) {
        first = relativeDiagonal(corners[0]);
        u = first;
    }

    // Steps over edge i, from corner i to corner i + 1 (wrapping). False when
    // p lies on that edge.
    bool step(std::size_t i) {
        const std::size_t j = i + 1 == count ? 0 : i + 1;
        const std::int64_t v = j == 0 ? first : relativeDiagonal(corners[j]);
        const std::int64_t uHere = u;
        u = v;
        const bool missed = ((uHere > 0) & (v > 0)) | ((uHere < 0) & (v < 0));
        return missed || meet(i, j, uHere, v);
    }

    // After every edge has been stepped over without meeting p.
    bool crossedOddTimes() { return ((crossings + countFirstMeetingCrosses(meetings)) & 1) != 0; }

private:
    std::int64_t relativeDiagonal(const Point& c) const { return std::int64_t{c.y} - c.x - diagonal; }

    // The diagonal line through p meets edge i -> j; u and v are the relative
    // diagonal coordinates of its ends.
    bool meet(std::size_t i, std::size_t j, std::int64_t uA, std::int64_t v) {
        const Point& a = corners[i];
        const Point& b = corners[j];
        const std::int64_t t = a.x == b.x ? std::int64_t{a.x} - px : std::int64_t{a.y} - py;
        if (t < 0) return true;
        if (t == 0) return false;  // p lies on this edge
        if (uA == v) return true;  // a zero-length edge is parallel to nothing the ray can meet
        if (uA != 0 && v != 0) {
            ++crossings;
            return true;
        }
        const Point meeting(static_cast<Coordinate>(px + t), static_cast<Coordinate>(py + t));
        // The other leg of the corner: the next edge when it has the corner as
        // an end point, otherwise the previous edge.
        const Point& nextEnd = corners[(i + 2) % count];
        bool otherLegFlag;
        if (meeting == b || meeting == nextEnd) {
            otherLegFlag = legLeavesRightOrDown(meeting, b, nextEnd);
        } else {
            otherLegFlag = legLeavesRightOrDown(meeting, corners[i == 0 ? count - 1 : i - 1], a);
        }
        meetings.push_back({t, visitOf(meeting == b ? j : i), legLeavesRightOrDown(meeting, a, b) != otherLegFlag});
        return true;
    }

    // The first corner of the run of consecutive corners at corner k's
    // position (zero-length edges join corners into one pass).
    std::size_t visitOf(std::size_t k) const {
        for (std::size_t steps = 1; steps < count; ++steps) {
            const std::size_t previous = k == 0 ? count - 1 : k - 1;
            if (corners[previous] != corners[k]) return k;
            k = previous;
        }
        return 0;  // every corner at one position
    }

    const std::int64_t px;
    const std::int64_t py;
    const std::int64_t diagonal;
    const Point* const corners;
    const std::size_t count;
    std::int64_t first = 0;
    std::int64_t u = 0;
    int crossings = 0;
    ShortList<VertexMeeting, 16> meetings;
};

}  // namespace

// The diagonal ray test of RayWalk; boundary points are inside.
bool Polygon::containsPoint(const Point& p) const {
    if (points.empty() || !insideBox(boundingRectangle, p)) return false;
    RayWalk ray(p, points.data(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!ray.step(i)) return true;
    }
    return ray.crossedOddTimes();
}

bool Polygon::containsAllPoints(const std::vector<Point>& pointsToTest) const {
    for (const Point& p : pointsToTest) {
        if (!containsPoint(p)) return false;
    }
    return true;
}

bool Polygon::vertexIntersectionShouldBeCountedAsCross(const Point& intersection, const Segment& vertexLegA,
                                                       const Segment& vertexLegB) {
    return legLeavesRightOrDown(intersection, vertexLegA.endPoints[0], vertexLegA.endPoints[1]) !=
           legLeavesRightOrDown(intersection, vertexLegB.endPoints[0], vertexLegB.endPoints[1]);
}

// For a segment of positive length, equivalent to splitting it at every
// interior point where a perpendicular edge meets it and testing each piece
// with containsNonCrossOverSegment, without the repeated end point tests:
// - every piece end is a segment end (tested here) or lies on an edge;
// - a perpendicular edge meets a piece only at a piece end (else it would
//   have split it), and the piece test then looks at the piece directed away
//   from that end, whatever earlier edges did to its direction;
// - so a piece fails exactly when no parallel edge covers it and some
//   perpendicular edge at one of its ends points the wrong way for the side
//   the piece lies on.
bool Polygon::containsSegment(const Segment& segment) const {
    if (!containsPoint(segment.getEndPoint()) || !containsPoint(segment.getStartPoint())) return false;
    return staysWithin(segment);
}

// The rest of containsSegment, once both ends are known to be inside.
bool Polygon::staysWithin(const Segment& segment) const {
    const Point& start = segment.getStartPoint();
    const Point& end = segment.getEndPoint();
    // A segment of zero length is the point itself. (The piece test would
    // treat it as a vertical segment that does not run upward and refuse it
    // on every rightward edge, although it lies on the boundary.)
    if (start == end) return true;

    const bool vertical = segment.isVertical();
    const Coordinate across = vertical ? start.x : start.y;
    const Coordinate low = vertical ? std::min(start.y, end.y) : std::min(start.x, end.x);
    const Coordinate high = vertical ? std::max(start.y, end.y) : std::max(start.x, end.x);

    // A perpendicular edge meeting the segment at `position`; `badAbove`
    // means the piece on the increasing side of it would leave the polygon
    // there, otherwise the piece on the decreasing side would.
    struct Touch {
        Coordinate position;
        bool badAbove;
    };
    std::vector<Touch> touches;
    std::vector<std::pair<Coordinate, Coordinate>> cover;  // collinear edges, as ranges
    // Outcodes against the segment's box: an edge whose two corners lie
    // beyond the same side of it cannot meet the segment.
    const Coordinate left = std::min(start.x, end.x), right = std::max(start.x, end.x);
    const Coordinate bottom = std::min(start.y, end.y), top = std::max(start.y, end.y);
    auto outcode = [=](const Point& c) {
        return static_cast<unsigned>(c.x < left) | static_cast<unsigned>(c.x > right) << 1 |
               static_cast<unsigned>(c.y < bottom) << 2 | static_cast<unsigned>(c.y > top) << 3;
    };
    const Point* const corners = points.data();
    const std::size_t count = points.size();
    const unsigned firstCode = outcode(corners[0]);
    unsigned codeA = firstCode;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t j = i + 1 == count ? 0 : i + 1;
        const unsigned codeB = j == 0 ? firstCode : outcode(corners[j]);
        const bool apart = (codeA & codeB) != 0;
        codeA = codeB;
        if (apart) continue;
        const Point& a = corners[i];
        const Point& b = corners[j];
        const bool edgeVertical = a.x == b.x;
        if (edgeVertical == vertical) {
            const Coordinate edgeAcross = vertical ? a.x : a.y;
            if (edgeAcross != across || a == b) continue;
            const Coordinate edgeLow = vertical ? std::min(a.y, b.y) : std::min(a.x, b.x);
            const Coordinate edgeHigh = vertical ? std::max(a.y, b.y) : std::max(a.x, b.x);
            if (edgeHigh >= low && edgeLow <= high) cover.emplace_back(edgeLow, edgeHigh);
            continue;
        }
        const Coordinate position = vertical ? a.y : a.x;
        if (position < low || position > high) continue;
        if (!(vertical ? inClosedRange(across, a.x, b.x) : inClosedRange(across, a.y, b.y))) continue;
        // Horizontal segment: a piece running rightward away from the edge
        // fails when the edge runs upward. Vertical segment: a piece running
        // upward away from the edge fails when the edge runs leftward.
        const bool badAbove = vertical ? !(a.x < b.x) : a.y < b.y;
        touches.push_back({position, badAbove});
    }
    if (touches.empty()) return true;

    std::vector<Coordinate> cuts;
    cuts.reserve(touches.size() + 2);
    cuts.push_back(low);
    cuts.push_back(high);
    for (const Touch& t : touches) cuts.push_back(t.position);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    // Piece k runs from cuts[k] to cuts[k + 1].
    const std::size_t pieces = cuts.size() - 1;
    std::vector<bool> badPiece(pieces, false);
    for (const Touch& t : touches) {
        const std::size_t k =
            static_cast<std::size_t>(std::lower_bound(cuts.begin(), cuts.end(), t.position) - cuts.begin());
        if (t.badAbove) {
            if (k < pieces) badPiece[k] = true;
        } else if (k > 0) {
            badPiece[k - 1] = true;
        }
    }
    if (std::find(badPiece.begin(), badPiece.end(), true) == badPiece.end()) return true;

    // A failing piece is still contained when a collinear edge covers it.
    std::sort(cover.begin(), cover.end());
    std::vector<Coordinate> reach(cover.size());
    for (std::size_t i = 0; i < cover.size(); ++i)
        reach[i] = std::max(cover[i].second, i > 0 ? reach[i - 1] : cover[i].second);
    for (std::size_t k = 0; k < pieces; ++k) {
        if (!badPiece[k]) continue;
        const auto after = std::upper_bound(cover.begin(), cover.end(),
                                            std::make_pair(cuts[k], std::numeric_limits<Coordinate>::max()));
        if (after == cover.begin() || reach[static_cast<std::size_t>(after - cover.begin()) - 1] < cuts[k + 1])
            return false;
    }
    return true;
}

bool Polygon::containsNonCrossOverSegment(Segment segment, bool excludeEdges) const {
    if (!containsPoint(segment.getEndPoint()) || !containsPoint(segment.getStartPoint())) return false;
    const bool segmentIsVertical = segment.isVertical();
    const std::size_t count = points.size();
    if (!excludeEdges) {
        for (std::size_t i = 0; i < count; ++i) {
            const Segment edge = edgeBetween(points[i], points[i + 1 == count ? 0 : i + 1]);
            if (edge.isVertical() == segmentIsVertical && edge.containsSegment(segment)) return true;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const Segment edge = edgeBetween(points[i], points[i + 1 == count ? 0 : i + 1]);
        if (edge.isVertical() == segmentIsVertical || !boxesMeet(segment, edge)) continue;
        const Point intersection = segment.intersection(edge);
        if (intersection.isHole()) continue;
        if (!edge.isEndpoint(intersection) && !segment.isEndpoint(intersection)) return false;
        if (segment.getStartPoint() != intersection) segment.flip();
        if (segmentIsVertical) {
            if (segment.definedUpward() != edge.definedRightward()) return false;
        } else {
            if (segment.definedRightward() == edge.definedUpward()) return false;
        }
    }
    return true;
}

bool Polygon::segmentIsOnBoundary(const Segment& segment) const {
    if (points.empty() || !insideBox(boundingRectangle, segment.getStartPoint()) ||
        !insideBox(boundingRectangle, segment.getEndPoint())) {
        return false;
    }
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (edgeBetween(points[i], points[i + 1 == count ? 0 : i + 1]).containsSegment(segment)) return true;
    }
    return false;
}

bool Polygon::segmentIsCoincidentWithAnEdge(const Segment& segment) const {
    if (points.empty() || !segmentMeetsBox(segment, boundingRectangle)) return false;
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Segment edge = edgeBetween(points[i], points[i + 1 == count ? 0 : i + 1]);
        if (boxesMeet(edge, segment) && edge.intersection(segment).isInfinity()) return true;
    }
    return false;
}

bool Polygon::intersectsAnEdge(const Segment& segment) const {
    if (points.empty() || !segmentMeetsBox(segment, boundingRectangle)) return false;
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Segment edge = edgeBetween(points[i], points[i + 1 == count ? 0 : i + 1]);
        if (boxesMeet(edge, segment) && !edge.intersection(segment).isHole()) return true;
    }
    return false;
}

// Either test alone decides; the cheaper edge test goes first.
bool Polygon::intersect(const Segment& segment) const { return intersectsAnEdge(segment) || containsSegment(segment); }

bool Polygon::boundingRectanglesIntersect(const Polygon& otherPolygon) const {
    const Rectangle& a = boundingRectangle;
    const Rectangle& b = otherPolygon.boundingRectangle;
    const Coordinate aLeft = a.getBottomLeft().x, aRight = a.getTopRight().x;
    const Coordinate bLeft = b.getBottomLeft().x, bRight = b.getTopRight().x;
    const Coordinate aBottom = a.getBottomLeft().y, aTop = a.getTopRight().y;
    const Coordinate bBottom = b.getBottomLeft().y, bTop = b.getTopRight().y;
    const bool xOverlap = (aLeft <= bLeft && bLeft <= aRight) || (bLeft <= aLeft && aLeft <= bRight);
    const bool yOverlap = (aBottom <= bBottom && bBottom <= aTop) || (bBottom <= aBottom && aBottom <= bTop);
    return xOverlap && yOverlap;
}

bool Polygon::intersect(const Polygon& otherPolygon) const {
    if (!boundingRectanglesIntersect(otherPolygon)) return false;
    // Only edges that reach into the other polygon's box can meet its edges.
    const std::vector<Point>& other = otherPolygon.points;
    const std::size_t count = points.size();
    const std::size_t otherCount = other.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Segment edge = edgeBetween(points[i], points[i + 1 == count ? 0 : i + 1]);
        if (!segmentMeetsBox(edge, otherPolygon.boundingRectangle)) continue;
        for (std::size_t k = 0; k < otherCount; ++k) {
            const Segment otherEdge = edgeBetween(other[k], other[k + 1 == otherCount ? 0 : k + 1]);
            if (boxesMeet(edge, otherEdge) && !edge.intersection(otherEdge).isHole()) return true;
        }
    }
    if (containsAllPoints(other)) return true;
    if (otherPolygon.containsAllPoints(points)) return true;
    return false;
}

bool Polygon::contains(const Polygon& otherPolygon) const {
    if (otherPolygon.points.empty()) return true;
    if (points.empty() || !boxInsideBox(otherPolygon.boundingRectangle, boundingRectangle)) return false;
    // Every edge inside: each corner (an end of two edges) is tested once.
    const std::vector<Point>& other = otherPolygon.points;
    const std::size_t count = other.size();
    for (const Point& corner : other) {
        if (!containsPoint(corner)) return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!staysWithin(edgeBetween(other[i], other[i + 1 == count ? 0 : i + 1]))) return false;
    }
    // An outline that touches itself at a corner can close off part of the
    // outside with edges of its own, and a polygon drawn around that part
    // has all its edges inside. It holds such a part exactly when a piece of
    // this outline lies in its interior, or along one of its edges the other
    // way round (with the outside on the inner side).
    if (!passesACornerTwice(points)) return true;
    const std::vector<Segment> otherEdges = otherPolygon.getEdges();
    for (const Segment& piece : Math::splitSegmentsBySegments(getEdges(), otherEdges)) {
        if (piece.getStartPoint() == piece.getEndPoint() || !otherPolygon.containsSegment(piece)) continue;
        const bool alongTheSameWay = std::any_of(otherEdges.begin(), otherEdges.end(), [&piece](const Segment& edge) {
            return edge.containsSegment(piece) && edge.isInSameDirection(piece);
        });
        if (!alongTheSameWay) return false;
    }
    return true;
}

// Edges match in either direction, so each is keyed by its end points in
// ascending order.
bool Polygon::shareAnEdge(const Polygon& otherPolygon) const {
    if (points.empty() || otherPolygon.points.empty() || !boundingRectanglesIntersect(otherPolygon)) return false;
    using Key = std::pair<Point, Point>;
    auto keysOf = [](const std::vector<Point>& corners) {
        std::vector<Key> keys;
        keys.reserve(corners.size());
        const std::size_t count = corners.size();
        for (std::size_t i = 0; i < count; ++i) {
            const Point& a = corners[i];
            const Point& b = corners[i + 1 == count ? 0 : i + 1];
            keys.emplace_back(b < a ? Key(b, a) : Key(a, b));
        }
        return keys;
    };
    auto keyLess = [](const Key& a, const Key& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    };
    std::vector<Key> theseKeys = keysOf(points);
    const std::vector<Key> otherKeys = keysOf(otherPolygon.points);
    std::sort(theseKeys.begin(), theseKeys.end(), keyLess);
    for (const Key& key : otherKeys) {
        if (std::binary_search(theseKeys.begin(), theseKeys.end(), key, keyLess)) return true;
    }
    return false;
}

std::vector<Segment> Polygon::edgesSplitBy(const Polygon& otherPolygon) const {
    return Math::splitSegmentsBySegments(getEdges(), otherPolygon.getEdges());
}

std::vector<Segment> Polygon::edgesSplitBy(const std::vector<Segment>& cuttingEdges) const {
    return Math::splitSegmentsBySegments(getEdges(), cuttingEdges);
}

std::vector<Segment> Polygon::splitSegmentByEdges(const Segment& cutTarget) const {
    return Math::splitSegmentsBySegments({cutTarget}, getEdges());
}

// The area centroid, truncated toward zero. The sums of the shoelace formula
// are kept exact and divided once, so a centroid on the lattice (the middle
// of a 4 by 10 rectangle, say) is not lost to rounding just below it. A
// polygon without area has no centroid; it answers (0, 0) like an empty one.
Point Polygon::getCentroid() const {
    __int128 twiceSignedArea = 0;
    __int128 sumX = 0;
    __int128 sumY = 0;
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Point& pi = points[i];
        const Point& pj = points[i + 1 == count ? 0 : i + 1];
        // The difference of two 62-bit products needs one bit more than 64.
        const __int128 c =
            static_cast<__int128>(std::int64_t{pi.x} * pj.y) - static_cast<__int128>(std::int64_t{pj.x} * pi.y);
        twiceSignedArea += c;
        sumX += (std::int64_t{pi.x} + pj.x) * c;
        sumY += (std::int64_t{pi.y} + pj.y) * c;
    }
    if (twiceSignedArea == 0) return {0, 0};
    const __int128 divisor = 3 * twiceSignedArea;
    return {saturateToCoordinate(sumX / divisor), saturateToCoordinate(sumY / divisor)};
}

// The centroid when it is inside; otherwise the middle of the longest piece of
// the crosshair through it that stays inside. When no piece does (a
// degenerate polygon), the centroid all the same.
Point Polygon::getLabelPosition() const {
    const Point centroid = getCentroid();
    if (containsPoint(centroid)) return centroid;
    const Rectangle& bounds = boundingRectangle;
    const std::vector<Segment> crossHairSegments{
        Segment(bounds.getBottomLeft().x, centroid.y, bounds.getTopRight().x, centroid.y),
        Segment(centroid.x, bounds.getBottomLeft().y, centroid.x, bounds.getTopRight().y)};
    const std::vector<Segment> pieces = Math::splitSegmentsBySegments(crossHairSegments, getEdges());
    const Segment* longest = nullptr;
    for (const Segment& piece : pieces) {
        if (longest != nullptr && piece.length() <= longest->length()) continue;
        if (containsNonCrossOverSegment(piece, false)) longest = &piece;
    }
    return longest != nullptr ? longest->midpoint() : centroid;
}

}  // namespace Zelkor::Rectilinear

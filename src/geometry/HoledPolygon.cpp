// The holed polygon as a value: its text form, its edges with the holes
// turned clockwise, and the containment and intersection tests that respect
// the holes. Subtraction and the validated offsets live with the other
// boolean and offsetting code.

#include "geometry/HoledPolygon.h"

#include <algorithm>
#include <utility>

#include "geometry/DirectedGraph.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/PolygonSet.h"
#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear {

namespace {

constexpr char holeSeparator = '|';

// A polygon without corners encloses nothing. A default-constructed one
// carries the area marker -1, which must not leak into a difference of areas.
float enclosedArea(const Polygon& polygon) {
    return polygon.isEmpty() ? 0.0f : polygon.getArea();
}

// The segment meets the polygon's closed bounding box; an empty polygon has
// no box and meets nothing.
bool segmentMeetsBox(const Segment& segment, const Polygon& polygon) {
    if (polygon.isEmpty()) return false;
    const Rectangle box = polygon.getBoundingRectangle();
    const Point& a = segment.getStartPoint();
    const Point& b = segment.getEndPoint();
    return std::min(a.x, b.x) <= box.getTopRight().x && std::max(a.x, b.x) >= box.getBottomLeft().x &&
           std::min(a.y, b.y) <= box.getTopRight().y && std::max(a.y, b.y) >= box.getBottomLeft().y;
}

}  // namespace

HoledPolygon::HoledPolygon(const Polygon& polygon) : basePolygon(polygon) {}

HoledPolygon::HoledPolygon(Polygon basePolygon, std::vector<Polygon> holes)
    : basePolygon(std::move(basePolygon)), holes(std::move(holes)) {}

// Pieces between "|" characters: the first is the base, the others holes. A
// trailing "|" starts no piece; an empty piece between two "|" is parsed like
// any other and gives an empty hole, which is kept so that the text round
// trips. An empty hole covers nothing, and every operation treats it so.
HoledPolygon::HoledPolygon(const std::string& holedPolygonString) {
    const std::size_t length = holedPolygonString.size();
    std::size_t position = 0;
    bool addedBasePolygon = false;
    while (position < length) {
        const std::size_t indexOfPipe = holedPolygonString.find(holeSeparator, position);
        const std::size_t pieceEnd = indexOfPipe == std::string::npos ? length : indexOfPipe;
        Polygon piece(holedPolygonString.substr(position, pieceEnd - position), "");
        if (!addedBasePolygon) {
            basePolygon = std::move(piece);
            addedBasePolygon = true;
        } else {
            holes.push_back(std::move(piece));
        }
        position = indexOfPipe == std::string::npos ? length : indexOfPipe + 1;
    }
}

std::string HoledPolygon::toString() const {
    std::string text = basePolygon.toString();
    for (const Polygon& hole : holes) {
        text += holeSeparator;
        text += hole.toString();
    }
    return text;
}

std::vector<Point> HoledPolygon::getPoints() const {
    std::vector<Point> points = basePolygon.getPoints();
    for (const Polygon& hole : holes) {
        const std::vector<Point>& holePoints = hole.getPoints();
        points.insert(points.end(), holePoints.begin(), holePoints.end());
    }
    return points;
}

std::vector<Segment> HoledPolygon::getEdges() const {
    std::vector<Segment> edges;
    std::size_t total = basePolygon.getPoints().size();
    for (const Polygon& hole : holes) total += hole.getPoints().size();
    edges.reserve(total);
    const std::vector<Point>& base = basePolygon.getPoints();
    for (std::size_t i = 0; i < base.size(); ++i) edges.emplace_back(base[i], base[i + 1 == base.size() ? 0 : i + 1]);
    for (const Polygon& hole : holes) {
        const std::vector<Point>& corners = hole.getPoints();
        for (std::size_t i = 0; i < corners.size(); ++i) {
            edges.emplace_back(corners[i + 1 == corners.size() ? 0 : i + 1], corners[i]);
        }
    }
    return edges;
}

int HoledPolygon::getNumberOfEdges() const {
    int count = basePolygon.numberOfEdges();
    for (const Polygon& hole : holes) count += hole.numberOfEdges();
    return count;
}

float HoledPolygon::getArea() const {
    float area = enclosedArea(basePolygon);
    for (const Polygon& hole : holes) area -= enclosedArea(hole);
    return area;
}

bool HoledPolygon::segmentIsOnBoundary(const Segment& segment) const {
    if (basePolygon.segmentIsOnBoundary(segment)) return true;
    for (const Polygon& hole : holes) {
        if (hole.segmentIsOnBoundary(segment)) return true;
    }
    return false;
}

bool HoledPolygon::segmentIsCoincidentWithAnEdge(const Segment& segment) const {
    if (basePolygon.segmentIsCoincidentWithAnEdge(segment)) return true;
    for (const Polygon& hole : holes) {
        if (hole.segmentIsCoincidentWithAnEdge(segment)) return true;
    }
    return false;
}

// A hole rules the segment out only when the segment lies in the hole and
// not along one of its edges: a hole's boundary is still material.
bool HoledPolygon::containsNonCrossOverSegment(const Segment& segment) const {
    if (!basePolygon.containsNonCrossOverSegment(segment, false)) return false;
    for (const Polygon& hole : holes) {
        if (hole.containsNonCrossOverSegment(segment, false) && !hole.segmentIsOnBoundary(segment)) return false;
    }
    return true;
}

// A segment may run along a hole's boundary or touch it, but must not enter
// the hole's open interior. Cut at the hole's edges, the segment falls into
// pieces that each lie on the boundary, wholly inside the hole or wholly
// outside it; it enters when a piece lies inside and off the boundary.
//
// Shrinking the hole by one unit and asking whether the shrunk copy meets the
// segment gives the same answer while the hole is at least 3 units across
// everywhere. A narrower hole shrinks to a line or a point that
// standardization removes (a 2-unit hole would let any segment cross it), or
// turns inside out into a copy of itself (a 1-unit hole would refuse segments
// along its edges), so that shortcut is not taken.
bool HoledPolygon::containsSegment(const Segment& segment) const {
    if (!basePolygon.containsSegment(segment)) return false;
    for (const Polygon& hole : holes) {
        if (segmentEntersInterior(hole, segment)) return false;
    }
    return true;
}

bool HoledPolygon::segmentEntersInterior(const Polygon& hole, const Segment& segment) {
    if (!segmentMeetsBox(segment, hole)) return false;
    for (const Segment& piece : Math::splitSegmentsBySegments({segment}, hole.getEdges())) {
        if (hole.containsNonCrossOverSegment(piece, false) && !hole.segmentIsOnBoundary(piece)) return true;
    }
    return false;
}

namespace {

bool holeFromThisPolygonIsInHoleFromOther(const Polygon& holeFromThisPolygon, const HoledPolygon& other) {
    for (const Polygon& otherHole : other.getHoles()) {
        if (otherHole.contains(holeFromThisPolygon)) return true;
    }
    return false;
}

}  // namespace

// The other shape must lie in this base and must not cover any of this
// shape's holes, except where the other has a hole of its own around it. An
// empty hole removes nothing from this shape, so it asks nothing of the other.
bool HoledPolygon::containsPolygon(const HoledPolygon& otherPolygon) const {
    if (!basePolygon.contains(otherPolygon.basePolygon)) return false;
    for (const Polygon& hole : holes) {
        if (hole.isEmpty()) continue;
        if (hole.intersect(otherPolygon.basePolygon) && !holeFromThisPolygonIsInHoleFromOther(hole, otherPolygon)) {
            return false;
        }
    }
    return true;
}

bool HoledPolygon::intersect(const Segment& segment) const {
    if (basePolygon.isEmpty() || !basePolygon.intersect(segment)) return false;
    for (const Polygon& hole : holes) {
        if (!hole.isEmpty() && hole.containsSegment(segment) && !hole.segmentIsOnBoundary(segment)) return false;
    }
    return true;
}

bool HoledPolygon::intersect(const Polygon& polygon) const {
    if (basePolygon.isEmpty() || !basePolygon.intersect(polygon)) return false;
    for (const Polygon& hole : holes) {
        if (!hole.isEmpty() && hole.contains(polygon)) return false;
    }
    return true;
}

void HoledPolygon::unvalidatedContract(int numberOfUnits) {
    basePolygon.unvalidatedContract(numberOfUnits);
    for (Polygon& hole : holes) hole.unvalidatedExpand(numberOfUnits);
}

void HoledPolygon::unvalidatedExpand(int numberOfUnits) {
    basePolygon.unvalidatedExpand(numberOfUnits);
    for (Polygon& hole : holes) hole.unvalidatedContract(numberOfUnits);
}

// Every directed edge must be found among the other's edges: the first edge
// between the same two points has to run the same way.
bool HoledPolygon::operator==(const HoledPolygon& otherPolygon) const {
    const std::vector<Segment> thisEdges = getEdges();
    const std::vector<Segment> otherEdges = otherPolygon.getEdges();
    if (thisEdges.size() != otherEdges.size()) return false;
    for (const Segment& edge : thisEdges) {
        const auto match = std::find(otherEdges.begin(), otherEdges.end(), edge);
        if (match == otherEdges.end() || !match->isInSameDirection(edge)) return false;
    }
    return true;
}

bool HoledPolygon::operator==(const Polygon& polygon) const {
    return holes.empty() && basePolygon == polygon;
}

HoledPolygon::CycleSet HoledPolygon::getSimpleCycleInformation(const std::vector<Segment>& graphEdges) {
    const std::vector<Segment> allSplitEdges = Math::splitSegmentsBySegments(graphEdges, graphEdges);
    const DirectedGraph directedGraph(allSplitEdges);
    const PolygonSet allSimpleCyclesSet = directedGraph.findAllSimpleCycles();
    CycleSet cycles;
    for (const Polygon& cycle : allSimpleCyclesSet.getAllPolygons()) {
        if (cycle.wasOriginallyDefinedInReverseOrder()) {
            cycles.reverseCycles.push_back(cycle);
        } else {
            cycles.forwardCycles.push_back(cycle);
        }
    }
    return cycles;
}

std::ostream& operator<<(std::ostream& os, const HoledPolygon& p) {
    return os << p.toString();
}

}  // namespace Zelkor::Rectilinear

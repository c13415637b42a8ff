#include "geometry/PolygonSet.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>

#include "geometry/AxisEdge.h"
#include "geometry/BoundaryTracing.h"
#include "geometry/BoundingBox.h"
#include "geometry/PieceIndex.h"

namespace Zelkor::Rectilinear {

namespace {

using Detail::Box;

constexpr char setSeparator[] = " | ";

}  // namespace

PolygonSet::PolygonSet(std::vector<Polygon> polygonVector)
    : polygons(std::move(polygonVector)), area(areaNotComputed) {}

std::vector<Segment> PolygonSet::getAllEdges() const {
    std::vector<Segment> edges;
    std::size_t total = 0;
    for (const Polygon& p : polygons) total += p.getPoints().size();
    edges.reserve(total);
    for (const Polygon& p : polygons) {
        const std::vector<Segment> memberEdges = p.getEdges();
        edges.insert(edges.end(), memberEdges.begin(), memberEdges.end());
    }
    return edges;
}

std::vector<Point> PolygonSet::getPoints() const {
    std::vector<Point> points;
    std::size_t total = 0;
    for (const Polygon& p : polygons) total += p.getPoints().size();
    points.reserve(total);
    for (const Polygon& p : polygons) points.insert(points.end(), p.getPoints().begin(), p.getPoints().end());
    return points;
}

Rectangle PolygonSet::getBoundingRectangle() const {
    bool any = false;
    Rectangle bounds;
    for (const Polygon& p : polygons) {
        if (p.isEmpty()) continue;
        const Rectangle memberBounds = p.getBoundingRectangle();
        if (!any) {
            bounds = memberBounds;
            any = true;
            continue;
        }
        bounds.setBottomLeft(std::min(bounds.getBottomLeft().x, memberBounds.getBottomLeft().x),
                             std::min(bounds.getBottomLeft().y, memberBounds.getBottomLeft().y));
        bounds.setTopRight(std::max(bounds.getTopRight().x, memberBounds.getTopRight().x),
                           std::max(bounds.getTopRight().y, memberBounds.getTopRight().y));
    }
    return bounds;
}

Coordinate PolygonSet::shortestSegmentLength() const {
    Coordinate shortest = Point::infinity;
    for (const Polygon& p : polygons) shortest = std::min(shortest, p.shortestSegmentLength());
    return shortest;
}

bool PolygonSet::intersect(const Polygon& polygon) const {
    for (const Polygon& p : polygons) {
        if (p.intersect(polygon)) return true;
    }
    return false;
}

bool PolygonSet::intersectAll(const PolygonSet& polygonSet) const {
    for (const Polygon& p : polygonSet.polygons) {
        if (intersect(p)) return true;
    }
    return false;
}

bool PolygonSet::containsCongruentPolygon(const Polygon& p) const {
    for (const Polygon& member : polygons) {
        if (member == p) return true;
    }
    return false;
}

float PolygonSet::computeArea() const {
    float total = 0.0f;
    for (const Polygon& p : polygons) total += p.getArea();
    return total;
}

float PolygonSet::getArea() {
    if (area == areaNotComputed) area = computeArea();
    return area;
}

std::string PolygonSet::toString() const {
    std::string text;
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        if (i > 0) text += setSeparator;
        text += polygons[i].toString();
    }
    return text;
}

bool PolygonSet::operator==(const PolygonSet& polygonSet) const {
    if (size() != polygonSet.size()) return false;
    for (const Polygon& wanted : polygonSet.polygons) {
        if (!containsCongruentPolygon(wanted)) return false;
    }
    return true;
}

bool PolygonSet::operator==(const Polygon& polygon) const {
    return polygons.size() == 1 && polygons.front() == polygon;
}

void PolygonSet::add(const Polygon& polygon) {
    if (area == areaNotComputed) area = computeArea();
    // Read before appending: `polygon` may be a member that the append moves.
    const float addedArea = polygon.getArea();
    polygons.push_back(polygon);
    area += addedArea;
}

void PolygonSet::add(const PolygonSet& polygonSet) {
    // By index over the original count, so that adding a set to itself
    // doubles it once.
    const std::size_t count = polygonSet.polygons.size();
    polygons.reserve(polygons.size() + count);
    for (std::size_t i = 0; i < count; ++i) add(polygonSet.polygons[i]);
}

void PolygonSet::translate(const Point& offset) {
    for (Polygon& p : polygons) p.translate(offset);
}

void PolygonSet::rotateAboutOrigin(int ninetyDegreeMultiplier) {
    for (Polygon& p : polygons) p.rotateAboutOrigin(ninetyDegreeMultiplier);
}

void PolygonSet::slideToOrigin() {
    const Rectangle bounds = getBoundingRectangle();
    if (bounds.getBottomLeft().isHole()) return;
    translate(Point(wrappingSubtract(0, bounds.getBottomLeft().x), wrappingSubtract(0, bounds.getBottomLeft().y)));
}

void PolygonSet::unvalidatedContractAll(int numberOfUnits) {
    for (Polygon& p : polygons) p.unvalidatedContract(numberOfUnits);
    area = areaNotComputed;
}

void PolygonSet::unvalidatedExpandAll(int numberOfUnits) {
    unvalidatedContractAll(wrappingSubtract(0, numberOfUnits));
}

void PolygonSet::fitToSize(int length, int width) {
    area = areaNotComputed;
    const Rectangle bounds = getBoundingRectangle();
    if (bounds.getBottomLeft().isHole()) return;
    double targetLength = length;
    double targetWidth = width;
    double boundingLength = static_cast<double>(bounds.getTopRight().x) - bounds.getBottomLeft().x;
    double boundingWidth = static_cast<double>(bounds.getTopRight().y) - bounds.getBottomLeft().y;
    if (targetLength < targetWidth) std::swap(targetLength, targetWidth);
    if (boundingLength < boundingWidth) std::swap(boundingLength, boundingWidth);
    // boundingLength is the larger extent: zero means both are.
    if (boundingLength == 0.0) return;
    double factor = targetLength / boundingLength;
    if (boundingWidth != 0.0) factor = std::min(factor, targetWidth / boundingWidth);
    const float scale = static_cast<float>(factor);
    for (Polygon& p : polygons) p.scale(scale);
}

namespace {

// Up to this many members with at most this many corners in all, the union
// compares every pair of members directly, on buffers of its own: the
// neighbour lists and piece indexes of the general path cost more to build
// than they save on so few, and the packing asks for such unions by the
// hundred thousand.
constexpr std::size_t fewMembers = 32;  // a bit each in a word
constexpr std::size_t fewCorners = 512;
constexpr std::size_t fewPieces = 1024;

// An edge as a cutter sees it: `across` is its fixed coordinate and [low,
// high] the range it spans on the other axis.
struct Span {
    Coordinate across;
    Coordinate low;
    Coordinate high;
};

bool isSentinel(Coordinate c) {
    return c == Point::holeCoordinate || c == Point::infinity;
}

// Without the rectilinearity check of the constructor: the corners come from
// edges already checked.
Segment segmentBetween(const Point& start, const Point& end) {
    Segment s;
    s.endPoints[0] = start;
    s.endPoints[1] = end;
    return s;
}

// The boundary pieces that survive the union of a few members, sorted and
// without repeats, as the general path finds them: every member's edges cut
// wherever a perpendicular edge of any member crosses or touches their
// interior (edges on a sentinel line take no part), and every piece kept
// unless another member contains it without having it as a piece running
// the same way. False, with the list left empty, for a set that is not
// small, cuts into too many pieces, or has an edge that is not
// axis-parallel (the general path raises the error).
bool survivingPiecesOfFewMembers(const std::vector<Polygon>& polygons, std::vector<Segment>& survivors) {
    const std::size_t count = polygons.size();
    if (count > fewMembers) return false;
    std::size_t cornerCount = 0;
    for (const Polygon& p : polygons) cornerCount += p.getPoints().size();
    if (cornerCount > fewCorners) return false;

    struct Member {
        Box box;
        bool rectangle;
        // Its cutting edges in `vertical` and `horizontal` (a zero-length
        // edge counts as vertical), and its pieces in `pieces`.
        std::uint32_t verticalBegin, verticalEnd, horizontalBegin, horizontalEnd, piecesBegin, piecesEnd;
        std::uint32_t touching;  // a bit per member whose box touches this one's, itself included
    };
    Member members[fewMembers];
    Span vertical[fewCorners];
    Span horizontal[fewCorners];
    std::uint32_t verticalCount = 0;
    std::uint32_t horizontalCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::vector<Point>& corners = polygons[i].getPoints();
        Member& member = members[i];
        member.box = Box(corners);
        member.rectangle = Detail::isStandardRectangle(corners, member.box);
        member.verticalBegin = verticalCount;
        member.horizontalBegin = horizontalCount;
        const std::size_t n = corners.size();
        for (std::size_t k = 0; k < n; ++k) {
            const Point& a = corners[k];
            const Point& b = corners[k + 1 == n ? 0 : k + 1];
            if (a.x == b.x) {
                if (!isSentinel(a.x)) vertical[verticalCount++] = {a.x, std::min(a.y, b.y), std::max(a.y, b.y)};
            } else if (a.y == b.y) {
                if (!isSentinel(a.y)) horizontal[horizontalCount++] = {a.y, std::min(a.x, b.x), std::max(a.x, b.x)};
            } else {
                return false;
            }
        }
        member.verticalEnd = verticalCount;
        member.horizontalEnd = horizontalCount;
        member.touching = 0;
    }
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t k = i; k < count; ++k) {
            if (!members[i].box.touches(members[k].box)) continue;
            members[i].touching |= std::uint32_t{1} << k;
            members[k].touching |= std::uint32_t{1} << i;
        }
    }

    // A target cut at several points comes out as consecutive pieces, last
    // piece first, each running the target's way. The survivors then take
    // the front of the same list.
    std::vector<Segment>& pieces = survivors;
    pieces.reserve(2 * cornerCount);
    Coordinate cuts[fewCorners];
    for (std::size_t i = 0; i < count; ++i) {
        Member& member = members[i];
        member.piecesBegin = static_cast<std::uint32_t>(pieces.size());
        const std::vector<Point>& corners = polygons[i].getPoints();
        const std::size_t n = corners.size();
        for (std::size_t k = 0; k < n; ++k) {
            const Point& a = corners[k];
            const Point& b = corners[k + 1 == n ? 0 : k + 1];
            const auto [isVertical, across, from, to, low, high] = Detail::AxisEdge(a, b);
            std::size_t cutCount = 0;
            if (low < high && !isSentinel(across)) {
                // A rectangle's edges meet each other at their ends alone.
                const std::uint32_t cutting = member.rectangle ? member.touching & ~(std::uint32_t{1} << i) : member.touching;
                for (std::uint32_t others = cutting; others != 0; others &= others - 1) {
                    const Member& other = members[__builtin_ctz(others)];
                    const Box& box = other.box;
                    const bool reaches = isVertical ? box.minX <= across && across <= box.maxX && box.minY < high &&
                                                          low < box.maxY
                                                    : box.minY <= across && across <= box.maxY && box.minX < high &&
                                                          low < box.maxX;
                    if (!reaches) continue;
                    const Span* first = isVertical ? horizontal + other.horizontalBegin : vertical + other.verticalBegin;
                    const Span* last = isVertical ? horizontal + other.horizontalEnd : vertical + other.verticalEnd;
                    for (const Span* cutter = first; cutter != last; ++cutter) {
                        if (cutter->low <= across && across <= cutter->high && low < cutter->across &&
                            cutter->across < high) {
                            cuts[cutCount++] = cutter->across;
                        }
                    }
                }
            }
            if (cutCount == 0) {
                pieces.push_back(segmentBetween(a, b));
                continue;
            }
            // Farthest along the target first.
            if (from < to) {
                std::sort(cuts, cuts + cutCount, std::greater<Coordinate>());
            } else {
                std::sort(cuts, cuts + cutCount);
            }
            cutCount = static_cast<std::size_t>(std::unique(cuts, cuts + cutCount) - cuts);
            Point pieceEnd = b;
            for (std::size_t c = 0; c < cutCount; ++c) {
                const Point cut = isVertical ? Point(across, cuts[c]) : Point(cuts[c], across);
                pieces.push_back(segmentBetween(cut, pieceEnd));
                pieceEnd = cut;
            }
            pieces.push_back(segmentBetween(a, pieceEnd));
        }
        member.piecesEnd = static_cast<std::uint32_t>(pieces.size());
    }

    if (pieces.size() > fewPieces) {
        pieces.clear();
        return false;
    }
    std::uint64_t kept[fewPieces / 64] = {};
    for (std::size_t i = 0; i < count; ++i) {
        const Member& member = members[i];
        const std::uint32_t others = member.touching & ~(std::uint32_t{1} << i);
        for (std::uint32_t p = member.piecesBegin; p != member.piecesEnd; ++p) {
            const Segment& s = pieces[p];
            bool survives = true;
            for (std::uint32_t left = others; left != 0; left &= left - 1) {
                const std::size_t k = static_cast<std::size_t>(__builtin_ctz(left));
                const Member& other = members[k];
                if (!other.box.containsPoint(s.getStartPoint()) || !other.box.containsPoint(s.getEndPoint())) continue;
                const Segment* const otherFirst = pieces.data() + other.piecesBegin;
                const Segment* const otherLast = pieces.data() + other.piecesEnd;
                const Segment* match = std::find(otherFirst, otherLast, s);
                if (match == otherLast) match = nullptr;
                const bool contained = match != nullptr || (other.rectangle && s.getStartPoint() != s.getEndPoint()) ||
                                       polygons[k].containsNonCrossOverSegment(s, false);
                if (contained && (match == nullptr || !match->isInSameDirection(s))) {
                    survives = false;
                    break;
                }
            }
            if (survives) kept[p / 64] |= std::uint64_t{1} << (p % 64);
        }
    }
    std::size_t keptCount = 0;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        if ((kept[p / 64] >> (p % 64)) & 1) pieces[keptCount++] = pieces[p];
    }
    pieces.resize(keptCount);
    std::sort(survivors.begin(), survivors.end());
    survivors.erase(std::unique(survivors.begin(), survivors.end()), survivors.end());
    return true;
}

// The general path: members work with the neighbours their boxes touch
// alone, which the outcome of comparing against every member is.
std::vector<Segment> survivingPiecesOfManyMembers(const std::vector<Polygon>& polygons) {
    const std::size_t count = polygons.size();
    std::vector<Box> boxes;
    std::vector<std::vector<Segment>> edges;
    std::vector<bool> isRectangle;
    boxes.reserve(count);
    edges.reserve(count);
    isRectangle.reserve(count);
    std::size_t cornerCount = 0;
    for (const Polygon& p : polygons) {
        boxes.emplace_back(p.getPoints());
        edges.push_back(p.getEdges());
        isRectangle.push_back(Detail::isStandardRectangle(p.getPoints(), boxes.back()));
        cornerCount += p.getPoints().size();
    }
    const Detail::TouchingMembers touching(boxes);

    const std::vector<Detail::PieceIndex> split = Detail::splitAmongTouchingMembers(std::move(edges), boxes, touching);

    // A piece survives unless another member contains it without sharing it
    // as a piece running the same way. A piece shared with a member lies
    // along that member's edge, which counts as contained, so only pieces
    // that are not shared need the containment test; and a piece of positive
    // length within a rectangle's box never leaves the rectangle.
    std::vector<Segment> resultSegments;
    resultSegments.reserve(cornerCount);
    for (std::size_t ii = 0; ii < count; ++ii) {
        for (const Segment& s : split[ii].getPieces()) {
            bool segmentShouldBeInResult = true;
            for (const std::size_t* member = touching.begin(ii); member != touching.end(ii); ++member) {
                const std::size_t kk = *member;
                if (kk == ii) continue;
                if (!boxes[kk].containsPoint(s.getStartPoint()) || !boxes[kk].containsPoint(s.getEndPoint())) {
                    continue;
                }
                const Segment* match = split[kk].firstMatch(s);
                const bool contained =
                    match != nullptr || (isRectangle[kk] && s.getStartPoint() != s.getEndPoint()) ||
                    polygons[kk].containsNonCrossOverSegment(s, false);
                if (contained && (match == nullptr || !match->isInSameDirection(s))) {
                    segmentShouldBeInResult = false;
                    break;
                }
            }
            if (segmentShouldBeInResult) resultSegments.push_back(s);
        }
    }

    std::sort(resultSegments.begin(), resultSegments.end());
    resultSegments.erase(std::unique(resultSegments.begin(), resultSegments.end()), resultSegments.end());
    return resultSegments;
}

}  // namespace

PolygonSet PolygonSet::booleanAddAndSimplifyAll(PolygonSet* interiorHolesRemoved) const {
    if (polygons.size() < 2) return *this;

    std::vector<Segment> resultSegments;
    if (!survivingPiecesOfFewMembers(polygons, resultSegments)) resultSegments = survivingPiecesOfManyMembers(polygons);

    // Outlines are moved into the result rather than copied; its total is
    // then summed on request, in the same order add() would have.
    std::vector<Polygon> outlines;
    Detail::SegmentListTracer(std::move(resultSegments)).traceAll([&](Polygon&& polygon) {
        if (!polygon.wasOriginallyDefinedInReverseOrder()) {
            if (!polygon.isEmpty()) outlines.push_back(std::move(polygon));
        } else if (interiorHolesRemoved != nullptr && !polygon.isEmpty() && polygon.getArea() > 0) {
            interiorHolesRemoved->add(polygon);
        }
    });
    return PolygonSet(std::move(outlines));
}

bool Polygon::contains(const PolygonSet& polygonSet) const {
    for (const Polygon& p : polygonSet.getAllPolygons()) {
        if (!contains(p)) return false;
    }
    return true;
}

std::ostream& operator<<(std::ostream& os, const PolygonSet& s) {
    return os << s.toString();
}

}  // namespace Zelkor::Rectilinear

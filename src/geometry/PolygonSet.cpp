#include "geometry/PolygonSet.h"

#include <algorithm>
#include <utility>

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

PolygonSet PolygonSet::booleanAddAndSimplifyAll(PolygonSet* interiorHolesRemoved) const {
    if (polygons.size() < 2) return *this;

    // Only members whose boxes touch can cut each other's edges or contain
    // each other's pieces, so every member works with its neighbours alone;
    // the outcome is that of comparing against every member.
    const std::size_t count = polygons.size();
    std::vector<Box> boxes;
    std::vector<std::vector<Segment>> edges;
    std::vector<bool> isRectangle;
    boxes.reserve(count);
    edges.reserve(count);
    isRectangle.reserve(count);
    for (const Polygon& p : polygons) {
        boxes.emplace_back(p.getPoints());
        edges.push_back(p.getEdges());
        isRectangle.push_back(Detail::isStandardRectangle(p.getPoints(), boxes.back()));
    }
    const Detail::TouchingMembers touching(boxes);

    const std::vector<Detail::PieceIndex> split = Detail::splitAmongTouchingMembers(std::move(edges), boxes, touching);

    // A piece survives unless another member contains it without sharing it
    // as a piece running the same way. A piece shared with a member lies
    // along that member's edge, which counts as contained, so only pieces
    // that are not shared need the containment test; and a piece of positive
    // length within a rectangle's box never leaves the rectangle.
    std::vector<Segment> resultSegments;
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

    PolygonSet resultSet;
    Detail::SegmentListTracer(std::move(resultSegments)).traceAll([&](const Polygon& polygon) {
        if (!polygon.wasOriginallyDefinedInReverseOrder()) {
            if (!polygon.isEmpty()) resultSet.add(polygon);
        } else if (interiorHolesRemoved != nullptr && !polygon.isEmpty() && polygon.getArea() > 0) {
            interiorHolesRemoved->add(polygon);
        }
    });
    return resultSet;
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

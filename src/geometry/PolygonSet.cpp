#include "geometry/PolygonSet.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace Zelkor::Rectilinear {

namespace {

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
    // Grown as push_back grows it, so that adding set after set stays linear.
    if (polygons.size() + count > polygons.capacity()) {
        polygons.reserve(std::max(polygons.size() + count, 2 * polygons.capacity()));
    }
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

bool Polygon::contains(const PolygonSet& polygonSet) const {
    for (const Polygon& p : polygonSet.getAllPolygons()) {
        if (!contains(p)) return false;
    }
    return true;
}

void PolygonSet::positionAtOuterCornerOf(const Polygon& polygon) {
    translate(polygon.getBoundingRectangle().getTopRight() - getBoundingRectangle().getBottomLeft());
}

void PolygonSet::positionAtOuterCornerOf(const PolygonSet& polygonSet) {
    translate(polygonSet.getBoundingRectangle().getTopRight() - getBoundingRectangle().getBottomLeft());
}

std::ostream& operator<<(std::ostream& os, const PolygonSet& s) {
    return os << s.toString();
}

}  // namespace Zelkor::Rectilinear

#include "geometry/PlainRegion.h"

#include <algorithm>

#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Detail {

PlainRegion::Cycle::Cycle(const Polygon& cycle)
    : polygon(&cycle), box(cycle.getPoints()), rectangle(isStandardRectangle(cycle.getPoints(), box)) {}

// A ray to the right crosses the vertical edges beyond the point whose span
// holds it, their top ends left out.
PlainRegion::Place PlainRegion::Cycle::placeOf(const DoubledPoint& p) const {
    const std::int64_t left = 2 * std::int64_t{box.minX}, right = 2 * std::int64_t{box.maxX};
    const std::int64_t bottom = 2 * std::int64_t{box.minY}, top = 2 * std::int64_t{box.maxY};
    if (!box.valid || p.x < left || p.x > right || p.y < bottom || p.y > top) return Place::outside;
    if (rectangle) return p.x == left || p.x == right || p.y == bottom || p.y == top ? Place::boundary : Place::inside;
    bool odd = false;
    const std::vector<Point>& corners = polygon->getPoints();
    const std::size_t count = corners.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[i + 1 == count ? 0 : i + 1];
        if (a.x == b.x) {
            const std::int64_t x = 2 * std::int64_t{a.x};
            const std::int64_t low = 2 * std::int64_t{std::min(a.y, b.y)}, high = 2 * std::int64_t{std::max(a.y, b.y)};
            if (p.y < low || p.y > high) continue;
            if (p.x == x) return Place::boundary;
            if (x > p.x && p.y < high) odd = !odd;
        } else {
            const std::int64_t y = 2 * std::int64_t{a.y};
            const std::int64_t low = 2 * std::int64_t{std::min(a.x, b.x)}, high = 2 * std::int64_t{std::max(a.x, b.x)};
            if (p.y == y && low <= p.x && p.x <= high) return Place::boundary;
        }
    }
    return odd ? Place::inside : Place::outside;
}

PlainRegion::PlainRegion(const Polygon& outlinePolygon, const std::vector<const Polygon*>& holePolygons)
    : outline(outlinePolygon) {
    holes.reserve(holePolygons.size());
    for (const Polygon* hole : holePolygons) holes.emplace_back(*hole);
}

PlainRegion::PlainRegion(const HoledPolygon& shape) : outline(shape.getBasePolygon()) {
    holes.reserve(shape.getHoles().size());
    for (const Polygon& hole : shape.getHoles()) holes.emplace_back(hole);
}

bool PlainRegion::holdsMidpoint(const Segment& piece) const {
    const DoubledPoint middle{std::int64_t{piece.getStartPoint().x} + piece.getEndPoint().x,
                              std::int64_t{piece.getStartPoint().y} + piece.getEndPoint().y};
    if (outline.placeOf(middle) == Place::outside) return false;
    return std::none_of(holes.begin(), holes.end(),
                        [&middle](const Cycle& hole) { return hole.placeOf(middle) == Place::inside; });
}

// A point has no midpoint to go by: the shape's own tests judge it.
bool PlainRegion::containsPiece(const Segment& piece) const {
    if (piece.getStartPoint() != piece.getEndPoint()) return holdsMidpoint(piece);
    if (!outline.polygon->containsSegment(piece)) return false;
    // As HoledPolygon::containsSegment: no part of it, cut at a hole's
    // edges, in the hole's open interior.
    return std::none_of(holes.begin(), holes.end(), [&piece](const Cycle& hole) {
        const std::vector<Segment> parts = Math::splitSegmentsBySegments({piece}, hole.polygon->getEdges());
        return std::any_of(parts.begin(), parts.end(), [&hole](const Segment& part) {
            return hole.polygon->containsNonCrossOverSegment(part, false) && !hole.polygon->segmentIsOnBoundary(part);
        });
    });
}

bool PlainRegion::holdsPiece(const Segment& piece) const {
    if (piece.getStartPoint() != piece.getEndPoint()) return holdsMidpoint(piece);
    if (!outline.polygon->containsNonCrossOverSegment(piece, false)) return false;
    return std::none_of(holes.begin(), holes.end(), [&piece](const Cycle& hole) {
        return hole.polygon->containsNonCrossOverSegment(piece, false) && !hole.polygon->segmentIsOnBoundary(piece);
    });
}

}  // namespace Zelkor::Rectilinear::Detail

#include "geometry/detail/PlainRegion.h"

#include <algorithm>

#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Detail {

PlainRegion::Cycle::Cycle(const Polygon& cycle)
    : polygon(&cycle), box(cycle.getPoints()), rectangle(isStandardRectangle(cycle.getPoints(), box)) {}

namespace {

std::int64_t doubled(Coordinate v) { return 2 * std::int64_t{v}; }

}  // namespace

// A ray to the right crosses the vertical edges beyond the point whose span
// holds it, their top ends left out.
PlainRegion::Place PlainRegion::placeOf(const Cycle& cycle, const DoubledPoint& p) const {
    const Box& box = cycle.box;
    const std::int64_t left = doubled(box.minX), right = doubled(box.maxX);
    const std::int64_t bottom = doubled(box.minY), top = doubled(box.maxY);
    if (!box.valid || p.x < left || p.x > right || p.y < bottom || p.y > top) return Place::outside;
    if (cycle.rectangle) return p.x == left || p.x == right || p.y == bottom || p.y == top ? Place::boundary : Place::inside;
    bool odd = false;
    auto visit = [&](const Edge& edge) {
        if (edge.vertical) {
            if (p.y < edge.low || p.y > edge.high) return false;
            if (p.x == edge.across) return true;
            if (edge.across > p.x && p.y < edge.high) odd = !odd;
            return false;
        }
        return p.y == edge.across && edge.low <= p.x && p.x <= edge.high;
    };
    if (cycle.ownEdges) {
        for (std::size_t k = cycle.firstEdge; k < cycle.endEdge; ++k) {
            if (visit(edges[k])) return Place::boundary;
        }
        return odd ? Place::inside : Place::outside;
    }
    const std::vector<Point>& corners = cycle.polygon->getPoints();
    const std::size_t count = corners.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[i + 1 == count ? 0 : i + 1];
        const Edge edge = a.x == b.x ? Edge{doubled(a.x), doubled(std::min(a.y, b.y)), doubled(std::max(a.y, b.y)), true}
                                     : Edge{doubled(a.y), doubled(std::min(a.x, b.x)), doubled(std::max(a.x, b.x)), false};
        if (visit(edge)) return Place::boundary;
    }
    return odd ? Place::inside : Place::outside;
}

// A ray from a point in the window crosses only vertical edges whose span
// meets the window's, and a point there lies only on edges that reach it.
void PlainRegion::keepEdgesNear(Cycle& cycle, const Box& window) {
    if (cycle.rectangle) return;
    cycle.ownEdges = true;
    cycle.firstEdge = edges.size();
    const std::vector<Point>& corners = cycle.polygon->getPoints();
    const std::size_t count = corners.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[i + 1 == count ? 0 : i + 1];
        if (a.x == b.x) {
            const Coordinate low = std::min(a.y, b.y), high = std::max(a.y, b.y);
            if (high < window.minY || low > window.maxY) continue;
            edges.push_back({doubled(a.x), doubled(low), doubled(high), true});
        } else {
            const Coordinate low = std::min(a.x, b.x), high = std::max(a.x, b.x);
            if (a.y < window.minY || a.y > window.maxY || high < window.minX || low > window.maxX) continue;
            edges.push_back({doubled(a.y), doubled(low), doubled(high), false});
        }
    }
    cycle.endEdge = edges.size();
}

PlainRegion::PlainRegion(const HoledPolygon& shape) : outline(shape.getBasePolygon()) {
    holes.reserve(shape.getHoles().size());
    for (const Polygon& hole : shape.getHoles()) holes.emplace_back(hole);
}

void PlainRegion::assign(const Polygon& outlinePolygon, const std::vector<const Polygon*>& holePolygons,
                         const Box& window) {
    edges.clear();
    outline = Cycle(outlinePolygon);
    keepEdgesNear(outline, window);
    holes.clear();
    for (const Polygon* hole : holePolygons) {
        holes.emplace_back(*hole);
        keepEdgesNear(holes.back(), window);
    }
}

bool PlainRegion::holdsMidpoint(const Segment& piece) const {
    const DoubledPoint middle{std::int64_t{piece.getStartPoint().x} + piece.getEndPoint().x,
                              std::int64_t{piece.getStartPoint().y} + piece.getEndPoint().y};
    if (placeOf(outline, middle) == Place::outside) return false;
    return std::none_of(holes.begin(), holes.end(),
                        [&](const Cycle& hole) { return placeOf(hole, middle) == Place::inside; });
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

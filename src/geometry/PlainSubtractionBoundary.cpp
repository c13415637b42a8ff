// The boundary of a difference of plain shapes, each piece judged by its
// midpoint instead of by the shapes' segment tests.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "geometry/BoundingBox.h"
#include "geometry/SegmentKeys.h"
#include "geometry/SubtractionBoundary.h"

namespace Zelkor::Rectilinear::Detail {

namespace {

enum class Place { outside, boundary, inside };

// A point given in doubled coordinates, so that midpoints stay integral.
struct DoubledPoint {
    std::int64_t x;
    std::int64_t y;
};

DoubledPoint doubledMidpoint(const Segment& s) {
    return {std::int64_t{s.getStartPoint().x} + s.getEndPoint().x, std::int64_t{s.getStartPoint().y} + s.getEndPoint().y};
}

// One cycle of a shape, with its box, for the place of a doubled point.
class PlainCycle {
public:
    explicit PlainCycle(const Polygon& polygon)
        : corners(&polygon.getPoints()), box(polygon.getPoints()), rectangle(isStandardRectangle(*corners, box)) {}

    Place placeOf(const DoubledPoint& p) const {
        const std::int64_t left = 2 * std::int64_t{box.minX}, right = 2 * std::int64_t{box.maxX};
        const std::int64_t bottom = 2 * std::int64_t{box.minY}, top = 2 * std::int64_t{box.maxY};
        if (!box.valid || p.x < left || p.x > right || p.y < bottom || p.y > top) return Place::outside;
        if (rectangle) return p.x == left || p.x == right || p.y == bottom || p.y == top ? Place::boundary : Place::inside;
        // A ray to the right crosses the vertical edges beyond the point
        // whose span holds it, the top ends left out.
        bool odd = false;
        const std::size_t count = corners->size();
        for (std::size_t i = 0; i < count; ++i) {
            const Point& a = (*corners)[i];
            const Point& b = (*corners)[i + 1 == count ? 0 : i + 1];
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

private:
    const std::vector<Point>* corners;
    Box box;
    bool rectangle;
};

// A shape's closed outline less its holes' open interiors.
class PlainRegion {
public:
    explicit PlainRegion(const HoledPolygon& shape) : outline(shape.getBasePolygon()) {
        holes.reserve(shape.getHoles().size());
        for (const Polygon& hole : shape.getHoles()) holes.emplace_back(hole);
    }

    bool holds(const Segment& piece) const {
        const DoubledPoint middle = doubledMidpoint(piece);
        if (outline.placeOf(middle) == Place::outside) return false;
        return std::none_of(holes.begin(), holes.end(),
                            [&middle](const PlainCycle& hole) { return hole.placeOf(middle) == Place::inside; });
    }

private:
    PlainCycle outline;
    std::vector<PlainCycle> holes;
};

}  // namespace

std::vector<Segment> plainSubtractionBoundary(const HoledPolygon& shape, const HoledPolygon& otherPolygon,
                                              const std::vector<Segment>& thisSplitSegments,
                                              const std::vector<Segment>& otherSplitSegments,
                                              std::vector<std::size_t>& keptFromShape) {
    std::vector<Segment> result;
    result.reserve(thisSplitSegments.size() + otherSplitSegments.size());
    const PlainRegion other(otherPolygon);
    for (std::size_t i = 0; i < thisSplitSegments.size(); ++i) {
        const Segment& s = thisSplitSegments[i];
        // A point is judged by the shapes' own test, which has no midpoint to go by.
        if (s.getStartPoint() == s.getEndPoint() ? otherPolygon.containsSegment(s) : other.holds(s)) continue;
        result.push_back(s);
        keptFromShape.push_back(i);
    }
    const PlainRegion self(shape);
    // Only pieces within the other's box can be among its pieces.
    const Box reach(otherPolygon.getBasePolygon().getPoints());
    std::vector<SegmentKey> ownPieces;
    for (const Segment& s : thisSplitSegments) {
        if (reach.containsSegment(s)) ownPieces.push_back(directedKey(s));
    }
    std::sort(ownPieces.begin(), ownPieces.end());
    for (Segment t : otherSplitSegments) {
        const bool held = t.getStartPoint() == t.getEndPoint() ? shape.containsNonCrossOverSegment(t) : self.holds(t);
        if (!held || std::binary_search(ownPieces.begin(), ownPieces.end(), directedKey(t))) continue;
        t.flip();
        result.push_back(t);
    }
    return result;
}

}  // namespace Zelkor::Rectilinear::Detail

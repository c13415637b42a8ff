#include "geometry/Retracing.h"

#include <algorithm>
#include <vector>

#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Detail {

Polygon retracedHole(const Polygon& hole, std::size_t passes) {
    if (passes == 0) return hole;
    const std::vector<Point>& corners = hole.getPoints();
    const std::size_t count = corners.size();
    const std::size_t start = 2 * (passes % count) % count;
    std::vector<Point> traced;
    traced.reserve(count);
    for (std::size_t k = 0; k < count; ++k) traced.push_back(corners[(start + 2 * count - 1 - k) % count]);
    return Polygon(traced, "");
}

bool cyclesKeepApart(const HoledPolygon& shape) {
    if (shape.isEmpty()) return false;
    for (const Polygon& hole : shape.getHoles()) {
        if (hole.isEmpty()) return false;
    }
    std::vector<Point> corners = shape.getPoints();
    std::sort(corners.begin(), corners.end());
    if (std::adjacent_find(corners.begin(), corners.end()) != corners.end()) return false;
    const std::vector<Segment> edges = shape.getEdges();
    return Math::splitSegmentsBySegments(edges, edges).size() == edges.size();
}

}  // namespace Zelkor::Rectilinear::Detail

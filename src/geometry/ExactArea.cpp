#include "geometry/ExactArea.h"

#include <vector>

namespace Zelkor::Rectilinear::Math {

__int128 twiceArea(const Polygon& polygon) {
    const std::vector<Point>& corners = polygon.getPoints();
    __int128 sum = 0;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % corners.size()];
        sum += static_cast<__int128>(a.x) * b.y - static_cast<__int128>(b.x) * a.y;
    }
    return sum < 0 ? -sum : sum;
}

__int128 twiceArea(const HoledPolygonSet& pieces) {
    __int128 sum = 0;
    for (const HoledPolygon& piece : pieces.getAllPolygons()) {
        sum += twiceArea(piece.getBasePolygon());
        for (const Polygon& hole : piece.getHoles()) sum -= twiceArea(hole);
    }
    return sum;
}

bool interiorsOverlap(const Polygon& one, const Polygon& other) {
    return one.boundingRectanglesIntersect(other) && twiceArea(one) > twiceArea(one.booleanSubtract(other));
}

bool interiorsOverlap(const PolygonSet& one, const PolygonSet& other) {
    for (const Polygon& a : one.getAllPolygons()) {
        for (const Polygon& b : other.getAllPolygons()) {
            if (interiorsOverlap(a, b)) return true;
        }
    }
    return false;
}

}  // namespace Zelkor::Rectilinear::Math

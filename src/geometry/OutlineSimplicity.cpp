#include "geometry/OutlineSimplicity.h"

#include <algorithm>
#include <cstddef>

namespace Zelkor::Rectilinear::Math {

bool meetsItselfNowhere(const std::vector<Point>& corners) {
    const std::size_t n = corners.size();
    if (n < 4) return false;
    struct Span {
        Coordinate minX, maxX, minY, maxY;
        bool upright;
    };
    std::vector<Span> edges(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % n];
        if (a == b || (a.x != b.x && a.y != b.y)) return false;
        edges[i] = {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y), a.x == b.x};
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Span& e = edges[i];
        if (e.upright == edges[(i + 1) % n].upright) return false;
        // Neighbours share their corner; any other pair may not meet at all.
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue;
            const Span& f = edges[j];
            if (e.minX <= f.maxX && f.minX <= e.maxX && e.minY <= f.maxY && f.minY <= e.maxY) return false;
        }
    }
    return true;
}

}  // namespace Zelkor::Rectilinear::Math

#include "geometry/OutlineSimplicity.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace Zelkor::Rectilinear::Math {

bool meetsItselfNowhere(const std::vector<Point>& corners) {
    const std::size_t n = corners.size();
    if (n < 4) return false;
    struct Span {
        Coordinate minX, maxX, minY, maxY;
        bool upright;
    };
    // Short outlines, the common case, keep their edges on the stack.
    constexpr std::size_t fewEdges = 16;
    std::array<Span, fewEdges> few;
    std::vector<Span> many(n > fewEdges ? n : 0);
    Span* const edges = n > fewEdges ? many.data() : few.data();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % n];
        if (a == b || (a.x != b.x && a.y != b.y)) return false;
        edges[i] = {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y), a.x == b.x};
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (edges[i].upright == edges[(i + 1) % n].upright) return false;
    }
    // Neighbours share their corner; any other pair may not meet at all.
    auto neighbours = [n](std::size_t i, std::size_t j) {
        const std::size_t d = i > j ? i - j : j - i;
        return d == 1 || d == n - 1;
    };
    auto meet = [](const Span& e, const Span& f) {
        return e.minX <= f.maxX && f.minX <= e.maxX && e.minY <= f.maxY && f.minY <= e.maxY;
    };
    if (n <= fewEdges) {
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i + 2; j < n; ++j) {
                if (!neighbours(i, j) && meet(edges[i], edges[j])) return false;
            }
        }
        return true;
    }
    // Longer outlines: only edges whose x ranges overlap can meet, so the
    // edges are visited from left to right.
    std::vector<std::size_t> byLeft(n);
    for (std::size_t i = 0; i < n; ++i) byLeft[i] = i;
    std::sort(byLeft.begin(), byLeft.end(),
              [edges](std::size_t a, std::size_t b) { return edges[a].minX < edges[b].minX; });
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = byLeft[k];
        for (std::size_t l = k + 1; l < n && edges[byLeft[l]].minX <= edges[i].maxX; ++l) {
            const std::size_t j = byLeft[l];
            if (!neighbours(i, j) && meet(edges[i], edges[j])) return false;
        }
    }
    return true;
}

}  // namespace Zelkor::Rectilinear::Math

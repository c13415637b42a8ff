#include "placement/HostRegion.h"

#include <algorithm>
#include <limits>

namespace Zelkor::Rectilinear {

namespace {

struct EdgeBox {
    std::int64_t xMin, xMax, yMin, yMax;
    std::size_t index;
};

// Corners alternate between horizontal and vertical sides of positive length,
// and no two sides meet except neighbours at their shared corner.
bool boundaryIsSimple(const std::vector<Point>& corners) {
    const std::size_t n = corners.size();
    if (n < 4 || n % 2 != 0) return false;
    std::vector<EdgeBox> edges;
    edges.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % n];
        const Point& c = corners[(i + 2) % n];
        const bool horizontal = a.y == b.y && a.x != b.x;
        const bool vertical = a.x == b.x && a.y != b.y;
        if (!horizontal && !vertical) return false;
        const bool nextVertical = b.x == c.x;
        if (vertical == nextVertical) return false;
        edges.push_back({std::min<std::int64_t>(a.x, b.x), std::max<std::int64_t>(a.x, b.x),
                         std::min<std::int64_t>(a.y, b.y), std::max<std::int64_t>(a.y, b.y), i});
    }
    std::sort(edges.begin(), edges.end(), [](const EdgeBox& l, const EdgeBox& r) { return l.xMin < r.xMin; });
    for (std::size_t k = 0; k < n; ++k) {
        const EdgeBox& e = edges[k];
        for (std::size_t m = k + 1; m < n && edges[m].xMin <= e.xMax; ++m) {
            const EdgeBox& f = edges[m];
            if (f.yMin > e.yMax || f.yMax < e.yMin) continue;
            const std::size_t gap = e.index > f.index ? e.index - f.index : f.index - e.index;
            if (gap == 1 || gap == n - 1) continue;  // neighbours share their corner only
            return false;
        }
    }
    return true;
}

std::vector<std::int64_t> distinctSorted(std::vector<std::int64_t> values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

// Index of the last boundary <= value (value within the boundaries).
std::size_t lastAtOrBelow(const std::vector<std::int64_t>& bounds, std::int64_t value) {
    return static_cast<std::size_t>(std::upper_bound(bounds.begin(), bounds.end(), value) - bounds.begin()) - 1;
}

// Index of the last boundary < value (value above the first boundary).
std::size_t lastBelow(const std::vector<std::int64_t>& bounds, std::int64_t value) {
    return static_cast<std::size_t>(std::lower_bound(bounds.begin(), bounds.end(), value) - bounds.begin()) - 1;
}

bool fitsCoordinate(std::int64_t value) {
    return value >= std::numeric_limits<Coordinate>::min() && value <= std::numeric_limits<Coordinate>::max();
}

}  // namespace

bool isAxisAlignedRectangle(const Polygon& polygon) {
    const std::vector<Point>& p = polygon.getPoints();
    if (p.size() != 4) return false;
    const bool firstHorizontal = p[0].y == p[1].y;
    for (std::size_t i = 0; i < 4; ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % 4];
        const bool horizontal = (i % 2 == 0) == firstHorizontal;
        if (horizontal ? (a.y != b.y || a.x == b.x) : (a.x != b.x || a.y == b.y)) return false;
    }
    return true;
}

HostRegion::HostRegion(const Polygon& host) {
    const std::vector<Point>& corners = host.getPoints();
    if (corners.size() < 4) return;
    std::vector<std::int64_t> allX, allY;
    allX.reserve(corners.size());
    allY.reserve(corners.size());
    for (const Point& p : corners) {
        allX.push_back(p.x);
        allY.push_back(p.y);
    }
    xs = distinctSorted(std::move(allX));
    ys = distinctSorted(std::move(allY));
    const std::size_t nx = xs.size();
    const std::size_t ny = ys.size();
    if ((nx - 1) * (ny - 1) > maximumCells || !boundaryIsSimple(corners)) return;
    rowsOfCells = ny - 1;
    inside.assign((nx - 1) * (ny - 1), 0);

    // A cell is inside when a ray from its middle straight down crosses an odd
    // number of horizontal sides; every side spans whole columns.
    struct HorizontalSide {
        std::int64_t xMin, xMax, y;
    };
    std::vector<HorizontalSide> sides;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % corners.size()];
        if (a.y == b.y) sides.push_back({std::min<std::int64_t>(a.x, b.x), std::max<std::int64_t>(a.x, b.x), a.y});
    }
    std::vector<std::int64_t> crossings;
    for (std::size_t i = 0; i + 1 < nx; ++i) {
        crossings.clear();
        for (const HorizontalSide& side : sides) {
            if (side.xMin <= xs[i] && side.xMax >= xs[i + 1]) crossings.push_back(side.y);
        }
        std::sort(crossings.begin(), crossings.end());
        std::size_t below = 0;
        for (std::size_t j = 0; j + 1 < ny; ++j) {
            while (below < crossings.size() && crossings[below] <= ys[j]) ++below;
            inside[i * rowsOfCells + j] = static_cast<char>(below % 2);
        }
    }

    rowRuns.assign((ny - 1) * nx, 0);
    for (std::size_t j = 0; j + 1 < ny; ++j) {
        for (std::size_t i = 0; i + 1 < nx; ++i) rowRuns[j * nx + i + 1] = rowRuns[j * nx + i] + (cellInside(i, j) ? 1 : 0);
    }
    columnRuns.assign((nx - 1) * ny, 0);
    for (std::size_t i = 0; i + 1 < nx; ++i) {
        for (std::size_t j = 0; j + 1 < ny; ++j) {
            columnRuns[i * ny + j + 1] = columnRuns[i * ny + j] + (cellInside(i, j) ? 1 : 0);
        }
    }
    horizontalLineRuns.assign(ny * nx, 0);
    for (std::size_t j = 0; j < ny; ++j) {
        for (std::size_t i = 0; i + 1 < nx; ++i) {
            const bool covered = (j > 0 && cellInside(i, j - 1)) || (j + 1 < ny && cellInside(i, j));
            horizontalLineRuns[j * nx + i + 1] = horizontalLineRuns[j * nx + i] + (covered ? 1 : 0);
        }
    }
    verticalLineRuns.assign(nx * ny, 0);
    for (std::size_t i = 0; i < nx; ++i) {
        for (std::size_t j = 0; j + 1 < ny; ++j) {
            const bool covered = (i > 0 && cellInside(i - 1, j)) || (i + 1 < nx && cellInside(i, j));
            verticalLineRuns[i * ny + j + 1] = verticalLineRuns[i * ny + j] + (covered ? 1 : 0);
        }
    }
    indexed = true;
}

bool HostRegion::pointInside(std::int64_t x, std::int64_t y) const {
    if (x < xs.front() || x > xs.back() || y < ys.front() || y > ys.back()) return false;
    const std::size_t nx = xs.size();
    const std::size_t ny = ys.size();
    // The cells whose closure holds the point: one, or two on a grid line, or four at a grid crossing.
    const std::size_t k = static_cast<std::size_t>(std::lower_bound(xs.begin(), xs.end(), x) - xs.begin());
    const std::size_t m = static_cast<std::size_t>(std::lower_bound(ys.begin(), ys.end(), y) - ys.begin());
    const bool onColumnLine = xs[k] == x;
    const bool onRowLine = ys[m] == y;
    for (std::size_t i = (k > 0 ? k - 1 : 0); i <= (onColumnLine ? k : k - 1) && i + 1 < nx; ++i) {
        for (std::size_t j = (m > 0 ? m - 1 : 0); j <= (onRowLine ? m : m - 1) && j + 1 < ny; ++j) {
            if (cellInside(i, j)) return true;
        }
    }
    return false;
}

bool HostRegion::segmentInside(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by) const {
    const std::size_t nx = xs.size();
    const std::size_t ny = ys.size();
    if (ay == by && ax != bx) {
        const std::int64_t low = std::min(ax, bx), high = std::max(ax, bx);
        if (low < xs.front() || high > xs.back() || ay < ys.front() || ay > ys.back()) return false;
        // Every column whose open span meets the open segment must be covered;
        // the points on grid lines between them follow by closure.
        const std::size_t first = lastAtOrBelow(xs, low);
        const std::size_t last = lastBelow(xs, high);
        const int needed = static_cast<int>(last - first + 1);
        const std::size_t m = static_cast<std::size_t>(std::lower_bound(ys.begin(), ys.end(), ay) - ys.begin());
        const int* runs = ys[m] == ay ? &horizontalLineRuns[m * nx] : &rowRuns[(m - 1) * nx];
        return runs[last + 1] - runs[first] == needed;
    }
    if (ax == bx && ay != by) {
        const std::int64_t low = std::min(ay, by), high = std::max(ay, by);
        if (low < ys.front() || high > ys.back() || ax < xs.front() || ax > xs.back()) return false;
        const std::size_t first = lastAtOrBelow(ys, low);
        const std::size_t last = lastBelow(ys, high);
        const int needed = static_cast<int>(last - first + 1);
        const std::size_t k = static_cast<std::size_t>(std::lower_bound(xs.begin(), xs.end(), ax) - xs.begin());
        const int* runs = xs[k] == ax ? &verticalLineRuns[k * ny] : &columnRuns[(k - 1) * ny];
        return runs[last + 1] - runs[first] == needed;
    }
    return pointInside(ax, ay);
}

HostRegion::Answer HostRegion::containsTranslated(const Polygon& candidate, std::int64_t dx, std::int64_t dy) const {
    if (!indexed) return Answer::unknown;
    const std::vector<Point>& corners = candidate.getPoints();
    if (corners.empty()) return Answer::yes;
    const Rectangle box = candidate.getBoundingRectangle();
    const std::int64_t left = box.getBottomLeft().x + dx, right = box.getTopRight().x + dx;
    const std::int64_t bottom = box.getBottomLeft().y + dy, top = box.getTopRight().y + dy;
    // Moves that would wrap a coordinate are left to the exact test.
    if (!fitsCoordinate(left) || !fitsCoordinate(right) || !fitsCoordinate(bottom) || !fitsCoordinate(top)) {
        return Answer::unknown;
    }
    if (left < xs.front() || right > xs.back() || bottom < ys.front() || top > ys.back()) return Answer::no;
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[i + 1 == n ? 0 : i + 1];
        // Diagonal and zero-length sides (never in a standardized polygon)
        // are left to the exact test.
        if ((a.x != b.x && a.y != b.y) || a == b) return Answer::unknown;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[i + 1 == n ? 0 : i + 1];
        if (!segmentInside(a.x + dx, a.y + dy, b.x + dx, b.y + dy)) return Answer::no;
    }
    return Answer::yes;
}

}  // namespace Zelkor::Rectilinear

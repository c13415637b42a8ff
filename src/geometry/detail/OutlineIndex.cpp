#include "geometry/detail/OutlineIndex.h"

namespace Zelkor::Rectilinear::Detail {

bool isSimpleCounterclockwise(const Polygon& polygon) {
    const std::vector<Point>& points = polygon.getPoints();
    const std::size_t n = points.size();
    if (n < 4 || n % 2 != 0) return false;
    __int128 area = 0;  // the sum of y * -dx over the horizontal edges: positive when counterclockwise
    bool previousVertical = points[n - 1].x == points[0].x;
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = points[i];
        const Point& b = points[i + 1 == n ? 0 : i + 1];
        if (a == b) return false;
        const bool vertical = a.x == b.x;
        if (!vertical && a.y != b.y) return false;
        if (vertical == previousVertical) return false;
        previousVertical = vertical;
        if (!vertical) area += static_cast<__int128>(a.y) * (std::int64_t{a.x} - b.x);
    }
    if (area <= 0) return false;

    // Edges that do not follow each other share no point. An axis-parallel
    // segment is its own bounding box, so for a few edges the boxes tell.
    if (n <= smallPolygonEdges) {
        for (std::size_t i = 0; i < n; ++i) {
            const Point& a0 = points[i];
            const Point& a1 = points[i + 1 == n ? 0 : i + 1];
            for (std::size_t j = i + 2; j < n; ++j) {
                if (i == 0 && j == n - 1) continue;
                const Point& b0 = points[j];
                const Point& b1 = points[j + 1 == n ? 0 : j + 1];
                if (std::max(std::min(a0.x, a1.x), std::min(b0.x, b1.x)) <= std::min(std::max(a0.x, a1.x), std::max(b0.x, b1.x)) &&
                    std::max(std::min(a0.y, a1.y), std::min(b0.y, b1.y)) <= std::min(std::max(a0.y, a1.y), std::max(b0.y, b1.y))) {
                    return false;
                }
            }
        }
        return true;
    }
    // For many: no corner twice, no edge overlapping a collinear one, and no
    // edge touching or crossing the interior of another.
    std::vector<Point> corners = points;
    std::sort(corners.begin(), corners.end());
    if (std::adjacent_find(corners.begin(), corners.end()) != corners.end()) return false;
    struct Run {
        Coordinate line, lo, hi;
        bool operator<(const Run& o) const { return line != o.line ? line < o.line : lo < o.lo; }
    };
    std::vector<Run> horizontal;
    std::vector<Run> vertical;
    horizontal.reserve(n / 2);
    vertical.reserve(n / 2);
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = points[i];
        const Point& b = points[i + 1 == n ? 0 : i + 1];
        if (a.x == b.x) {
            vertical.push_back({a.x, std::min(a.y, b.y), std::max(a.y, b.y)});
        } else {
            horizontal.push_back({a.y, std::min(a.x, b.x), std::max(a.x, b.x)});
        }
    }
    for (std::vector<Run>* runs : {&horizontal, &vertical}) {
        std::sort(runs->begin(), runs->end());
        for (std::size_t i = 1; i < runs->size(); ++i) {
            const Run& previous = (*runs)[i - 1];
            const Run& run = (*runs)[i];
            if (run.line == previous.line && run.lo < previous.hi) return false;
        }
    }
    // Sweeping across x with the horizontal edges that span the current x
    // counted by height: a vertical edge meets exactly its own two
    // neighbours, one at each end, and nothing else.
    std::vector<Coordinate> heights;
    heights.reserve(horizontal.size());
    for (const Run& run : horizontal) heights.push_back(run.line);
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
    auto rankOf = [&heights](Coordinate y) {
        return static_cast<std::size_t>(std::lower_bound(heights.begin(), heights.end(), y) - heights.begin());
    };
    struct Event {
        Coordinate x;
        int kind;  // 0: a horizontal edge starts, 1: a vertical edge, 2: a horizontal edge ends
        Coordinate a, b;
        bool operator<(const Event& o) const { return x != o.x ? x < o.x : kind < o.kind; }
    };
    std::vector<Event> events;
    events.reserve(n + horizontal.size());
    for (const Run& run : horizontal) {
        events.push_back({run.lo, 0, run.line, run.line});
        events.push_back({run.hi, 2, run.line, run.line});
    }
    for (const Run& run : vertical) events.push_back({run.line, 1, run.lo, run.hi});
    std::sort(events.begin(), events.end());
    std::vector<int> tree(heights.size() + 1, 0);  // counts by height rank, as a Fenwick tree
    auto add = [&tree](std::size_t rank, int delta) {
        for (std::size_t i = rank + 1; i < tree.size(); i += i & (~i + 1)) tree[i] += delta;
    };
    auto countBelow = [&tree](std::size_t rank) {  // ranks below `rank`
        int total = 0;
        for (std::size_t i = rank; i > 0; i -= i & (~i + 1)) total += tree[i];
        return total;
    };
    for (const Event& e : events) {
        if (e.kind == 1) {
            const Coordinate low = e.a;
            const Coordinate high = e.b;
            const std::size_t end = static_cast<std::size_t>(std::upper_bound(heights.begin(), heights.end(), high) - heights.begin());
            if (countBelow(end) - countBelow(rankOf(low)) != 2) return false;
        } else {
            add(rankOf(e.a), e.kind == 0 ? 1 : -1);
        }
    }
    return true;
}

bool outlineContains(const Polygon& outline, const PolygonIndex* index, const Polygon& hole) {
    if (index == nullptr || hole.isEmpty()) return outline.contains(hole);
    const Box outlineBox(outline.getBoundingRectangle());
    const Box holeBox(hole.getBoundingRectangle());
    if (holeBox.minX < outlineBox.minX || holeBox.minY < outlineBox.minY || holeBox.maxX > outlineBox.maxX ||
        holeBox.maxY > outlineBox.maxY) {
        return false;
    }
    const std::vector<Point>& corners = hole.getPoints();
    const std::size_t count = corners.size();
    for (std::size_t i = 0; i < count; ++i) {
        Segment edge;
        edge.endPoints[0] = corners[i];
        edge.endPoints[1] = corners[i + 1 == count ? 0 : i + 1];
        const bool contained = edge.getStartPoint() != edge.getEndPoint() && !index->touchesInterior(edge)
                                   ? index->placementOf(edge) != Placement::outside
                                   : outline.containsSegment(edge);
        if (!contained) return false;
    }
    return true;
}

}  // namespace Zelkor::Rectilinear::Detail

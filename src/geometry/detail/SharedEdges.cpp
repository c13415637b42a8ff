#include "geometry/detail/SharedEdges.h"

#include <algorithm>
#include <cstddef>
#include <tuple>

#include "geometry/detail/AxisEdge.h"
#include "geometry/detail/BoundingBox.h"

namespace Zelkor::Rectilinear::Detail {

namespace {

// One edge of the shape as getEdges() runs it, on its line.
struct Run {
    bool vertical;
    Coordinate line;
    Coordinate lo;
    Coordinate hi;
    bool increasing;    // runs towards `hi`
    std::size_t owner;  // 0 for the outline, k + 1 for hole k
};

void addRuns(const Polygon& polygon, std::size_t owner, bool reversed, std::vector<Run>& runs) {
    const std::vector<Point>& corners = polygon.getPoints();
    const std::size_t count = corners.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[i + 1 == count ? 0 : i + 1];
        if (a == b) continue;
        const bool vertical = a.x == b.x;
        const Coordinate from = vertical ? a.y : a.x;
        const Coordinate to = vertical ? b.y : b.x;
        runs.push_back({vertical, vertical ? a.x : a.y, std::min(from, to), std::max(from, to), (to > from) != reversed,
                        owner});
    }
}

// A stretch needs edges of two polygons on one line, overlapping: it cannot
// be where a rectangular base's holes have boxes apart from each other and
// off the base's sides. Checked for a few holes, pair by pair.
bool holesLieApart(const HoledPolygon& shape) {
    constexpr std::size_t fewHoles = 8;
    const std::vector<Polygon>& holes = shape.getHoles();
    const std::vector<Point>& baseCorners = shape.getBasePolygon().getPoints();
    const Box base(baseCorners);
    if (holes.size() > fewHoles || !isStandardRectangle(baseCorners, base)) return false;
    Box boxes[fewHoles];
    for (std::size_t k = 0; k < holes.size(); ++k) {
        boxes[k] = Box(holes[k].getPoints());
        const Box& box = boxes[k];
        if (!box.valid || box.minX <= base.minX || box.maxX >= base.maxX || box.minY <= base.minY ||
            box.maxY >= base.maxY) {
            return false;
        }
        for (std::size_t j = 0; j < k; ++j) {
            if (boxes[j].touches(box)) return false;
        }
    }
    return true;
}

}  // namespace

// Within each line, every hole edge is compared with the edges of the other
// polygons on that line that run the opposite way; lines without a hole
// edge are passed over.
SharedEdges::SharedEdges(const HoledPolygon& shape) {
    const std::vector<Polygon>& holes = shape.getHoles();
    if (std::all_of(holes.begin(), holes.end(), [](const Polygon& hole) { return hole.isEmpty(); })) return;
    if (holesLieApart(shape)) return;
    std::vector<Run> runs;
    addRuns(shape.getBasePolygon(), 0, false, runs);
    for (std::size_t k = 0; k < holes.size(); ++k) addRuns(holes[k], k + 1, true, runs);
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) {
        return std::tie(a.vertical, a.line, a.lo) < std::tie(b.vertical, b.line, b.lo);
    });
    for (std::size_t first = 0; first < runs.size();) {
        std::size_t last = first + 1;
        while (last < runs.size() && runs[last].vertical == runs[first].vertical &&
               runs[last].line == runs[first].line) {
            ++last;
        }
        for (std::size_t h = first; h < last; ++h) {
            const Run& hole = runs[h];
            if (hole.owner == 0) continue;
            for (std::size_t e = first; e < last; ++e) {
                const Run& other = runs[e];
                if (other.owner == hole.owner || other.increasing == hole.increasing) continue;
                const Coordinate lo = std::max(hole.lo, other.lo);
                const Coordinate hi = std::min(hole.hi, other.hi);
                if (lo < hi) stretches.push_back({hole.vertical, hole.line, lo, hi});
            }
        }
        first = last;
    }
    std::sort(stretches.begin(), stretches.end(), [](const Stretch& a, const Stretch& b) {
        return std::tie(a.vertical, a.line, a.lo) < std::tie(b.vertical, b.line, b.lo);
    });
    // Overlapping or abutting stretches on a line become one.
    std::size_t kept = 0;
    for (const Stretch& s : stretches) {
        if (kept > 0) {
            Stretch& previous = stretches[kept - 1];
            if (previous.vertical == s.vertical && previous.line == s.line && s.lo <= previous.hi) {
                previous.hi = std::max(previous.hi, s.hi);
                continue;
            }
        }
        stretches[kept++] = s;
    }
    stretches.resize(kept);
}

std::vector<SharedEdges::Stretch>::const_iterator SharedEdges::firstEndingBeyond(bool vertical, Coordinate line,
                                                                                 Coordinate lo) const {
    return std::lower_bound(stretches.begin(), stretches.end(), std::make_tuple(vertical, line, lo),
                            [](const Stretch& s, const std::tuple<bool, Coordinate, Coordinate>& key) {
                                return std::tie(s.vertical, s.line, s.hi) <= key;
                            });
}

bool SharedEdges::runsAlong(const Segment& segment) const {
    if (stretches.empty()) return false;
    const Point& a = segment.getStartPoint();
    const Point& b = segment.getEndPoint();
    if (a == b) return false;
    const AxisEdge edge(a, b);
    const auto s = firstEndingBeyond(edge.vertical, edge.line, edge.low);
    return s != stretches.end() && s->vertical == edge.vertical && s->line == edge.line && s->lo < edge.high;
}

std::vector<Segment> SharedEdges::without(const std::vector<Segment>& pieces) const {
    std::vector<Segment> kept;
    kept.reserve(pieces.size());
    for (const Segment& piece : pieces) {
        if (!runsAlong(piece)) {
            kept.push_back(piece);
            continue;
        }
        const AxisEdge edge(piece.getStartPoint(), piece.getEndPoint());
        auto at = [&edge](Coordinate c) { return edge.vertical ? Point(edge.line, c) : Point(c, edge.line); };
        // The parts of [low, high] between the stretches, in increasing order.
        std::vector<Segment> parts;
        Coordinate start = edge.low;
        auto s = firstEndingBeyond(edge.vertical, edge.line, edge.low);
        for (; s != stretches.end() && s->vertical == edge.vertical && s->line == edge.line && s->lo < edge.high; ++s) {
            if (start < s->lo) parts.emplace_back(at(start), at(s->lo));
            start = std::max(start, s->hi);
        }
        if (start < edge.high) parts.emplace_back(at(start), at(edge.high));
        if (edge.from < edge.to) {
            kept.insert(kept.end(), parts.begin(), parts.end());
        } else {
            for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
                kept.emplace_back(part->getEndPoint(), part->getStartPoint());
            }
        }
    }
    return kept;
}

}  // namespace Zelkor::Rectilinear::Detail

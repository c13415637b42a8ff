// Subtraction and union of rectilinear shapes on directed boundary pieces.
//
// Both operations cut the two boundaries at each other, keep the pieces of
// one shape according to where they lie in the other, and trace the kept
// pieces into cycles: counterclockwise cycles are outlines of material,
// clockwise ones outlines of holes.
//
// Nearly all the time goes into asking, for every piece, whether the other
// shape contains it. A piece is cut wherever an edge of the other shape
// meets its interior, so against a simple polygon it lies either along one
// edge, or wholly inside, or wholly outside. When every polygon involved is a
// simple counterclockwise outline (the normal case) an index per polygon
// answers that in logarithmic time: an edge lookup, then the parity of the
// edges crossed by a ray from a point half a unit into the piece. Any other
// input (self-touching or crossing outlines, which the general tests treat
// in their own way) and small inputs, where building indexes does not pay,
// ask the polygons' own containment tests piece by piece.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "geometry/BoundaryTracing.h"
#include "geometry/BoundingBox.h"
#include "geometry/HoleAssignment.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/PieceIndex.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/SegmentKeys.h"
#include "geometry/SegmentSplitting.h"
#include "geometry/SharedEdges.h"

namespace Zelkor::Rectilinear {

namespace {

using Detail::Box;
using Detail::directedKey;
using Detail::SegmentKey;

// Below this many piece-against-edge pairs the direct tests are cheaper than
// building the indexes.
constexpr std::size_t directTestLimit = 2048;

// Polygons with at most this many edges are checked and searched edge by
// edge rather than through sorted structures.
constexpr std::size_t smallPolygonEdges = 16;

bool hasLength(const Segment& s) {
    return s.getStartPoint() != s.getEndPoint();
}

// A closed outline that meets itself nowhere, running counterclockwise with
// alternating horizontal and vertical edges of positive length: the shape
// every standardized polygon has unless its corners describe a crossing or
// touching boundary.
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

// Intervals [lo, hi) on one axis, each at a position on the other axis:
// counts the intervals that contain a value and lie beyond a position. A
// segment tree over the elementary intervals keeps in every node the sorted
// positions of the intervals that cover the node.
class StabbingCounter {
public:
    struct Interval {
        Coordinate lo, hi, position;
    };

    explicit StabbingCounter(std::vector<Interval> intervals) {
        if (intervals.size() <= smallPolygonEdges / 2) {
            few = std::move(intervals);
            return;
        }
        bounds.reserve(2 * intervals.size());
        for (const Interval& i : intervals) {
            bounds.push_back(i.lo);
            bounds.push_back(i.hi);
        }
        std::sort(bounds.begin(), bounds.end());
        bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
        if (bounds.size() < 2) return;
        leaves = 1;
        while (leaves < bounds.size() - 1) leaves *= 2;
        // Filled in order of position, every node's list comes out sorted.
        std::sort(intervals.begin(), intervals.end(),
                  [](const Interval& a, const Interval& b) { return a.position < b.position; });
        std::vector<std::pair<std::uint32_t, std::uint32_t>> leafRanges;
        leafRanges.reserve(intervals.size());
        for (const Interval& i : intervals) leafRanges.emplace_back(indexOf(i.lo), indexOf(i.hi));
        // Counted one slot ahead, so that filling moves each node's start
        // from where the node before it began to where it begins itself.
        nodeStart.assign(2 * leaves + 2, 0);
        forEachCoveringNode(leafRanges, [&](std::size_t node, std::size_t) { ++nodeStart[node + 2]; });
        for (std::size_t node = 2; node < nodeStart.size(); ++node) nodeStart[node] += nodeStart[node - 1];
        positions.resize(nodeStart.back());
        forEachCoveringNode(leafRanges, [&](std::size_t node, std::size_t k) {
            positions[nodeStart[node + 1]++] = intervals[k].position;
        });
        nodeStart.pop_back();
    }

    // Intervals with lo <= value < hi and a position greater than `position`.
    std::size_t countBeyond(Coordinate value, Coordinate position) const {
        if (!few.empty()) {
            std::size_t total = 0;
            for (const Interval& i : few) total += i.lo <= value && value < i.hi && i.position > position ? 1 : 0;
            return total;
        }
        if (leaves == 0 || value < bounds.front() || value >= bounds.back()) return 0;
        std::size_t node = leaves + static_cast<std::size_t>(std::upper_bound(bounds.begin(), bounds.end(), value) -
                                                             bounds.begin()) - 1;
        std::size_t total = 0;
        for (; node >= 1; node /= 2) {
            const auto first = positions.begin() + nodeStart[node];
            const auto last = positions.begin() + nodeStart[node + 1];
            total += static_cast<std::size_t>(last - std::upper_bound(first, last, position));
        }
        return total;
    }

private:
    // visit(node, k) for the nodes that together cover interval k's leaves.
    template <typename Visit>
    void forEachCoveringNode(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& leafRanges, Visit visit) const {
        for (std::size_t k = 0; k < leafRanges.size(); ++k) {
            std::size_t l = leaves + leafRanges[k].first;
            std::size_t r = leaves + leafRanges[k].second;
            for (; l < r; l /= 2, r /= 2) {
                if (l & 1) visit(l++, k);
                if (r & 1) visit(--r, k);
            }
        }
    }
    std::uint32_t indexOf(Coordinate bound) const {
        return static_cast<std::uint32_t>(std::lower_bound(bounds.begin(), bounds.end(), bound) - bounds.begin());
    }

    std::vector<Interval> few;  // all intervals, when there are only a few
    std::vector<Coordinate> bounds;
    std::size_t leaves = 0;
    std::vector<std::uint32_t> nodeStart;
    std::vector<Coordinate> positions;
};

enum class Placement { outside, onBoundary, inside };

// Where the pieces of another boundary lie relative to one simple
// counterclockwise polygon. A piece must have positive length and no edge of
// the polygon may cross or touch its interior (it was cut there).
class PolygonIndex {
public:
    explicit PolygonIndex(const Polygon& polygon)
        : box(polygon.getBoundingRectangle()), horizontal(runsOf(polygon, false)), vertical(runsOf(polygon, true)),
          horizontalCounter(horizontal), verticalCounter(vertical) {}

    const Box& getBox() const { return box; }

    Placement placementOf(const Segment& piece) const {
        if (!box.containsSegment(piece)) return Placement::outside;
        const Point& a = piece.getStartPoint();
        const Point& b = piece.getEndPoint();
        const bool pieceVertical = a.x == b.x;
        const Coordinate across = pieceVertical ? a.x : a.y;
        const Coordinate lo = pieceVertical ? std::min(a.y, b.y) : std::min(a.x, b.x);
        const Coordinate hi = pieceVertical ? std::max(a.y, b.y) : std::max(a.x, b.x);
        // Along an edge: edges on one line do not overlap, so only the last
        // one starting at or before the piece can hold it.
        const std::vector<StabbingCounter::Interval>& runs = pieceVertical ? vertical : horizontal;
        auto after = std::upper_bound(runs.begin(), runs.end(), std::make_pair(across, lo),
                                      [](const std::pair<Coordinate, Coordinate>& key, const StabbingCounter::Interval& run) {
                                          return key.first != run.position ? key.first < run.position : key.second < run.lo;
                                      });
        if (after != runs.begin()) {
            const StabbingCounter::Interval& run = *(after - 1);
            if (run.position == across && run.lo <= lo && hi <= run.hi) return Placement::onBoundary;
        }
        // A ray from half a unit into the piece, perpendicular to it, passes
        // no corner and runs along no edge.
        const std::size_t crossings = (pieceVertical ? verticalCounter : horizontalCounter).countBeyond(lo, across);
        return crossings % 2 == 1 ? Placement::inside : Placement::outside;
    }

    // Whether an edge perpendicular to the segment touches or crosses it
    // between its ends (the segment has positive length).
    bool touchesInterior(const Segment& segment) const {
        const Point& a = segment.getStartPoint();
        const Point& b = segment.getEndPoint();
        const bool segmentVertical = a.x == b.x;
        const Coordinate across = segmentVertical ? a.x : a.y;
        const Coordinate lo = segmentVertical ? std::min(a.y, b.y) : std::min(a.x, b.x);
        const Coordinate hi = segmentVertical ? std::max(a.y, b.y) : std::max(a.x, b.x);
        const StabbingCounter& perpendicular = segmentVertical ? horizontalCounter : verticalCounter;
        // Perpendicular edges at positions lo < p < hi whose closed extent
        // holds `across`: those with across in [start, end), and those ending
        // exactly at it, which have across - 1 in [start, end).
        if (perpendicular.countBeyond(across, lo) != perpendicular.countBeyond(across, hi - 1)) return true;
        if (across == std::numeric_limits<Coordinate>::min()) return false;
        return perpendicular.countBeyond(across - 1, lo) != perpendicular.countBeyond(across - 1, hi - 1);
    }

private:
    // The polygon's edges of one orientation as intervals at their line's
    // position, sorted by position, then start.
    static std::vector<StabbingCounter::Interval> runsOf(const Polygon& polygon, bool verticalEdges) {
        const std::vector<Point>& points = polygon.getPoints();
        const std::size_t n = points.size();
        std::vector<StabbingCounter::Interval> runs;
        runs.reserve(n / 2);
        for (std::size_t i = 0; i < n; ++i) {
            const Point& a = points[i];
            const Point& b = points[i + 1 == n ? 0 : i + 1];
            if ((a.x == b.x) != verticalEdges) continue;
            if (verticalEdges) {
                runs.push_back({std::min(a.y, b.y), std::max(a.y, b.y), a.x});
            } else {
                runs.push_back({std::min(a.x, b.x), std::max(a.x, b.x), a.y});
            }
        }
        std::sort(runs.begin(), runs.end(), [](const StabbingCounter::Interval& p, const StabbingCounter::Interval& q) {
            return p.position != q.position ? p.position < q.position : p.lo < q.lo;
        });
        return runs;
    }

    Box box;
    std::vector<StabbingCounter::Interval> horizontal;
    std::vector<StabbingCounter::Interval> vertical;
    StabbingCounter horizontalCounter;
    StabbingCounter verticalCounter;
};

// The closed region of a holed polygon whose base and non-empty holes are
// all simple counterclockwise outlines. For a piece cut by all of the
// shape's edges, both HoledPolygon::containsSegment and
// HoledPolygon::containsNonCrossOverSegment come down to: in the base or on
// its boundary, and inside no hole (a hole's boundary is still material).
class ShapeIndex {
public:
    static bool applies(const HoledPolygon& shape) {
        if (!isSimpleCounterclockwise(shape.getBasePolygon())) return false;
        for (const Polygon& hole : shape.getHoles()) {
            if (!hole.isEmpty() && !isSimpleCounterclockwise(hole)) return false;
        }
        return true;
    }

    explicit ShapeIndex(const HoledPolygon& shape) : base(shape.getBasePolygon()) {
        for (const Polygon& hole : shape.getHoles()) {
            if (!hole.isEmpty()) holes.emplace_back(hole);
        }
        std::sort(holes.begin(), holes.end(),
                  [](const PolygonIndex& a, const PolygonIndex& b) { return a.getBox().minX < b.getBox().minX; });
        reach.reserve(holes.size());
        for (const PolygonIndex& hole : holes) {
            reach.push_back(std::max(hole.getBox().maxX, reach.empty() ? hole.getBox().maxX : reach.back()));
        }
    }

    bool covers(const Segment& piece) const {
        if (base.placementOf(piece) == Placement::outside) return false;
        // Only holes whose box holds the piece can have it inside: those
        // starting left of it, back to the last one that reaches past it.
        const Coordinate pieceLeft = std::min(piece.getStartPoint().x, piece.getEndPoint().x);
        const Coordinate pieceRight = std::max(piece.getStartPoint().x, piece.getEndPoint().x);
        auto candidate = std::upper_bound(holes.begin(), holes.end(), pieceLeft,
                                          [](Coordinate x, const PolygonIndex& hole) { return x < hole.getBox().minX; });
        while (candidate != holes.begin()) {
            --candidate;
            if (reach[static_cast<std::size_t>(candidate - holes.begin())] < pieceRight) break;
            if (candidate->placementOf(piece) == Placement::inside) return false;
        }
        return true;
    }

private:
    PolygonIndex base;
    std::vector<PolygonIndex> holes;  // by left side of the box
    std::vector<Coordinate> reach;    // the farthest right side among holes[0..i]
};

// Whether some piece of a list runs from the same start to the same end.
class DirectedPieceSet {
public:
    explicit DirectedPieceSet(const std::vector<Segment>& pieces) {
        keys.reserve(pieces.size());
        for (const Segment& s : pieces) keys.push_back(directedKey(s));
        std::sort(keys.begin(), keys.end());
    }
    bool contains(const Segment& s) const { return std::binary_search(keys.begin(), keys.end(), directedKey(s)); }

private:
    std::vector<SegmentKey> keys;
};

// The boundary of the difference: this shape's pieces that the other does
// not contain, then the other's pieces that this shape contains, turned
// round so that the material left is on their left, except where this
// shape has the same piece running the same way (the other reaches this
// shape's edge there, and the edge goes). Where the two run along each
// other in opposite directions the other only touches from outside, and
// the piece survives once, from the other. Neither list holds pieces along
// its own shape's shared edges, and a piece along a shape's shared edge is
// not contained in that shape: there is no material on either side.
std::vector<Segment> subtractionBoundary(const HoledPolygon& shape, const HoledPolygon& otherPolygon,
                                         const Detail::SharedEdges& thisShared, const Detail::SharedEdges& otherShared,
                                         const std::vector<Segment>& thisSplitSegments,
                                         const std::vector<Segment>& otherSplitSegments) {
    std::vector<Segment> result;
    result.reserve(thisSplitSegments.size() + otherSplitSegments.size());
    const std::size_t work = thisSplitSegments.size() * static_cast<std::size_t>(otherPolygon.getNumberOfEdges()) +
                             otherSplitSegments.size() * static_cast<std::size_t>(shape.getNumberOfEdges());
    if (work <= directTestLimit || !ShapeIndex::applies(shape) || !ShapeIndex::applies(otherPolygon)) {
        for (const Segment& s : thisSplitSegments) {
            if (otherShared.runsAlong(s) || !otherPolygon.containsSegment(s)) result.push_back(s);
        }
        for (Segment t : otherSplitSegments) {
            if (thisShared.runsAlong(t) || !shape.containsNonCrossOverSegment(t)) continue;
            const bool sharedInSameDirection =
                std::any_of(thisSplitSegments.begin(), thisSplitSegments.end(),
                            [&t](const Segment& s) { return s.isEqualAndInSameDirection(t); });
            if (sharedInSameDirection) continue;
            t.flip();
            result.push_back(t);
        }
        return result;
    }

    const ShapeIndex otherIndex(otherPolygon);
    for (const Segment& s : thisSplitSegments) {
        const bool contained =
            !otherShared.runsAlong(s) && (hasLength(s) ? otherIndex.covers(s) : otherPolygon.containsSegment(s));
        if (!contained) result.push_back(s);
    }
    const ShapeIndex thisIndex(shape);
    const DirectedPieceSet thisPieces(thisSplitSegments);
    for (Segment t : otherSplitSegments) {
        const bool contained =
            !thisShared.runsAlong(t) && (hasLength(t) ? thisIndex.covers(t) : shape.containsNonCrossOverSegment(t));
        if (!contained || thisPieces.contains(t)) continue;
        t.flip();
        result.push_back(t);
    }
    return result;
}

// The boundary of the union: this polygon's pieces outside the other (edges
// not counted as inside) and those it shares with the other running the
// same way, then the other's pieces outside this polygon. Pieces shared in
// opposite directions, where the two lie side by side, go from both, which
// fuses them.
std::vector<Segment> unionBoundary(const Polygon& polygon, const Polygon& otherPolygon,
                                   const std::vector<Segment>& thisSplitSegments,
                                   const std::vector<Segment>& otherSplitSegments) {
    std::vector<Segment> result;
    result.reserve(thisSplitSegments.size() + otherSplitSegments.size());
    const std::size_t work = thisSplitSegments.size() * static_cast<std::size_t>(otherPolygon.numberOfEdges()) +
                             otherSplitSegments.size() * static_cast<std::size_t>(polygon.numberOfEdges());
    if (work <= directTestLimit || !isSimpleCounterclockwise(polygon) || !isSimpleCounterclockwise(otherPolygon)) {
        for (const Segment& s : thisSplitSegments) {
            const bool inside = otherPolygon.containsNonCrossOverSegment(s, true);
            const auto match = std::find(otherSplitSegments.begin(), otherSplitSegments.end(), s);
            const bool matched = match != otherSplitSegments.end();
            if ((!inside && !matched) || (matched && match->isInSameDirection(s))) result.push_back(s);
        }
        for (const Segment& t : otherSplitSegments) {
            if (!polygon.containsNonCrossOverSegment(t, false)) result.push_back(t);
        }
        return result;
    }

    // With edges excluded, a piece along an edge is judged by the edges at
    // its ends; that case goes to the polygon's own test.
    const PolygonIndex otherIndex(otherPolygon);
    const Detail::PieceIndex otherPieces(otherSplitSegments);
    for (const Segment& s : thisSplitSegments) {
        const Segment* match = otherPieces.firstMatch(s);
        if (match != nullptr) {
            if (match->isInSameDirection(s)) result.push_back(s);
            continue;
        }
        bool inside;
        if (!hasLength(s)) {
            inside = otherPolygon.containsNonCrossOverSegment(s, true);
        } else {
            const Placement placement = otherIndex.placementOf(s);
            inside = placement == Placement::onBoundary ? otherPolygon.containsNonCrossOverSegment(s, true)
                                                        : placement == Placement::inside;
        }
        if (!inside) result.push_back(s);
    }
    const PolygonIndex thisIndex(polygon);
    for (const Segment& t : otherSplitSegments) {
        const bool contained =
            hasLength(t) ? thisIndex.placementOf(t) != Placement::outside : polygon.containsNonCrossOverSegment(t, false);
        if (!contained) result.push_back(t);
    }
    return result;
}

// Polygon::contains(hole) for an outline, through the outline's index where
// it has one: an edge of the hole that no edge of the outline meets between
// its ends is contained exactly when it is not outside.
bool outlineContains(const Polygon& outline, const PolygonIndex* index, const Polygon& hole) {
    if (index == nullptr || hole.isEmpty()) return outline.contains(hole);
    const Box outlineBox(outline.getBoundingRectangle());
    const Box holeBox(hole.getBoundingRectangle());
    if (holeBox.minX < outlineBox.minX || holeBox.minY < outlineBox.minY || holeBox.maxX > outlineBox.maxX ||
        holeBox.maxY > outlineBox.maxY) {
        return false;
    }
    for (const Segment& edge : hole.getEdges()) {
        const bool contained = hasLength(edge) && !index->touchesInterior(edge)
                                   ? index->placementOf(edge) != Placement::outside
                                   : outline.containsSegment(edge);
        if (!contained) return false;
    }
    return true;
}

// Traces the difference's boundary: counterclockwise cycles become
// outlines, clockwise ones holes, and each hole goes to the innermost
// outline that contains it; empty cycles and holes no outline contains are
// dropped.
HoledPolygonSet assemblePieces(std::vector<Segment> unorderedResultSegments) {
    std::vector<Polygon> basePolygons;
    std::vector<Polygon> polygonHoles;
    Detail::SegmentListTracer(std::move(unorderedResultSegments)).traceAll([&](const Polygon& newPolygon) {
        if (newPolygon.isEmpty()) return;
        (newPolygon.wasOriginallyDefinedInReverseOrder() ? polygonHoles : basePolygons).push_back(newPolygon);
    });

    // Containment of a hole goes through the outline's index, built on
    // first use where the outline is large enough for it to pay.
    const std::size_t holeCount = polygonHoles.size();
    std::vector<std::optional<PolygonIndex>> indexes(basePolygons.size());
    std::vector<bool> indexTried(basePolygons.size(), false);
    auto indexOf = [&](std::size_t b) -> const PolygonIndex* {
        if (!indexTried[b]) {
            indexTried[b] = true;
            const Polygon& outline = basePolygons[b];
            if (static_cast<std::size_t>(outline.numberOfEdges()) * holeCount > directTestLimit &&
                isSimpleCounterclockwise(outline)) {
                indexes[b].emplace(outline);
            }
        }
        return indexes[b] ? &*indexes[b] : nullptr;
    };
    return HoledPolygonSet(Math::assignHolesToInnermostOutlines(
        basePolygons, std::move(polygonHoles), [&basePolygons, &indexOf](std::size_t b, const Polygon& hole) {
            return basePolygons[b].boundingRectanglesIntersect(hole) && outlineContains(basePolygons[b], indexOf(b), hole);
        }));
}

}  // namespace

// Pieces are cut at all edges, shared ones included, so that a piece of the
// other shape crossing from one hole into the next is cut where it crosses;
// only then do the pieces along a shape's shared edges go.
HoledPolygonSet HoledPolygon::booleanSubtract(const HoledPolygon& otherPolygon) const {
    const std::vector<Segment> thisEdges = getEdges();
    const std::vector<Segment> otherEdges = otherPolygon.getEdges();
    std::vector<Segment> thisSplitSegments = Math::splitSegmentsBySegments(thisEdges, otherEdges);
    std::vector<Segment> otherSplitSegments = Math::splitSegmentsBySegments(otherEdges, thisEdges);
    const Detail::SharedEdges thisShared(*this);
    const Detail::SharedEdges otherShared(otherPolygon);
    if (!thisShared.empty()) thisSplitSegments = thisShared.without(thisSplitSegments);
    if (!otherShared.empty()) otherSplitSegments = otherShared.without(otherSplitSegments);
    return assemblePieces(
        subtractionBoundary(*this, otherPolygon, thisShared, otherShared, thisSplitSegments, otherSplitSegments));
}

HoledPolygonSet HoledPolygon::booleanSubtract(const HoledPolygonSet& holedPolygonSet) const {
    HoledPolygonSet resultPolygons;
    resultPolygons.add(*this);
    for (const HoledPolygon& member : holedPolygonSet.getAllPolygons()) {
        HoledPolygonSet newResults;
        for (const HoledPolygon& piece : resultPolygons.getAllPolygons()) {
            const HoledPolygonSet currentPolygonPieces = piece.booleanSubtract(member);
            for (const HoledPolygon& result : currentPolygonPieces.getAllPolygons()) {
                if (!result.isEmpty()) newResults.add(result);
            }
        }
        resultPolygons = std::move(newResults);
    }
    return resultPolygons;
}

HoledPolygonSet HoledPolygonSet::booleanSubtract(const HoledPolygon& otherPolygon) const {
    HoledPolygonSet resultSet;
    for (const HoledPolygon& member : holedPolygons) resultSet.add(member.booleanSubtract(otherPolygon));
    return resultSet;
}

HoledPolygonSet Polygon::booleanSubtract(const Polygon& otherPolygon) const {
    return HoledPolygon(*this).booleanSubtract(HoledPolygon(otherPolygon));
}

HoledPolygonSet Polygon::booleanSubtract(const PolygonSet& polygonSet) const {
    return HoledPolygon(*this).booleanSubtract(HoledPolygonSet(polygonSet));
}

PolygonSet Polygon::booleanAddAndSimplify(const Polygon& otherPolygon, PolygonSet* interiorHolesRemoved) const {
    const std::vector<Segment> thisSplitSegments = edgesSplitBy(otherPolygon);
    const std::vector<Segment> otherSplitSegments = otherPolygon.edgesSplitBy(*this);
    std::vector<Segment> segments = unionBoundary(*this, otherPolygon, thisSplitSegments, otherSplitSegments);

    // The list is traced at least once: with nothing left, into one empty
    // polygon.
    PolygonSet resultSet;
    auto sortCycle = [&resultSet, interiorHolesRemoved](const Polygon& polygon) {
        if (!polygon.wasOriginallyDefinedInReverseOrder()) {
            if (!polygon.isEmpty()) resultSet.add(polygon);
        } else if (interiorHolesRemoved != nullptr) {
            interiorHolesRemoved->add(polygon);
        }
    };
    Detail::SegmentListTracer(std::move(segments)).traceAllAtLeastOnce(sortCycle);
    return resultSet;
}

}  // namespace Zelkor::Rectilinear

#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/Segment.h"
#include "geometry/detail/BoundingBox.h"

// Indexes over the edges of simple outlines, shared by the set operations
// that ask many containment questions of one outline.
namespace Zelkor::Rectilinear::Detail {

// Polygons with at most this many edges are checked and searched edge by
// edge rather than through sorted structures.
inline constexpr std::size_t smallPolygonEdges = 16;

// A closed outline that meets itself nowhere, running counterclockwise with
// alternating horizontal and vertical edges of positive length: the shape
// every standardized polygon has unless its corners describe a crossing or
// touching boundary.
bool isSimpleCounterclockwise(const Polygon& polygon);

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
        std::size_t node = leafOf(value);
        std::size_t total = 0;
        for (; node >= 1; node /= 2) {
            const auto first = positions.begin() + nodeStart[node];
            const auto last = positions.begin() + nodeStart[node + 1];
            total += static_cast<std::size_t>(last - std::upper_bound(first, last, position));
        }
        return total;
    }

    // Whether countBeyond(value, after) != countBeyond(value, upTo) for
    // after <= upTo: whether some interval holding the value lies at a
    // position in (after, upTo]. One walk up the tree, ending at the first
    // such interval.
    bool anyBetween(Coordinate value, Coordinate after, Coordinate upTo) const {
        if (!few.empty()) {
            for (const Interval& i : few) {
                if (i.lo <= value && value < i.hi && after < i.position && i.position <= upTo) return true;
            }
            return false;
        }
        if (leaves == 0 || value < bounds.front() || value >= bounds.back() || after == upTo) return false;
        std::size_t node = leafOf(value);
        for (; node >= 1; node /= 2) {
            const auto first = positions.begin() + nodeStart[node];
            const auto last = positions.begin() + nodeStart[node + 1];
            const auto beyond = std::upper_bound(first, last, after);
            if (beyond != last && *beyond <= upTo) return true;
        }
        return false;
    }

    // Whether two values are counted alike by every query: both outside the
    // bounds, or in one elementary interval.
    bool sameLeaf(Coordinate a, Coordinate b) const {
        if (!few.empty()) return false;
        if (leaves == 0) return true;
        const bool outsideA = a < bounds.front() || a >= bounds.back();
        const bool outsideB = b < bounds.front() || b >= bounds.back();
        if (outsideA || outsideB) return outsideA && outsideB;
        return leafOf(a) == leafOf(b);
    }

private:
    std::size_t leafOf(Coordinate value) const {
        const auto after = std::upper_bound(bounds.begin(), bounds.end(), value);
        return leaves + static_cast<std::size_t>(after - bounds.begin()) - 1;
    }

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
        // exactly at it, which have across - 1 in [start, end) (the same
        // edges again when across - 1 lies in across's elementary interval).
        if (perpendicular.anyBetween(across, lo, hi - 1)) return true;
        if (across == std::numeric_limits<Coordinate>::min() || perpendicular.sameLeaf(across, across - 1)) {
            return false;
        }
        return perpendicular.anyBetween(across - 1, lo, hi - 1);
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

// Polygon::contains(hole) for an outline, through the outline's index where
// it has one: an edge of the hole that no edge of the outline meets between
// its ends is contained exactly when it is not outside.
bool outlineContains(const Polygon& outline, const PolygonIndex* index, const Polygon& hole);

}  // namespace Zelkor::Rectilinear::Detail

#include "placement/RegionOutlines.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace Zelkor::Rectilinear {

namespace {

using Interval = ColumnCover::Interval;
constexpr std::size_t none = std::numeric_limits<std::size_t>::max();

struct Pieces {
    std::vector<std::size_t> parent;
    std::size_t add() {
        parent.push_back(parent.size());
        return parent.size() - 1;
    }
    std::size_t root(std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    }
    void join(std::size_t a, std::size_t b) {
        a = root(a);
        b = root(b);
        if (a != b) parent[std::max(a, b)] = std::min(a, b);
    }
};

// Intervals [first, last) of one column that overlap those of the next over
// some length belong to one piece.
void joinOverlapping(const std::vector<Interval>& intervals, std::size_t l, std::size_t lEnd, std::size_t r,
                     std::size_t rEnd, Pieces& pieces) {
    while (l < lEnd && r < rEnd) {
        if (std::max(intervals[l].low, intervals[r].low) < std::min(intervals[l].high, intervals[r].high)) {
            pieces.join(l, r);
        }
        if (intervals[l].high < intervals[r].high) {
            ++l;
        } else {
            ++r;
        }
    }
}

// The interval of [first, last) covering just below and just above y; the
// cursor only moves up, as the heights asked for do.
struct CoverAt {
    std::size_t below = none, above = none;
};
CoverAt coverAt(const std::vector<Interval>& intervals, std::size_t& cursor, std::size_t last, std::int64_t y) {
    while (cursor < last && intervals[cursor].high < y) ++cursor;
    CoverAt at;
    if (cursor < last) {
        if (intervals[cursor].low < y && y <= intervals[cursor].high) at.below = cursor;
        if (intervals[cursor].low <= y && y < intervals[cursor].high) at.above = cursor;
    }
    return at;
}

}  // namespace

RegionOutlines Math::regionOutlines(const ColumnCover& cover) {
    RegionOutlines result;
    const std::size_t columns = cover.columnCount();
    // Covered intervals, touching ones joined, column after column.
    std::vector<Interval> covered;
    std::vector<std::size_t> first(columns + 1, 0);
    std::vector<Interval> column;
    std::int64_t lowest = std::numeric_limits<std::int64_t>::max();
    std::int64_t highest = std::numeric_limits<std::int64_t>::min();
    for (std::size_t c = 0; c < columns; ++c) {
        cover.intervals(c, 0, column);
        covered.insert(covered.end(), column.begin(), column.end());
        first[c + 1] = covered.size();
        if (!column.empty()) {
            lowest = std::min(lowest, column.front().low);
            highest = std::max(highest, column.back().high);
        }
    }
    if (covered.empty()) return result;

    Pieces pieces;
    pieces.parent.resize(covered.size());
    std::iota(pieces.parent.begin(), pieces.parent.end(), 0);
    for (std::size_t c = 0; c + 1 < columns; ++c) {
        joinOverlapping(covered, first[c], first[c + 1], first[c + 1], first[c + 2], pieces);
    }

    // The gaps between covered intervals, within a band one unit beyond the
    // region above and below: a gap reaching the band's edge, or lying in the
    // first or last column, is open to the outside, and so is every gap it
    // overlaps; any other gap is closed in.
    std::vector<Interval> gaps;
    std::vector<std::size_t> gapFirst(columns + 1, 0);
    for (std::size_t c = 0; c < columns; ++c) {
        std::int64_t from = lowest - 1;
        for (std::size_t i = first[c]; i < first[c + 1]; ++i) {
            gaps.push_back({from, covered[i].low});
            from = covered[i].high;
        }
        gaps.push_back({from, highest + 1});
        gapFirst[c + 1] = gaps.size();
    }
    Pieces open;
    open.parent.resize(gaps.size() + 1);  // the last one stands for the outside
    std::iota(open.parent.begin(), open.parent.end(), 0);
    const std::size_t outside = gaps.size();
    for (std::size_t c = 0; c < columns; ++c) {
        for (std::size_t g = gapFirst[c]; g < gapFirst[c + 1]; ++g) {
            const bool edge = gaps[g].low == lowest - 1 || gaps[g].high == highest + 1 || c == 0 || c + 1 == columns;
            if (edge) open.join(g, outside);
        }
        if (c + 1 < columns) joinOverlapping(gaps, gapFirst[c], gapFirst[c + 1], gapFirst[c + 1], gapFirst[c + 2], open);
    }
    const std::size_t outsideRoot = open.root(outside);

    // Corners lie on the lines between columns (and on the outer two), where
    // the four quarters around a height tell them: one or three covered give
    // a corner, two diagonal ones a touch. A corner whose open quarters lie
    // in a hole is the hole's, not the outline's.
    std::vector<std::size_t> corners(covered.size(), 0);
    std::vector<std::int64_t> heights;
    for (std::size_t line = 0; line <= columns; ++line) {
        const std::size_t lBegin = line > 0 ? first[line - 1] : 0, lEnd = line > 0 ? first[line] : 0;
        const std::size_t rBegin = line < columns ? first[line] : 0, rEnd = line < columns ? first[line + 1] : 0;
        // The ends of both columns' intervals, ascending: each column's are already.
        heights.clear();
        {
            std::size_t a = 2 * lBegin, b = 2 * rBegin;
            auto end = [&covered](std::size_t k) { return k % 2 == 0 ? covered[k / 2].low : covered[k / 2].high; };
            while (a < 2 * lEnd || b < 2 * rEnd) {
                const bool takeLeft = b == 2 * rEnd || (a < 2 * lEnd && end(a) <= end(b));
                const std::int64_t y = takeLeft ? end(a++) : end(b++);
                if (heights.empty() || heights.back() != y) heights.push_back(y);
            }
        }
        std::size_t l = lBegin, r = rBegin;
        std::size_t gl = line > 0 ? gapFirst[line - 1] : 0, gr = line < columns ? gapFirst[line] : 0;
        const std::size_t glEnd = line > 0 ? gapFirst[line] : 0, grEnd = line < columns ? gapFirst[line + 1] : 0;
        for (const std::int64_t y : heights) {
            const CoverAt left = coverAt(covered, l, lEnd, y);
            const CoverAt right = coverAt(covered, r, rEnd, y);
            const CoverAt leftGap = coverAt(gaps, gl, glEnd, y);
            const CoverAt rightGap = coverAt(gaps, gr, grEnd, y);
            const int quarters = (left.below != none) + (left.above != none) + (right.below != none) +
                                 (right.above != none);
            if (quarters == 2 && (left.below != none) == (right.above != none) && left.below != left.above) {
                result.touchesItself = true;
            } else if (quarters == 1 || quarters == 3) {
                // An open quarter: beyond the outer lines every one is outside.
                std::size_t gap = outside;
                if (line > 0 && left.below == none) gap = leftGap.below;
                if (line > 0 && left.above == none) gap = leftGap.above;
                if (line < columns && right.below == none) gap = rightGap.below;
                if (line < columns && right.above == none) gap = rightGap.above;
                if (gap != none && open.root(gap) != outsideRoot) continue;
                for (const std::size_t i : {left.below, left.above, right.below, right.above}) {
                    if (i == none) continue;
                    ++corners[pieces.root(i)];
                    break;
                }
            }
        }
    }
    for (std::size_t i = 0; i < covered.size(); ++i) result.mostCorners = std::max(result.mostCorners, corners[i]);

    std::vector<std::size_t> holeOf(gaps.size() + 1, none);
    for (std::size_t c = 0; c < columns; ++c) {
        for (std::size_t g = gapFirst[c]; g < gapFirst[c + 1]; ++g) {
            const std::size_t root = open.root(g);
            if (root == outsideRoot) continue;
            if (holeOf[root] == none) {
                holeOf[root] = result.holes.size();
                result.holes.emplace_back();
            }
            result.holes[holeOf[root]].push_back({cover.xs[c], gaps[g].low, cover.xs[c + 1], gaps[g].high});
        }
    }
    return result;
}

}  // namespace Zelkor::Rectilinear

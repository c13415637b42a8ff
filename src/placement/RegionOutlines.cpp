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

// Intervals [l, lEnd) of one column that overlap intervals [r, rEnd) of the
// next over some length belong to one piece.
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

    // A piece none of whose intervals has the outside just below or above it
    // lies in a hole.
    Pieces pieces;
    pieces.parent.resize(covered.size());
    std::iota(pieces.parent.begin(), pieces.parent.end(), 0);
    for (std::size_t c = 0; c + 1 < columns; ++c) {
        joinOverlapping(covered, first[c], first[c + 1], first[c + 1], first[c + 2], pieces);
    }
    std::vector<char> meetsOutside(covered.size(), 0);
    for (std::size_t c = 0; c < columns; ++c) {
        for (std::size_t i = first[c]; i < first[c + 1]; ++i) {
            const std::size_t below = gapFirst[c] + (i - first[c]);
            if (open.root(below) == outsideRoot || open.root(below + 1) == outsideRoot) meetsOutside[pieces.root(i)] = 1;
        }
    }
    for (std::size_t i = 0; i < covered.size(); ++i) {
        if (pieces.root(i) == i && !meetsOutside[i]) result.hasIslands = true;
    }

    std::vector<std::size_t> holeOf(gaps.size() + 1, none);
    for (std::size_t c = 0; c < columns; ++c) {
        for (std::size_t g = gapFirst[c]; g < gapFirst[c + 1]; ++g) {
            const std::size_t root = open.root(g);
            if (root == outsideRoot) continue;
            if (holeOf[root] == none) {
                holeOf[root] = result.holes.size();
                result.holes.emplace_back();
            }
            result.holes[holeOf[root]].gaps.push_back({cover.xs[c], gaps[g].low, cover.xs[c + 1], gaps[g].high});
        }
    }

    // Where the four quarters around a point on a line between columns are
    // covered two and two diagonally, the region touches itself; the holes
    // in the open quarters there are marked. The gap after covered interval
    // i of column c is gaps[gapFirst[c] + (i - first[c]) + 1].
    auto gapAfter = [&](std::size_t c, std::size_t i) { return gapFirst[c] + (i - first[c]) + 1; };
    auto mark = [&](std::size_t g) {
        const std::size_t root = open.root(g);
        if (root != outsideRoot) result.holes[holeOf[root]].touchedAtCorner = true;
    };
    for (std::size_t line = 1; line < columns; ++line) {
        const std::size_t lEnd = first[line], rEnd = first[line + 1];
        std::size_t l = first[line - 1], r = first[line];
        while (l < lEnd && r < rEnd) {
            // Left ends where right starts: open above on the left and below
            // on the right; or the other way round.
            if (covered[l].high == covered[r].low) {
                mark(gapAfter(line - 1, l));
                mark(gapAfter(line, r) - 1);
            }
            if (covered[r].high == covered[l].low) {
                mark(gapAfter(line - 1, l) - 1);
                mark(gapAfter(line, r));
            }
            if (covered[l].high < covered[r].high) {
                ++l;
            } else {
                ++r;
            }
        }
    }
    return result;
}

}  // namespace Zelkor::Rectilinear

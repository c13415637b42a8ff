#include "placement/OutfallScorer.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

#include "geometry/Rectangle.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear {

namespace {

using Interval = ColumnCover::Interval;

// Areas below this are whole numbers that a float holds exactly.
constexpr std::int64_t exactFloatAreaLimit = std::int64_t{1} << 24;

// What of `from` the `blocked` intervals leave, appended to `out`.
void appendDifference(const std::vector<Interval>& from, const std::vector<Interval>& blocked,
                      std::vector<Interval>& out) {
    std::size_t b = 0;
    for (Interval rest : from) {
        while (b < blocked.size() && blocked[b].high <= rest.low) ++b;
        std::size_t k = b;
        for (; k < blocked.size() && blocked[k].low < rest.high; ++k) {
            if (blocked[k].low > rest.low) out.push_back({rest.low, blocked[k].low});
            rest.low = std::max(rest.low, blocked[k].high);
            if (rest.low >= rest.high) break;
        }
        if (rest.low < rest.high) out.push_back(rest);
    }
}

class Pieces {
public:
    explicit Pieces(std::size_t count) : parent(count) { std::iota(parent.begin(), parent.end(), std::size_t{0}); }
    std::size_t find(std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    }
    void join(std::size_t a, std::size_t b) {
        a = find(a);
        b = find(b);
        if (a != b) parent[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<std::size_t> parent;
};

constexpr std::size_t none = static_cast<std::size_t>(-1);

// The number of quarters set in a mask of four.
constexpr std::array<int, 16> quartersIn{0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

// The ends of two columns' intervals, ascending, each height once. Each
// column's ends ascend already: its intervals lie apart, bottom to top.
void mergeEnds(const Interval* a, const Interval* aEnd, const Interval* b, const Interval* bEnd,
               std::vector<std::int64_t>& heights) {
    heights.clear();
    auto put = [&heights](std::int64_t y) {
        if (heights.empty() || heights.back() != y) heights.push_back(y);
    };
    std::size_t ai = 0, bi = 0;
    const std::size_t aCount = 2 * static_cast<std::size_t>(aEnd - a), bCount = 2 * static_cast<std::size_t>(bEnd - b);
    auto endAt = [](const Interval* intervals, std::size_t k) { return k % 2 == 0 ? intervals[k / 2].low : intervals[k / 2].high; };
    while (ai < aCount || bi < bCount) {
        if (bi == bCount || (ai < aCount && endAt(a, ai) <= endAt(b, bi))) {
            put(endAt(a, ai++));
        } else {
            put(endAt(b, bi++));
        }
    }
}

// The interval of a sorted list just below (or just above) height y, by a
// cursor that only moves up.
struct Cursor {
    const Interval* begin;
    const Interval* end;
    std::size_t base;
    const Interval* at;
    std::size_t below(std::int64_t y) {
        while (at != end && at->high < y) ++at;
        return at != end && at->low < y ? base + static_cast<std::size_t>(at - begin) : none;
    }
    std::size_t above(std::int64_t y) {
        while (at != end && at->high < y) ++at;
        const Interval* i = at;
        if (i != end && i->high == y) ++i;  // touching intervals were joined, so the next starts higher
        return i != end && i->low <= y && y < i->high ? base + static_cast<std::size_t>(i - begin) : none;
    }
};

}  // namespace

OutfallScorer::OutfallScorer(const PolygonSet& set, int contractionFactor) : contractionFactor(contractionFactor) {
    // The set grown is the union of its boxes grown.
    const std::optional<ColumnCover> cover = ColumnCover::of(set.getAllEdges());
    if (!cover || contractionFactor < 0) return;
    std::vector<ColumnCover::Box> boxes = cover->boxes();
    for (ColumnCover::Box& b : boxes) {
        b = {b.left - contractionFactor, b.bottom - contractionFactor, b.right + contractionFactor,
             b.top + contractionFactor};
    }
    grownSet = ColumnCover::ofBoxes(boxes);
    setScorable = true;
}

void OutfallScorer::placeHost(const Polygon& host) {
    hostScorable = false;
    if (!setScorable || host.getArea() >= static_cast<float>(exactFloatAreaLimit)) return;
    const std::vector<Point>& corners = host.getPoints();
    if (corners.size() == 4) {
        // A rectangle shrinks into a rectangle, or into nothing.
        const Rectangle box = host.getBoundingRectangle();
        const std::int64_t k = contractionFactor;
        shrunkHost = ColumnCover::ofBoxes({{box.getBottomLeft().x + k, box.getBottomLeft().y + k,
                                            box.getTopRight().x - k, box.getTopRight().y - k}});
        hostScorable = true;
        return;
    }
    const std::optional<ColumnCover> cover = ColumnCover::of(host.getPolygonContracted(contractionFactor).getAllEdges());
    if (!cover) return;
    shrunkHost = *cover;
    hostScorable = true;
}

std::optional<WhiteSpaceInformation> OutfallScorer::score(const Point& hostTranslation) const {
    if (!hostScorable) return std::nullopt;
    const std::int64_t tx = hostTranslation.x, ty = hostTranslation.y;
    const ColumnCover& host = shrunkHost;
    const ColumnCover& set = grownSet;
    if (host.xs.size() < 2) return WhiteSpaceInformation(0, 0.0f, 0, 0.0f);

    // Column boundaries: the moved host's and the grown set's inside the host's span.
    const std::int64_t left = host.xs.front() + tx, right = host.xs.back() + tx;
    std::vector<std::int64_t>& bounds = scratch.bounds;
    bounds.clear();
    for (const std::int64_t x : host.xs) bounds.push_back(x + tx);
    for (const std::int64_t x : set.xs) {
        if (x > left && x < right) bounds.push_back(x);
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    const std::size_t columnCount = bounds.size() - 1;

    // The free intervals of every column, in one list.
    std::vector<Interval>& free = scratch.free;
    std::vector<std::size_t>& firstOf = scratch.firstOf;
    std::vector<Interval>& hostCover = scratch.hostCover;
    std::vector<Interval>& setCover = scratch.setCover;
    free.clear();
    firstOf.assign(columnCount + 1, 0);
    std::size_t h = 0, s = 0;
    for (std::size_t c = 0; c < columnCount; ++c) {
        const std::int64_t x = bounds[c];
        while (host.xs[h + 1] + tx <= x) ++h;
        host.intervals(h, ty, hostCover);
        setCover.clear();
        if (!set.xs.empty() && x >= set.xs.front() && x < set.xs.back()) {
            while (set.xs[s + 1] <= x) ++s;
            set.intervals(s, 0, setCover);
        }
        appendDifference(hostCover, setCover, free);
        firstOf[c + 1] = free.size();
    }

    // Intervals of neighbouring columns that share a stretch are one piece.
    Pieces pieces(free.size());
    for (std::size_t c = 1; c < columnCount; ++c) {
        std::size_t i = firstOf[c - 1], j = firstOf[c];
        while (i < firstOf[c] && j < firstOf[c + 1]) {
            if (std::min(free[i].high, free[j].high) > std::max(free[i].low, free[j].low)) pieces.join(i, j);
            (free[i].high < free[j].high) ? ++i : ++j;
        }
    }

    std::vector<std::int64_t>& area = scratch.area;
    std::vector<std::int64_t>& perimeter = scratch.perimeter;
    std::vector<int>& corners = scratch.corners;
    std::vector<int>& turns = scratch.turns;
    area.assign(free.size(), 0);
    perimeter.assign(free.size(), 0);
    corners.assign(free.size(), 0);
    turns.assign(free.size(), 0);
    for (std::size_t c = 0; c < columnCount; ++c) {
        const std::int64_t width = bounds[c + 1] - bounds[c];
        for (std::size_t i = firstOf[c]; i < firstOf[c + 1]; ++i) {
            const std::size_t root = pieces.find(i);
            area[root] += width * (free[i].high - free[i].low);
            perimeter[root] += 2 * width;
        }
    }

    // Corners and upright sides lie on the column boundaries. A corner is
    // where one or three of the four quarters around a point belong to a
    // piece, or two opposite ones (the piece touches itself there: two corners).
    std::vector<std::int64_t>& heights = scratch.heights;
    for (std::size_t k = 0; k <= columnCount; ++k) {
        const Interval* leftBegin = k > 0 ? free.data() + firstOf[k - 1] : nullptr;
        const Interval* leftEnd = k > 0 ? free.data() + firstOf[k] : nullptr;
        const Interval* rightBegin = k < columnCount ? free.data() + firstOf[k] : nullptr;
        const Interval* rightEnd = k < columnCount ? free.data() + firstOf[k + 1] : nullptr;
        mergeEnds(leftBegin, leftEnd, rightBegin, rightEnd, heights);

        Cursor leftBelow{leftBegin, leftEnd, k > 0 ? firstOf[k - 1] : 0, leftBegin};
        Cursor leftAbove = leftBelow;
        Cursor rightBelow{rightBegin, rightEnd, k < columnCount ? firstOf[k] : 0, rightBegin};
        Cursor rightAbove = rightBelow;
        auto rootOf = [&pieces](std::size_t i) { return i == none ? none : pieces.find(i); };
        for (std::size_t e = 0; e < heights.size(); ++e) {
            const std::int64_t y = heights[e];
            // Quarters: below left, below right, above left, above right.
            const std::array<std::size_t, 4> owner{rootOf(leftBelow.below(y)), rootOf(rightBelow.below(y)),
                                                    rootOf(leftAbove.above(y)), rootOf(rightAbove.above(y))};
            for (std::size_t q = 0; q < 4; ++q) {
                const std::size_t piece = owner[q];
                if (piece == none || std::find(owner.begin(), owner.begin() + q, piece) != owner.begin() + q) continue;
                int mask = 0;
                for (std::size_t r = 0; r < 4; ++r) mask |= owner[r] == piece ? 1 << r : 0;
                const int quarters = quartersIn[mask];
                if (quarters == 1) {
                    corners[piece] += 1;
                    turns[piece] += 1;
                } else if (quarters == 3) {
                    corners[piece] += 1;
                    turns[piece] -= 1;
                } else if (mask == 0b1001 || mask == 0b0110) {
                    corners[piece] += 2;
                    turns[piece] += 2;
                }
            }
            // The stretch up to the next height is a side where the two columns differ.
            if (e + 1 < heights.size() && owner[2] != owner[3]) {
                const std::int64_t length = heights[e + 1] - y;
                if (owner[2] != none) perimeter[owner[2]] += length;
                if (owner[3] != none) perimeter[owner[3]] += length;
            }
        }
    }

    int pieceCount = 0, sharingLargest = 0;
    std::size_t largest = none;
    for (std::size_t i = 0; i < free.size(); ++i) {
        if (pieces.find(i) != i) continue;
        ++pieceCount;
        if (largest == none || area[i] > area[largest]) {
            largest = i;
            sharingLargest = 1;
        } else if (area[i] == area[largest]) {
            ++sharingLargest;
        }
    }
    if (largest == none) return WhiteSpaceInformation(0, 0.0f, 0, 0.0f);
    if (sharingLargest > 1) return std::nullopt;
    const double grow = contractionFactor;
    const double expanded = static_cast<double>(area[largest]) + grow * static_cast<double>(perimeter[largest]) +
                            grow * grow * turns[largest];
    return WhiteSpaceInformation(pieceCount, static_cast<float>(area[largest]), corners[largest],
                                 static_cast<float>(expanded));
}

}  // namespace Zelkor::Rectilinear

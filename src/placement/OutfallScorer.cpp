#include "placement/OutfallScorer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "geometry/ExactArea.h"
#include "geometry/Rectangle.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear {

namespace {

using Interval = ColumnCover::Interval;

// The plain way sums an outline's area in doubles, a trapezoid per level
// side: exact while |y| times the length of those sides stays below this.
constexpr std::int64_t exactTrapezoidSumLimit = std::int64_t{1} << 51;

using Slot = OutfallScorer::Slot;

std::size_t rootOf(Slot* slots, std::size_t i) {
    while (slots[i].parent != i) i = slots[i].parent = slots[slots[i].parent].parent;
    return i;
}

void join(Slot* slots, std::size_t a, std::size_t b) {
    a = rootOf(slots, a);
    b = rootOf(slots, b);
    if (a != b) slots[std::max(a, b)].parent = std::min(a, b);
}

// Walks the boundary between two neighbouring columns of free intervals,
// [l, lEnd) on the left and [r, rEnd) on the right, bottom to top, and
// credits the intervals with what lies on it. Intervals of one column lie
// apart, so at each height at most one of them ends or starts there, and the
// four quarters around a height on the boundary are told by which columns are
// free just below and just above it:
// - one column changes and the other is free: three quarters, a turn inwards;
//   otherwise one quarter, a turn outwards (a corner either way);
// - both change the opposite way: two diagonal quarters, one outward corner
//   for each of them (two for the piece, should both belong to one);
// - a stretch free on one side only is an upright side; free on both sides,
//   it joins the two intervals into one piece.
// All that is counted per interval adds up to the same per piece.
// Where two diagonal quarters meet, their intervals go to `diagonals`.
void walkBoundary(const Interval* free, std::size_t l, std::size_t lEnd, std::size_t r, std::size_t rEnd,
                  Slot* slots, std::vector<std::size_t>& diagonals) {
    constexpr std::int64_t above = std::numeric_limits<std::int64_t>::max();
    bool inLeft = false, inRight = false;
    std::int64_t from = 0;
    while (l < lEnd || r < rEnd) {
        const std::int64_t yLeft = l < lEnd ? (inLeft ? free[l].high : free[l].low) : above;
        const std::int64_t yRight = r < rEnd ? (inRight ? free[r].high : free[r].low) : above;
        const std::int64_t y = std::min(yLeft, yRight);
        if (inLeft != inRight) {
            slots[inLeft ? l : r].perimeter += y - from;
        } else if (inLeft) {
            // The right interval, still alone, simply follows the left one's piece.
            if (slots[r].parent == r) {
                slots[r].parent = rootOf(slots, l);
            } else {
                join(slots, l, r);
            }
        }
        if (yLeft != yRight) {
            Slot& corner = slots[yLeft < yRight ? l : r];
            const bool otherFree = yLeft < yRight ? inRight : inLeft;
            corner.corners += 1;
            corner.turns += otherFree ? -1 : 1;
        } else if (inLeft != inRight) {
            diagonals.push_back(l);
            diagonals.push_back(r);
            slots[l].corners += 1;
            slots[l].turns += 1;
            slots[r].corners += 1;
            slots[r].turns += 1;
        }
        if (yLeft == y) {
            if (inLeft) ++l;
            inLeft = !inLeft;
        }
        if (yRight == y) {
            if (inRight) ++r;
            inRight = !inRight;
        }
        from = y;
    }
}

// Each piece's totals gather in its first interval.
void gatherPieces(Slot* slots, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t parent = slots[i].parent;
        if (parent == i) continue;
        const std::size_t root = slots[parent].parent;  // final already: parents come first
        slots[i].parent = root;
        slots[root].area += slots[i].area;
        slots[root].perimeter += slots[i].perimeter;
        slots[root].corners += slots[i].corners;
        slots[root].turns += slots[i].turns;
    }
}

}  // namespace

void OutfallScorer::Columns::assign(const ColumnCover& cover) {
    xs = cover.xs;
    most = 0;
    intervals.clear();
    intervals.reserve(cover.toggles.size() / 2);
    first.resize(cover.columnCount() + 1);
    first[0] = 0;
    // As ColumnCover::intervals lists them: empty ones left out, touching ones joined.
    for (std::size_t c = 0; c < cover.columnCount(); ++c) {
        const std::size_t begin = intervals.size();
        for (std::size_t i = cover.offsets[c]; i < cover.offsets[c + 1]; i += 2) {
            const Interval next{cover.toggles[i], cover.toggles[i + 1]};
            if (next.low == next.high) continue;
            if (intervals.size() > begin && intervals.back().high == next.low) {
                intervals.back().high = next.high;
            } else {
                intervals.push_back(next);
            }
        }
        first[c + 1] = intervals.size();
        most = std::max(most, first[c + 1] - begin);
    }
}

OutfallScorer::OutfallScorer(const PolygonSet& set, int contractionFactor)
    : OutfallScorer(ColumnCover::boxesOf(set), contractionFactor) {}

OutfallScorer::OutfallScorer(const std::optional<std::vector<ColumnCover::Box>>& setRegion, int contractionFactor)
    : contractionFactor(contractionFactor) {
    // The set grown is the union of its boxes grown.
    if (!setRegion || contractionFactor < 0) return;
    std::vector<ColumnCover::Box> boxes = *setRegion;
    for (ColumnCover::Box& b : boxes) {
        b = {b.left - contractionFactor, b.bottom - contractionFactor, b.right + contractionFactor,
             b.top + contractionFactor};
    }
    grownSet.assign(ColumnCover::ofBoxes(boxes));
    setScorable = true;
}

void OutfallScorer::placeHost(const Polygon& host) {
    hostScorable = false;
    if (!setScorable) return;
    smallHost = host.getArea() < static_cast<float>(Math::exactFloatAreaLimit);
    const std::vector<Point>& corners = host.getPoints();
    if (corners.size() == 4) {
        // A rectangle shrinks into a rectangle, or into nothing.
        const Rectangle box = host.getBoundingRectangle();
        const std::int64_t k = contractionFactor;
        const Interval across{box.getBottomLeft().x + k, box.getTopRight().x - k};
        const Interval upright{box.getBottomLeft().y + k, box.getTopRight().y - k};
        shrunkHost.xs.clear();
        shrunkHost.intervals.clear();
        shrunkHost.first.assign(1, 0);
        shrunkHost.most = 0;
        if (across.low < across.high && upright.low < upright.high) {
            shrunkHost.xs = {across.low, across.high};
            shrunkHost.intervals = {upright};
            shrunkHost.first.push_back(1);
            shrunkHost.most = 1;
        }
        noteHeights();
        hostScorable = true;
        return;
    }
    if (!cover.assignOf(host.getPolygonContracted(contractionFactor))) return;
    shrunkHost.assign(cover);
    noteHeights();
    hostScorable = true;
}

void OutfallScorer::noteHeights() {
    hostLowest = 0;
    hostHighest = 0;
    if (shrunkHost.intervals.empty()) return;
    hostLowest = shrunkHost.intervals.front().low;
    hostHighest = shrunkHost.intervals.front().high;
    for (const Interval& i : shrunkHost.intervals) {
        hostLowest = std::min(hostLowest, i.low);
        hostHighest = std::max(hostHighest, i.high);
    }
}

// What the free intervals leave of their columns, from below the lowest to
// above the highest, is the rest: its pieces reaching the first or last
// column, or the bottom or top, lie outside; the others are closed in. In a
// column the rest and the free intervals take turns from the bottom up, so
// what lies just below a piece's lowest interval is what it lies in. A closed
// rest piece filled is its own area and that of all it holds.
std::optional<OutfallScorer::Slot> OutfallScorer::onlyHole(std::size_t holedPiece, const std::int64_t* bounds,
                                                           std::size_t columnCount, const Interval* free,
                                                           const Slot* freeSlots) {
    const std::size_t count = columnFirstList.back();
    std::int64_t low = free[0].low, high = free[0].high;
    for (std::size_t i = 0; i < count; ++i) {
        low = std::min(low, free[i].low);
        high = std::max(high, free[i].high);
    }
    --low;
    ++high;
    std::vector<Interval>& rest = restList;
    std::vector<std::size_t>& restFirst = restFirstList;
    rest.clear();
    restFirst.clear();
    for (std::size_t c = 0; c < columnCount; ++c) {
        restFirst.push_back(rest.size());
        std::int64_t from = low;
        for (std::size_t i = columnFirstList[c]; i < columnFirstList[c + 1]; ++i) {
            if (free[i].low <= from) return std::nullopt;  // touching intervals: no turns to read
            rest.push_back({from, free[i].low});
            from = free[i].high;
        }
        rest.push_back({from, high});
    }
    restFirst.push_back(rest.size());
    const std::size_t restCount = rest.size();
    std::vector<Slot>& slots = restSlotList;
    slots.resize(restCount);
    std::vector<std::size_t> corners;
    std::size_t previous = 0;
    for (std::size_t c = 0; c < columnCount; ++c) {
        const std::int64_t width = bounds[c + 1] - bounds[c];
        for (std::size_t i = restFirst[c]; i < restFirst[c + 1]; ++i) {
            slots[i] = {width * (rest[i].high - rest[i].low), 2 * width, 0, 0, i};
        }
        walkBoundary(rest.data(), previous, restFirst[c], restFirst[c], restFirst[c + 1], slots.data(), corners);
        previous = restFirst[c];
    }
    walkBoundary(rest.data(), previous, restCount, restCount, restCount, slots.data(), corners);
    gatherPieces(slots.data(), restCount);

    // Nodes: free pieces at their first interval i, rest pieces at count + i.
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::vector<std::size_t>& lowest = lowestList;
    lowest.assign(count + restCount, none);
    std::vector<std::size_t>& below = belowList;  // what lies just below each interval
    below.assign(count + restCount, none);
    auto keepLowest = [&](std::size_t node, std::size_t interval, std::int64_t y) {
        const std::size_t known = lowest[node];
        const std::int64_t knownY = known == none ? 0 : (known < count ? free[known].low : rest[known - count].low);
        if (known == none || y < knownY) lowest[node] = interval;
    };
    std::vector<char>& outside = outsideList;
    outside.assign(restCount, 0);
    for (std::size_t c = 0; c < columnCount; ++c) {
        const std::size_t f = columnFirstList[c], r = restFirst[c];
        for (std::size_t j = 0; r + j < restFirst[c + 1]; ++j) {
            const std::size_t restInterval = r + j;
            if (j > 0) below[count + restInterval] = f + j - 1;
            if (c == 0 || c + 1 == columnCount || rest[restInterval].low == low || rest[restInterval].high == high) {
                outside[slots[restInterval].parent] = 1;
            }
            keepLowest(count + slots[restInterval].parent, count + restInterval, rest[restInterval].low);
        }
        for (std::size_t i = f; i < columnFirstList[c + 1]; ++i) {
            below[i] = count + r + (i - f);
            keepLowest(freeSlots[i].parent, i, free[i].low);
        }
    }
    auto nodeOf = [&](std::size_t interval) {
        return interval < count ? freeSlots[interval].parent : count + slots[interval - count].parent;
    };
    // Each closed node's parent, and the filled areas, deepest first.
    std::vector<std::size_t>& parent = parentList;
    parent.assign(count + restCount, none);
    // Filled, a piece's outline is its own less its holes' outlines.
    std::vector<std::int64_t>& filled = filledList;
    filled.assign(count + restCount, 0);
    std::vector<std::int64_t>& outline = outlineList;
    outline.assign(count + restCount, 0);
    std::vector<std::pair<int, std::size_t>>& byDepth = depthList;
    byDepth.clear();
    for (std::size_t node = 0; node < count + restCount; ++node) {
        if (lowest[node] == none) continue;  // not a piece's first interval
        const bool isRest = node >= count;
        if (isRest && outside[node - count]) continue;
        parent[node] = nodeOf(below[lowest[node]]);
        filled[node] = isRest ? slots[node - count].area : freeSlots[node].area;
        outline[node] = isRest ? slots[node - count].perimeter : freeSlots[node].perimeter;
    }
    for (std::size_t node = 0; node < count + restCount; ++node) {
        if (lowest[node] == none || (node >= count && outside[node - count])) continue;
        int depth = 0;
        for (std::size_t up = parent[node]; up != none && depth <= static_cast<int>(count + restCount); up = parent[up]) {
            ++depth;
        }
        byDepth.emplace_back(-depth, node);
    }
    std::sort(byDepth.begin(), byDepth.end());
    std::optional<Slot> hole;
    for (const auto& [negativeDepth, node] : byDepth) {
        const std::size_t up = parent[node];
        if (up == none) continue;
        filled[up] += filled[node];
        outline[up] -= outline[node];
        if (up == holedPiece && node >= count) {
            if (hole) return std::nullopt;
            hole = slots[node - count];
            hole->area = filled[node];
            hole->perimeter = outline[node];
        }
    }
    return hole;
}

// Few pieces meet at corners: a list of links (piece, towards its root) does.
bool OutfallScorer::piecesMeetInARing(const Slot* slots) {
    std::vector<std::pair<std::size_t, std::size_t>>& links = ringList;
    links.clear();
    auto rootOfPiece = [&links](std::size_t piece) {
        for (;;) {
            const auto link = std::find_if(links.begin(), links.end(), [piece](const auto& l) { return l.first == piece; });
            if (link == links.end()) return piece;
            piece = link->second;
        }
    };
    for (std::size_t d = 0; d < diagonalList.size(); d += 2) {
        const std::size_t a = slots[diagonalList[d]].parent, b = slots[diagonalList[d + 1]].parent;
        if (a == b) continue;
        const std::size_t rootA = rootOfPiece(a), rootB = rootOfPiece(b);
        if (rootA == rootB) return true;
        links.emplace_back(rootA, rootB);
    }
    return false;
}

std::optional<WhiteSpaceInformation> OutfallScorer::score(const Point& hostTranslation, bool* largestShared) {
    if (largestShared != nullptr) *largestShared = false;
    if (!hostScorable) return std::nullopt;
    const std::int64_t tx = hostTranslation.x, ty = hostTranslation.y;
    const Columns& host = shrunkHost;
    const Columns& set = grownSet;
    if (host.xs.size() < 2) return WhiteSpaceInformation(0, 0.0f, 0, 0.0f);

    // Column boundaries: the moved host's and, merged in, the grown set's
    // inside the host's span; both lists ascend already. The working lists
    // are sized for the most they can take and filled by index.
    const std::int64_t left = host.xs.front() + tx;
    if (boundList.size() < host.xs.size() + set.xs.size()) boundList.resize(host.xs.size() + set.xs.size());
    std::int64_t* const bounds = boundList.data();
    std::size_t boundCount = 0;
    {
        auto s = std::upper_bound(set.xs.begin(), set.xs.end(), left);
        for (const std::int64_t hostX : host.xs) {
            const std::int64_t x = hostX + tx;
            for (; s != set.xs.end() && *s < x; ++s) bounds[boundCount++] = *s;
            if (s != set.xs.end() && *s == x) ++s;
            bounds[boundCount++] = x;
        }
    }
    const std::size_t columnCount = boundCount - 1;

    // Column by column: its free intervals, then the boundary to its left.
    // A column's host intervals less the set's leave at most as many
    // intervals as both have together.
    const std::size_t mostFree = columnCount * (host.most + set.most);
    if (freeList.size() < mostFree) freeList.resize(mostFree);
    if (slotList.size() < mostFree) slotList.resize(mostFree);
    Interval* const free = freeList.data();
    Slot* const slots = slotList.data();
    std::size_t count = 0;
    const bool setHasColumns = set.xs.size() >= 2;
    std::size_t h = 0, s = 0, previous = 0;
    diagonalList.clear();
    columnFirstList.clear();
    for (std::size_t c = 0; c < columnCount; ++c) {
        const std::int64_t x = bounds[c];
        const std::int64_t width = bounds[c + 1] - x;
        if (!smallHost) columnFirstList.push_back(count);
        while (host.xs[h + 1] + tx <= x) ++h;
        const Interval* blocked = nullptr;
        const Interval* blockedEnd = nullptr;
        if (setHasColumns && x >= set.xs.front() && x < set.xs.back()) {
            while (set.xs[s + 1] <= x) ++s;
            blocked = set.intervals.data() + set.first[s];
            blockedEnd = set.intervals.data() + set.first[s + 1];
        }
        const std::size_t first = count;
        // What of the host's intervals the set's leave.
        for (std::size_t f = host.first[h]; f < host.first[h + 1]; ++f) {
            std::int64_t low = host.intervals[f].low + ty;
            const std::int64_t high = host.intervals[f].high + ty;
            while (blocked != blockedEnd && blocked->high <= low) ++blocked;
            for (const Interval* b = blocked; b != blockedEnd && b->low < high; ++b) {
                if (b->low > low) free[count++] = {low, b->low};
                low = std::max(low, b->high);
                if (low >= high) break;
            }
            if (low < high) free[count++] = {low, high};
        }
        for (std::size_t i = first; i < count; ++i) {
            slots[i] = {width * (free[i].high - free[i].low), 2 * width, 0, 0, i};
        }
        walkBoundary(free, previous, first, first, count, slots, diagonalList);
        previous = first;
    }
    walkBoundary(free, previous, count, count, count, slots, diagonalList);

    gatherPieces(slots, count);
    // Pieces meeting at corners in a ring close in what lies between them,
    // and the plain way makes them one piece with holes that touch its
    // outline; a piece meeting itself counts the same either way, and
    // pieces meeting in a chain stay apart. Rings are left to the plain way.
    if (!diagonalList.empty() && piecesMeetInARing(slots)) return std::nullopt;
    // In a large host the plain way's float areas are rounded: an outline's
    // area is its trapezoid sum in doubles, rounded to a float, less each of
    // its holes' the same way. They are matched where that sum is exact and
    // the holes are known: a piece touching itself nowhere whose turns sum to
    // a full turn has none; one whose turns sum to nothing has one hole,
    // known where it is all the pieces close in and holds no piece itself.
    const std::int64_t grow = contractionFactor;
    std::size_t holed = count;
    Slot hole{};
    if (!smallHost) {
        if (!diagonalList.empty()) return std::nullopt;
        // Only level sides add to the sum: each interval has two.
        columnFirstList.push_back(count);
        std::vector<std::int64_t>& level = levelList;
        level.assign(count, 0);
        for (std::size_t c = 0; c < columnCount; ++c) {
            for (std::size_t i = columnFirstList[c]; i < columnFirstList[c + 1]; ++i) {
                level[slots[i].parent] += 2 * (bounds[c + 1] - bounds[c]);
            }
        }
        const std::int64_t reach = std::max(std::abs(hostLowest + ty), std::abs(hostHighest + ty)) + grow + 1;
        const std::int64_t longestLevelSides = exactTrapezoidSumLimit / reach - 8 * grow;
        for (std::size_t i = 0; i < count; ++i) {
            if (slots[i].parent != i) continue;
            if (level[i] >= longestLevelSides) return std::nullopt;
            if (slots[i].turns == 4) continue;
            if (slots[i].turns != 0 || holed != count) return std::nullopt;
            holed = i;
        }
        if (holed != count) {
            const std::optional<Slot> only = onlyHole(holed, bounds, columnCount, free, slots);
            if (!only) return std::nullopt;
            hole = *only;
        }
    }
    auto areaOf = [&](std::size_t i) {
        if (i != holed) return static_cast<float>(slots[i].area);
        return static_cast<float>(slots[i].area + hole.area) - static_cast<float>(hole.area);
    };
    // Pieces compare by their areas as floats, as the plain way reads them.
    int pieceCount = 0, sharingLargest = 0;
    std::size_t largest = count;
    float largestArea = 0.0f;
    for (std::size_t i = 0; i < count; ++i) {
        if (slots[i].parent != i) continue;
        ++pieceCount;
        const float area = areaOf(i);
        if (largest == count || area > largestArea) {
            largest = i;
            largestArea = area;
            sharingLargest = 1;
        } else if (area == largestArea) {
            ++sharingLargest;
        }
    }
    if (largest == count) return WhiteSpaceInformation(0, 0.0f, 0, 0.0f);
    if (sharingLargest > 1) {
        if (largestShared == nullptr) return std::nullopt;
        *largestShared = true;
    }
    const Slot& piece = slots[largest];
    // Grown back, an outline gains its length times the growth and a square
    // of it per turn; a hole loses as much.
    float expanded = 0.0f;
    if (largest == holed) {
        const std::int64_t outline = piece.perimeter - hole.perimeter;
        expanded = static_cast<float>(piece.area + hole.area + grow * outline + 4 * grow * grow) -
                   static_cast<float>(hole.area - grow * hole.perimeter + 4 * grow * grow);
    } else {
        expanded = static_cast<float>(static_cast<double>(piece.area) + static_cast<double>(grow * piece.perimeter) +
                                      static_cast<double>(grow * grow * piece.turns));
    }
    return WhiteSpaceInformation(pieceCount, largestArea, piece.corners, expanded);
}

}  // namespace Zelkor::Rectilinear

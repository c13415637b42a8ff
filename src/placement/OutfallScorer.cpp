#include "placement/OutfallScorer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "geometry/Rectangle.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear {

namespace {

using Interval = ColumnCover::Interval;

// Areas below this are whole numbers that a float holds exactly.
constexpr std::int64_t exactFloatAreaLimit = std::int64_t{1} << 24;
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

// The grown set's region read as one would read outfall: its area and
// outline length, and whether it is one piece without holes that touches
// itself nowhere.
const OutfallScorer::Shape& OutfallScorer::setShape() {
    if (grownSetShape) return *grownSetShape;
    const Columns& set = grownSet;
    std::vector<Slot> slots(set.intervals.size());
    std::vector<std::size_t> diagonals;
    std::size_t previous = 0;
    for (std::size_t c = 0; c + 1 < set.xs.size(); ++c) {
        const std::int64_t width = set.xs[c + 1] - set.xs[c];
        for (std::size_t i = set.first[c]; i < set.first[c + 1]; ++i) {
            slots[i] = {width * (set.intervals[i].high - set.intervals[i].low), 2 * width, 0, 0, i};
        }
        walkBoundary(set.intervals.data(), previous, set.first[c], set.first[c], set.first[c + 1], slots.data(),
                     diagonals);
        previous = set.first[c];
    }
    const std::size_t count = set.intervals.size();
    walkBoundary(set.intervals.data(), previous, count, count, count, slots.data(), diagonals);
    Shape shape;
    int pieces = 0, turns = 0;
    for (std::size_t i = 0; i < count; ++i) {
        pieces += rootOf(slots.data(), i) == i ? 1 : 0;
        shape.area += slots[i].area;
        shape.perimeter += slots[i].perimeter;
        turns += slots[i].turns;
    }
    shape.simple = pieces == 1 && turns == 4 && diagonals.empty();
    return grownSetShape.emplace(shape);
}

void OutfallScorer::placeHost(const Polygon& host) {
    hostScorable = false;
    if (!setScorable) return;
    smallHost = host.getArea() < static_cast<float>(exactFloatAreaLimit);
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

    // Each piece's totals gather in its first interval.
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
    // Pieces meeting at corners in a ring close in what lies between them,
    // and the plain way makes them one piece with holes that touch its
    // outline; a piece meeting itself counts the same either way, and
    // pieces meeting in a chain stay apart. Rings are left to the plain way.
    if (!diagonalList.empty() && piecesMeetInARing(slots)) return std::nullopt;
    // In a large host the plain way's float areas are rounded: an outline's
    // area is its trapezoid sum in doubles, rounded to a float, less each of
    // its holes' the same way. They are matched where that sum is exact and
    // the holes are known: a piece touching itself nowhere whose turns sum to
    // a full turn has none; one whose turns sum to nothing has one hole, the
    // whole grown set, where that is one piece without holes itself.
    const std::int64_t grow = contractionFactor;
    std::size_t holed = count;
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
            if (slots[i].turns != 0 || holed != count || !setShape().simple) return std::nullopt;
            holed = i;
        }
    }
    auto areaOf = [&](std::size_t i) {
        if (i != holed) return static_cast<float>(slots[i].area);
        return static_cast<float>(slots[i].area + grownSetShape->area) - static_cast<float>(grownSetShape->area);
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
        const std::int64_t outline = piece.perimeter - grownSetShape->perimeter;
        expanded = static_cast<float>(piece.area + grownSetShape->area + grow * outline + 4 * grow * grow) -
                   static_cast<float>(grownSetShape->area - grow * grownSetShape->perimeter + 4 * grow * grow);
    } else {
        expanded = static_cast<float>(static_cast<double>(piece.area) + static_cast<double>(grow * piece.perimeter) +
                                      static_cast<double>(grow * grow * piece.turns));
    }
    return WhiteSpaceInformation(pieceCount, largestArea, piece.corners, expanded);
}

}  // namespace Zelkor::Rectilinear

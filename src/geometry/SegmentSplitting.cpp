#include "geometry/SegmentSplitting.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

namespace Zelkor::Rectilinear::Math {

namespace {

bool isSentinel(Coordinate c) {
    return c == Point::holeCoordinate || c == Point::infinity;
}

// A segment seen from the sweep: `across` is its fixed coordinate (the x of a
// vertical segment, the y of a horizontal one) and [low, high] the closed
// range it spans on the other axis.
struct Span {
    Coordinate across;
    Coordinate low;
    Coordinate high;
    std::size_t index;
};

Span spanOf(const Segment& segment, std::size_t index) {
    const Point& a = segment.getStartPoint();
    const Point& b = segment.getEndPoint();
    if (segment.isVertical()) return {a.x, std::min(a.y, b.y), std::max(a.y, b.y), index};
    return {a.y, std::min(a.x, b.x), std::max(a.x, b.x), index};
}

// Where each target is cut: for target i, positions[ranges[i].first ..
// ranges[i].second) along its axis, ascending and distinct.
struct CutPositions {
    std::vector<Coordinate> positions;
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
};

// A set of ranks in [0, size) with a count per rank: a bit per rank and, on
// each level above, a bit per nonempty word of the level below, so insertion,
// removal and finding the next member take a few word operations per level
// (one level per factor of 64) and no allocation.
class RankSet {
public:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    explicit RankSet(std::size_t size) : counts(size, 0) {
        std::size_t words = size;
        do {
            words = (words + 63) / 64;
            levels.emplace_back(words, 0);
        } while (words > 1);
    }

    void insert(std::size_t rank) {
        if (counts[rank]++ != 0) return;
        for (std::vector<std::uint64_t>& level : levels) {
            std::uint64_t& word = level[rank >> 6];
            const bool wasEmpty = word == 0;
            word |= std::uint64_t{1} << (rank & 63);
            if (!wasEmpty) return;
            rank >>= 6;
        }
    }

    void erase(std::size_t rank) {
        if (--counts[rank] != 0) return;
        for (std::vector<std::uint64_t>& level : levels) {
            std::uint64_t& word = level[rank >> 6];
            word &= ~(std::uint64_t{1} << (rank & 63));
            if (word != 0) return;
            rank >>= 6;
        }
    }

    // The smallest member not below `rank`, or `none`.
    std::size_t next(std::size_t rank) const {
        std::size_t level = 0;
        for (;; ++level) {
            if (level == levels.size()) return none;
            const std::size_t word = rank >> 6;
            if (word >= levels[level].size()) return none;
            const std::uint64_t bits = levels[level][word] & (~std::uint64_t{0} << (rank & 63));
            if (bits != 0) {
                rank = (word << 6) | lowestBit(bits);
                break;
            }
            rank = word + 1;
        }
        while (level > 0) {
            --level;
            rank = (rank << 6) | lowestBit(levels[level][rank]);
        }
        return rank;
    }

private:
    static std::size_t lowestBit(std::uint64_t bits) { return static_cast<std::size_t>(__builtin_ctzll(bits)); }

    std::vector<std::size_t> counts;
    std::vector<std::vector<std::uint64_t>> levels;  // levels[0] holds a bit per rank
};

// Where a cutter's span starts or ends, with the rank of its fixed coordinate.
struct Boundary {
    Coordinate at;
    std::size_t rank;
};

// Sorts by a coordinate, one byte at a time from the least significant; the
// order among equal coordinates does not matter to the sweep. Comparison
// sorts on large unordered input mispredict about every other branch, which
// costs more here than the sweep itself.
template <typename T, typename KeyOf>
void sortByCoordinate(std::vector<T>& items, KeyOf keyOf) {
    if (items.size() < 64) {
        std::sort(items.begin(), items.end(), [&](const T& a, const T& b) { return keyOf(a) < keyOf(b); });
        return;
    }
    // Flipping the sign bit orders the unsigned images as the signed values.
    auto digit = [&](const T& item, int shift) {
        return ((static_cast<std::uint32_t>(keyOf(item)) ^ 0x80000000u) >> shift) & 0xFFu;
    };
    std::vector<T> buffer(items.size());
    for (int shift = 0; shift < 32; shift += 8) {
        std::array<std::size_t, 256> offsets{};
        for (const T& item : items) ++offsets[digit(item, shift)];
        if (offsets[digit(items.front(), shift)] == items.size()) continue;  // one digit for all: already in order
        std::size_t total = 0;
        for (std::size_t& offset : offsets) total += std::exchange(offset, total);
        for (const T& item : items) buffer[offsets[digit(item, shift)]++] = item;
        items.swap(buffer);
    }
}

// The number of keys not above `value` in ascending `keys`, without branching
// on the comparisons.
std::size_t countNotAbove(const std::vector<Coordinate>& keys, Coordinate value) {
    if (keys.empty()) return 0;
    const Coordinate* base = keys.data();
    std::size_t length = keys.size();
    while (length > 1) {
        const std::size_t half = length / 2;
        base = base[half] <= value ? base + half : base;
        length -= half;
    }
    return static_cast<std::size_t>(base - keys.data()) + (*base <= value ? 1 : 0);
}

// Below this many target and cutter pairs, testing every pair costs less than
// setting up the sweep.
constexpr std::size_t directComparisonLimit = 4096;

void compareDirectly(const std::vector<Span>& targets, const std::vector<Span>& cutters, CutPositions& cuts) {
    std::vector<Coordinate>& positions = cuts.positions;
    for (const Span& target : targets) {
        const std::size_t begin = positions.size();
        for (const Span& cutter : cutters) {
            if (cutter.low <= target.across && target.across <= cutter.high && target.low < cutter.across &&
                cutter.across < target.high) {
                positions.push_back(cutter.across);
            }
        }
        const auto first = positions.begin() + static_cast<std::ptrdiff_t>(begin);
        std::sort(first, positions.end());
        positions.erase(std::unique(first, positions.end()), positions.end());
        cuts.ranges[target.index] = {begin, positions.size()};
    }
}

// Sweeps the targets' fixed axis (x for vertical targets). A cutter is active
// while the sweep is inside its span, keyed by the rank of its own fixed
// coordinate; a target reports the active keys strictly inside its span.
// Cutters starting at a target's coordinate are inserted and those ending
// there removed only afterwards, since a cutter touching the target with an
// end point cuts it. Keys are distinct, so a point hit twice reports once.
void sweep(std::vector<Span>& targets, std::vector<Span>& cutters, CutPositions& cuts) {
    if (targets.empty() || cutters.empty()) return;
    if (targets.size() * cutters.size() <= directComparisonLimit) {
        compareDirectly(targets, cutters, cuts);
        return;
    }
    sortByCoordinate(targets, [](const Span& span) { return span.across; });
    sortByCoordinate(cutters, [](const Span& span) { return span.across; });
    std::vector<Coordinate> keys;
    std::vector<Boundary> starts;
    std::vector<Boundary> ends;
    keys.reserve(cutters.size());
    starts.reserve(cutters.size());
    ends.reserve(cutters.size());
    for (const Span& cutter : cutters) {
        if (keys.empty() || keys.back() != cutter.across) keys.push_back(cutter.across);
        starts.push_back({cutter.low, keys.size() - 1});
        ends.push_back({cutter.high, keys.size() - 1});
    }
    sortByCoordinate(starts, [](const Boundary& boundary) { return boundary.at; });
    sortByCoordinate(ends, [](const Boundary& boundary) { return boundary.at; });

    RankSet active(keys.size());
    std::size_t nextStart = 0;
    std::size_t nextEnd = 0;
    for (const Span& target : targets) {
        while (nextStart < starts.size() && starts[nextStart].at <= target.across) active.insert(starts[nextStart++].rank);
        // Every cutter ending before the target started before it as well,
        // so it is in the active set by now.
        while (nextEnd < ends.size() && ends[nextEnd].at < target.across) active.erase(ends[nextEnd++].rank);
        const std::size_t begin = cuts.positions.size();
        for (std::size_t rank = active.next(countNotAbove(keys, target.low));
             rank != RankSet::none && keys[rank] < target.high; rank = active.next(rank + 1)) {
            cuts.positions.push_back(keys[rank]);
        }
        cuts.ranges[target.index] = {begin, cuts.positions.size()};
    }
}

Point pointAt(const Segment& target, Coordinate position) {
    const Point& start = target.getStartPoint();
    return target.isVertical() ? Point(start.x, position) : Point(position, start.y);
}

}  // namespace

struct SplitScratch::Buffers {
    std::vector<Span> verticalTargets;
    std::vector<Span> horizontalTargets;
    std::vector<Span> verticalCutters;
    std::vector<Span> horizontalCutters;
    CutPositions cuts;
};

SplitScratch::SplitScratch() : buffers(std::make_unique<Buffers>()) {}
SplitScratch::~SplitScratch() = default;

bool splitSegmentsBySegmentsInto(const std::vector<Segment>& targetSegments,
                                 const std::vector<Segment>& cuttingSegments, SplitScratch& scratch,
                                 std::vector<Segment>& splitSegments) {
    if (targetSegments.empty() || cuttingSegments.empty()) return false;
    SplitScratch::Buffers& buffers = *scratch.buffers;

    // Crossings at a sentinel coordinate are no points and never split, so
    // targets and cutters lying on a sentinel line take no part.
    std::vector<Span>& verticalTargets = buffers.verticalTargets;
    std::vector<Span>& horizontalTargets = buffers.horizontalTargets;
    verticalTargets.clear();
    horizontalTargets.clear();
    for (std::size_t i = 0; i < targetSegments.size(); ++i) {
        const Span span = spanOf(targetSegments[i], i);
        if (isSentinel(span.across)) continue;
        (targetSegments[i].isVertical() ? verticalTargets : horizontalTargets).push_back(span);
    }
    std::vector<Span>& verticalCutters = buffers.verticalCutters;
    std::vector<Span>& horizontalCutters = buffers.horizontalCutters;
    verticalCutters.clear();
    horizontalCutters.clear();
    for (const Segment& cutter : cuttingSegments) {
        const Span span = spanOf(cutter, 0);
        if (isSentinel(span.across)) continue;
        (cutter.isVertical() ? verticalCutters : horizontalCutters).push_back(span);
    }

    CutPositions& cuts = buffers.cuts;
    cuts.positions.clear();
    cuts.ranges.assign(targetSegments.size(), {0, 0});
    sweep(verticalTargets, horizontalCutters, cuts);
    sweep(horizontalTargets, verticalCutters, cuts);
    if (cuts.positions.empty()) return false;

    splitSegments.reserve(splitSegments.size() + targetSegments.size() + cuts.positions.size());
    for (std::size_t i = 0; i < targetSegments.size(); ++i) {
        const Segment& target = targetSegments[i];
        const auto [begin, end] = cuts.ranges[i];
        if (begin == end) {
            splitSegments.push_back(target);
            continue;
        }
        // The cuts run from the target's end back to its start: the last
        // piece is emitted first.
        const bool increasing = target.isVertical() ? target.definedUpward() : target.definedRightward();
        Point pieceEnd = target.getEndPoint();
        for (std::size_t k = 0; k < end - begin; ++k) {
            const Coordinate position = cuts.positions[increasing ? end - 1 - k : begin + k];
            const Point cut = pointAt(target, position);
            splitSegments.emplace_back(cut, pieceEnd);
            pieceEnd = cut;
        }
        splitSegments.emplace_back(target.getStartPoint(), pieceEnd);
    }
    return true;
}

void splitSegmentBySegmentsInto(const Segment& target, const std::vector<Segment>& cuttingSegments,
                                std::vector<Segment>& pieces) {
    const Span span = spanOf(target, 0);
    const bool vertical = target.isVertical();
    // Few cuts, kept sorted as they come.
    std::array<Coordinate, 16> few;
    std::vector<Coordinate> many;
    std::size_t count = 0;
    auto add = [&](Coordinate position) {
        if (count < few.size()) {
            Coordinate* const end = few.data() + count;
            Coordinate* const at = std::lower_bound(few.data(), end, position);
            if (at != end && *at == position) return;
            std::copy_backward(at, end, end + 1);
            *at = position;
            ++count;
            return;
        }
        if (many.empty()) many.assign(few.begin(), few.end());
        const auto at = std::lower_bound(many.begin(), many.end(), position);
        if (at != many.end() && *at == position) return;
        many.insert(at, position);
        ++count;
    };
    if (!isSentinel(span.across)) {
        for (const Segment& cutter : cuttingSegments) {
            if (cutter.isVertical() == vertical) continue;
            const Span cut = spanOf(cutter, 0);
            if (isSentinel(cut.across)) continue;
            if (cut.low <= span.across && span.across <= cut.high && span.low < cut.across && cut.across < span.high) {
                add(cut.across);
            }
        }
    }
    if (count == 0) {
        pieces.push_back(target);
        return;
    }
    const Coordinate* const positions = many.empty() ? few.data() : many.data();
    // As in the list splitting: from the target's end back to its start.
    const bool increasing = vertical ? target.definedUpward() : target.definedRightward();
    Point pieceEnd = target.getEndPoint();
    for (std::size_t k = 0; k < count; ++k) {
        const Point cut = pointAt(target, positions[increasing ? count - 1 - k : k]);
        pieces.emplace_back(cut, pieceEnd);
        pieceEnd = cut;
    }
    pieces.emplace_back(target.getStartPoint(), pieceEnd);
}

std::vector<Segment> splitSegmentsBySegments(const std::vector<Segment>& targetSegments,
                                             const std::vector<Segment>& cuttingSegmentsConst) {
    SplitScratch scratch;
    std::vector<Segment> splitSegments;
    if (!splitSegmentsBySegmentsInto(targetSegments, cuttingSegmentsConst, scratch, splitSegments)) {
        return targetSegments;
    }
    return splitSegments;
}

}  // namespace Zelkor::Rectilinear::Math

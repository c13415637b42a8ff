#include "geometry/detail/BoundaryTracing.h"

#include <algorithm>
#include <limits>

#include "geometry/detail/SegmentKeys.h"

namespace Zelkor::Rectilinear::Detail {

SegmentListTracer::SegmentListTracer(std::vector<Segment> newList)
    : list(std::move(newList)), entries(list.size(), Entry{0, 0, false}), unusedInList(list.size()) {
    const std::size_t n = list.size();
    // The set operations hand over sorted lists, whose order by start point,
    // then position, is their own.
    sortedByStart = std::is_sorted(list.begin(), list.end(), [](const Segment& a, const Segment& b) {
        return pointKey(a.getStartPoint()) < pointKey(b.getStartPoint());
    });
    if (!sortedByStart) {
        byStart.resize(n);
        for (std::size_t i = 0; i < n; ++i) byStart[i] = static_cast<std::uint32_t>(i);
        std::sort(byStart.begin(), byStart.end(), [this](std::uint32_t a, std::uint32_t b) {
            const std::uint64_t ka = pointKey(list[a].getStartPoint());
            const std::uint64_t kb = pointKey(list[b].getStartPoint());
            return ka != kb ? ka < kb : a < b;
        });
    }
    groups.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t position = positionInStartOrder(k);
        const std::uint64_t key = pointKey(list[position].getStartPoint());
        if (groups.empty() || groups.back().key != key) {
            groups.push_back({key, static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(k), 0});
        }
        ++groups.back().end;
        entries[position].group = static_cast<std::uint32_t>(groups.size() - 1);
    }
    if (groups.size() > fewGroups) {
        std::size_t slotCount = 16;
        while (slotCount < 2 * groups.size()) slotCount *= 2;
        slotShift = 64;
        for (std::size_t c = slotCount; c > 1; c /= 2) --slotShift;
        slots.assign(slotCount, Slot{0, noGroup});
        for (std::size_t g = 0; g < groups.size(); ++g) {
            std::size_t slot = slotOf(groups[g].key);
            while (slots[slot].group != noGroup) slot = (slot + 1) & (slots.size() - 1);
            slots[slot] = {groups[g].key, static_cast<std::uint32_t>(g)};
        }
    }
    // Looked up here, all at once, rather than one after another as the
    // trace reaches them.
    for (std::size_t i = 0; i < n; ++i) {
        entries[i].endGroup = static_cast<std::uint32_t>(groupAt(pointKey(list[i].getEndPoint())));
    }
    taken.reserve(n);
    corners.reserve(n + 1);
}

std::size_t SegmentListTracer::groupAt(std::uint64_t key) const {
    if (slots.empty()) {
        if (groups.empty()) return noGroup;
        // The last group not above the key, without branching on the comparisons.
        const Group* base = groups.data();
        for (std::size_t length = groups.size(); length > 1;) {
            const std::size_t half = length / 2;
            base = base[half].key <= key ? base + half : base;
            length -= half;
        }
        return base->key == key ? static_cast<std::size_t>(base - groups.data()) : noGroup;
    }
    for (std::size_t slot = slotOf(key);; slot = (slot + 1) & (slots.size() - 1)) {
        if (slots[slot].group == noGroup) return noGroup;
        if (slots[slot].key == key) return slots[slot].group;
    }
}

void SegmentListTracer::takeFromList(std::size_t index) {
    Entry& entry = entries[index];
    Group& group = groups[entry.group];
    entry.used = true;
    ++group.next;
    if (group.cycle == cycle) cornersDistinct = false;
    group.cycle = cycle;
    --unusedInList;
    taken.push_back({false, index, 0});
    reachedGroup = entry.endGroup;
    reachedGroupKnown = true;
}

void SegmentListTracer::takeFromFront(long rank, std::size_t index) {
    frontByRank.erase(rank);
    frontByStart.erase({pointKey(frontPool[index].getStartPoint()), rank});
    taken.push_back({true, index, rank});
    reachedGroupKnown = false;
    cornersDistinct = false;
}

Segment SegmentListTracer::takeFirst() {
    if (!frontByRank.empty()) {
        const auto first = frontByRank.begin();
        const std::size_t index = first->second;
        takeFromFront(first->first, index);
        return frontPool[index];
    }
    while (entries[listFront].used) ++listFront;
    // All earlier segments are used, so this is also the first unused one of
    // its start point: start point groups are used front to back.
    const std::size_t index = listFront;
    takeFromList(index);
    return list[index];
}

// p is where the piece taken last ends.
bool SegmentListTracer::takeFirstStartingAt(const Point& p, Segment& piece) {
    const std::uint64_t key = pointKey(p);
    if (!frontByStart.empty()) {
        const auto atFront = frontByStart.lower_bound({key, std::numeric_limits<long>::min()});
        if (atFront != frontByStart.end() && atFront->first.first == key) {
            const std::size_t index = atFront->second;
            takeFromFront(atFront->first.second, index);
            piece = frontPool[index];
            return true;
        }
    }
    const std::size_t g = reachedGroupKnown ? reachedGroup : groupAt(key);
    if (g == noGroup || groups[g].next == groups[g].end) return false;
    const std::size_t index = positionInStartOrder(groups[g].next);
    takeFromList(index);
    piece = list[index];
    return true;
}

// Traces the cycle at the front of the list into cycleCorners() and puts its
// sub-loops at the front; false (nothing consumed) where the constructor
// would refuse the list.
bool SegmentListTracer::traceOne() {
    taken.clear();
    corners.clear();
    if (remaining() < 3) return false;
    ++cycle;
    cornersDistinct = true;
    const Segment first = takeFirst();
    corners.push_back(first.getStartPoint());
    corners.push_back(first.getEndPoint());
    for (;;) {
        Segment next;
        if (remaining() == 0 || !takeFirstStartingAt(corners.back(), next)) {
            putBack();
            return false;
        }
        if (next.getEndPoint() == corners.front()) break;
        corners.push_back(next.getEndPoint());
    }
    cutSubLoops();
    return true;
}

void SegmentListTracer::putBack() {
    for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
        if (it->fromFront) {
            frontByRank.emplace(it->rank, it->index);
            frontByStart.emplace(std::make_pair(pointKey(frontPool[it->index].getStartPoint()), it->rank), it->index);
        } else {
            entries[it->index].used = false;
            --groups[entries[it->index].group].next;
            ++unusedInList;
            listFront = std::min(listFront, it->index);
        }
    }
    taken.clear();
}

// The constructor's repeated cutting: the first corner that recurs later, up
// to its next occurrence, is a sub-loop whose segments go to the front of the
// list in walking order and whose corners (but the recurring one) leave the
// cycle. Corners before it never recur later, and those after it are all
// still present, so one forward pass finds every cut.
void SegmentListTracer::cutSubLoops() {
    if (cornersDistinct) return;
    const std::size_t m = corners.size();
    byPoint.resize(m);
    for (std::size_t i = 0; i < m; ++i) byPoint[i] = i;
    std::sort(byPoint.begin(), byPoint.end(), [this](std::size_t a, std::size_t b) {
        const std::uint64_t ka = pointKey(corners[a]);
        const std::uint64_t kb = pointKey(corners[b]);
        return ka != kb ? ka < kb : a < b;
    });
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    nextSame.assign(m, none);
    for (std::size_t i = 0; i + 1 < m; ++i) {
        if (corners[byPoint[i]] == corners[byPoint[i + 1]]) nextSame[byPoint[i]] = byPoint[i + 1];
    }
    keptCorners.clear();
    std::size_t c = 0;
    while (c < m) {
        const std::size_t d = nextSame[c];
        if (d == none) {
            keptCorners.push_back(corners[c]);
            ++c;
            continue;
        }
        const long count = static_cast<long>(d - c);
        long rank = nextFrontRank - count + 1;
        for (std::size_t k = c + 1; k <= d; ++k, ++rank) {
            const std::size_t index = frontPool.size();
            frontPool.emplace_back(corners[k - 1], corners[k]);
            frontByRank.emplace(rank, index);
            frontByStart.emplace(std::make_pair(pointKey(corners[k - 1]), rank), index);
        }
        nextFrontRank -= count;
        c = d;
    }
}

// The list as it stands: the sub-loops, newest first, then the unused input
// segments in input order.
std::vector<Segment> SegmentListTracer::currentList() const {
    std::vector<Segment> rest;
    rest.reserve(remaining());
    for (const auto& entry : frontByRank) rest.push_back(frontPool[entry.second]);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!entries[i].used) rest.push_back(list[i]);
    }
    return rest;
}

}  // namespace Zelkor::Rectilinear::Detail

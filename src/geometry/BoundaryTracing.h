#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Detail {

// Traces a segment list into polygons exactly as repeated calls of the
// segment-list Polygon constructor would, which is how the set operations
// turn their surviving boundary pieces into outlines and holes. Each call
// takes the cycle at the front of the list, following at every corner the
// first segment in list order that starts there, and puts the sub-loops it
// cuts out at repeated corners back at the front of the list. The list is
// modelled as those sub-loops (newest first) followed by the unused input
// segments in input order; an index by start point, then position, finds
// "the first segment starting here" without the constructor's search of the
// whole list for every cycle. Where the constructor would refuse the list,
// the list as it stands goes to the constructor itself, so the outcome, an
// exception included, is the constructor's own. The list may be in any
// order; a sorted one skips building the index's order.
class SegmentListTracer {
public:
    explicit SegmentListTracer(std::vector<Segment> newList);

    // Calls visit(polygon) for every polygon the constructor calls would
    // build, in order, until the list is used up.
    template <typename Visit>
    void traceAll(Visit&& visit) {
        while (remaining() > 0) {
            if (!traceOne()) {
                std::vector<Segment> rest = currentList();
                while (!rest.empty()) visit(Polygon(rest, ""));
                return;
            }
            visit(Polygon(keptCorners, ""));
        }
    }

    // As traceAll, for a caller that must know where each polygon came
    // from: visit(polygon, anchor) also gets the list position of the piece
    // its tracing began with; a sub-loop gets the anchor of the cycle it was
    // cut from, after which it comes out. False, with nothing more visited,
    // where the constructor would refuse the list.
    template <typename Visit>
    bool traceAllAnchored(Visit&& visit) {
        std::size_t anchor = 0;
        while (remaining() > 0) {
            const bool fromList = frontByRank.empty();
            if (!traceOne()) return false;
            if (fromList) anchor = taken.front().index;
            visit(Polygon(keptCorners, ""), anchor);
        }
        return true;
    }

    // As traceAll, but like a loop that calls the constructor at least once:
    // an empty list gives one empty polygon.
    template <typename Visit>
    void traceAllAtLeastOnce(Visit&& visit) {
        if (remaining() == 0) {
            std::vector<Segment> none;
            visit(Polygon(none, ""));
            return;
        }
        traceAll(visit);
    }

private:
    struct Taken {
        bool fromFront;
        std::size_t index;  // into `list`, or into `frontPool`
        long rank;
    };

    std::size_t remaining() const { return unusedInList + frontByRank.size(); }
    void takeFromList(std::size_t index);
    void takeFromFront(long rank, std::size_t index);
    Segment takeFirst();
    bool takeFirstStartingAt(const Point& p, Segment& piece);
    bool traceOne();
    void putBack();
    void cutSubLoops();
    std::vector<Segment> currentList() const;

    std::vector<Segment> list;
    std::vector<bool> used;
    std::size_t unusedInList;
    std::size_t listFront = 0;
    // The list's positions by start point, then position; a group of equal
    // start points is used front to back.
    std::vector<std::uint32_t> byStart;
    std::vector<std::uint64_t> groupKeys;
    std::vector<std::size_t> groupNext;
    std::vector<std::size_t> groupEnd;
    std::vector<std::size_t> groupOf;
    // The groups by start point key, open addressing with linear probing:
    // the trace asks for every corner it reaches.
    static constexpr std::uint32_t noGroup = static_cast<std::uint32_t>(-1);
    struct Slot {
        std::uint64_t key;
        std::uint32_t group;
    };
    std::vector<Slot> slots;
    unsigned slotShift = 64;
    std::size_t slotOf(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> slotShift);
    }
    std::size_t groupAt(std::uint64_t key) const;
    // The group of each list segment's end point, and that of the piece
    // taken last when it came from the list.
    std::vector<std::uint32_t> endGroup;
    std::size_t reachedGroup = noGroup;
    bool reachedGroupKnown = false;
    // Sub-loop segments in front of the list, by place (negative ranks,
    // smaller is nearer the front).
    std::vector<Segment> frontPool;
    std::map<long, std::size_t> frontByRank;
    std::map<std::pair<std::uint64_t, long>, std::size_t> frontByStart;
    long nextFrontRank = -1;

    std::vector<Taken> taken;
    std::vector<Point> corners;
    std::vector<Point> keptCorners;
    // cutSubLoops' working space: the corners by position, and for each the
    // next place its position recurs.
    std::vector<std::size_t> byPoint;
    std::vector<std::size_t> nextSame;
};

}  // namespace Zelkor::Rectilinear::Detail

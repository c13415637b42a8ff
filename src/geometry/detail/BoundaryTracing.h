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
            visit(Polygon(cycleCorners(), ""));
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
            visit(Polygon(cycleCorners(), ""), anchor);
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
    // The corners of the cycle traced last, its sub-loops cut out.
    const std::vector<Point>& cycleCorners() const { return cornersDistinct ? corners : keptCorners; }

    std::vector<Segment> list;
    // For each list position: the groups of its start and end points
    // (noGroup for an end point no segment starts at) and whether it is used.
    struct Entry {
        std::uint32_t group;
        std::uint32_t endGroup;
        bool used;
    };
    std::vector<Entry> entries;
    std::size_t unusedInList;
    std::size_t listFront = 0;
    // The list's positions by start point, then position; a group of equal
    // start points is used front to back. A list sorted by start point is
    // that order itself, and `byStart` stays empty.
    std::vector<std::uint32_t> byStart;
    bool sortedByStart = false;
    std::size_t positionInStartOrder(std::size_t k) const { return sortedByStart ? k : byStart[k]; }
    // The groups in ascending order of their start point's key: the next
    // unused place of each, one past its last, and the last cycle that took
    // a list segment starting there.
    struct Group {
        std::uint64_t key;
        std::uint32_t next;
        std::uint32_t end;
        std::uint32_t cycle;
    };
    std::vector<Group> groups;
    std::uint32_t cycle = 0;
    // Many groups are found through a hash table of their keys (open
    // addressing, linear probing), a few by binary search: the trace asks
    // for every corner it reaches.
    static constexpr std::uint32_t noGroup = static_cast<std::uint32_t>(-1);
    static constexpr std::size_t fewGroups = 32;
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
    // The group of the end point of the piece taken last, when it came from
    // the list.
    std::size_t reachedGroup = noGroup;
    bool reachedGroupKnown = false;
    // Whether the cycle being traced took only list segments, each starting
    // at a point no other one of them starts at: its corners are then all
    // different and there is no sub-loop to cut.
    bool cornersDistinct = true;
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

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/ColumnCover.h"
#include "geometry/WhiteSpaceInformation.h"

namespace Zelkor::Rectilinear {

// Scores one set at many places in one host by the outfall it leaves there,
// contracted, with the same answer as subtracting the set from the moved
// host and contracting every piece, at a fraction of the cost:
// - the contracted outfall is the host shrunk less the set grown by the same
//   amount, so the set is grown once and the host shrunk once per turn;
// - both are kept as columns of covered intervals, so a place costs one walk
//   over the columns of both, and the pieces are the intervals joined across
//   neighbouring columns; sides and areas are counted on the way.
// Of pieces with equal largest area, the plain procedure reports the first in
// its own order, so such a place gets no answer here; neither does a host
// whose areas a float does not hold exactly. The caller scores those places
// the plain way.
class OutfallScorer {
public:
    // The set stays where it is; the host moves.
    OutfallScorer(const PolygonSet& set, int contractionFactor);
    // The same from the set's region as boxes (ColumnCover::boxesOf).
    OutfallScorer(const std::optional<std::vector<ColumnCover::Box>>& setRegion, int contractionFactor);

    // The host at translation zero, for the places that follow.
    void placeHost(const Polygon& host);
    // The score of the host moved by `hostTranslation`, or nothing (see above).
    // Not const: it works in the scorer's own lists. With `largestShared`,
    // pieces sharing the largest area do not stop the count: the score then
    // reports one of them, and *largestShared tells.
    std::optional<WhiteSpaceInformation> score(const Point& hostTranslation, bool* largestShared = nullptr);

    // One free interval of a scoring: what it adds to its piece, and its link
    // towards the piece's first interval (a parent never follows its child).
    struct Slot {
        std::int64_t area, perimeter;
        int corners, turns;
        std::size_t parent;
    };

private:
    // A region as its columns' intervals, joined where they touch, ready for
    // the walk of a scoring: column c holds intervals[first[c]] .. intervals[first[c + 1]].
    struct Columns {
        std::vector<std::int64_t> xs;
        std::vector<ColumnCover::Interval> intervals;
        std::vector<std::size_t> first;
        std::size_t most = 0;  // intervals in the fullest column
        void assign(const ColumnCover& cover);
    };

    int contractionFactor;
    Columns grownSet;
    Columns shrunkHost;
    bool setScorable = false;
    bool hostScorable = false;

    // Working lists, kept across turns and places so that neither placing
    // the host nor scoring allocates once they have grown.
    ColumnCover cover;
    std::vector<std::int64_t> boundList;
    std::vector<ColumnCover::Interval> freeList;
    std::vector<Slot> slotList;
};

}  // namespace Zelkor::Rectilinear

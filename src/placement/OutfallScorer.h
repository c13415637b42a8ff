#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
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
// its own order, so such a place gets no answer here; nor does one where
// pieces meet at corners in a ring, which the plain way traces as one.
// In a host whose areas a float does not hold exactly, the plain way rounds
// each outline's area and then each hole's off it; a place gets an answer
// where that is followed exactly: no piece touches another or itself, none
// has more than one hole (and only one piece has one), and every outline's
// sum in doubles is exact. The caller scores the other places the plain way.
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

    // The lowest and highest free height of the shrunk host.
    void noteHeights();
    // In a large host, after a scoring: the hole of the piece whose first
    // interval is `holedPiece`, filled (its area counts all it holds), where
    // the piece has just one.
    std::optional<Slot> onlyHole(std::size_t holedPiece, const std::int64_t* bounds, std::size_t columnCount,
                                 const ColumnCover::Interval* free, const Slot* freeSlots);
    // Whether the pieces meeting at corners (diagonalList) close a ring.
    bool piecesMeetInARing(const Slot* slots);

    int contractionFactor;
    Columns grownSet;
    Columns shrunkHost;
    std::int64_t hostLowest = 0, hostHighest = 0;
    bool setScorable = false;
    bool hostScorable = false;
    bool smallHost = true;  // its areas are whole numbers a float holds

    // Working lists, kept across turns and places so that neither placing
    // the host nor scoring allocates once they have grown.
    ColumnCover cover;
    std::vector<std::int64_t> boundList;
    std::vector<ColumnCover::Interval> freeList;
    std::vector<Slot> slotList;
    std::vector<std::size_t> diagonalList;  // intervals meeting at corners, in pairs
    std::vector<std::pair<std::size_t, std::size_t>> ringList;
    std::vector<std::size_t> columnFirstList;  // in a large host: each column's first interval
    std::vector<std::int64_t> levelList;        // in a large host: each piece's level sides
    std::vector<ColumnCover::Interval> restList;  // for onlyEnclosure
    std::vector<std::size_t> restFirstList;
    std::vector<Slot> restSlotList;
    std::vector<char> outsideList;
    std::vector<std::size_t> lowestList, belowList, parentList;
    std::vector<std::int64_t> filledList, outlineList;
    std::vector<std::pair<int, std::size_t>> depthList;
};

}  // namespace Zelkor::Rectilinear

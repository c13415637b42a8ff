#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/ColumnCover.h"
#include "placement/WhiteSpaceInformation.h"

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

    // The host at translation zero, for the places that follow.
    void placeHost(const Polygon& host);
    // The score of the host moved by `hostTranslation`, or nothing (see above).
    std::optional<WhiteSpaceInformation> score(const Point& hostTranslation) const;

private:
    int contractionFactor;
    ColumnCover grownSet;
    ColumnCover shrunkHost;
    // Working lists of one scoring, kept to spare their allocations.
    struct Scratch {
        std::vector<std::int64_t> bounds, heights, area, perimeter;
        std::vector<ColumnCover::Interval> free, hostCover, setCover;
        std::vector<std::size_t> firstOf;
        std::vector<int> corners, turns;
    };
    mutable Scratch scratch;
    bool setScorable = false;
    bool hostScorable = false;
};

}  // namespace Zelkor::Rectilinear

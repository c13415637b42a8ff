#pragma once

#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/Point.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Detail {

// The stretches of a holed polygon's boundary with no material on either
// side: where a hole runs along another hole (holes that share an edge, or
// part of one) or along the outline (a hole touching it from inside).
// getEdges() holds such a stretch twice, in opposite directions, yet it
// bounds nothing: the holes on both sides (or the hole and the outside) are
// one opening there. The set operations leave these stretches out of the
// shape's boundary and do not count them as material. Where the outline or
// a hole runs along itself, nothing is found.
class SharedEdges {
public:
    explicit SharedEdges(const HoledPolygon& shape);

    bool empty() const { return stretches.empty(); }
    // Whether the segment runs along a stretch for a positive length.
    bool runsAlong(const Segment& segment) const;
    // The pieces with their parts along the stretches cut away; what is
    // left of a piece keeps its direction, and a piece that runs along no
    // stretch stays as it is, in place.
    std::vector<Segment> without(const std::vector<Segment>& pieces) const;

private:
    struct Stretch {
        bool vertical;
        Coordinate line;
        Coordinate lo;
        Coordinate hi;
    };
    // The first stretch on the segment's line that ends beyond `lo`, or the end.
    std::vector<Stretch>::const_iterator firstEndingBeyond(bool vertical, Coordinate line, Coordinate lo) const;

    // By orientation, line, then start; stretches on one line lie apart.
    std::vector<Stretch> stretches;
};

}  // namespace Zelkor::Rectilinear::Detail

#pragma once

#include <optional>
#include <vector>

#include "geometry/PolygonSet.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear {

// The union of a set's members exactly as PolygonSet::booleanAddAndSimplifyAll
// gives it: the outer outlines, and the holes the union encloses.
//
// The union traces its boundary from the sorted boundary pieces: each walk
// starts at the first piece left (its anchor) and gives one cycle, or a cycle
// and the loops cut from it where it touches itself, one after the other.
// Each polygon keeps the anchor of its walk; the walks come out in the order
// of their anchors, which is what lets an outline be merged again locally.
struct MergedOutline {
    PolygonSet outlines;
    PolygonSet holes;
    std::vector<Segment> outlineAnchors;  // one per outline
    std::vector<Segment> holeAnchors;     // one per hole
    // Per hole: the outline it shares a corner with, or noOutline, or
    // severalOutlines. Regions touch at corners only, and there the walks of
    // the union may change places. Found by mergedOutline, not by
    // mergedOutlineAdding (findHoleContacts finds them later).
    static constexpr int noOutline = -1;
    static constexpr int severalOutlines = -2;
    std::vector<int> holeTouches;
    // From mergedOutlineAdding, per hole: the position of the same hole in
    // the known outline, or -1 for a hole the added members closed.
    std::vector<int> holeOrigins;
    // False for a set of fewer than two members, which comes back as it is
    // rather than traced.
    bool traced = false;

    // Moves everything by the offset.
    void translate(const Point& offset);
};

namespace Math {

// The union of the set's members; nothing when it does not close into cycles
// (where booleanAddAndSimplifyAll throws or keeps what is left).
std::optional<MergedOutline> mergedOutline(const PolygonSet& set, bool findContacts = true);

// The merged outline of a set's members together with `added`, found from
// the merged outline of the set alone: only the outlines near `added` are
// merged again, so adding a part beside a large group costs about as much as
// the outlines near it. The answer equals mergedOutline of all members
// exactly, polygon by polygon and corner by corner. Nothing where that
// cannot be assured this way (the added members come near a hole, or near
// no outline, or `known` has no hole contacts found); the caller then
// merges all members.
std::optional<MergedOutline> mergedOutlineAdding(const MergedOutline& known, const PolygonSet& added);

// Fills holeTouches from the corners of the outlines and holes.
void findHoleContacts(MergedOutline& merged);

}  // namespace Math

}  // namespace Zelkor::Rectilinear

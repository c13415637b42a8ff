#pragma once

#include <cstdint>
#include <vector>

#include "geometry/Polygon.h"
#include "packing/LatticeBox.h"

namespace Zelkor::Rectilinear::Math {

// The empty room of a rectilinear region, kept as the list of its maximal
// empty rectangles: every rectangle that lies in the room lies inside one of
// them, so a piece fits exactly when one of them contains it. Taking a piece
// out splits every rectangle it overlaps into the strips around it and drops
// the strips another rectangle contains, which leaves again exactly the
// maximal rectangles of what remains.
class FreeRectangles {
public:
    FreeRectangles() = default;
    // The maximal rectangles of the polygon's region. A slit where the
    // outline doubles back along itself is kept: no rectangle crosses it.
    explicit FreeRectangles(const Polygon& region);

    const std::vector<LatticeBox>& boxes() const { return free; }
    bool holds(const LatticeBox& piece) const;
    // Marks the piece as taken; it need not lie in the room.
    void occupy(const LatticeBox& piece);
    // The area of the largest empty rectangle, 0 when there is none.
    std::int64_t largestArea() const;

private:
    std::vector<LatticeBox> free;
};

// Rectangles with disjoint interiors whose union is the polygon's region:
// horizontal slabs between its corners, runs of equal slabs merged upward.
std::vector<LatticeBox> rectanglePieces(const Polygon& polygon);

// The area of the polygon's region, exactly.
std::int64_t latticeArea(const Polygon& polygon);

}  // namespace Zelkor::Rectilinear::Math

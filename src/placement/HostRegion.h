#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear {

// The closed region of a host polygon, cut into the cells of the grid of its
// corner coordinates, with running counts of inside cells along every row,
// column and grid line. "Does this axis-parallel segment lie in the region"
// then costs a few binary searches instead of a walk over all host edges, and
// containment of a polygon is containment of each of its edges.
//
// The index is built only for a host whose boundary neither crosses nor
// touches itself: there the closed region is exactly the union of the closed
// inside cells, and Polygon::contains agrees with the edge-by-edge region
// test. For any other host, and for queries it cannot answer safely (diagonal
// or zero-length sides, coordinates beyond the 32-bit range), the answer is
// `unknown` and the caller runs the exact test.
class HostRegion {
public:
    enum class Answer { no, yes, unknown };

    // Hosts with more grid cells than this are left unindexed.
    static constexpr std::size_t maximumCells = std::size_t{1} << 20;

    HostRegion() = default;
    explicit HostRegion(const Polygon& host);

    bool isIndexed() const { return indexed; }

    // Polygon::contains(candidate moved by (dx, dy)) of the host.
    Answer containsTranslated(const Polygon& candidate, std::int64_t dx, std::int64_t dy) const;

    // The closed segment from (ax, ay) to (bx, by), axis-parallel, lies in
    // the closed region. Requires isIndexed().
    bool segmentInside(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by) const;

private:
    bool pointInside(std::int64_t x, std::int64_t y) const;
    bool cellInside(std::size_t i, std::size_t j) const { return inside[i * rowsOfCells + j] != 0; }

    bool indexed = false;
    std::vector<std::int64_t> xs;  // distinct corner x, ascending: the column boundaries
    std::vector<std::int64_t> ys;  // distinct corner y, ascending: the row boundaries
    std::size_t rowsOfCells = 0;   // ys.size() - 1
    std::vector<char> inside;      // cell (i, j) = [xs[i], xs[i+1]] x [ys[j], ys[j+1]]
    // Running counts (each list starts with 0):
    std::vector<int> rowRuns;         // per row band j, over columns i: inside(i, j)
    std::vector<int> columnRuns;      // per column band i, over rows j: inside(i, j)
    std::vector<int> horizontalLineRuns;  // per grid line ys[j], over columns: a cell below or above is inside
    std::vector<int> verticalLineRuns;    // per grid line xs[i], over rows: a cell left or right is inside
};

// True when the polygon is a plain axis-aligned rectangle: four corners,
// sides alternating horizontal and vertical, none of length zero.
bool isAxisAlignedRectangle(const Polygon& polygon);

}  // namespace Zelkor::Rectilinear

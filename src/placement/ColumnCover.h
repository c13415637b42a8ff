#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear {

// A region as columns between consecutive xs: column i is covered between its
// toggles taken in pairs, toggles[offsets[i]] .. toggles[offsets[i + 1]].
// Kept this way, two regions are compared or subtracted in one walk over
// their columns.
struct ColumnCover {
    struct Interval {
        std::int64_t low, high;
    };
    struct Box {
        std::int64_t left, bottom, right, top;
    };

    std::vector<std::int64_t> xs;
    std::vector<std::int64_t> toggles;
    std::vector<std::size_t> offsets;

    // Makes this the region the edges of an outline, or of every member of a
    // set, bound (material on one side of each, holes included), by the
    // even-odd rule over the horizontal edges spanning each column; false
    // (and the cover unusable) when some column has an odd number of them.
    // The cover's lists, working ones included, are reused, so a cover kept
    // by its owner builds again without allocating.
    bool assignOf(const Polygon& outline);
    bool assignOf(const PolygonSet& outlines);
    // The region the members of a set bound (as assignOf), as boxes; nothing
    // when it cannot be read off their edges.
    static std::optional<std::vector<Box>> boxesOf(const PolygonSet& outlines);
    // The union of closed boxes (boxes without area add nothing).
    static ColumnCover ofBoxes(const std::vector<Box>& boxes);

    std::size_t columnCount() const { return offsets.empty() ? 0 : offsets.size() - 1; }
    // The covered intervals of a column moved up by `shift`, joined where they touch.
    void intervals(std::size_t column, std::int64_t shift, std::vector<Interval>& out) const;
    // The region as boxes with disjoint interiors: each covered interval of a
    // column, widened over the following columns that cover exactly it.
    std::vector<Box> boxes() const;

private:
    // A horizontal edge's columns [first, last) and height, while assignOf runs.
    struct EdgeSpan {
        std::size_t first, last;
        std::int64_t y;
    };
    std::vector<EdgeSpan> edgeSpans;

    template <typename ForEachEdge>
    bool assignFromEdges(std::size_t edgeCount, const ForEachEdge& forEachEdge);
};

}  // namespace Zelkor::Rectilinear

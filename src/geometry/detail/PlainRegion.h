#pragma once

#include <cstdint>
#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"
#include "geometry/Segment.h"
#include "geometry/detail/BoundingBox.h"

namespace Zelkor::Rectilinear::Detail {

// A shape's closed outline less its holes' open interiors, for pieces cut at
// the shape's edges. Where each cycle is plain (no corner twice, no edge
// meeting another but its neighbours at their shared corners), such a piece
// lies wholly inside, outside or along each cycle, and its midpoint tells
// which. Refers to the polygons it is given, which must outlive it.
class PlainRegion {
public:
    explicit PlainRegion(const HoledPolygon& shape);
    PlainRegion() = default;

    // Becomes the region of these cycles, for pieces within the window only:
    // each cycle keeps just the edges that can bear on a point there. Keeps
    // its lists' room for the next region.
    void assign(const Polygon& outline, const std::vector<const Polygon*>& holes, const Box& window);

    // HoledPolygon::containsSegment of the piece.
    bool containsPiece(const Segment& piece) const;
    // HoledPolygon::containsNonCrossOverSegment of the piece.
    bool holdsPiece(const Segment& piece) const;

private:
    struct DoubledPoint {
        std::int64_t x;
        std::int64_t y;
    };
    enum class Place { outside, boundary, inside };
    // An edge in doubled coordinates: its line, and its extent along it.
    struct Edge {
        std::int64_t across;
        std::int64_t low;
        std::int64_t high;
        bool vertical;
    };
    struct Cycle {
        const Polygon* polygon = nullptr;
        Box box;
        bool rectangle = false;
        std::size_t firstEdge = 0;  // its edges in `edges`, where it keeps its own list
        std::size_t endEdge = 0;
        bool ownEdges = false;
        Cycle() = default;
        explicit Cycle(const Polygon& cycle);
    };

    void keepEdgesNear(Cycle& cycle, const Box& window);
    Place placeOf(const Cycle& cycle, const DoubledPoint& p) const;
    bool holdsMidpoint(const Segment& piece) const;

    std::vector<Edge> edges;
    Cycle outline;
    std::vector<Cycle> holes;
};

}  // namespace Zelkor::Rectilinear::Detail

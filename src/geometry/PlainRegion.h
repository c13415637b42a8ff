#pragma once

#include <cstdint>
#include <vector>

#include "geometry/BoundingBox.h"
#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Detail {

// A shape's closed outline less its holes' open interiors, for pieces cut at
// the shape's edges. Where each cycle is plain (no corner twice, no edge
// meeting another but its neighbours at their shared corners), such a piece
// lies wholly inside, outside or along each cycle, and its midpoint tells
// which. Refers to the polygons it is given, which must outlive it.
class PlainRegion {
public:
    PlainRegion(const Polygon& outline, const std::vector<const Polygon*>& holes);
    explicit PlainRegion(const HoledPolygon& shape);

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
    struct Cycle {
        const Polygon* polygon;
        Box box;
        bool rectangle;
        explicit Cycle(const Polygon& cycle);
        Place placeOf(const DoubledPoint& p) const;
    };

    bool holdsMidpoint(const Segment& piece) const;

    Cycle outline;
    std::vector<Cycle> holes;
};

}  // namespace Zelkor::Rectilinear::Detail

#pragma once

#include <cstdint>
#include <utility>

#include "geometry/Point.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Detail {

// Integer keys for points and segments, so that the boolean operations can
// sort and search boundary pieces with plain integer comparisons.

// A point packed so that unsigned order is Point order (x, then y).
inline std::uint64_t pointKey(const Point& p) {
    return (std::uint64_t{static_cast<std::uint32_t>(p.x) ^ 0x80000000u} << 32) |
           (static_cast<std::uint32_t>(p.y) ^ 0x80000000u);
}

using SegmentKey = std::pair<std::uint64_t, std::uint64_t>;

// Start, then end: the key of equality running the same way.
inline SegmentKey directedKey(const Segment& s) {
    return {pointKey(s.getStartPoint()), pointKey(s.getEndPoint())};
}

// The end points in ascending order: the key of equality in either direction.
inline SegmentKey undirectedKey(const Segment& s) {
    const std::uint64_t a = pointKey(s.getStartPoint());
    const std::uint64_t b = pointKey(s.getEndPoint());
    return b < a ? SegmentKey{b, a} : SegmentKey{a, b};
}

}  // namespace Zelkor::Rectilinear::Detail

#pragma once

#include <algorithm>
#include <cstdint>

namespace Zelkor::Rectilinear {

// An axis-parallel box of the lattice with 64-bit sides, so that moved
// boxes, widths and areas never overflow. Boxes are closed: two boxes that
// share only a side or a corner do not overlap.
struct LatticeBox {
    std::int64_t left = 0;
    std::int64_t bottom = 0;
    std::int64_t right = 0;
    std::int64_t top = 0;

    std::int64_t width() const { return right - left; }
    std::int64_t height() const { return top - bottom; }
    std::int64_t area() const { return width() * height(); }
    bool isEmpty() const { return right <= left || top <= bottom; }
    bool contains(const LatticeBox& other) const {
        return left <= other.left && bottom <= other.bottom && other.right <= right && other.top <= top;
    }
    // Whether the interiors meet.
    bool overlaps(const LatticeBox& other) const {
        return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
    }
    LatticeBox movedBy(std::int64_t dx, std::int64_t dy) const { return {left + dx, bottom + dy, right + dx, top + dy}; }
    bool operator==(const LatticeBox& other) const {
        return left == other.left && bottom == other.bottom && right == other.right && top == other.top;
    }
};

}  // namespace Zelkor::Rectilinear

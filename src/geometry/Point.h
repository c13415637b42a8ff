#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace Zelkor::Rectilinear {

// Every coordinate is a 32-bit signed lattice value.
using Coordinate = std::int32_t;

// Sums and differences of coordinates wrap around at the 32-bit limits instead
// of overflowing: translating a shape near the limits stays defined behaviour.
constexpr Coordinate wrappingAdd(Coordinate a, Coordinate b) {
    return static_cast<Coordinate>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr Coordinate wrappingSubtract(Coordinate a, Coordinate b) {
    return static_cast<Coordinate>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// An integer lattice point, y growing upward. Two sentinel coordinates give
// special meanings: a hole point (no point at all, the default) and an
// infinite point (more than one point, e.g. a collinear overlap).
class Point {
public:
    static constexpr Coordinate holeCoordinate = -2147483647;
    static constexpr Coordinate infinity = 2147483647;

    Coordinate x = holeCoordinate;
    Coordinate y = holeCoordinate;

    constexpr Point() = default;
    constexpr Point(Coordinate newX, Coordinate newY) : x(newX), y(newY) {}
    // Parses "x,y" with atoi rules; never fails (malformed text becomes numbers).
    explicit Point(const std::string& s);

    constexpr bool isHole() const { return x == holeCoordinate || y == holeCoordinate; }
    constexpr bool isInfinity() const { return x == infinity || y == infinity; }

    std::string toString() const;

    void translate(const Point& offset) {
        x = wrappingAdd(x, offset.x);
        y = wrappingAdd(y, offset.y);
    }
    constexpr Point operator+(const Point& offset) const {
        return {wrappingAdd(x, offset.x), wrappingAdd(y, offset.y)};
    }
    constexpr Point operator-(const Point& offset) const {
        return {wrappingSubtract(x, offset.x), wrappingSubtract(y, offset.y)};
    }

    constexpr bool operator==(const Point& p) const { return x == p.x && y == p.y; }
    constexpr bool operator!=(const Point& p) const { return !(*this == p); }
    // x first, then y.
    constexpr bool operator<(const Point& p) const { return x < p.x || (x == p.x && y < p.y); }
    constexpr bool operator>(const Point& p) const { return x > p.x || (x == p.x && y > p.y); }
};

std::ostream& operator<<(std::ostream& os, const Point& p);

// The C library's atoi over a whole string, with values beyond the 32-bit
// range saturated at its limits.
Coordinate parseInteger(const std::string& text, std::size_t begin, std::size_t end);

}  // namespace Zelkor::Rectilinear

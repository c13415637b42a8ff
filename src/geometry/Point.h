#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace Zelkor::Rectilinear {

// Every coordinate is a 32-bit signed lattice value.
using Coordinate = std::int32_t;

// The values a coordinate of a real shape takes: the 32-bit range without
// its ends, where Point::holeCoordinate and Point::infinity are reserved and
// the lowest value has no negation. Operations that make new coordinates
// (offsets, cut strips, lengthened segments) raise CoordinateRangeException
// rather than produce one outside this range.
constexpr Coordinate lowestCoordinate = -2147483646;
constexpr Coordinate highestCoordinate = 2147483646;
constexpr bool isInCoordinateRange(std::int64_t value) {
    return value >= lowestCoordinate && value <= highestCoordinate;
}

// Sums and differences of coordinates wrap around at the 32-bit limits instead
// of overflowing. Moving and turning shapes (translate, rotateAboutOrigin,
// slideToOrigin) use them and so work modulo 2^32: the placement and pairing
// scans move candidates past the range and reject them there, and congruence
// tests compare copies slid to the origin. Keeping a moved shape inside the
// range is up to the caller; the packing engine and the host placement check
// on entry that the shapes they move to the origin fit there.
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

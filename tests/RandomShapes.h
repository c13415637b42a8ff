#pragma once

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Testing {

// Random axis-parallel segments on a small grid, so that zero lengths,
// shared ends, T-junctions and collinear overlaps are frequent.
inline Segment randomSegment(std::mt19937& random, Coordinate gridSize) {
    std::uniform_int_distribution<Coordinate> coordinate(0, gridSize);
    const Point start(coordinate(random), coordinate(random));
    switch (std::uniform_int_distribution<int>(0, 4)(random)) {
        case 0:
            return Segment(start, start);
        case 1:
        case 2:
            return Segment(start, Point(coordinate(random), start.y));
        default:
            return Segment(start, Point(start.x, coordinate(random)));
    }
}

inline std::vector<Segment> randomSegments(std::mt19937& random, int maximumCount, Coordinate gridSize) {
    std::vector<Segment> segments(std::uniform_int_distribution<int>(0, maximumCount)(random));
    for (Segment& s : segments) s = randomSegment(random, gridSize);
    return segments;
}

template <typename Container>
std::string describe(const Container& shapes) {
    std::ostringstream text;
    text << '{';
    for (const auto& shape : shapes) text << " [" << shape << ']';
    text << " }";
    return text.str();
}

}  // namespace Zelkor::Rectilinear::Testing

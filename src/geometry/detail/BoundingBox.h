#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Rectangle.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Detail {

// Closed bounding box of some corners, a segment or a rectangle, for the
// cheap rejections of the set operations. `valid` is false without corners,
// and an invalid box touches and contains nothing.
struct Box {
    Coordinate minX = 0;
    Coordinate minY = 0;
    Coordinate maxX = 0;
    Coordinate maxY = 0;
    bool valid = false;

    Box() = default;
    explicit Box(const std::vector<Point>& corners) {
        if (corners.empty()) return;
        valid = true;
        minX = maxX = corners.front().x;
        minY = maxY = corners.front().y;
        for (const Point& p : corners) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    explicit Box(const Segment& s)
        : minX(std::min(s.getStartPoint().x, s.getEndPoint().x)),
          minY(std::min(s.getStartPoint().y, s.getEndPoint().y)),
          maxX(std::max(s.getStartPoint().x, s.getEndPoint().x)),
          maxY(std::max(s.getStartPoint().y, s.getEndPoint().y)),
          valid(true) {}
    explicit Box(const Rectangle& r)
        : minX(r.getBottomLeft().x), minY(r.getBottomLeft().y), maxX(r.getTopRight().x), maxY(r.getTopRight().y),
          valid(true) {}

    void include(const std::vector<Point>& corners) {
        for (const Point& p : corners) {
            if (!valid) {
                minX = maxX = p.x;
                minY = maxY = p.y;
                valid = true;
                continue;
            }
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    bool touches(const Box& other) const {
        return valid && other.valid && minX <= other.maxX && other.minX <= maxX && minY <= other.maxY &&
               other.minY <= maxY;
    }
    bool containsPoint(const Point& p) const {
        return valid && minX <= p.x && p.x <= maxX && minY <= p.y && p.y <= maxY;
    }
    bool containsSegment(const Segment& s) const {
        return containsPoint(s.getStartPoint()) && containsPoint(s.getEndPoint());
    }
};

// True for the four corners of a counterclockwise rectangle of positive
// size, starting at any corner: the shape every standardized four-corner
// polygon has, whose containment tests reduce to its box.
inline bool isStandardRectangle(const std::vector<Point>& corners, const Box& box) {
    if (corners.size() != 4 || box.minX == box.maxX || box.minY == box.maxY) return false;
    const Point expected[4] = {{box.minX, box.minY}, {box.maxX, box.minY}, {box.maxX, box.maxY}, {box.minX, box.maxY}};
    std::size_t first = 0;
    while (first < 4 && corners[first] != expected[0]) ++first;
    if (first == 4) return false;
    for (std::size_t i = 1; i < 4; ++i) {
        if (corners[(first + i) % 4] != expected[i]) return false;
    }
    return true;
}

// For every member, the members (itself included) whose boxes touch its box,
// in the order of their boxes' left sides (then of their numbers). Only
// they can cut a member's edges or contain its pieces, which spares the set
// operations comparing every pair.
class TouchingMembers {
public:
    explicit TouchingMembers(const std::vector<Box>& boxes);

    const std::size_t* begin(std::size_t member) const { return members.data() + offsets[member]; }
    const std::size_t* end(std::size_t member) const { return members.data() + offsets[member + 1]; }

private:
    std::vector<std::size_t> offsets;
    std::vector<std::size_t> members;
};

}  // namespace Zelkor::Rectilinear::Detail

#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "geometry/Point.h"

namespace Zelkor::Rectilinear {

// A directed, axis-parallel segment from endPoints[0] (start) to endPoints[1]
// (end). A zero-length segment counts as vertical.
class Segment {
public:
    Point endPoints[2];

    Segment() = default;
    // Each raises NonrectilinearException when the end points differ in both x and y.
    // Inline: the boolean operations make many; only a slanted one calls out.
    Segment(const Point& startPoint, const Point& endPoint) : endPoints{startPoint, endPoint} {
        if (startPoint.x != endPoint.x && startPoint.y != endPoint.y) requireRectilinear(__LINE__);
    }
    Segment(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2);
    // "x1,y1 x2,y2"; only the first space separates, and text without a space
    // gives a zero-length segment.
    explicit Segment(const std::string& s);

    const Point& getStartPoint() const { return endPoints[0]; }
    const Point& getEndPoint() const { return endPoints[1]; }
    // The hole point for any index but 0 and 1.
    Point getPoint(int index) const;

    // Point::infinity for a segment longer than that (one spanning more than
    // half the coordinate range).
    Coordinate length() const;
    bool isVertical() const { return endPoints[0].x == endPoints[1].x; }
    bool definedUpward() const { return endPoints[0].y < endPoints[1].y; }
    bool definedRightward() const { return endPoints[0].x < endPoints[1].x; }
    bool isPerpendicular(const Segment& s) const { return isVertical() != s.isVertical(); }
    bool isInSameDirection(const Segment& s) const {
        return !isPerpendicular(s) && definedUpward() == s.definedUpward() &&
               definedRightward() == s.definedRightward();
    }
    bool isEqualAndInSameDirection(const Segment& s) const {
        return endPoints[0] == s.endPoints[0] && endPoints[1] == s.endPoints[1];
    }

    // Equal end points in either order.
    bool operator==(const Segment& s) const {
        return isEqualAndInSameDirection(s) || (endPoints[0] == s.endPoints[1] && endPoints[1] == s.endPoints[0]);
    }
    bool operator!=(const Segment& s) const { return !(*this == s); }
    // By start point, then end point (kept inline: the booleans sort many).
    bool operator<(const Segment& s) const {
        if (endPoints[0] != s.endPoints[0]) return endPoints[0] < s.endPoints[0];
        return endPoints[1] < s.endPoints[1];
    }

    bool isEndpoint(const Point& p) const { return p == endPoints[0] || p == endPoints[1]; }
    // Closed test: end points lie on the segment.
    bool containsPoint(const Point& p) const;
    bool containsSegment(const Segment& segment) const;
    // True when the segment was never given end points.
    bool nullLength() const { return endPoints[0].isHole() || endPoints[1].isHole(); }
    Point midpoint() const;

    // The single common point; the hole point when there is none and the
    // infinite point when the two overlap collinearly over a positive length.
    Point intersection(const Segment& otherSegment) const;

    std::string toString() const;

    void flip();
    // Moves both ends toward each other; an odd amount moves the end point one
    // unit more than the start point. Negative amounts lengthen. An end moved
    // outside the coordinate range raises CoordinateRangeException.
    void contract(int numberOfUnits);
    // contract(-numberOfUnits), for every int.
    void expand(int numberOfUnits);
    // On a shared point of two parallel segments this becomes their union,
    // always running downward or leftward.
    bool merge(const Segment& otherSegment);

private:
    void moveEndsInward(std::int64_t numberOfUnits);
    Segment normalized() const;
    void requireRectilinear(int lineNumber) const;
};

std::ostream& operator<<(std::ostream& os, const Segment& s);

}  // namespace Zelkor::Rectilinear

#pragma once

#include "geometry/Point.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear {

// An axis-aligned box. The two-point constructor orders the corners; the
// setters store what they are given.
class Rectangle {
public:
    Rectangle() = default;
    // Any two opposite corners, in any order.
    Rectangle(const Point& newBottomLeft, const Point& newTopRight);

    // Width times height, each converted to double first.
    double getArea() const;
    const Point& getBottomLeft() const { return bottomLeft; }
    const Point& getTopRight() const { return topRight; }

    // Bottom and left sides start at the bottom-left corner, top and right
    // sides at the top-right corner: the four do not form a cycle.
    Segment getBottomSide() const;
    Segment getRightSide() const;
    Segment getTopSide() const;
    Segment getLeftSide() const;

    void setBottomLeft(const Point& newBottomLeft) { bottomLeft = newBottomLeft; }
    void setBottomLeft(Coordinate newX, Coordinate newY) { bottomLeft = Point(newX, newY); }
    void setTopRight(const Point& newTopRight) { topRight = newTopRight; }
    void setTopRight(Coordinate newX, Coordinate newY) { topRight = Point(newX, newY); }

private:
    Point bottomLeft;
    Point topRight;
};

}  // namespace Zelkor::Rectilinear

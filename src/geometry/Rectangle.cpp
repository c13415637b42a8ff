#include "geometry/Rectangle.h"

#include <algorithm>

namespace Zelkor::Rectilinear {

Rectangle::Rectangle(const Point& newBottomLeft, const Point& newTopRight)
    : bottomLeft(std::min(newBottomLeft.x, newTopRight.x), std::min(newBottomLeft.y, newTopRight.y)),
      topRight(std::max(newBottomLeft.x, newTopRight.x), std::max(newBottomLeft.y, newTopRight.y)) {}

double Rectangle::getArea() const {
    const double width = static_cast<double>(topRight.x) - static_cast<double>(bottomLeft.x);
    const double height = static_cast<double>(topRight.y) - static_cast<double>(bottomLeft.y);
    return width * height;
}

Segment Rectangle::getBottomSide() const {
    return Segment(bottomLeft, Point(topRight.x, bottomLeft.y));
}

Segment Rectangle::getRightSide() const {
    return Segment(topRight, Point(topRight.x, bottomLeft.y));
}

Segment Rectangle::getTopSide() const {
    return Segment(topRight, Point(bottomLeft.x, topRight.y));
}

Segment Rectangle::getLeftSide() const {
    return Segment(bottomLeft, Point(bottomLeft.x, topRight.y));
}

}  // namespace Zelkor::Rectilinear

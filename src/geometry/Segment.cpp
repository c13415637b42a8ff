#include "geometry/Segment.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "geometry/CoordinateRangeException.h"
#include "geometry/NonrectilinearException.h"

namespace Zelkor::Rectilinear {

namespace {

// Intersection of two collinear, normalized segments lying on one line; `low`
// and `high` are their coordinates along that line.
Coordinate collinearMeeting(Coordinate lowA, Coordinate highA, Coordinate lowB, Coordinate highB,
                            bool& overlaps, bool& touches) {
    const Coordinate top = std::min(highA, highB);
    const Coordinate bottom = std::max(lowA, lowB);
    overlaps = bottom < top;
    touches = bottom == top;
    return top;
}

bool between(Coordinate value, Coordinate a, Coordinate b) {
    return (a <= value && value <= b) || (b <= value && value <= a);
}

}  // namespace

Segment::Segment(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2)
    : endPoints{Point(x1, y1), Point(x2, y2)} {
    requireRectilinear(__LINE__);
}

Segment::Segment(const std::string& s) {
    const std::size_t spaceIndex = s.find(' ');
    if (spaceIndex == std::string::npos) {
        endPoints[0] = endPoints[1] = Point(s);
    } else {
        endPoints[0] = Point(s.substr(0, spaceIndex));
        endPoints[1] = Point(s.substr(spaceIndex + 1));
    }
    requireRectilinear(__LINE__);
}

void Segment::requireRectilinear(int lineNumber) const {
    if (endPoints[0].x != endPoints[1].x && endPoints[0].y != endPoints[1].y) {
        throw NonrectilinearException("Segment", lineNumber, toString());
    }
}

Point Segment::getPoint(int index) const {
    if (index == 0 || index == 1) return endPoints[index];
    return Point();
}

Coordinate Segment::length() const {
    const std::int64_t dx = std::int64_t{endPoints[1].x} - endPoints[0].x;
    const std::int64_t dy = std::int64_t{endPoints[1].y} - endPoints[0].y;
    return static_cast<Coordinate>(std::min<std::int64_t>((dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy), Point::infinity));
}

bool Segment::containsPoint(const Point& p) const {
    if (isVertical()) return p.x == endPoints[0].x && between(p.y, endPoints[0].y, endPoints[1].y);
    return p.y == endPoints[0].y && between(p.x, endPoints[0].x, endPoints[1].x);
}

bool Segment::containsSegment(const Segment& segment) const {
    return containsPoint(segment.endPoints[1]) && containsPoint(segment.endPoints[0]);
}

Point Segment::midpoint() const {
    const Coordinate halfLength = static_cast<Coordinate>(static_cast<std::uint32_t>(length()) / 2);
    const Point& start = endPoints[0];
    const Point& end = endPoints[1];
    if (start.x != end.x) {
        return {end.x > start.x ? wrappingAdd(start.x, halfLength) : wrappingSubtract(start.x, halfLength), start.y};
    }
    return {start.x, end.y > start.y ? wrappingAdd(start.y, halfLength) : wrappingSubtract(start.y, halfLength)};
}

Segment Segment::normalized() const {
    Segment copy = *this;
    if (endPoints[1].x <= endPoints[0].x && endPoints[1].y <= endPoints[0].y) copy.flip();
    return copy;
}

Point Segment::intersection(const Segment& otherSegment) const {
    const Segment a = normalized();
    const Segment b = otherSegment.normalized();
    const Point &a1 = a.endPoints[0], &a2 = a.endPoints[1], &b1 = b.endPoints[0], &b2 = b.endPoints[1];
    const bool aVertical = a.isVertical();
    const bool bVertical = b.isVertical();
    bool overlaps = false;
    bool touches = false;
    if (aVertical && bVertical) {
        if (a1.x != b1.x) return Point();
        const Coordinate top = collinearMeeting(a1.y, a2.y, b1.y, b2.y, overlaps, touches);
        if (overlaps) return {Point::infinity, Point::infinity};
        return touches ? Point(a1.x, top) : Point();
    }
    if (aVertical != bVertical) {
        const Segment& v = aVertical ? a : b;
        const Segment& h = aVertical ? b : a;
        const Coordinate vx = v.endPoints[0].x;
        const Coordinate hy = h.endPoints[0].y;
        const bool meets = between(hy, v.endPoints[0].y, v.endPoints[1].y) &&
                           between(vx, h.endPoints[0].x, h.endPoints[1].x);
        return meets ? Point(vx, hy) : Point();
    }
    if (a1.y != b1.y) return Point();
    const Coordinate right = collinearMeeting(a1.x, a2.x, b1.x, b2.x, overlaps, touches);
    if (overlaps) return {Point::infinity, Point::infinity};
    return touches ? Point(right, a1.y) : Point();
}

std::string Segment::toString() const {
    return endPoints[0].toString() + ' ' + endPoints[1].toString();
}

void Segment::flip() {
    std::swap(endPoints[0], endPoints[1]);
}

void Segment::contract(int numberOfUnits) {
    moveEndsInward(numberOfUnits);
}

void Segment::expand(int numberOfUnits) {
    moveEndsInward(-std::int64_t{numberOfUnits});
}

// Worked out in 64 bits, so that the whole int range of amounts is exact and
// an end moved out of the coordinate range is refused rather than wrapped.
void Segment::moveEndsInward(std::int64_t numberOfUnits) {
    if (numberOfUnits == 0) return;
    const std::int64_t startPointContraction = numberOfUnits / 2;
    const std::int64_t endPointContraction = numberOfUnits - startPointContraction;
    const bool vertical = isVertical();
    Coordinate& start = vertical ? endPoints[0].y : endPoints[0].x;
    Coordinate& end = vertical ? endPoints[1].y : endPoints[1].x;
    const bool forward = start < end;
    const std::int64_t movedStart = forward ? start + startPointContraction : start - startPointContraction;
    const std::int64_t movedEnd = forward ? end - endPointContraction : end + endPointContraction;
    // An end that does not move (the start, for an amount of one) keeps its value.
    const bool startLeaves = startPointContraction != 0 && !isInCoordinateRange(movedStart);
    if (startLeaves || !isInCoordinateRange(movedEnd)) {
        const std::string operation = (numberOfUnits < 0 ? "lengthening the segment " : "shortening the segment ") +
                                      toString() + " by " +
                                      std::to_string(numberOfUnits < 0 ? -numberOfUnits : numberOfUnits);
        throw CoordinateRangeException("Segment", __LINE__, operation, vertical ? 'y' : 'x',
                                       startLeaves ? movedStart : movedEnd);
    }
    start = static_cast<Coordinate>(movedStart);
    end = static_cast<Coordinate>(movedEnd);
}

bool Segment::merge(const Segment& otherSegment) {
    if (intersection(otherSegment).isHole()) return false;
    if (isPerpendicular(otherSegment)) return false;
    const Point& s0 = endPoints[0];
    const Point& s1 = endPoints[1];
    const Point& o0 = otherSegment.endPoints[0];
    const Point& o1 = otherSegment.endPoints[1];
    if (isVertical()) {
        const Coordinate x = s0.x;
        const Coordinate highest = std::max({s0.y, s1.y, o0.y, o1.y});
        const Coordinate lowest = std::min({s0.y, s1.y, o0.y, o1.y});
        endPoints[0] = Point(x, highest);
        endPoints[1] = Point(x, lowest);
    } else {
        const Coordinate y = s0.y;
        const Coordinate rightmost = std::max({s0.x, s1.x, o0.x, o1.x});
        const Coordinate leftmost = std::min({s0.x, s1.x, o0.x, o1.x});
        endPoints[0] = Point(rightmost, y);
        endPoints[1] = Point(leftmost, y);
    }
    return true;
}

std::ostream& operator<<(std::ostream& os, const Segment& s) {
    return os << s.toString();
}

}  // namespace Zelkor::Rectilinear

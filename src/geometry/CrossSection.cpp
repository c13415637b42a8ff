#include "geometry/CrossSection.h"

#include "geometry/Rounding.h"

namespace Zelkor::Rectilinear {

namespace {

// Differences of 32-bit coordinates need 33 bits, their products 66: exact
// arithmetic needs 128 bits before the conversion to double.
using Wide = __int128;

Wide difference(Coordinate a, Coordinate b) {
    return static_cast<Wide>(a) - static_cast<Wide>(b);
}

}  // namespace

Point CrossSection::getPoint(int index) const {
    if (index == 0 || index == 1) return endPoints[index];
    return Point();
}

Point CrossSection::intersection(const Segment& otherSegment) const {
    const Coordinate x1 = endPoints[0].x, y1 = endPoints[0].y;
    const Coordinate x2 = endPoints[1].x, y2 = endPoints[1].y;
    const Coordinate x3 = otherSegment.endPoints[0].x, y3 = otherSegment.endPoints[0].y;
    const Coordinate x4 = otherSegment.endPoints[1].x, y4 = otherSegment.endPoints[1].y;

    const Wide denominatorExact = difference(y4, y3) * difference(x2, x1) - difference(x4, x3) * difference(y2, y1);
    if (denominatorExact == 0) return Point();
    const double denominator = static_cast<double>(denominatorExact);
    const double u1 = static_cast<double>(difference(x4, x3) * difference(y1, y3) - difference(y4, y3) * difference(x1, x3)) /
                      denominator;
    const double u2 = static_cast<double>(difference(x2, x1) * difference(y1, y3) - difference(y2, y1) * difference(x1, x3)) /
                      denominator;
    if (u1 < 0.0 || u1 > 1.0 || u2 < 0.0 || u2 > 1.0) return Point();
    const double dx = static_cast<double>(x2) - static_cast<double>(x1);
    const double dy = static_cast<double>(y2) - static_cast<double>(y1);
    return Point(Math::round(x1 + u1 * dx), Math::round(y1 + u1 * dy));
}

}  // namespace Zelkor::Rectilinear

#include <gtest/gtest.h>

#include "geometry/CrossSection.h"
#include "geometry/Rectangle.h"
#include "geometry/Rounding.h"

using namespace Zelkor::Rectilinear;

TEST(Rectangle, OrdersCornersAndMeasures) {
    const Rectangle r(Point(5, 1), Point(2, 7));
    EXPECT_EQ(r.getBottomLeft(), Point(2, 1));
    EXPECT_EQ(r.getTopRight(), Point(5, 7));
    EXPECT_DOUBLE_EQ(r.getArea(), 18.0);
    EXPECT_TRUE(Rectangle().getBottomLeft().isHole());
    EXPECT_TRUE(Rectangle().getTopRight().isHole());
    const Rectangle huge(Point(-2147483647 - 1, -2147483647 - 1), Point(2147483647, 2147483647));
    EXPECT_DOUBLE_EQ(huge.getArea(), 4294967295.0 * 4294967295.0);
}

TEST(Rectangle, SidesStartAtTheirCorners) {
    const Rectangle r(Point(0, 0), Point(4, 3));
    EXPECT_TRUE(r.getBottomSide().isEqualAndInSameDirection(Segment(0, 0, 4, 0)));
    EXPECT_TRUE(r.getRightSide().isEqualAndInSameDirection(Segment(4, 3, 4, 0)));
    EXPECT_TRUE(r.getTopSide().isEqualAndInSameDirection(Segment(4, 3, 0, 3)));
    EXPECT_TRUE(r.getLeftSide().isEqualAndInSameDirection(Segment(0, 0, 0, 3)));
}

TEST(Rectangle, SettersStoreAsGiven) {
    Rectangle r(Point(0, 0), Point(1, 1));
    r.setBottomLeft(9, 9);
    r.setTopRight(Point(2, 2));
    EXPECT_EQ(r.getBottomLeft(), Point(9, 9));
    EXPECT_EQ(r.getTopRight(), Point(2, 2));
}

TEST(CrossSection, Intersections) {
    const CrossSection diagonal(Point(0, 0), Point(10, 10));
    EXPECT_EQ(diagonal.intersection(Segment(0, 5, 10, 5)), Point(5, 5));
    EXPECT_EQ(diagonal.intersection(Segment(0, 10, 10, 10)), Point(10, 10));
    EXPECT_TRUE(diagonal.intersection(Segment(11, 0, 11, 20)).isHole());
    const CrossSection horizontal(Point(0, 5), Point(10, 5));
    EXPECT_TRUE(horizontal.intersection(Segment(2, 5, 8, 5)).isHole()) << "collinear overlap";
    EXPECT_EQ(horizontal.intersection(Segment(3, 0, 3, 5)), Point(3, 5)) << "touching an end";
    EXPECT_EQ(diagonal.getPoint(1), Point(10, 10));
    EXPECT_TRUE(diagonal.getPoint(2).isHole());
}

TEST(CrossSection, ExtremeCoordinatesDoNotOverflow) {
    const Coordinate low = -2147483647 - 1;
    const Coordinate high = 2147483647;
    const CrossSection ray(Point(low, low), Point(high, high));
    EXPECT_EQ(ray.intersection(Segment(0, low, 0, high)), Point(0, 0));
    EXPECT_EQ(ray.intersection(Segment(low, 1000, high, 1000)), Point(1000, 1000));
    const CrossSection steep(Point(low + 1, high), Point(low + 2, low));
    EXPECT_EQ(steep.intersection(Segment(low, 0, high, 0)).y, 0);
    const CrossSection longHorizontal(Point(low, 7), Point(high, 7));
    EXPECT_EQ(longHorizontal.intersection(Segment(high - 5, low, high - 5, high)), Point(high - 5, 7));
}

TEST(Rounding, HalvesGoUp) {
    EXPECT_EQ(Math::round(0.49999), 0);
    EXPECT_EQ(Math::round(0.5), 1);
    EXPECT_EQ(Math::round(-0.5), 0);
    EXPECT_EQ(Math::round(2.5), 3);
    EXPECT_EQ(Math::round(-2.5), -2);
    EXPECT_EQ(Math::round(-2.6), -3);
    EXPECT_EQ(Math::round(1e20), 2147483647);
    EXPECT_EQ(Math::round(-1e20), -2147483647 - 1);
}

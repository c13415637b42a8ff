#include <gtest/gtest.h>

#include "geometry/NonrectilinearException.h"
#include "geometry/Segment.h"

using namespace Zelkor::Rectilinear;

namespace {
Segment seg(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) {
    return Segment(x1, y1, x2, y2);
}
const Point hole;
const Point infinite(Point::infinity, Point::infinity);
}  // namespace

TEST(Segment, TextForm) {
    const Segment s("1,2 1,7");
    EXPECT_EQ(s.getStartPoint(), Point(1, 2));
    EXPECT_EQ(s.getEndPoint(), Point(1, 7));
    EXPECT_EQ(s.toString(), "1,2 1,7");
    EXPECT_TRUE(Segment("4,4").isEqualAndInSameDirection(seg(4, 4, 4, 4)));
    // Only the first space separates; a tab does not.
    EXPECT_TRUE(Segment("1,2  1,7").isEqualAndInSameDirection(seg(1, 2, 1, 7)));
    EXPECT_TRUE(Segment("3,3\t3,9").isEqualAndInSameDirection(seg(3, 3, 3, 3)));
}

TEST(Segment, NonrectilinearEndPointsAreRefused) {
    try {
        Segment("0,0 5,5");
        FAIL() << "expected NonrectilinearException";
    } catch (const NonrectilinearException& e) {
        EXPECT_EQ(e.getFileName(), "Segment");
        EXPECT_GT(e.getLineNumber(), 0);
    }
    EXPECT_THROW(seg(0, 0, 1, 1), NonrectilinearException);
    EXPECT_THROW(Segment(Point(0, 0), Point(-1, 2)), NonrectilinearException);
    EXPECT_NO_THROW(seg(0, 0, 0, 0));
}

TEST(Segment, PointsAndLengths) {
    const Segment s = seg(1, 2, 1, 7);
    EXPECT_EQ(s.getPoint(0), Point(1, 2));
    EXPECT_EQ(s.getPoint(1), Point(1, 7));
    EXPECT_EQ(s.getPoint(2), hole);
    EXPECT_EQ(s.getPoint(-1), hole);
    EXPECT_TRUE(Segment().nullLength());
    EXPECT_FALSE(seg(0, 0, 0, 0).nullLength());
    EXPECT_EQ(s.length(), 5);
    EXPECT_EQ(seg(7, 1, 2, 1).length(), 5);
}

TEST(Segment, DirectionAndEquality) {
    const Segment up = seg(0, 0, 0, 10);
    const Segment down = seg(0, 10, 0, 0);
    EXPECT_TRUE(up == down);
    EXPECT_FALSE(up.isEqualAndInSameDirection(down));
    EXPECT_FALSE(up.isInSameDirection(down));
    EXPECT_TRUE(up.isInSameDirection(seg(5, 3, 5, 4)));
    EXPECT_FALSE(up.isInSameDirection(seg(0, 0, 3, 0)));
    EXPECT_TRUE(seg(0, 0, 0, 0).isVertical());
    EXPECT_TRUE(seg(0, 0, 0, 0).isPerpendicular(seg(0, 0, 4, 0)));
    EXPECT_TRUE(up.definedUpward());
    EXPECT_FALSE(down.definedUpward());
    EXPECT_TRUE(seg(0, 0, 3, 0).definedRightward());
    EXPECT_TRUE(seg(0, 5, 0, 9) < seg(1, 0, 1, 2));
    EXPECT_TRUE(seg(0, 5, 0, 6) < seg(0, 5, 0, 9));
    EXPECT_FALSE(seg(0, 5, 0, 9) < seg(0, 5, 0, 9));
}

TEST(Segment, ContainsPointsAndSegments) {
    const Segment down = seg(3, 9, 3, 1);
    EXPECT_TRUE(down.containsPoint(Point(3, 1)));
    EXPECT_TRUE(down.containsPoint(Point(3, 5)));
    EXPECT_FALSE(down.containsPoint(Point(3, 0)));
    EXPECT_FALSE(down.containsPoint(Point(4, 5)));
    const Segment left = seg(9, 2, 1, 2);
    EXPECT_TRUE(left.containsPoint(Point(1, 2)));
    EXPECT_FALSE(left.containsPoint(Point(5, 3)));
    EXPECT_TRUE(down.containsSegment(seg(3, 2, 3, 8)));
    EXPECT_FALSE(down.containsSegment(seg(3, 2, 3, 10)));
    EXPECT_TRUE(down.isEndpoint(Point(3, 9)));
    EXPECT_FALSE(down.isEndpoint(Point(3, 5)));
}

TEST(Segment, IntersectionCases) {
    const Segment s = seg(0, 0, 0, 10);
    EXPECT_EQ(s.intersection(seg(0, 5, 0, 15)), infinite) << "collinear overlap";
    EXPECT_EQ(s.intersection(seg(0, 15, 0, 5)), infinite) << "overlap against the direction";
    EXPECT_EQ(s.intersection(seg(0, 10, 0, 15)), Point(0, 10)) << "end to end";
    EXPECT_EQ(s.intersection(seg(0, 15, 0, 10)), Point(0, 10)) << "end to end, reversed";
    EXPECT_EQ(s.intersection(seg(0, 4, 0, 4)), Point(0, 4)) << "zero length on it";
    EXPECT_EQ(s.intersection(seg(0, 11, 0, 15)), hole) << "collinear apart";
    EXPECT_EQ(s.intersection(seg(1, 0, 1, 10)), hole) << "parallel";
    EXPECT_EQ(s.intersection(seg(-5, 10, 5, 10)), Point(0, 10)) << "T-junction at the end";
    EXPECT_EQ(s.intersection(seg(0, 5, 8, 5)), Point(0, 5)) << "T-junction on the interior";
    EXPECT_EQ(s.intersection(seg(-3, 5, 3, 5)), Point(0, 5)) << "crossing";
    EXPECT_EQ(s.intersection(seg(1, 5, 5, 5)), hole) << "apart";
    EXPECT_EQ(s.intersection(seg(-3, 11, 3, 11)), hole) << "beyond the end";
    const Segment h = seg(10, 3, 0, 3);
    EXPECT_EQ(h.intersection(seg(5, 3, 20, 3)), infinite);
    EXPECT_EQ(h.intersection(seg(10, 3, 12, 3)), Point(10, 3));
    EXPECT_EQ(h.intersection(seg(-4, 3, 0, 3)), Point(0, 3));
    EXPECT_EQ(h.intersection(seg(11, 3, 12, 3)), hole);
    EXPECT_EQ(h.intersection(seg(0, 4, 5, 4)), hole);
}

TEST(Segment, Midpoint) {
    EXPECT_EQ(seg(0, 0, 0, 5).midpoint(), Point(0, 2));
    EXPECT_EQ(seg(0, 5, 0, 0).midpoint(), Point(0, 3));
    EXPECT_EQ(seg(7, 1, 2, 1).midpoint(), Point(5, 1));
    EXPECT_EQ(seg(2, 1, 7, 1).midpoint(), Point(4, 1));
    EXPECT_EQ(seg(4, 4, 4, 4).midpoint(), Point(4, 4));
}

TEST(Segment, ContractAndExpand) {
    Segment s = seg(0, 0, 10, 0);
    s.contract(3);
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(1, 0, 8, 0)));
    s = seg(0, 0, 10, 0);
    s.expand(3);
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(-1, 0, 12, 0)));
    s = seg(10, 0, 0, 0);
    s.contract(5);
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(8, 0, 3, 0)));
    s = seg(0, 0, 0, 10);
    s.contract(-5);
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(0, -2, 0, 13))) << s;  // 2 more at the start, 3 at the end
    s = seg(0, 10, 0, 0);
    s.contract(5);
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(0, 8, 0, 3)));
    // Zero length counts as running downward.
    s = seg(3, 7, 3, 7);
    s.contract(4);
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(3, 5, 3, 9)));
    s = seg(3, 7, 3, 7);
    s.expand(5);
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(3, 9, 3, 4)));
    // Contracting past the length reverses the segment.
    s = seg(0, 0, 2, 0);
    s.contract(6);
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(3, 0, -1, 0)));
}

TEST(Segment, MergeRunsDownwardOrLeftward) {
    Segment s = seg(0, 0, 0, 5);
    EXPECT_TRUE(s.merge(seg(0, 3, 0, 9)));
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(0, 9, 0, 0)));
    s = seg(0, 0, 0, 5);
    EXPECT_TRUE(s.merge(seg(0, 5, 0, 8))) << "touching end to end";
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(0, 8, 0, 0)));
    s = seg(0, 0, 0, 5);
    EXPECT_FALSE(s.merge(seg(1, 0, 1, 5)));
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(0, 0, 0, 5)));
    EXPECT_FALSE(s.merge(seg(-2, 3, 2, 3))) << "perpendicular";
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(0, 0, 0, 5)));
    s = seg(2, 1, 6, 1);
    EXPECT_TRUE(s.merge(seg(9, 1, 4, 1)));
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(9, 1, 2, 1)));
}

TEST(Segment, FlipSwapsEnds) {
    Segment s = seg(1, 2, 1, 7);
    s.flip();
    EXPECT_TRUE(s.isEqualAndInSameDirection(seg(1, 7, 1, 2)));
}

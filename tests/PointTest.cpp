#include <gtest/gtest.h>

#include <exception>
#include <sstream>

#include "geometry/Exception.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/NonrectilinearException.h"
#include "geometry/Point.h"
#include "geometry/Segment.h"
#include "packing/InterruptedException.h"
#include "packing/PackingException.h"

using namespace Zelkor::Rectilinear;

TEST(Point, ParsesLikeAtoi) {
    const struct {
        const char* text;
        Point expected;
    } cases[] = {
        {"3,4", {3, 4}},   {" 3, 4", {3, 4}}, {"3,4)", {3, 4}}, {"-7,+2", {-7, 2}}, {"12", {12, 12}},
        {"", {0, 0}},      {"a,b", {0, 0}},   {",5", {0, 5}},   {"5,", {5, 0}},     {"\t-3 ,\n 9x", {-3, 9}},
        {"1,2,3", {1, 2}}, {"- 4,4", {0, 4}}, {"+-4,4", {0, 4}},
    };
    for (const auto& c : cases) EXPECT_EQ(Point(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Point, OutOfRangeDigitsSaturate) {
    EXPECT_EQ(Point("99999999999,-99999999999"), Point(2147483647, -2147483647 - 1));
    EXPECT_EQ(Point("2147483647,-2147483648"), Point(2147483647, -2147483647 - 1));
    EXPECT_EQ(Point("000000000000000000000000000007,1"), Point(7, 1));
}

TEST(Point, Sentinels) {
    EXPECT_TRUE(Point().isHole());
    EXPECT_EQ(Point().x, -2147483647);
    EXPECT_TRUE(Point(5, -2147483647).isHole());
    EXPECT_FALSE(Point(5, -2147483647 - 1).isHole());
    EXPECT_TRUE(Point(2147483647, 0).isInfinity());
    EXPECT_TRUE(Point(0, 2147483647).isInfinity());
    EXPECT_FALSE(Point(0, 0).isHole());
    EXPECT_FALSE(Point(0, 0).isInfinity());
}

TEST(Point, OrdersByXThenY) {
    EXPECT_TRUE(Point(1, 5) < Point(2, 0));
    EXPECT_TRUE(Point(1, 5) < Point(1, 6));
    EXPECT_FALSE(Point(1, 5) < Point(1, 5));
    EXPECT_FALSE(Point(1, 5) > Point(1, 5));
    EXPECT_TRUE(Point(2, 0) > Point(1, 5));
    EXPECT_TRUE(Point(-3, 0) < Point(-2, -9));
    EXPECT_TRUE(Point(1, 5) != Point(5, 1));
}

TEST(Point, Arithmetic) {
    EXPECT_EQ(Point(5, 7) - Point(2, 3), Point(3, 4));
    EXPECT_EQ(Point(5, 7) + Point(-2, 3), Point(3, 10));
    Point p(1, 1);
    p.translate(Point(4, -6));
    EXPECT_EQ(p, Point(5, -5));
    // Beyond the 32-bit range the coordinates wrap instead of overflowing.
    EXPECT_EQ(Point(2147483647, 0) + Point(1, 0), Point(-2147483647 - 1, 0));
}

TEST(Point, TextRoundTrip) {
    EXPECT_EQ(Point(0, 0).toString(), "0,0");
    EXPECT_EQ(Point(-1, 20).toString(), "-1,20");
    EXPECT_EQ(Point(3, -4).toString(), "3,-4");
    EXPECT_EQ(Point().toString(), "-2147483647,-2147483647");
    for (const Point& p : {Point(), Point(0, 0), Point(-1, 20), Point(2147483647, -2147483647 - 1),
                           Point(Point::infinity, Point::infinity), Point(123456, -654321)}) {
        EXPECT_EQ(Point(p.toString()), p) << p;
    }
    std::ostringstream os;
    os << Point(3, -4);
    EXPECT_EQ(os.str(), "3,-4");
}

// what() says what went wrong and where; the stream form stays the terse log
// line whatever the description.
TEST(Exception, DescribesItselfAndKeepsItsStreamForm) {
    const InvalidPolygonException refused("Polygon", 12);
    const InvalidPolygonException slanted("Polygon", 245, "the edge from 3,5 to 0,0 is neither horizontal nor vertical");
    const NonrectilinearException segment("Segment", 30, "0,0 5,5");
    const PackingException packing("RectilinearMath", 722);
    const InterruptedException interrupted("PackHandler", 108);
    const struct {
        const Zelkor::Exception& e;
        const char* streamForm;
        const char* what;
    } cases[] = {
        {refused, "Polygon[12] Exception occurred.", "invalid polygon (at Polygon[12])"},
        {slanted, "Polygon[245] Exception occurred.",
         "invalid polygon: the edge from 3,5 to 0,0 is neither horizontal nor vertical (at Polygon[245])"},
        {segment, "Segment[30] Exception occurred.",
         "the segment 0,0 5,5 is neither horizontal nor vertical (at Segment[30])"},
        {packing, "RectilinearMath[722] Exception occurred.",
         "the packing cannot go on: no part left fits the standard sheet (at RectilinearMath[722])"},
        {interrupted, "PackHandler[108] Exception occurred.",
         "the packing was stopped at the caller's request (at PackHandler[108])"},
    };
    for (const auto& c : cases) {
        std::ostringstream os;
        os << c.e;
        EXPECT_EQ(os.str(), c.streamForm);
        const std::exception& standard = c.e;
        EXPECT_STREQ(standard.what(), c.what);
    }
    EXPECT_EQ(refused.getFileName(), "Polygon");
    EXPECT_EQ(refused.getLineNumber(), 12);
    EXPECT_THROW(Segment(0, 0, 5, 5), std::exception);
}

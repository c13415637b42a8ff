#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "RandomPolygons.h"
#include "RandomShapes.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/Polygon.h"
#include "reference/LiteralPolygon.h"

using namespace Zelkor::Rectilinear;
using Testing::describe;

namespace {

Polygon poly(const std::string& text) { return Polygon(text, "p"); }

Segment seg(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) { return Segment(x1, y1, x2, y2); }

std::string textOf(const std::vector<Segment>& segments) {
    std::string text;
    for (const Segment& s : segments) text += "[" + s.toString() + "]";
    return text;
}

const char* const square = "0,0 10,0 10,10 0,10";
const char* const uShape = "0,0 9,0 9,9 6,9 6,3 3,3 3,9 0,9";

}  // namespace

TEST(PolygonModel, StandardizationKeepsACounterclockwiseBoundary) {
    const Polygon s = poly(square);
    EXPECT_EQ(s.toString(), square);
    EXPECT_FLOAT_EQ(s.getArea(), 100.0f);
    EXPECT_FALSE(s.wasOriginallyDefinedInReverseOrder());
    EXPECT_EQ(s.getName(), "p");
    EXPECT_EQ(s.getId(), 0);

    // Clockwise input is reversed, starting from its old last corner.
    const Polygon reversed = poly("0,0 0,10 10,10 10,0");
    EXPECT_EQ(reversed.toString(), "10,0 10,10 0,10 0,0");
    EXPECT_FLOAT_EQ(reversed.getArea(), 100.0f);
    EXPECT_TRUE(reversed.wasOriginallyDefinedInReverseOrder());

    EXPECT_FLOAT_EQ(poly(uShape).getArea(), 63.0f);
}

TEST(PolygonModel, StandardizationDropsRedundantCorners) {
    EXPECT_EQ(poly("0,0 5,0 10,0 10,10 0,10").toString(), square);          // collinear
    EXPECT_EQ(poly("0,0 0,0 10,0 10,10 0,10").toString(), square);          // duplicate
    EXPECT_EQ(poly("0,0 10,0 10,10 0,10 ").toString(), square);             // trailing space adds nothing
    EXPECT_EQ(poly("0,0  10,0 10,10 0,10").toString(), square);             // empty token is (0,0), a duplicate
    EXPECT_EQ(poly("0,0 10,0 10,10 10,20 10,10 0,10").toString(), square);  // zero-width spike
    // A leading space reads an empty token: the corner (0,0).
    EXPECT_EQ(poly(" 10,0 10,10 0,10").toString(), square);
    // Dropping the first corner wraps: the last corner given becomes a
    // neighbour of the second.
    EXPECT_EQ(poly("5,0 10,0 10,10 0,10 0,0").toString(), "10,0 10,10 0,10 0,0");
}

// Every edge is tested, the closing one and those of corners dropped on the
// way included; the reason names the edge.
TEST(PolygonModel, DiagonalEdgesAreRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {"0,0 10,5 10,10", "the edge from 0,0 to 10,5"},
        {"0,0 10,0 10,10 5,5 0,10", "the edge from 10,10 to 5,5"},
        {"0,0 10,0 5,10", "the edge from 10,0 to 5,10"},
        {"0,0 10,0 10,10 0,10 0,5 3,5", "the edge from 3,5 to 0,0"},  // the closing edge
        {"0,0 5,0 0,10 -10,10 -10,-5 0,-5", "the edge from 5,0 to 0,10"},
        {"0,0 10,10", "the edge from 0,0 to 10,10"},
    };
    for (const auto& [text, edge] : cases) {
        try {
            poly(text);
            ADD_FAILURE() << text << ": expected InvalidPolygonException";
        } catch (const InvalidPolygonException& e) {
            EXPECT_EQ(e.getFileName(), "Polygon") << text;
            EXPECT_EQ(e.getReason(), std::string(edge) + " is neither horizontal nor vertical") << text;
        }
    }
}

// Fewer than three corners cannot bound anything: standardization empties
// the polygon (area 0, flagged reversed, as for no corners at all).
TEST(PolygonModel, OneOrTwoCornersLeaveAnEmptyPolygon) {
    for (const char* text : {"", "3,4", "0,0 10,0", "0,0 0,0"}) {
        const Polygon p = poly(text);
        EXPECT_TRUE(p.isEmpty()) << text;
        EXPECT_EQ(p.toString(), "") << text;
        EXPECT_FLOAT_EQ(p.getArea(), 0.0f) << text;
        EXPECT_TRUE(p.wasOriginallyDefinedInReverseOrder()) << text;
    }
}

TEST(PolygonModel, EmptyPolygonQueries) {
    const Polygon none;
    EXPECT_TRUE(none.isEmpty());
    EXPECT_FLOAT_EQ(none.getArea(), -1.0f);
    EXPECT_EQ(none.toString(), "");
    EXPECT_TRUE(none.getBoundingRectangle().getBottomLeft().isHole());
    EXPECT_TRUE(none.getBoundingRectangle().getTopRight().isHole());
    EXPECT_EQ(none.shortestSegmentLength(), 2147483647);
    EXPECT_TRUE(none.getEdges().empty());
    EXPECT_FALSE(none == Polygon());
}

TEST(PolygonModel, BoundingRectangleEdgesAndShortestEdge) {
    const Polygon u = poly(uShape);
    EXPECT_EQ(u.getBoundingRectangle().getBottomLeft(), Point(0, 0));
    EXPECT_EQ(u.getBoundingRectangle().getTopRight(), Point(9, 9));
    const std::vector<Segment> edges = u.getEdges();
    ASSERT_EQ(edges.size(), 8u);
    EXPECT_TRUE(edges[0].isEqualAndInSameDirection(seg(0, 0, 9, 0)));
    EXPECT_TRUE(edges[7].isEqualAndInSameDirection(seg(0, 9, 0, 0)));
    EXPECT_EQ(u.shortestSegmentLength(), 3);
    EXPECT_EQ(u.numberOfPoints(), 8);
    EXPECT_EQ(u.numberOfEdges(), 8);
}

TEST(PolygonModel, EqualityIgnoresTheStartingCornerButNotTheDirection) {
    EXPECT_TRUE(poly("10,10 0,10 0,0 10,0") == poly(square));
    EXPECT_FALSE(poly("10,10 0,10 0,0 10,0") != poly(square));
    EXPECT_FALSE(poly(square) == poly("0,0 10,0 10,11 0,11"));
    EXPECT_FALSE(poly(square) == poly(uShape));
    // Names, ids and flags are not compared.
    Polygon named = poly(square);
    named.setName("other");
    named.setId(7);
    EXPECT_TRUE(named == poly("0,0 0,10 10,10 10,0"));
}

TEST(PolygonModel, CongruenceAllowsQuarterTurnsButNoMirrorImages) {
    const Polygon l = poly("0,0 6,0 6,2 2,2 2,4 0,4");
    Polygon turned = l;
    turned.rotateAboutOrigin(1);
    turned.translate(Point(100, -50));
    EXPECT_TRUE(l.isCongruant(turned));
    turned.rotateAboutOrigin(1);
    EXPECT_TRUE(l.isCongruant(turned));
    turned.rotateAboutOrigin(-3);
    EXPECT_TRUE(l.isCongruant(turned));
    // Arms of different lengths: the mirror image is a different part.
    EXPECT_FALSE(l.isCongruant(poly("0,0 6,0 6,4 4,4 4,2 0,2")));
    EXPECT_TRUE(poly("0,0 2,0 2,3 0,3").isCongruant(poly("5,5 8,5 8,7 5,7")));
    EXPECT_TRUE(poly(square).isCongruant(poly("-3,-3 7,-3 7,7 -3,7")));
    EXPECT_FALSE(poly("0,0 2,0 2,3 0,3").isCongruant(poly("0,0 2,0 2,4 0,4")));
    EXPECT_FALSE(poly(square).isCongruant(poly(uShape)));
}

TEST(PolygonModel, RotationReducesTheMultiplier) {
    struct Case {
        int multiplier;
        Point image;
    };
    const Case cases[] = {{0, {1, 2}},   {1, {-2, 1}},      {2, {-1, -2}},     {3, {2, -1}},  {4, {1, 2}},
                          {5, {-2, 1}},  {-1, {2, -1}},     {-2, {-1, -2}},    {-3, {-2, 1}}, {-4, {1, 2}},
                          {-5, {2, -1}}, {INT_MIN, {1, 2}}, {INT_MAX, {2, -1}}};
    for (const Case& c : cases) {
        Polygon p = poly("1,2 11,2 11,12 1,12");
        p.rotateAboutOrigin(c.multiplier);
        EXPECT_EQ(p.getPoints()[0], c.image) << c.multiplier;
        EXPECT_FALSE(p.wasOriginallyDefinedInReverseOrder());
    }
    Polygon s = poly(square);
    s.rotateAboutOrigin(1);
    EXPECT_EQ(s.toString(), "0,0 0,10 -10,10 -10,0");
    EXPECT_EQ(s.getBoundingRectangle().getBottomLeft(), Point(-10, 0));
}

TEST(PolygonModel, TranslateSlideAndScale) {
    Polygon p = poly(uShape);
    p.translate(Point(-20, 5));
    EXPECT_EQ(p.getPoints()[0], Point(-20, 5));
    EXPECT_EQ(p.getBoundingRectangle().getTopRight(), Point(-11, 14));
    p.slideToOrigin();
    EXPECT_EQ(p.toString(), uShape);

    Polygon s = poly(square);
    s.scale(0.25f);  // 2.5 truncates to 2; the area stays as it was
    EXPECT_EQ(s.toString(), "0,0 2,0 2,2 0,2");
    EXPECT_FLOAT_EQ(s.getArea(), 100.0f);
    Polygon negative = poly("-10,-10 0,-10 0,0 -10,0");
    negative.scale(0.25f);  // toward zero, not down
    EXPECT_EQ(negative.toString(), "-2,-2 0,-2 0,0 -2,0");
    Polygon seven = poly(square);
    seven.scale(0.7f);  // formed in float: 10 x 0.7f is 7
    EXPECT_EQ(seven.getBoundingRectangle().getTopRight(), Point(7, 7));
    Polygon huge = poly(square);
    huge.scale(1e30f);  // saturates instead of overflowing
    EXPECT_EQ(huge.getBoundingRectangle().getTopRight(), Point(INT_MAX, INT_MAX));
}

TEST(PolygonModel, TextFormRoundTrips) {
    EXPECT_EQ(poly("-5,-5 5,-5 5,5 -5,5").toString(), "-5,-5 5,-5 5,5 -5,5");
    std::ostringstream stream;
    stream << poly(uShape);
    EXPECT_EQ(stream.str(), uShape);
    const Polygon fromPoints({Point(0, 0), Point(10, 0), Point(10, 10), Point(0, 10)}, "points");
    EXPECT_EQ(fromPoints.toString(), square);
    EXPECT_EQ(fromPoints.getName(), "points");
}

TEST(PolygonModel, NearTheCoordinateLimitsAreaStaysExact) {
    const Coordinate big = 2147483000;
    const Polygon p({Point(-big, -big), Point(big, -big), Point(big, big), Point(-big, big)}, "big");
    EXPECT_FALSE(p.wasOriginallyDefinedInReverseOrder());
    EXPECT_FLOAT_EQ(p.getArea(), static_cast<float>(4.0 * big * big));
    EXPECT_EQ(p.getCentroid(), Point(0, 0));
}

// --- Building from a chain of segments ------------------------------------------

TEST(PolygonFromSegments, TracesTheChainAndLeavesTheRest) {
    // Square edges out of order, with two strays that are not used.
    std::vector<Segment> segments{seg(0, 0, 10, 0),   seg(50, 50, 60, 50), seg(0, 10, 0, 0),
                                  seg(10, 10, 0, 10), seg(10, 0, 10, 10),  seg(70, 0, 70, 5)};
    const Polygon p(segments, "traced");
    EXPECT_EQ(p.toString(), square);
    EXPECT_FALSE(p.wasOriginallyDefinedInReverseOrder());
    EXPECT_EQ(textOf(segments), "[50,50 60,50][70,0 70,5]");

    // A clockwise chain is reported through the flag.
    std::vector<Segment> clockwise{seg(0, 0, 0, 10), seg(0, 10, 10, 10), seg(10, 10, 10, 0), seg(10, 0, 0, 0)};
    const Polygon hole(clockwise, "hole");
    EXPECT_TRUE(hole.wasOriginallyDefinedInReverseOrder());
    EXPECT_TRUE(clockwise.empty());
}

TEST(PolygonFromSegments, TheFirstMatchingSegmentInListOrderIsTaken) {
    // Two squares meeting at (10,10); from (10,10) the chain could go on to
    // (20,10) or (0,10). Listing (10,10)->(20,10) first makes the walk pass
    // (10,10) twice; the sub-loop goes back to the front of the list.
    std::vector<Segment> segments{seg(0, 0, 10, 0),    seg(10, 0, 10, 10),  seg(10, 10, 20, 10),
                                  seg(20, 10, 20, 20), seg(20, 20, 10, 20), seg(10, 20, 10, 10),
                                  seg(10, 10, 0, 10),  seg(0, 10, 0, 0),    seg(99, 0, 99, 1)};
    const Polygon first(segments, "first");
    EXPECT_EQ(first.toString(), square);
    EXPECT_EQ(textOf(segments), "[10,10 20,10][20,10 20,20][20,20 10,20][10,20 10,10][99,0 99,1]");
    const Polygon second(segments, "second");
    EXPECT_EQ(second.toString(), "10,10 20,10 20,20 10,20");
    EXPECT_EQ(textOf(segments), "[99,0 99,1]");
}

TEST(PolygonFromSegments, RefusesChainsThatDoNotClose) {
    auto refuses = [](std::vector<Segment> segments, std::size_t leftover) {
        EXPECT_THROW(Polygon(segments, "x"), InvalidPolygonException) << describe(segments);
        EXPECT_EQ(segments.size(), leftover) << describe(segments);
    };
    refuses({seg(0, 0, 10, 0)}, 1);
    refuses({seg(0, 0, 10, 0), seg(10, 0, 0, 0)}, 2);
    refuses({seg(0, 0, 10, 0), seg(10, 0, 10, 10), seg(10, 10, 0, 10)}, 0);                 // ran out of segments
    refuses({seg(0, 0, 10, 0), seg(10, 0, 10, 10), seg(0, 10, 0, 0), seg(5, 5, 6, 5)}, 2);  // broken at (10,10)
    std::vector<Segment> none;
    const Polygon empty(none, "empty");
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FLOAT_EQ(empty.getArea(), 0.0f);
}

// The corner list traced from segments, and the leftover list, are those of
// the step-by-step procedure that searches the whole list at every step.
TEST(PolygonFromSegments, MatchesTheStepByStepTraceOnRandomInput) {
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<Segment> segments;
        const int polygons = std::uniform_int_distribution<int>(1, 3)(random);
        for (int k = 0; k < polygons; ++k) {
            const std::vector<Segment> edges = Testing::randomRectilinearPolygon(random, 6).getEdges();
            segments.insert(segments.end(), edges.begin(), edges.end());
        }
        // Strays and cut-up edges make broken chains and repeated corners likely.
        const std::vector<Segment> strays = Testing::randomSegments(random, trial % 4, 12);
        segments.insert(segments.end(), strays.begin(), strays.end());
        std::shuffle(segments.begin() + 1, segments.end(), random);
        if (trial % 5 == 0) std::shuffle(segments.begin(), segments.end(), random);
        const std::vector<Segment> input = segments;

        std::vector<Segment> expectedLeftover = segments;
        bool expectedThrow = false;
        Reference::StandardizedCorners expected;
        try {
            expected = Reference::standardize(Reference::traceSegmentChain(expectedLeftover));
        } catch (const InvalidPolygonException&) {
            expectedThrow = true;
        }
        std::vector<Segment> actualLeftover = segments;
        try {
            const Polygon actual(actualLeftover, "t");
            ASSERT_FALSE(expectedThrow) << describe(input);
            ASSERT_EQ(actual.getPoints(), expected.points) << describe(input);
            ASSERT_EQ(actual.getArea(), expected.area) << describe(input);
            ASSERT_EQ(actual.wasOriginallyDefinedInReverseOrder(), expected.reversed) << describe(input);
        } catch (const InvalidPolygonException&) {
            ASSERT_TRUE(expectedThrow) << describe(input);
        }
        ASSERT_EQ(textOf(actualLeftover), textOf(expectedLeftover)) << describe(input);
    }
}

TEST(PolygonStandardize, MatchesTheStepByStepPassesOnRandomCorners) {
    std::mt19937 random(7321);
    std::uniform_int_distribution<int> coin(0, 9);
    for (int trial = 0; trial < 5000; ++trial) {
        std::vector<Point> corners =
            Testing::randomOrthogonalWalk(random, std::uniform_int_distribution<int>(2, 14)(random), 6);
        // Duplicates, and now and then a diagonal edge.
        for (std::size_t i = 0; i < corners.size(); ++i) {
            if (coin(random) == 0) corners.insert(corners.begin() + static_cast<std::ptrdiff_t>(i), corners[i]);
        }
        if (coin(random) == 0 && !corners.empty()) corners.back().x += 1;
        bool expectedThrow = false;
        Reference::StandardizedCorners expected;
        try {
            expected = Reference::standardize(corners);
        } catch (const InvalidPolygonException&) {
            expectedThrow = true;
        }
        try {
            const Polygon actual(corners, "s");
            ASSERT_FALSE(expectedThrow) << describe(corners);
            ASSERT_EQ(actual.getPoints(), expected.points) << describe(corners);
            ASSERT_EQ(actual.getArea(), expected.area) << describe(corners);
            ASSERT_EQ(actual.wasOriginallyDefinedInReverseOrder(), expected.reversed) << describe(corners);
        } catch (const InvalidPolygonException&) {
            ASSERT_TRUE(expectedThrow) << describe(corners);
        }
    }
}

TEST(PolygonModel, RandomPolygonsKeepTheirAreaAndAreCongruentToTheirTurns) {
    std::mt19937 random(99);
    for (int trial = 0; trial < 500; ++trial) {
        const Testing::CellRegion region = Testing::randomCellRegion(random, 6);
        const Polygon p = Testing::polygonOf(random, region);
        ASSERT_EQ(p.getArea(), static_cast<float>(region.area())) << p;
        Polygon turned = p;
        turned.rotateAboutOrigin(trial % 7 - 3);
        turned.translate(Point(trial, -trial));
        ASSERT_TRUE(p.isCongruant(turned)) << p << " / " << turned;
        ASSERT_EQ(turned.getArea(), p.getArea());
        Polygon restarted(std::vector<Point>(p.getPoints().rbegin(), p.getPoints().rend()), "r");
        ASSERT_TRUE(restarted == p) << p;
        ASSERT_TRUE(Reference::equal(restarted, p));
        ASSERT_EQ(Polygon(p.toString(), "again").getPoints(), p.getPoints());
    }
}

// --- Raw offsets --------------------------------------------------------------

TEST(PolygonOffsetting, EveryEdgeMovesTheSameAmount) {
    Polygon s = poly(square);
    s.unvalidatedContract(2);
    EXPECT_EQ(s.toString(), "2,2 8,2 8,8 2,8");
    EXPECT_FLOAT_EQ(s.getArea(), 36.0f);
    Polygon grown = poly(square);
    grown.unvalidatedExpand(2);
    EXPECT_EQ(grown.toString(), "-2,-2 12,-2 12,12 -2,12");
    EXPECT_EQ(grown.getBoundingRectangle().getBottomLeft(), Point(-2, -2));
    // Edges pass each other unnoticed: the square turns inside out in both
    // axes, which keeps it counterclockwise.
    Polygon overshoot = poly(square);
    overshoot.unvalidatedContract(6);
    EXPECT_EQ(overshoot.toString(), "6,6 4,6 4,4 6,4");
    EXPECT_FLOAT_EQ(overshoot.getArea(), 4.0f);
    EXPECT_FALSE(overshoot.wasOriginallyDefinedInReverseOrder());
    // An edge shrunk to nothing disappears with its corners.
    Polygon u = poly(uShape);
    u.unvalidatedExpand(1);
    EXPECT_EQ(u.toString(), "-1,-1 10,-1 10,10 5,10 5,4 4,4 4,10 -1,10");
    // A notch narrower than twice the offset turns inside out and stays.
    Polygon closed = poly("0,0 9,0 9,9 5,9 5,3 4,3 4,9 0,9");
    closed.unvalidatedExpand(1);
    EXPECT_EQ(closed.toString(), "-1,-1 10,-1 10,10 4,10 4,4 5,4 5,10 -1,10");
}

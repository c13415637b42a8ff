#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "RandomPolygons.h"
#include "RandomShapes.h"
#include "ShapeBuilders.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "reference/LiteralHoledPolygonSet.h"

using namespace Zelkor::Rectilinear;

namespace {

using Testing::poly;
using Testing::rect;

Segment seg(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) {
    return Segment(x1, y1, x2, y2);
}

// The polygons' texts in ascending order, for comparing cycle sets whose
// order belongs to the graph search.
std::string sortedTexts(const std::vector<Polygon>& polygons) {
    std::vector<std::string> texts;
    for (const Polygon& p : polygons) texts.push_back(p.toString());
    std::sort(texts.begin(), texts.end());
    return Testing::describe(texts);
}

// A 10x10 square with a 2x2 hole in the middle.
const HoledPolygon squareWithHole(rect(0, 0, 10, 10), {rect(4, 4, 6, 6)});

}  // namespace

TEST(HoledPolygon, TextFormRoundTripsWithHoles) {
    const HoledPolygon twoHoles(rect(0, 0, 10, 10), {rect(1, 1, 3, 3), rect(5, 5, 8, 7)});
    const std::string text = twoHoles.toString();
    EXPECT_EQ(text, "0,0 10,0 10,10 0,10|1,1 3,1 3,3 1,3|5,5 8,5 8,7 5,7");
    const HoledPolygon parsed(text);
    EXPECT_EQ(parsed.getHoles().size(), 2u);
    EXPECT_EQ(parsed.toString(), text);
    EXPECT_TRUE(parsed == twoHoles);

    // Without holes the text is the base's text; holes given clockwise are
    // stored counterclockwise.
    EXPECT_EQ(HoledPolygon(rect(0, 0, 2, 2)).toString(), "0,0 2,0 2,2 0,2");
    EXPECT_EQ(HoledPolygon("0,0 9,0 9,9 0,9|1,1 1,2 2,2 2,1").toString(), "0,0 9,0 9,9 0,9|2,1 2,2 1,2 1,1");

    // A trailing "|" adds no hole; the empty text is the default holed polygon.
    const HoledPolygon trailing("0,0 10,0 10,10 0,10|");
    EXPECT_TRUE(trailing.getHoles().empty());
    EXPECT_EQ(trailing.toString(), "0,0 10,0 10,10 0,10");
    const HoledPolygon empty("");
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.getHoles().empty());
    EXPECT_EQ(empty.toString(), "");
    EXPECT_EQ(empty.getArea(), 0.0f);
    EXPECT_EQ(HoledPolygon().getArea(), 0.0f);
    EXPECT_TRUE(HoledPolygon("|").isEmpty());
}

// "a||b": the piece between the two bars is parsed as empty text and kept as
// an empty hole, so the text round trips; the empty hole changes no answer.
TEST(HoledPolygon, EmptyHoleBetweenTwoBarsIsKeptAndHarmless) {
    const HoledPolygon parsed("0,0 10,0 10,10 0,10||4,4 6,4 6,6 4,6");
    ASSERT_EQ(parsed.getHoles().size(), 2u);
    EXPECT_TRUE(parsed.getHoles()[0].isEmpty());
    EXPECT_EQ(parsed.toString(), "0,0 10,0 10,10 0,10||4,4 6,4 6,6 4,6");
    EXPECT_EQ(parsed.getEdges().size(), 8u);
    EXPECT_EQ(parsed.getNumberOfEdges(), 8);
    EXPECT_EQ(parsed.getPoints().size(), 8u);
    EXPECT_EQ(parsed.getArea(), 96.0f);
    EXPECT_TRUE(parsed == squareWithHole);
    EXPECT_TRUE(squareWithHole == parsed);

    // Same answers as without the empty hole, for every query.
    const HoledPolygon onlyEmptyHole(rect(0, 0, 10, 10), {Polygon()});
    const HoledPolygon plain(rect(0, 0, 10, 10));
    EXPECT_EQ(onlyEmptyHole.getArea(), 100.0f);
    std::mt19937 random(17);
    for (int trial = 0; trial < 2000; ++trial) {
        const Segment s = Testing::randomSegment(random, 12);
        SCOPED_TRACE(s.toString());
        EXPECT_EQ(parsed.containsSegment(s), squareWithHole.containsSegment(s));
        EXPECT_EQ(parsed.containsNonCrossOverSegment(s), squareWithHole.containsNonCrossOverSegment(s));
        EXPECT_EQ(parsed.intersect(s), squareWithHole.intersect(s));
        EXPECT_EQ(parsed.segmentIsOnBoundary(s), squareWithHole.segmentIsOnBoundary(s));
        EXPECT_EQ(onlyEmptyHole.containsSegment(s), plain.containsSegment(s));
        EXPECT_EQ(onlyEmptyHole.intersect(s), plain.intersect(s));
    }
    const HoledPolygon inner(rect(1, 1, 3, 3));
    EXPECT_TRUE(onlyEmptyHole.containsPolygon(inner));
    EXPECT_TRUE(onlyEmptyHole.containsPolygon(HoledPolygon()));
    EXPECT_TRUE(onlyEmptyHole.intersect(rect(1, 1, 3, 3)));

    HoledPolygon shrunk = onlyEmptyHole;
    shrunk.unvalidatedContract(1);
    EXPECT_EQ(shrunk.toString(), "1,1 9,1 9,9 1,9|");
}

TEST(HoledPolygon, EdgesPointsAndArea) {
    const std::vector<Segment> edges = squareWithHole.getEdges();
    ASSERT_EQ(edges.size(), 8u);
    EXPECT_EQ(squareWithHole.getNumberOfEdges(), 8);
    // The base as it is, then the hole's edges each reversed: clockwise, with
    // the material on the left.
    const std::vector<Segment> expected{seg(0, 0, 10, 0), seg(10, 0, 10, 10), seg(10, 10, 0, 10), seg(0, 10, 0, 0),
                                        seg(6, 4, 4, 4),  seg(6, 6, 6, 4),    seg(4, 6, 6, 6),    seg(4, 4, 4, 6)};
    for (std::size_t i = 0; i < edges.size(); ++i) EXPECT_TRUE(edges[i].isEqualAndInSameDirection(expected[i])) << i;
    EXPECT_EQ(Testing::describe(squareWithHole.getPoints()), "{ [0,0] [10,0] [10,10] [0,10] [4,4] [6,4] [6,6] [4,6] }");

    const HoledPolygon twoHoles(rect(0, 0, 10, 10), {rect(1, 1, 3, 3), rect(5, 5, 7, 7)});
    EXPECT_EQ(twoHoles.getArea(), 92.0f);
    EXPECT_EQ(twoHoles.getEdges().size(), 12u);
    EXPECT_FALSE(twoHoles.isEmpty());
}

// Truth table for the square with the hole [4,6]x[4,6]: containsSegment,
// containsNonCrossOverSegment, intersect, segmentIsOnBoundary,
// segmentIsCoincidentWithAnEdge. A segment inside the hole does not
// intersect the shape even where it touches the hole's boundary.
TEST(HoledPolygon, SegmentPredicates) {
    struct Case {
        Segment s;
        bool contains, nonCrossOver, intersects, onBoundary, coincident;
    };
    const Case cases[] = {
        {seg(1, 1, 9, 1), true, true, true, false, false},        // material only
        {seg(4, 4, 6, 4), true, true, true, true, true},          // along a hole edge
        {seg(5, 4, 6, 4), true, true, true, true, true},          // within a hole edge
        {seg(3, 4, 7, 4), true, true, true, false, true},         // past both ends of a hole edge
        {seg(1, 5, 4, 5), true, true, true, false, false},        // ends on the hole's boundary
        {seg(1, 5, 5, 5), false, true, true, false, false},       // enters the hole
        {seg(1, 5, 9, 5), false, true, true, false, false},       // crosses the hole
        {seg(4, 5, 6, 5), false, false, false, false, false},     // wall to wall inside the hole
        {seg(5, 4, 5, 6), false, false, false, false, false},
        {seg(5, 5, 5, 5), false, false, false, false, false},     // a point strictly inside the hole
        {seg(5, 5, 6, 5), false, false, false, false, false},     // inside, ending on the hole's edge
        {seg(4, 4, 4, 4), true, true, true, true, false},         // a hole corner
        {seg(0, 0, 10, 0), true, true, true, true, true},         // along the base
        {seg(5, 5, 15, 5), false, false, true, false, false},     // from the hole out of the base
        {seg(10, 10, 20, 10), false, false, true, false, false},  // touches the base's corner
        {seg(11, 0, 11, 10), false, false, false, false, false},  // outside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.s.toString());
        EXPECT_EQ(squareWithHole.containsSegment(c.s), c.contains);
        EXPECT_EQ(squareWithHole.containsNonCrossOverSegment(c.s), c.nonCrossOver);
        EXPECT_EQ(squareWithHole.intersect(c.s), c.intersects);
        EXPECT_EQ(squareWithHole.segmentIsOnBoundary(c.s), c.onBoundary);
        EXPECT_EQ(squareWithHole.segmentIsCoincidentWithAnEdge(c.s), c.coincident);
    }
    EXPECT_FALSE(HoledPolygon().intersect(seg(0, 0, 1, 0)));
    EXPECT_FALSE(HoledPolygon().containsSegment(seg(0, 0, 1, 0)));
}

// Holes one or two units across: shrinking such a hole by one unit would turn
// it inside out or flatten it away, but entering it is still refused and
// running along it still allowed.
TEST(HoledPolygon, ContainsSegmentWithThinHoles) {
    const HoledPolygon unitHole(rect(0, 0, 10, 10), {rect(4, 4, 5, 5)});
    EXPECT_TRUE(unitHole.containsSegment(seg(4, 4, 5, 4)));
    EXPECT_TRUE(unitHole.containsSegment(seg(1, 5, 9, 5)));
    EXPECT_TRUE(unitHole.containsSegment(seg(4, 0, 4, 10)));
    EXPECT_TRUE(unitHole.containsSegment(seg(4, 5, 5, 5)));
    EXPECT_TRUE(unitHole.containsSegment(seg(5, 5, 5, 5)));

    const HoledPolygon slit(rect(0, 0, 10, 10), {rect(4, 2, 5, 8)});
    EXPECT_FALSE(slit.containsSegment(seg(4, 5, 5, 5)));  // across the slit, from wall to wall
    EXPECT_FALSE(slit.containsSegment(seg(1, 5, 9, 5)));
    EXPECT_TRUE(slit.containsSegment(seg(1, 8, 9, 8)));   // along its end
    EXPECT_TRUE(slit.containsSegment(seg(5, 1, 5, 9)));   // along its side
    EXPECT_TRUE(slit.containsSegment(seg(1, 5, 4, 5)));

    const HoledPolygon twoWide(rect(0, 0, 10, 10), {rect(4, 4, 6, 6)});
    EXPECT_FALSE(twoWide.containsSegment(seg(1, 5, 9, 5)));
    EXPECT_FALSE(twoWide.containsSegment(seg(5, 5, 5, 5)));
    EXPECT_TRUE(twoWide.containsSegment(seg(1, 6, 9, 6)));

    // An L-shaped hole with a 2-unit arm: entering the arm is refused.
    const HoledPolygon lHole(rect(0, 0, 20, 20), {poly("2,2 12,2 12,4 6,4 6,12 2,12")});
    EXPECT_FALSE(lHole.containsSegment(seg(10, 0, 10, 20)));
    EXPECT_TRUE(lHole.containsSegment(seg(13, 0, 13, 20)));
    EXPECT_TRUE(lHole.containsSegment(seg(12, 0, 12, 20)));
    EXPECT_FALSE(lHole.containsSegment(seg(4, 8, 4, 8)));
}

// Where every hole is at least 3 units across, refusing segments that enter
// a hole is the same as refusing those that meet the hole shrunk by one unit.
TEST(HoledPolygon, ContainsSegmentSameAsShrinkingWideHoles) {
    std::mt19937 random(2024);
    for (int trial = 0; trial < 400; ++trial) {
        const Polygon base = Testing::randomRectilinearPolygon(random, 6);
        std::vector<Polygon> holes;
        const int holeCount = std::uniform_int_distribution<int>(0, 3)(random);
        std::uniform_int_distribution<Coordinate> corner(-12, 24);
        for (int i = 0; i < holeCount; ++i) {
            if (random() % 2 == 0) {
                std::uniform_int_distribution<Coordinate> side(3, 6);
                const Coordinate x = corner(random), y = corner(random);
                holes.push_back(rect(x, y, x + side(random), y + side(random)));
            } else {
                // Cells 1 to 3 units wide, three times over.
                Testing::CellRegion region = Testing::randomCellRegion(random, 3);
                for (Coordinate& x : region.xs) x *= 3;
                for (Coordinate& y : region.ys) y *= 3;
                holes.push_back(Testing::polygonOf(random, region));
            }
        }
        const HoledPolygon shape(base, holes);
        for (int k = 0; k < 40; ++k) {
            const Segment s = Testing::randomSegment(random, 40);
            const Segment moved(s.getStartPoint() - Point(12, 12), s.getEndPoint() - Point(12, 12));
            ASSERT_EQ(shape.containsSegment(moved), Reference::containsSegment(shape, moved))
                << shape << " segment " << moved;
        }
    }
}

TEST(HoledPolygon, PolygonContainmentAndIntersection) {
    // A piece inside the hole, one in the material, one across the hole.
    const Polygon inHole = rect(4, 4, 5, 5);
    const Polygon inMaterial = rect(1, 1, 3, 3);
    const Polygon acrossHole = rect(3, 3, 7, 7);
    EXPECT_FALSE(squareWithHole.intersect(inHole));
    EXPECT_FALSE(squareWithHole.intersect(rect(4, 4, 6, 6)));  // fills the hole exactly
    EXPECT_TRUE(squareWithHole.intersect(inMaterial));
    EXPECT_TRUE(squareWithHole.intersect(acrossHole));
    EXPECT_TRUE(squareWithHole.intersect(rect(10, 10, 12, 12)));  // shares a corner
    EXPECT_FALSE(squareWithHole.intersect(rect(11, 0, 12, 1)));
    EXPECT_FALSE(HoledPolygon().intersect(inMaterial));

    EXPECT_TRUE(squareWithHole.containsPolygon(HoledPolygon(inMaterial)));
    // Touching a hole counts as meeting it, and the other has no hole there.
    EXPECT_FALSE(squareWithHole.containsPolygon(HoledPolygon(rect(0, 0, 4, 10))));
    EXPECT_TRUE(squareWithHole.containsPolygon(HoledPolygon(rect(0, 0, 3, 10))));
    EXPECT_FALSE(squareWithHole.containsPolygon(HoledPolygon(acrossHole)));
    EXPECT_FALSE(squareWithHole.containsPolygon(HoledPolygon(rect(5, 5, 12, 12))));
    // The other shape has a hole of its own around this one's hole.
    EXPECT_TRUE(squareWithHole.containsPolygon(HoledPolygon(acrossHole, {rect(4, 4, 6, 6)})));
    EXPECT_TRUE(squareWithHole.containsPolygon(HoledPolygon(rect(2, 2, 8, 8), {rect(3, 3, 7, 7)})));
    EXPECT_FALSE(squareWithHole.containsPolygon(HoledPolygon(acrossHole, {rect(4, 4, 5, 5)})));
    EXPECT_TRUE(squareWithHole.containsPolygon(squareWithHole));
}

TEST(HoledPolygon, Equality) {
    const HoledPolygon rotatedStart("10,10 0,10 0,0 10,0|6,6 4,6 4,4 6,4");
    EXPECT_TRUE(rotatedStart == squareWithHole);
    EXPECT_FALSE(rotatedStart != squareWithHole);

    const HoledPolygon twoHoles(rect(0, 0, 10, 10), {rect(1, 1, 3, 3), rect(5, 5, 7, 7)});
    const HoledPolygon swapped(rect(0, 0, 10, 10), {rect(5, 5, 7, 7), rect(1, 1, 3, 3)});
    EXPECT_TRUE(twoHoles == swapped);
    EXPECT_FALSE(twoHoles == HoledPolygon(rect(0, 0, 10, 10), {rect(1, 1, 3, 3)}));
    EXPECT_FALSE(HoledPolygon(rect(0, 0, 10, 10), {rect(1, 1, 3, 3)}) == twoHoles);
    EXPECT_FALSE(twoHoles == HoledPolygon(rect(0, 0, 10, 10), {rect(1, 1, 3, 3), rect(5, 5, 7, 8)}));
    EXPECT_FALSE(squareWithHole == HoledPolygon(poly("0,0 10,0 10,10 0,10")));

    EXPECT_TRUE(HoledPolygon(rect(0, 0, 10, 10)) == rect(0, 0, 10, 10));
    EXPECT_TRUE(HoledPolygon(rect(0, 0, 10, 10)) == poly("10,10 0,10 0,0 10,0"));
    EXPECT_FALSE(squareWithHole == rect(0, 0, 10, 10));
    EXPECT_TRUE(squareWithHole != rect(0, 0, 10, 10));
    EXPECT_FALSE(HoledPolygon(rect(0, 0, 10, 10)) == rect(0, 0, 10, 11));
}

TEST(HoledPolygon, UnvalidatedOffsetsMoveHolesTheOtherWay) {
    HoledPolygon shape = squareWithHole;
    shape.unvalidatedContract(1);
    EXPECT_EQ(shape.toString(), "1,1 9,1 9,9 1,9|3,3 7,3 7,7 3,7");
    EXPECT_EQ(shape.getArea(), 48.0f);
    shape.unvalidatedExpand(1);
    EXPECT_TRUE(shape == squareWithHole);
    // Nothing stops the hole from shrinking past itself: it turns inside out.
    shape.unvalidatedExpand(2);
    EXPECT_EQ(shape.toString(), "-2,-2 12,-2 12,12 -2,12|6,6 4,6 4,4 6,4");
}

TEST(HoledPolygon, SimpleCycleInformation) {
    // The edges of the holed square give the outline and the hole.
    HoledPolygon::CycleSet cycles = HoledPolygon::getSimpleCycleInformation(squareWithHole.getEdges());
    ASSERT_EQ(cycles.forwardCycles.size(), 1u);
    ASSERT_EQ(cycles.reverseCycles.size(), 1u);
    EXPECT_TRUE(cycles.forwardCycles[0] == rect(0, 0, 10, 10));
    EXPECT_TRUE(cycles.reverseCycles[0] == rect(4, 4, 6, 6));
    EXPECT_TRUE(cycles.reverseCycles[0].wasOriginallyDefinedInReverseOrder());

    // Two counterclockwise squares overlapping in [5,10]x[5,10]: split where
    // they cross, the soup holds four counterclockwise cycles: the squares,
    // the union's outline and the overlap.
    std::vector<Segment> soup = rect(0, 0, 10, 10).getEdges();
    const std::vector<Segment> second = rect(5, 5, 15, 15).getEdges();
    soup.insert(soup.end(), second.begin(), second.end());
    cycles = HoledPolygon::getSimpleCycleInformation(soup);
    EXPECT_EQ(sortedTexts(cycles.forwardCycles),
              "{ [0,0 10,0 10,10 0,10] [0,0 10,0 10,5 15,5 15,15 5,15 5,10 0,10] [5,5 10,5 10,10 5,10] "
              "[5,5 15,5 15,15 5,15] }");
    EXPECT_TRUE(cycles.reverseCycles.empty());

    // With the second square clockwise, its cycles are reverse cycles,
    // stored counterclockwise.
    soup = rect(0, 0, 10, 10).getEdges();
    for (Segment s : second) {
        s.flip();
        soup.push_back(s);
    }
    cycles = HoledPolygon::getSimpleCycleInformation(soup);
    EXPECT_EQ(sortedTexts(cycles.forwardCycles), "{ [0,0 10,0 10,10 0,10] [0,0 10,0 10,5 5,5 5,10 0,10] }");
    EXPECT_EQ(sortedTexts(cycles.reverseCycles), "{ [10,10 10,5 15,5 15,15 5,15 5,10] [15,5 15,15 5,15 5,5] }");
    for (const Polygon& p : cycles.reverseCycles) EXPECT_TRUE(p.wasOriginallyDefinedInReverseOrder());

    EXPECT_TRUE(HoledPolygon::getSimpleCycleInformation({}).forwardCycles.empty());
}

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "BoostOracle.h"
#include "RandomPartClusters.h"
#include "RandomPolygons.h"
#include "RandomShapes.h"
#include "ShapeBuilders.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/PolygonSet.h"
#include "reference/LiteralPolygonSet.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;

namespace {

using Testing::poly;
using Testing::rect;

PolygonSet setOf(const std::vector<std::string>& texts) {
    std::vector<Polygon> members;
    for (const std::string& t : texts) members.push_back(poly(t));
    return PolygonSet(members);
}

const std::string square10 = "0,0 10,0 10,10 0,10";

// Outer outlines minus collected holes.
double unionArea(const PolygonSet& outlines, const PolygonSet& holes) {
    double total = 0.0;
    for (const Polygon& p : outlines.getAllPolygons()) total += p.getArea();
    for (const Polygon& p : holes.getAllPolygons()) total -= p.getArea();
    return total;
}

// Rectangles given as {x1, y1, x2, y2} with x1 < x2 and y1 < y2.
using Box = std::array<Coordinate, 4>;

std::string describeBoxes(const std::vector<Box>& boxes) {
    std::ostringstream text;
    for (const Box& b : boxes) text << "rect(" << b[0] << ", " << b[1] << ", " << b[2] << ", " << b[3] << ") ";
    return text.str();
}

PolygonSet setOfBoxes(const std::vector<Box>& boxes) {
    PolygonSet set;
    for (const Box& b : boxes) set.add(rect(b[0], b[1], b[2], b[3]));
    return set;
}

// Unit cells of [0, grid)^2 covered by at least one box.
long coveredCells(const std::vector<Box>& boxes, Coordinate grid) {
    long cells = 0;
    for (Coordinate x = 0; x < grid; ++x) {
        for (Coordinate y = 0; y < grid; ++y) {
            for (const Box& b : boxes) {
                if (b[0] <= x && x < b[2] && b[1] <= y && y < b[3]) {
                    ++cells;
                    break;
                }
            }
        }
    }
    return cells;
}

Box randomBox(std::mt19937& random, Coordinate grid, Coordinate maxSide) {
    std::uniform_int_distribution<Coordinate> corner(0, grid - 1);
    std::uniform_int_distribution<Coordinate> side(1, maxSide);
    const Coordinate x = corner(random);
    const Coordinate y = corner(random);
    return {x, y, std::min(grid, x + side(random)), std::min(grid, y + side(random))};
}

}  // namespace

TEST(PolygonSet, TextForm) {
    EXPECT_EQ(PolygonSet().toString(), "");
    EXPECT_EQ(setOf({square10}).toString(), square10);
    EXPECT_EQ(setOf({square10, "0,0 1,0 1,1 0,1", "5,5 6,5 6,6 5,6"}).toString(),
              square10 + " | 0,0 1,0 1,1 0,1 | 5,5 6,5 6,6 5,6");
    // An empty member still takes its place between separators.
    PolygonSet withEmpty;
    withEmpty.add(poly(square10));
    withEmpty.add(Polygon());
    EXPECT_EQ(withEmpty.toString(), square10 + " | ");
    std::ostringstream stream;
    stream << setOf({square10, square10});
    EXPECT_EQ(stream.str(), square10 + " | " + square10);
}

TEST(PolygonSet, AreaCache) {
    EXPECT_EQ(PolygonSet().getArea(), 0.0f);
    PolygonSet fromVector = setOf({square10, "20,0 25,0 25,5 20,5"});
    const PolygonSet copyBeforeComputing = fromVector;
    EXPECT_EQ(fromVector.getArea(), 125.0f);
    EXPECT_EQ(PolygonSet(copyBeforeComputing).getArea(), 125.0f);

    // add must not add onto the not-computed marker.
    PolygonSet notComputed = setOf({square10});
    notComputed.add(poly("0,0 2,0 2,2 0,2"));
    EXPECT_EQ(notComputed.getArea(), 104.0f);

    // Raw offsets and scaling change the members' areas: the total must follow.
    PolygonSet contracted = setOf({square10, "20,0 30,0 30,10 20,10"});
    EXPECT_EQ(contracted.getArea(), 200.0f);
    contracted.unvalidatedContractAll(1);
    EXPECT_EQ(contracted.toString(), "1,1 9,1 9,9 1,9 | 21,1 29,1 29,9 21,9");
    EXPECT_EQ(contracted.getArea(), 128.0f);
    contracted.unvalidatedExpandAll(2);
    EXPECT_EQ(contracted.toString(), "-1,-1 11,-1 11,11 -1,11 | 19,-1 31,-1 31,11 19,11");
    EXPECT_EQ(contracted.getArea(), 288.0f);

    // Translation and rotation keep the total.
    contracted.translate(Point(5, 5));
    contracted.rotateAboutOrigin(1);
    EXPECT_EQ(contracted.getArea(), 288.0f);
}

TEST(PolygonSet, AddKeepsEverythingInOrder) {
    PolygonSet set;
    set.add(poly(square10));
    set.add(poly(square10));
    set.add(poly("5,5 15,5 15,15 5,15"));
    EXPECT_EQ(set.size(), 3);
    EXPECT_EQ(set.getArea(), 300.0f);
    EXPECT_EQ(set.toString(), square10 + " | " + square10 + " | 5,5 15,5 15,15 5,15");

    // Names and ids travel with the copies.
    Polygon named = poly("0,0 1,0 1,1 0,1");
    named.setName("part");
    named.setId(7);
    set.add(named);
    EXPECT_EQ(set.getPolygon(3).getName(), "part");
    EXPECT_EQ(set.getPolygon(3).getId(), 7);

    PolygonSet other = setOf({"0,0 2,0 2,2 0,2"});
    other.add(set);
    EXPECT_EQ(other.size(), 5);
    EXPECT_EQ(other.getArea(), 305.0f);
    EXPECT_EQ(other.getPolygon(1).toString(), square10);

    // Adding a set to itself doubles it once.
    other.add(other);
    EXPECT_EQ(other.size(), 10);
    EXPECT_EQ(other.getArea(), 610.0f);
    EXPECT_EQ(other.getPolygon(5).toString(), "0,0 2,0 2,2 0,2");
}

TEST(PolygonSet, Equality) {
    const Polygon a = poly(square10);
    const Polygon b = poly("20,0 30,0 30,10 20,10");
    EXPECT_TRUE(setOf({square10, "20,0 30,0 30,10 20,10"}) == setOf({"20,0 30,0 30,10 20,10", square10}));
    // A member starting at another corner is the same member.
    EXPECT_TRUE(setOf({square10}) == setOf({"10,10 0,10 0,0 10,0"}));
    EXPECT_TRUE(setOf({square10}) != setOf({square10, square10}));
    EXPECT_TRUE(setOf({square10}) != setOf({"0,0 10,0 10,11 0,11"}));
    EXPECT_TRUE(PolygonSet() == PolygonSet());
    // Multiplicity is not compared beyond the sizes: every member of the
    // right-hand set is looked for in the left-hand one.
    PolygonSet ab;
    ab.add(a);
    ab.add(b);
    PolygonSet aa;
    aa.add(a);
    aa.add(a);
    EXPECT_TRUE(ab == aa);
    EXPECT_FALSE(aa == ab);

    EXPECT_TRUE(setOf({square10}) == a);
    EXPECT_FALSE(ab == a);
    EXPECT_FALSE(PolygonSet() == a);
    EXPECT_TRUE(ab.containsCongruentPolygon(b));
    EXPECT_FALSE(ab.containsCongruentPolygon(poly("0,0 5,0 5,5 0,5")));
}

TEST(PolygonSet, WholeSetQueries) {
    const PolygonSet set = setOf({"2,3 6,3 6,5 2,5", "-1,10 1,10 1,11 -1,11"});
    const Rectangle bounds = set.getBoundingRectangle();
    EXPECT_EQ(bounds.getBottomLeft(), Point(-1, 3));
    EXPECT_EQ(bounds.getTopRight(), Point(6, 11));
    EXPECT_EQ(set.shortestSegmentLength(), 1);
    EXPECT_EQ(PolygonSet().shortestSegmentLength(), Point::infinity);
    EXPECT_EQ(Testing::describe(set.getAllEdges()),
              "{ [2,3 6,3] [6,3 6,5] [6,5 2,5] [2,5 2,3] [-1,10 1,10] [1,10 1,11] [1,11 -1,11] [-1,11 -1,10] }");
    EXPECT_EQ(Testing::describe(set.getPoints()), "{ [2,3] [6,3] [6,5] [2,5] [-1,10] [1,10] [1,11] [-1,11] }");
    EXPECT_TRUE(PolygonSet().getAllEdges().empty());

    // Without corners there is nothing to enclose; empty members add nothing.
    EXPECT_TRUE(PolygonSet().getBoundingRectangle().getBottomLeft().isHole());
    EXPECT_TRUE(PolygonSet().getBoundingRectangle().getTopRight().isHole());
    PolygonSet withEmpty;
    withEmpty.add(Polygon());
    withEmpty.add(poly("2,3 6,3 6,5 2,5"));
    EXPECT_EQ(withEmpty.getBoundingRectangle().getBottomLeft(), Point(2, 3));
    EXPECT_EQ(withEmpty.getBoundingRectangle().getTopRight(), Point(6, 5));
}

TEST(PolygonSet, IntersectionAndContainment) {
    const PolygonSet set = setOf({square10, "20,0 30,0 30,10 20,10"});
    EXPECT_TRUE(set.intersect(poly("10,10 15,10 15,15 10,15")));  // a shared corner counts
    EXPECT_TRUE(set.intersect(poly("22,2 23,2 23,3 22,3")));       // inside the second member
    EXPECT_FALSE(set.intersect(poly("12,0 18,0 18,5 12,5")));      // in the gap
    EXPECT_FALSE(PolygonSet().intersect(poly(square10)));
    EXPECT_TRUE(set.intersectAll(setOf({"12,0 18,0 18,5 12,5", "29,9 31,9 31,12 29,12"})));
    EXPECT_FALSE(set.intersectAll(setOf({"12,0 18,0 18,5 12,5", "40,0 41,0 41,1 40,1"})));
    EXPECT_FALSE(set.intersectAll(PolygonSet()));

    const Polygon host = poly("0,0 40,0 40,20 0,20");
    EXPECT_TRUE(host.contains(set));
    EXPECT_TRUE(host.contains(PolygonSet()));
    EXPECT_FALSE(poly("0,0 25,0 25,20 0,20").contains(set));
    // The U shape holds a square in either arm but not one across the notch.
    const Polygon u = poly("0,0 9,0 9,9 6,9 6,3 3,3 3,9 0,9");
    EXPECT_TRUE(u.contains(setOf({"0,5 3,5 3,9 0,9", "6,5 9,5 9,9 6,9"})));
    EXPECT_FALSE(u.contains(setOf({"0,5 3,5 3,9 0,9", "2,5 7,5 7,6 2,6"})));
}

TEST(PolygonSet, Transforms) {
    PolygonSet set = setOf({"2,3 6,3 6,5 2,5", "-1,10 1,10 1,11 -1,11"});
    set.slideToOrigin();
    EXPECT_EQ(set.toString(), "3,0 7,0 7,2 3,2 | 0,7 2,7 2,8 0,8");
    set.translate(Point(-3, 1));
    EXPECT_EQ(set.toString(), "0,1 4,1 4,3 0,3 | -3,8 -1,8 -1,9 -3,9");
    set.rotateAboutOrigin(1);
    EXPECT_EQ(set.toString(), "-1,0 -1,4 -3,4 -3,0 | -8,-3 -8,-1 -9,-1 -9,-3");

    PolygonSet empty;
    empty.slideToOrigin();
    empty.fitToSize(100, 100);
    EXPECT_EQ(empty.size(), 0);
    EXPECT_EQ(empty.getArea(), 0.0f);
}

TEST(PolygonSet, FitToSize) {
    // 40 wide, 10 high into 10 by 20: min(20 / 40, 10 / 10) = 0.5.
    PolygonSet wide = setOf({"0,0 40,0 40,10 0,10"});
    wide.fitToSize(10, 20);
    EXPECT_EQ(wide.toString(), "0,0 20,0 20,5 0,5");

    // The tighter of the two ratios wins whichever way round the box is given.
    PolygonSet tall = setOf({"0,0 10,0 10,30 0,30", "10,0 20,0 20,5 10,5"});
    tall.fitToSize(60, 50);
    EXPECT_EQ(tall.toString(), "0,0 20,0 20,60 0,60 | 20,0 40,0 40,10 20,10");
    tall = setOf({"0,0 10,0 10,30 0,30", "10,0 20,0 20,5 10,5"});
    tall.fitToSize(50, 60);
    EXPECT_EQ(tall.toString(), "0,0 20,0 20,60 0,60 | 20,0 40,0 40,10 20,10");

    // A set without height (members scaled flat): only the length limits.
    PolygonSet flat = setOf({"0,0 40,0 40,10 0,10"});
    flat.fitToSize(1, 1);
    EXPECT_EQ(flat.getBoundingRectangle().getTopRight(), Point(1, 0));
    flat.fitToSize(10, 10);
    EXPECT_EQ(flat.getBoundingRectangle().getTopRight(), Point(10, 0));
    // Nothing to measure at all: the members stay as they are.
    PolygonSet point = setOf({"0,0 40,0 40,10 0,10"});
    point.fitToSize(0, 0);
    EXPECT_EQ(point.getBoundingRectangle().getTopRight(), Point(0, 0));
    point.fitToSize(10, 10);
    EXPECT_EQ(point.getBoundingRectangle().getTopRight(), Point(0, 0));
}

TEST(PolygonSet, UnionOfTouchingAndSeparateSquares) {
    PolygonSet holes;
    PolygonSet fused = setOf({"0,0 1,0 1,1 0,1", "1,0 2,0 2,1 1,1"}).booleanAddAndSimplifyAll(&holes);
    EXPECT_EQ(fused.toString(), "0,0 2,0 2,1 0,1");
    EXPECT_EQ(fused.getArea(), 2.0f);
    EXPECT_EQ(holes.size(), 0);

    const PolygonSet apart = setOf({"2,0 3,0 3,1 2,1", "0,0 1,0 1,1 0,1"}).booleanAddAndSimplifyAll(&holes);
    // Cycles come out in the order of their lowest piece.
    EXPECT_EQ(apart.toString(), "0,0 1,0 1,1 0,1 | 2,0 3,0 3,1 2,1");
    EXPECT_EQ(holes.size(), 0);

    // Overlap along a shared edge running the same way, and containment.
    EXPECT_EQ(setOf({"0,0 2,0 2,1 0,1", "1,0 3,0 3,2 1,2"}).booleanAddAndSimplifyAll(nullptr).toString(),
              "0,0 3,0 3,2 1,2 1,1 0,1");
    EXPECT_EQ(setOf({"2,2 3,2 3,3 2,3", square10}).booleanAddAndSimplifyAll(nullptr).toString(), square10);
    // Identical members fuse into one.
    EXPECT_EQ(setOf({square10, square10}).booleanAddAndSimplifyAll(nullptr).toString(), square10);
}

TEST(PolygonSet, UnionOfAFrameKeepsTheOpeningApart) {
    const PolygonSet frame =
        setOf({"0,0 3,0 3,1 0,1", "0,2 3,2 3,3 0,3", "0,1 1,1 1,2 0,2", "2,1 3,1 3,2 2,2"});
    PolygonSet holes = setOf({"10,10 11,10 11,11 10,11"});
    const PolygonSet outline = frame.booleanAddAndSimplifyAll(&holes);
    EXPECT_EQ(outline.toString(), "0,0 3,0 3,3 0,3");
    ASSERT_EQ(holes.size(), 2);
    // Appended after what the output set already held, traced clockwise.
    EXPECT_EQ(holes.getPolygon(0).toString(), "10,10 11,10 11,11 10,11");
    EXPECT_TRUE(holes.getPolygon(1) == poly("1,1 2,1 2,2 1,2"));
    EXPECT_TRUE(holes.getPolygon(1).wasOriginallyDefinedInReverseOrder());
    EXPECT_EQ(holes.getArea(), 2.0f);
    EXPECT_EQ(unionArea(outline, setOf({"1,1 2,1 2,2 1,2"})), 8.0);

    EXPECT_EQ(frame.booleanAddAndSimplifyAll(nullptr).toString(), "0,0 3,0 3,3 0,3");

    // An island inside the opening is an outline of its own.
    PolygonSet withIsland = setOf({"0,0 9,0 9,3 0,3", "0,6 9,6 9,9 0,9", "0,3 3,3 3,6 0,6", "6,3 9,3 9,6 6,6",
                                   "4,4 5,4 5,5 4,5"});
    PolygonSet islandHoles;
    const PolygonSet islandOutline = withIsland.booleanAddAndSimplifyAll(&islandHoles);
    EXPECT_EQ(islandOutline.toString(), "0,0 9,0 9,9 0,9 | 4,4 5,4 5,5 4,5");
    ASSERT_EQ(islandHoles.size(), 1);
    EXPECT_TRUE(islandHoles.getPolygon(0) == poly("3,3 6,3 6,6 3,6"));
}

TEST(PolygonSet, UnionOfFewerThanTwoMembersIsACopy) {
    PolygonSet holes = setOf({"0,0 1,0 1,1 0,1"});
    EXPECT_EQ(PolygonSet().booleanAddAndSimplifyAll(&holes).size(), 0);
    // Not standardized: scaling keeps the now redundant corners.
    Polygon squashed = poly("0,0 4,0 4,1 0,1");
    squashed.scale(0.5f);
    ASSERT_EQ(squashed.toString(), "0,0 2,0 2,0 0,0");
    PolygonSet single;
    single.add(squashed);
    PolygonSet copy = single.booleanAddAndSimplifyAll(&holes);
    EXPECT_EQ(copy.toString(), "0,0 2,0 2,0 0,0");
    EXPECT_EQ(copy.getArea(), 4.0f);  // the cached total comes along, stale as it is
    EXPECT_EQ(holes.size(), 1);
}

TEST(PolygonSet, UnionOfMembersMeetingAtCorners) {
    const auto cells = [](const std::vector<std::pair<Coordinate, Coordinate>>& lowerLeft) {
        PolygonSet set;
        for (const auto& [x, y] : lowerLeft) set.add(rect(x, y, x + 1, y + 1));
        return set;
    };
    // A ring of seven cells whose opening touches the outline at (2,2): the
    // walk through the pinch is split into outline and hole.
    PolygonSet holes;
    EXPECT_EQ(cells({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}}).booleanAddAndSimplifyAll(&holes).toString(),
              "0,0 3,0 3,2 2,2 2,3 0,3");
    EXPECT_EQ(holes.toString(), "1,2 1,1 2,1 2,2");
    // Cells in an X stay apart; at each shared corner the walk takes the
    // piece that sorts first, then the sub-loops come back to the front.
    holes = PolygonSet();
    EXPECT_EQ(cells({{0, 0}, {1, 1}, {2, 0}, {0, 2}, {2, 2}}).booleanAddAndSimplifyAll(&holes).toString(),
              "0,0 1,0 1,1 0,1 | 0,2 1,2 1,3 0,3 | 1,2 1,1 2,1 2,2 | 2,1 2,0 3,0 3,1 | 2,2 3,2 3,3 2,3");
    // Four cells around an empty one enclose nothing: they only touch.
    EXPECT_EQ(cells({{1, 0}, {0, 1}, {2, 1}, {1, 2}}).booleanAddAndSimplifyAll(&holes).size(), 4);
    EXPECT_EQ(holes.size(), 0);
}

TEST(PolygonSet, UnionAreaAgreesWithCellCountOnRandomRectangles) {
    std::mt19937 random(4711);
    for (int trial = 0; trial < 3000; ++trial) {
        const Coordinate grid = trial % 2 == 0 ? 8 : 16;
        std::vector<Box> boxes(std::uniform_int_distribution<int>(2, 12)(random));
        for (Box& b : boxes) b = randomBox(random, grid, grid / 2);
        PolygonSet holes;
        PolygonSet outline;
        try {
            outline = setOfBoxes(boxes).booleanAddAndSimplifyAll(&holes);
        } catch (const InvalidPolygonException&) {
            ADD_FAILURE() << "trial " << trial << " threw: " << describeBoxes(boxes);
            continue;
        }
        ASSERT_EQ(unionArea(outline, holes), static_cast<double>(coveredCells(boxes, grid)))
            << "trial " << trial << ": " << describeBoxes(boxes) << "\noutline " << outline << "\nholes " << holes;
    }
}

#if ZELKOR_HAVE_BOOST_POLYGON
namespace {

namespace bp = boost::polygon;
using Testing::boostRegion;

}  // namespace

// The union's outlines with its holes taken out cover exactly the region an
// independent polygon library computes, and their areas add up to its area.
// Members are rectangles, or simple polygons with notches on a third of the
// trials.
TEST(PolygonSet, UnionMatchesIndependentLibraryOnRandomInput) {
    using namespace bp::operators;
    std::mt19937 random(90210);
    for (int trial = 0; trial < 3000; ++trial) {
        PolygonSet input;
        if (trial % 3 == 2) {
            const int count = std::uniform_int_distribution<int>(2, 8)(random);
            std::uniform_int_distribution<Coordinate> offset(0, 12);
            for (int i = 0; i < count; ++i) {
                Polygon p = Testing::randomRectilinearPolygon(random, 4);
                p.translate(Point(offset(random), offset(random)));
                input.add(p);
            }
        } else {
            const Coordinate grid = trial % 3 == 0 ? 10 : 1000;
            const Coordinate maxSide = trial % 3 == 0 ? 5 : 400;
            std::vector<Box> boxes(std::uniform_int_distribution<int>(2, 12)(random));
            for (Box& b : boxes) b = randomBox(random, grid, maxSide);
            input = setOfBoxes(boxes);
        }
        PolygonSet holes;
        PolygonSet outline;
        try {
            outline = input.booleanAddAndSimplifyAll(&holes);
        } catch (const InvalidPolygonException&) {
            ADD_FAILURE() << "trial " << trial << " threw: " << input;
            continue;
        }
        const bp::polygon_90_set_data<int> expected = boostRegion(input);
        // Outlines and holes nest (an island may sit in a hole), so the
        // region is what an odd number of them cover.
        bp::polygon_90_set_data<int> actual;
        for (const PolygonSet* part : {&outline, &holes}) {
            for (const Polygon& p : part->getAllPolygons()) {
                PolygonSet one;
                one.add(p);
                actual = actual ^ boostRegion(one);
            }
        }
        ASSERT_EQ(unionArea(outline, holes), static_cast<double>(bp::area(expected)))
            << "trial " << trial << ": " << input << "\noutline " << outline << "\nholes " << holes;
        ASSERT_EQ(bp::area(actual ^ expected), 0)
            << "trial " << trial << ": " << input << "\noutline " << outline << "\nholes " << holes;
    }
}
#endif

namespace {

// Same outlines and holes in the same order, or the same failure.
struct UnionOutcome {
    bool threw = false;
    std::string outline;
    std::string holes;
};

template <typename Union>
UnionOutcome outcomeOf(const PolygonSet& set, const PolygonSet& holesBefore, Union unite) {
    UnionOutcome outcome;
    PolygonSet holes = holesBefore;
    try {
        outcome.outline = unite(set, &holes).toString();
    } catch (const InvalidPolygonException&) {
        outcome.threw = true;
    }
    outcome.holes = holes.toString();
    return outcome;
}

// Templates of rectilinear shapes with notches, placed with a random quarter
// turn and offset.
Polygon randomShape(std::mt19937& random, Coordinate grid) {
    static const char* const shapes[] = {
        "0,0 1,0 1,1 0,1",         "0,0 3,0 3,1 0,1",           "0,0 2,0 2,1 1,1 1,3 0,3",
        "0,0 3,0 3,3 2,3 2,1 1,1 1,3 0,3", "1,0 2,0 2,1 3,1 3,2 2,2 2,3 1,3 1,2 0,2 0,1 1,1",
        "0,0 4,0 4,4 0,4",
    };
    std::uniform_int_distribution<int> which(0, 5);
    std::uniform_int_distribution<Coordinate> offset(0, grid);
    Polygon shape = poly(shapes[which(random)]);
    shape.rotateAboutOrigin(std::uniform_int_distribution<int>(0, 3)(random));
    shape.translate(Point(offset(random), offset(random)));
    return shape;
}

}  // namespace

TEST(PolygonSet, UnionSameAsLiteralProcedure) {
    std::mt19937 random(1234);
    int failures = 0;
    for (int trial = 0; trial < 6000; ++trial) {
        const Coordinate grid = trial % 4 == 0 ? 4 : 9;
        PolygonSet set;
        const int count = std::uniform_int_distribution<int>(0, 9)(random);
        for (int i = 0; i < count; ++i) {
            switch (std::uniform_int_distribution<int>(0, 9)(random)) {
                case 0:
                    if (set.size() > 0) {  // an exact copy of an earlier member
                        set.add(set.getPolygon(std::uniform_int_distribution<int>(0, set.size() - 1)(random)));
                        break;
                    }
                    [[fallthrough]];
                case 1: {
                    const Box b = randomBox(random, grid, grid);
                    set.add(rect(b[0], b[1], b[2], b[3]));
                    break;
                }
                case 2:
                    if (trial % 10 == 0) {  // rare degenerate members
                        set.add(Polygon());
                        break;
                    }
                    [[fallthrough]];
                case 3:
                    if (trial % 3 == 0) {  // outlines that cross or retrace themselves
                        try {
                            set.add(Polygon(Testing::randomOrthogonalWalk(random, 6, grid), ""));
                        } catch (const InvalidPolygonException&) {
                        }
                        break;
                    }
                    [[fallthrough]];
                case 4:
                    if (trial % 3 == 1) {
                        Polygon p = Testing::randomRectilinearPolygon(random, 3);
                        p.translate(Point(std::uniform_int_distribution<Coordinate>(0, grid)(random), 0));
                        set.add(p);
                        break;
                    }
                    [[fallthrough]];
                default:
                    set.add(randomShape(random, grid));
            }
        }
        const PolygonSet holesBefore = trial % 2 == 0 ? PolygonSet() : setOf({"0,0 1,0 1,1 0,1"});
        const UnionOutcome fast = outcomeOf(set, holesBefore, [](const PolygonSet& s, PolygonSet* h) {
            return s.booleanAddAndSimplifyAll(h);
        });
        const UnionOutcome literal = outcomeOf(set, holesBefore, Reference::booleanAddAndSimplifyAll);
        failures += fast.threw;
        ASSERT_EQ(fast.threw, literal.threw) << "trial " << trial << ": " << set;
        ASSERT_EQ(fast.outline, literal.outline) << "trial " << trial << ": " << set;
        ASSERT_EQ(fast.holes, literal.holes) << "trial " << trial << ": " << set;
        // The null output is honoured the same way.
        const UnionOutcome fastWithoutHoles =
            outcomeOf(set, PolygonSet(), [](const PolygonSet& s, PolygonSet*) { return s.booleanAddAndSimplifyAll(nullptr); });
        ASSERT_EQ(fastWithoutHoles.outline, literal.outline) << "trial " << trial << ": " << set;
        ASSERT_EQ(fastWithoutHoles.holes, "");
    }
    // Both outcomes must occur often enough to be compared.
    EXPECT_GT(failures, 50);
    EXPECT_LT(failures, 1000);
}

// Parts laid side by side as the packing lays them, a few at a time and, on
// every fourth trial, clusters heaped together into a set of many members.
TEST(PolygonSet, UnionOfPartClustersSameAsLiteralProcedure) {
    std::mt19937 random(4711);
    for (int trial = 0; trial < 3000; ++trial) {
        const Coordinate maxSide = trial % 2 == 0 ? 6 : 40;
        PolygonSet set = Testing::randomPartCluster(random, maxSide);
        if (trial % 4 == 3) {
            std::uniform_int_distribution<Coordinate> offset(-2 * maxSide, 2 * maxSide);
            while (set.size() <= 20) {
                PolygonSet more = Testing::randomPartCluster(random, maxSide);
                more.translate(Point(offset(random), offset(random)));
                set.add(more);
            }
        }
        const UnionOutcome fast = outcomeOf(set, PolygonSet(), [](const PolygonSet& s, PolygonSet* h) {
            return s.booleanAddAndSimplifyAll(h);
        });
        const UnionOutcome literal = outcomeOf(set, PolygonSet(), Reference::booleanAddAndSimplifyAll);
        ASSERT_EQ(fast.threw, literal.threw) << "trial " << trial << ": " << set;
        ASSERT_EQ(fast.outline, literal.outline) << "trial " << trial << ": " << set;
        ASSERT_EQ(fast.holes, literal.holes) << "trial " << trial << ": " << set;
    }
}

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "BoostOracle.h"
#include "RandomHoledPolygons.h"
#include "RandomPolygons.h"
#include "ShapeBuilders.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "reference/LiteralBooleanOperations.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;
using Testing::rectangleOf;

namespace {

using Testing::poly;

HoledPolygon holed(const std::string& text) {
    return HoledPolygon(text);
}

const Polygon square10 = rectangleOf(0, 0, 10, 10);

std::string describePair(const HoledPolygon& a, const HoledPolygon& b) {
    return "HoledPolygon(\"" + a.toString() + "\").booleanSubtract(HoledPolygon(\"" + b.toString() + "\"))";
}

}  // namespace

// --- Subtraction of one shape ---------------------------------------------------

TEST(BooleanSubtract, InnerSquareBecomesAHole) {
    const HoledPolygonSet result = square10.booleanSubtract(rectangleOf(3, 3, 7, 7));
    ASSERT_EQ(result.size(), 1);
    EXPECT_EQ(result.getPolygon(0), holed("0,0 10,0 10,10 0,10|3,3 7,3 7,7 3,7"));
    EXPECT_FLOAT_EQ(result.getArea(), 84.0f);
}

TEST(BooleanSubtract, StripAlongAnEdgeTakesTheEdgeAway) {
    const HoledPolygonSet result = square10.booleanSubtract(rectangleOf(0, 0, 10, 4));
    ASSERT_EQ(result.size(), 1);
    EXPECT_EQ(result.getPolygon(0), rectangleOf(0, 4, 10, 10));
    for (const Segment& edge : result.getPolygon(0).getEdges()) EXPECT_NE(edge.getStartPoint().y, 0) << edge;
}

TEST(BooleanSubtract, StripThroughTheMiddleCutsTheShapeApart) {
    const HoledPolygonSet result = square10.booleanSubtract(rectangleOf(4, -1, 6, 11));
    ASSERT_EQ(result.size(), 2);
    EXPECT_EQ(result, HoledPolygonSet({HoledPolygon(rectangleOf(0, 0, 4, 10)), HoledPolygon(rectangleOf(6, 0, 10, 10))}));
}

TEST(BooleanSubtract, CoveredShapeLeavesNothing) {
    EXPECT_EQ(square10.booleanSubtract(rectangleOf(-1, -1, 11, 11)).size(), 0);
    EXPECT_EQ(square10.booleanSubtract(square10).size(), 0);
    // Covered except where the other shape has a hole: the hole's contents survive.
    const HoledPolygonSet inHole = HoledPolygon(rectangleOf(4, 4, 6, 6)).booleanSubtract(holed("0,0 10,0 10,10 0,10|3,3 7,3 7,7 3,7"));
    ASSERT_EQ(inHole.size(), 1);
    EXPECT_EQ(inHole.getPolygon(0), rectangleOf(4, 4, 6, 6));
}

TEST(BooleanSubtract, ShapeTouchingFromOutsideLeavesTheSideIntact) {
    for (const Polygon& other : {rectangleOf(10, 2, 20, 8), rectangleOf(10, -5, 20, 15), rectangleOf(10, 0, 20, 10)}) {
        const HoledPolygonSet result = square10.booleanSubtract(other);
        ASSERT_EQ(result.size(), 1) << other;
        EXPECT_EQ(result.getPolygon(0), square10) << other << " gave " << result;
    }
}

TEST(BooleanSubtract, ShapesSharingOnlyACornerOrApartLeaveTheShape) {
    for (const Polygon& other : {rectangleOf(10, 10, 15, 15), rectangleOf(-5, -5, 0, 0), rectangleOf(20, 20, 25, 25)}) {
        const HoledPolygonSet result = square10.booleanSubtract(other);
        ASSERT_EQ(result.size(), 1) << other;
        EXPECT_EQ(result.getPolygon(0), square10) << other;
    }
    // A shape that is rebuilt keeps its holes.
    const HoledPolygon withHole = holed("0,0 10,0 10,10 0,10|2,2 4,2 4,4 2,4");
    const HoledPolygonSet rebuilt = withHole.booleanSubtract(HoledPolygon(rectangleOf(20, 0, 30, 10)));
    ASSERT_EQ(rebuilt.size(), 1);
    EXPECT_EQ(rebuilt.getPolygon(0), withHole);
}

TEST(BooleanSubtract, CornerBiteAndNotch) {
    // A corner bitten off leaves an L; a notch from one side leaves a U.
    EXPECT_EQ(square10.booleanSubtract(rectangleOf(6, 6, 12, 12)).getPolygon(0).getBasePolygon(),
              poly("0,0 10,0 10,6 6,6 6,10 0,10"));
    const HoledPolygonSet u = square10.booleanSubtract(rectangleOf(4, 3, 6, 12));
    ASSERT_EQ(u.size(), 1);
    EXPECT_EQ(u.getPolygon(0), poly("0,0 10,0 10,10 6,10 6,3 4,3 4,10 0,10"));
}

TEST(BooleanSubtract, PiecesMeetingAtACornerComeOutSeparately) {
    // Two squares removed so that what is left meets itself at (5,5).
    const HoledPolygonSet first = square10.booleanSubtract(rectangleOf(5, -1, 11, 5));
    ASSERT_EQ(first.size(), 1);
    const HoledPolygonSet result = first.booleanSubtract(HoledPolygon(rectangleOf(-1, 5, 5, 11)));
    ASSERT_EQ(result.size(), 2) << result;
    EXPECT_EQ(result, HoledPolygonSet({HoledPolygon(rectangleOf(0, 0, 5, 5)), HoledPolygon(rectangleOf(5, 5, 10, 10))}));
}

TEST(BooleanSubtract, HolesMeetingAtACorner) {
    // The second hole touches the first at (5,5): the two come out as
    // separate holes of one piece.
    const HoledPolygonSet first = square10.booleanSubtract(rectangleOf(2, 2, 5, 5));
    ASSERT_EQ(first.size(), 1);
    const HoledPolygonSet second = first.booleanSubtract(HoledPolygon(rectangleOf(5, 5, 8, 8)));
    ASSERT_EQ(second.size(), 1) << second;
    EXPECT_EQ(second.getPolygon(0), holed("0,0 10,0 10,10 0,10|2,2 5,2 5,5 2,5|5,5 8,5 8,8 5,8")) << second;
    EXPECT_FLOAT_EQ(second.getArea(), 100.0f - 9.0f - 9.0f);
    // A hole touching the outline at its inner corner stays a hole.
    const Polygon l = poly("0,0 10,0 10,5 5,5 5,10 0,10");
    const HoledPolygonSet touching = l.booleanSubtract(rectangleOf(3, 3, 5, 5));
    ASSERT_EQ(touching.size(), 1) << touching;
    EXPECT_EQ(touching.getPolygon(0), HoledPolygon(l, {rectangleOf(3, 3, 5, 5)})) << touching;
}

TEST(BooleanSubtract, FilledHoleLeavesTheShapeAsItWas) {
    const HoledPolygon shape = holed("0,0 10,0 10,10 0,10|3,3 7,3 7,7 3,7");
    const HoledPolygonSet result = shape.booleanSubtract(HoledPolygon(rectangleOf(3, 3, 7, 7)));
    ASSERT_EQ(result.size(), 1);
    EXPECT_EQ(result.getPolygon(0), shape);
    // The filling piece minus the shape is the filling piece again.
    const HoledPolygonSet filling = HoledPolygon(rectangleOf(3, 3, 7, 7)).booleanSubtract(shape);
    ASSERT_EQ(filling.size(), 1);
    EXPECT_EQ(filling.getPolygon(0), rectangleOf(3, 3, 7, 7));
}

TEST(BooleanSubtract, NarrowFilledHole) {
    // A hole one unit wide, filled exactly: the pieces along its long sides
    // are boundary of both shapes.
    const HoledPolygon shape = holed("0,0 10,0 10,10 0,10|4,2 5,2 5,8 4,8");
    const HoledPolygon filling(rectangleOf(4, 2, 5, 8));
    const HoledPolygonSet result = shape.booleanSubtract(filling);
    ASSERT_EQ(result.size(), 1);
    EXPECT_EQ(result.getPolygon(0), shape);
    const HoledPolygonSet rest = filling.booleanSubtract(shape);
    ASSERT_EQ(rest.size(), 1) << rest;
    EXPECT_EQ(rest.getPolygon(0), filling);
}

TEST(BooleanSubtract, SubtractingAHoledShape) {
    // A frame laid over the square leaves its middle as an island and the
    // outer rim as a piece with a hole.
    const HoledPolygon frame = holed("2,2 18,2 18,18 2,18|5,5 15,5 15,15 5,15");
    const HoledPolygonSet result = HoledPolygon(rectangleOf(0, 0, 20, 20)).booleanSubtract(frame);
    ASSERT_EQ(result.size(), 2) << result;
    EXPECT_EQ(result, HoledPolygonSet({holed("0,0 20,0 20,20 0,20|2,2 18,2 18,18 2,18"),
                                       HoledPolygon(rectangleOf(5, 5, 15, 15))}));
}

TEST(BooleanSubtract, IslandKeepsItsOwnHole) {
    // The shape has a hole inside the island the frame leaves: the hole
    // belongs to the island, not to the rim that was traced first.
    const HoledPolygon shape = holed("0,0 20,0 20,20 0,20|8,8 12,8 12,12 8,12");
    const HoledPolygon frame = holed("2,2 18,2 18,18 2,18|5,5 15,5 15,15 5,15");
    const HoledPolygonSet result = shape.booleanSubtract(frame);
    ASSERT_EQ(result.size(), 2) << result;
    EXPECT_EQ(result, HoledPolygonSet({holed("0,0 20,0 20,20 0,20|2,2 18,2 18,18 2,18"),
                                       holed("5,5 15,5 15,15 5,15|8,8 12,8 12,12 8,12")}))
        << result;
    EXPECT_FLOAT_EQ(result.getArea(), 400.0f - 256.0f + 100.0f - 16.0f);
}

// --- Subtraction of sets ----------------------------------------------------------

TEST(BooleanSubtractSet, EmptySetLeavesTheShapeUntouched) {
    const HoledPolygonSet fromPolygon = square10.booleanSubtract(PolygonSet());
    ASSERT_EQ(fromPolygon.size(), 1);
    EXPECT_EQ(fromPolygon.getPolygon(0).toString(), square10.toString());
    // Not rebuilt: a hole that lies outside the base is kept as given.
    const HoledPolygon odd = holed("0,0 10,0 10,10 0,10|20,20 22,20 22,22 20,22");
    const HoledPolygonSet fromHoled = odd.booleanSubtract(HoledPolygonSet());
    ASSERT_EQ(fromHoled.size(), 1);
    EXPECT_EQ(fromHoled.getPolygon(0).toString(), odd.toString());
}

TEST(BooleanSubtractSet, MembersAreSubtractedInTurn) {
    PolygonSet cuts;
    cuts.add(rectangleOf(4, -1, 6, 11));  // cuts the square in two
    cuts.add(rectangleOf(-1, 4, 11, 6));  // cuts both halves again
    cuts.add(rectangleOf(0, 0, 2, 2));    // bites one quarter
    const HoledPolygonSet result = square10.booleanSubtract(cuts);
    ASSERT_EQ(result.size(), 4) << result;
    EXPECT_FLOAT_EQ(result.getArea(), 64.0f - 4.0f);
    // A member that removes everything left ends with an empty set.
    cuts.add(rectangleOf(-5, -5, 15, 15));
    EXPECT_EQ(square10.booleanSubtract(cuts).size(), 0);
}

TEST(BooleanSubtractSet, SetMinusShapeKeepsMemberOrder) {
    const HoledPolygonSet set({HoledPolygon(rectangleOf(0, 0, 10, 10)), HoledPolygon(rectangleOf(20, 0, 30, 10)),
                               HoledPolygon(rectangleOf(40, 0, 50, 10))});
    const HoledPolygonSet result = set.booleanSubtract(HoledPolygon(rectangleOf(5, -1, 45, 4)));
    ASSERT_EQ(result.size(), 3);
    EXPECT_EQ(result.getPolygon(0), poly("0,0 5,0 5,4 10,4 10,10 0,10"));
    EXPECT_EQ(result.getPolygon(1), rectangleOf(20, 4, 30, 10));
    EXPECT_EQ(result.getPolygon(2), poly("40,4 45,4 45,0 50,0 50,10 40,10"));
    // A member that vanishes contributes nothing.
    EXPECT_EQ(set.booleanSubtract(HoledPolygon(rectangleOf(15, -1, 35, 11))).size(), 2);
}

// --- Union of two polygons ------------------------------------------------------

TEST(BooleanAddAndSimplify, SquaresSharingASideFuse) {
    PolygonSet holes;
    const PolygonSet result = rectangleOf(0, 0, 1, 1).booleanAddAndSimplify(rectangleOf(1, 0, 2, 1), &holes);
    ASSERT_EQ(result.size(), 1);
    EXPECT_EQ(result.getPolygon(0), rectangleOf(0, 0, 2, 1));
    EXPECT_FLOAT_EQ(result.getPolygon(0).getArea(), 2.0f);
    EXPECT_EQ(holes.size(), 0);
}

TEST(BooleanAddAndSimplify, SquaresSharingOnlyACornerStayApart) {
    const PolygonSet result = rectangleOf(0, 0, 1, 1).booleanAddAndSimplify(rectangleOf(1, 1, 2, 2), nullptr);
    ASSERT_EQ(result.size(), 2);
    EXPECT_EQ(result, PolygonSet({rectangleOf(0, 0, 1, 1), rectangleOf(1, 1, 2, 2)}));
}

TEST(BooleanAddAndSimplify, OverlapsContainmentAndDisjointShapes) {
    const PolygonSet overlap = square10.booleanAddAndSimplify(rectangleOf(5, 5, 15, 15), nullptr);
    ASSERT_EQ(overlap.size(), 1);
    EXPECT_EQ(overlap.getPolygon(0), poly("0,0 10,0 10,5 15,5 15,15 5,15 5,10 0,10"));
    const PolygonSet inside = square10.booleanAddAndSimplify(rectangleOf(2, 2, 4, 4), nullptr);
    ASSERT_EQ(inside.size(), 1);
    EXPECT_EQ(inside.getPolygon(0), square10);
    EXPECT_EQ(rectangleOf(2, 2, 4, 4).booleanAddAndSimplify(square10, nullptr), PolygonSet({square10}));
    EXPECT_EQ(square10.booleanAddAndSimplify(square10, nullptr), PolygonSet({square10}));
    const PolygonSet apart = square10.booleanAddAndSimplify(rectangleOf(20, 0, 30, 10), nullptr);
    EXPECT_EQ(apart, PolygonSet({square10, rectangleOf(20, 0, 30, 10)}));
}

TEST(BooleanAddAndSimplify, EnclosedHoleGoesToTheHoleSet) {
    // Two U shapes closing around a 2x2 opening.
    const Polygon lower = poly("0,0 6,0 6,4 4,4 4,2 2,2 2,4 0,4");
    const Polygon upper = poly("0,4 2,4 2,6 4,6 4,4 6,4 6,8 0,8");
    PolygonSet holes;
    const PolygonSet result = lower.booleanAddAndSimplify(upper, &holes);
    ASSERT_EQ(result.size(), 1);
    EXPECT_EQ(result.getPolygon(0), rectangleOf(0, 0, 6, 8));
    ASSERT_EQ(holes.size(), 1);
    EXPECT_EQ(holes.getPolygon(0), rectangleOf(2, 2, 4, 6));
    EXPECT_EQ(lower.booleanAddAndSimplify(upper, nullptr), PolygonSet({rectangleOf(0, 0, 6, 8)}));
}

// --- Shapes that touch themselves ------------------------------------------------------

// A square with a notch whose inner corner touches the outline at (4,6). The
// diagonal ray from a point on the line through that corner passes it twice.
TEST(SelfTouchingShapes, OutlineTouchingItselfAtACorner) {
    const Polygon notched = poly("0,0 8,0 8,8 4,8 4,6 6,6 6,4 4,4 4,6 0,6");
    EXPECT_FLOAT_EQ(notched.getArea(), 52.0f);
    for (const Point& inside : {Point(2, 4), Point(1, 3), Point(3, 5), Point(4, 6), Point(5, 7)}) {
        EXPECT_TRUE(notched.containsPoint(inside)) << inside;
    }
    for (const Point& outside : {Point(5, 5), Point(2, 7), Point(9, 11)}) {
        EXPECT_FALSE(notched.containsPoint(outside)) << outside;
    }
    EXPECT_TRUE(notched.contains(rectangleOf(1, 1, 3, 5)));
    EXPECT_FALSE(notched.contains(rectangleOf(3, 3, 5, 5)));
    const HoledPolygonSet bitten = notched.booleanSubtract(rectangleOf(3, 3, 5, 5));
    ASSERT_EQ(bitten.size(), 1) << bitten;
    EXPECT_EQ(bitten.getPolygon(0), holed("0,0 8,0 8,8 4,8 4,6 0,6|3,3 5,3 5,4 6,4 6,6 4,6 4,5 3,5")) << bitten;
    EXPECT_FLOAT_EQ(bitten.getArea(), 49.0f);
}

// Two holes side by side, and a hole against the outline: the shared edges
// bound nothing and leave the results.
TEST(SelfTouchingShapes, HolesSharingAnEdge) {
    const HoledPolygon twoHoles = holed("0,0 10,0 10,10 0,10|2,2 4,2 4,4 2,4|4,2 6,2 6,4 4,4");
    const HoledPolygonSet difference = twoHoles.booleanSubtract(holed("3,3 5,3 5,8 3,8"));
    ASSERT_EQ(difference.size(), 1) << difference;
    EXPECT_EQ(difference.getPolygon(0), holed("0,0 10,0 10,10 0,10|2,2 6,2 6,4 5,4 5,8 3,8 3,4 2,4")) << difference;
    EXPECT_FLOAT_EQ(difference.getArea(), 84.0f);
    const HoledPolygon apart(rectangleOf(20, 0, 25, 5));
    EXPECT_EQ(HoledPolygonSet({twoHoles, apart}).booleanAddAll(),
              HoledPolygonSet({holed("0,0 10,0 10,10 0,10|2,2 6,2 6,4 2,4"), apart}));
    const HoledPolygon notch = holed("0,0 10,0 10,10 0,10|4,0 6,0 6,3 4,3");
    const Polygon opened = poly("0,0 4,0 4,3 6,3 6,0 10,0 10,10 0,10");
    const HoledPolygonSet rebuilt = notch.booleanSubtract(apart);
    ASSERT_EQ(rebuilt.size(), 1) << rebuilt;
    EXPECT_EQ(rebuilt.getPolygon(0), opened) << rebuilt;
    EXPECT_EQ(HoledPolygonSet({notch, apart}).booleanAddAll(), HoledPolygonSet({HoledPolygon(opened), apart}));
}

// --- Agreement with an independent polygon library ---------------------------------

#if ZELKOR_HAVE_BOOST_POLYGON
namespace {

namespace bp = boost::polygon;
using Testing::boostRegion;
using Region = bp::polygon_90_set_data<int>;

// Every piece is a non-empty outline whose holes lie inside it and apart
// from each other, the pieces do not overlap, and together they cover
// exactly `expected`.
void expectExactPieces(const HoledPolygonSet& result, const Region& expected, const std::string& input) {
    using namespace bp::operators;
    double pieceAreaSum = 0.0;
    for (const HoledPolygon& piece : result.getAllPolygons()) {
        ASSERT_FALSE(piece.isEmpty()) << input << "\ngave " << result;
        EXPECT_GT(piece.getBasePolygon().getArea(), 0.0f) << input << "\ngave " << result;
        for (const Polygon& hole : piece.getHoles()) {
            EXPECT_TRUE(piece.getBasePolygon().contains(hole)) << input << "\nhole " << hole << " of " << piece;
        }
        EXPECT_EQ(static_cast<double>(piece.getArea()), static_cast<double>(bp::area(boostRegion(piece))))
            << input << "\npiece " << piece;
        pieceAreaSum += piece.getArea();
    }
    const Region actual = boostRegion(result);
    EXPECT_EQ(pieceAreaSum, static_cast<double>(bp::area(actual))) << input << "\noverlapping pieces " << result;
    EXPECT_EQ(pieceAreaSum, static_cast<double>(bp::area(expected))) << input << "\ngave " << result;
    EXPECT_EQ(bp::area(actual ^ expected), 0) << input << "\ngave " << result;
}

// The pair subtracted both ways gives exactly the library's differences.
void expectExactDifferences(const Testing::ShapePair& pair, int trial) {
    using namespace bp::operators;
    for (int way = 0; way < 2; ++way) {
        const HoledPolygon& a = way == 0 ? pair.first : pair.second;
        const HoledPolygon& b = way == 0 ? pair.second : pair.first;
        const std::string input = "trial " + std::to_string(trial) + ": " + describePair(a, b);
        HoledPolygonSet result;
        try {
            result = a.booleanSubtract(b);
        } catch (const InvalidPolygonException&) {
            ADD_FAILURE() << input << " threw";
            continue;
        }
        expectExactPieces(result, boostRegion(a) - boostRegion(b), input);
    }
}

}  // namespace

// Random pairs of rectilinear shapes with and without holes on a small grid,
// subtracted both ways, in every way of meeting the generator knows; then
// pairs where the first outline touches itself at corners or the first
// shape's holes share edges, large enough at times for the indexed tests.
TEST(BooleanSubtract, MatchesIndependentLibraryOnRandomPairs) {
    std::mt19937 random(4711);
    for (int trial = 0; trial < 3000; ++trial) {
        const auto kind = static_cast<Testing::PairKind>(trial % Testing::pairKindCount);
        const int gridSize = trial % 3 == 2 ? 12 + trial % 13 : 2 + trial % 5;
        const int maxHoles = trial % 4 == 0 ? 0 : 2 + gridSize / 4;
        expectExactDifferences(Testing::randomShapePair(random, kind, gridSize, maxHoles), trial);
        if (HasFailure()) return;
    }
    std::mt19937 touching(1701);
    for (int trial = 0; trial < 2000; ++trial) {
        const int gridSize = trial % 4 == 3 ? 12 + trial % 13 : 3 + trial % 5;
        expectExactDifferences(Testing::randomSelfTouchingShapePair(touching, gridSize, 2 + gridSize / 3), trial);
        if (HasFailure()) return;
    }
}

// Set subtraction removes every member: random shapes minus several random
// rectangles and shapes at once.
TEST(BooleanSubtractSet, MatchesIndependentLibraryOnRandomSets) {
    using namespace bp::operators;
    std::mt19937 random(1234);
    for (int trial = 0; trial < 750; ++trial) {
        const Testing::ShapePair pair = Testing::randomShapePair(random, Testing::PairKind::independent, 3 + trial % 4, 2);
        HoledPolygonSet cuts;
        Region removed;
        const int count = std::uniform_int_distribution<int>(0, 4)(random);
        for (int i = 0; i < count; ++i) {
            const auto kind = static_cast<Testing::PairKind>(std::uniform_int_distribution<int>(0, Testing::pairKindCount - 1)(random));
            const HoledPolygon cut = Testing::randomShapePair(random, kind, 3, 1).second;
            HoledPolygon placed = cut;
            cuts.add(placed);
            removed = removed | boostRegion(placed);
        }
        cuts.add(pair.second);
        removed = removed | boostRegion(pair.second);
        const std::string input = "trial " + std::to_string(trial) + ": HoledPolygon(\"" + pair.first.toString() +
                                  "\").booleanSubtract(HoledPolygonSet \"" + cuts.toString() + "\")";
        HoledPolygonSet result;
        try {
            result = pair.first.booleanSubtract(cuts);
        } catch (const InvalidPolygonException&) {
            ADD_FAILURE() << input << " threw";
            continue;
        }
        expectExactPieces(result, boostRegion(pair.first) - removed, input);
        if (HasFailure()) return;
    }
}

// The union's outlines minus the holes it reports cover exactly the union,
// and the outlines do not overlap; after the generator's pairs, outlines
// that touch themselves at corners.
TEST(BooleanAddAndSimplify, MatchesIndependentLibraryOnRandomPairs) {
    using namespace bp::operators;
    std::mt19937 random(31337);
    for (int trial = 0; trial < 4500; ++trial) {
        const auto kind = static_cast<Testing::PairKind>(trial % Testing::pairKindCount);
        const Testing::ShapePair pair =
            trial < 3000 ? Testing::randomShapePair(random, kind, trial % 3 == 2 ? 12 + trial % 13 : 2 + trial % 5, 0)
                         : Testing::randomSelfTouchingShapePair(random, 3 + trial % 5, 0);
        const Polygon& a = pair.first.getBasePolygon();
        const Polygon& b = pair.second.getBasePolygon();
        const std::string input = "trial " + std::to_string(trial) + ": Polygon(\"" + a.toString() +
                                  "\").booleanAddAndSimplify(Polygon(\"" + b.toString() + "\"))";
        PolygonSet holes;
        PolygonSet outlines;
        try {
            outlines = a.booleanAddAndSimplify(b, &holes);
        } catch (const InvalidPolygonException&) {
            ADD_FAILURE() << input << " threw";
            continue;
        }
        const Region expected = boostRegion(a) | boostRegion(b);
        Region outer;
        Region inner;
        double outlineArea = 0.0;
        double holeArea = 0.0;
        for (const Polygon& p : outlines.getAllPolygons()) {
            outer = outer | boostRegion(p);
            outlineArea += p.getArea();
        }
        for (const Polygon& p : holes.getAllPolygons()) {
            inner = inner | boostRegion(p);
            holeArea += p.getArea();
        }
        ASSERT_EQ(outlineArea, static_cast<double>(bp::area(outer))) << input << "\noverlapping outlines " << outlines;
        ASSERT_EQ(outlineArea - holeArea, static_cast<double>(bp::area(expected)))
            << input << "\noutlines " << outlines << "\nholes " << holes;
        ASSERT_EQ(bp::area((outer - inner) ^ expected), 0) << input << "\noutlines " << outlines << "\nholes " << holes;
        // Without a hole set the outlines are the same.
        ASSERT_EQ(a.booleanAddAndSimplify(b, nullptr).toString(), outlines.toString()) << input;
    }
}
#endif

// --- Same results as the step-by-step procedure -------------------------------------

namespace {

// The pieces' texts in order, or the failure.
template <typename Operation>
std::string outcomeOf(Operation operation) {
    try {
        return operation();
    } catch (const InvalidPolygonException&) {
        return "InvalidPolygonException";
    }
}

// Valid shapes from the pair generator, and now and then a closed walk that
// crosses and retraces itself, which the fast paths must treat exactly as
// the step-by-step procedure does, failures included.
Testing::ShapePair differentialPair(std::mt19937& random, int trial) {
    if (trial % 7 == 6) {
        Testing::ShapePair pair;
        const int moves = 4 + 2 * static_cast<int>(random() % 4);
        pair.first = HoledPolygon(Polygon(Testing::randomOrthogonalWalk(random, moves, 8), ""));
        pair.second = HoledPolygon(Polygon(Testing::randomOrthogonalWalk(random, moves, 8), ""));
        return pair;
    }
    // Large enough, half of the time, for the indexed tests to take over
    // from the direct ones.
    const auto kind = static_cast<Testing::PairKind>(trial % Testing::pairKindCount);
    return Testing::randomShapePair(random, kind, trial % 2 == 0 ? 2 + trial % 5 : 12 + trial % 13, 6);
}

}  // namespace

TEST(BooleanSubtract, SameAsLiteralProcedureOnRandomPairs) {
    std::mt19937 random(27182);
    for (int trial = 0; trial < 4000; ++trial) {
        const Testing::ShapePair pair = differentialPair(random, trial);
        const HoledPolygon& a = trial % 2 == 0 ? pair.first : pair.second;
        const HoledPolygon& b = trial % 2 == 0 ? pair.second : pair.first;
        const std::string expected = outcomeOf([&] { return Reference::booleanSubtract(a, b).toString(); });
        const std::string actual = outcomeOf([&] { return a.booleanSubtract(b).toString(); });
        ASSERT_EQ(actual, expected) << "trial " << trial << ": " << describePair(a, b);
        if (a.getHoles().empty() && b.getHoles().empty()) {
            const Polygon& p = a.getBasePolygon();
            const Polygon& q = b.getBasePolygon();
            ASSERT_EQ(outcomeOf([&] { return p.booleanSubtract(q).toString(); }), expected) << "trial " << trial;
        }
    }
}

TEST(BooleanSubtractSet, SameAsLiteralProcedureOnRandomSets) {
    std::mt19937 random(16180);
    for (int trial = 0; trial < 1000; ++trial) {
        const Testing::ShapePair pair = differentialPair(random, trial);
        std::vector<HoledPolygon> members{pair.second};
        PolygonSet polygons;
        polygons.add(pair.second.getBasePolygon());
        const int count = std::uniform_int_distribution<int>(0, 3)(random);
        for (int i = 0; i < count; ++i) {
            const auto kind = static_cast<Testing::PairKind>(std::uniform_int_distribution<int>(0, Testing::pairKindCount - 1)(random));
            members.push_back(Testing::randomShapePair(random, kind, 3, 1).second);
            polygons.add(members.back().getBasePolygon());
        }
        const HoledPolygonSet set(members);
        const std::string input = "trial " + std::to_string(trial) + ": " + pair.first.toString() + " minus " + set.toString();
        ASSERT_EQ(outcomeOf([&] { return pair.first.booleanSubtract(set).toString(); }),
                  outcomeOf([&] { return Reference::booleanSubtract(pair.first, set).toString(); }))
            << input;
        ASSERT_EQ(outcomeOf([&] { return set.booleanSubtract(pair.first).toString(); }),
                  outcomeOf([&] { return Reference::booleanSubtract(set, pair.first).toString(); }))
            << input;
        const Polygon& p = pair.first.getBasePolygon();
        ASSERT_EQ(outcomeOf([&] { return p.booleanSubtract(polygons).toString(); }),
                  outcomeOf([&] { return Reference::booleanSubtract(p, polygons).toString(); }))
            << "trial " << trial << ": " << p << " minus " << polygons;
    }
}

// A sheet less many members, against taking them away one after the other
// from every piece so far.
void expectSameAsOneAfterAnother(const HoledPolygon& sheet, const std::vector<HoledPolygon>& members,
                                 const std::string& label) {
    const HoledPolygonSet set(members);
    ASSERT_EQ(outcomeOf([&] { return sheet.booleanSubtract(set).toString(); }),
              outcomeOf([&] { return Reference::subtractEachInTurn(sheet, set).toString(); }))
        << label << ": " << sheet << " minus " << set;
}

// Small coordinates make members touch, along edges and at corners, each
// other, earlier holes and the sheet's edge; holed members leave islands that
// later members cut; some sheets and members touch themselves.
TEST(BooleanSubtractSet, ManyMembersSameAsOneAfterAnother) {
    // Bars close a ring round an earlier hole, which becomes the hole of the
    // island inside.
    const std::vector<HoledPolygon> ring{HoledPolygon(rectangleOf(45, 45, 55, 55)), HoledPolygon(rectangleOf(30, 70, 70, 75)),
                                         HoledPolygon(rectangleOf(30, 30, 35, 75)), HoledPolygon(rectangleOf(20, 20, 22, 22)),
                                         HoledPolygon(rectangleOf(30, 30, 70, 35)), HoledPolygon(rectangleOf(65, 30, 70, 75)),
                                         HoledPolygon(rectangleOf(80, 80, 90, 90)), HoledPolygon(rectangleOf(40, 60, 44, 64))};
    expectSameAsOneAfterAnother(HoledPolygon(rectangleOf(0, 0, 100, 100)), ring, "ring");

    std::mt19937 random(27182);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int trial = 0; trial < 300; ++trial) {
        const int side = between(12, 60);
        HoledPolygon sheet(rectangleOf(0, 0, side, side));
        const Coordinate half = side / 2;
        if (trial % 3 == 1) sheet = HoledPolygon(Polygon({{0, 0}, {side, 0}, {side, half}, {half, half}, {half, side}, {0, side}}, "sheet"));
        if (trial % 6 == 2) sheet = Testing::randomHoledPolygon(random, 9, 3);
        if (trial % 6 == 5) sheet = Testing::randomSelfTouchingShape(random, 9, 3);
        std::vector<HoledPolygon> members;
        const int count = between(1, 60);
        for (int i = 0; i < count; ++i) {
            const Coordinate x = between(-2, side), y = between(-2, side);
            const Coordinate w = between(1, 12), h = between(1, 12);
            if (i % 5 == 4) {
                const HoledPolygon shape = i % 3 == 0 ? Testing::randomSelfTouchingShape(random, 5, 2) : Testing::randomHoledPolygon(random, 5, 2);
                members.push_back(Testing::movedToOverlap(random, shape, sheet.getBasePolygon().getBoundingRectangle()));
            } else if (i % 2 == 1 && w > 4 && h > 4) {
                members.emplace_back(rectangleOf(x, y, x + w, y + h), std::vector<Polygon>{rectangleOf(x + 1, y + 1, x + w - between(1, 3), y + h - between(1, 3))});
            } else {
                members.emplace_back(rectangleOf(x, y, x + w, y + h));
            }
        }
        expectSameAsOneAfterAnother(sheet, members, "trial " + std::to_string(trial));
        if (HasFatalFailure()) return;
    }
}

// Many members scattered so that each overlaps a few others: holes grow by
// merging, members close rings round material, holed members leave islands
// that later members cut or cover, and members meet earlier holes at
// corners and along edges now and then.
TEST(BooleanSubtractSet, ScatteredMembersSameAsOneAfterAnother) {
    std::mt19937 random(31415);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int trial = 0; trial < 24; ++trial) {
        const int count = between(60, 240);
        const int side = 8 * static_cast<int>(std::sqrt(count)) * (trial % 3 + 2);
        const int grid = trial % 4 == 0 ? 4 : 1;  // coarse coordinates make edges meet
        std::vector<HoledPolygon> members;
        for (int i = 0; i < count; ++i) {
            const Coordinate x = grid * between(0, side / grid), y = grid * between(0, side / grid);
            const Coordinate w = grid * between(2, 12), h = grid * between(2, 12);
            if (i % 2 == 1 && w >= 8 && h >= 8) {
                std::vector<Polygon> holes{rectangleOf(x + 2, y + 2, x + w / 2 - 1, y + h - 2)};
                if (i % 4 == 1) holes.push_back(rectangleOf(x + w / 2 + 1, y + 2, x + w - 2, y + h / 2));
                members.emplace_back(rectangleOf(x, y, x + w, y + h), holes);
            } else if (i % 7 == 3) {
                members.emplace_back(Polygon({{x, y}, {x + w, y}, {x + w, y + h / 2}, {x + w / 2, y + h / 2}, {x + w / 2, y + h}, {x, y + h}}, ""));
            } else {
                members.emplace_back(rectangleOf(x, y, x + w, y + h));
            }
        }
        expectSameAsOneAfterAnother(HoledPolygon(rectangleOf(-5, -5, side + 60, side + 60)), members,
                                    "trial " + std::to_string(trial));
        if (HasFatalFailure()) return;
    }
}

TEST(BooleanAddAndSimplify, SameAsLiteralProcedureOnRandomPairs) {
    std::mt19937 random(14142);
    for (int trial = 0; trial < 4000; ++trial) {
        const Testing::ShapePair pair = differentialPair(random, trial);
        const Polygon& a = pair.first.getBasePolygon();
        const Polygon& b = pair.second.getBasePolygon();
        PolygonSet holesBefore;
        if (trial % 3 == 0) holesBefore.add(rectangleOf(0, 0, 1, 1));
        PolygonSet expectedHoles = holesBefore;
        PolygonSet actualHoles = holesBefore;
        PolygonSet* expectedOut = trial % 5 == 4 ? nullptr : &expectedHoles;
        PolygonSet* actualOut = trial % 5 == 4 ? nullptr : &actualHoles;
        const std::string expected =
            outcomeOf([&] { return Reference::booleanAddAndSimplify(a, b, expectedOut).toString(); });
        const std::string actual = outcomeOf([&] { return a.booleanAddAndSimplify(b, actualOut).toString(); });
        ASSERT_EQ(actual, expected) << "trial " << trial << ": " << a << " plus " << b;
        ASSERT_EQ(actualHoles.toString(), expectedHoles.toString()) << "trial " << trial << ": " << a << " plus " << b;
    }
}

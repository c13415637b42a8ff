#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "BoostOracle.h"
#include "RandomHoledPolygons.h"
#include "RandomPolygons.h"
#include "ShapeBuilders.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/PolygonSet.h"
#include "reference/LiteralHoledPolygonSet.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;

namespace {

using Testing::rect;

HoledPolygonSet setOf(const std::vector<HoledPolygon>& members) {
    return HoledPolygonSet(members);
}

const HoledPolygon squareWithHole(rect(0, 0, 10, 10), {rect(4, 4, 6, 6)});

}  // namespace

TEST(HoledPolygonSet, ConstructionAccessAndText) {
    EXPECT_EQ(HoledPolygonSet().toString(), "");
    EXPECT_EQ(HoledPolygonSet().size(), 0);
    EXPECT_EQ(HoledPolygonSet().getArea(), 0.0f);

    const HoledPolygon small(rect(20, 0, 23, 3));
    HoledPolygonSet set = setOf({squareWithHole});
    EXPECT_EQ(set.toString(), squareWithHole.toString());
    set.add(small);
    EXPECT_EQ(set.toString(), "0,0 10,0 10,10 0,10|4,4 6,4 6,6 4,6 || 20,0 23,0 23,3 20,3");
    EXPECT_EQ(set.size(), 2);
    EXPECT_EQ(set.getArea(), 105.0f);
    EXPECT_TRUE(set.getPolygon(1) == small);
    EXPECT_EQ(set.getAllEdges().size(), 12u);
    EXPECT_TRUE(set.getAllEdges()[7].isEqualAndInSameDirection(squareWithHole.getEdges()[7]));

    // Adding a set (even this one) appends its members in order; duplicates stay.
    set.add(set);
    EXPECT_EQ(set.size(), 4);
    EXPECT_TRUE(set.getPolygon(2) == squareWithHole);
    EXPECT_EQ(set.getArea(), 210.0f);

    PolygonSet plain;
    plain.add(rect(0, 0, 1, 1));
    plain.add(rect(2, 0, 3, 1));
    const HoledPolygonSet fromPlain(plain);
    EXPECT_EQ(fromPlain.toString(), "0,0 1,0 1,1 0,1 || 2,0 3,0 3,1 2,1");
    EXPECT_TRUE(fromPlain.getPolygon(0).getHoles().empty());
    set.add(plain);
    EXPECT_EQ(set.size(), 6);
    EXPECT_TRUE(set.getPolygon(5) == rect(2, 0, 3, 1));
}

TEST(HoledPolygonSet, EqualityIgnoresOrderButNotCount) {
    const HoledPolygon a = squareWithHole;
    const HoledPolygon b(rect(20, 0, 23, 3));
    EXPECT_TRUE(setOf({a, b}) == setOf({b, a}));
    EXPECT_FALSE(setOf({a, b}) != setOf({b, a}));
    EXPECT_FALSE(setOf({a, b}) == setOf({a}));
    EXPECT_FALSE(setOf({a, b}) == setOf({a, b, b}));
    EXPECT_FALSE(setOf({a, b}) == setOf({a, HoledPolygon(rect(20, 0, 23, 4))}));
    EXPECT_TRUE(HoledPolygonSet() == HoledPolygonSet());
}

TEST(HoledPolygonSet, UnionOfSimpleConfigurations) {
    // One member comes back unchanged.
    const HoledPolygonSet one = setOf({squareWithHole});
    EXPECT_EQ(one.booleanAddAll().toString(), one.toString());

    // Two 5x10 rectangles side by side fuse.
    HoledPolygonSet result = setOf({HoledPolygon(rect(0, 0, 5, 10)), HoledPolygon(rect(5, 0, 10, 10))}).booleanAddAll();
    ASSERT_EQ(result.size(), 1);
    EXPECT_TRUE(result.getPolygon(0) == rect(0, 0, 10, 10));

    // Four rectangles framing the opening [3,7]x[3,7].
    result = setOf({HoledPolygon(rect(0, 0, 10, 3)), HoledPolygon(rect(7, 3, 10, 10)), HoledPolygon(rect(0, 7, 7, 10)),
                    HoledPolygon(rect(0, 3, 3, 7))})
                 .booleanAddAll();
    ASSERT_EQ(result.size(), 1);
    EXPECT_TRUE(result.getPolygon(0) == HoledPolygon(rect(0, 0, 10, 10), {rect(3, 3, 7, 7)}));
    EXPECT_EQ(result.getArea(), 84.0f);

    // A square filling the hole exactly.
    result = setOf({squareWithHole, HoledPolygon(rect(4, 4, 6, 6))}).booleanAddAll();
    ASSERT_EQ(result.size(), 1);
    EXPECT_TRUE(result.getPolygon(0) == rect(0, 0, 10, 10));

    // Overlapping members and a separate one, in the order the outlines are traced.
    result = setOf({HoledPolygon(rect(20, 0, 23, 3)), squareWithHole, HoledPolygon(rect(8, 8, 12, 12))})
                 .booleanAddAll();
    EXPECT_EQ(result.toString(),
              "0,0 10,0 10,8 12,8 12,12 8,12 8,10 0,10|6,4 6,6 4,6 4,4 || 20,0 23,0 23,3 20,3");

    // A member covering another's hole partly leaves the rest of the hole.
    result = setOf({squareWithHole, HoledPolygon(rect(4, 4, 5, 6))}).booleanAddAll();
    ASSERT_EQ(result.size(), 1);
    EXPECT_TRUE(result.getPolygon(0) == HoledPolygon(rect(0, 0, 10, 10), {rect(5, 4, 6, 6)}));
}

// No segment survives, so the single trace of the empty list gives one
// member with an empty base.
TEST(HoledPolygonSet, UnionOfEmptyMembersIsOneEmptyMember) {
    const HoledPolygonSet result = setOf({HoledPolygon(), HoledPolygon("")}).booleanAddAll();
    ASSERT_EQ(result.size(), 1);
    EXPECT_TRUE(result.getPolygon(0).isEmpty());
    EXPECT_TRUE(result.getPolygon(0).getHoles().empty());
    EXPECT_EQ(result.getArea(), 0.0f);
    EXPECT_EQ(result.toString(), "");
}

// An island with a hole of its own, inside another outline's hole: the inner
// hole belongs to the island alone, so no material is counted away twice.
TEST(HoledPolygonSet, HoleGoesToTheInnermostOutlineContainingIt) {
    const HoledPolygon outerRing(rect(0, 0, 30, 30), {rect(5, 5, 25, 25)});
    const HoledPolygon innerRing(rect(10, 10, 20, 20), {rect(14, 14, 16, 16)});
    const HoledPolygonSet result = setOf({outerRing, innerRing, HoledPolygon(rect(40, 0, 41, 1))}).booleanAddAll();
    ASSERT_EQ(result.size(), 3);
    EXPECT_TRUE(result.getPolygon(0) == outerRing);
    EXPECT_TRUE(result.getPolygon(1) == innerRing);
    EXPECT_TRUE(result.getPolygon(2) == rect(40, 0, 41, 1));
    EXPECT_EQ(result.getArea(), 900.0f - 400.0f + 100.0f - 4.0f + 1.0f);
}

namespace {

// Random members on a small grid: rectangles, simple rectilinear polygons,
// and holed polygons made as unions of a few rectangles (frames and rings
// come out often).
HoledPolygon randomMember(std::mt19937& random, Coordinate grid) {
    std::uniform_int_distribution<Coordinate> offset(0, grid);
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0: {
            Polygon p = Testing::randomRectilinearPolygon(random, 4);
            p.translate(Point(offset(random), offset(random)));
            return HoledPolygon(p);
        }
        case 1: {
            const Coordinate x = offset(random), y = offset(random);
            std::uniform_int_distribution<Coordinate> side(1, 6);
            return HoledPolygon(rect(x, y, x + side(random), y + side(random)));
        }
        default: {
            // A frame of four bars around a random opening, sometimes with a
            // bar shifted so that the opening leaks or the bars overlap.
            const Coordinate x = offset(random), y = offset(random);
            std::uniform_int_distribution<Coordinate> side(1, 4);
            const Coordinate w = side(random), h = side(random), t = side(random);
            std::uniform_int_distribution<Coordinate> jitter(-1, 1);
            const Coordinate j = random() % 3 == 0 ? jitter(random) : 0;
            HoledPolygonSet bars(std::vector<HoledPolygon>{
                HoledPolygon(rect(x, y, x + 2 * t + w, y + t)),
                HoledPolygon(rect(x + t + w, y + t, x + 2 * t + w, y + 2 * t + h)),
                HoledPolygon(rect(x, y + t + h + j, x + t + w, y + 2 * t + h)),
                HoledPolygon(rect(x, y + t, x + t + j, y + t + h + j))});
            const HoledPolygonSet frame = bars.booleanAddAll();
            return frame.getPolygon(0);
        }
    }
}

// Members no union produces, which the union must still take as they come:
// empty ones, empty holes, holes reaching out of the base, bases without area.
HoledPolygon oddMember(std::mt19937& random, Coordinate grid) {
    std::uniform_int_distribution<Coordinate> offset(0, grid);
    const Coordinate x = offset(random), y = offset(random);
    switch (std::uniform_int_distribution<int>(0, 4)(random)) {
        case 0:
            return HoledPolygon();
        case 1:
            return HoledPolygon(rect(x, y, x + 4, y + 4), {Polygon(), rect(x + 1, y + 1, x + 2, y + 2)});
        case 2:
            return HoledPolygon(rect(x, y, x + 4, y + 4), {rect(x + 2, y + 1, x + 6, y + 3)});
        case 3:
            return HoledPolygon(Polygon(), {rect(x, y, x + 2, y + 2)});
        default:
            return HoledPolygon(rect(x, y, x + 5, y));
    }
}

HoledPolygonSet randomSet(std::mt19937& random, Coordinate grid, bool withOddMembers = false, int maximumCount = 8) {
    HoledPolygonSet set;
    const int count = std::uniform_int_distribution<int>(0, maximumCount)(random);
    for (int i = 0; i < count; ++i) {
        if (set.size() > 0 && random() % 10 == 0) {
            set.add(set.getPolygon(std::uniform_int_distribution<int>(0, set.size() - 1)(random)));
        } else if (withOddMembers && random() % 8 == 0) {
            set.add(oddMember(random, grid));
        } else {
            set.add(randomMember(random, grid));
        }
    }
    return set;
}

// The text of the union, or the failure.
template <typename Union>
std::string outcomeOf(const HoledPolygonSet& set, Union unite) {
    try {
        return unite(set).toString();
    } catch (const InvalidPolygonException&) {
        return "<InvalidPolygonException>";
    }
}

}  // namespace

// Same outlines, holes and order as the step-by-step procedure (or the same
// failure), on sets of up to 40 members.
TEST(HoledPolygonSet, UnionSameAsLiteralProcedure) {
    std::mt19937 random(8086);
    for (int trial = 0; trial < 4000; ++trial) {
        const bool many = trial % 10 == 9;
        const HoledPolygonSet set = randomSet(random, many ? 30 : trial % 3 == 0 ? 4 : 10, true, many ? 40 : 8);
        const std::string expected = outcomeOf(set, Reference::booleanAddAll);
        const std::string actual = outcomeOf(set, [](const HoledPolygonSet& s) { return s.booleanAddAll(); });
        ASSERT_EQ(actual, expected) << "trial " << trial << ": input " << set;
    }
}

// The same on crowded sets of hundreds of members, rectangles with and
// without rectangular holes, whose unions have long outlines holding many
// holes and islands: the indexed paths for touching members and for the
// owners of holes.
TEST(HoledPolygonSet, UnionOfManyMembersSameAsLiteralProcedure) {
    std::mt19937 random(2718);
    for (int trial = 0; trial < 8; ++trial) {
        const int count = 200 + 50 * trial;
        const double spread = trial % 2 == 0 ? 14.0 : 24.0;
        const Coordinate side = static_cast<Coordinate>(spread * std::sqrt(static_cast<double>(count)));
        std::uniform_int_distribution<Coordinate> corner(0, side);
        std::uniform_int_distribution<Coordinate> extent(trial % 4 < 2 ? 6 : 1, trial % 4 < 2 ? 40 : 60);
        HoledPolygonSet set;
        for (int i = 0; i < count; ++i) {
            const Coordinate x = corner(random), y = corner(random);
            const Coordinate w = extent(random), h = extent(random);
            if (i % 2 == 0 || w < 6 || h < 6) {
                set.add(HoledPolygon(rect(x, y, x + w, y + h)));
                continue;
            }
            std::vector<Polygon> holes{rect(x + 1, y + 1, x + w / 2, y + h / 2)};
            if (i % 4 == 1) holes.push_back(rect(x + w / 2 + 1, y + h / 2 + 1, x + w - 1, y + h - 1));
            set.add(HoledPolygon(rect(x, y, x + w, y + h), holes));
        }
        const std::string expected = outcomeOf(set, Reference::booleanAddAll);
        const std::string actual = outcomeOf(set, [](const HoledPolygonSet& s) { return s.booleanAddAll(); });
        ASSERT_EQ(actual, expected) << "trial " << trial;
    }
}

#if ZELKOR_HAVE_BOOST_POLYGON
namespace {

namespace bp = boost::polygon;
using Testing::boostRegion;

}  // namespace

// The union covers what an independent polygon library's union covers: equal
// areas, the same region, and every hole inside its outline. Members are
// rectangles, simple polygons and holed frames; some touch or overlap, some
// fill each other's holes. Then sets that start with an outline touching
// itself at corners or a shape whose holes share edges, and the shape the
// first overlaps.
TEST(HoledPolygonSet, UnionMatchesIndependentLibrary) {
    std::mt19937 random(31337);
    for (int trial = 0; trial < 4500; ++trial) {
        HoledPolygonSet set;
        if (trial < 3000) {
            set = randomSet(random, trial % 3 == 0 ? 4 : 10);
        } else {
            const Testing::ShapePair pair = Testing::randomSelfTouchingShapePair(random, 3 + trial % 9, 4);
            set = HoledPolygonSet({pair.first, pair.second});
            set.add(randomSet(random, 10, false, 2));
        }
        HoledPolygonSet result;
        try {
            result = set.booleanAddAll();
        } catch (const InvalidPolygonException&) {
            ADD_FAILURE() << "trial " << trial << " threw: " << set;
            continue;
        }
        const bp::polygon_90_set_data<int> expected = boostRegion(set);
        ASSERT_EQ(static_cast<double>(result.getArea()), static_cast<double>(bp::area(expected)))
            << "trial " << trial << ": " << set << "\nunion " << result;
        using namespace bp::operators;
        ASSERT_EQ(bp::area(boostRegion(result) ^ expected), 0) << "trial " << trial << ": " << set << "\nunion " << result;
        for (const HoledPolygon& member : result.getAllPolygons()) {
            for (const Polygon& hole : member.getHoles()) {
                EXPECT_TRUE(member.getBasePolygon().contains(hole)) << "trial " << trial << ": " << result;
            }
        }
    }
}
#endif

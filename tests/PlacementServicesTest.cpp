#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "BoostOracle.h"
#include "RandomPolygons.h"
#include "RandomShapes.h"
#include "ShapeBuilders.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/PlacementServices.h"
#include "reference/LiteralPlacement.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;

namespace {

using Testing::poly;
using Testing::rect;

PolygonSet setOf(const std::vector<Polygon>& members) {
    PolygonSet set;
    for (const Polygon& p : members) set.add(p);
    return set;
}

Polygon slidToOrigin(Polygon p) {
    p.slideToOrigin();
    return p;
}

Polygon turned(Polygon p, int quarterTurns) {
    p.rotateAboutOrigin(quarterTurns);
    return p;
}

}  // namespace

TEST(PlacementServices, PaddingZeroLetsShapesTouch) {
    const std::vector<Point> translations = Math::getAllPossibleTranslationsForShapeWithinHost(
        rect(0, 0, 10, 10), rect(0, 0, 20, 10), setOf({rect(0, 0, 10, 10)}), 0);
    EXPECT_EQ(translations, std::vector<Point>({{10, 0}}));
}

TEST(PlacementServices, PaddingKeepsOtherShapesAwayButNotTheHostBoundary) {
    // 4 units from the other square (x offset 14), or touching the host's right side (20).
    const std::vector<Point> expected{{14, 0}, {20, 0}};
    EXPECT_EQ(Math::getAllPossibleTranslationsForShapeWithinHost(rect(0, 0, 10, 10), rect(0, 0, 30, 10),
                                                                 setOf({rect(0, 0, 10, 10)}), 4),
              expected);
    // An odd padding of 5 acts as 2 on each side.
    EXPECT_EQ(Math::getAllPossibleTranslationsForShapeWithinHost(rect(0, 0, 10, 10), rect(0, 0, 30, 10),
                                                                 setOf({rect(0, 0, 10, 10)}), 5),
              expected);
    // Padding 6 leaves no room.
    EXPECT_TRUE(Math::getAllPossibleTranslationsForShapeWithinHost(rect(0, 0, 10, 10), rect(0, 0, 25, 10),
                                                                   setOf({rect(0, 0, 10, 10)}), 6)
                    .empty());
}

// Growing the host and shrinking the shape by 1 would let the shape stick out
// of the host by one unit when some other corner offers that alignment.
TEST(PlacementServices, ShapeNeverSticksOutOfTheHost) {
    const Polygon shape = rect(0, 0, 10, 10);
    const Polygon host = poly("0,0 20,0 20,10 0,10");
    const PolygonSet far = setOf({rect(11, 30, 12, 31)});
    EXPECT_EQ(Math::getAllPossibleTranslationsForShapeWithinHost(shape, host, far, 0),
              std::vector<Point>({{0, 0}, {1, 0}, {2, 0}, {10, 0}}));
    const std::vector<Point> asWritten = Reference::getAllPossibleTranslationsForShapeWithinHost(shape, host, far, 0, true);
    EXPECT_NE(std::find(asWritten.begin(), asWritten.end(), Point(11, 0)), asWritten.end());
}

// A part 2 units wide vanishes when shrunk by 1; without a padding it could
// otherwise be dropped right on top of another shape.
TEST(PlacementServices, ThinShapeNeverLiesOnAnother) {
    const Polygon strip = rect(0, 0, 2, 10);
    const Polygon host = rect(0, 0, 20, 10);
    const PolygonSet other = setOf({rect(0, 0, 10, 10)});
    EXPECT_EQ(Math::getAllPossibleTranslationsForShapeWithinHost(strip, host, other, 0),
              std::vector<Point>({{10, 0}, {18, 0}}));
    EXPECT_EQ(Math::getAllPossibleTranslationsForShapeWithinHost(strip, host, other, 1),
              std::vector<Point>({{10, 0}, {18, 0}}));
    const std::vector<Point> asWritten = Reference::getAllPossibleTranslationsForShapeWithinHost(strip, host, other, 0, true);
    EXPECT_NE(std::find(asWritten.begin(), asWritten.end(), Point(0, 0)), asWritten.end());
    // An L with a 2-wide arm: the arm may not reach over the other shape.
    const Polygon hook = poly("0,0 6,0 6,2 2,2 2,6 0,6");
    for (const Point& t : Math::getAllPossibleTranslationsForShapeWithinHost(hook, rect(0, 0, 20, 20),
                                                                              setOf({rect(8, 0, 20, 20)}), 0)) {
        EXPECT_LE(t.x + 6, 8) << "hook moved by " << t;
    }
}

TEST(PlacementServices, NoPlaceGivesNothing) {
    EXPECT_TRUE(Math::getAllPossibleTranslationsForShapeWithinHost(rect(0, 0, 11, 3), rect(0, 0, 10, 10), PolygonSet(), 0)
                    .empty());
    EXPECT_TRUE(Math::rotateAndPositionWithinHost(true, true, true, 0, rect(0, 0, 11, 3), rect(0, 0, 10, 10),
                                                  PolygonSet(), 0)
                    .isEmpty());
    EXPECT_TRUE(Math::rotateAndPositionWithinHost(false, false, false, 1, rect(0, 0, 11, 3), rect(0, 0, 10, 10),
                                                  PolygonSet(), 0)
                    .isEmpty());
    // A first rotation beyond 3 tries nothing.
    EXPECT_TRUE(Math::rotateAndPositionWithinHost(true, true, false, 4, rect(0, 0, 2, 2), rect(0, 0, 10, 10),
                                                  PolygonSet(), 0)
                    .isEmpty());
}

TEST(PlacementServices, PositioningTakesTheFirstFeasiblePlaceInGridOrder) {
    const Polygon shape = rect(12, 12, 16, 15);  // feasible where it stands
    const Polygon host = rect(0, 0, 30, 30);
    const PolygonSet others = setOf({rect(0, 0, 10, 10), rect(20, 20, 30, 30)});
    const std::vector<Point> all = Math::getAllPossibleTranslationsForShapeWithinHost(shape, host, others, 2);
    ASSERT_FALSE(all.empty());
    Polygon expected = shape;
    expected.translate(all.front());
    const Polygon positioned = Math::rotateAndPositionWithinHost(true, true, true, 0, shape, host, others, 2);
    EXPECT_EQ(positioned.toString(), expected.toString());
    EXPECT_NE(positioned, shape);
}

TEST(PlacementServices, RotatedPlacementNeverKeepsOrientationOrPlace) {
    const Polygon host = rect(0, 0, 30, 30);
    // A bar comes back standing, as near its old centroid as the grid allows.
    const Polygon bar = rect(10, 10, 20, 14);
    const Polygon turnedBar = Math::rotateAndPositionWithinHost(false, false, false, 1, bar, host, PolygonSet(), 0);
    ASSERT_FALSE(turnedBar.isEmpty());
    EXPECT_EQ(slidToOrigin(turnedBar), slidToOrigin(turned(bar, 1)));
    EXPECT_EQ(turnedBar.toString(),
              Reference::rotateAndPositionWithinHost(false, false, false, 1, bar, host, PolygonSet(), 0).toString());
    // A square looks the same turned, so it must move.
    const Polygon square = rect(10, 10, 14, 14);
    const Polygon movedSquare = Math::rotateAndPositionWithinHost(false, false, false, 1, square, host, PolygonSet(), 0);
    ASSERT_FALSE(movedSquare.isEmpty());
    EXPECT_NE(movedSquare, square);
    // Clockwise turns by minus one quarter turn.
    const Polygon hook = poly("10,10 16,10 16,12 12,12 12,15 10,15");
    EXPECT_EQ(slidToOrigin(Math::rotateAndPositionWithinHost(false, false, true, 1, hook, host, PolygonSet(), 0)),
              slidToOrigin(turned(hook, -1)));
    EXPECT_EQ(slidToOrigin(Math::rotateAndPositionWithinHost(false, false, false, 1, hook, host, PolygonSet(), 0)),
              slidToOrigin(turned(hook, 1)));
    // Where the original spot is the only one, there is no answer.
    const Polygon filler = rect(0, 0, 10, 4);
    EXPECT_TRUE(
        Math::rotateAndPositionWithinHost(false, false, false, 1, filler, rect(0, 0, 10, 4), PolygonSet(), 0).isEmpty());
    EXPECT_EQ(Math::rotateAndPositionWithinHost(false, true, false, 2, filler, rect(0, 0, 10, 4), PolygonSet(), 0),
              filler);
}

TEST(PlacementServices, BulkCanContainNeedsRoomAndAnExpandableHost) {
    const PolygonSet set = setOf({rect(0, 0, 3, 3)});
    const std::vector<Polygon> hosts{poly("0,0 10,0 10,4 4,4 4,10 0,10"), rect(0, 0, 2, 9),
                                     poly("0,0 9,0 9,9 5,9 5,3 4,3 4,9 0,9")};  // the last has a 1-wide notch
    EXPECT_EQ(Math::bulkCanContain(set, hosts, 1), std::vector<bool>({true, false, false}));
    EXPECT_EQ(Math::bulkCanContain(set, hosts, 0), std::vector<bool>({true, false, true}));
    EXPECT_TRUE(Math::bulkCanContain(set, {}, 1).empty());
}

#if ZELKOR_HAVE_BOOST_POLYGON
namespace {

namespace bp = boost::polygon;
using Testing::boostRegion;

struct Box {
    Coordinate left, bottom, right, top;
};

// The gap between two boxes along the axis that separates them most; negative when they overlap.
Coordinate gap(const Box& a, const Box& b) {
    const Coordinate gapX = std::max(b.left - a.right, a.left - b.right);
    const Coordinate gapY = std::max(b.bottom - a.top, a.bottom - b.top);
    return std::max(gapX, gapY);
}

}  // namespace

// On random scenes of rectangles in random rectilinear hosts, a translation is
// returned exactly when, checked independently, the moved shape lies in the
// host (by an independent polygon library) and keeps the padding from every
// other rectangle (by box distances); every candidate of the grid is checked.
TEST(PlacementServicesProperty, ReturnsExactlyTheFeasibleCandidates) {
    using namespace bp::operators;
    std::mt19937 random(99);
    int feasibleSeen = 0;
    for (int trial = 0; trial < 250; ++trial) {
        // Host features at least 6 wide, so growing it by up to 2 keeps it simple.
        std::vector<Point> outline = Testing::randomCellRegion(random, 2 + static_cast<int>(random() % 4)).outline();
        for (Point& p : outline) p = Point(p.x * 6, p.y * 6);
        const Polygon host(outline, "");
        const bp::polygon_90_set_data<int> hostRegion = boostRegion(host);
        const Rectangle hostBox = host.getBoundingRectangle();
        std::uniform_int_distribution<Coordinate> x(hostBox.getBottomLeft().x - 4, hostBox.getTopRight().x);
        std::uniform_int_distribution<Coordinate> y(hostBox.getBottomLeft().y - 4, hostBox.getTopRight().y);
        std::uniform_int_distribution<Coordinate> side(3, 14);
        std::vector<Box> otherBoxes;
        PolygonSet others;
        const int count = static_cast<int>(random() % 7);
        for (int i = 0; i < count; ++i) {
            const Coordinate l = x(random), b = y(random);
            otherBoxes.push_back({l, b, l + side(random), b + side(random)});
            others.add(rect(otherBoxes.back().left, otherBoxes.back().bottom, otherBoxes.back().right, otherBoxes.back().top));
        }
        const Coordinate sx = x(random), sy = y(random);
        const Box shapeBox{sx, sy, sx + side(random), sy + side(random)};
        const Polygon shape = rect(shapeBox.left, shapeBox.bottom, shapeBox.right, shapeBox.top);
        const int padding = static_cast<int>(random() % 6);
        const Coordinate half = padding / 2;

        const std::vector<Point> translations =
            Math::getAllPossibleTranslationsForShapeWithinHost(shape, host, others, padding);

        // The candidate grid, from the grown shapes.
        Polygon grownHost = host;
        grownHost.unvalidatedExpand(half);
        std::vector<Point> positions;
        for (const Box& o : otherBoxes) {
            const Polygon grown = rect(o.left - half, o.bottom - half, o.right + half, o.top + half);
            positions.insert(positions.end(), grown.getPoints().begin(), grown.getPoints().end());
        }
        for (const Point& p : grownHost.getPoints()) positions.push_back(p);
        const std::vector<Point> grid = Reference::translationsForPositions(
            positions, rect(shapeBox.left - half, shapeBox.bottom - half, shapeBox.right + half, shapeBox.top + half).getPoints());
        std::vector<Point> feasible;
        for (const Point& t : grid) {
            const Box moved{shapeBox.left + t.x, shapeBox.bottom + t.y, shapeBox.right + t.x, shapeBox.top + t.y};
            const bp::polygon_90_set_data<int> movedRegion = boostRegion(rect(moved.left, moved.bottom, moved.right, moved.top));
            bp::polygon_90_set_data<int> outside = movedRegion - hostRegion;
            if (bp::area(outside) != 0) continue;
            bool apart = true;
            for (const Box& o : otherBoxes) apart = apart && gap(moved, o) >= 2 * half;
            if (apart) feasible.push_back(t);
        }
        feasibleSeen += static_cast<int>(feasible.size());
        ASSERT_EQ(translations, feasible) << "host " << host << " others " << others << " shape " << shape
                                          << " padding " << padding;
    }
    EXPECT_GT(feasibleSeen, 500);
}
#endif

// The scans against the candidate-by-candidate procedures on random scenes of
// arbitrary rectilinear shapes, thin parts included.
TEST(PlacementServicesDifferential, ScansAgreeWithTheLiteralProcedures) {
    std::mt19937 random(4242);
    int nonEmpty = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const Polygon host = Testing::randomRectilinearPolygon(random, 3 + static_cast<int>(random() % 4));
        const Rectangle hostBox = host.getBoundingRectangle();
        std::uniform_int_distribution<Coordinate> x(hostBox.getBottomLeft().x - 3, hostBox.getTopRight().x);
        std::uniform_int_distribution<Coordinate> y(hostBox.getBottomLeft().y - 3, hostBox.getTopRight().y);
        PolygonSet others;
        const int count = static_cast<int>(random() % 5);
        for (int i = 0; i < count; ++i) {
            Polygon other = random() % 2 == 0 ? Testing::randomRectilinearPolygon(random, 2)
                                              : rect(0, 0, 1 + static_cast<Coordinate>(random() % 6), 1 + static_cast<Coordinate>(random() % 6));
            other.slideToOrigin();
            other.translate(Point(x(random), y(random)));
            others.add(other);
        }
        Polygon shape = random() % 2 == 0 ? Testing::randomRectilinearPolygon(random, 2)
                                          : rect(0, 0, 1 + static_cast<Coordinate>(random() % 5), 1 + static_cast<Coordinate>(random() % 5));
        shape.slideToOrigin();
        shape.translate(Point(x(random), y(random)));
        const int padding = static_cast<int>(random() % 6);
        const std::string input = "host " + host.toString() + " others " + others.toString() + " shape " +
                                  shape.toString() + " padding " + std::to_string(padding);

        const std::vector<Point> translations = Math::getAllPossibleTranslationsForShapeWithinHost(shape, host, others, padding);
        ASSERT_EQ(translations, Reference::getAllPossibleTranslationsForShapeWithinHost(shape, host, others, padding)) << input;
        nonEmpty += translations.empty() ? 0 : 1;

        const bool first = random() % 2 == 0;
        const bool allowOriginal = random() % 2 == 0;
        const bool clockwise = random() % 2 == 0;
        const int firstRotation = static_cast<int>(random() % 3);
        ASSERT_EQ(Math::rotateAndPositionWithinHost(first, allowOriginal, clockwise, firstRotation, shape, host, others, padding)
                      .toString(),
                  Reference::rotateAndPositionWithinHost(first, allowOriginal, clockwise, firstRotation, shape, host, others, padding)
                      .toString())
            << input << " first " << first << " allowOriginal " << allowOriginal << " clockwise " << clockwise
            << " from rotation " << firstRotation;
    }
    EXPECT_GT(nonEmpty, 100);
}

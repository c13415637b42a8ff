#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "RandomPolygons.h"
#include "RandomShapes.h"
#include "ShapeBuilders.h"
#include "geometry/OutlineSimplicity.h"
#include "geometry/Polygon.h"
#include "reference/LiteralPolygon.h"

using namespace Zelkor::Rectilinear;

namespace {

Polygon poly(const std::string& text) { return Polygon(text, "p"); }

Segment seg(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) { return Segment(x1, y1, x2, y2); }

const Polygon square = poly("0,0 10,0 10,10 0,10");
const Polygon uShape = poly("0,0 9,0 9,9 6,9 6,3 3,3 3,9 0,9");

// A random polygon to test against: mostly simple ones, some closed walks
// that cross and retrace themselves, some scaled down so that edges of zero
// length and repeated corners appear.
Polygon randomTestPolygon(std::mt19937& random, int trial) {
    switch (trial % 4) {
        case 0:
        case 1:
            return Testing::randomRectilinearPolygon(random, 3 + trial % 5);
        case 2:
            return Polygon(Testing::randomOrthogonalWalk(random, 4 + trial % 9, 8), "walk");
        default: {
            Polygon p(Testing::randomOrthogonalWalk(random, 4 + trial % 9, 12), "scaled");
            p.scale(0.5f);
            return p;
        }
    }
}

std::string describePolygon(const Polygon& p) { return "polygon \"" + p.toString() + "\""; }

}  // namespace

// --- Truth tables ------------------------------------------------------------------

TEST(PolygonQueries, ContainsPointOnTheSquare) {
    for (const Point& p : {Point(5, 5), Point(0, 0), Point(10, 5), Point(3, 10), Point(10, 10)}) {
        EXPECT_TRUE(square.containsPoint(p)) << p;
    }
    for (const Point& p : {Point(11, 5), Point(-1, -1), Point(5, 11), Point(-1, 5), Point(11, 11)}) {
        EXPECT_FALSE(square.containsPoint(p)) << p;
    }
    EXPECT_FALSE(Polygon().containsPoint(Point(0, 0)));
    EXPECT_FALSE(Polygon().containsPoint(Point()));
}

// The diagonal ray from (1,1) passes the corners (3,3) and (9,9), where it
// crosses, and the edge at (6,6); the ray from (1,4) crosses at (3,6) and only
// grazes the corner (6,9), both of whose legs lie right of or below it.
TEST(PolygonQueries, ContainsPointOnTheUShape) {
    struct Case {
        Point p;
        bool inside;
    };
    const Case cases[] = {{{4, 6}, false}, {{5, 8}, false}, {{1, 6}, true}, {{7, 6}, true},  {{4, 3}, true},
                          {{1, 1}, true},  {{1, 4}, true},  {{4, 2}, true}, {{3, 9}, true},  {{4, 9}, false},
                          {{6, 9}, true},  {{0, 9}, true},  {{2, 8}, true}, {{5, 4}, false}, {{8, 8}, true}};
    for (const Case& c : cases) EXPECT_EQ(uShape.containsPoint(c.p), c.inside) << c.p;
}

TEST(PolygonQueries, SegmentPredicatesOnTheSquare) {
    // containsSegment, segmentIsOnBoundary, segmentIsCoincidentWithAnEdge,
    // intersectsAnEdge, intersect.
    struct Row {
        Segment s;
        bool contains, onBoundary, coincident, meetsEdge, intersects;
    };
    const Row rows[] = {
        {seg(1, 1, 9, 1), true, false, false, false, true},
        {seg(0, 0, 10, 0), true, true, true, true, true},     // along an edge
        {seg(0, 5, 10, 5), true, false, false, true, true},   // wall to wall
        {seg(5, 5, 15, 5), false, false, false, true, true},  // leaves
        {seg(2, 0, 7, 0), true, true, true, true, true},
        {seg(2, 0, 12, 0), false, false, true, true, true},      // overhangs the edge
        {seg(10, 10, 20, 10), false, false, false, true, true},  // touches a corner
        {seg(2, 2, 3, 2), true, false, false, false, true},      // inside, no edge met
        {seg(11, 0, 11, 10), false, false, false, false, false},
        {seg(-5, 5, 15, 5), false, false, false, true, true},  // crosses through
        {seg(5, 5, 5, 5), true, false, false, false, true},    // a point inside
        {seg(0, 5, 0, 5), true, true, false, true, true},      // a point on the left edge
        {seg(5, 0, 5, 0), true, true, false, true, true},  // a point on the bottom edge
        {seg(5, 10, 5, 10), true, true, false, true, true},
        {seg(0, 0, 0, 0), true, true, false, true, true},  // a corner
    };
    for (const Row& r : rows) {
        EXPECT_EQ(square.containsSegment(r.s), r.contains) << r.s;
        EXPECT_EQ(square.segmentIsOnBoundary(r.s), r.onBoundary) << r.s;
        EXPECT_EQ(square.segmentIsCoincidentWithAnEdge(r.s), r.coincident) << r.s;
        EXPECT_EQ(square.intersectsAnEdge(r.s), r.meetsEdge) << r.s;
        EXPECT_EQ(square.intersect(r.s), r.intersects) << r.s;
    }
}

TEST(PolygonQueries, SegmentsAcrossTheNotchAreNotContained) {
    // Both ends inside, but the piece between x = 3 and x = 6 is in the notch.
    EXPECT_TRUE(uShape.containsPoint(Point(1, 6)));
    EXPECT_TRUE(uShape.containsPoint(Point(8, 6)));
    EXPECT_FALSE(uShape.containsSegment(seg(1, 6, 8, 6)));
    EXPECT_FALSE(uShape.containsSegment(seg(8, 6, 1, 6)));
    EXPECT_TRUE(uShape.containsSegment(seg(1, 2, 8, 2)));   // below the notch
    EXPECT_TRUE(uShape.containsSegment(seg(0, 3, 9, 3)));   // along the notch floor
    EXPECT_FALSE(uShape.containsSegment(seg(3, 6, 6, 6)));  // wall to wall across the notch
    EXPECT_TRUE(uShape.containsSegment(seg(3, 3, 3, 9)));   // along an inner wall
    EXPECT_FALSE(uShape.containsSegment(seg(0, 9, 9, 9)));  // across the notch opening
    EXPECT_TRUE(uShape.containsSegment(seg(4, 0, 4, 3)));
    EXPECT_FALSE(uShape.containsSegment(seg(4, 0, 4, 4)));
    // The piece test on its own: with excludeEdges a segment along an edge
    // must earn its place through the perpendicular edges it meets.
    EXPECT_TRUE(uShape.containsNonCrossOverSegment(seg(0, 3, 3, 3), false));
    EXPECT_TRUE(uShape.containsNonCrossOverSegment(seg(3, 3, 6, 3), false));
    EXPECT_FALSE(uShape.containsNonCrossOverSegment(seg(3, 3, 6, 3), true));
    EXPECT_FALSE(uShape.containsNonCrossOverSegment(seg(1, 6, 8, 6), false));  // crosses x = 3 in its interior
    // A point is tested as a vertical segment that does not run upward: on a
    // rightward edge the piece test refuses it, containsSegment does not.
    EXPECT_FALSE(uShape.containsNonCrossOverSegment(seg(5, 0, 5, 0), false));
    EXPECT_TRUE(uShape.containsNonCrossOverSegment(seg(5, 3, 5, 3), false));
    EXPECT_TRUE(uShape.containsSegment(seg(5, 0, 5, 0)));
}

TEST(PolygonQueries, PolygonPairs) {
    const Polygon cornerTouch = poly("10,10 20,10 20,20 10,20");
    const Polygon apart = poly("11,0 20,0 20,10 11,10");
    const Polygon inner = poly("2,2 4,2 4,4 2,4");
    const Polygon neighbour = poly("10,0 20,0 20,10 10,10");
    const Polygon inNotch = poly("4,5 5,5 5,8 4,8");
    EXPECT_TRUE(square.intersect(cornerTouch));
    EXPECT_TRUE(cornerTouch.intersect(square));
    EXPECT_FALSE(square.intersect(apart));
    EXPECT_TRUE(square.intersect(inner));
    EXPECT_TRUE(inner.intersect(square));
    EXPECT_FALSE(uShape.intersect(inNotch));  // boxes overlap, shapes do not
    EXPECT_TRUE(square.boundingRectanglesIntersect(cornerTouch));
    EXPECT_FALSE(square.boundingRectanglesIntersect(apart));

    EXPECT_TRUE(square.contains(square));
    EXPECT_TRUE(square.contains(inner));
    EXPECT_FALSE(inner.contains(square));
    EXPECT_FALSE(square.contains(neighbour));
    EXPECT_TRUE(square.contains(Polygon()));
    EXPECT_FALSE(uShape.contains(poly("2,5 7,5 7,6 2,6")));
    EXPECT_TRUE(uShape.contains(poly("0,0 9,0 9,3 0,3")));

    EXPECT_TRUE(square.shareAnEdge(neighbour));  // the shared edge runs in opposite directions
    EXPECT_FALSE(square.shareAnEdge(cornerTouch));
    EXPECT_FALSE(square.shareAnEdge(poly("10,0 20,0 20,5 10,5")));  // overlapping, not equal
}

TEST(PolygonQueries, EdgeSplitting) {
    const Polygon tall = poly("5,-5 7,-5 7,15 5,15");
    const std::vector<Segment> pieces = square.edgesSplitBy(tall);
    ASSERT_EQ(pieces.size(), 8u);
    EXPECT_TRUE(pieces[0].isEqualAndInSameDirection(seg(7, 0, 10, 0)));
    EXPECT_TRUE(pieces[1].isEqualAndInSameDirection(seg(5, 0, 7, 0)));
    EXPECT_TRUE(pieces[2].isEqualAndInSameDirection(seg(0, 0, 5, 0)));
    EXPECT_EQ(square.edgesSplitBy(tall.getEdges()).size(), 8u);
    const std::vector<Segment> across = uShape.splitSegmentByEdges(seg(-1, 6, 10, 6));
    ASSERT_EQ(across.size(), 5u);
    EXPECT_TRUE(across[0].isEqualAndInSameDirection(seg(9, 6, 10, 6)));
    EXPECT_TRUE(across[4].isEqualAndInSameDirection(seg(-1, 6, 0, 6)));
}

TEST(PolygonQueries, CentroidAndLabelPosition) {
    EXPECT_EQ(poly("0,0 5,0 5,5 0,5").getCentroid(), Point(2, 2));
    EXPECT_EQ(poly("-5,-5 0,-5 0,0 -5,0").getCentroid(), Point(-2, -2));  // truncated toward zero
    EXPECT_EQ(Polygon().getCentroid(), Point(0, 0));
    // The U's centroid (4.5, 4.07) lies in the notch; the first crosshair piece
    // (6,4)-(9,4) is inside and as long as any other.
    EXPECT_EQ(uShape.getCentroid(), Point(4, 4));
    EXPECT_FALSE(uShape.containsPoint(Point(4, 4)));
    EXPECT_EQ(uShape.getLabelPosition(), Point(7, 4));
    EXPECT_EQ(square.getLabelPosition(), Point(5, 5));
    EXPECT_EQ(Polygon().getLabelPosition(), Point(0, 0));
}

// The centroid is exact before truncation: lattice centroids are not lost to
// rounding just below them, and it does not depend on the cached area.
TEST(PolygonQueries, CentroidIsExact) {
    EXPECT_EQ(poly("26,0 30,0 30,10 26,10").getCentroid(), Point(28, 5));
    EXPECT_EQ(poly("3,7 9,7 9,13 3,13").getCentroid(), Point(6, 10));
    Polygon scaled = square;
    scaled.scale(10.0f);  // leaves the cached area at 100
    EXPECT_EQ(scaled.getCentroid(), Point(50, 50));
    std::mt19937 random(77);
    std::uniform_int_distribution<Coordinate> coordinate(-1000, 1000);
    std::uniform_int_distribution<Coordinate> size(1, 40);
    for (int trial = 0; trial < 2000; ++trial) {
        const Coordinate x = coordinate(random), y = coordinate(random), w = 2 * size(random), h = 2 * size(random);
        const Polygon r({Point(x, y), Point(x + w, y), Point(x + w, y + h), Point(x, y + h)}, "");
        ASSERT_EQ(r.getCentroid(), Point(x + w / 2, y + h / 2)) << describePolygon(r);
    }
}

TEST(PolygonQueries, LabelPositionOfRandomPolygonsIsInside) {
    std::mt19937 random(1234);
    for (int trial = 0; trial < 2000; ++trial) {
        const Polygon p = Testing::randomRectilinearPolygon(random, 3 + trial % 8);
        const Point label = p.getLabelPosition();
        ASSERT_TRUE(p.containsPoint(label)) << describePolygon(p) << " label " << label;
        ASSERT_EQ(label, Reference::getLabelPosition(p)) << describePolygon(p);
    }
}

TEST(PolygonQueries, NearTheCoordinateLimits) {
    // The diagonal ray from a corner near the top would leave the 32-bit range.
    const Coordinate top = 2147483646;
    const Polygon high({Point(top - 10, top - 10), Point(top, top - 10), Point(top, top), Point(top - 10, top)},
                       "high");
    EXPECT_TRUE(high.containsPoint(Point(top - 5, top - 5)));
    EXPECT_TRUE(high.containsPoint(Point(top, top)));
    EXPECT_FALSE(high.containsPoint(Point(top - 11, top - 5)));
    EXPECT_EQ(high.getCentroid(), Point(top - 5, top - 5));
    const Coordinate low = -2147483646;
    const Polygon wide({Point(low, low), Point(top, low), Point(top, top), Point(low, top)}, "wide");
    EXPECT_TRUE(wide.containsPoint(Point(low, 0)));
    EXPECT_TRUE(wide.containsPoint(Point(low + 1, low + 1)));
    EXPECT_TRUE(wide.containsSegment(seg(low, 0, top, 0)));
    EXPECT_EQ(wide.getLabelPosition(), Point(0, 0));
}

// --- The library against the step-by-step procedures -----------------------------

TEST(PolygonQueries, ContainsPointMatchesTheLiteralRayTest) {
    std::mt19937 random(31337);
    long checked = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const Polygon p = randomTestPolygon(random, trial);
        if (p.isEmpty()) continue;
        const Rectangle box = p.getBoundingRectangle();
        for (Coordinate x = box.getBottomLeft().x - 1; x <= box.getTopRight().x + 1; ++x) {
            for (Coordinate y = box.getBottomLeft().y - 1; y <= box.getTopRight().y + 1; ++y) {
                const Point q(x, y);
                ASSERT_EQ(p.containsPoint(q), Reference::containsPoint(p, q)) << describePolygon(p) << " point " << q;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 100000);
}

// A staircase of unit steps along the diagonal, with the material above it:
// the ray from (-5,-5) passes through 41 corners, each met by two edges; it
// grazes 40 of them and crosses the boundary at the last, (40,40).
TEST(PolygonQueries, ContainsPointOnAStaircaseMatchesTheLiteralRayTest) {
    const Coordinate n = 40;
    std::vector<Point> corners;
    for (Coordinate k = 0; k < n; ++k) {
        corners.emplace_back(k, k);
        corners.emplace_back(k + 1, k);
    }
    for (const Point& c : {Point(n, n), Point(-10, n), Point(-10, -10), Point(0, -10)}) {
        corners.push_back(c);
    }
    std::mt19937 random(3);
    for (const Polygon& p :
         {Polygon(corners, "stairs"), Polygon(Testing::randomOrthogonalWalk(random, 90, 3), "dense")}) {
        const Rectangle box = p.getBoundingRectangle();
        for (Coordinate x = box.getBottomLeft().x - 2; x <= box.getTopRight().x + 1; ++x) {
            for (Coordinate y = box.getBottomLeft().y - 2; y <= box.getTopRight().y + 1; ++y) {
                ASSERT_EQ(p.containsPoint(Point(x, y)), Reference::containsPoint(p, Point(x, y)))
                    << describePolygon(p) << " point " << Point(x, y);
            }
        }
    }
    EXPECT_TRUE(Polygon(corners, "stairs").containsPoint(Point(-5, -5)));
    EXPECT_FALSE(Polygon(corners, "stairs").containsPoint(Point(5, 3)));
}

// The ray test agrees with the cells the polygon was traced from, on simple
// polygons and on outlines that touch themselves at corners (where the ray
// often passes through a corner the outline visits twice); so do the area
// and the containment of the cells' own rectangles.
TEST(PolygonQueries, ContainsPointMatchesTheCellRegion) {
    std::mt19937 random(555);
    for (int trial = 0; trial < 2000; ++trial) {
        const Testing::CellRegion region = trial < 1000 ? Testing::randomCellRegion(random, 3 + trial % 6)
                                                        : Testing::randomSelfTouchingCellRegion(random, 3 + trial % 5);
        const Polygon p = Testing::polygonOf(random, region);
        ASSERT_EQ(p.getArea(), static_cast<float>(region.area())) << describePolygon(p);
        for (int i = 0; i < region.columns(); ++i) {
            for (int j = 0; j < region.rows(); ++j) {
                const Polygon cell = Testing::rect(region.xs[i], region.ys[j], region.xs[i + 1], region.ys[j + 1]);
                ASSERT_EQ(p.contains(cell), region.isFilled(i, j)) << describePolygon(p) << " cell " << cell;
            }
        }
        for (Coordinate x = region.xs.front() - 1; x <= region.xs.back() + 1; ++x) {
            for (Coordinate y = region.ys.front() - 1; y <= region.ys.back() + 1; ++y) {
                const Point q(x, y);
                ASSERT_EQ(p.containsPoint(q), region.containsPoint(q)) << describePolygon(p) << " point " << q;
            }
        }
    }
}

TEST(PolygonQueries, SegmentQueriesMatchTheLiteralProcedures) {
    std::mt19937 random(8080);
    int contained = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const Polygon p = randomTestPolygon(random, trial);
        const Coordinate span = p.isEmpty() ? 10 : p.getBoundingRectangle().getTopRight().x + 2;
        for (int k = 0; k < 30; ++k) {
            Segment s = Testing::randomSegment(random, std::max(span, 4));
            if (k % 3 == 0 && !p.isEmpty()) {
                // Start on a corner or edge so that boundary cases are common.
                const std::vector<Segment> edges = p.getEdges();
                const Point start = edges[random() % edges.size()].midpoint();
                s = Segment(start, k % 2 ? Point(start.x, s.getEndPoint().y) : Point(s.getEndPoint().x, start.y));
            }
            const bool containsSegment = p.containsSegment(s);
            contained += containsSegment ? 1 : 0;
            ASSERT_EQ(containsSegment, Reference::containsSegment(p, s)) << describePolygon(p) << " segment " << s;
            for (bool excludeEdges : {false, true}) {
                ASSERT_EQ(p.containsNonCrossOverSegment(s, excludeEdges),
                          Reference::containsNonCrossOverSegment(p, s, excludeEdges))
                    << describePolygon(p) << " segment " << s << " excludeEdges " << excludeEdges;
            }
            ASSERT_EQ(p.segmentIsOnBoundary(s), Reference::segmentIsOnBoundary(p, s)) << describePolygon(p) << " " << s;
            ASSERT_EQ(p.segmentIsCoincidentWithAnEdge(s), Reference::segmentIsCoincidentWithAnEdge(p, s))
                << describePolygon(p) << " " << s;
            ASSERT_EQ(p.intersectsAnEdge(s), Reference::intersectsAnEdge(p, s)) << describePolygon(p) << " " << s;
            ASSERT_EQ(p.intersect(s), Reference::intersect(p, s)) << describePolygon(p) << " " << s;
        }
    }
    EXPECT_GT(contained, 5000);
}

TEST(PolygonQueries, PolygonPairQueriesMatchTheLiteralProcedures) {
    std::mt19937 random(2718);
    int intersecting = 0, containing = 0, sharing = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const Polygon a = randomTestPolygon(random, trial);
        Polygon b = randomTestPolygon(random, trial + 1 + trial / 4);
        b.translate(Point(std::uniform_int_distribution<Coordinate>(-6, 6)(random),
                          std::uniform_int_distribution<Coordinate>(-6, 6)(random)));
        const std::string input = describePolygon(a) + " and " + describePolygon(b);
        const bool intersects = a.intersect(b);
        ASSERT_EQ(intersects, Reference::intersect(a, b)) << input;
        const bool contains = a.contains(b);
        ASSERT_EQ(contains, Reference::contains(a, b)) << input;
        const bool shares = a.shareAnEdge(b);
        ASSERT_EQ(shares, Reference::shareAnEdge(a, b)) << input;
        ASSERT_EQ(a == b, Reference::equal(a, b)) << input;
        intersecting += intersects;
        containing += contains;
        sharing += shares;
    }
    EXPECT_GT(intersecting, 1000);
    EXPECT_GT(containing, 50);
    EXPECT_GT(sharing, 20);
}

namespace Zelkor::Rectilinear {

// Simple outlines, outlines that touch themselves at a corner and walks
// that cross or retrace themselves, short and long: an outline meets
// itself nowhere exactly when neighbouring edges share only their corner and
// no other two edges share a point at all.
TEST(PolygonQueries, MeetsItselfNowhereAgreesWithEdgeIntersections) {
    std::mt19937 random(99);
    for (int trial = 0; trial < 600; ++trial) {
        const int grid = 2 + trial % 9;
        const std::vector<Point> corners =
            trial % 3 == 0   ? Testing::randomSelfTouchingPolygon(random, grid).getPoints()
            : trial % 3 == 1 ? Testing::randomRectilinearPolygon(random, grid).getPoints()
                             : Testing::randomOrthogonalWalk(random, 2 * grid, 4 * grid);
        const std::size_t n = corners.size();
        bool expected = n >= 4;
        for (std::size_t i = 0; expected && i < n; ++i) {
            const Segment e(corners[i], corners[(i + 1) % n]);
            for (std::size_t j = i + 1; expected && j < n; ++j) {
                const Segment f(corners[j], corners[(j + 1) % n]);
                const Point common = e.intersection(f);
                if (j == i + 1 || (i == 0 && j == n - 1)) {
                    expected = common == (j == i + 1 ? corners[j] : corners[0]);
                } else {
                    expected = common.isHole();
                }
            }
        }
        ASSERT_EQ(Math::meetsItselfNowhere(corners), expected) << "trial " << trial << ": " << Polygon(corners, "");
    }
}

}  // namespace Zelkor::Rectilinear

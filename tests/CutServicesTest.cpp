#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "RandomSheetLayouts.h"
#include "RandomShapes.h"
#include "ShapeBuilders.h"
#include "cutting/CutLines.h"
#include "cutting/CutServices.h"
#include "reference/LiteralOutfall.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;
using Testing::describe;

namespace {

using Testing::poly;
using Testing::rect;

HoledPolygon holedRect(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) {
    return HoledPolygon(rect(x1, y1, x2, y2));
}

HoledPolygonSet setOf(const std::vector<HoledPolygon>& members) {
    return HoledPolygonSet(members);
}

}  // namespace

TEST(Outfall, SheetWithoutPartsIsAllOutfall) {
    const Polygon sheet = rect(0, 0, 100, 50);
    const HoledPolygonSet outfall = Math::getOutfallFrom(sheet, PolygonSet(), 4);
    ASSERT_EQ(1, outfall.size()) << outfall;
    EXPECT_EQ(HoledPolygon(sheet), outfall.getPolygon(0)) << outfall;

    const Polygon lShape = poly("0,0 100,0 100,40 60,40 60,80 0,80");
    EXPECT_EQ(setOf({HoledPolygon(lShape)}), Math::getOutfallFrom(lShape, PolygonSet(), 3));
}

TEST(Outfall, PartInACornerLeavesAnLShape) {
    // Cut lines (-2,12)-(12,12) and (12,-2)-(12,12); their strips, lengthened by
    // half the blade at each end, close the corner at (14,14).
    const HoledPolygonSet outfall = Math::getOutfallFrom(rect(0, 0, 100, 100), PolygonSet({rect(0, 0, 10, 10)}), 4);
    EXPECT_EQ(setOf({HoledPolygon(poly("14,0 100,0 100,100 0,100 0,14 14,14"))}), outfall) << outfall;
}

TEST(Outfall, PartInTheMiddleLeavesAHole) {
    const HoledPolygonSet outfall =
        Math::getOutfallFrom(rect(0, 0, 100, 100), PolygonSet({rect(40, 40, 60, 60)}), 4);
    EXPECT_EQ(setOf({HoledPolygon(rect(0, 0, 100, 100), {rect(36, 36, 64, 64)})}), outfall) << outfall;
}

namespace {

// A layout seen from the other side of the table: `turns` quarter turns
// about the origin, then mirrored across the y axis when `mirrored`.
struct Turn {
    int turns = 0;
    bool mirrored = false;

    Point operator()(Point p) const {
        for (int i = 0; i < turns; ++i) p = Point(-p.y, p.x);
        return mirrored ? Point(-p.x, p.y) : p;
    }
    Polygon operator()(const Polygon& polygon) const {
        std::vector<Point> corners;
        for (const Point& p : polygon.getPoints()) corners.push_back((*this)(p));
        return Polygon(corners, "");
    }
    HoledPolygon operator()(const HoledPolygon& shape) const {
        std::vector<Polygon> holes;
        for (const Polygon& hole : shape.getHoles()) holes.push_back((*this)(hole));
        return HoledPolygon((*this)(shape.getBasePolygon()), holes);
    }
    Segment operator()(const Segment& s) const { return Segment((*this)(s.getStartPoint()), (*this)(s.getEndPoint())); }
    template <typename Shape>
    std::vector<Shape> operator()(const std::vector<Shape>& shapes) const {
        std::vector<Shape> turned;
        for (const Shape& shape : shapes) turned.push_back((*this)(shape));
        return turned;
    }
    std::string toString() const {
        return std::to_string(turns) + " quarter turns" + (mirrored ? ", mirrored" : "");
    }
};

const std::vector<Turn> allTurns{{0, false}, {1, false}, {2, false}, {3, false},
                                 {0, true},  {1, true},  {2, true},  {3, true}};

}  // namespace

// A 6 x 6 part grown by the half blade, with strips 2 * (blade / 2) wide that
// reach just as far past either end: an odd blade leaves what the even one
// below it leaves, whichever way the sheet faces.
TEST(Outfall, OddBladeLeavesTheSameOutfallInEveryOrientation) {
    const Polygon sheet = rect(0, 0, 20, 20);
    const Polygon part = rect(2, 2, 8, 8);
    for (const int blade : {2, 3, 4, 5}) {
        const Coordinate corner = blade < 4 ? 10 : 12;
        const HoledPolygon expected(poly(std::to_string(corner) + ",0 20,0 20,20 0,20 0," + std::to_string(corner) +
                                         " " + std::to_string(corner) + "," + std::to_string(corner)));
        for (const Turn& turn : allTurns) {
            const HoledPolygonSet outfall = Math::getOutfallFrom(turn(sheet), PolygonSet({turn(part)}), blade);
            EXPECT_EQ(setOf({turn(expected)}), outfall) << "blade " << blade << ", " << turn.toString();
            EXPECT_EQ(blade < 4 ? 300.0f : 256.0f, outfall.getArea()) << "blade " << blade << ", " << turn.toString();
        }
    }
}

TEST(MakeCut, ThroughOneRectangularPieceGivesItsTwoSides) {
    const std::vector<HoledPolygon> pieces{holedRect(200, 0, 300, 50), holedRect(0, 0, 100, 50)};
    const PolygonSetCutResult result = Math::makeCutOnPolygonSet(pieces, Segment(40, 0, 40, 50), 4);
    EXPECT_EQ(std::vector<int>{1}, result.indices);
    EXPECT_EQ(setOf({holedRect(0, 0, 38, 50), holedRect(42, 0, 100, 50)}), result.pieces) << result.pieces;

    // An odd padding loses a unit, and the direction of the cut does not matter.
    const PolygonSetCutResult odd = Math::makeCutOnPolygonSet(pieces, Segment(40, 50, 40, 0), 5);
    EXPECT_EQ(std::vector<int>{1}, odd.indices);
    EXPECT_EQ(result.pieces, odd.pieces) << odd.pieces;
}

TEST(MakeCut, ThroughTwoPiecesConsumesBoth) {
    const std::vector<HoledPolygon> pieces{holedRect(0, 0, 100, 50), holedRect(0, 60, 100, 100)};
    const PolygonSetCutResult result = Math::makeCutOnPolygonSet(pieces, Segment(50, 0, 50, 100), 2);
    EXPECT_EQ((std::vector<int>{0, 1}), result.indices);
    EXPECT_EQ(setOf({holedRect(0, 0, 49, 50), holedRect(51, 0, 100, 50), holedRect(0, 60, 49, 100),
                     holedRect(51, 60, 100, 100)}),
              result.pieces)
        << result.pieces;
}

TEST(MakeCut, ThroughNoPieceChangesNothing) {
    const std::vector<HoledPolygon> pieces{holedRect(0, 0, 100, 50), holedRect(200, 0, 300, 50)};
    const PolygonSetCutResult result = Math::makeCutOnPolygonSet(pieces, Segment(150, 0, 150, 50), 4);
    EXPECT_TRUE(result.indices.empty());
    EXPECT_TRUE(result.pieces.empty()) << result.pieces;
    EXPECT_TRUE(Math::makeCutOnPolygonSet({}, Segment(150, 0, 150, 50), 4).indices.empty());
}

// A 100 x 50 sheet cut at x = 40 with a blade of 4.
TEST(RemoveCut, PiecesOnBothSidesMergeWithTheStrip) {
    const std::vector<HoledPolygon> pieces{holedRect(0, 0, 38, 50), holedRect(42, 0, 100, 50)};
    const Polygon sheet = rect(0, 0, 100, 50);
    const PolygonSetCutResult result = Math::removeCutFromPolygonSet(pieces, Segment(40, 0, 40, 50), {}, sheet, 4);
    EXPECT_EQ((std::vector<int>{0, 1}), result.indices);
    EXPECT_EQ(setOf({HoledPolygon(sheet)}), result.pieces) << result.pieces;

    // A cut elsewhere that does not touch the strip changes nothing.
    const std::vector<HoledPolygon> threePieces{holedRect(0, 0, 38, 50), holedRect(42, 0, 68, 50),
                                                holedRect(72, 0, 100, 50)};
    const PolygonSetCutResult untouched =
        Math::removeCutFromPolygonSet(threePieces, Segment(40, 0, 40, 50), {Segment(70, 0, 70, 50)}, sheet, 4);
    EXPECT_EQ((std::vector<int>{0, 1}), untouched.indices);
    EXPECT_EQ(setOf({holedRect(0, 0, 68, 50)}), untouched.pieces) << untouched.pieces;
}

TEST(RemoveCut, RemainingCutAcrossTheStripIsCutAgain) {
    // The right side was cut once more, from the first cut to the sheet edge.
    const std::vector<HoledPolygon> pieces{holedRect(0, 0, 38, 50), holedRect(42, 0, 100, 23),
                                           holedRect(42, 27, 100, 50)};
    const PolygonSetCutResult result = Math::removeCutFromPolygonSet(
        pieces, Segment(40, 0, 40, 50), {Segment(40, 25, 100, 25)}, rect(0, 0, 100, 50), 4);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), result.indices);
    // The remaining cut's strip, lengthened by half the blade, reaches x = 38.
    EXPECT_EQ(setOf({HoledPolygon(poly("0,0 100,0 100,23 38,23 38,27 100,27 100,50 0,50"))}), result.pieces)
        << result.pieces;
}

TEST(RemoveCut, NoNeighbouringPieceGivesBackTheStripInsideTheHost) {
    const PolygonSetCutResult result = Math::removeCutFromPolygonSet(
        {holedRect(60, 0, 100, 50)}, Segment(20, 0, 20, 50), {}, rect(0, 0, 100, 50), 4);
    EXPECT_TRUE(result.indices.empty());
    EXPECT_EQ(setOf({holedRect(18, 0, 22, 50)}), result.pieces) << result.pieces;
}

TEST(RemoveCut, PaddingTooNarrowForAStripChangesNothing) {
    // Half of 1 is 0: neither the cut nor its removal has a strip to work with.
    const std::vector<HoledPolygon> pieces{holedRect(0, 0, 5, 10), holedRect(5, 0, 10, 10)};
    for (const int padding : {0, 1}) {
        const PolygonSetCutResult made = Math::makeCutOnPolygonSet({holedRect(0, 0, 10, 10)}, Segment(5, 0, 5, 10), padding);
        EXPECT_TRUE(made.indices.empty());
        EXPECT_TRUE(made.pieces.empty()) << made.pieces;
        const PolygonSetCutResult removed =
            Math::removeCutFromPolygonSet(pieces, Segment(5, 0, 5, 10), {}, rect(0, 0, 10, 10), padding);
        EXPECT_TRUE(removed.indices.empty());
        EXPECT_TRUE(removed.pieces.empty()) << "size " << removed.pieces.size();
    }
}

#if ZELKOR_HAVE_BOOST_POLYGON

namespace {

namespace bp = boost::polygon;
using Region = bp::polygon_90_set_data<long long>;
using namespace boost::polygon::operators;

Region regionOf(const Polygon& polygon) {
    std::vector<bp::point_data<long long>> corners;
    for (const Point& p : polygon.getPoints()) corners.emplace_back(p.x, p.y);
    bp::polygon_90_data<long long> boostPolygon;
    boostPolygon.set(corners.begin(), corners.end());
    Region region;
    if (!corners.empty()) region.insert(boostPolygon);
    return region;
}

Region regionOf(const HoledPolygon& holedPolygon) {
    Region region = regionOf(holedPolygon.getBasePolygon());
    for (const Polygon& hole : holedPolygon.getHoles()) region -= regionOf(hole);
    return region;
}

Region boxRegion(long long x1, long long y1, long long x2, long long y2) {
    Region region;
    region.insert(bp::rectangle_data<long long>(x1, y1, x2, y2));
    return region;
}

long long areaOf(const Region& region) {
    return static_cast<long long>(bp::area(region));
}

// The kerf of a cut line: half the blade width (rounded down) on every side
// of the line, past its ends as well (lines point up or right).
Region kerfOf(const Segment& line, int bladeWidth) {
    const long long half = bladeWidth / 2;
    const Point& a = line.getStartPoint();
    const Point& b = line.getEndPoint();
    return boxRegion(a.x - half, a.y - half, b.x + half, b.y + half);
}

struct Layout {
    Polygon host;
    std::vector<Polygon> parts;
    int bladeWidth = 0;

    std::string describe() const {
        std::ostringstream text;
        text << "host [" << host << "] blade " << bladeWidth << " parts " << Testing::describe(parts);
        return text.str();
    }
};

// Rectangles and L shapes placed at random inside a rectangular or L-shaped
// host, each at least `gap` (Chebyshev distance) from the others. Corners sit
// on a coarse lattice so that sides line up with each other and with the
// host's edge.
Layout randomLayout(std::mt19937& random, bool lShapedHost, int gapMode) {
    Layout layout;
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const Coordinate unit = std::vector<Coordinate>{1, 2, 5}[static_cast<std::size_t>(between(0, 2))];
    const Coordinate width = unit * between(8, 40), height = unit * between(8, 40);
    if (lShapedHost) {
        const Coordinate notchX = unit * between(3, width / unit - 2), notchY = unit * between(3, height / unit - 2);
        layout.host = poly("0,0 " + std::to_string(width) + ",0 " + std::to_string(width) + "," +
                           std::to_string(notchY) + " " + std::to_string(notchX) + "," + std::to_string(notchY) + " " +
                           std::to_string(notchX) + "," + std::to_string(height) + " 0," + std::to_string(height));
    } else {
        layout.host = rect(0, 0, width, height);
    }
    layout.bladeWidth = between(0, 6);
    const int gap = gapMode == 0 ? layout.bladeWidth : between(0, layout.bladeWidth);
    const Region hostRegion = regionOf(layout.host);
    Region grownParts;
    const int attempts = between(0, 30);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const Coordinate x = unit * between(0, width / unit - 2), y = unit * between(0, height / unit - 2);
        const Coordinate w = unit * between(1, 8), h = unit * between(1, 8);
        Polygon part = rect(x, y, x + w, y + h);
        if (w > unit && h > unit && between(0, 2) == 0) {
            const Coordinate cx = x + unit * between(1, w / unit - 1), cy = y + unit * between(1, h / unit - 1);
            part = poly(std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(x + w) + "," +
                        std::to_string(y) + " " + std::to_string(x + w) + "," + std::to_string(cy) + " " +
                        std::to_string(cx) + "," + std::to_string(cy) + " " + std::to_string(cx) + "," +
                        std::to_string(y + h) + " " + std::to_string(x) + "," + std::to_string(y + h));
        }
        const Region partRegion = regionOf(part);
        if (areaOf(partRegion - hostRegion) != 0 || areaOf(partRegion & grownParts) != 0) continue;
        Region grown = partRegion;
        grown.bloat(gap, gap, gap, gap);
        grownParts += grown;
        layout.parts.push_back(part);
    }
    return layout;
}

// The outfall pieces are interior-disjoint, lie in the host and cover exactly
// the host minus the parts and the kerfs of the cut lines.
void checkOutfall(const Layout& layout) {
    const HoledPolygonSet outfall = Math::getOutfallFrom(layout.host, PolygonSet(layout.parts), layout.bladeWidth);
    const std::vector<Segment> lines = Math::getCutLines(layout.host, layout.parts, layout.bladeWidth);
    const Region hostRegion = regionOf(layout.host);
    Region removed;
    for (const Polygon& part : layout.parts) removed += regionOf(part);
    for (const Segment& line : lines) removed += kerfOf(line, layout.bladeWidth);
    const Region expected = hostRegion - removed;

    Region pieces;
    long long sumOfPieceAreas = 0;
    for (const HoledPolygon& piece : outfall.getAllPolygons()) {
        const Region pieceRegion = regionOf(piece);
        sumOfPieceAreas += areaOf(pieceRegion);
        pieces += pieceRegion;
    }
    const std::string input = layout.describe() + "\n  outfall " + outfall.toString();
    ASSERT_EQ(areaOf(pieces), sumOfPieceAreas) << "pieces overlap: " << input;
    ASSERT_EQ(0, areaOf(pieces - hostRegion)) << "pieces leave the host: " << input;
    ASSERT_EQ(areaOf(hostRegion) - areaOf(hostRegion & removed), sumOfPieceAreas) << "area differs: " << input;
    ASSERT_EQ(0, areaOf(pieces ^ expected)) << "region differs: " << input;
}

// An island layout with four bars in the gaps between its cells framing the
// inner cells: the strips round the frame enclose outfall of their own, a
// piece in a hole of the piece round it, with islands in both.
Testing::SheetLayout framedIslandLayout(std::mt19937& random, int partCount, int columns) {
    Testing::SheetLayout layout = Testing::islandLayout(random, partCount, columns);
    const Rectangle box = layout.sheet.getBoundingRectangle();
    const Coordinate right = box.getTopRight().x - 140, top = box.getTopRight().y - 140;
    if (right <= 120 || top <= 120) return layout;
    layout.parts.push_back(rect(128, 128, 132, top + 12));
    layout.parts.push_back(rect(right + 8, 128, right + 12, top + 12));
    layout.parts.push_back(rect(132, 128, right + 8, 132));
    layout.parts.push_back(rect(132, top + 8, right + 8, top + 12));
    return layout;
}

}  // namespace

TEST(Outfall, RandomLayoutsLeaveTheHostMinusPartsAndKerfs) {
    std::mt19937 random(6405);
    for (int iteration = 0; iteration < 500; ++iteration) {
        const Layout layout = randomLayout(random, iteration % 2 == 1, 0);
        SCOPED_TRACE("iteration " + std::to_string(iteration));
        checkOutfall(layout);
        if (HasFatalFailure()) return;
    }
}

TEST(Outfall, RandomLayoutsWithPartsCloserThanABladeWidth) {
    std::mt19937 random(6406);
    for (int iteration = 0; iteration < 500; ++iteration) {
        const Layout layout = randomLayout(random, iteration % 2 == 1, 1);
        SCOPED_TRACE("iteration " + std::to_string(iteration));
        checkOutfall(layout);
        if (HasFatalFailure()) return;
    }
}

// Turning or mirroring a layout turns or mirrors its outfall, piece by piece,
// for every blade width, odd ones included. Giving back one of its cuts does
// the same, whichever way the cut segments point.
TEST(Outfall, TurnedOrMirroredLayoutsLeaveTheSameOutfallAndGiveBackTheSameCut) {
    std::mt19937 random(6409);
    for (int iteration = 0; iteration < 60; ++iteration) {
        Layout layout = randomLayout(random, iteration % 2 == 1, iteration % 3 == 0 ? 1 : 0);
        for (layout.bladeWidth = 0; layout.bladeWidth <= 8; ++layout.bladeWidth) {
            const int blade = layout.bladeWidth;
            const HoledPolygonSet outfall = Math::getOutfallFrom(layout.host, PolygonSet(layout.parts), blade);
            const std::vector<HoledPolygon> pieces = outfall.getAllPolygons();
            std::vector<Segment> cuts = Math::getCutLines(layout.host, layout.parts, blade);
            for (Segment& cut : cuts) {
                if (random() % 2 == 0) cut.flip();
            }
            const std::size_t removed = cuts.empty() ? 0 : random() % cuts.size();
            std::vector<Segment> others = cuts;
            if (!cuts.empty()) others.erase(others.begin() + static_cast<std::ptrdiff_t>(removed));
            PolygonSetCutResult givenBack;
            if (!cuts.empty()) givenBack = Math::removeCutFromPolygonSet(pieces, cuts[removed], others, layout.host, blade);

            for (const Turn& turn : allTurns) {
                const std::string input = layout.describe() + "\n  " + turn.toString();
                const HoledPolygonSet turned = Math::getOutfallFrom(turn(layout.host), PolygonSet(turn(layout.parts)), blade);
                ASSERT_EQ(outfall.getArea(), turned.getArea()) << input;
                ASSERT_EQ(HoledPolygonSet(turn(pieces)), turned) << input << "\n  outfall " << outfall;
                if (cuts.empty()) continue;
                const PolygonSetCutResult turnedBack = Math::removeCutFromPolygonSet(
                    turn(pieces), turn(cuts[removed]), turn(others), turn(layout.host), blade);
                const std::string removal = input + "\n  removing " + cuts[removed].toString() + " from " +
                                            outfall.toString() + "\n  others " + Testing::describe(others);
                ASSERT_EQ(givenBack.indices, turnedBack.indices) << removal;
                ASSERT_EQ(HoledPolygonSet(turn(givenBack.pieces.getAllPolygons())), turnedBack.pieces)
                    << removal << "\n  gives " << givenBack.pieces;
            }
        }
    }
}

// The outfall against its literal form, text for text (the same pieces in
// the same order, each from the same corner with its holes in the same
// order), for blades 0 to 8: small layouts with parts touching each other and
// the host's edge, a hole per part, shelves, and framed islands.
TEST(Outfall, MatchesTheLiteralOutfallPieceForPiece) {
    std::mt19937 random(6410);
    for (int iteration = 0; iteration < 400; ++iteration) {
        const int blade = iteration % 9, kind = iteration % 4;
        const int count = std::uniform_int_distribution<int>(1, 60)(random);
        const int columns = std::uniform_int_distribution<int>(1, 9)(random);
        Layout layout = randomLayout(random, iteration % 8 < 4, iteration % 3 == 0 ? 1 : 0);
        if (kind != 0) {
            const Testing::SheetLayout sheet = kind == 1   ? Testing::islandLayout(random, count, columns)
                                               : kind == 2 ? Testing::shelfLayout(random, count / 2 + 1, blade, 700)
                                                           : framedIslandLayout(random, count, columns);
            layout.host = sheet.sheet;
            layout.parts = sheet.parts;
        }
        layout.bladeWidth = blade;
        const PolygonSet parts(layout.parts);
        ASSERT_EQ(Reference::getOutfallFrom(layout.host, parts, blade).toString(),
                  Math::getOutfallFrom(layout.host, parts, blade).toString())
            << "iteration " << iteration << ": " << layout.describe();
    }
}

// Cutting the outfall of a random layout along a random grid line: the
// consumed pieces are exactly those the strip touches, and they are replaced
// by what is left of them beside the strip.
TEST(MakeCut, RandomCutsThroughOutfallPiecesTakeOutExactlyTheStrip) {
    std::mt19937 random(6407);
    for (int iteration = 0; iteration < 300; ++iteration) {
        const Layout layout = randomLayout(random, iteration % 2 == 1, 0);
        const std::vector<HoledPolygon> pieces =
            Math::getOutfallFrom(layout.host, PolygonSet(layout.parts), layout.bladeWidth).getAllPolygons();
        const Rectangle box = layout.host.getBoundingRectangle();
        const bool vertical = random() % 2 == 0;
        const Coordinate at = vertical ? std::uniform_int_distribution<Coordinate>(0, box.getTopRight().x)(random)
                                       : std::uniform_int_distribution<Coordinate>(0, box.getTopRight().y)(random);
        const Segment cut = vertical ? Segment(at, 0, at, box.getTopRight().y) : Segment(0, at, box.getTopRight().x, at);
        const int padding = std::uniform_int_distribution<int>(2, 6)(random);
        const PolygonSetCutResult result = Math::makeCutOnPolygonSet(pieces, cut, padding);
        const std::string input = layout.describe() + "\n  cut " + cut.toString() + " padding " +
                                  std::to_string(padding) + "\n  result " + result.pieces.toString();

        const Region strip = regionOf(Math::createRectangularPolygonFromSegment(cut, padding));
        Region consumed;
        std::size_t next = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const bool touched = pieces[i].intersect(Math::createRectangularPolygonFromSegment(cut, padding));
            const bool listed = next < result.indices.size() && result.indices[next] == static_cast<int>(i);
            ASSERT_EQ(touched, listed) << "piece " << i << ": " << input;
            if (listed) {
                consumed += regionOf(pieces[i]);
                ++next;
            }
        }
        ASSERT_EQ(next, result.indices.size()) << input;
        Region replaced;
        long long sumOfAreas = 0;
        for (const HoledPolygon& piece : result.pieces.getAllPolygons()) {
            sumOfAreas += areaOf(regionOf(piece));
            replaced += regionOf(piece);
        }
        ASSERT_EQ(areaOf(replaced), sumOfAreas) << "pieces overlap: " << input;
        ASSERT_EQ(0, areaOf(replaced ^ (consumed - strip))) << "region differs: " << input;
    }
}

#endif

// Sawing a sheet wall to wall and then removing that cut gives the sheet back.
TEST(RemoveCut, UndoesAWallToWallCutOnARectangularSheet) {
    std::mt19937 random(6408);
    for (int iteration = 0; iteration < 200; ++iteration) {
        auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        const Coordinate width = between(20, 200), height = between(20, 200);
        const Polygon sheet = rect(0, 0, width, height);
        const int padding = between(2, 9);
        const bool vertical = random() % 2 == 0;
        const Coordinate at = vertical ? between(padding, width - padding) : between(padding, height - padding);
        const Segment cut = vertical ? Segment(at, 0, at, height) : Segment(0, at, width, at);
        const std::string input = sheet.toString() + " cut " + cut.toString() + " padding " + std::to_string(padding);

        const PolygonSetCutResult made = Math::makeCutOnPolygonSet({HoledPolygon(sheet)}, cut, padding);
        ASSERT_EQ(std::vector<int>{0}, made.indices) << input;
        ASSERT_EQ(2, made.pieces.size()) << input << " gives " << made.pieces;
        const PolygonSetCutResult removed =
            Math::removeCutFromPolygonSet(made.pieces.getAllPolygons(), cut, {}, sheet, padding);
        ASSERT_EQ((std::vector<int>{0, 1}), removed.indices) << input;
        ASSERT_EQ(setOf({HoledPolygon(sheet)}), removed.pieces) << input << " gives " << removed.pieces;
    }
}

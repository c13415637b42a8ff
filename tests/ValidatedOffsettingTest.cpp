#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "BoostOracle.h"
#include "RandomHoledPolygons.h"
#include "RandomPolygons.h"
#include "ShapeBuilders.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "reference/LiteralValidatedOffsetting.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;

namespace {

using Testing::poly;

const Polygon square = poly("0,0 10,0 10,10 0,10");
const Polygon lShape = poly("0,0 10,0 10,4 4,4 4,10 0,10");
const Polygon uShape = poly("0,0 9,0 9,9 6,9 6,3 3,3 3,9 0,9");
// Two 6x6 squares joined by a corridor 2 high.
const Polygon dumbbell = poly("0,0 6,0 6,2 10,2 10,0 16,0 16,6 10,6 10,4 6,4 6,6 0,6");

using Cell = std::pair<Coordinate, Coordinate>;
using CellSet = std::set<Cell>;

CellSet cellsOf(const HoledPolygon& shape) {
    CellSet cells = Testing::cellsInside(shape.getBasePolygon().getPoints());
    for (const Polygon& hole : shape.getHoles()) {
        for (const Cell& cell : Testing::cellsInside(hole.getPoints())) cells.erase(cell);
    }
    return cells;
}

// The unit cells the true offset by k covers: a cell stays under contraction
// when the (2k+1)-square of cells around it is all material, and is covered
// under expansion when that square holds any material. Computed on cells
// alone, independent of the polygon code, as a minimum (or maximum) over
// rows and then over columns of a dense window.
CellSet offsetCells(const CellSet& cells, int k) {
    if (cells.empty() || k == 0) return cells;
    const int reach = k < 0 ? -k : k;
    Coordinate left = cells.begin()->first, right = left, bottom = cells.begin()->second, top = bottom;
    for (const Cell& c : cells) {
        left = std::min(left, c.first);
        right = std::max(right, c.first);
        bottom = std::min(bottom, c.second);
        top = std::max(top, c.second);
    }
    left -= reach;
    bottom -= reach;
    const int width = right - left + 1 + reach, height = top - bottom + 1 + reach;
    auto at = [width](int x, int y) {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    };
    std::vector<char> filled(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (const Cell& c : cells) filled[at(c.first - left, c.second - bottom)] = 1;
    const bool grow = k < 0;
    // Cells beyond the window are empty.
    auto pass = [&](const std::vector<char>& in, bool alongX) {
        std::vector<char> out(in.size(), 0);
        for (int x = 0; x < width; ++x) {
            for (int y = 0; y < height; ++y) {
                bool any = false, all = true;
                for (int d = -reach; d <= reach; ++d) {
                    const int nx = alongX ? x + d : x, ny = alongX ? y : y + d;
                    const bool value = nx >= 0 && ny >= 0 && nx < width && ny < height && in[at(nx, ny)] != 0;
                    any = any || value;
                    all = all && value;
                }
                out[at(x, y)] = (grow ? any : all) ? 1 : 0;
            }
        }
        return out;
    };
    const std::vector<char> result = pass(pass(filled, true), false);
    CellSet offset;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (result[at(x, y)] != 0) offset.emplace(left + x, bottom + y);
        }
    }
    return offset;
}

// The cells with every enclosed gap filled.
CellSet withoutHoles(const CellSet& cells) {
    if (cells.empty()) return cells;
    Coordinate left = cells.begin()->first, right = left, bottom = cells.begin()->second, top = bottom;
    for (const Cell& c : cells) {
        left = std::min(left, c.first);
        right = std::max(right, c.first);
        bottom = std::min(bottom, c.second);
        top = std::max(top, c.second);
    }
    CellSet outside{{left - 1, bottom - 1}};
    std::vector<Cell> stack{{left - 1, bottom - 1}};
    while (!stack.empty()) {
        const Cell at = stack.back();
        stack.pop_back();
        const Cell next[] = {
            {at.first + 1, at.second}, {at.first - 1, at.second}, {at.first, at.second + 1}, {at.first, at.second - 1}};
        for (const Cell& n : next) {
            if (n.first < left - 1 || n.first > right + 1 || n.second < bottom - 1 || n.second > top + 1) continue;
            if (cells.count(n) != 0 || !outside.insert(n).second) continue;
            stack.push_back(n);
        }
    }
    CellSet filled;
    for (Coordinate x = left; x <= right; ++x) {
        for (Coordinate y = bottom; y <= top; ++y) {
            if (outside.count({x, y}) == 0) filled.emplace(x, y);
        }
    }
    return filled;
}

// The cells the pieces cover, or an explanation when two pieces cover the same cell.
template <typename Piece>
std::pair<CellSet, std::string> coverOf(const std::vector<Piece>& pieces) {
    std::map<Cell, int> cover;
    for (const Piece& piece : pieces) {
        for (const Cell& cell : cellsOf(HoledPolygon(piece))) ++cover[cell];
    }
    CellSet cells;
    for (const auto& [cell, count] : cover) {
        if (count > 1) {
            return {cells, "cell " + std::to_string(cell.first) + "," + std::to_string(cell.second) + " covered twice"};
        }
        cells.insert(cell);
    }
    return {cells, ""};
}

}  // namespace

TEST(ValidatedOffsetting, SquareShrinksVanishesAndGrows) {
    EXPECT_TRUE(square.getPolygonContracted(2) == poly("2,2 8,2 8,8 2,8")) << square.getPolygonContracted(2);
    EXPECT_EQ(square.getPolygonContracted(5).size(), 0);
    EXPECT_EQ(square.getPolygonContracted(6).size(), 0);
    EXPECT_EQ(square.getPolygonContracted(0).toString(), square.toString());
    EXPECT_EQ(square.getPolygonExpanded(3).toString(), "-3,-3 13,-3 13,13 -3,13");
    EXPECT_EQ(square.getPolygonExpanded(-2).toString(), "2,2 8,2 8,8 2,8");
    EXPECT_EQ(lShape.getPolygonContracted(1).toString(), "1,1 9,1 9,3 3,3 3,9 1,9");
    // Both arms are 4 wide.
    EXPECT_EQ(lShape.getPolygonContracted(2).size(), 0);
}

TEST(ValidatedOffsetting, SurvivingEdgesKeepTheirOrder) {
    const std::vector<Segment> squareEdges = square.getAllUnflippedNonZeroEdgesAfterContract(2);
    ASSERT_EQ(squareEdges.size(), 4u);
    EXPECT_TRUE(squareEdges[0].isEqualAndInSameDirection(Segment(2, 2, 8, 2)));
    EXPECT_TRUE(squareEdges[3].isEqualAndInSameDirection(Segment(2, 8, 2, 2)));
    // At half the side every edge shrinks to a point; beyond it every edge turns around.
    EXPECT_TRUE(square.getAllUnflippedNonZeroEdgesAfterContract(5).empty());
    EXPECT_TRUE(square.getAllUnflippedNonZeroEdgesAfterContract(6).empty());

    // The short sides of a 10x4 rectangle vanish; the long ones meet face to
    // face and enclose nothing.
    const Polygon strip = poly("0,0 10,0 10,4 0,4");
    const std::vector<Segment> stripEdges = strip.getAllUnflippedNonZeroEdgesAfterContract(2);
    ASSERT_EQ(stripEdges.size(), 2u);
    EXPECT_TRUE(stripEdges[0].isEqualAndInSameDirection(Segment(2, 2, 8, 2)));
    EXPECT_TRUE(stripEdges[1].isEqualAndInSameDirection(Segment(8, 2, 2, 2)));
    EXPECT_EQ(strip.getPolygonContracted(2).size(), 0);

    // The L's short edges turn around at 3; its long outer edges survive.
    const std::vector<Segment> lEdges = lShape.getAllUnflippedNonZeroEdgesAfterContract(3);
    ASSERT_EQ(lEdges.size(), 4u);
    EXPECT_TRUE(lEdges[0].isEqualAndInSameDirection(Segment(3, 3, 7, 3)));
    EXPECT_TRUE(lEdges[1].isEqualAndInSameDirection(Segment(7, 1, 1, 1)));
    EXPECT_TRUE(lEdges[3].isEqualAndInSameDirection(Segment(3, 7, 3, 3)));
}

TEST(ValidatedOffsetting, NarrowNeckSplitsThePolygon) {
    EXPECT_EQ(dumbbell.getPolygonContracted(1).toString(), "1,1 5,1 5,5 1,5 | 11,1 15,1 15,5 11,5");
    EXPECT_EQ(dumbbell.getPolygonContracted(2).toString(), "2,2 4,2 4,4 2,4 | 12,2 14,2 14,4 12,4");
    EXPECT_EQ(dumbbell.getPolygonContracted(3).size(), 0);
    // A corridor 4 high survives a contraction by 1.
    const Polygon wideNeck = poly("0,0 16,0 16,6 10,6 10,4 6,4 6,6 0,6");
    EXPECT_EQ(wideNeck.getPolygonContracted(1).toString(), "1,1 15,1 15,5 11,5 11,3 5,3 5,5 1,5");
}

// Where a short edge sits between edges that move apart, or a notch closes,
// moved edges cross into places the true offset does not reach, and a plain
// cycle search over them finds pieces outside the polygon or on top of the
// real ones. Each case is the smallest of its kind found by random search.
TEST(ValidatedOffsetting, NoPieceWhereTheTrueOffsetHasNone) {
    // Cycles over the surviving edges give this L and, on top of it, the
    // square 1,4 3,4 3,6 1,6, whose cell 2,4 is no part of the true offset:
    // the 3x3 cells around it take in the notch cell 3,3.
    const Polygon steppedNotch = poly("3,0 3,4 6,4 6,5 4,5 4,7 0,7 0,3 2,3 2,0");
    EXPECT_EQ(steppedNotch.getPolygonContracted(1).toString(), "1,4 2,4 2,5 3,5 3,6 1,6");
    // No 4x4 square fits, yet the moved edges enclose the unit square
    // 5,2 6,2 6,3 5,3, which lies in the notch, outside the polygon.
    const Polygon hook = poly("8,0 8,5 3,5 3,4 6,4 6,2 0,2 0,1 3,1 3,0");
    EXPECT_EQ(hook.getPolygonContracted(2).size(), 0);
    EXPECT_EQ(Reference::polygonContracted(hook, 2).toString(), "5,2 6,2 6,3 5,3");
    // The grown notch walls pass each other and enclose 0,1 2,1 2,2 0,2 a second time.
    const Polygon notched = poly("1,5 3,5 3,1 1,1 1,0 5,0 5,6 0,6 0,2 1,2");
    EXPECT_EQ(notched.getPolygonExpanded(1).toString(), "-1,1 0,1 0,-1 6,-1 6,7 -1,7");
    EXPECT_EQ(Reference::polygonContracted(notched, -1).size(), 2);
}

TEST(ValidatedOffsetting, CanExpandBy) {
    EXPECT_TRUE(square.canExpandBy(0));
    EXPECT_TRUE(square.canExpandBy(5));
    // The notch is 3 wide: growing by 1 leaves it 1 wide; by 2 the arms overlap.
    EXPECT_TRUE(uShape.canExpandBy(1));
    EXPECT_FALSE(uShape.canExpandBy(2));
    // A notch 2 wide closes exactly at 1: its walls meet and the edges merge.
    EXPECT_FALSE(poly("0,0 8,0 8,9 5,9 5,3 3,3 3,9 0,9").canExpandBy(1));
    // A cavity with a mouth 2 wide: at 2 the mouth has closed over a hole.
    const Polygon cavity = poly("0,0 10,0 10,10 6,10 6,8 8,8 8,2 2,2 2,8 4,8 4,10 0,10");
    EXPECT_FALSE(cavity.canExpandBy(2));
    EXPECT_EQ(cavity.getPolygonExpanded(2).toString(), "-2,-2 12,-2 12,12 -2,12");
    EXPECT_TRUE(HoledPolygon(cavity).getPolygonExpanded(2) ==
                HoledPolygonSet({HoledPolygon("-2,-2 12,-2 12,12 -2,12|4,4 6,4 6,6 4,6")}))
        << HoledPolygon(cavity).getPolygonExpanded(2);
}

TEST(ValidatedOffsetting, HoledPolygonShrinksAsItsHolesGrow) {
    const HoledPolygon framed("0,0 10,0 10,10 0,10|4,4 6,4 6,6 4,6");
    const HoledPolygonSet byOne = framed.getPolygonContracted(1);
    ASSERT_EQ(byOne.size(), 1);
    EXPECT_TRUE(byOne.getPolygon(0) == HoledPolygon("1,1 9,1 9,9 1,9|3,3 7,3 7,7 3,7")) << byOne;
    // At 2 the hole reaches the shrunk outline everywhere.
    EXPECT_EQ(framed.getPolygonContracted(2).size(), 0);
    // Growing shrinks the hole away.
    EXPECT_EQ(framed.getPolygonExpanded(1).toString(), "-1,-1 11,-1 11,11 -1,11");

    // A hole 2 below the top and bottom grows across the whole height and cuts the shape in two.
    const HoledPolygon cutApart("0,0 12,0 12,6 0,6|5,2 7,2 7,4 5,4");
    EXPECT_TRUE(cutApart.getPolygonContracted(1) ==
                HoledPolygonSet({HoledPolygon("1,1 4,1 4,5 1,5"), HoledPolygon("8,1 11,1 11,5 8,5")}))
        << cutApart.getPolygonContracted(1);
}

// Growing shrinks the holes, and holes that run along each other or along the
// outline are one opening: it shrinks as a whole, not hole by hole.
TEST(ValidatedOffsetting, HolesAlongEachOtherOrTheOutlineShrinkAsOneOpening) {
    const HoledPolygon halfOpen("-5,7 -3,7 -3,8 -5,8|-5,7 -4,7 -4,8 -5,8");
    EXPECT_TRUE(halfOpen.getPolygonExpanded(1) == HoledPolygonSet({HoledPolygon("-5,6 -2,6 -2,9 -5,9")}))
        << halfOpen.getPolygonExpanded(1);
    const HoledPolygon twoHoles("0,0 10,0 10,10 0,10|2,2 5,2 5,6 2,6|5,2 8,2 8,6 5,6");
    EXPECT_TRUE(twoHoles.getPolygonExpanded(1) ==
                HoledPolygonSet({HoledPolygon("-1,-1 11,-1 11,11 -1,11|3,3 7,3 7,5 3,5")}))
        << twoHoles.getPolygonExpanded(1);
}

// Outlines that touch themselves at corners offset as the regions they bound:
// two lobes meeting at two corners around a pocket, and a pocket holding
// lobes of material that meet the outline at its corners. The holed form
// covers each cell of the true offset once; the plain form fills the pockets.
TEST(ValidatedOffsetting, OutlinesTouchingThemselvesOffsetAsTheirRegions) {
    const Polygon twoLobes = poly("14,14 17,14 17,11 20,11 20,8 26,8 26,20 20,20 20,17 23,17 23,14 17,14 17,20 20,20 "
                                  "20,26 11,26 11,23 14,23 14,20 8,20 8,17 11,17 11,14 8,14 8,8 14,8");
    const Polygon lobesInAPocket =
        poly("5,2 5,4 6,4 6,5 5,5 5,8 2,8 2,5 5,5 5,4 0,4 0,10 5,10 5,12 6,12 6,5 8,5 8,15 -2,15 -2,2");
    for (const Polygon& polygon : {twoLobes, lobesInAPocket}) {
        const CellSet cells = cellsOf(HoledPolygon(polygon));
        for (int k = -2; k <= 2; ++k) {
            const HoledPolygonSet pieces = HoledPolygon(polygon).getPolygonContracted(k);
            const auto [covered, problem] = coverOf(pieces.getAllPolygons());
            EXPECT_TRUE(problem.empty() && covered == offsetCells(cells, k))
                << problem << " k " << k << ": [" << polygon << "] gave [" << pieces << "]";
            const PolygonSet plain = polygon.getPolygonContracted(k);
            const auto [plainCovered, plainProblem] = coverOf(plain.getAllPolygons());
            EXPECT_TRUE(plainProblem.empty() && plainCovered == withoutHoles(offsetCells(cells, k)))
                << plainProblem << " k " << k << ": [" << polygon << "] gave [" << plain << "]";
        }
    }
}

TEST(ValidatedOffsetting, SetsOffsetMemberByMemberInOrder) {
    PolygonSet set;
    set.add(square);
    set.add(poly("20,0 22,0 22,2 20,2"));  // vanishes
    set.add(dumbbell);
    const PolygonSet contracted = set.getAllPolygonsContracted(1);
    EXPECT_EQ(contracted.toString(), "1,1 9,1 9,9 1,9 | 1,1 5,1 5,5 1,5 | 11,1 15,1 15,5 11,5");
    PolygonSet copy = contracted;
    EXPECT_FLOAT_EQ(copy.getArea(), 64.0f + 16.0f + 16.0f);
    EXPECT_EQ(set.getAllPolygonsExpanded(1).toString(), set.getAllPolygonsContracted(-1).toString());
    EXPECT_EQ(PolygonSet().getAllPolygonsContracted(1).size(), 0);

    HoledPolygonSet holedSet;
    holedSet.add(HoledPolygon("0,0 12,0 12,6 0,6|5,2 7,2 7,4 5,4"));
    holedSet.add(HoledPolygon("20,0 22,0 22,2 20,2"));
    holedSet.add(HoledPolygon(square));
    const HoledPolygonSet holedContracted = holedSet.getAllPolygonsContracted(1);
    ASSERT_EQ(holedContracted.size(), 3);
    EXPECT_EQ(holedContracted.toString(),
              holedSet.getPolygon(0).getPolygonContracted(1).toString() + " || 1,1 9,1 9,9 1,9");
    EXPECT_EQ(holedSet.getAllPolygonsExpanded(2).toString(), holedSet.getAllPolygonsContracted(-2).toString());
}

// Contraction covers exactly the cells whose surrounding square is all
// material, each cell once, every piece inside the polygon; expansion covers
// every cell near the material, with enclosed gaps filled (a plain polygon
// cannot hold them). Wherever the plain cycle search is right, the result is
// the same text.
TEST(ValidatedOffsetting, RandomPolygonsMatchTheCellModel) {
    std::mt19937 random(2718);
    int literalWrong = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const Polygon polygon = Testing::randomRectilinearPolygon(random, trial % 3 == 0 ? 8 : 5);
        const CellSet cells = cellsOf(HoledPolygon(polygon));
        for (int k = -4; k <= 4; ++k) {
            const PolygonSet pieces = polygon.getPolygonContracted(k);
            const auto [covered, problem] = coverOf(pieces.getAllPolygons());
            const CellSet expected = k < 0 ? withoutHoles(offsetCells(cells, k)) : offsetCells(cells, k);
            ASSERT_TRUE(problem.empty() && covered == expected)
                << problem << " trial " << trial << " k " << k << ": [" << polygon << "] gave [" << pieces << "]";
            if (k > 0) {
                for (const Polygon& piece : pieces.getAllPolygons()) {
                    ASSERT_TRUE(polygon.contains(piece)) << "trial " << trial << " k " << k << ": [" << polygon << "]";
                    ASSERT_FALSE(piece.wasOriginallyDefinedInReverseOrder());
                }
            }
            const PolygonSet literal = Reference::polygonContracted(polygon, k);
            const auto [literalCovered, literalProblem] = coverOf(literal.getAllPolygons());
            if (literalProblem.empty() && literalCovered == expected) {
                ASSERT_EQ(pieces.toString(), literal.toString())
                    << "trial " << trial << " k " << k << ": [" << polygon << "]";
            } else {
                ++literalWrong;
            }
        }
    }
    // The cases above do reach the shapes where the plain search goes wrong.
    EXPECT_GT(literalWrong, 0);
}

TEST(ValidatedOffsetting, RandomHoledPolygonsMatchTheCellModel) {
    std::mt19937 random(31415);
    for (int trial = 0; trial < 250; ++trial) {
        const HoledPolygon shape = Testing::randomHoledPolygon(random, 6, 3);
        const CellSet cells = cellsOf(shape);
        for (int k = -3; k <= 3; ++k) {
            const HoledPolygonSet pieces = shape.getPolygonContracted(k);
            const auto [covered, problem] = coverOf(pieces.getAllPolygons());
            ASSERT_TRUE(problem.empty() && covered == offsetCells(cells, k))
                << problem << " trial " << trial << " k " << k << ": [" << shape << "] gave [" << pieces << "]";
        }
    }
}

TEST(ValidatedOffsetting, RectanglesGrowAndShrinkBack) {
    std::mt19937 random(1618);
    std::uniform_int_distribution<Coordinate> corner(-1000, 1000), side(1, 60);
    std::uniform_int_distribution<int> amount(1, 40);
    for (int trial = 0; trial < 500; ++trial) {
        const Coordinate x = corner(random), y = corner(random), w = side(random), h = side(random);
        const Polygon rectangle = Testing::rectangleOf(x, y, x + w, y + h);
        const int k = amount(random);
        const PolygonSet grown = rectangle.getPolygonExpanded(k);
        ASSERT_EQ(grown.size(), 1) << rectangle << " k " << k;
        const PolygonSet back = grown.getAllPolygonsContracted(k);
        ASSERT_TRUE(back == rectangle) << rectangle << " k " << k << " gave " << back;
        const PolygonSet shrunk = rectangle.getPolygonContracted(k);
        if (2 * k >= std::min(w, h)) {
            ASSERT_EQ(shrunk.size(), 0) << rectangle << " k " << k;
        } else {
            ASSERT_EQ(shrunk.size(), 1) << rectangle << " k " << k;
            ASSERT_TRUE(shrunk.getPolygon(0).getPolygonExpanded(k) == rectangle) << rectangle << " k " << k;
        }
        ASSERT_TRUE(rectangle.canExpandBy(k));
        for (const int amount : {k, -k}) {
            ASSERT_EQ(rectangle.getPolygonContracted(amount).toString(),
                      Reference::polygonContracted(rectangle, amount).toString())
                << rectangle << " k " << amount;
        }
    }
}

#if ZELKOR_HAVE_BOOST_POLYGON
namespace {

namespace bp = boost::polygon;
using Testing::boostRegion;

template <typename Piece>
bp::polygon_90_set_data<int> unionOf(const std::vector<Piece>& pieces) {
    using namespace bp::operators;
    bp::polygon_90_set_data<int> region;
    for (const Piece& piece : pieces) region |= boostRegion(piece);
    return region;
}

// Shrinking or bloating a rectilinear region by k with square corners.
bp::polygon_90_set_data<int> boostOffset(bp::polygon_90_set_data<int> region, int k) {
    if (k > 0) bp::shrink(region, static_cast<unsigned>(k));
    if (k < 0) bp::bloat(region, static_cast<unsigned>(-k));
    return region;
}

}  // namespace

// The independent library's square-cornered shrink and bloat give the same
// regions on larger coordinates. A plain polygon's expansion fills the holes
// that the library's bloat keeps, so there it is compared with the holed form,
// which keeps them too.
TEST(ValidatedOffsetting, MatchesIndependentLibrary) {
    using namespace bp::operators;
    std::mt19937 random(8086);
    for (int trial = 0; trial < 150; ++trial) {
        Polygon polygon = Testing::randomRectilinearPolygon(random, 10);
        polygon.scale(37.0f);
        const HoledPolygon shape = Testing::randomHoledPolygon(random, 8, 4);
        for (int k : {-90, -37, -20, -1, 1, 18, 37, 55, 80}) {
            const bp::polygon_90_set_data<int> expected = boostOffset(boostRegion(polygon), k);
            const HoledPolygonSet holedPieces = HoledPolygon(polygon).getPolygonContracted(k);
            ASSERT_EQ(bp::area(unionOf(holedPieces.getAllPolygons()) ^ expected), 0)
                << "trial " << trial << " k " << k << ": [" << polygon << "] gave [" << holedPieces << "]";
            ASSERT_FLOAT_EQ(holedPieces.getArea(), static_cast<float>(bp::area(expected)));
            if (k > 0) {
                PolygonSet pieces = polygon.getPolygonContracted(k);
                ASSERT_EQ(bp::area(unionOf(pieces.getAllPolygons()) ^ expected), 0)
                    << "trial " << trial << " k " << k << ": [" << polygon << "] gave [" << pieces << "]";
                ASSERT_FLOAT_EQ(pieces.getArea(), static_cast<float>(bp::area(expected)));
            }
            // Whether growing keeps one simple outline with the same corners
            // and no hole, read off the library's result.
            if (k < 0) {
                std::vector<bp::polygon_90_with_holes_data<int>> grown;
                expected.get(grown);
                const bool simple = grown.size() == 1 && grown[0].size_holes() == 0 &&
                                    static_cast<int>(grown[0].size()) == polygon.numberOfPoints();
                ASSERT_EQ(polygon.canExpandBy(-k), simple)
                    << "trial " << trial << " k " << -k << ": [" << polygon << "]";
            }
        }
        for (int k : {-2, -1, 1, 2}) {
            const HoledPolygonSet pieces = shape.getPolygonContracted(k);
            ASSERT_EQ(bp::area(unionOf(pieces.getAllPolygons()) ^ boostOffset(boostRegion(shape), k)), 0)
                << "trial " << trial << " k " << k << ": [" << shape << "] gave [" << pieces << "]";
        }
    }
}

// Polygons of hundreds of corners, where the check of the moved pieces
// against the polygon's edges no longer compares every pair.
TEST(ValidatedOffsetting, LargePolygonsMatchIndependentLibrary) {
    using namespace bp::operators;
    std::mt19937 random(6502);
    for (int trial = 0; trial < 16; ++trial) {
        Polygon polygon = trial % 2 == 0 ? Testing::randomSkylinePolygon(random, 300, 10, 40)
                                         : Testing::randomRectilinearPolygon(random, 24);
        if (trial % 4 == 1) polygon.scale(5.0f);
        for (int k : {-7, -3, -1, 1, 2, 4, 6, 11}) {
            const PolygonSet pieces = polygon.getPolygonContracted(k);
            const HoledPolygonSet holedPieces = HoledPolygon(polygon).getPolygonContracted(k);
            const bp::polygon_90_set_data<int> expected = boostOffset(boostRegion(polygon), k);
            ASSERT_EQ(bp::area(unionOf(holedPieces.getAllPolygons()) ^ expected), 0)
                << "trial " << trial << " k " << k << ": [" << polygon << "]";
            if (k > 0) {
                ASSERT_EQ(bp::area(unionOf(pieces.getAllPolygons()) ^ expected), 0)
                    << "trial " << trial << " k " << k << ": [" << polygon << "]";
                ASSERT_FLOAT_EQ(PolygonSet(pieces).getArea(), static_cast<float>(bp::area(expected)));
            }
        }
    }
}
#endif

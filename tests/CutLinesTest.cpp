#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "RandomSheetLayouts.h"
#include "RandomShapes.h"
#include "ShapeBuilders.h"
#include "cutting/CutLines.h"
#include "cutting/CutServices.h"
#include "reference/LiteralAdmissibleCuts.h"

using namespace Zelkor::Rectilinear;
using Testing::describe;

namespace {

using Testing::rect;

HoledPolygon holedRect(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) {
    return HoledPolygon(rect(x1, y1, x2, y2));
}

bool hasDirectedSegment(const std::vector<Segment>& segments, const Segment& wanted) {
    return std::any_of(segments.begin(), segments.end(),
                       [&](const Segment& s) { return s.isEqualAndInSameDirection(wanted); });
}

// The four sides of a box, pointing up or right, in sorted order.
std::vector<Segment> sidesOf(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) {
    return {Segment(x1, y1, x1, y2), Segment(x1, y1, x2, y1), Segment(x1, y2, x2, y2), Segment(x2, y1, x2, y2)};
}

void expectDirectedEqual(const std::vector<Segment>& expected, const std::vector<Segment>& actual) {
    ASSERT_EQ(expected.size(), actual.size()) << describe(actual);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(expected[i].isEqualAndInSameDirection(actual[i]))
            << "at " << i << ": expected " << expected[i] << ", got " << actual[i] << " in " << describe(actual);
    }
}

}  // namespace

TEST(CutLines, GrownOutlineOfAFreePartComesBackAsFourSides) {
    const Polygon part = rect(20, 20, 30, 30);
    expectDirectedEqual(sidesOf(18, 18, 32, 32), Math::getCutLines(rect(0, 0, 100, 100), {part}, 4));
    // The same with the part at the origin, on a sheet that does not share its sides.
    expectDirectedEqual(sidesOf(-2, -2, 12, 12), Math::getCutLines(rect(-50, -50, 100, 100), {rect(0, 0, 10, 10)}, 4));
}

TEST(CutLines, SidesOnTheGrownSheetEdgeAreNotCut) {
    // Grown by 2, the part's bottom and left sides lie on the grown sheet's edge.
    expectDirectedEqual({Segment(-2, 12, 12, 12), Segment(12, -2, 12, 12)},
                        Math::getCutLines(rect(0, 0, 100, 100), {rect(0, 0, 10, 10)}, 4));
    // An odd blade width loses a unit: 5 grows by 2 like 4 does.
    expectDirectedEqual({Segment(-2, 12, 12, 12), Segment(12, -2, 12, 12)},
                        Math::getCutLines(rect(0, 0, 100, 100), {rect(0, 0, 10, 10)}, 5));
    // A part filling the sheet needs no cut at all.
    EXPECT_TRUE(Math::getCutLines(rect(0, 0, 10, 10), {rect(0, 0, 10, 10)}, 4).empty());
}

TEST(CutLines, LineBetweenPartsOneBladeWidthApartComesBackOnce) {
    const Polygon sheet = rect(-50, -50, 100, 100);
    std::vector<Segment> lines = Math::getCutLines(sheet, {rect(0, 0, 10, 10), rect(14, 0, 24, 10)}, 4);
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), Segment(12, -2, 12, 12))) << describe(lines);
    EXPECT_EQ(7u, lines.size()) << describe(lines);

    // With a taller neighbour the shared side is split where the shorter
    // outline's top meets it; the common piece still comes back once.
    lines = Math::getCutLines(sheet, {rect(0, 0, 10, 10), rect(14, 0, 24, 20)}, 4);
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), Segment(12, -2, 12, 12))) << describe(lines);
    EXPECT_TRUE(hasDirectedSegment(lines, Segment(12, 12, 12, 22))) << describe(lines);
}

TEST(CutLines, NoPartsNoLines) {
    EXPECT_TRUE(Math::getCutLines(rect(0, 0, 100, 100), {}, 4).empty());
}

TEST(CutLines, RandomLayoutsGiveSortedUniqueUpwardOrRightwardLinesOnTheGrownOutlines) {
    std::mt19937 random(515);
    for (int iteration = 0; iteration < 300; ++iteration) {
        std::uniform_int_distribution<Coordinate> coordinate(0, 60);
        std::vector<Polygon> parts;
        const int count = std::uniform_int_distribution<int>(1, 5)(random);
        for (int i = 0; i < count; ++i) {
            const Coordinate x = coordinate(random), y = coordinate(random);
            parts.push_back(rect(x, y, x + 1 + coordinate(random) / 3, y + 1 + coordinate(random) / 3));
        }
        const Polygon sheet = rect(0, 0, 80, 80);
        const int bladeWidth = std::uniform_int_distribution<int>(0, 5)(random);
        const std::vector<Segment> lines = Math::getCutLines(sheet, parts, bladeWidth);
        const std::string input = "blade " + std::to_string(bladeWidth) + " parts " + describe(parts);

        Polygon grownSheet = sheet;
        grownSheet.unvalidatedExpand(bladeWidth / 2);
        std::vector<Polygon> grownParts = parts;
        for (Polygon& p : grownParts) p.unvalidatedExpand(bladeWidth / 2);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Segment& s = lines[i];
            ASSERT_TRUE(s.definedUpward() || s.definedRightward()) << s << " " << input;
            if (i > 0) {
                ASSERT_TRUE(lines[i - 1] < s) << lines[i - 1] << " before " << s << " " << input;
            }
            ASSERT_FALSE(grownSheet.segmentIsOnBoundary(s)) << s << " " << input;
            ASSERT_TRUE(std::any_of(grownParts.begin(), grownParts.end(),
                                    [&](const Polygon& p) { return p.segmentIsOnBoundary(s); }))
                << s << " " << input;
        }
    }
}

// Sheet material (cuttable) with one placed part (uncuttable), blade 2: the
// grown part spans (19,19)-(41,41) and a first cut runs along its left side.
TEST(AdmissibleCuts, PiecesStartAtTheEndsOfTheExistingCutAndAvoidTheParts) {
    const std::vector<HoledPolygon> uncuttable{holedRect(20, 20, 40, 40)};
    const std::vector<HoledPolygon> cuttable{holedRect(0, 0, 100, 100)};
    const std::vector<Segment> cuts =
        Math::getAllCutsThatCanBeAdded(uncuttable, cuttable, rect(0, 0, 100, 100), {Segment(19, 19, 19, 41)}, 2);
    // Horizontal lines by ascending y, then vertical lines; the x = 19 line
    // is split last piece first.
    expectDirectedEqual({Segment(-1, 19, 19, 19), Segment(-1, 41, 19, 41), Segment(19, 41, 19, 101),
                         Segment(19, -1, 19, 19)},
                        cuts);
}

TEST(AdmissibleCuts, NoExistingCutsOrNoShapesGiveNothing) {
    const std::vector<HoledPolygon> uncuttable{holedRect(20, 20, 40, 40)};
    const std::vector<HoledPolygon> cuttable{holedRect(0, 0, 100, 100)};
    EXPECT_TRUE(Math::getAllCutsThatCanBeAdded(uncuttable, cuttable, rect(0, 0, 100, 100), {}, 2).empty());
    EXPECT_TRUE(Math::getAllCutsThatCanBeAdded({}, {}, rect(0, 0, 100, 100), {Segment(0, 50, 100, 50)}, 2).empty());
    EXPECT_TRUE(Math::getAllCutsThatCanBeAdded({}, {}, rect(0, 0, 100, 100), {}, 2).empty());
}

TEST(AdmissibleCuts, PieceThroughAnUncuttablePartIsNeverReturned) {
    // Grown by 1, A spans (19,19)-(41,41) and B (49,29)-(61,51); the grid line
    // y = 29 crosses A, and the existing cut between A and B ends on it at (41,29).
    const HoledPolygon a = holedRect(20, 20, 40, 40);
    const HoledPolygon b = holedRect(50, 30, 60, 50);
    const Polygon sheet = rect(0, 0, 100, 100);
    const std::vector<Segment> existing{Segment(41, 29, 49, 29)};
    const Segment throughA(19, 29, 41, 29);

    const std::vector<Segment> withAUncuttable = Math::getAllCutsThatCanBeAdded({a, b}, {}, sheet, existing, 2);
    EXPECT_FALSE(std::count(withAUncuttable.begin(), withAUncuttable.end(), throughA)) << describe(withAUncuttable);
    for (const Segment& s : withAUncuttable) {
        EXPECT_FALSE(a.containsNonCrossOverSegment(s)) << s;
    }
    // The same piece is offered once A may be cut.
    const std::vector<Segment> withACuttable = Math::getAllCutsThatCanBeAdded({b}, {a}, sheet, existing, 2);
    EXPECT_TRUE(hasDirectedSegment(withACuttable, throughA)) << describe(withACuttable);
    // Repeating the existing cut, or running along B, is never offered.
    EXPECT_FALSE(std::count(withACuttable.begin(), withACuttable.end(), existing[0])) << describe(withACuttable);
    EXPECT_FALSE(std::count(withACuttable.begin(), withACuttable.end(), Segment(49, 29, 61, 29)))
        << describe(withACuttable);
}

TEST(AdmissibleCuts, PiecesOnTheGrownHostEdgeAreRemoved) {
    // The grown sheet coincides with the grown cuttable piece: the grid's outer
    // lines lie on the grown host's edge.
    const std::vector<Segment> cuts = Math::getAllCutsThatCanBeAdded(
        {}, {holedRect(0, 0, 100, 100)}, rect(0, 0, 100, 100), {Segment(-1, -1, -1, 101)}, 2);
    EXPECT_TRUE(cuts.empty()) << describe(cuts);
}

// Shelf layouts with sheet material or outfall pieces as the cuttable
// shapes, and small overlapping layouts on a coarse grid; existing cuts are
// cut lines, earlier answers, and segments between grown corners, so that
// their ends hit the grid.
TEST(AdmissibleCuts, AgreeWithTheLiteralProcedure) {
    std::mt19937 random(3131);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    int answered = 0;
    for (int iteration = 0; iteration < 300; ++iteration) {
        const int bladeWidth = between(0, 6);
        Testing::SheetLayout layout;
        if (iteration % 2 == 0) {
            layout = Testing::shelfLayout(random, between(0, 10), bladeWidth, 600);
        } else {
            layout.sheet = rect(0, 0, 40, 40);
            for (int i = between(0, 4); i > 0; --i) {
                const Coordinate x = 4 * between(0, 8), y = 4 * between(0, 8);
                layout.parts.push_back(rect(x, y, x + 4 * between(1, 3), y + 4 * between(1, 3)));
            }
        }
        std::vector<HoledPolygon> uncuttable;
        for (const Polygon& part : layout.parts) uncuttable.emplace_back(part);
        std::vector<HoledPolygon> cuttable;
        switch (between(0, 2)) {
            case 0:
                break;
            case 1:
                cuttable.emplace_back(layout.sheet);
                break;
            default:
                cuttable = Math::getOutfallFrom(layout.sheet, PolygonSet(layout.parts), bladeWidth).getAllPolygons();
        }

        std::vector<Point> grownCorners;
        for (std::vector<HoledPolygon> shapes : {uncuttable, cuttable}) {
            for (HoledPolygon& shape : shapes) {
                shape.unvalidatedExpand(bladeWidth / 2);
                for (const Point& p : shape.getPoints()) grownCorners.push_back(p);
            }
        }
        std::vector<Segment> existingCuts;
        const std::vector<Segment> lines = Math::getCutLines(layout.sheet, layout.parts, bladeWidth);
        for (const Segment& line : lines) {
            if (between(0, 3) == 0) existingCuts.push_back(line);
        }
        for (int i = between(0, 3); i > 0 && !grownCorners.empty(); --i) {
            const Point& a = grownCorners[static_cast<std::size_t>(between(0, static_cast<int>(grownCorners.size()) - 1))];
            const Point& b = grownCorners[static_cast<std::size_t>(between(0, static_cast<int>(grownCorners.size()) - 1))];
            existingCuts.emplace_back(a, between(0, 1) == 0 ? Point(a.x, b.y) : Point(b.x, a.y));
        }
        const std::vector<Segment> previous =
            Math::getAllCutsThatCanBeAdded(uncuttable, cuttable, layout.sheet, existingCuts, bladeWidth);
        if (!previous.empty()) existingCuts.push_back(previous[static_cast<std::size_t>(between(0, static_cast<int>(previous.size()) - 1))]);

        const std::vector<Segment> fast =
            Math::getAllCutsThatCanBeAdded(uncuttable, cuttable, layout.sheet, existingCuts, bladeWidth);
        const std::vector<Segment> literal =
            Reference::getAllCutsThatCanBeAdded(uncuttable, cuttable, layout.sheet, existingCuts, bladeWidth);
        SCOPED_TRACE("iteration " + std::to_string(iteration) + " blade " + std::to_string(bladeWidth) + " sheet [" +
                     layout.sheet.toString() + "] uncuttable " + describe(uncuttable) + " cuttable " +
                     describe(cuttable) + " cuts " + describe(existingCuts));
        expectDirectedEqual(literal, fast);
        if (HasFailure()) return;
        answered += literal.empty() ? 0 : 1;
    }
    EXPECT_GT(answered, 100);
}

TEST(KerfRectangle, EvenAndOddWidthsHorizontalAndVertical) {
    const Polygon fromWidth4 = Math::createRectangularPolygonFromSegment(Segment(0, 5, 10, 5), 4);
    EXPECT_EQ(rect(0, 3, 10, 7), fromWidth4) << fromWidth4;
    EXPECT_EQ("", fromWidth4.getName());
    EXPECT_FLOAT_EQ(40.0f, fromWidth4.getArea());
    EXPECT_EQ(rect(0, 3, 10, 7), Math::createRectangularPolygonFromSegment(Segment(0, 5, 10, 5), 5));
    EXPECT_EQ(rect(4, 0, 6, 10), Math::createRectangularPolygonFromSegment(Segment(5, 0, 5, 10), 2));
    // Direction does not matter: the result is standardized counterclockwise.
    EXPECT_EQ(rect(4, 0, 6, 10), Math::createRectangularPolygonFromSegment(Segment(5, 10, 5, 0), 2));
    EXPECT_EQ(rect(0, 3, 10, 7), Math::createRectangularPolygonFromSegment(Segment(10, 5, 0, 5), 4));
}

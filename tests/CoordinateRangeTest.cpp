#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "RandomPolygons.h"
#include "RandomSheetLayouts.h"
#include "ShapeBuilders.h"
#include "cutting/CutLines.h"
#include "cutting/CutServices.h"
#include "geometry/CoordinateRangeException.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/PolygonSet.h"
#include "packing/PackingJob.h"

using namespace Zelkor::Rectilinear;
using Testing::poly;
using Testing::rect;

namespace {

struct QuietReceiver : Zelkor::ReportReceiver {
    void report(void*) override {}
};

std::string packed(PackingJob job) {
    QuietReceiver receiver;
    std::ostringstream text;
    writePackingResults(text, runPackingJob(job, receiver));
    return text.str();
}

// The reason of the CoordinateRangeException that `operation` raises; nothing
// when it raises none.
std::optional<std::string> refusal(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const CoordinateRangeException& e) {
        return e.getReason();
    }
    return std::nullopt;
}

const std::string outside = ", outside the coordinate range -2147483646..2147483646";

// Each operation takes its input `past` units further toward an end of the
// range: with 0 its result reaches that end exactly and is the one given, with
// 1 it would go one past and is refused with the reason given.
struct EdgeCase {
    const char* operation;
    std::function<std::string(Coordinate past)> run;
    std::string atTheLimit;
    std::string reasonOnePast;
};

TEST(CoordinateRange, AResultAtTheLimitIsKeptAndOnePastIsRefused) {
    const std::vector<EdgeCase> cases{
        {"raw expansion",
         [](Coordinate past) {
             Polygon p = rect(2147483000, 0, 2147483636 + past, 100);
             p.unvalidatedExpand(10);
             return p.toString();
         },
         "2147482990,-10 2147483646,-10 2147483646,110 2147482990,110",
         "expanding the corner 2147483637,0 by 10 takes x to 2147483647" + outside},
        {"validated expansion",
         [](Coordinate past) { return rect(0, -2147483636 - past, 10, 0).getPolygonExpanded(10).toString(); },
         "-10,-2147483646 20,-2147483646 20,10 -10,10",
         "expanding the corner 0,-2147483637 by 10 takes y to -2147483647" + outside},
        {"holed polygon contraction, the hole growing",
         [](Coordinate past) {
             HoledPolygon shape(rect(2147483000, 0, 2147483646, 100), {rect(2147483600, 40, 2147483636 + past, 60)});
             shape.unvalidatedContract(10);
             return shape.toString();
         },
         "2147483010,10 2147483636,10 2147483636,90 2147483010,90|2147483590,30 2147483646,30 2147483646,70 "
         "2147483590,70",
         "expanding the corner 2147483637,40 by 10 takes x to 2147483647" + outside},
        {"validated set expansion",
         [](Coordinate past) {
             HoledPolygonSet set;
             set.add(HoledPolygon(rect(0, 0, 10, 10)));
             set.add(HoledPolygon(rect(0, 2147483600, 10, 2147483641 + past)));
             return set.getAllPolygonsExpanded(5).toString();
         },
         "-5,-5 15,-5 15,15 -5,15 || -5,2147483595 15,2147483595 15,2147483646 -5,2147483646",
         "expanding the corner 10,2147483642 by 5 takes y to 2147483647" + outside},
        {"segment lengthening",
         [](Coordinate past) {
             Segment cut(0, 0, 2147483642 + past, 0);
             cut.expand(8);
             return cut.toString();
         },
         "-4,0 2147483646,0", "lengthening the segment 0,0 2147483643,0 by 8 takes x to 2147483647" + outside},
        {"cut strip",
         [](Coordinate past) {
             return Math::createRectangularPolygonFromSegment(Segment(0, 2147483644 + past, 10, 2147483644 + past), 4)
                 .toString();
         },
         "0,2147483642 10,2147483642 10,2147483646 0,2147483646",
         "a strip 4 wide along the cut 0,2147483645 10,2147483645 takes y to 2147483647" + outside},
        {"cut lines",
         [](Coordinate past) {
             std::string lines;
             for (const Segment& line : Math::getCutLines(rect(-2147483642 - past, 0, 100, 100),
                                                          {rect(-2147483640 - past, 10, 0, 20)}, 8)) {
                 lines += line.toString() + ";";
             }
             return lines;
         },
         "-2147483644,6 -2147483644,24;-2147483644,6 4,6;-2147483644,24 4,24;4,6 4,24;",
         "expanding the corner -2147483643,0 by 4 takes x to -2147483647" + outside},
        {"packing, the standard sheet grown by half the blade",
         [](Coordinate past) {
             PackingJob job;
             job.sheetLength = 2147483642 + past;
             job.sheetWidth = 100;
             job.bladeWidth = 4;
             job.parts.push_back(Polygon("0,0 10,0 10,10 0,10", "a"));
             return packed(job);
         },
         "group -\n  a 0,0 10,0 10,10 0,10\ntotals 196 196 223338299392\n",
         "moving the standard sheet, grown by half the blade, to the origin takes x to 2147483647" + outside},
        {"placement in a host moved to the origin",
         [](Coordinate past) {
             const Polygon host = poly("-1073741823,0 1073741823,0 1073741823,10 0,10 0,20 " +
                                       std::to_string(-1073741823 - past) + ",20 " +
                                       std::to_string(-1073741823 - past) + ",0");
             Point translation;
             int rotation = 0;
             const bool fits = host.canContain(rect(0, 0, 5, 5), &translation, &rotation);
             return std::to_string(fits) + " " + translation.toString() + " " + std::to_string(rotation);
         },
         "1 -2147483641,-5 0", "moving the host to the origin takes x to 2147483647" + outside},
    };
    for (const EdgeCase& edge : cases) {
        SCOPED_TRACE(edge.operation);
        EXPECT_EQ(edge.run(0), edge.atTheLimit);
        EXPECT_EQ(refusal([&] { edge.run(1); }), edge.reasonOnePast);
    }
}

// A shape moved near an end of the range gives the result it gives near the
// origin, moved likewise, whenever that lies in the range; and an offset is
// refused only where that moved result would leave it (or, shrinking, where
// the edges pass beyond it on their way).
TEST(CoordinateRange, NearTheEndsResultsAreTheOnesFoundNearTheOriginMoved) {
    std::mt19937 random(2147483);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    // A move that takes the box to within a few units of a random end of the
    // range, along each axis.
    auto towardAnEnd = [&](const Rectangle& box) {
        auto along = [&](Coordinate low, Coordinate high) {
            return between(0, 1) ? highestCoordinate - between(0, 12) - high : lowestCoordinate + between(0, 12) - low;
        };
        return Point(along(box.getBottomLeft().x, box.getTopRight().x),
                     along(box.getBottomLeft().y, box.getTopRight().y));
    };
    auto movedText = [](Polygon shape, const Point& by) {
        shape.translate(by);
        return shape.toString();
    };
    auto setMovedText = [&](const PolygonSet& set, const Point& by) {
        std::string text;
        for (const Polygon& member : set.getAllPolygons()) text += movedText(member, by) + ";";
        return text;
    };
    // Whether the result, moved, has a corner outside the range.
    auto leavesTheRange = [](const auto& result, const Point& by) {
        if (result.getPoints().empty()) return false;
        const Rectangle box = result.getBoundingRectangle();
        return !isInCoordinateRange(std::int64_t{box.getBottomLeft().x} + by.x) ||
               !isInCoordinateRange(std::int64_t{box.getBottomLeft().y} + by.y) ||
               !isInCoordinateRange(std::int64_t{box.getTopRight().x} + by.x) ||
               !isInCoordinateRange(std::int64_t{box.getTopRight().y} + by.y);
    };

    for (int trial = 0; trial < 300; ++trial) {
        Polygon shape = Testing::randomRectilinearPolygon(random, 4);
        shape.slideToOrigin();
        const Point by = towardAnEnd(shape.getBoundingRectangle());
        Polygon near = shape;
        near.translate(by);
        const int amount = between(-15, 15);
        SCOPED_TRACE(shape.toString() + " moved by " + by.toString() + ", offset " + std::to_string(amount));

        Polygon raw = shape;
        raw.unvalidatedContract(amount);
        Polygon rawNear = near;
        const std::optional<std::string> rawRefusal = refusal([&] { rawNear.unvalidatedContract(amount); });
        if (!rawRefusal) {
            EXPECT_FALSE(leavesTheRange(raw, by));
            EXPECT_EQ(rawNear.toString(), movedText(raw, by));
        } else if (amount < 0) {
            EXPECT_TRUE(leavesTheRange(raw, by));
        }

        const PolygonSet validated = shape.getPolygonContracted(amount);
        PolygonSet validatedNear;
        const std::optional<std::string> validatedRefusal =
            refusal([&] { validatedNear = near.getPolygonContracted(amount); });
        if (!validatedRefusal) {
            EXPECT_FALSE(leavesTheRange(validated, by));
            EXPECT_EQ(setMovedText(validatedNear, Point(0, 0)), setMovedText(validated, by));
        } else if (amount < 0) {
            EXPECT_TRUE(leavesTheRange(validated, by));
        }
    }

    // Leftovers lie in their sheet: near the ends they are never refused.
    for (int trial = 0; trial < 20; ++trial) {
        const int blade = between(0, 9);
        const Testing::SheetLayout layout = Testing::shelfLayout(random, between(1, 6), blade, 600);
        const Point by = towardAnEnd(layout.sheet.getBoundingRectangle());
        Polygon sheetNear = layout.sheet;
        sheetNear.translate(by);
        PolygonSet parts(layout.parts);
        PolygonSet partsNear = parts;
        partsNear.translate(by);
        SCOPED_TRACE("blade " + std::to_string(blade) + ", sheet " + layout.sheet.toString() + " moved by " +
                     by.toString());
        auto outfallText = [&](const HoledPolygonSet& outfall, const Point& movedBy) {
            std::string text;
            for (const HoledPolygon& piece : outfall.getAllPolygons()) {
                text += movedText(piece.getBasePolygon(), movedBy) + "|";
                for (const Polygon& hole : piece.getHoles()) text += movedText(hole, movedBy) + "|";
            }
            return text;
        };
        EXPECT_EQ(outfallText(Math::getOutfallFrom(sheetNear, partsNear, blade), Point(0, 0)),
                  outfallText(Math::getOutfallFrom(layout.sheet, parts, blade), by));
    }
}

TEST(CoordinateRange, ALeftoverAtTheLowEndKeepsItsKerfAndABladeAsWideAsTheRangeIsRefused) {
    // The sheet grown by half the blade reaches -2147483647, the reserved
    // hole coordinate: worked out away from the end, the leftover is the one
    // the same layout leaves at the origin.
    const HoledPolygonSet leftover =
        Math::getOutfallFrom(poly("-2147483645,0 -2147483625,0 -2147483625,20 -2147483645,20"),
                             PolygonSet({poly("-2147483645,5 -2147483640,5 -2147483640,10 -2147483645,10")}), 4);
    EXPECT_EQ(leftover.getArea(), 283.0f);
    EXPECT_EQ(leftover.toString(),
              "-2147483645,0 -2147483625,0 -2147483625,20 -2147483645,20 -2147483645,14 -2147483636,14 "
              "-2147483636,1 -2147483645,1");
    EXPECT_EQ(Math::getOutfallFrom(rect(0, 0, 20, 20), PolygonSet({rect(0, 5, 5, 10)}), 4).getArea(), 283.0f);

    // Its strips would reach past both ends at once.
    EXPECT_EQ(refusal([] { Math::getOutfallFrom(rect(0, 0, 20, 20), PolygonSet({rect(0, 5, 5, 10)}), 2147483647); }),
              "lengthening the segment -1073741823,-1073741818 1073741828,-1073741818 by 2147483646 takes x to "
              "2147483651" + outside);
}

// The engine lays parts side by side at the origin: over a quarter of the
// range across, such pairs reach beyond it, and are passed over, so the job
// packs as it does a thousand times smaller.
TEST(CoordinateRange, PartsOverAQuarterOfTheRangeAcrossPackAsSmallerOnesDo) {
    auto job = [](Coordinate scale) {
        PackingJob j;
        j.sheetLength = 2000 * scale;
        j.sheetWidth = 1000;
        j.parts = {rect(0, 0, 1200 * scale, 400), rect(0, 0, 1200 * scale, 300), rect(0, 0, 700 * scale, 300)};
        for (std::size_t i = 0; i < j.parts.size(); ++i) j.parts[i].setName(std::string(1, char('a' + i)));
        return j;
    };
    EXPECT_EQ(packed(job(1000000)),
              "group -\n  a 0,600 1200000000,600 1200000000,1000 0,1000\n  b 0,300 1200000000,300 1200000000,600 "
              "0,600\n  c 0,0 700000000,0 700000000,300 0,300\ntotals 1.05e+12 1.2e+12 2e+12\n");
    EXPECT_EQ(packed(job(1000)),
              "group -\n  a 0,600 1200000,600 1200000,1000 0,1000\n  b 0,300 1200000,300 1200000,600 0,600\n  c 0,0 "
              "700000,0 700000,300 0,300\ntotals 1.05e+09 1.2e+09 2e+09\n");
}

}  // namespace

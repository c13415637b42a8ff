#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "RandomHoledPolygons.h"
#include "RandomPolygons.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/ShapeValidation.h"

using namespace Zelkor::Rectilinear;
using namespace Zelkor::Rectilinear::Testing;

namespace {

// The reason a reader gives for refusing the text, or "" when it accepts it.
template <typename Read>
std::string verdictOf(Read read) {
    try {
        read();
        return "";
    } catch (const InvalidPolygonException& e) {
        EXPECT_FALSE(e.getReason().empty());
        return e.getReason();
    }
}

// Holed-polygon texts with a fragment of the reason, or "" when valid. A text
// without "|" is also read as a plain polygon and must get the same verdict.
TEST(ShapeValidationTest, RefusesWhatIsNoShapeAndAcceptsTheRest) {
    const std::string square = "0,0 10,0 10,10 0,10";
    const std::vector<std::pair<std::string, std::string>> cases = {
        // Accepted.
        {"", ""},
        {" ", ""},
        {square, ""},
        {"0,0 0,10 10,10 10,0", ""},                            // clockwise
        {"0,0 5,0 10,0 10,10 0,10", ""},                        // collinear corner
        {"0,0 0,0 10,0 10,10 0,10 0,0", ""},                    // repeated corners
        {"0,0 10,0 10,10 5,10 5,15 5,10 0,10", ""},             // a spike, dropped while building
        {"0,0 8,0 8,8 4,8 4,6 6,6 6,4 4,4 4,6 0,6", ""},        // a corner visited twice
        {"0,0 10,0 10,10 20,10 20,20 10,20 10,10 0,10", ""},    // two squares meeting at a corner
        {square + "|", ""},                                     // a trailing "|" adds no hole
        {square + "||2,2 4,2 4,4 2,4", ""},                     // an empty hole covers nothing
        {square + "|2,2 5,2 5,8 2,8|5,2 8,2 8,8 5,8", ""},      // holes sharing an edge
        {square + "|2,2 4,2 4,4 2,4|4,4 6,4 6,6 4,6", ""},      // holes sharing a corner
        {square + "|0,2 4,2 4,6 0,6", ""},                      // a hole on the base's edge
        {square + "|0,4 10,4 10,6 0,6", ""},                    // a hole across the whole base
        {"0,0 10,0 10,5 5,5 5,10 0,10|3,3 5,3 5,5 3,5", ""},    // a hole touching the base at a point
        // Refused.
        {"5,5", "encloses no area"},
        {"0,0 10,0", "encloses no area"},
        {"0,0 10,0 0,0", "encloses no area"},
        {square + " " + square, "runs over itself from 0,0 to 10,0"},                    // traced twice
        {"0,0 10,0 10,5 20,5 20,0 30,0 30,10 20,10 20,5 10,5 10,10 0,10",                // a corridor of no width
         "runs over itself from 10,5 to 20,5"},
        {"0,0 10,0 10,10 5,10 5,-5 0,-5", "crosses itself at 5,0"},
        {"0,0 10,0|2,2 4,2 4,4 2,4", "the base encloses no area"},
        {"|2,2 4,2 4,4 2,4", "holes without a base"},
        {square + "|2,2 4,2", "hole 1 encloses no area"},
        {"0,0 20,0 20,20 0,20|4,4 12,4 12,12 8,12 8,2 4,2", "hole 1 crosses itself at 8,4"},
        {square + "|5,5 15,5 15,8 5,8", "hole 1 is not inside the base"},
        {square + "|2,2 4,2 4,4 2,4|20,0 30,0 30,10 20,10", "hole 2 is not inside the base"},
        {square + "|-1,-1 11,-1 11,11 -1,11", "hole 1 is not inside the base"},
        {square + "|2,2 6,2 6,6 2,6|4,4 8,4 8,8 4,8", "holes 1 and 2 overlap"},
        {square + "|2,2 8,2 8,5 2,5|2,4 8,4 8,8 2,8", "holes 1 and 2 overlap"},  // no edges cross
        {square + "|" + square, "hole 1 covers the whole base"},
        {square + "|0,0 5,0 5,10 0,10|5,0 10,0 10,10 5,10", "the holes cover the whole base"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        const std::string holedVerdict = verdictOf([&text = text] { Math::readValidHoledPolygon(text); });
        if (expected.empty()) {
            EXPECT_EQ(holedVerdict, "");
        } else {
            EXPECT_NE(holedVerdict.find(expected), std::string::npos) << holedVerdict;
        }
        // The query on the shape as built says the same, except for text
        // that built nothing.
        const std::optional<std::string> query = Math::whatIsWrongWith(HoledPolygon(text));
        if (holedVerdict.find("encloses no area") == std::string::npos) {
            EXPECT_EQ(query.value_or(""), holedVerdict);
        }
        if (text.find('|') != std::string::npos) continue;
        const std::string verdict = verdictOf([&text = text] { Math::readValidPolygon(text, "p"); });
        if (expected.empty()) {
            EXPECT_EQ(verdict, "");
        } else {
            EXPECT_EQ(verdict.rfind("the outline ", 0), 0u) << verdict;
            EXPECT_NE(verdict.find(expected), std::string::npos) << verdict;
        }
    }
}

// Random shapes of the test builders, small and large, are all valid, and so
// is their text read back.
TEST(ShapeValidationTest, RandomValidShapesPass) {
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 300; ++trial) {
        const std::vector<Polygon> polygons = {randomRectilinearPolygon(random, 2 + trial % 7),
                                               randomMonotonePolygon(random, 1 + trial % 20)};
        for (const Polygon& polygon : polygons) {
            EXPECT_EQ(Math::whatIsWrongWith(polygon).value_or(""), "") << polygon;
            EXPECT_NO_THROW(Math::readValidPolygon(polygon.toString(), "")) << polygon;
        }
        const ShapePair pair = randomShapePair(random, static_cast<PairKind>(trial % pairKindCount), 2 + trial % 10, 4);
        for (const HoledPolygon& shape : {pair.first, pair.second}) {
            EXPECT_EQ(Math::whatIsWrongWith(shape).value_or(""), "") << shape;
            EXPECT_NO_THROW(Math::readValidHoledPolygon(shape.toString())) << shape;
        }
    }
    const Polygon skyline = randomSkylinePolygon(random, 20000);
    EXPECT_EQ(Math::whatIsWrongWith(skyline).value_or(""), "");
}

// Random closed walks that cross, touch and retrace themselves: an outline
// passes exactly when no two of its edges share a length and every unit cell
// is wound around zero times or once.
TEST(ShapeValidationTest, RandomWalksAgreeWithTheWindingOfEveryCell) {
    std::mt19937 random(5);
    constexpr Coordinate gridSize = 6;
    int valid = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const Polygon polygon(randomOrthogonalWalk(random, 4 + trial % 8, gridSize), "");
        if (polygon.isEmpty()) continue;
        const std::vector<Point>& corners = polygon.getPoints();
        const std::size_t count = corners.size();
        bool expected = true;
        for (std::size_t i = 0; i < count && expected; ++i) {
            for (std::size_t j = i + 1; j < count && expected; ++j) {
                expected = !overlapCollinearly(corners[i], corners[(i + 1) % count], corners[j],
                                               corners[(j + 1) % count]);
            }
        }
        for (Coordinate x = 0; x < gridSize && expected; ++x) {
            for (Coordinate y = 0; y < gridSize && expected; ++y) {
                int winding = 0;  // edges right of the cell's centre, upward +1, downward -1
                for (std::size_t i = 0; i < count; ++i) {
                    const Point& a = corners[i];
                    const Point& b = corners[(i + 1) % count];
                    if (a.x == b.x && a.x > x && std::min(a.y, b.y) <= y && y < std::max(a.y, b.y)) {
                        winding += b.y > a.y ? 1 : -1;
                    }
                }
                expected = winding == 0 || winding == 1;
            }
        }
        valid += expected ? 1 : 0;
        EXPECT_EQ(!Math::whatIsWrongWith(polygon).has_value(), expected) << polygon;
    }
    EXPECT_GT(valid, 100);
}

}  // namespace

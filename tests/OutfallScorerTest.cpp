#include <gtest/gtest.h>

#include <iomanip>
#include <random>
#include <sstream>
#include <string>

#include "RandomPolygons.h"
#include "ShapeBuilders.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/OutlineSimplicity.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/OutfallScorer.h"
#include "geometry/WhiteSpaceInformation.h"

using namespace Zelkor::Rectilinear;

namespace {

std::string describe(const WhiteSpaceInformation& s) {
    std::ostringstream text;
    text << std::setprecision(9) << "{pieces " << s.getPiecesOfOutfall() << " area " << s.getAreaOfLargestOutfall() << " sides "
         << s.getNumberOfSidesOfOutfall() << "}";
    return text.str();
}

Polygon scaled(const Polygon& polygon, Coordinate factor) {
    std::vector<Point> points = polygon.getPoints();
    for (Point& p : points) p = Point(p.x * factor, p.y * factor);
    return Polygon(points, "");
}

}  // namespace

// Every answer the scorer gives, at every place where the host holds the set,
// is the score of the outfall subtracted and contracted the plain way; also
// where the shapes are drawn so large that a float rounds their areas, and
// far from the origin.
TEST(OutfallScorerDifferential, AnswersAgreeWithThePlainScore) {
    std::mt19937 random(2024);
    int answered = 0, answeredLarge = 0, answeredFrames = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const bool large = trial % 4 == 3;
        const Coordinate unit = large ? (1 << 17) + static_cast<Coordinate>(random() % 64) : 1;
        Polygon host = trial % 3 == 0 ? Testing::rect(0, 0, (10 + static_cast<Coordinate>(random() % 30)) * unit,
                                                      (8 + static_cast<Coordinate>(random() % 20)) * unit)
                                      : scaled(Testing::randomRectilinearPolygon(random, 4 + static_cast<int>(random() % 4)), 4 * unit);
        host.slideToOrigin();
        if (!Math::meetsItselfNowhere(host.getPoints())) continue;  // the search scores those the plain way
        PolygonSet parts;
        Coordinate left = 0;
        const Point away = large ? Point(-(1 << 28), static_cast<Coordinate>(random() % (1 << 24))) : Point(0, 0);
        // Or a frame of four bars a unit apart, which grown closes round a piece of outfall.
        const bool frame = large && trial % 8 == 7;
        if (frame) {
            const Coordinate bar = 2 * unit, inside = (2 + static_cast<Coordinate>(random() % 4)) * unit;
            const Coordinate side = 2 * bar + inside;
            parts.add(Testing::rect(away.x, away.y, away.x + side, away.y + bar));
            parts.add(Testing::rect(away.x, away.y + bar + inside, away.x + side, away.y + side));
            parts.add(Testing::rect(away.x, away.y + bar + 1, away.x + bar, away.y + bar + inside - 1));
            parts.add(Testing::rect(away.x + bar + inside, away.y + bar + 1, away.x + side, away.y + bar + inside - 1));
        }
        for (int m = frame ? 0 : 1 + static_cast<int>(random() % 4); m > 0; --m) {
            Polygon part = scaled(Testing::randomRectilinearPolygon(random, 2 + static_cast<int>(random() % 2)), 2 * unit);
            part.slideToOrigin();
            part.translate(Point(left + away.x, static_cast<Coordinate>(random() % 3) * unit + away.y));
            left = part.getBoundingRectangle().getTopRight().x - away.x - static_cast<Coordinate>(random() % 2) * unit;
            parts.add(part);
        }
        PolygonSet set;
        try {
            set = parts.booleanAddAndSimplifyAll(nullptr);
        } catch (const InvalidPolygonException&) {
            continue;
        }
        const int contraction = frame ? 1 + static_cast<int>(random() % 3) : static_cast<int>(random() % 4);
        OutfallScorer scorer(set, contraction);
        scorer.placeHost(host);
        for (const Point& t : set.getAllTranslationsForPositions(host.getPoints())) {
            Polygon moved = host;
            moved.translate(t);
            if (!moved.contains(set)) continue;
            const std::optional<WhiteSpaceInformation> score = scorer.score(t);
            if (!score) continue;
            ++(large ? answeredLarge : answered);
            answeredFrames += frame ? 1 : 0;
            ASSERT_EQ(describe(*score), describe(moved.whiteSpaceScore(set, contraction)))
                << "host " << host.toString() << " set " << set.toString() << " at " << t.x << "," << t.y
                << " contraction " << contraction;
        }
    }
    EXPECT_GT(answered, 2000);
    EXPECT_GT(answeredLarge, 500);
    EXPECT_GT(answeredFrames, 50);
}

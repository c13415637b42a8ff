#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "RandomPolygons.h"
#include "ShapeBuilders.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/OutfallScorer.h"
#include "geometry/WhiteSpaceInformation.h"

using namespace Zelkor::Rectilinear;

namespace {

std::string describe(const WhiteSpaceInformation& s) {
    std::ostringstream text;
    text << "{pieces " << s.getPiecesOfOutfall() << " area " << s.getAreaOfLargestOutfall() << " sides "
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
// is the score of the outfall subtracted and contracted the plain way.
TEST(OutfallScorerDifferential, AnswersAgreeWithThePlainScore) {
    std::mt19937 random(2024);
    int answered = 0;
    for (int trial = 0; trial < 300; ++trial) {
        Polygon host = trial % 3 == 0 ? Testing::rect(0, 0, 10 + static_cast<Coordinate>(random() % 30),
                                                      8 + static_cast<Coordinate>(random() % 20))
                                      : scaled(Testing::randomRectilinearPolygon(random, 4 + static_cast<int>(random() % 4)), 4);
        host.slideToOrigin();
        PolygonSet parts;
        Coordinate left = 0;
        for (int m = 1 + static_cast<int>(random() % 4); m > 0; --m) {
            Polygon part = scaled(Testing::randomRectilinearPolygon(random, 2 + static_cast<int>(random() % 2)), 2);
            part.slideToOrigin();
            part.translate(Point(left, static_cast<Coordinate>(random() % 3)));
            left = part.getBoundingRectangle().getTopRight().x - static_cast<Coordinate>(random() % 2);
            parts.add(part);
        }
        PolygonSet set;
        try {
            set = parts.booleanAddAndSimplifyAll(nullptr);
        } catch (const InvalidPolygonException&) {
            continue;
        }
        const int contraction = static_cast<int>(random() % 4);
        OutfallScorer scorer(set, contraction);
        scorer.placeHost(host);
        for (const Point& t : set.getAllTranslationsForPositions(host.getPoints())) {
            Polygon moved = host;
            moved.translate(t);
            if (!moved.contains(set)) continue;
            const std::optional<WhiteSpaceInformation> score = scorer.score(t);
            if (!score) continue;
            ++answered;
            ASSERT_EQ(describe(*score), describe(moved.whiteSpaceScore(set, contraction)))
                << "host " << host.toString() << " set " << set.toString() << " at " << t.x << "," << t.y
                << " contraction " << contraction;
        }
    }
    EXPECT_GT(answered, 2000);
}

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "RandomPartClusters.h"
#include "RandomPolygons.h"
#include "RandomShapes.h"
#include "ShapeBuilders.h"
#include "geometry/Exception.h"
#include "geometry/ExactArea.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/MergedOutline.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/ColumnCover.h"
#include "placement/HostRegion.h"
#include "placement/HostSearch.h"
#include "geometry/WhiteSpaceInformation.h"
#include "reference/LiteralPlacement.h"

using namespace Zelkor::Rectilinear;

namespace {

Polygon poly(const std::string& text, const std::string& name = "") {
    return Polygon(text, name);
}

using Testing::rect;

PolygonSet setOf(const std::vector<Polygon>& members) {
    PolygonSet set;
    for (const Polygon& p : members) set.add(p);
    return set;
}

HoledPolygonSet outfallOf(const std::vector<Polygon>& pieces) {
    HoledPolygonSet outfall;
    for (const Polygon& p : pieces) outfall.add(HoledPolygon(p));
    return outfall;
}

const Polygon lHost = poly("0,0 10,0 10,4 4,4 4,10 0,10");

// The translations of one rotation that hold the set, in walking order,
// found candidate by candidate.
std::vector<Point> feasibleTranslations(const Polygon& host, const PolygonSet& set, int rotation) {
    Polygon turned = host;
    turned.rotateAboutOrigin(rotation);
    turned.slideToOrigin();
    std::vector<Point> feasible;
    for (const Point& t : set.getAllTranslationsForPositions(turned.getPoints())) {
        Polygon moved = turned;
        moved.translate(t);
        if (moved.contains(set)) feasible.push_back(t);
    }
    return feasible;
}

// The stream form of the exception `run` throws, or "" when it returns.
template <typename Run>
std::string failureOf(Run&& run) {
    try {
        run();
        return "";
    } catch (const Zelkor::Exception& e) {
        std::ostringstream text;
        text << e;
        return text.str();
    }
}

std::string describeScore(const WhiteSpaceInformation& s) {
    std::ostringstream text;
    text << "{set " << s.isSet() << " pieces " << s.getPiecesOfOutfall() << " area " << s.getAreaOfLargestOutfall()
         << " sides " << s.getNumberOfSidesOfOutfall() << "}";
    return text.str();
}

}  // namespace

TEST(CandidateTranslations, FullGridOfDistinctOffsetsInWalkingOrder) {
    const Polygon bar = poly("0,0 2,0 2,1 0,1");
    const std::vector<Point> positions{{5, 5}, {7, 9}};
    // x offsets {0, 2} - {5, 7} = {-7, -5, -3}; y offsets {0, 1} - {5, 9} = {-9, -8, -5, -4}.
    std::vector<Point> expected;
    for (Coordinate x : {-7, -5, -3}) {
        for (Coordinate y : {-9, -8, -5, -4}) expected.emplace_back(x, y);
    }
    EXPECT_EQ(bar.getAllTranslationsForPositions(positions), expected);
    // A set offers the corners of all its members.
    EXPECT_EQ(setOf({bar, poly("2,1 0,1 0,0 2,0")}).getAllTranslationsForPositions(positions), expected);
    EXPECT_TRUE(bar.getAllTranslationsForPositions({}).empty());
    EXPECT_TRUE(PolygonSet().getAllTranslationsForPositions(positions).empty());
}

TEST(CandidateTranslations, AgreeWithTheLiteralGrid) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 300; ++trial) {
        const std::vector<Point> own = Testing::randomOrthogonalWalk(random, 2 + 2 * static_cast<int>(random() % 4), 30);
        const std::vector<Point> possible = Testing::randomOrthogonalWalk(random, 2 + 2 * static_cast<int>(random() % 6), 30);
        PolygonSet set;
        try {
            set.add(Polygon(own, ""));
        } catch (const InvalidPolygonException&) {
            continue;
        }
        ASSERT_EQ(set.getAllTranslationsForPositions(possible),
                  Reference::translationsForPositions(set.getPoints(), possible))
            << Testing::describe(own) << " / " << Testing::describe(possible);
    }
}

TEST(WhiteSpaceInformation, CountsPiecesAndKeepsTheFirstOfEqualLargestPieces) {
    const WhiteSpaceInformation unset;
    EXPECT_FALSE(unset.isSet());
    EXPECT_EQ(unset.getPiecesOfOutfall(), 0);
    EXPECT_EQ(unset.getAreaOfLargestOutfall(), 0.0f);
    EXPECT_EQ(unset.getNumberOfSidesOfOutfall(), 0);

    // An L and a square of equal area: the earlier piece stays the largest.
    const Polygon l = poly("0,0 20,0 20,4 4,4 4,9 0,9");  // area 80 + 20 = 100, 6 sides
    WhiteSpaceInformation score(outfallOf({rect(0, 0, 5, 5), l, rect(0, 0, 10, 10)}), 1);
    EXPECT_TRUE(score.isSet());
    EXPECT_EQ(score.getPiecesOfOutfall(), 3);
    EXPECT_EQ(score.getAreaOfLargestOutfall(), 100.0f);
    EXPECT_EQ(score.getNumberOfSidesOfOutfall(), 6);

    // Adding counts on; only a strictly larger piece replaces the largest.
    score.addOutfall(outfallOf({rect(0, 0, 10, 10)}), 1);
    EXPECT_EQ(score.getPiecesOfOutfall(), 4);
    EXPECT_EQ(score.getNumberOfSidesOfOutfall(), 6);
    score.addOutfall(outfallOf({rect(0, 0, 11, 10)}), 1);
    EXPECT_EQ(score.getAreaOfLargestOutfall(), 110.0f);
    EXPECT_EQ(score.getNumberOfSidesOfOutfall(), 4);
    score.addOutfall(HoledPolygonSet(), 1);
    EXPECT_EQ(score.getPiecesOfOutfall(), 5);
}

TEST(WhiteSpaceInformation, IsBetterOrdersByLargestPieceThenSidesThenPieces) {
    const WhiteSpaceInformation unset;
    const WhiteSpaceInformation big(outfallOf({rect(0, 0, 10, 10), rect(0, 0, 1, 1), rect(0, 0, 1, 1)}), 1);
    const WhiteSpaceInformation small(outfallOf({rect(0, 0, 5, 5)}), 1);
    const WhiteSpaceInformation emptySet(HoledPolygonSet(), 1);
    EXPECT_FALSE(unset.isBetter(unset));
    EXPECT_TRUE(small.isBetter(unset));
    EXPECT_TRUE(emptySet.isBetter(unset)) << "a set score beats an unset one even with no outfall";
    EXPECT_FALSE(unset.isBetter(small));
    // A larger largest piece wins even with more pieces.
    EXPECT_TRUE(big.isBetter(small));
    EXPECT_FALSE(small.isBetter(big));
    // Equal largest areas: fewer sides, then fewer pieces.
    const WhiteSpaceInformation square(outfallOf({rect(0, 0, 10, 10)}), 1);
    const WhiteSpaceInformation lShape(outfallOf({poly("0,0 20,0 20,4 4,4 4,9 0,9")}), 1);
    const WhiteSpaceInformation squareAndCrumb(outfallOf({rect(0, 0, 10, 10), rect(0, 0, 1, 1)}), 1);
    EXPECT_TRUE(square.isBetter(lShape));
    EXPECT_FALSE(lShape.isBetter(square));
    EXPECT_TRUE(square.isBetter(squareAndCrumb));
    EXPECT_FALSE(squareAndCrumb.isBetter(square));
    // Equal scores never beat each other.
    const WhiteSpaceInformation sameSquare(outfallOf({rect(5, 5, 15, 15)}), 3);
    EXPECT_FALSE(square.isBetter(sameSquare));
    EXPECT_FALSE(sameSquare.isBetter(square));
}

TEST(HostPlacement, WhiteSpaceScoreMeasuresTheContractedOutfall) {
    const Polygon host = rect(0, 0, 10, 10);
    const WhiteSpaceInformation score = host.whiteSpaceScore(setOf({rect(0, 0, 10, 4)}), 1);
    EXPECT_TRUE(score.isSet());
    EXPECT_EQ(score.getPiecesOfOutfall(), 1);
    EXPECT_EQ(score.getAreaOfLargestOutfall(), 32.0f);  // 10 x 6 shrunk to 8 x 4
    EXPECT_EQ(score.getNumberOfSidesOfOutfall(), 4);
    // A sliver too thin for the blade is no outfall at all.
    const WhiteSpaceInformation sliver = host.whiteSpaceScore(setOf({rect(0, 0, 9, 10)}), 1);
    EXPECT_TRUE(sliver.isSet());
    EXPECT_EQ(sliver.getPiecesOfOutfall(), 0);
    EXPECT_EQ(sliver.getAreaOfLargestOutfall(), 0.0f);
}

TEST(HostPlacement, SetWhoseBoxFitsInNeitherOrientationIsRefused) {
    Point translation(7, 7);
    int rotation = 5;
    WhiteSpaceInformation score;
    // 10 x 4 against 5 x 9: the larger sides, 10 and 9, decide.
    const PolygonSet set = setOf({rect(0, 0, 10, 4)});
    EXPECT_FALSE(rect(0, 0, 5, 9).canContain(set, &translation, &rotation));
    EXPECT_FALSE(poly("0,0 5,0 5,9 0,9").getBestPositionOfSetWithin(set, &translation, &rotation, &score, 1));
    EXPECT_FALSE(poly("0,0 5,0 5,4 2,4 2,9 0,9").canContain(set, &translation, &rotation));
    EXPECT_EQ(translation, Point(7, 7));
    EXPECT_EQ(rotation, 5);
    EXPECT_FALSE(score.isSet());
}

TEST(HostPlacement, RectangularHostAnswersYesFromItsBoxAlone) {
    Point translation(7, 7);
    int rotation = 5;
    // The set fits only when the host is turned; the answer names no position.
    EXPECT_TRUE(rect(0, 0, 10, 5).canContain(rect(0, 0, 4, 10), &translation, &rotation));
    EXPECT_EQ(rotation, 0);
    EXPECT_TRUE(translation.isHole());
    EXPECT_TRUE(rect(0, 0, 10, 5).canContain(rect(0, 0, 4, 10)));
}

TEST(HostPlacement, RectangularHostsTryOnlyTheirDistinctTurnsForTheBestPosition) {
    Point translation;
    int rotation = -1;
    WhiteSpaceInformation score;
    // A tall set in a wide host: found with the host turned once.
    ASSERT_TRUE(rect(0, 0, 10, 4).getBestPositionOfSetWithin(setOf({rect(0, 0, 4, 10)}), &translation, &rotation,
                                                              &score, 1));
    EXPECT_EQ(rotation, 1);
    EXPECT_EQ(translation, Point(0, 0));
    // A start rotation above the last one tried: nothing is tried.
    const int two = 2;
    const int one = 1;
    EXPECT_FALSE(rect(0, 0, 10, 4).getBestPositionOfSetWithin(setOf({rect(0, 0, 2, 2)}), &translation, &rotation,
                                                               &score, 1, nullptr, &two));
    EXPECT_FALSE(rect(0, 0, 10, 10).getBestPositionOfSetWithin(setOf({rect(0, 0, 2, 2)}), &translation, &rotation,
                                                                &score, 1, nullptr, &one));
    EXPECT_TRUE(lHost.getBestPositionOfSetWithin(setOf({rect(0, 0, 2, 2)}), &translation, &rotation, &score, 1,
                                                 nullptr, &two));
}

TEST(HostPlacement, EqualScoresKeepTheFirstCandidate) {
    Point translation;
    int rotation = -1;
    WhiteSpaceInformation score;
    const Polygon square = rect(0, 0, 10, 10);
    // The strip at the host's top (y offset -8) or bottom (0) leaves the same
    // outfall; the lower y offset is tried first.
    ASSERT_TRUE(square.getBestPositionOfSetWithin(setOf({rect(0, 0, 10, 2)}), &translation, &rotation, &score, 1));
    EXPECT_EQ(translation, Point(0, -8));
    EXPECT_EQ(rotation, 0);
    EXPECT_EQ(score.getAreaOfLargestOutfall(), 48.0f);
    // The same across x.
    ASSERT_TRUE(square.getBestPositionOfSetWithin(setOf({rect(0, 0, 2, 10)}), &translation, &rotation, &score, 1));
    EXPECT_EQ(translation, Point(-8, 0));
    // A cross looks the same after every quarter turn: rotation 0 wins.
    const Polygon cross = poly("0,3 3,3 3,0 6,0 6,3 9,3 9,6 6,6 6,9 3,9 3,6 0,6");
    const PolygonSet small = setOf({rect(0, 0, 2, 2)});
    ASSERT_TRUE(cross.getBestPositionOfSetWithin(small, &translation, &rotation, &score, 1));
    EXPECT_EQ(rotation, 0);
    Point expectedTranslation;
    int expectedRotation = -1;
    WhiteSpaceInformation expectedScore;
    ASSERT_TRUE(Reference::getPositionOfSetWithin(cross, small, &expectedTranslation, &expectedRotation, &expectedScore,
                                                  true, 1, nullptr, nullptr));
    EXPECT_EQ(translation, expectedTranslation);
    EXPECT_EQ(describeScore(score), describeScore(expectedScore));
}

TEST(HostPlacement, StartRotationAndTranslationSkipEarlierCandidates) {
    const PolygonSet set = setOf({rect(0, 0, 3, 3)});
    const std::vector<Point> atTwo = feasibleTranslations(lHost, set, 2);
    const std::vector<Point> atThree = feasibleTranslations(lHost, set, 3);
    ASSERT_GE(atTwo.size(), 2u);
    ASSERT_FALSE(atThree.empty());
    Point translation;
    int rotation = -1;
    const int two = 2;

    ASSERT_TRUE(lHost.getPositionOfSetWithin(set, &translation, &rotation, nullptr, false, 1, nullptr, &two));
    EXPECT_EQ(rotation, 2);
    EXPECT_EQ(translation, atTwo[0]);

    ASSERT_TRUE(lHost.getPositionOfSetWithin(set, &translation, &rotation, nullptr, false, 1, &atTwo[1], &two));
    EXPECT_EQ(rotation, 2);
    EXPECT_EQ(translation, atTwo[1]);

    // Starting from the last candidate of rotation 2 (outside the host) goes on to rotation 3.
    Polygon turned = lHost;
    turned.rotateAboutOrigin(2);
    turned.slideToOrigin();
    const Point lastOfTwo = set.getAllTranslationsForPositions(turned.getPoints()).back();
    ASSERT_TRUE(lHost.getPositionOfSetWithin(set, &translation, &rotation, nullptr, false, 1, &lastOfTwo, &two));
    EXPECT_EQ(rotation, 3);
    EXPECT_EQ(translation, atThree[0]);

    // A start translation that no rotation offers: nothing is ever tried.
    const Point nowhere(12345, 6789);
    EXPECT_FALSE(lHost.getPositionOfSetWithin(set, &translation, &rotation, nullptr, false, 1, &nowhere, &two));
    // A hole point as start translation means none.
    const Point hole;
    ASSERT_TRUE(lHost.getPositionOfSetWithin(set, &translation, &rotation, nullptr, false, 1, &hole, &two));
    EXPECT_EQ(translation, atTwo[0]);
}

TEST(HostPlacement, HolesTheSetEnclosesCountInTheFinalScoreOnly) {
    // A U and a lid enclosing a 4 x 6 hole, in a 12 x 10 host.
    const PolygonSet set = setOf({poly("0,0 8,0 8,8 6,8 6,2 2,2 2,8 0,8"), poly("0,8 8,8 8,10 0,10")});
    const Polygon host = rect(0, 0, 12, 10);
    Point translation;
    int rotation = -1;
    WhiteSpaceInformation score;
    ASSERT_TRUE(host.getBestPositionOfSetWithin(set, &translation, &rotation, &score, 1));
    EXPECT_EQ(rotation, 0);
    EXPECT_EQ(translation, Point(-4, 0));
    // The 4 x 10 outfall (8 x 2 after contraction, area 16) and the hole (2 x 4).
    EXPECT_EQ(score.getPiecesOfOutfall(), 2);
    EXPECT_EQ(score.getAreaOfLargestOutfall(), 16.0f);
    // The place itself was chosen on the outline alone.
    Polygon placedHost = host;
    placedHost.translate(translation);
    EXPECT_EQ(placedHost.whiteSpaceScore(set.booleanAddAndSimplifyAll(nullptr), 1).getPiecesOfOutfall(), 1);
}

TEST(HostPlacement, SetWhoseUnionDoesNotCloseIsSearchedMemberByMember) {
    const PolygonSet set = setOf({poly("5,3 6,3 6,6 2,6 2,1 5,1"), poly("2,2 3,2 3,3 2,3"),
                                  poly("5,0 4,0 4,5 5,5 5,3 1,3 1,1 5,1")});
    PolygonSet holes;
    ASSERT_THROW(set.booleanAddAndSimplifyAll(&holes), InvalidPolygonException);
    const Polygon host = poly("0,0 20,0 20,10 10,10 10,20 0,20");
    Point translation;
    int rotation = -1;
    WhiteSpaceInformation score;
    Point expectedTranslation;
    int expectedRotation = -1;
    ASSERT_TRUE(host.canContain(set, &translation, &rotation));
    ASSERT_TRUE(Reference::getPositionOfSetWithin(host, set, &expectedTranslation, &expectedRotation, nullptr, false, 1,
                                                  nullptr, nullptr));
    EXPECT_EQ(translation, expectedTranslation);
    EXPECT_EQ(rotation, expectedRotation);
    // Only the merge is forgiven: scoring these self-crossing members fails as it would anywhere.
    EXPECT_THROW(host.getBestPositionOfSetWithin(set, &translation, &rotation, &score, 1), InvalidPolygonException);
}

TEST(HostPlacement, MoveSetToBestPositionMovesTheSetOrNothing) {
    PolygonSet set = setOf({poly("100,100 103,100 103,102 100,102", "a"), poly("103,100 105,100 105,106 103,106", "b")});
    PolygonSet expected = set;
    ASSERT_TRUE(lHost.moveSetToBestPositionWithin(set, 1));
    ASSERT_TRUE(Reference::moveSetToBestPositionWithin(lHost, expected, 1));
    EXPECT_EQ(set.toString(), expected.toString());
    EXPECT_TRUE(lHost.contains(set));
    EXPECT_EQ(set.getPolygon(0).getName(), "a");
    EXPECT_EQ(set.getPolygon(1).getName(), "b");

    PolygonSet tooBig = setOf({poly("100,100 107,100 107,107 100,107", "big")});
    const std::string before = tooBig.toString();
    EXPECT_FALSE(lHost.moveSetToBestPositionWithin(tooBig, 1));
    EXPECT_EQ(tooBig.toString(), before);
    EXPECT_EQ(tooBig.getPolygon(0).getName(), "big");
}

TEST(HostPlacement, PositionPolygonWithinTakesTheFirstFit) {
    Polygon polygon = poly("50,50 58,50 58,52 50,52");  // 8 x 2: fits the L's foot, or its leg when turned
    Polygon expected = polygon;
    ASSERT_TRUE(lHost.positionPolygonWithin(polygon));
    ASSERT_TRUE(Reference::positionPolygonWithin(lHost, expected));
    EXPECT_EQ(polygon.toString(), expected.toString());
    EXPECT_TRUE(lHost.contains(polygon));

    // No fit: the polygon is left where the last candidate put it.
    Polygon tooBig = poly("0,0 6,0 6,6 0,6");
    Polygon expectedTooBig = tooBig;
    EXPECT_FALSE(lHost.positionPolygonWithin(tooBig));
    EXPECT_FALSE(Reference::positionPolygonWithin(lHost, expectedTooBig));
    EXPECT_EQ(tooBig.toString(), expectedTooBig.toString());
}

TEST(HostPlacement, PositionAtOuterCornerStartsBeyondTheTopRight) {
    Polygon polygon = rect(-3, -4, 2, 3);
    polygon.positionAtOuterCornerOf(rect(5, 5, 10, 8));
    EXPECT_EQ(polygon.getBoundingRectangle().getBottomLeft(), Point(10, 8));
    EXPECT_EQ(polygon.getBoundingRectangle().getTopRight(), Point(15, 15));

    PolygonSet set = setOf({rect(0, 0, 1, 1), rect(4, 2, 6, 3)});
    set.positionAtOuterCornerOf(rect(5, 5, 10, 8));
    EXPECT_EQ(set.toString(), setOf({rect(10, 8, 11, 9), rect(14, 10, 16, 11)}).toString());
    set.positionAtOuterCornerOf(setOf({rect(0, 0, 1, 1), rect(20, 0, 21, 30)}));
    EXPECT_EQ(set.getBoundingRectangle().getBottomLeft(), Point(21, 30));
}

TEST(HostRegion, AgreesWithPolygonContains) {
    std::mt19937 random(7);
    int indexedAnswers = 0;
    for (int trial = 0; trial < 400; ++trial) {
        Polygon host;
        if (trial % 4 == 3) {
            try {
                host = Polygon(Testing::randomOrthogonalWalk(random, 4 + 2 * static_cast<int>(random() % 5), 12), "");
            } catch (const InvalidPolygonException&) {
                continue;
            }
        } else {
            host = Testing::randomRectilinearPolygon(random, 2 + static_cast<int>(random() % 6));
        }
        const HostRegion region(host);
        for (int query = 0; query < 40; ++query) {
            Polygon candidate;
            if (query % 3 == 0) {
                candidate = Testing::randomRectilinearPolygon(random, 1 + static_cast<int>(random() % 3));
            } else {
                std::uniform_int_distribution<Coordinate> c(-12, 20);
                const Coordinate x = c(random), y = c(random);
                candidate = rect(x, y, x + 1 + static_cast<Coordinate>(random() % 6), y + 1 + static_cast<Coordinate>(random() % 6));
            }
            const Point t(static_cast<Coordinate>(random() % 9) - 4, static_cast<Coordinate>(random() % 9) - 4);
            const HostRegion::Answer answer = region.containsTranslated(candidate, t.x, t.y);
            if (answer == HostRegion::Answer::unknown) continue;
            ++indexedAnswers;
            Polygon moved = candidate;
            moved.translate(t);
            ASSERT_EQ(answer == HostRegion::Answer::yes, host.contains(moved))
                << "host " << host << " candidate " << candidate << " moved by " << t;
        }
    }
    EXPECT_GT(indexedAnswers, 8000);
    // Two squares meeting at a corner, traced as one outline, are not indexed.
    EXPECT_FALSE(HostRegion(poly("0,0 4,0 4,4 8,4 8,8 4,8 4,4 0,4")).isIndexed());
    EXPECT_TRUE(HostRegion(lHost).isIndexed());
}

// The searches against the candidate-by-candidate procedures on random hosts
// (simple or self-touching) and sets of one to three members.
TEST(HostPlacementDifferential, SearchesAgreeWithTheLiteralProcedures) {
    std::mt19937 random(2024);
    int found = 0;
    for (int trial = 0; trial < 400; ++trial) {
        Polygon host;
        if (trial % 5 == 4) {
            try {
                host = Polygon(Testing::randomOrthogonalWalk(random, 6 + 2 * static_cast<int>(random() % 4), 14), "");
            } catch (const InvalidPolygonException&) {
                continue;
            }
        } else {
            host = Testing::randomRectilinearPolygon(random, 3 + static_cast<int>(random() % 5));
        }
        PolygonSet set;
        const int members = 1 + static_cast<int>(random() % 3);
        for (int m = 0; m < members; ++m) {
            std::uniform_int_distribution<Coordinate> c(-5, 8);
            const Coordinate x = c(random), y = c(random);
            if (random() % 3 == 0) {
                Polygon p = Testing::randomRectilinearPolygon(random, 2);
                p.translate(Point(x, y));
                set.add(p);
            } else {
                set.add(rect(x, y, x + 1 + static_cast<Coordinate>(random() % 4), y + 1 + static_cast<Coordinate>(random() % 4)));
            }
        }
        const bool best = trial % 3 == 0;
        const int contraction = static_cast<int>(random() % 3);
        Point startTranslation;
        int startRotation = 0;
        const bool useStart = random() % 4 == 0;
        if (useStart) {
            startRotation = static_cast<int>(random() % 3);
            Polygon turned = host;
            turned.rotateAboutOrigin(startRotation);
            turned.slideToOrigin();
            const std::vector<Point> grid = set.getAllTranslationsForPositions(turned.getPoints());
            if (!grid.empty()) startTranslation = grid[random() % grid.size()];
        }
        const Point* startT = useStart ? &startTranslation : nullptr;
        const int* startR = useStart ? &startRotation : nullptr;

        Point translation(1, 1), expectedTranslation(1, 1);
        int rotation = -9, expectedRotation = -9;
        WhiteSpaceInformation score, expectedScore;
        bool answer = false, expected = false;
        const std::string failure = failureOf([&] {
            answer = host.getPositionOfSetWithin(set, &translation, &rotation, &score, best, contraction, startT, startR);
        });
        const std::string expectedFailure = failureOf([&] {
            expected = Reference::getPositionOfSetWithin(host, set, &expectedTranslation, &expectedRotation,
                                                         &expectedScore, best, contraction, startT, startR);
        });
        const std::string input = "host " + host.toString() + " set " + set.toString() + (best ? " best" : " yes-or-no") +
                                  " start " + startTranslation.toString() + " r" + std::to_string(startRotation) +
                                  (useStart ? "" : " (unused)");
        ASSERT_EQ(failure, expectedFailure) << input;
        ASSERT_EQ(answer, expected) << input;
        ASSERT_EQ(translation, expectedTranslation) << input;
        ASSERT_EQ(rotation, expectedRotation) << input;
        ASSERT_EQ(describeScore(score), describeScore(expectedScore)) << input;
        found += answer ? 1 : 0;

        if (trial % 4 == 0) {
            PolygonSet moved = set, expectedMoved = set;
            bool movedAnswer = false, expectedMovedAnswer = false;
            const std::string moveFailure = failureOf([&] { movedAnswer = host.moveSetToBestPositionWithin(moved, contraction); });
            const std::string expectedMoveFailure = failureOf(
                [&] { expectedMovedAnswer = Reference::moveSetToBestPositionWithin(host, expectedMoved, contraction); });
            ASSERT_EQ(moveFailure, expectedMoveFailure) << input;
            ASSERT_EQ(movedAnswer, expectedMovedAnswer) << input;
            ASSERT_EQ(moved.toString(), expectedMoved.toString()) << input;
        }
        Polygon single = set.getPolygon(0), expectedSingle = set.getPolygon(0);
        ASSERT_EQ(host.positionPolygonWithin(single), Reference::positionPolygonWithin(host, expectedSingle)) << input;
        ASSERT_EQ(single.toString(), expectedSingle.toString()) << input;
    }
    EXPECT_GT(found, 100);
}

// Best places with contractions of one to three on sets of touching parts, as
// the packing engine scores them, in polygonal and rectangular hosts, against
// the plain procedure.
TEST(HostPlacementDifferential, BestPlacesOfTouchingPartsAgreeWithTheLiteralProcedure) {
    std::mt19937 random(77);
    auto scaled = [](const Polygon& polygon, Coordinate factor) {
        std::vector<Point> points = polygon.getPoints();
        for (Point& p : points) p = Point(p.x * factor, p.y * factor);
        return Polygon(points, "");
    };
    int found = 0;
    for (int trial = 0; trial < 500; ++trial) {
        // Every other host a rectangle: sets small beside it float in many places.
        const Polygon host =
            trial % 2 == 0 ? scaled(Testing::randomRectilinearPolygon(random, 4 + static_cast<int>(random() % 4)), 4)
                           : rect(0, 0, 12 + static_cast<Coordinate>(random() % 30),
                                  10 + static_cast<Coordinate>(random() % 20));
        PolygonSet set;
        Coordinate left = 0;
        for (int m = 1 + static_cast<int>(random() % 4); m > 0; --m) {
            Polygon part = scaled(Testing::randomRectilinearPolygon(random, 2 + static_cast<int>(random() % 2)), 2);
            part.slideToOrigin();
            part.translate(Point(left, static_cast<Coordinate>(random() % 3)));
            left = part.getBoundingRectangle().getTopRight().x;
            set.add(part);
        }
        const int contraction = 1 + static_cast<int>(random() % 3);
        Point translation, expectedTranslation;
        int rotation = -9, expectedRotation = -9;
        WhiteSpaceInformation score, expectedScore;
        const bool answer = host.getBestPositionOfSetWithin(set, &translation, &rotation, &score, contraction);
        const bool expected = Reference::getPositionOfSetWithin(host, set, &expectedTranslation, &expectedRotation,
                                                                &expectedScore, true, contraction, nullptr, nullptr);
        const std::string input = "host " + host.toString() + " set " + set.toString() + " contraction " +
                                  std::to_string(contraction);
        ASSERT_EQ(answer, expected) << input;
        ASSERT_EQ(translation, expectedTranslation) << input;
        ASSERT_EQ(rotation, expectedRotation) << input;
        ASSERT_EQ(describeScore(score), describeScore(expectedScore)) << input;
        found += answer ? 1 : 0;
    }
    EXPECT_GT(found, 300);
}

// A group known by its region (its merged outlines as boxes, its holes shrunk)
// and one more part beside it is placed and scored exactly as the group with
// the part merged, whenever the region answers at all: random groups, parts
// touching at corners, parts closing a U into a ring, hosts as large as the
// pair or a little larger, starts at the first corner and none.
TEST(HostPlacementDifferential, RegionOfAGroupAndAPartScoresLikeTheMergedSet) {
    std::mt19937 random(43);
    int tried = 0, answered = 0;
    auto rectangle = [](Coordinate left, Coordinate bottom, Coordinate right, Coordinate top) {
        return Polygon({{left, bottom}, {right, bottom}, {right, top}, {left, top}}, "");
    };
    // Whether the region answered, after comparing its answer with the merged set's.
    auto check = [&](const PolygonSet& group, const MergedOutline& known, const PolygonSet& placed, Coordinate margin,
                     int trial) {
        PolygonSet combination = group;
        combination.add(placed);
        const Point origin = combination.getBoundingRectangle().getBottomLeft();
        const Point toOrigin(-origin.x, -origin.y);
        combination.translate(toOrigin);
        std::vector<ColumnCover::Box> region = *ColumnCover::boxesOf(known.outlines);
        const std::vector<ColumnCover::Box> partBoxes = *ColumnCover::boxesOf(placed);
        region.insert(region.end(), partBoxes.begin(), partBoxes.end());
        for (ColumnCover::Box& b : region) {
            b = {b.left + toOrigin.x, b.bottom + toOrigin.y, b.right + toOrigin.x, b.top + toOrigin.y};
        }
        const int contraction = std::uniform_int_distribution<int>(0, 2)(random);
        PolygonSet shrunkHoles;
        for (const Polygon& hole : known.holes.getAllPolygons()) shrunkHoles.add(hole.getPolygonContracted(contraction));
        shrunkHoles.translate(toOrigin);
        const Point top = combination.getBoundingRectangle().getTopRight();
        const Coordinate width = top.x + std::uniform_int_distribution<Coordinate>(0, margin)(random);
        const Coordinate height = top.y + std::uniform_int_distribution<Coordinate>(0, margin)(random);
        const Polygon host = trial % 3 == 0 ? rectangle(0, 0, height, width) : rectangle(0, 0, width, height);
        const Point corner(0, 0);
        const int noTurn = 0;
        const Point* start = trial % 2 == 0 ? &corner : nullptr;

        Point expectedAt, gotAt;
        int expectedTurn = -1, gotTurn = -1;
        WhiteSpaceInformation expected, got;
        const bool found = Math::getBestPositionOfSetWithin(host, combination, &expectedAt, &expectedTurn, &expected,
                                                            contraction, start, start ? &noTurn : nullptr);
        const std::optional<bool> fromRegion = Math::getBestPositionOfRegionWithin(
            host, region, WhiteSpaceInformation(HoledPolygonSet(shrunkHoles), contraction), &gotAt, &gotTurn, &got, contraction, start, start ? &noTurn : nullptr);
        if (!fromRegion) return false;
        std::ostringstream input;
        input << "group " << group << "\npart " << placed << "\nhost " << host << " contraction " << contraction;
        EXPECT_EQ(*fromRegion, found) << input.str();
        if (found && *fromRegion) {
            EXPECT_EQ(describeScore(got), describeScore(expected)) << input.str();
            EXPECT_EQ(gotAt, expectedAt) << input.str();
            EXPECT_EQ(gotTurn, expectedTurn) << input.str();
        }
        return true;
    };

    for (int trial = 0; trial < 3000 && !HasFailure(); ++trial) {
        const PolygonSet group = Testing::randomPartGroup(random);
        const std::optional<MergedOutline> known = Math::mergedOutline(group);
        if (!known) continue;
        PolygonSet placed;
        placed.add(Testing::randomPart(random, 12));
        const std::vector<Point> offsets = Math::getAllTranslationsForPositions(group.getPoints(), placed.getPoints());
        placed.translate(offsets[std::uniform_int_distribution<std::size_t>(0, offsets.size() - 1)(random)]);
        if (Math::interiorsOverlap(group, placed)) continue;
        // As the search asks: the part keeps clear of the group's holes, which touch no outline.
        const Rectangle partBox = placed.getBoundingRectangle();
        const bool nearAHole = std::any_of(known->holes.getAllPolygons().begin(), known->holes.getAllPolygons().end(),
                                           [&](const Polygon& hole) {
                                               const Rectangle h = hole.getBoundingRectangle();
                                               return h.getBottomLeft().x <= partBox.getTopRight().x &&
                                                      partBox.getBottomLeft().x <= h.getTopRight().x &&
                                                      h.getBottomLeft().y <= partBox.getTopRight().y &&
                                                      partBox.getBottomLeft().y <= h.getTopRight().y;
                                           });
        if (nearAHole || std::any_of(known->holeTouches.begin(), known->holeTouches.end(),
                                     [](int touches) { return touches != MergedOutline::noOutline; })) {
            continue;
        }
        ++tried;
        answered += check(group, *known, placed, trial % 4 == 0 ? 0 : 8, trial);
    }
    EXPECT_GT(answered, tried / 2);

    // A lid on a U: the part closes the ring, and the hole it closes may be the largest piece.
    int lids = 0;
    for (int trial = 0; trial < 300 && !HasFailure(); ++trial) {
        std::uniform_int_distribution<Coordinate> side(1, 9);
        const Coordinate wall = side(random), inside = side(random), depth = side(random), floor = side(random);
        PolygonSet u;
        u.add(rectangle(0, 0, wall, floor + depth));
        u.add(rectangle(wall, 0, wall + inside, floor));
        u.add(rectangle(wall + inside, 0, 2 * wall + inside, floor + depth));
        PolygonSet lid;
        lid.add(rectangle(-side(random) % 3, floor + depth, 2 * wall + inside + side(random) % 3, floor + depth + side(random)));
        lids += check(u, *Math::mergedOutline(u), lid, trial % 2 == 0 ? 0 : 4, trial);
    }
    EXPECT_GT(lids, 100);
}

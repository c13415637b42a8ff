#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "PackingBuilders.h"
#include "RandomPartClusters.h"
#include "ShapeBuilders.h"
#include "geometry/ExactArea.h"
#include "geometry/MergedOutline.h"
#include "geometry/SegmentSplitting.h"
#include "placement/HostSearch.h"
#include "packing/ComparablePacking.h"
#include "packing/PackingCache.h"
#include "packing/PairingSearch.h"

using namespace Zelkor::Rectilinear;
using Testing::polygonSetOf;
using Testing::rect;

namespace {

const Polygon roomyHost = rect(0, 0, 1000, 1000);

// A valid candidate: the satellite moved by `translation` beside the base.
ComparablePacking candidate(const std::string& base, const std::string& satellite, Point translation,
                            const Polygon& host = roomyHost) {
    ComparablePacking packing(polygonSetOf({base}), polygonSetOf({satellite}), host, 0, translation);
    packing.setIsValid(true);
    return packing;
}

bool isBetter(ComparablePacking& mine, ComparablePacking& other) {
    return mine.isBetterThan(other, 0, nullptr, 0, 0, 0, nullptr, nullptr);
}

// Both answers between two candidates, each asked twice: the scores they
// computed the first time must give the same answers the second time.
std::pair<bool, bool> bothWays(ComparablePacking a, ComparablePacking b) {
    const bool aWins = isBetter(a, b), bWins = isBetter(b, a);
    EXPECT_EQ(isBetter(a, b), aWins);
    EXPECT_EQ(isBetter(b, a), bWins);
    return {aWins, bWins};
}

const std::string bar199 = "0,0 199,0 199,10 0,10";

TEST(ComparablePackingTest, AreaRatioBandIsMeasuredAgainstTheAskingCandidateThenDensityDecidesExactly) {
    // B: ratio exactly 1, bounding density 3930 / 3980. A: two equal bars, the
    // upper one shifted right by s: ratio (199 + s) / 199, density 199 / (199 + s).
    ComparablePacking b = candidate(bar199, "0,0 199,0 199,10 100,10 100,5 90,5 90,10 0,10", Point(0, 10));
    struct Row {
        int shift;
        bool aWins, bWins;
    };
    for (const Row row : {Row{0, true, false},    // equal ratios, A is denser
                          Row{1, true, false},    // 0.5 % apart: inside both bands, density decides
                          Row{2, true, true},     // 1.005 % of B's ratio but 0.995 % of A's
                          Row{3, false, true}}) {  // outside both bands: the smaller ratio wins
        SCOPED_TRACE(row.shift);
        EXPECT_EQ(bothWays(candidate(bar199, bar199, Point(row.shift, 10)), b),
                  std::make_pair(row.aWins, row.bWins));
    }

    // Densities 3979 / 3980 and 3998 / 4000 with equal ratios: the denser one
    // wins although the other is larger (the next criteria would favour it).
    ComparablePacking denser = candidate(bar199, "0,0 199,0 199,10 100,10 100,9 99,9 99,10 0,10", Point(0, 10));
    ComparablePacking larger = candidate("0,0 200,0 200,10 0,10", "0,0 200,0 200,10 100,10 100,8 99,8 99,10 0,10",
                                         Point(0, 10));
    EXPECT_EQ(bothWays(denser, larger), std::make_pair(true, false));
}

TEST(ComparablePackingTest, IdenticalOrUnmeasurableCandidatesAreNotBetterEitherWay) {
    const Polygon tightHost = rect(0, 0, 40, 30);
    const ComparablePacking a = candidate("0,0 10,0 10,10 0,10", "0,0 10,0 10,4 4,4 4,7 0,7", Point(10, 0), tightHost);
    EXPECT_EQ(bothWays(a, a), std::make_pair(false, false));

    // Empty sets: every relative difference is 0 / 0, which must not count as a win.
    ComparablePacking empty(PolygonSet(), PolygonSet(), tightHost, 0, Point(0, 0));
    empty.setIsValid(true);
    EXPECT_EQ(bothWays(empty, empty), std::make_pair(false, false));
}

TEST(ComparablePackingTest, OnlyAValidCandidateCanWinAndItBeatsAnyInvalidOne) {
    ComparablePacking good = candidate(bar199, bar199, Point(0, 10));
    ComparablePacking worse = candidate(bar199, bar199, Point(50, 10));
    ComparablePacking invalidGood = good;
    invalidGood.setIsValid(false);
    ComparablePacking unset;
    EXPECT_TRUE(isBetter(worse, invalidGood));
    EXPECT_TRUE(isBetter(worse, unset));
    EXPECT_FALSE(isBetter(invalidGood, worse));
    EXPECT_FALSE(isBetter(invalidGood, unset));
    EXPECT_FALSE(isBetter(unset, unset));

    // With the engine's sets, a win over an invalid candidate still needs the
    // merged pair to fit beside the largest set: two 8 x 6 parts cannot join a
    // 12 x 10 part in a 20 x 10 host, though either one alone could.
    std::vector<PolygonSet> sets{polygonSetOf({"0,0 8,0 8,6 0,6"}), polygonSetOf({"0,0 8,0 8,6 0,6"}),
                                 polygonSetOf({"0,0 12,0 12,10 0,10"})};
    const Polygon host = rect(0, 0, 20, 10);
    PackingCache cache(3);
    ComparablePacking smallPair = Math::determineBestRelativePosition(sets, 0, 1, host, 0, &cache, nullptr);
    ComparablePacking withLargest = Math::determineBestRelativePosition(sets, 0, 2, host, 0, &cache, nullptr);
    ASSERT_TRUE(smallPair.isValid());
    ASSERT_TRUE(withLargest.isValid());
    ComparablePacking relationToLargest;
    EXPECT_FALSE(smallPair.isBetterThan(unset, 0, &sets, 0, 1, 2, &relationToLargest, &cache));
    EXPECT_TRUE(isBetter(smallPair, unset));
    EXPECT_TRUE(withLargest.isBetterThan(unset, 0, &sets, 0, 2, 2, &relationToLargest, &cache));
}

TEST(ComparablePackingTest, ContactAreaIsTheSatelliteEdgeLengthOnTheBase) {
    const std::string square = "0,0 10,0 10,10 0,10";
    struct Row {
        std::string base;
        Point translation;
        int contact;
    };
    for (const Row& row : {Row{square, Point(10, 0), 10}, Row{square, Point(10, 4), 6},
                           Row{square, Point(11, 0), 0}, Row{square, Point(10, 10), 0},
                           Row{"0,0 30,0 30,20 20,20 20,10 10,10 10,20 0,20", Point(10, 10), 30}}) {
        ComparablePacking packing = candidate(row.base, square, row.translation);
        EXPECT_EQ(packing.getContactArea(), row.contact) << row.base << " moved by " << row.translation;
    }
}

// The contact area as first written: the satellite's edges cut at every base
// edge, each piece counted for each base member it lies on.
int literalContactArea(const PolygonSet& base, PolygonSet satellite, int turns, const Point& translation) {
    satellite.rotateAboutOrigin(turns);
    satellite.slideToOrigin();
    satellite.translate(translation);
    int contact = 0;
    for (const Segment& piece : Math::splitSegmentsBySegments(satellite.getAllEdges(), base.getAllEdges())) {
        for (const Polygon& member : base.getAllPolygons()) {
            if (member.segmentIsOnBoundary(piece)) contact += piece.length();
        }
    }
    return contact;
}

TEST(ComparablePackingDifferential, ContactAreaMatchesTheLiteralCount) {
    std::mt19937 random(17);
    for (int trial = 0; trial < 2000 && !HasFailure(); ++trial) {
        const auto base = std::make_shared<PolygonSet>(Testing::randomPartGroup(random));
        auto satellite = std::make_shared<PolygonSet>();
        satellite->add(Testing::randomPart(random, 12));
        if (trial % 3 == 0) satellite->add(Testing::randomPart(random, 12));
        const int turns = trial % 4;
        PolygonSet turned = *satellite;
        turned.rotateAboutOrigin(turns);
        turned.slideToOrigin();
        const std::vector<Point> offsets = Math::getAllTranslationsForPositions(base->getPoints(), turned.getPoints());
        const Point t = offsets[std::uniform_int_distribution<std::size_t>(0, offsets.size() - 1)(random)];
        ComparablePacking packing(base, satellite, std::make_shared<const Polygon>(rect(0, 0, 1000, 1000)), turns, t);
        EXPECT_EQ(packing.getContactArea(), literalContactArea(*base, *satellite, turns, t))
            << "base " << *base << "\nsatellite " << *satellite << " turned " << turns << " at " << t;
    }
}

}  // namespace

// A candidate sharing what its search works out once (the merged outline of
// its large side, the other side's boxes), and one scored from its members'
// region, score exactly as the plain search of the combination merged whole:
// groups and parts beside them, also in the groups' holes, the group as base
// or as satellite, with and without the first corner as the start.
TEST(ComparablePackingDifferential, SharedOutlinesAndMemberRegionsScoreLikeTheWholeCombination) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 4000 && !HasFailure(); ++trial) {
        PolygonSet group = Testing::randomPartGroup(random);
        group.slideToOrigin();
        PolygonSet part;
        part.add(Testing::randomPart(random, trial % 4 >= 2 ? 5 : 12));
        std::vector<Point> offsets = Math::getAllTranslationsForPositions(group.getPoints(), part.getPoints());
        // Half the time next to a hole of the group, where it has one.
        const std::optional<MergedOutline> merged = Math::mergedOutline(group);
        const Rectangle partBox = part.getBoundingRectangle();
        std::vector<Point> nearHoles;
        for (const Point& offset : offsets) {
            for (const Polygon& hole : merged ? merged->holes.getAllPolygons() : std::vector<Polygon>()) {
                const Rectangle h = hole.getBoundingRectangle();
                if (h.getBottomLeft().x <= partBox.getTopRight().x + offset.x && partBox.getBottomLeft().x + offset.x <= h.getTopRight().x &&
                    h.getBottomLeft().y <= partBox.getTopRight().y + offset.y && partBox.getBottomLeft().y + offset.y <= h.getTopRight().y) {
                    nearHoles.push_back(offset);
                    break;
                }
            }
        }
        if (trial % 4 >= 2 && !nearHoles.empty()) offsets = nearHoles;
        const Point t = offsets[std::uniform_int_distribution<std::size_t>(0, offsets.size() - 1)(random)];
        PolygonSet placed = part;
        placed.translate(t);
        if (Math::interiorsOverlap(group, placed)) continue;
        const bool groupIsBase = trial % 2 == 0;
        // As base, the group takes the part at t; as satellite, it lies at -t from the part.
        PolygonSet combination = group;
        combination.add(placed);
        const Rectangle box = combination.getBoundingRectangle();
        const Coordinate margin = std::uniform_int_distribution<Coordinate>(0, 6)(random);
        const Polygon host = rect(0, 0, box.getTopRight().x - box.getBottomLeft().x + margin,
                                  box.getTopRight().y - box.getBottomLeft().y + (trial % 3 == 0 ? 0 : margin));
        const auto base = std::make_shared<PolygonSet>(groupIsBase ? group : part);
        const auto satellite = std::make_shared<PolygonSet>(groupIsBase ? part : group);
        const Point relative = groupIsBase ? t : Point(-t.x, -t.y);
        const auto sharedHost = std::make_shared<const Polygon>(host);
        const int contraction = std::uniform_int_distribution<int>(0, 2)(random);
        ComparablePacking whole(base, satellite, sharedHost, 0, relative);
        ComparablePacking shared(base, satellite, sharedHost, 0, relative);
        for (ComparablePacking* c : {&whole, &shared}) {
            c->setIsValid(true);
            if (trial % 4 < 2) c->setFirstKnownValidHostTranslationAndRotation(Point(), 0);
        }
        auto turned = std::make_shared<PolygonSet>(*satellite);
        turned->slideToOrigin();
        shared.shareOutlines(std::make_shared<SharedOutline>(base), std::make_shared<SharedOutline>(turned), groupIsBase);
        // Both against the plain search of the whole combination merged,
        // from the start the candidates were given (an unset point: none).
        WhiteSpaceInformation expected;
        const Point corner;
        const int noTurn = 0;
        Point at;
        int turn = 0;
        Math::getBestPositionOfSetWithin(host, *whole.getCombination(), &at, &turn, &expected, contraction,
                                         trial % 4 < 2 ? &corner : nullptr, trial % 4 < 2 ? &noTurn : nullptr);
        for (ComparablePacking* c : {&whole, &shared}) {
            const WhiteSpaceInformation got = c->getWhiteSpaceScore(contraction);
            const char* way = c == &whole ? "members' region" : "shared outline";
            EXPECT_EQ(got.isSet(), expected.isSet()) << way << "\ngroup " << group << "\npart " << placed << "\nhost " << host;
            EXPECT_EQ(got.getPiecesOfOutfall(), expected.getPiecesOfOutfall()) << way << "\ngroup " << group << "\npart " << placed;
            EXPECT_EQ(got.getAreaOfLargestOutfall(), expected.getAreaOfLargestOutfall()) << way << "\ngroup " << group << "\npart " << placed;
            EXPECT_EQ(got.getNumberOfSidesOfOutfall(), expected.getNumberOfSidesOfOutfall()) << way << "\ngroup " << group << "\npart " << placed;
        }
    }
}

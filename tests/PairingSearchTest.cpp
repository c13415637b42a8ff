#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "BoostOracle.h"
#include "PackingBuilders.h"
#include "RandomPackingJobs.h"
#include "RandomShapes.h"
#include "ShapeBuilders.h"
#include "packing/PackingCache.h"
#include "packing/PackingHelpers.h"
#include "packing/PairingSearch.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;
using Testing::CountingReceiver;
using Testing::polygonSetOf;
using Testing::rect;
using Testing::StopRequested;

namespace {

const std::string square10 = "0,0 10,0 10,10 0,10";
const std::string lShape = "0,0 10,0 10,4 4,4 4,7 0,7";
const std::string bar = "0,0 12,0 12,5 0,5";

TEST(PairingSearchTest, SymmetricSetsNeedFewerRelativeRotations) {
    struct Row {
        std::string base, satellite;
        int rotations;
    };
    for (const Row& row : {Row{square10, lShape, 0}, Row{lShape, square10, 0}, Row{bar, lShape, 1},
                           Row{lShape, bar, 1}, Row{bar, square10, 1}, Row{lShape, lShape, 3}}) {
        EXPECT_EQ(Math::numberOfRotationsNecessaryToFindBestPairing(polygonSetOf({row.base}),
                                                                    polygonSetOf({row.satellite})),
                  row.rotations)
            << row.base << " / " << row.satellite;
    }
}

TEST(PairingSearchTest, SetsMayTouchButNotOverlap) {
    const PolygonSet square = polygonSetOf({square10});
    CountingReceiver receiver;

    // Two squares fill a 20 x 10 host exactly: the equal area is no reason to skip the search.
    ComparablePacking filling = Math::determineBestRelativePosition(square, square, rect(0, 0, 20, 10), 0, &receiver);
    ASSERT_TRUE(filling.isValid());
    EXPECT_EQ(filling.getCombination()->getArea(), 200.0f);
    EXPECT_EQ(filling.getCombination()->getBoundingRectangle().getArea(), 200.0);
    EXPECT_TRUE(rect(0, 0, 20, 10).canContain(*filling.getCombination()));
    EXPECT_GT(receiver.heartbeats, 0);

    // Larger than the host: rejected before any position is tried.
    receiver = CountingReceiver();
    EXPECT_FALSE(Math::determineBestRelativePosition(square, square, rect(0, 0, 19, 10), 0, &receiver).isValid());
    EXPECT_EQ(receiver.calls, 0);

    // In 19 x 11 the only placement that fits lays the square over a 1 x 5
    // strip of the notched base; in 20 x 11 it can move one unit further.
    const PolygonSet notched = polygonSetOf({"0,0 10,0 10,5 9,5 9,10 0,10"});
    EXPECT_FALSE(Math::determineBestRelativePosition(notched, square, rect(0, 0, 19, 11), 0, nullptr).isValid());
    EXPECT_TRUE(Math::determineBestRelativePosition(notched, square, rect(0, 0, 20, 11), 0, nullptr).isValid());
}

// Runs the greedy search on `sets` with a fresh cache; the cache must still
// follow the list afterwards.
void greedyPack(std::vector<PolygonSet>& sets, const Polygon& host, int contractionFactor,
                Zelkor::ReportReceiver* receiver, int waiting = 0) {
    PackingCache cache(static_cast<int>(sets.size()));
    const int total = static_cast<int>(sets.size()) + waiting;
    Math::greedyPackToCreateMaxAreaSet(sets, host, contractionFactor, cache, total, waiting, receiver);
    EXPECT_EQ(cache.size(), static_cast<int>(sets.size()));
}

TEST(PairingSearchTest, GreedySearchEvaluatesOnePairPerPairOfCongruencyClasses) {
    CountingReceiver receiver;
    std::vector<PolygonSet> single{polygonSetOf({lShape})};
    greedyPack(single, rect(0, 0, 100, 100), 0, &receiver);
    EXPECT_EQ(single, std::vector<PolygonSet>{polygonSetOf({lShape})});
    EXPECT_EQ(receiver.calls, 0);

    // Copies of a 10 x 12 part, every other one turned, cannot pair in a
    // 19 x 13 host, and the 15 x 13 part is too large to join anything: one
    // pass, in which only the first pair of copies is searched.
    const Polygon host = rect(0, 0, 19, 13);
    const PolygonSet upright = polygonSetOf({"0,0 10,0 10,12 0,12"}), turned = polygonSetOf({"0,0 12,0 12,10 0,10"});
    CountingReceiver onePair;
    Math::determineBestRelativePosition(upright, turned, host, 0, &onePair);
    ASSERT_GT(onePair.heartbeats, 0);
    for (int copies = 2; copies <= 5; ++copies) {
        std::vector<PolygonSet> sets;
        for (int copy = 0; copy < copies; ++copy) sets.push_back(copy % 2 ? turned : upright);
        sets.push_back(polygonSetOf({"0,0 15,0 15,13 0,13"}));
        const std::vector<PolygonSet> before = sets;
        receiver = CountingReceiver();
        greedyPack(sets, host, 0, &receiver, 3);
        EXPECT_EQ(sets, before);
        EXPECT_EQ(receiver.heartbeats, onePair.heartbeats) << copies << " copies";
        // Progress is still reported for every pair.
        const int n = copies + 1;
        EXPECT_EQ(receiver.progress, std::vector<float>(static_cast<std::size_t>(n * (n - 1) / 2),
                                                        Math::progressFraction(n + 3, 3, n)));
    }
}

TEST(PairingSearchTest, AnExceptionFromTheReceiverEndsTheSearchAtOnce) {
    const std::vector<PolygonSet> before{polygonSetOf({lShape}), polygonSetOf({bar}), polygonSetOf({square10}),
                                         polygonSetOf({lShape})};
    for (int stopOnCall : {1, 2, 7}) {
        std::vector<PolygonSet> sets = before;
        CountingReceiver receiver(stopOnCall);
        EXPECT_THROW(greedyPack(sets, rect(0, 0, 40, 30), 0, &receiver), StopRequested);
        EXPECT_EQ(receiver.calls, stopOnCall);
        EXPECT_EQ(sets, before);
    }
}

// Small random jobs: 4 to 8 rectangles, L, T and U parts (some in two copies)
// for a rectangular or L-shaped host, all grown by 0 to 2 units as the driver
// grows them for spacing.
TEST(PairingSearchTest, MergedSetsFitTheHostAndKeepEveryPartOnceAsItWas) {
    namespace D = Testing::Detail;
    std::mt19937 random(20240611);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int run = 0; run < 16; ++run) {
        const int growth = between(0, 2);
        const Coordinate hw = between(30, 55), hh = between(25, 40);
        Polygon host(between(0, 1) ? D::rectangleOutline(hw, hh)
                                   : D::lOutline(hw, hh, between(hw / 4, hw / 2), between(hh / 4, hh / 2)),
                     "host");
        host.unvalidatedExpand(growth);
        std::map<std::string, Polygon> parts;
        std::vector<PolygonSet> sets;
        for (int count = between(4, 8); static_cast<int>(sets.size()) < count;) {
            // Stems and slots stay wider than twice the growth, so that growing cannot close them.
            const Coordinate w = between(12, 25), h = between(6, 20), s = between(2 * growth + 2, w / 2);
            const std::vector<Point> outlines[] = {
                D::rectangleOutline(w, h), D::lOutline(w, h, between(1, w - 1), between(1, h - 1)),
                D::tOutline(w, h, between(1, w - s - 1), s, between(1, h / 2)),
                D::uOutline(w, h, between(1, w - s - 1), s, between(1, h - 1))};
            const std::vector<Point>& outline = outlines[between(0, 3)];
            for (int copy = between(1, 2); copy > 0 && static_cast<int>(sets.size()) < count; --copy) {
                Polygon part(outline, "part" + std::to_string(sets.size()));
                part.setId(100 + static_cast<int>(sets.size()));
                part.unvalidatedExpand(growth);
                parts.emplace(part.getName(), part);
                sets.emplace_back(std::vector<Polygon>{part});
            }
        }
        std::ostringstream description;
        description << "run " << run << " growth " << growth << " host " << host << " parts "
                    << Testing::describe(sets);
        SCOPED_TRACE(description.str());

        greedyPack(sets, host, growth, nullptr);

        std::map<std::string, int> seen;
        for (PolygonSet& set : sets) {
            float memberAreas = 0.0f;
            for (const Polygon& member : set.getAllPolygons()) {
                memberAreas += member.getArea();
                const auto input = parts.find(member.getName());
                ASSERT_TRUE(input != parts.end() && ++seen[member.getName()] == 1) << "unknown or repeated " << member;
                EXPECT_EQ(member.getId(), input->second.getId()) << member;
                EXPECT_TRUE(member.isCongruant(input->second)) << member << " was " << input->second;
            }
            EXPECT_EQ(set.getArea(), memberAreas) << set;
            if (set.size() < 2) continue;
            EXPECT_TRUE(host.canContain(set)) << set;
#if ZELKOR_HAVE_BOOST_POLYGON
            EXPECT_EQ(static_cast<double>(boost::polygon::area(Testing::boostRegion(set))),
                      static_cast<double>(memberAreas))
                << "members overlap: " << set;
#endif
        }
        EXPECT_EQ(seen.size(), parts.size());
    }
}

}  // namespace

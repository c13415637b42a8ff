// The library's pairing search (remembered answers, candidates ruled out by
// their boxes) against the step-by-step reference: the same groups, in the
// same order, at the same places, with the same names.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "RandomPackingJobs.h"
#include "RandomPolygons.h"
#include "packing/PackingJob.h"
#include "packing/PairingMemo.h"
#include "packing/PairingSearch.h"
#include "packing/WorkerPool.h"
#include "reference/LiteralPairingSearch.h"

namespace Zelkor::Rectilinear {
namespace {

std::vector<PolygonSet> inflatedSingles(const std::vector<Polygon>& parts, int expansionFactor) {
    std::vector<PolygonSet> sets;
    for (const Polygon& part : parts) {
        PolygonSet set(std::vector<Polygon>{part});
        set.unvalidatedExpandAll(expansionFactor);
        set.slideToOrigin();
        sets.push_back(std::move(set));
    }
    return sets;
}

std::string describeGroups(const std::vector<PolygonSet>& sets) {
    std::string text;
    for (const PolygonSet& set : sets) {
        for (const Polygon& polygon : set.getAllPolygons()) text += polygon.getName() + " " + polygon.toString() + "; ";
        text += "\n";
    }
    return text;
}

// Two passes on one host as the host loop makes them: grow groups, take the
// largest away, grow again with a fresh cache (and, for the library, the same memo).
template <typename Greedy>
std::string twoPasses(std::vector<PolygonSet> sets, const Polygon& host, int expansionFactor, PairingMemo* memo,
                      Greedy greedy) {
    std::string text;
    for (int pass = 0; pass < 2 && !sets.empty(); ++pass) {
        PackingCache cache(static_cast<int>(sets.size()));
        cache.attachMemo(memo);
        int contractionFactor = expansionFactor;
        greedy(sets, host, contractionFactor, cache, 10, 0, nullptr);
        text += describeGroups(sets) + "--\n";
        sets.erase(sets.begin());
    }
    return text;
}

TEST(PairingSearchDifferential, GreedyLoopEqualsReference) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::mt19937 random(seed);
        const PackingJob job = Testing::randomPackingJob(random, 3 + static_cast<int>(seed % 3));
        const int expansionFactor = static_cast<int>(seed % 4);
        Polygon host = job.hosts[seed % job.hosts.size()];
        host.unvalidatedExpand(expansionFactor);
        const std::vector<PolygonSet> sets = inflatedSingles(job.parts, expansionFactor);

        PairingMemo memo;
        const std::string library = twoPasses(sets, host, expansionFactor, &memo, Math::greedyPackToCreateMaxAreaSet);
        const std::string reference =
            twoPasses(sets, host, expansionFactor, nullptr, Reference::greedyPackToCreateMaxAreaSet);
        std::ostringstream jobText;
        writePackingJob(jobText, job);
        ASSERT_EQ(library, reference) << "seed " << seed << ", expansion " << expansionFactor << ", host "
                                      << host.getName() << "\n" << jobText.str();
    }
}

// Shrunk by 1 to let parts touch, a part 2 units wide would vanish and one 1
// unit wide turn inside out: such parts are judged by their interiors, so
// they never lie over the base and may lie right beside it.
TEST(PairingSearchDifferential, ThinSatelliteLiesBesideTheBaseOnly) {
    const PolygonSet base({Polygon("0,0 10,0 10,10 0,10", "base")});
    const PolygonSet thin({Polygon("0,0 2,0 2,10 0,10", "thin")});
    const Polygon host("0,0 11,0 11,11 0,11", "host");  // too small to hold the two side by side
    EXPECT_FALSE(Reference::determineBestRelativePosition(base, thin, host, 0, nullptr).isValid());
    EXPECT_FALSE(Math::determineBestRelativePosition(base, thin, host, 0, nullptr).isValid());

    ComparablePacking beside =
        Math::determineBestRelativePosition(base, thin, Polygon("0,0 12,0 12,10 0,10", "wider"), 0, nullptr);
    ASSERT_TRUE(beside.isValid());
    EXPECT_EQ(beside.getCombination()->toString(), "2,0 12,0 12,10 2,10 | 0,0 2,0 2,10 0,10");

    const PolygonSet unit({Polygon("0,0 1,0 1,1 0,1", "unit")});
    ComparablePacking units =
        Math::determineBestRelativePosition(unit, unit, Polygon("0,0 100,0 100,100 0,100", "sheet"), 0, nullptr);
    ASSERT_TRUE(units.isValid());
    EXPECT_EQ(units.getCombination()->toString(), "1,0 2,0 2,1 1,1 | 0,0 1,0 1,1 0,1");
}

// Odd outlines, with pockets a partner can reach into and members that
// overlap: the overlap test's shortcuts place partners exactly where the
// reference does, for features wider than the unit the test shrinks by and,
// unscaled, for sides of one or two units.
TEST(PairingSearchDifferential, OddOutlinesPairAsTheReferenceDoes) {
    std::mt19937 random(4242);
    auto randomSet = [&random](int members, int scale) {
        std::vector<Polygon> polygons;
        for (int i = 0; i < members; ++i) {
            const Polygon p = Testing::randomRectilinearPolygon(random, 3);
            std::vector<Point> corners;
            for (const Point& c : p.getPoints()) corners.emplace_back(scale * c.x, scale * c.y);
            polygons.emplace_back(corners, "");
            polygons.back().translate(
                Point(static_cast<Coordinate>(random() % (8 * scale)), static_cast<Coordinate>(random() % (8 * scale))));
        }
        return PolygonSet(polygons);
    };
    const Polygon hosts[] = {Polygon("0,0 120,0 120,90 0,90", "sheet"),
                             Polygon("0,0 120,0 120,45 60,45 60,90 0,90", "off-cut")};
    for (int trial = 0; trial < 24; ++trial) {
        const int scale = trial < 16 ? 5 : 1;
        const PolygonSet base = randomSet(1 + trial % 3, scale), satellite = randomSet(1 + trial % 2, scale);
        const Polygon& host = hosts[trial % 2];
        ComparablePacking library = Math::determineBestRelativePosition(base, satellite, host, trial % 3, nullptr);
        ComparablePacking reference =
            Reference::determineBestRelativePosition(base, satellite, host, trial % 3, nullptr);
        ASSERT_EQ(library.isValid(), reference.isValid()) << "trial " << trial << ": " << base << " / " << satellite;
        if (library.isValid()) {
            ASSERT_EQ(library.getCombination()->toString(), reference.getCombination()->toString())
                << "trial " << trial << ": " << base << " / " << satellite;
        }
    }
}

// Scored ahead on several threads, a search weighs its candidates as on the
// calling thread alone: groups of many members give long walks in which the
// best changes within a stretch of candidates scored together.
TEST(PairingSearchDifferential, SearchOnThreadsEqualsSearchOnOne) {
    std::mt19937 random(77);
    WorkerPool workers(3);
    const Polygon host("0,0 400,0 400,300 0,300", "sheet");
    for (int trial = 0; trial < 40; ++trial) {
        std::vector<Polygon> members;
        for (int i = 0; i < 4 + trial % 9; ++i) {
            Polygon p = Testing::randomRectilinearPolygon(random, 3);
            p.scale(6);
            p.translate(Point(static_cast<Coordinate>(random() % 160), static_cast<Coordinate>(random() % 120)));
            members.push_back(p);
        }
        Polygon part = Testing::randomRectilinearPolygon(random, 3);
        part.scale(6);
        const PolygonSet base(members), satellite(std::vector<Polygon>{part});
        const int contraction = trial % 3;
        ComparablePacking alone = Math::determineBestRelativePosition(base, satellite, host, contraction, nullptr);
        ComparablePacking together =
            Math::determineBestRelativePosition(base, satellite, host, contraction, nullptr, &workers);
        ASSERT_EQ(alone.isValid(), together.isValid()) << "trial " << trial << ": " << base << " / " << satellite;
        if (!alone.isValid()) continue;
        ASSERT_EQ(alone.getCombination()->toString(), together.getCombination()->toString())
            << "trial " << trial << ": " << base << " / " << satellite;
        const WhiteSpaceInformation a = alone.getWhiteSpaceScore(contraction);
        const WhiteSpaceInformation b = together.getWhiteSpaceScore(contraction);
        ASSERT_EQ(a.getAreaOfLargestOutfall(), b.getAreaOfLargestOutfall()) << "trial " << trial;
        ASSERT_EQ(a.getNumberOfSidesOfOutfall(), b.getNumberOfSidesOfOutfall()) << "trial " << trial;
    }
}

// The whole engine with the plain pairing search plugged in, as the
// benchmark's baseline runs it, packs exactly as the library does: on
// random cutting jobs, and on a dense job, where one group grows to all
// sixteen parts and the library merges each part into the group's outline.
TEST(PairingSearchDifferential, EngineWithThePlainSearchPacksTheSame) {
    struct Quiet : ReportReceiver {
        void report(void*) override {}
    } quiet;
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::mt19937 random(seed);
        const int mode = seed % 2 ? Math::minimumAreaOutfall : Math::standardSheet;
        const PackingJob job = seed < 5 ? Testing::randomPackingJob(random, 10, mode)
                                         : Testing::densePackingJob(random, 16, mode);
        std::ostringstream library, plain;
        writePackingResults(library, runPackingJob(job, quiet));
        writePackingResults(plain, runPackingJob(job, quiet, &Reference::greedyPackToCreateMaxAreaSet));
        ASSERT_EQ(library.str(), plain.str()) << "seed " << seed;
    }
}

}  // namespace
}  // namespace Zelkor::Rectilinear

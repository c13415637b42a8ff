#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "BoostOracle.h"
#include "PackingBuilders.h"
#include "RandomPackingJobs.h"
#include "ShapeBuilders.h"
#include "packing/HostAssignment.h"
#include "packing/OptimizingPack.h"
#include "packing/PackingCache.h"
#include "packing/PackingException.h"
#include "packing/PackingJob.h"
#include "packing/PackingOptions.h"
#include "packing/SpecialCasePrePacking.h"

using namespace Zelkor::Rectilinear;
using Testing::rect;

namespace {

// Remembers the highest progress value reported, and whether one fell back.
class ProgressRecorder final : public Zelkor::ReportReceiver {
public:
    void report(void* data) override {
        if (data == nullptr) return;
        const float value = *static_cast<const float*>(data);
        fellBack = fellBack || value < highest;
        highest = std::max(highest, value);
    }
    float highest = 0.0f;
    bool fellBack = false;
};

PackingJob readJob(const std::string& text) {
    std::istringstream in(text);
    return readPackingJob(in);
}

Math::PackingResults pack(const PackingJob& job) {
    ProgressRecorder progress;
    return runPackingJob(job, progress);
}

Math::PackingResults packOnThreads(const PackingJob& job, int threads) {
    PackingOptions options = job.options();
    options.threads = threads;
    return Math::packPolygonsToInventory(job.parts, job.hosts, options);
}

std::string resultsText(const Math::PackingResults& results) {
    std::ostringstream out;
    writePackingResults(out, results);
    return out.str();
}

std::vector<std::string> hostIds(const Math::PackingResults& results) {
    std::vector<std::string> ids;
    for (const Math::HostAndSetPairing& group : results.resultingSets) ids.push_back(group.hostId);
    return ids;
}

std::string jobWithParts(const std::string& header, const std::string& outline, int count) {
    std::string text = header;
    for (int i = 0; i < count; ++i) text += "part p" + std::to_string(i) + " " + outline + "\n";
    return text;
}

#if ZELKOR_HAVE_BOOST_POLYGON
namespace bp = boost::polygon;
using Region = bp::polygon_90_set_data<int>;
using Testing::boostRegion;

Region grown(const Polygon& polygon, int by) {
    Region region = boostRegion(polygon);
    bp::bloat(region, by);
    return region;
}

// A host grown by `by` less the gaps that growing closes up, where no grown
// part may lie; whether that leaves enclosed holes, which the engine opens
// with strips of its own choosing.
Region grownHost(const Polygon& host, int by, bool& enclosesHoles) {
    using namespace bp::operators;
    const Region material = boostRegion(host);
    Region region = grown(host, by);
    Region closedUp = region;
    bp::shrink(closedUp, by);
    region -= closedUp - material;
    std::vector<bp::polygon_90_with_holes_data<int>> pieces;
    region.get(pieces);
    enclosesHoles = std::any_of(pieces.begin(), pieces.end(), [](const auto& p) { return p.size_holes() > 0; });
    return region;
}

std::vector<std::string> partNames(const PolygonSet& set) {
    std::vector<std::string> names;
    for (const Polygon& part : set.getAllPolygons()) names.push_back(part.getName());
    std::sort(names.begin(), names.end());
    return names;
}

// Checks results against their job with the independent polygon library:
// every part comes back once, under its own name and in its own outline, and
// lies on its host's material; grown by half the blade, parts lie inside
// their grown host and overlap no neighbour; inventory hosts come once each in
// the mode's order, before the standard sheets; the three totals add up (host
// areas as grown, gaps narrower than the blade aside).
void expectValidPacking(const PackingJob& job, const Math::PackingResults& results) {
    using namespace bp::operators;
    const int half = job.bladeWidth / 2;
    const Polygon sheet = rect(0, 0, job.sheetLength, job.sheetWidth);
    auto rank = [&](std::size_t host) {
        const double area = job.hosts[host].getArea();
        const double key = job.mode == Math::minimumAreaOutfall   ? area
                           : job.mode == Math::maximumAreaOutfall ? -area
                                                                  : 0.0;
        return std::make_pair(key, host);
    };
    std::vector<bool> returned(job.parts.size(), false);
    std::pair<double, std::size_t> lastRank(-1e300, 0);
    bool sheetSeen = false;
    double totalArea = 0.0, totalMergedArea = 0.0, totalHostArea = 0.0;
    bool hostAreasExact = true;
    for (const Math::HostAndSetPairing& group : results.resultingSets) {
        SCOPED_TRACE("group on '" + group.hostId + "': " + group.set.toString());
        const Polygon* host = &sheet;
        if (group.hostId.empty()) {
            sheetSeen = true;
        } else {
            const auto found = std::find_if(job.hosts.begin(), job.hosts.end(),
                                            [&](const Polygon& h) { return h.getName() == group.hostId; });
            ASSERT_NE(found, job.hosts.end()) << "unknown host";
            host = &*found;
            const auto hostRank = rank(static_cast<std::size_t>(found - job.hosts.begin()));
            EXPECT_FALSE(sheetSeen) << "inventory host after a standard sheet";
            EXPECT_LT(lastRank, hostRank) << "inventory host out of order or used twice";
            lastRank = hostRank;
        }
        const Region material = boostRegion(*host);
        bool enclosesHoles = false;
        const Region hostRegion = grownHost(*host, half, enclosesHoles);
        hostAreasExact = hostAreasExact && !enclosesHoles;
        Region groupRegion;
        double groupArea = 0.0;
        Coordinate left = INT_MAX, bottom = INT_MAX, right = INT_MIN, top = INT_MIN;
        for (const Polygon& part : group.set.getAllPolygons()) {
            std::size_t match = 0;
            while (match < job.parts.size() && (returned[match] || job.parts[match].getName() != part.getName() ||
                                                !Testing::boostCongruent(job.parts[match], part))) {
                ++match;
            }
            EXPECT_LT(match, job.parts.size()) << "no such part: '" << part.getName() << "' " << part;
            if (match < job.parts.size()) returned[match] = true;
            const Region partRegion = grown(part, half);
            EXPECT_EQ(bp::area(partRegion - hostRegion), 0) << "outside its host: " << part;
            EXPECT_EQ(bp::area(boostRegion(part) - material), 0) << "off its host's material: " << part;
            groupArea += bp::area(partRegion);
            groupRegion += partRegion;
            for (const Point& c : part.getPoints()) {
                left = std::min(left, c.x), bottom = std::min(bottom, c.y);
                right = std::max(right, c.x), top = std::max(top, c.y);
            }
        }
        EXPECT_EQ(bp::area(groupRegion), groupArea) << "parts closer than the blade";
        totalArea += groupArea;
        totalHostArea += bp::area(hostRegion);
        const Region bounds = boostRegion(rect(left - half, bottom - half, right + half, top + half));
        totalMergedArea += bp::area(bounds & hostRegion);
    }
    for (std::size_t i = 0; i < job.parts.size(); ++i) {
        EXPECT_TRUE(returned[i]) << "part not returned: '" << job.parts[i].getName() << "' " << job.parts[i];
    }
    EXPECT_NEAR(results.totalArea, totalArea, 1e-6 * totalArea);
    if (hostAreasExact) {
        EXPECT_NEAR(results.totalMergedArea, totalMergedArea, 1e-6 * totalMergedArea);
        EXPECT_NEAR(results.totalHostArea, totalHostArea, 1e-6 * totalHostArea);
    } else {
        EXPECT_LE(results.totalMergedArea, totalMergedArea * (1 + 1e-6));
        EXPECT_LE(results.totalHostArea, totalHostArea * (1 + 1e-6));
    }
}

// Three to eight parts (rectangles, L, T and U shapes, some repeated, names
// drawn so that empty and repeated names are common) on a 300 by 200 sheet,
// up to three off-cuts: rectangles, L shapes, the sheet itself, or a copy of
// the off-cut before. Slots are wider than the blade.
PackingJob smallRandomJob(std::mt19937& random) {
    using namespace Testing::Detail;
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    PackingJob job;
    job.sheetLength = 300;
    job.sheetWidth = 200;
    job.bladeWidth = between(0, 6);
    job.mode = between(0, 2);
    const int hostCount = between(0, 3);
    for (int i = 1; i <= hostCount; ++i) {
        const std::string name = "offcut-" + std::to_string(i);
        const Coordinate w = between(60, 250), h = between(50, 180);
        switch (between(0, 3)) {
            case 0: job.hosts.emplace_back(rectangleOutline(w, h), name); break;
            case 1: job.hosts.emplace_back(lOutline(w, h, between(w / 4, w / 2), between(h / 4, h / 2)), name); break;
            case 2: job.hosts.emplace_back(rectangleOutline(job.sheetLength, job.sheetWidth), name); break;
            default:
                job.hosts.emplace_back(i > 1 ? job.hosts.back().getPoints() : rectangleOutline(w, h), name);
                break;
        }
    }
    const int partCount = between(3, 8);
    for (int shape = 1; static_cast<int>(job.parts.size()) < partCount; ++shape) {
        const Coordinate w = between(20, 140), h = between(15, 120);
        std::vector<Point> outline;
        switch (between(0, 3)) {
            case 0: outline = rectangleOutline(w, h); break;
            case 1: outline = lOutline(w, h, between(w / 4, w * 3 / 4), between(h / 4, h * 3 / 4)); break;
            case 2: {
                const Coordinate s = between(w / 5, w / 2);
                outline = tOutline(w, h, between(1, w - s - 1), s, between(h / 4, h / 2));
                break;
            }
            default: {
                const Coordinate s = between(std::max(7, w / 5), w / 2);
                outline = uOutline(w, h, between(w / 8, w - s - w / 8), s, between(h / 4, h * 3 / 4));
                break;
            }
        }
        const int copies = std::min(between(1, 3), partCount - static_cast<int>(job.parts.size()));
        for (int copy = 0; copy < copies; ++copy) {
            const int pick = between(0, 3);
            const std::string name = pick == 0 ? "" : pick == 1 ? "x" : "p" + std::to_string(job.parts.size());
            job.parts.emplace_back(outline, name);
        }
    }
    return job;
}

std::string jobText(const PackingJob& job) {
    std::ostringstream out;
    writePackingJob(out, job);
    return out.str();
}

// Random jobs in every mode: valid packings (see expectValidPacking), the same
// results when packed again on one, two or eight threads, and progress that
// never falls back and stays at or below 0.99.
TEST(PackingDriverProperty, RandomJobsPackValidlyAndRepeatably) {
    std::mt19937 random(2024);
    for (int trial = 0; trial < 120; ++trial) {
        const PackingJob job = smallRandomJob(random);
        SCOPED_TRACE("trial " + std::to_string(trial) + ", job:\n" + jobText(job));
        ProgressRecorder progress;
        const Math::PackingResults results = runPackingJob(job, progress);
        expectValidPacking(job, results);
        EXPECT_LE(progress.highest, 0.99f);
        EXPECT_FALSE(progress.fellBack);
        EXPECT_EQ(resultsText(packOnThreads(job, std::array{1, 2, 8}[trial % 3])), resultsText(results));
        if (HasFailure()) return;
    }
}

// Many small parts to a sheet, where every pass of the search has many
// pairings to find: the same text on one, two and eight threads.
TEST(PackingDriverProperty, DenseJobsPackTheSameOnAnyNumberOfThreads) {
    std::mt19937 random(25);
    for (int trial = 0; trial < 3; ++trial) {
        const PackingJob job = Testing::densePackingJob(random, 40, std::array{Math::standardSheet,
                                                                             Math::minimumAreaOutfall,
                                                                             Math::maximumAreaOutfall}[trial]);
        SCOPED_TRACE("trial " + std::to_string(trial) + ", job:\n" + jobText(job));
        const Math::PackingResults results = packOnThreads(job, 1);
        expectValidPacking(job, results);
        const std::string alone = resultsText(results);
        EXPECT_EQ(resultsText(packOnThreads(job, 2)), alone);
        EXPECT_EQ(resultsText(packOnThreads(job, 8)), alone);
    }
}

// Random jobs with random grain in every mode: each part comes back turned
// only as its grain allows, by the turns it counts, and the packing is valid;
// a part whose grain keeps it from fitting is set aside.
TEST(PackingDriverProperty, GrainIsKeptInEveryMode) {
    std::mt19937 random(27);
    for (int trial = 0; trial < 60; ++trial) {
        PackingJob job = smallRandomJob(random);
        for (Polygon& part : job.parts) part.setTurnsAllowed(static_cast<TurnsAllowed>(random() % 3));
        job.parts.push_back(rect(0, 0, 40, 250));  // fits the 300 x 200 sheet turned only
        job.parts.back().setName("tall");
        job.parts.back().setTurnsAllowed(TurnsAllowed::half);
        SCOPED_TRACE("trial " + std::to_string(trial) + ", job:\n" + jobText(job));
        PackingOptions options = job.options();
        options.setAsidePartsThatFitNowhere = true;
        const Math::PackingResults results = Math::packPolygonsToInventory(job.parts, job.hosts, options);
        PackingJob placedParts = job;
        for (auto misfit = results.partsSetAside.rbegin(); misfit != results.partsSetAside.rend(); ++misfit) {
            placedParts.parts.erase(placedParts.parts.begin() + misfit->index);
        }
        expectValidPacking(placedParts, results);
        ASSERT_EQ(results.partsSetAside.size(), 1u);
        EXPECT_EQ(results.partsSetAside[0].reason,
                  "part 'tall' (40 x 250, turned end for end only) fits neither the 300 x 200 sheet nor any off-cut");
        for (const Math::HostAndSetPairing& group : results.resultingSets) {
            for (const Polygon& part : group.set.getAllPolygons()) {
                EXPECT_TRUE(Math::keepsGrain(part.getTurnsAllowed(), part.getQuarterTurnsApplied())) << part;
                Polygon placed = part;
                placed.slideToOrigin();
                EXPECT_TRUE(std::any_of(job.parts.begin(), job.parts.end(), [&](Polygon given) {
                    given.rotateAboutOrigin(part.getQuarterTurnsApplied());
                    given.slideToOrigin();
                    return given.getName() == part.getName() && given.getTurnsAllowed() == part.getTurnsAllowed() &&
                           given == placed;
                })) << "turned otherwise than counted: " << part;
            }
        }
        if (HasFailure()) return;
    }
}

// Ten L parts that go two to a sheet: the first pair is retired together
// with four copies made of the other parts, each copy naming different parts.
TEST(PackingDriver, CopiesOfARetiredGroupAreMadeInOneCall) {
    const std::vector<Point> l = Testing::Detail::lOutline(50, 50, 20, 20);
    PolygonSet pair(std::vector<Polygon>{Polygon("80,0 80,50 50,50 50,30 30,30 30,0", "L0"),
                                         Polygon("0,60 0,10 30,10 30,30 50,30 50,60", "L1")});
    std::vector<PolygonSet> pool;
    for (int i = 2; i < 10; ++i) pool.emplace_back(std::vector<Polygon>{Polygon(l, "L" + std::to_string(i))});
    Math::CongruencyCounts counts{{0, 10}};
    std::vector<PolygonSet> retired;
    PackingCache cache(static_cast<int>(pool.size()));
    EXPECT_EQ(Math::doubleCheckAndRetireAsManyCopiesAsPossible(pair, pool, retired, rect(0, 0, 100, 60), 0, cache,
                                                               &counts, INT_MAX, nullptr),
              5);
    EXPECT_TRUE(pool.empty());
    EXPECT_EQ(counts[0], 0);
    ASSERT_EQ(retired.size(), 5u);
    std::set<std::string> names;
    for (const PolygonSet& group : retired) {
        ASSERT_EQ(group.size(), 2);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(group.getPolygon(i), retired[0].getPolygon(i));
            names.insert(group.getPolygon(i).getName());
        }
    }
    EXPECT_EQ(names.size(), 10u);
}

// Copies of a group go only onto hosts equal to the one it was made for: three
// equal off-cuts take one group each and the turned fourth a search of its
// own; an off-cut equal to the sheet gives the smaller host after it no copy.
TEST(PackingDriver, CopiesGoOnlyOntoEqualHosts) {
    const PackingJob offcuts = readJob(jobWithParts(
        "sheet 300 200\nmode minimum-outfall\nhost a1 0,0 100,0 100,50 0,50\nhost a2 0,0 100,0 100,50 0,50\n"
        "host a3 0,0 100,0 100,50 0,50\nhost b 0,0 50,0 50,100 0,100\n",
        "0,0 50,0 50,50 0,50", 10));
    const Math::PackingResults results = pack(offcuts);
    expectValidPacking(offcuts, results);
    std::vector<std::string> ids = hostIds(results);
    ASSERT_GE(ids.size(), 4u);
    ids.resize(4);
    EXPECT_EQ(ids, (std::vector<std::string>{"a1", "a2", "a3", "b"}));
    for (int k = 1; k < 3; ++k) {
        EXPECT_EQ(results.resultingSets[k].set.toString(), results.resultingSets[0].set.toString());
    }

    const PackingJob sheetFirst = readJob(jobWithParts(
        "sheet 100 50\nmode maximum-outfall\nhost s1 0,0 100,0 100,50 0,50\nhost d 0,0 50,0 50,90 0,90\n",
        "0,0 50,0 50,50 0,50", 6));
    const Math::PackingResults sheetResults = pack(sheetFirst);
    expectValidPacking(sheetFirst, sheetResults);
    EXPECT_EQ(hostIds(sheetResults), (std::vector<std::string>{"s1", "d", "", ""}));
}

// The leg fills the upright of the L host; the part put into the rectangular
// piece left at the end of its foot is placed inside that piece and joins
// the L host's group.
TEST(PackingDriver, LeftoverOfAShapedHostJoinsItsGroup) {
    const PackingJob job = readJob(
        "sheet 300 200\nmode minimum-outfall\nhost L 0,0 110,0 110,20 30,20 30,70 0,70\n"
        "part leg 0,0 30,0 30,70 0,70\npart p0 0,0 60,0 60,20 0,20\npart p1 0,0 70,0 70,20 0,20\n"
        "part p2 0,0 10,0 10,20 0,20\n");
    const Math::PackingResults results = pack(job);
    expectValidPacking(job, results);
    ASSERT_EQ(hostIds(results), (std::vector<std::string>{"L", ""}));
    EXPECT_EQ(partNames(results.resultingSets[0].set), (std::vector<std::string>{"leg", "p0", "p2"}));
}

// Off-cuts that a plain offset cannot grow by half the blade, and parts with
// sides of one or two units: outlines touching themselves at a corner (two
// lobes, a cavity pinched at a corner) and slots narrower than the blade.
PackingJob oddRandomJob(std::mt19937& random) {
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto polygon = [](const std::vector<std::pair<int, int>>& corners, const std::string& name) {
        std::vector<Point> points;
        for (const auto& [x, y] : corners) points.emplace_back(x, y);
        return Polygon(points, name);
    };
    PackingJob job;
    job.sheetLength = 60;
    job.sheetWidth = 40;
    job.bladeWidth = between(0, 5);
    job.mode = between(0, 2);
    for (int i = between(1, 2); i > 0; --i) {
        const std::string name = "odd-" + std::to_string(i);
        const int a = between(6, 25), b = between(6, 25);
        switch (between(0, 2)) {
            case 0: job.hosts.push_back(polygon({{0, 0}, {a, 0}, {a, a}, {a + b, a}, {a + b, a + b}, {a, a + b},
                                                 {a, a}, {0, a}}, name)); break;
            case 1: job.hosts.push_back(polygon({{0, 0}, {3 * a, 0}, {3 * a, 3 * a}, {a, 3 * a}, {a, 2 * a},
                                                 {2 * a, 2 * a}, {2 * a, a}, {a, a}, {a, 2 * a}, {0, 2 * a}}, name));
                    break;
            default: {
                const int w = a + b + 10, h = between(20, 50), slot = between(1, 3), at = between(3, w - 6);
                const int depth = between(3, h - 3);
                job.hosts.push_back(polygon({{0, 0}, {w, 0}, {w, h}, {at + slot, h}, {at + slot, h - depth},
                                             {at, h - depth}, {at, h}, {0, h}}, name));
            }
        }
    }
    for (int i = between(3, 8); i > 0; --i) {
        const int thin = between(1, 2), w = between(1, 20), h = between(1, 20);
        const std::string name = "p" + std::to_string(i);
        switch (between(0, 2)) {
            case 0: job.parts.push_back(polygon({{0, 0}, {thin, 0}, {thin, h}, {0, h}}, name)); break;
            case 1: job.parts.push_back(polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}, name)); break;
            default: job.parts.push_back(polygon({{0, 0}, {w + thin, 0}, {w + thin, thin}, {thin, thin},
                                                  {thin, h + thin}, {0, h + thin}}, name));
        }
    }
    return job;
}

TEST(PackingDriverProperty, ThinPartsAndOddOffcutsPackValidly) {
    std::mt19937 random(23);
    for (int trial = 0; trial < 40; ++trial) {
        const PackingJob job = oddRandomJob(random);
        SCOPED_TRACE("trial " + std::to_string(trial) + ", job:\n" + jobText(job));
        const Math::PackingResults results = pack(job);
        expectValidPacking(job, results);
        EXPECT_TRUE(results.unusableHosts.empty());
        if (HasFailure()) return;
    }
}

// The optimizing pack on random jobs in every mode, with blades, off-cuts
// (odd ones too) and grain: a valid packing, never worse than the specified result by the
// mode's comparison, and the specified result itself with no effort.
TEST(OptimizingPackProperty, NeverWorseThanTheSpecifiedResult) {
    std::mt19937 random(31);
    int fewerHosts = 0;
    for (int trial = 0; trial < 40; ++trial) {
        PackingJob job = trial % 4 == 3   ? Testing::randomPackingJob(random, 24, trial % 3)
                         : trial % 4 == 2 ? oddRandomJob(random)
                                          : smallRandomJob(random);
        for (Polygon& part : job.parts) part.setTurnsAllowed(static_cast<TurnsAllowed>(random() % 3));
        SCOPED_TRACE("trial " + std::to_string(trial) + ", job:\n" + jobText(job));
        PackingOptions options = job.options();
        options.setAsidePartsThatFitNowhere = true;
        const Math::PackingResults specified = Math::packPolygonsToInventory(job.parts, job.hosts, options);
        options.optimizeEffort = 300;
        options.optimizeSeed = static_cast<unsigned>(trial);
        const Math::PackingResults optimized = Math::packPolygonsToInventory(job.parts, job.hosts, options);
        PackingJob placedParts = job;
        for (auto misfit = specified.partsSetAside.rbegin(); misfit != specified.partsSetAside.rend(); ++misfit) {
            placedParts.parts.erase(placedParts.parts.begin() + misfit->index);
        }
        expectValidPacking(placedParts, optimized);
        for (const Math::HostAndSetPairing& group : optimized.resultingSets) {
            for (const Polygon& part : group.set.getAllPolygons()) {
                EXPECT_TRUE(Math::keepsGrain(part.getTurnsAllowed(), part.getQuarterTurnsApplied())) << part;
            }
        }
        const Math::LayoutMeasures before = Math::measurePacking(specified, job.hosts, options);
        const Math::LayoutMeasures after = Math::measurePacking(optimized, job.hosts, options);
        EXPECT_FALSE(Math::isBetterLayout(before, after, job.mode));
        EXPECT_EQ(optimized.partsSetAside.size(), specified.partsSetAside.size());
        EXPECT_EQ(optimized.unusableHosts.size(), specified.unusableHosts.size());
        fewerHosts += after.hosts < before.hosts;
        if (HasFailure()) return;
    }
    EXPECT_GT(fewerHosts, 0);
}

// The optimizing pack gives the same text on one, two and eight threads and
// when run again; a receiver that throws during the search ends the run.
TEST(OptimizingPack, RepeatsOnAnyNumberOfThreadsAndStopsWhenAsked) {
    std::mt19937 random(33);
    const PackingJob job = Testing::randomPackingJob(random, 24, Math::standardSheet);
    PackingOptions options = job.options();
    options.optimizeEffort = 400;
    options.threads = 1;
    const std::string once = resultsText(Math::packPolygonsToInventory(job.parts, job.hosts, options));
    EXPECT_EQ(resultsText(Math::packPolygonsToInventory(job.parts, job.hosts, options)), once);
    for (const int threads : {2, 8}) {
        options.threads = threads;
        EXPECT_EQ(resultsText(Math::packPolygonsToInventory(job.parts, job.hosts, options)), once);
    }

    // On one thread the specified run reports the same number of times
    // whatever follows it, so the calls after that many come from the search.
    Testing::CountingReceiver specifiedRun;
    PackingOptions plain = job.options();
    plain.threads = 1;
    plain.receiver = &specifiedRun;
    Math::packPolygonsToInventory(job.parts, job.hosts, plain);
    for (const int extra : {1, 3}) {
        Testing::CountingReceiver stopping(specifiedRun.calls + extra);
        options.threads = 1;
        options.receiver = &stopping;
        options.optimizeEffort = 1'000'000;
        options.optimizeSeconds = 10;  // a bound on the test, should it fail
        EXPECT_THROW(Math::packPolygonsToInventory(job.parts, job.hosts, options), Testing::StopRequested);
    }
}

// The smallest jobs of faults found by trials: parts one unit wide share a
// sheet; an off-cut touching itself at a corner, one with a slot narrower than
// the blade and one with a cavity pinched at a corner take parts.
TEST(PackingDriver, ThinPartsAndOddOffcutsAreUsed) {
    const std::string unit = "0,0 1,0 1,1 0,1";
    const std::string square = "0,0 10,0 10,10 0,10";
    const struct {
        std::string job;
        std::vector<std::string> hosts;
    } cases[] = {
        {jobWithParts("sheet 100 100\n", unit, 3), {""}},
        {"sheet 100 100\npart a " + unit + "\npart b 0,0 5,0 5,5 0,5\n", {""}},
        {"sheet 12 12\nblade 0\nmode minimum-outfall\nhost bow 0,0 10,0 10,10 20,10 20,20 10,20 10,10 0,10\n"
         "part a " + square + "\n", {"bow"}},
        {"sheet 50 50\nblade 4\nmode minimum-outfall\n"
         "host slotted 0,0 100,0 100,50 51,50 51,40 49,40 49,50 0,50\npart a 0,0 40,0 40,40 0,40\n", {"slotted"}},
        {jobWithParts("sheet 12 12\nblade 0\nmode minimum-outfall\n"
                      "host pinch 0,0 30,0 30,30 10,30 10,20 20,20 20,10 10,10 10,20 0,20\n", square, 8),
         {"pinch", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.job);
        const PackingJob job = readJob(c.job);
        const Math::PackingResults results = pack(job);
        expectValidPacking(job, results);
        EXPECT_EQ(hostIds(results), c.hosts);
    }
}

// A host that can take nothing is named in the results with the reason, in
// the order given; the others are used.
TEST(PackingDriver, UnusableHostsAreReported) {
    std::vector<Polygon> parts{rect(0, 0, 10, 10)};
    std::vector<Polygon> hosts{rect(0, 0, 20, 20), Polygon("0,0 10,0 10,10 5,10 5,-5 0,-5", "crossed")};
    hosts[0].setName("plain");
    ProgressRecorder progress;
    const Math::PackingResults results =
        Math::packPolygonsToInventory(parts, 0, 60, 100, hosts, Math::minimumAreaOutfall, progress);
    ASSERT_EQ(results.unusableHosts.size(), 1u);
    EXPECT_EQ(results.unusableHosts[0].index, 1);
    EXPECT_EQ(results.unusableHosts[0].name, "crossed");
    EXPECT_NE(results.unusableHosts[0].reason.find("crosses itself"), std::string::npos);
    EXPECT_EQ(hostIds(results), (std::vector<std::string>{"plain"}));
}

// The raw fraction falls back when groups are broken up for a host of
// another shape; what reaches the receiver never does.
TEST(PackingDriver, ProgressNeverFallsBack) {
    Testing::CountingReceiver receiver;
    runPackingJob(readJob(jobWithParts("sheet 52 110\nblade 6\nhost h0 0,0 27,0 27,56 0,56\n",
                                       "1,0 17,0 17,10 19,10 19,13 0,13 0,10 1,10", 4)),
                  receiver);
    ASSERT_FALSE(receiver.progress.empty());
    EXPECT_TRUE(std::is_sorted(receiver.progress.begin(), receiver.progress.end()));
    EXPECT_LE(receiver.progress.back(), 0.99f);
}

// A host that takes no part is passed over, in every mode; only a part that
// fits no standard sheet fails the job, and not when an off-cut takes it.
TEST(PackingDriver, HostsThatTakeNothingArePassedOver) {
    for (const char* mode : {"full-sheets", "minimum-outfall", "maximum-outfall"}) {
        SCOPED_TRACE(mode);
        const PackingJob job = readJob("sheet 100 60\nblade 2\nmode " + std::string(mode) +
                                       "\nhost small 0,0 20,0 20,20 0,20\npart p 0,0 30,0 30,30 0,30\n");
        const Math::PackingResults results = pack(job);
        expectValidPacking(job, results);
        EXPECT_EQ(hostIds(results), (std::vector<std::string>{""}));
    }
    const PackingJob wide = readJob(
        "sheet 100 60\nblade 2\nmode minimum-outfall\nhost wide 0,0 150,0 150,20 0,20\n"
        "part long 0,0 120,0 120,10 0,10\npart sq 0,0 30,0 30,30 0,30\n");
    expectValidPacking(wide, pack(wide));
    try {
        pack(readJob("sheet 100 60\npart big 0,0 101,0 101,10 0,10\n"));
        ADD_FAILURE() << "a part larger than the sheet was packed";
    } catch (const PackingException& e) {
        EXPECT_EQ(e.getFileName(), "RectilinearMath");
        EXPECT_EQ(e.getLineNumber(), 722);
    }
}

// Asked to, the run sets aside the parts that fit nowhere, with the reason,
// and packs the others as it packs them alone.
TEST(PackingDriver, PartsThatFitNowhereAreSetAsideOnRequest) {
    const PackingJob job = readJob(
        "sheet 100 60\nblade 2\nhost h 0,0 120,0 120,20 0,20\npart big 0,0 101,0 101,30 0,30\n"
        "part a 0,0 30,0 30,30 0,30\npart long 0,0 110,0 110,10 0,10\npart huge 0,0 200,0 200,200 0,200\n");
    PackingOptions options = job.options();
    options.setAsidePartsThatFitNowhere = true;
    const Math::PackingResults results = Math::packPolygonsToInventory(job.parts, job.hosts, options);
    ASSERT_EQ(results.partsSetAside.size(), 2u);
    EXPECT_EQ(results.partsSetAside[0].index, 0);
    EXPECT_EQ(results.partsSetAside[1].name, "huge");
    EXPECT_EQ(results.partsSetAside[1].reason, "part 'huge' (200 x 200) fits neither the 100 x 60 sheet nor any off-cut");

    PackingJob rest = job;
    rest.parts = {job.parts[1], job.parts[2]};
    EXPECT_EQ(resultsText(results), resultsText(pack(rest)));
    options.setAsidePartsThatFitNowhere = false;
    EXPECT_THROW(Math::packPolygonsToInventory(job.parts, job.hosts, options), PackingException);
}

// Parts are told apart by name and shape together: unnamed parts and parts
// sharing a name each come back once, in their own outline.
TEST(PackingDriver, PartsComeBackByNameAndShape) {
    const PackingJob job = readJob(
        "sheet 100 60\npart - 0,0 30,0 30,30 0,30\npart - 0,0 40,0 40,20 20,20 20,40 0,40\n"
        "part x 0,0 10,0 10,50 0,50\npart x 0,0 50,0 50,10 20,10 20,20 0,20\n");
    expectValidPacking(job, pack(job));
}

// A slot narrower than the blade closes up while the part is grown; the part
// still comes back in its own outline.
TEST(PackingDriver, ASlotNarrowerThanTheBladeClosesUp) {
    const PackingJob job = readJob("sheet 100 100\nblade 2\npart s 0,0 30,0 30,20 16,20 16,10 15,10 15,20 0,20\n");
    const Math::PackingResults results = pack(job);
    ASSERT_EQ(hostIds(results), (std::vector<std::string>{""}));
    ASSERT_EQ(results.resultingSets[0].set.size(), 1);
    EXPECT_TRUE(Testing::boostCongruent(results.resultingSets[0].set.getPolygon(0), job.parts[0]));
}
#endif  // ZELKOR_HAVE_BOOST_POLYGON

// Thirty by twenty parts on a 100 by 60 sheet: two rows of five standing
// rectangles fill the first sheet.
TEST(PackingDriver, TilesEqualRectanglesInStandingRows) {
    const Math::PackingResults results = pack(readJob(jobWithParts("sheet 100 60\n", "0,0 30,0 30,20 0,20", 12)));
    ASSERT_EQ(results.resultingSets.size(), 2u);
    const PolygonSet& full = results.resultingSets[0].set;
    ASSERT_EQ(full.size(), 10);
    for (const Polygon& part : full.getAllPolygons()) {
        const Rectangle box = part.getBoundingRectangle();
        EXPECT_EQ(box.getTopRight().x - box.getBottomLeft().x, 20) << part;
        EXPECT_EQ(box.getTopRight().y - box.getBottomLeft().y, 30) << part;
    }
    EXPECT_EQ(results.resultingSets[1].set.size(), 2);
}

// A class with exactly three quarters of the part area is dominant; a part of
// exactly a fifth of the average area is subordinate. Just past either
// threshold, nothing moves.
TEST(PackingDriver, DominanceAndSubordinationThresholdsAreInclusive) {
    auto setsOf = [](const std::vector<Polygon>& parts) {
        std::vector<PolygonSet> sets;
        for (const Polygon& part : parts) sets.emplace_back(std::vector<Polygon>{part});
        return sets;
    };
    for (const Coordinate otherLength : {20, 21}) {
        std::vector<PolygonSet> pool = setsOf({rect(0, 0, 10, 10), rect(0, 0, 10, 10), rect(0, 0, 10, 10),
                                               rect(0, 0, otherLength, 5)});
        std::vector<PolygonSet> dominant;
        Math::separateDominantPolygons(pool, dominant, {0, 0, 0, 1}, {{0, 3}, {1, 1}});
        EXPECT_EQ(dominant.size(), otherLength == 20 ? 3u : 0u) << otherLength;
        EXPECT_EQ(pool.size() + dominant.size(), 4u);
    }
    for (const Coordinate smallLength : {10, 11}) {
        // Four parts of 60 and one of 10: the average is 50, a fifth of it 10.
        std::vector<PolygonSet> pool = setsOf({rect(0, 0, 6, 10), rect(0, 0, smallLength, 1), rect(0, 0, 10, 6),
                                               rect(0, 0, 6, 10), rect(0, 0, 10, 6)});
        std::vector<PolygonSet> subordinate;
        Math::separateSubordinatePolygons(pool, subordinate, {0, 1, 0, 0, 0}, {{0, 4}, {1, 1}});
        ASSERT_EQ(subordinate.size(), smallLength == 10 ? 1u : 0u) << smallLength;
        if (!subordinate.empty()) {
            EXPECT_EQ(subordinate[0].getArea(), 10.0f);
        }
    }
}

// Parts and sheets grow by half the spacing, rounded down, in the totals;
// the parts come back in their own size.
TEST(PackingDriver, SpacingGrowsPartsAndSheetsByHalfTheBlade) {
    for (const int blade : {0, 1, 3, 5}) {
        SCOPED_TRACE(blade);
        const PackingJob job =
            readJob("sheet 100 60\nblade " + std::to_string(blade) + "\npart p 0,0 10,0 10,10 0,10\n");
        const Math::PackingResults results = pack(job);
        const float side = 10.0f + 2.0f * static_cast<float>(blade / 2);
        EXPECT_EQ(results.totalArea, side * side);
        EXPECT_EQ(results.totalMergedArea, side * side);
        EXPECT_EQ(results.totalHostArea, (100.0f + side - 10.0f) * (60.0f + side - 10.0f));
        ASSERT_EQ(results.resultingSets.size(), 1u);
        EXPECT_EQ(results.resultingSets[0].set.getPolygon(0).getArea(), 100.0f);
    }
}

// Without off-cuts, or with off-cuts that are all the sheet (one of them
// turned), every mode packs as full sheets do, special cases included.
TEST(PackingDriver, WithoutInventoryEveryModePacksLikeFullSheets) {
    const std::string parts = jobWithParts("", "0,0 40,0 40,30 20,30 20,45 0,45", 9) +
                              "part f1 0,0 8,0 8,6 0,6\npart f2 0,0 5,0 5,9 0,9\npart f3 0,0 12,0 12,4 0,4\n";
    for (const std::string hosts : {"", "host s1 0,0 60,0 60,100 0,100\nhost s2 0,0 100,0 100,60 0,60\n"}) {
        const Math::PackingResults fullSheets = pack(readJob("sheet 100 60\nblade 2\n" + hosts + parts));
        const std::vector<std::string> ids = hostIds(fullSheets);
        const auto sheetGroups = static_cast<std::size_t>(std::count(ids.begin(), ids.end(), ""));
        EXPECT_EQ(sheetGroups, ids.size() - (hosts.empty() ? 0 : 2));
        for (const char* mode : {"minimum-outfall", "maximum-outfall"}) {
            SCOPED_TRACE(hosts + mode);
            const std::string job = "sheet 100 60\nblade 2\nmode " + std::string(mode) + "\n" + hosts + parts;
            EXPECT_EQ(resultsText(pack(readJob(job))), resultsText(fullSheets));
        }
    }
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// The lines between the common start and the common end of two texts, those
// of the first marked '-', those of the second '+'.
std::string differingLines(const std::string& expected, const std::string& actual) {
    const std::vector<std::string> e = lines(expected), a = lines(actual);
    std::size_t head = 0, tail = 0;
    while (head < e.size() && head < a.size() && e[head] == a[head]) ++head;
    while (tail < e.size() - head && tail < a.size() - head && e[e.size() - 1 - tail] == a[a.size() - 1 - tail]) {
        ++tail;
    }
    std::ostringstream diff;
    diff << "@@ line " << head + 1 << '\n';
    for (std::size_t i = head; i < e.size() - tail; ++i) diff << "- " << e[i] << '\n';
    for (std::size_t i = head; i < a.size() - tail; ++i) diff << "+ " << a[i] << '\n';
    return diff.str();
}

// The jobs in tests/golden pack to exactly the results recorded beside them.
// ZELKOR_RECORD_GOLDEN=1 writes the results instead, after a deliberate
// change of the engine's choices.
TEST(GoldenPacking, ResultsMatchTheRecordedText) {
    namespace fs = std::filesystem;
    const char* record = std::getenv("ZELKOR_RECORD_GOLDEN");
    const bool recording = record != nullptr && std::string(record) == "1";
    std::vector<fs::path> jobs;
    for (const fs::directory_entry& entry : fs::directory_iterator(ZELKOR_GOLDEN_DIR)) {
        if (entry.path().extension() == ".job") jobs.push_back(entry.path());
    }
    std::sort(jobs.begin(), jobs.end());
    ASSERT_GE(jobs.size(), 6u) << "golden jobs missing from " << ZELKOR_GOLDEN_DIR;
    for (const fs::path& jobPath : jobs) {
        SCOPED_TRACE(jobPath.string());
        std::ifstream jobFile(jobPath);
        const PackingJob job = readPackingJob(jobFile);
        const Math::PackingResults results = pack(job);
#if ZELKOR_HAVE_BOOST_POLYGON
        expectValidPacking(job, results);
#endif
        const std::string actual = resultsText(results);
        fs::path resultPath = jobPath;
        resultPath.replace_extension(".result");
        if (recording) {
            std::ofstream(resultPath) << actual;
            continue;
        }
        std::ifstream resultFile(resultPath);
        ASSERT_TRUE(resultFile) << "no recorded results; run with ZELKOR_RECORD_GOLDEN=1";
        const std::string expected((std::istreambuf_iterator<char>(resultFile)), std::istreambuf_iterator<char>());
        if (actual == expected) continue;
        ADD_FAILURE() << resultPath.filename().string() << " differs from the packing\n"
                      << differingLines(expected, actual);
    }
}

}  // namespace

// Eight threads on the engine at once, under ThreadSanitizer: the stateless
// entries on shared read-only shapes, and packing runs that another thread
// keeps aborting. Every call must give what it gives alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ZelkorRectilinearGeometry.h"
#include "bridge/PackingReportReceiver.h"

using namespace Zelkor::Rectilinear;

namespace {

constexpr int threadCount = 8;

using Entry = std::pair<const char*, std::function<std::string()>>;

template <typename Shapes>
std::string textOf(const Shapes& shapes) {
    std::ostringstream text;
    for (const auto& shape : shapes) text << shape << " / ";
    return text.str();
}

// Shapes every thread reads and none writes.
struct SharedInputs {
    const HoledPolygon frame{"0,0 40,0 40,30 0,30|5,5 15,5 15,12 5,12|20,8 30,8 30,20 20,20"};
    const HoledPolygon cross{"10,-5 18,-5 18,10 35,10 35,18 18,18 18,35 10,35 10,18 -5,18 -5,10 10,10"};
    const Polygon lShape{"0,0 30,0 30,10 10,10 10,25 0,25", "l"};
    const Polygon uShape{"0,0 24,0 24,20 16,20 16,8 8,8 8,20 0,20", "u"};
    const Polygon host{"0,0 120,0 120,50 70,50 70,80 0,80", "offcut"};
    const std::vector<Polygon> placed{Polygon("0,0 30,0 30,10 10,10 10,25 0,25", "l"),
                                      Polygon("40,0 64,0 64,20 56,20 56,8 48,8 48,20 40,20", "u"),
                                      Polygon("0,40 50,40 50,70 0,70", "r")};
    const PolygonSet pair{std::vector<Polygon>{lShape, uShape}};
    const std::vector<Polygon> hosts{host, Polygon("0,0 60,0 60,40 0,40", "small"),
                                     Polygon("0,0 200,0 200,100 0,100", "large")};
};

// Every stateless entry once, its outcome as text.
std::vector<Entry> statelessEntries(const SharedInputs& in) {
    return {
        {"subtract", [&] { return in.frame.booleanSubtract(in.cross).toString(); }},
        {"subtract a set",
         [&] { return in.frame.booleanSubtract(HoledPolygonSet({in.cross, HoledPolygon(in.uShape)})).toString(); }},
        {"union of two",
         [&] {
             PolygonSet holes;
             const PolygonSet outlines = in.lShape.booleanAddAndSimplify(in.uShape, &holes);
             return outlines.toString() + " holes " + holes.toString();
         }},
        {"union of a set",
         [&] {
             PolygonSet holes;
             return PolygonSet(in.placed).booleanAddAndSimplifyAll(&holes).toString() + " holes " + holes.toString();
         }},
        {"union of holed shapes", [&] { return HoledPolygonSet({in.frame, in.cross}).booleanAddAll().toString(); }},
        {"offsets",
         [&] {
             return in.frame.getPolygonContracted(2).toString() + " | " + in.cross.getPolygonExpanded(3).toString() +
                    " | " + in.uShape.getPolygonContracted(3).toString() + " | " +
                    in.lShape.getPolygonExpanded(4).toString() + (in.uShape.canExpandBy(5) ? " grows" : " closes");
         }},
        {"best position",
         [&] {
             Point translation;
             int rotation = 0;
             WhiteSpaceInformation score;
             const bool found = in.host.getBestPositionOfSetWithin(in.pair, &translation, &rotation, &score, 2);
             return std::to_string(found) + " " + translation.toString() + " " + std::to_string(rotation) + " " +
                    std::to_string(score.getPiecesOfOutfall()) + " " + std::to_string(score.getAreaOfLargestOutfall());
         }},
        {"translations",
         [&] {
             const std::vector<Point> all = Math::getAllPossibleTranslationsForShapeWithinHost(
                 in.uShape, in.host, PolygonSet(in.placed), 2);
             return textOf(all);
         }},
        {"rotate and position",
         [&] {
             return Math::rotateAndPositionWithinHost(false, true, false, 0, in.uShape, in.host, PolygonSet(in.placed), 2)
                 .toString();
         }},
        {"bulk containment",
         [&] {
             std::string bits;
             for (const bool fits : Math::bulkCanContain(in.pair, in.hosts, 2)) bits += fits ? '1' : '0';
             return bits;
         }},
        {"cut lines", [&] { return textOf(Math::getCutLines(in.host, in.placed, 4)); }},
        {"outfall", [&] { return Math::getOutfallFrom(in.host, PolygonSet(in.placed), 4).toString(); }},
        {"cuts that can be added",
         [&] {
             std::vector<HoledPolygon> uncuttable;
             for (const Polygon& part : in.placed) uncuttable.emplace_back(part);
             const HoledPolygonSet outfall = Math::getOutfallFrom(in.host, PolygonSet(in.placed), 4);
             return textOf(Math::getAllCutsThatCanBeAdded(uncuttable, outfall.getAllPolygons(), in.host, {}, 4));
         }},
        {"cut and uncut",
         [&] {
             const PolygonSetCutResult cut = Math::makeCutOnPolygonSet({HoledPolygon(in.host)}, Segment(60, 0, 60, 50), 4);
             const PolygonSetCutResult uncut = Math::removeCutFromPolygonSet(cut.pieces.getAllPolygons(),
                                                                             Segment(60, 0, 60, 50), {}, in.host, 4);
             return cut.pieces.toString() + " | " + uncut.pieces.toString();
         }},
        {"containment",
         [&] {
             std::string answers;
             for (const bool answer :
                  {in.host.contains(in.lShape), in.host.contains(in.uShape), in.host.containsPoint(Point(100, 60)),
                   in.frame.containsPolygon(HoledPolygon(Polygon("16,2 19,2 19,28 16,28", ""))),
                   in.frame.containsPolygon(in.cross), in.lShape.intersect(in.uShape),
                   in.host.canContain(in.pair), in.frame.containsSegment(Segment(0, 13, 40, 13))}) {
                 answers += answer ? '1' : '0';
             }
             const std::vector<Segment> edges = in.frame.getEdges();
             return answers + " " + textOf(Math::splitSegmentsBySegments(edges, in.cross.getEdges()));
         }},
    };
}

// A small cutting job with two off-cuts: a few dozen progress reports, so an
// abort can land anywhere in it.
PackingJob smallJob() {
    std::istringstream text(
        "sheet 160 100\nblade 4\nmode minimum-outfall\n"
        "host offcut-1 0,0 90,0 90,40 40,40 40,70 0,70\nhost offcut-2 0,0 70,0 70,50 0,50\n"
        "part side 0,0 60,0 60,30 0,30\npart side 0,0 60,0 60,30 0,30\n"
        "part corner 0,0 40,0 40,15 15,15 15,40 0,40\npart corner 0,0 40,0 40,15 15,15 15,40 0,40\n"
        "part slot 0,0 36,0 36,24 22,24 22,10 14,10 14,24 0,24\npart shelf 0,0 70,0 70,20 0,20\n"
        "part tee 0,0 12,0 12,20 30,20 30,30 -18,30 -18,20 0,20\npart strip 0,0 80,0 80,10 0,10\n");
    return readPackingJob(text);
}

// Each run on three threads of its own, so that the engine's worker pools
// are soaked too, whatever the machine.
Math::PackingResults packOnThreeThreads(const PackingJob& job, Zelkor::ReportReceiver& receiver) {
    PackingOptions options = job.options();
    options.receiver = &receiver;
    options.threads = 3;
    return Math::packPolygonsToInventory(job.parts, job.hosts, options);
}

std::string resultsText(const Math::PackingResults& results) {
    std::ostringstream out;
    writePackingResults(out, results);
    return out.str();
}

}  // namespace

// Each thread calls every entry, round after round, starting at an entry of
// its own, and compares each outcome with the one computed alone beforehand.
TEST(ThreadSoak, StatelessEntriesGiveTheSameResultsOnEightThreads) {
    const SharedInputs inputs;
    const std::vector<Entry> entries = statelessEntries(inputs);
    std::vector<std::string> alone;
    for (const Entry& entry : entries) alone.push_back(entry.second());

    constexpr int rounds = 40;
    std::atomic<long> calls{0};
    std::atomic<int> different{0};
    std::vector<std::string> firstDifference(entries.size());
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < rounds; ++round) {
                for (std::size_t k = 0; k < entries.size(); ++k) {
                    const std::size_t e = (k + static_cast<std::size_t>(t)) % entries.size();
                    if (entries[e].second() != alone[e]) ++different;
                    ++calls;
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(different.load(), 0);
    EXPECT_EQ(calls.load(), static_cast<long>(threadCount) * rounds * static_cast<long>(entries.size()));
    std::printf("[ soak     ] %d threads, %zu entries, %ld calls\n", threadCount, entries.size(), calls.load());
}

// Eight threads pack the same job again and again, each run listed as a pack
// started from Java, while another thread aborts every listed run at random
// moments, with quiet spells between them in which runs finish. A
// run either ends with InterruptedException or gives exactly the result of a
// run alone.
TEST(ThreadSoak, PackingRunsUnderAbortsFromAnotherThread) {
    const PackingJob job = smallJob();
    const auto started = std::chrono::steady_clock::now();
    Zelkor::Marvane::PackingReportReceiver quiet([](float) {});
    const std::string alone = resultsText(packOnThreeThreads(job, quiet));
    const auto aloneTime = std::chrono::steady_clock::now() - started;

    constexpr int runsPerThread = 8;
    std::atomic<int> finished{0}, aborted{0}, different{0}, abortCalls{0};
    std::atomic<bool> done{false};
    std::thread aborter([&] {
        std::mt19937 random(77);
        const long twoRuns = std::max(1L, static_cast<long>(
            std::chrono::duration_cast<std::chrono::microseconds>(aloneTime).count() * 2));
        while (!done.load()) {
            // Quiet until four more runs have finished, then one abort at a
            // random moment within about two runs' time alone.
            for (const int target = finished.load() + 4; !done.load() && finished.load() < target;) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(random()) % twoRuns));
            Zelkor::Marvane::abortAllRunningPackings();
            ++abortCalls;
        }
    });
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&] {
            for (int run = 0; run < runsPerThread; ++run) {
                float progress = 0.0f;
                Zelkor::Marvane::PackingReportReceiver receiver([&progress](float value) { progress = value; });
                const Zelkor::Marvane::RunningPackingListing listing(receiver);
                try {
                    if (resultsText(packOnThreeThreads(job, receiver)) != alone) ++different;
                    ++finished;
                } catch (const InterruptedException&) {
                    ++aborted;
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    done.store(true);
    aborter.join();
    EXPECT_EQ(different.load(), 0);
    EXPECT_EQ(finished.load() + aborted.load(), threadCount * runsPerThread);
    EXPECT_GT(finished.load(), 0);
    EXPECT_GT(aborted.load(), 0);
    EXPECT_EQ(Zelkor::Marvane::runningPackingCount(), 0u);
    std::printf("[ soak     ] %d threads, %d runs: %d finished, %d aborted; %d abort requests\n", threadCount,
                threadCount * runsPerThread, finished.load(), aborted.load(), abortCalls.load());
}

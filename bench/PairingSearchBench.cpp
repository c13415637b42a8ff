// The pairing search: the library against the plain procedure
// (tests/reference/LiteralPairingSearch, which scores with the plain
// placement search) in the same run.
//
// - Pair: one two-set search of a base set with 4 to 200 corners (a
//   staircase of touching rectangles) and an L-shaped satellite in a
//   3000 x 1500 sheet.
// - Greedy: the greedy loop on the parts of a random cutting job (rectangles,
//   L, T and U parts, many in two or three copies, grown by half a blade of
//   4), run three times on one sheet, each time without the first set, as the
//   host loop does; the library keeps its run-wide memo between the runs.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "RandomPackingJobs.h"
#include "ShapeBuilders.h"
#include "packing/PackingCache.h"
#include "packing/PairingMemo.h"
#include "packing/PairingSearch.h"
#include "reference/LiteralPairingSearch.h"

using namespace Zelkor::Rectilinear;

namespace {

constexpr int contraction = 2;

Polygon sheet() {
    Polygon host = Testing::rect(0, 0, 3000, 1500);
    host.unvalidatedExpand(contraction);
    return host;
}

// Touching rectangles 60 wide whose heights alternate, so that their union
// has about `corners` corners.
PolygonSet staircase(int corners) {
    PolygonSet set;
    const int steps = std::max(1, (corners - 2) / 2);
    for (int i = 0; i < steps; ++i) {
        set.add(Testing::rect(60 * i, 0, 60 * (i + 1), i % 2 == 0 ? 200 : 260));
    }
    return set;
}

template <typename Search>
void runPair(benchmark::State& state, Search search) {
    const PolygonSet base = staircase(static_cast<int>(state.range(0)));
    const PolygonSet satellite(std::vector<Polygon>{Polygon("0,0 300,0 300,80 120,80 120,240 0,240", "")});
    const Polygon host = sheet();
    for (auto _ : state) {
        benchmark::DoNotOptimize(search(base, satellite, host, contraction, nullptr).isValid());
    }
}

void BM_PairLibrary(benchmark::State& state) {
    runPair(state, [](const PolygonSet& b, const PolygonSet& s, const Polygon& h, int c, Zelkor::ReportReceiver* r) {
        return Math::determineBestRelativePosition(b, s, h, c, r);
    });
}
void BM_PairReference(benchmark::State& state) {
    runPair(state, [](const PolygonSet& b, const PolygonSet& s, const Polygon& h, int c, Zelkor::ReportReceiver* r) {
        return Reference::determineBestRelativePosition(b, s, h, c, r);
    });
}
BENCHMARK(BM_PairLibrary)->ArgName("corners")->RangeMultiplier(2)->Range(4, 128)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairReference)->ArgName("corners")->RangeMultiplier(2)->Range(4, 128)->Arg(200)->Unit(benchmark::kMillisecond);

std::vector<PolygonSet> jobSets(int parts) {
    std::mt19937 random(7);
    const PackingJob job = Testing::randomPackingJob(random, parts);
    std::vector<PolygonSet> sets;
    for (const Polygon& part : job.parts) {
        PolygonSet set(std::vector<Polygon>{part});
        set.unvalidatedExpandAll(contraction);
        set.slideToOrigin();
        sets.push_back(set);
    }
    return sets;
}

template <typename Greedy>
void runGreedy(benchmark::State& state, bool withMemo, Greedy greedy) {
    const std::vector<PolygonSet> parts = jobSets(static_cast<int>(state.range(0)));
    const Polygon host = sheet();
    for (auto _ : state) {
        PairingMemo memo;
        std::vector<PolygonSet> sets = parts;
        for (int pass = 0; pass < 3 && !sets.empty(); ++pass) {
            PackingCache cache(static_cast<int>(sets.size()));
            if (withMemo) cache.attachMemo(&memo);
            int contractionFactor = contraction;
            greedy(sets, host, contractionFactor, cache, 10, 0, nullptr);
            sets.erase(sets.begin());
        }
        benchmark::DoNotOptimize(sets.size());
    }
}

void BM_GreedyLibrary(benchmark::State& state) {
    runGreedy(state, true, Math::greedyPackToCreateMaxAreaSet);
}
void BM_GreedyReference(benchmark::State& state) {
    runGreedy(state, false, Reference::greedyPackToCreateMaxAreaSet);
}
BENCHMARK(BM_GreedyLibrary)->ArgName("parts")->Arg(10)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreedyReference)->ArgName("parts")->Arg(10)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreedyLibrary)->ArgName("parts")->Arg(50)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreedyReference)->ArgName("parts")->Arg(50)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

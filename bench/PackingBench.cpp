// The packing engine on random cutting jobs of 25 to 200 rectangles, L, T
// and U parts (many in identical copies) with a blade of 4 and four off-cuts
// in stock, two of them L-shaped: the least-outfall mode, which takes the
// off-cuts first, and the full-sheet mode. The jobs are those written by
// random_packing_job with its default seed.
//
// BM_PackWithPlainPairing is the baseline: the same engine with the plain
// greedy pairing search of tests/reference plugged in (same results).
#include <benchmark/benchmark.h>

#include <random>

#include "PackingRuns.h"
#include "RandomPackingJobs.h"
#include "packing/PackingDriver.h"
#include "packing/PackingJob.h"
#include "packing/PackingOptions.h"
#include "reference/LiteralPairingSearch.h"

using namespace Zelkor::Rectilinear;

namespace {

void packRandomJob(benchmark::State& state, Math::GreedyPairingSearch pairingSearch) {
    const int parts = static_cast<int>(state.range(0));
    std::mt19937 random(static_cast<unsigned>(parts));
    const PackingJob job = Testing::randomPackingJob(random, parts, static_cast<int>(state.range(1)));
    PackingOptions options = job.options();  // no receiver: progress goes nowhere
    options.pairingSearch = pairingSearch;
    Benchmarks::packRepeatedly(state, job, options);
}

void BM_PackRandomJob(benchmark::State& state) { packRandomJob(state, &Math::greedyPackToCreateMaxAreaSet); }
void BM_PackWithPlainPairing(benchmark::State& state) {
    packRandomJob(state, &Reference::greedyPackToCreateMaxAreaSet);
}

BENCHMARK(BM_PackRandomJob)
    ->ArgNames({"parts", "mode"})
    ->ArgsProduct({{25, 50}, {Math::minimumAreaOutfall, Math::standardSheet}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackWithPlainPairing)
    ->ArgNames({"parts", "mode"})
    ->ArgsProduct({{25, 50, 100}, {Math::minimumAreaOutfall}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackRandomJob)
    ->ArgNames({"parts", "mode"})
    ->ArgsProduct({{100, 200}, {Math::minimumAreaOutfall, Math::standardSheet}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

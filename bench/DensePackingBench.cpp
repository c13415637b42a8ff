// The packing engine where many small parts share a sheet, the jobs whose
// cost grows fastest with their size:
// - BM_DenseJob: copies of 20 small shapes (a third rectangles, the rest L
//   shapes, sides 30 to 120) on 1220 x 2440 sheets, blade 4, full sheets;
// - BM_DistinctRectangles: rectangles of sides 20 to 300, each of its own
//   kind, on one 3000 x 3000 sheet without blade;
// each on 1, 2 and all threads (0). BM_WideHost packs ten parts into one
// off-cut at the origin, far from it, and ever wider: the cost should not
// depend on where a host lies or how wide it is.
//
// Figures are wall time (UseRealTime): threads only show there.
#include <benchmark/benchmark.h>

#include <random>

#include "PackingRuns.h"
#include "RandomPackingJobs.h"
#include "packing/PackingDriver.h"
#include "packing/PackingJob.h"
#include "packing/PackingOptions.h"

using namespace Zelkor::Rectilinear;

namespace {

void pack(benchmark::State& state, const PackingJob& job, int threads) {
    PackingOptions options = job.options();
    options.threads = threads;
    Benchmarks::packRepeatedly(state, job, options);
}

void BM_DenseJob(benchmark::State& state) {
    std::mt19937 random(1);
    pack(state, Testing::densePackingJob(random, static_cast<int>(state.range(0))), static_cast<int>(state.range(1)));
}

void BM_DistinctRectangles(benchmark::State& state) {
    std::mt19937 random(7);
    pack(state, Testing::distinctRectanglesJob(random, static_cast<int>(state.range(0))),
         static_cast<int>(state.range(1)));
}

// Ten parts into one L-shaped off-cut, blade 4, least outfall:
// 0: 2,000 wide at the origin; 1: the same two thousand million units away;
// 2: 2^30 wide; 3: 2^31 - 6 wide (as wide as it can grow), far from the origin.
void BM_WideHost(benchmark::State& state) {
    struct Offcut {
        Coordinate left, right, bottom;
    };
    constexpr Offcut offcuts[] = {{0, 2000, 0},
                                  {2000000000, 2000002000, -2000000000},
                                  {-536870912, 536870912, 0},
                                  {-1073741821, 1073741821, 0}};
    const Offcut& o = offcuts[state.range(0)];
    const Coordinate left = o.left, right = o.right, b = o.bottom;
    PackingJob job;
    job.sheetLength = 3000;
    job.sheetWidth = 1500;
    job.bladeWidth = 4;
    job.mode = Math::minimumAreaOutfall;
    job.hosts.emplace_back(std::vector<Point>{{left, b}, {right, b}, {right, b + 600}, {left + 900, b + 600},
                                              {left + 900, b + 1200}, {left, b + 1200}},
                           "offcut");
    std::mt19937 random(10);
    const PackingJob parts = Testing::densePackingJob(random, 10);
    job.parts = parts.parts;
    pack(state, job, 1);
}

BENCHMARK(BM_DenseJob)
    ->ArgNames({"parts", "threads"})
    ->ArgsProduct({{50, 100, 200}, {1, 2, 0}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DistinctRectangles)
    ->ArgNames({"parts", "threads"})
    ->ArgsProduct({{50, 100, 150}, {1, 2, 0}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WideHost)->ArgName("offcut")->DenseRange(0, 3)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

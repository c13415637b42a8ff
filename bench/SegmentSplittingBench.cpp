// Segment splitting: the library's version against the literal procedure that
// restarts its scan of all cutters after every split.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "RandomShapes.h"
#include "geometry/SegmentSplitting.h"
#include "reference/LiteralSegmentSplitting.h"

using namespace Zelkor::Rectilinear;

namespace {

// n horizontal and n vertical full-length segments of an n by n grid.
std::vector<Segment> grid(int n) {
    std::vector<Segment> segments;
    segments.reserve(2 * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) segments.emplace_back(0, i, n - 1, i);
    for (int i = 0; i < n; ++i) segments.emplace_back(i, 0, i, n - 1);
    return segments;
}

// n random segments of length up to 50 on a 10,000 square: few crossings.
std::vector<Segment> sparse(int n) {
    std::mt19937 random(7);
    std::uniform_int_distribution<Coordinate> position(0, 10000);
    std::uniform_int_distribution<Coordinate> length(0, 50);
    std::vector<Segment> segments;
    segments.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const Point start(position(random), position(random));
        if (i % 2 == 0) {
            segments.emplace_back(start, Point(start.x + length(random), start.y));
        } else {
            segments.emplace_back(start, Point(start.x, start.y + length(random)));
        }
    }
    return segments;
}

// The edges of a tall skyline: n / 2 long vertical edges side by side, each
// rising from 0 to a random height up to 1,000,000, among n / 2 short
// horizontal edges scattered over the whole height. A vertical edge's height
// range holds most horizontal edges, but few of them reach its x.
std::vector<Segment> tallSkyline(int n) {
    std::mt19937 random(11);
    const Coordinate width = 2 * std::max(n / 2, 1);
    std::uniform_int_distribution<Coordinate> height(500000, 1000000);
    std::uniform_int_distribution<Coordinate> y(0, 1000000);
    std::uniform_int_distribution<Coordinate> x(0, width);
    std::uniform_int_distribution<Coordinate> length(1, 4);
    std::vector<Segment> segments;
    segments.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n / 2; ++i) segments.emplace_back(2 * i, 0, 2 * i, height(random));
    for (int i = n / 2; i < n; ++i) {
        const Point start(x(random), y(random));
        segments.emplace_back(start, Point(start.x + length(random), start.y));
    }
    return segments;
}

template <typename Split>
void runSplit(benchmark::State& state, const std::vector<Segment>& segments, Split split) {
    std::size_t pieces = 0;
    for (auto _ : state) {
        const std::vector<Segment> result = split(segments, segments);
        pieces = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["pieces"] = static_cast<double>(pieces);
    state.counters["targetsTimesCutters"] = static_cast<double>(segments.size()) * static_cast<double>(segments.size());
}

void BM_SplitGrid_Library(benchmark::State& state) {
    runSplit(state, grid(static_cast<int>(state.range(0))), Math::splitSegmentsBySegments);
}
void BM_SplitGrid_Literal(benchmark::State& state) {
    runSplit(state, grid(static_cast<int>(state.range(0))), Reference::splitSegmentsBySegments);
}
void BM_SplitSparse_Library(benchmark::State& state) {
    runSplit(state, sparse(static_cast<int>(state.range(0))), Math::splitSegmentsBySegments);
}
void BM_SplitSparse_Literal(benchmark::State& state) {
    runSplit(state, sparse(static_cast<int>(state.range(0))), Reference::splitSegmentsBySegments);
}

void BM_SplitTall_Library(benchmark::State& state) {
    runSplit(state, tallSkyline(static_cast<int>(state.range(0))), Math::splitSegmentsBySegments);
}
void BM_SplitTall_Literal(benchmark::State& state) {
    runSplit(state, tallSkyline(static_cast<int>(state.range(0))), Reference::splitSegmentsBySegments);
}

}  // namespace

BENCHMARK(BM_SplitGrid_Library)->Arg(50)->Arg(150)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitGrid_Literal)->Arg(50)->Arg(150)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitSparse_Library)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitSparse_Literal)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitTall_Library)->Arg(100)->Arg(500)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitTall_Literal)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

// Cycle extraction and pruning: the library's version against the literal
// procedure (quadratic neighbour maps, recursive search copying the path at
// every level, linear duplicate check). On one n-edge boundary the literal
// search costs about n^3 (every arc starts a walk round the whole boundary,
// copying the path at each step; some 10 s at 1,000 edges), so it runs only up
// to 300 edges there; the literal pruning of long tails runs up to 1,000.
#include <benchmark/benchmark.h>

#include <vector>

#include "geometry/DirectedGraph.h"
#include "reference/LiteralDirectedGraph.h"

using namespace Zelkor::Rectilinear;

namespace {

std::vector<Segment> closedChain(const std::vector<Point>& corners) {
    std::vector<Segment> segments;
    segments.reserve(corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i) {
        segments.emplace_back(corners[i], corners[(i + 1) % corners.size()]);
    }
    return segments;
}

// A counterclockwise staircase polygon with about `edgeCount` edges.
std::vector<Segment> staircase(int edgeCount) {
    const int steps = (edgeCount - 2) / 2;
    std::vector<Point> corners{{0, 0}};
    for (Coordinate i = 1; i <= steps; ++i) {
        corners.emplace_back(i, i - 1);
        corners.emplace_back(i, i);
    }
    corners.emplace_back(0, steps);
    return closedChain(corners);
}

// The staircase with every edge also running the other way: two cycles with
// the same standardized boundary, and an opposite arc at every edge.
std::vector<Segment> staircaseBothWays(int edgeCount) {
    std::vector<Segment> segments = staircase(edgeCount);
    const std::size_t count = segments.size();
    for (std::size_t i = 0; i < count; ++i) {
        segments.emplace_back(segments[i].getEndPoint(), segments[i].getStartPoint());
    }
    return segments;
}

// A counterclockwise rectangle with a row of clockwise 2 by 2 holes, about
// `edgeCount` edges in all: one cycle per boundary.
std::vector<Segment> rectangleWithHoles(int edgeCount) {
    const int holes = (edgeCount - 4) / 4;
    const Coordinate width = 4 * holes + 2;
    std::vector<Segment> segments = closedChain({{0, 0}, {width, 0}, {width, 4}, {0, 4}});
    for (Coordinate i = 0; i < holes; ++i) {
        const Coordinate x = 4 * i + 2;
        const std::vector<Segment> hole = closedChain({{x, 1}, {x, 3}, {x + 2, 3}, {x + 2, 1}});
        segments.insert(segments.end(), hole.begin(), hole.end());
    }
    return segments;
}

// The staircase with a dead-end chain of a quarter of its size running right
// from its top corner and a false-start chain of the same size running left
// into its first corner, both of unit pieces. The free end of each chain
// comes last in arc order, so a front-to-back walk frees one arc at a time.
std::vector<Segment> staircaseWithTails(int edgeCount) {
    std::vector<Segment> segments = staircase(edgeCount);
    const Coordinate top = segments.back().getStartPoint().y;
    const Coordinate tail = edgeCount / 4;
    for (Coordinate i = 0; i < tail; ++i) {
        segments.emplace_back(top + i, top, top + i + 1, top);
        segments.emplace_back(i + 1, -1, i, -1);
    }
    segments.emplace_back(0, -1, 0, 0);
    return segments;
}

template <typename Graph>
void runFindCycles(benchmark::State& state, const std::vector<Segment>& segments) {
    int cycles = 0;
    for (auto _ : state) {
        Graph graph(segments);
        const PolygonSet result = graph.findAllSimpleCycles();
        cycles = result.size();
        benchmark::DoNotOptimize(cycles);
    }
    state.counters["arcs"] = static_cast<double>(segments.size());
    state.counters["cycles"] = cycles;
}

template <typename Graph>
void runPrune(benchmark::State& state, const std::vector<Segment>& segments) {
    std::size_t kept = 0;
    for (auto _ : state) {
        Graph graph(segments);
        graph.pruneDeadEndAndFalseStartEdges();
        kept = graph.getEdges().size();
        benchmark::DoNotOptimize(kept);
    }
    state.counters["arcs"] = static_cast<double>(segments.size());
    state.counters["kept"] = static_cast<double>(kept);
}

using Library = DirectedGraph;
using Literal = Reference::LiteralDirectedGraph;
int size(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

void BM_Cycles_Staircase_Library(benchmark::State& state) { runFindCycles<Library>(state, staircase(size(state))); }
void BM_Cycles_Staircase_Literal(benchmark::State& state) { runFindCycles<Literal>(state, staircase(size(state))); }
void BM_Cycles_StaircaseBothWays_Library(benchmark::State& state) {
    runFindCycles<Library>(state, staircaseBothWays(size(state)));
}
void BM_Cycles_StaircaseBothWays_Literal(benchmark::State& state) {
    runFindCycles<Literal>(state, staircaseBothWays(size(state)));
}
void BM_Cycles_Holes_Library(benchmark::State& state) {
    runFindCycles<Library>(state, rectangleWithHoles(size(state)));
}
void BM_Cycles_Holes_Literal(benchmark::State& state) {
    runFindCycles<Literal>(state, rectangleWithHoles(size(state)));
}
void BM_Prune_Tails_Library(benchmark::State& state) { runPrune<Library>(state, staircaseWithTails(size(state))); }
void BM_Prune_Tails_Literal(benchmark::State& state) { runPrune<Literal>(state, staircaseWithTails(size(state))); }
void BM_Prune_Staircase_Library(benchmark::State& state) { runPrune<Library>(state, staircase(size(state))); }
void BM_Prune_Staircase_Literal(benchmark::State& state) { runPrune<Literal>(state, staircase(size(state))); }

}  // namespace

BENCHMARK(BM_Cycles_Staircase_Library)->Arg(100)->Arg(300)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cycles_Staircase_Literal)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cycles_StaircaseBothWays_Library)
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cycles_StaircaseBothWays_Literal)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cycles_Holes_Library)->Arg(100)->Arg(300)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cycles_Holes_Literal)->Arg(100)->Arg(300)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Prune_Tails_Library)->Arg(100)->Arg(300)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Prune_Tails_Literal)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Prune_Staircase_Library)->Arg(100)->Arg(300)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Prune_Staircase_Literal)->Arg(100)->Arg(300)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Union of all members of a set: the library's version against the literal
// procedure and, as the baseline, an independent polygon library's union of
// the same rectangles (insert, then read back polygons with holes).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "BoostUnionBaseline.h"
#include "RandomPartClusters.h"
#include "geometry/PolygonSet.h"
#include "reference/LiteralPolygonSet.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;

namespace {

struct Box {
    Coordinate x1, y1, x2, y2;
};

// k by k unit squares, each touching its neighbours along full sides.
std::vector<Box> touchingGrid(int k) {
    std::vector<Box> boxes;
    boxes.reserve(static_cast<std::size_t>(k) * static_cast<std::size_t>(k));
    for (Coordinate x = 0; x < k; ++x) {
        for (Coordinate y = 0; y < k; ++y) boxes.push_back({x * 10, y * 10, x * 10 + 10, y * 10 + 10});
    }
    return boxes;
}

// k * k rectangles with sides 5 to 30 scattered over a 10k square: about
// three times covered on average, so most members overlap several others and
// the union keeps enclosed holes.
std::vector<Box> randomOverlapping(int k) {
    std::mt19937 random(static_cast<unsigned>(k));
    std::uniform_int_distribution<Coordinate> corner(0, 10 * k);
    std::uniform_int_distribution<Coordinate> side(5, 30);
    std::vector<Box> boxes(static_cast<std::size_t>(k) * static_cast<std::size_t>(k));
    for (Box& b : boxes) {
        b.x1 = corner(random);
        b.y1 = corner(random);
        b.x2 = b.x1 + side(random);
        b.y2 = b.y1 + side(random);
    }
    return boxes;
}

PolygonSet toSet(const std::vector<Box>& boxes) {
    PolygonSet set;
    for (const Box& b : boxes) {
        set.add(Polygon(std::vector<Point>{{b.x1, b.y1}, {b.x2, b.y1}, {b.x2, b.y2}, {b.x1, b.y2}}, ""));
    }
    return set;
}

template <typename Union>
void runUnion(benchmark::State& state, const std::vector<Box>& boxes, Union unite) {
    const PolygonSet set = toSet(boxes);
    std::size_t outlines = 0;
    std::size_t holes = 0;
    for (auto _ : state) {
        PolygonSet holeSet;
        const PolygonSet result = unite(set, &holeSet);
        outlines = static_cast<std::size_t>(result.size());
        holes = static_cast<std::size_t>(holeSet.size());
        benchmark::DoNotOptimize(result.getAllPolygons().data());
    }
    state.counters["members"] = static_cast<double>(boxes.size());
    state.counters["outlines"] = static_cast<double>(outlines);
    state.counters["holes"] = static_cast<double>(holes);
}

PolygonSet libraryUnion(const PolygonSet& set, PolygonSet* holes) {
    return set.booleanAddAndSimplifyAll(holes);
}

void BM_UnionGrid_Library(benchmark::State& state) {
    runUnion(state, touchingGrid(static_cast<int>(state.range(0))), libraryUnion);
}
void BM_UnionGrid_Literal(benchmark::State& state) {
    runUnion(state, touchingGrid(static_cast<int>(state.range(0))), Reference::booleanAddAndSimplifyAll);
}
void BM_UnionRandom_Library(benchmark::State& state) {
    runUnion(state, randomOverlapping(static_cast<int>(state.range(0))), libraryUnion);
}
void BM_UnionRandom_Literal(benchmark::State& state) {
    runUnion(state, randomOverlapping(static_cast<int>(state.range(0))), Reference::booleanAddAndSimplifyAll);
}

#if ZELKOR_HAVE_BOOST_POLYGON
namespace bp = boost::polygon;

void runBaseline(benchmark::State& state, const std::vector<Box>& boxes) {
    std::vector<bp::rectangle_data<int>> input;
    input.reserve(boxes.size());
    for (const Box& b : boxes) input.emplace_back(b.x1, b.y1, b.x2, b.y2);
    Benchmarks::runBoostUnion(state, input);
}

void BM_UnionGrid_Baseline(benchmark::State& state) {
    runBaseline(state, touchingGrid(static_cast<int>(state.range(0))));
}
void BM_UnionRandom_Baseline(benchmark::State& state) {
    runBaseline(state, randomOverlapping(static_cast<int>(state.range(0))));
}

BENCHMARK(BM_UnionGrid_Baseline)->Arg(10)->Arg(30)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnionRandom_Baseline)->Arg(10)->Arg(30)->Arg(50)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK(BM_UnionGrid_Library)->Arg(10)->Arg(30)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnionGrid_Literal)->Arg(10)->Arg(30)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnionRandom_Library)->Arg(10)->Arg(30)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnionRandom_Literal)->Arg(10)->Arg(30)->Arg(50)->Unit(benchmark::kMillisecond);

// Unions of a few parts laid side by side, as the packing asks for by the
// hundred thousand: the time per union, over a pool of different clusters.
static void BM_UnionSmallClusters(benchmark::State& state) {
    std::mt19937 random(2024);
    std::vector<PolygonSet> clusters;
    for (int i = 0; i < 512; ++i) clusters.push_back(Testing::randomPartCluster(random, 100));
    std::size_t next = 0;
    for (auto _ : state) {
        PolygonSet holes;
        const PolygonSet result = clusters[next].booleanAddAndSimplifyAll(&holes);
        benchmark::DoNotOptimize(result.getAllPolygons().data());
        next = (next + 1) % clusters.size();
    }
}
BENCHMARK(BM_UnionSmallClusters);

// Point and segment containment on large polygons: the library against the
// step-by-step procedures (tests/reference/LiteralPolygon) in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "RandomPolygons.h"
#include "geometry/Polygon.h"
#include "reference/LiteralPolygon.h"

using namespace Zelkor::Rectilinear;

namespace {

struct Workload {
    Polygon polygon;
    std::vector<Point> points;           // inside the bounding rectangle, inside or outside the polygon
    std::vector<Segment> shortSegments;  // spanning a few columns of the skyline
    std::vector<Segment> longSegments;   // spanning a tenth of its width
};

const Workload& workload(int vertices) {
    static std::map<int, Workload> cache;
    auto found = cache.find(vertices);
    if (found != cache.end()) return found->second;
    std::mt19937 random(static_cast<unsigned>(vertices));
    Workload w;
    w.polygon = Testing::randomSkylinePolygon(random, vertices);
    const Rectangle box = w.polygon.getBoundingRectangle();
    std::uniform_int_distribution<Coordinate> x(box.getBottomLeft().x, box.getTopRight().x);
    std::uniform_int_distribution<Coordinate> y(box.getBottomLeft().y, box.getTopRight().y);
    const Coordinate width = box.getTopRight().x - box.getBottomLeft().x;
    for (int i = 0; i < 256; ++i) {
        w.points.emplace_back(x(random), y(random));
        const Point start(x(random), y(random) / 4);  // low, where the skyline is mostly solid
        const bool vertical = i % 2 == 1;
        const Coordinate shortLength = std::uniform_int_distribution<Coordinate>(1, 50)(random);
        const Coordinate longLength = std::max<Coordinate>(1, width / 10);
        w.shortSegments.emplace_back(
            start, vertical ? Point(start.x, start.y + shortLength * 100) : Point(start.x + shortLength, start.y));
        w.longSegments.emplace_back(
            start, vertical ? Point(start.x, start.y + longLength) : Point(start.x + longLength, start.y));
    }
    return cache.emplace(vertices, std::move(w)).first->second;
}

template <typename Query>
void run(benchmark::State& state, const std::vector<Point>& inputs, Query query) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(query(inputs[i]));
        i = (i + 1) % inputs.size();
    }
    state.SetItemsProcessed(state.iterations());
}

template <typename Query>
void runSegments(benchmark::State& state, const std::vector<Segment>& inputs, Query query) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(query(inputs[i]));
        i = (i + 1) % inputs.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ContainsPoint_Library(benchmark::State& state) {
    const Workload& w = workload(static_cast<int>(state.range(0)));
    run(state, w.points, [&w](const Point& p) { return w.polygon.containsPoint(p); });
}

void BM_ContainsPoint_Literal(benchmark::State& state) {
    const Workload& w = workload(static_cast<int>(state.range(0)));
    run(state, w.points, [&w](const Point& p) { return Reference::containsPoint(w.polygon, p); });
}

void BM_ContainsShortSegment_Library(benchmark::State& state) {
    const Workload& w = workload(static_cast<int>(state.range(0)));
    runSegments(state, w.shortSegments, [&w](const Segment& s) { return w.polygon.containsSegment(s); });
}

void BM_ContainsShortSegment_Literal(benchmark::State& state) {
    const Workload& w = workload(static_cast<int>(state.range(0)));
    runSegments(state, w.shortSegments, [&w](const Segment& s) { return Reference::containsSegment(w.polygon, s); });
}

void BM_ContainsLongSegment_Library(benchmark::State& state) {
    const Workload& w = workload(static_cast<int>(state.range(0)));
    runSegments(state, w.longSegments, [&w](const Segment& s) { return w.polygon.containsSegment(s); });
}

void BM_ContainsLongSegment_Literal(benchmark::State& state) {
    const Workload& w = workload(static_cast<int>(state.range(0)));
    runSegments(state, w.longSegments, [&w](const Segment& s) { return Reference::containsSegment(w.polygon, s); });
}

// Tracing a polygon back from its shuffled edges, as the cycle extraction does.
void BM_PolygonFromSegments_Library(benchmark::State& state) {
    const Workload& w = workload(static_cast<int>(state.range(0)));
    std::vector<Segment> edges = w.polygon.getEdges();
    std::mt19937 random(5);
    std::shuffle(edges.begin() + 1, edges.end(), random);
    for (auto _ : state) {
        std::vector<Segment> segments = edges;
        benchmark::DoNotOptimize(Polygon(segments, "traced").numberOfPoints());
    }
}

void BM_PolygonFromSegments_Literal(benchmark::State& state) {
    const Workload& w = workload(static_cast<int>(state.range(0)));
    std::vector<Segment> edges = w.polygon.getEdges();
    std::mt19937 random(5);
    std::shuffle(edges.begin() + 1, edges.end(), random);
    for (auto _ : state) {
        std::vector<Segment> segments = edges;
        benchmark::DoNotOptimize(Reference::standardize(Reference::traceSegmentChain(segments)).points.size());
    }
}

}  // namespace

BENCHMARK(BM_ContainsPoint_Library)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_ContainsPoint_Literal)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_ContainsShortSegment_Library)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_ContainsShortSegment_Literal)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_ContainsLongSegment_Library)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(BM_ContainsLongSegment_Literal)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(BM_PolygonFromSegments_Library)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(BM_PolygonFromSegments_Literal)->Arg(100)->Arg(1000)->Arg(10000);

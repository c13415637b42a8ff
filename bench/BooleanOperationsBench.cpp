// Subtraction and union of large rectilinear shapes: the library against the
// step-by-step procedures (tests/reference/LiteralBooleanOperations) and, as
// the baseline, an independent polygon library doing the same operation on
// the same shapes (insert both, combine, read back polygons with holes).

#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <vector>

#include "BoostOracle.h"
#include "RandomPolygons.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "reference/LiteralBooleanOperations.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;

namespace {

constexpr Coordinate maximumHeight = 100000;

struct Workload {
    HoledPolygon shape;
    HoledPolygon other;
};

// Two skylines of about `vertices` corners each: one standing on y = 0, the
// other hanging upside down from the top of the first's range, its columns
// half a column to the right. Where they overlap, the hanging columns bite
// into the standing ones.
const Workload& skylines(int vertices) {
    static std::map<int, Workload> cache;
    auto found = cache.find(vertices);
    if (found != cache.end()) return found->second;
    std::mt19937 random(static_cast<unsigned>(vertices));
    const Polygon standing = Testing::randomSkylinePolygon(random, vertices, 10, maximumHeight);
    Polygon hanging = Testing::randomSkylinePolygon(random, vertices, 10, maximumHeight);
    const Coordinate width = hanging.getBoundingRectangle().getTopRight().x;
    hanging.rotateAboutOrigin(2);
    hanging.translate(Point(width + 5, maximumHeight + 1));
    return cache.emplace(vertices, Workload{HoledPolygon(standing), HoledPolygon(hanging)}).first->second;
}

// A plate perforated by a row of square holes (about `vertices` corners in
// all), minus a hanging skyline that reaches into some of the holes.
const Workload& perforated(int vertices) {
    static std::map<int, Workload> cache;
    auto found = cache.find(vertices);
    if (found != cache.end()) return found->second;
    std::mt19937 random(static_cast<unsigned>(vertices) + 1);
    const int holeCount = std::max(1, (vertices - 4) / 4);
    std::vector<Polygon> holes;
    for (int i = 0; i < holeCount; ++i) {
        const Coordinate x = 20 * i + 5;
        holes.emplace_back(std::vector<Point>{{x, 40}, {x + 10, 40}, {x + 10, 60}, {x, 60}}, "");
    }
    const Coordinate width = 20 * holeCount + 10;
    const Polygon plate(std::vector<Point>{{0, 0}, {width, 0}, {width, 100}, {0, 100}}, "");
    Polygon hanging = Testing::randomSkylinePolygon(random, vertices, 10, 100);
    const Coordinate hangingWidth = hanging.getBoundingRectangle().getTopRight().x;
    hanging.rotateAboutOrigin(2);
    hanging.translate(Point(hangingWidth + 3, 150));
    return cache.emplace(vertices, Workload{HoledPolygon(plate, holes), HoledPolygon(hanging)}).first->second;
}

// A skyline minus a comb whose teeth reach below its foot: about
// `vertices` / 4 separate pieces are left.
const Workload& comb(int vertices) {
    static std::map<int, Workload> cache;
    auto found = cache.find(vertices);
    if (found != cache.end()) return found->second;
    std::mt19937 random(static_cast<unsigned>(vertices) + 2);
    const Polygon standing = Testing::randomSkylinePolygon(random, vertices, 10, maximumHeight);
    const Coordinate width = standing.getBoundingRectangle().getTopRight().x;
    const int teeth = std::max(1, vertices / 4);
    const Coordinate pitch = std::max<Coordinate>(2, width / teeth);
    std::vector<Point> corners{{-1, maximumHeight + 10}};
    for (int i = 0; i < teeth; ++i) {
        const Coordinate x = pitch * i + 1;
        corners.emplace_back(x, maximumHeight + 10);
        corners.emplace_back(x, -1);
        corners.emplace_back(x + 1, -1);
        corners.emplace_back(x + 1, maximumHeight + 10);
    }
    corners.emplace_back(width + 1, maximumHeight + 10);
    corners.emplace_back(width + 1, maximumHeight + 20);
    corners.emplace_back(-1, maximumHeight + 20);
    return cache.emplace(vertices, Workload{HoledPolygon(standing), HoledPolygon(Polygon(corners, ""))}).first->second;
}

template <typename Subtract>
void runSubtract(benchmark::State& state, const Workload& w, Subtract subtract) {
    std::size_t pieces = 0;
    for (auto _ : state) {
        const HoledPolygonSet result = subtract(w.shape, w.other);
        pieces = static_cast<std::size_t>(result.size());
        benchmark::DoNotOptimize(result.getAllPolygons().data());
    }
    state.counters["vertices"] = static_cast<double>(w.shape.getNumberOfEdges() + w.other.getNumberOfEdges());
    state.counters["pieces"] = static_cast<double>(pieces);
}

template <typename Unite>
void runUnion(benchmark::State& state, const Workload& w, Unite unite) {
    const Polygon& a = w.shape.getBasePolygon();
    const Polygon& b = w.other.getBasePolygon();
    std::size_t outlines = 0;
    for (auto _ : state) {
        PolygonSet holes;
        const PolygonSet result = unite(a, b, &holes);
        outlines = static_cast<std::size_t>(result.size());
        benchmark::DoNotOptimize(result.getAllPolygons().data());
    }
    state.counters["vertices"] = static_cast<double>(a.numberOfPoints() + b.numberOfPoints());
    state.counters["outlines"] = static_cast<double>(outlines);
}

HoledPolygonSet librarySubtract(const HoledPolygon& a, const HoledPolygon& b) {
    return a.booleanSubtract(b);
}
HoledPolygonSet literalSubtract(const HoledPolygon& a, const HoledPolygon& b) {
    return Reference::booleanSubtract(a, b);
}
PolygonSet libraryUnion(const Polygon& a, const Polygon& b, PolygonSet* holes) {
    return a.booleanAddAndSimplify(b, holes);
}

void BM_SubtractSkylines_Library(benchmark::State& state) {
    runSubtract(state, skylines(static_cast<int>(state.range(0))), librarySubtract);
}
void BM_SubtractSkylines_Literal(benchmark::State& state) {
    runSubtract(state, skylines(static_cast<int>(state.range(0))), literalSubtract);
}
void BM_SubtractPerforated_Library(benchmark::State& state) {
    runSubtract(state, perforated(static_cast<int>(state.range(0))), librarySubtract);
}
void BM_SubtractPerforated_Literal(benchmark::State& state) {
    runSubtract(state, perforated(static_cast<int>(state.range(0))), literalSubtract);
}
void BM_SubtractComb_Library(benchmark::State& state) {
    runSubtract(state, comb(static_cast<int>(state.range(0))), librarySubtract);
}
void BM_SubtractComb_Literal(benchmark::State& state) {
    runSubtract(state, comb(static_cast<int>(state.range(0))), literalSubtract);
}
void BM_UnionSkylines_Library(benchmark::State& state) {
    runUnion(state, skylines(static_cast<int>(state.range(0))), libraryUnion);
}
void BM_UnionSkylines_Literal(benchmark::State& state) {
    runUnion(state, skylines(static_cast<int>(state.range(0))), Reference::booleanAddAndSimplify);
}

#if ZELKOR_HAVE_BOOST_POLYGON
namespace bp = boost::polygon;
using Testing::boostRegion;

template <typename Combine>
void runBaseline(benchmark::State& state, const Workload& w, bool withHoles, Combine combine) {
    std::size_t pieces = 0;
    for (auto _ : state) {
        const bp::polygon_90_set_data<int> a = withHoles ? boostRegion(w.shape) : boostRegion(w.shape.getBasePolygon());
        const bp::polygon_90_set_data<int> b = withHoles ? boostRegion(w.other) : boostRegion(w.other.getBasePolygon());
        std::vector<bp::polygon_90_with_holes_data<int>> result;
        combine(a, b).get(result);
        pieces = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["pieces"] = static_cast<double>(pieces);
}

bp::polygon_90_set_data<int> subtractRegions(const bp::polygon_90_set_data<int>& a, const bp::polygon_90_set_data<int>& b) {
    using namespace bp::operators;
    return a - b;
}
bp::polygon_90_set_data<int> uniteRegions(const bp::polygon_90_set_data<int>& a, const bp::polygon_90_set_data<int>& b) {
    using namespace bp::operators;
    return a | b;
}

void BM_SubtractSkylines_Baseline(benchmark::State& state) {
    runBaseline(state, skylines(static_cast<int>(state.range(0))), true, subtractRegions);
}
void BM_SubtractPerforated_Baseline(benchmark::State& state) {
    runBaseline(state, perforated(static_cast<int>(state.range(0))), true, subtractRegions);
}
void BM_SubtractComb_Baseline(benchmark::State& state) {
    runBaseline(state, comb(static_cast<int>(state.range(0))), true, subtractRegions);
}
void BM_UnionSkylines_Baseline(benchmark::State& state) {
    runBaseline(state, skylines(static_cast<int>(state.range(0))), false, uniteRegions);
}

BENCHMARK(BM_SubtractSkylines_Baseline)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtractPerforated_Baseline)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtractComb_Baseline)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UnionSkylines_Baseline)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

BENCHMARK(BM_SubtractSkylines_Library)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtractSkylines_Literal)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtractPerforated_Library)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtractPerforated_Literal)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtractComb_Library)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubtractComb_Literal)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UnionSkylines_Library)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UnionSkylines_Literal)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);

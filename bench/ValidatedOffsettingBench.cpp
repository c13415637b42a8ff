// Validated contraction of one polygon: the library's version, the plain
// cycle search without the boundary check (to show what the check costs),
// and, as the baseline, an independent polygon library's square-cornered
// shrink of the same polygon (insert, shrink, read back polygons with holes).
//
// Polygons: x-monotone skylines of 10 to 2,000 corners on columns 10 wide.
// "Tall" columns (heights up to 100,000) mostly survive a contraction by 3;
// "low" ones (heights 1 to 12) break into many pieces.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "RandomPolygons.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "reference/LiteralValidatedOffsetting.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;

namespace {

constexpr int contraction = 3;

Polygon skyline(int corners, Coordinate maximumHeight) {
    std::mt19937 random(static_cast<unsigned>(corners) * 7919u + static_cast<unsigned>(maximumHeight));
    return Testing::randomSkylinePolygon(random, corners, 10, maximumHeight);
}

template <typename Contract>
void runContraction(benchmark::State& state, Coordinate maximumHeight, Contract contract) {
    const Polygon polygon = skyline(static_cast<int>(state.range(0)), maximumHeight);
    std::size_t pieces = 0;
    for (auto _ : state) {
        const PolygonSet result = contract(polygon, contraction);
        pieces = static_cast<std::size_t>(result.size());
        benchmark::DoNotOptimize(result.getAllPolygons().data());
    }
    state.counters["corners"] = static_cast<double>(polygon.numberOfPoints());
    state.counters["pieces"] = static_cast<double>(pieces);
}

PolygonSet libraryContraction(const Polygon& polygon, int numberOfUnits) {
    return polygon.getPolygonContracted(numberOfUnits);
}

void BM_ContractTall_Library(benchmark::State& state) {
    runContraction(state, 100000, libraryContraction);
}
void BM_ContractTall_Literal(benchmark::State& state) {
    runContraction(state, 100000, Reference::polygonContracted);
}
void BM_ContractLow_Library(benchmark::State& state) {
    runContraction(state, 12, libraryContraction);
}
void BM_ContractLow_Literal(benchmark::State& state) {
    runContraction(state, 12, Reference::polygonContracted);
}

#if ZELKOR_HAVE_BOOST_POLYGON
namespace bp = boost::polygon;

void runBaseline(benchmark::State& state, Coordinate maximumHeight) {
    const Polygon polygon = skyline(static_cast<int>(state.range(0)), maximumHeight);
    std::vector<bp::point_data<int>> corners;
    for (const Point& c : polygon.getPoints()) corners.emplace_back(c.x, c.y);
    std::size_t pieces = 0;
    for (auto _ : state) {
        bp::polygon_90_data<int> outline;
        outline.set(corners.begin(), corners.end());
        bp::polygon_90_set_data<int> region;
        region.insert(outline);
        bp::shrink(region, static_cast<unsigned>(contraction));
        std::vector<bp::polygon_90_with_holes_data<int>> result;
        region.get(result);
        pieces = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["corners"] = static_cast<double>(polygon.numberOfPoints());
    state.counters["pieces"] = static_cast<double>(pieces);
}

void BM_ContractTall_Baseline(benchmark::State& state) {
    runBaseline(state, 100000);
}
void BM_ContractLow_Baseline(benchmark::State& state) {
    runBaseline(state, 12);
}
#endif

void sizes(benchmark::internal::Benchmark* b) {
    for (int corners : {10, 100, 500, 2000}) b->Arg(corners);
    b->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_ContractTall_Library)->Apply(sizes);
BENCHMARK(BM_ContractTall_Literal)->Apply(sizes);
BENCHMARK(BM_ContractLow_Library)->Apply(sizes);
BENCHMARK(BM_ContractLow_Literal)->Apply(sizes);
#if ZELKOR_HAVE_BOOST_POLYGON
BENCHMARK(BM_ContractTall_Baseline)->Apply(sizes);
BENCHMARK(BM_ContractLow_Baseline)->Apply(sizes);
#endif

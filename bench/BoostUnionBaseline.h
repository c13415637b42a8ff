#pragma once

#if ZELKOR_HAVE_BOOST_POLYGON
#include <benchmark/benchmark.h>

#include <boost/polygon/polygon.hpp>
#include <vector>

namespace Zelkor::Rectilinear::Benchmarks {

// The baseline of the union benchmarks: an independent library's union of
// the same members, counting the outlines and holes it finds.
template <typename Shape>
void runBoostUnion(benchmark::State& state, const std::vector<Shape>& input) {
    namespace bp = boost::polygon;
    std::size_t outlines = 0;
    std::size_t holes = 0;
    for (auto _ : state) {
        bp::polygon_90_set_data<int> region;
        for (const Shape& shape : input) region.insert(shape);
        std::vector<bp::polygon_90_with_holes_data<int>> result;
        region.get(result);
        outlines = result.size();
        holes = 0;
        for (const auto& p : result) holes += p.size_holes();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["members"] = static_cast<double>(input.size());
    state.counters["outlines"] = static_cast<double>(outlines);
    state.counters["holes"] = static_cast<double>(holes);
}

}  // namespace Zelkor::Rectilinear::Benchmarks
#endif

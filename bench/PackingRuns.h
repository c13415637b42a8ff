#pragma once

#include <benchmark/benchmark.h>

#include "packing/PackingDriver.h"
#include "packing/PackingJob.h"
#include "packing/PackingOptions.h"

namespace Zelkor::Rectilinear::Benchmarks {

// Packs the job's parts and hosts with `options` once per iteration and
// reports the hosts used and the share of their area the parts take.
inline void packRepeatedly(benchmark::State& state, const PackingJob& job, const PackingOptions& options) {
    Math::PackingResults results;
    for (auto _ : state) {
        results = Math::packPolygonsToInventory(job.parts, job.hosts, options);
        benchmark::DoNotOptimize(results);
    }
    state.counters["hosts"] = static_cast<double>(results.resultingSets.size());
    state.counters["used%"] =
        results.totalHostArea > 0 ? 100.0 * double(results.totalArea) / double(results.totalHostArea) : 0.0;
}

}  // namespace Zelkor::Rectilinear::Benchmarks

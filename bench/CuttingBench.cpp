// The cutting services on a sheet with 10, 50 and 200 parts laid out in
// shelves one blade width apart: the outfall (cut lines, kerf union,
// subtraction), also with 50 to 1,000 parts well apart (a hole per part)
// against the literal outfall that takes the holes out one by one, the cut
// lines alone, and the cuts that may follow a first cut, against the literal
// admissible-cut procedure that splits and tests the whole grid.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "RandomSheetLayouts.h"
#include "cutting/CutLines.h"
#include "cutting/CutServices.h"
#include "reference/LiteralAdmissibleCuts.h"
#include "reference/LiteralOutfall.h"

using namespace Zelkor::Rectilinear;

namespace {

constexpr int bladeWidth = 4;

Testing::SheetLayout layoutWith(int partCount) {
    std::mt19937 random(static_cast<unsigned>(partCount));
    return Testing::shelfLayout(random, partCount, bladeWidth);
}

void BM_GetOutfallFrom(benchmark::State& state) {
    const Testing::SheetLayout layout = layoutWith(static_cast<int>(state.range(0)));
    const PolygonSet parts(layout.parts);
    for (auto _ : state) benchmark::DoNotOptimize(Math::getOutfallFrom(layout.sheet, parts, bladeWidth));
}

// Parts well apart: the outfall is one piece with a hole per part.
Testing::SheetLayout islandsWith(int partCount) {
    std::mt19937 random(static_cast<unsigned>(partCount));
    return Testing::islandLayout(random, partCount);
}

void islandCounts(benchmark::internal::Benchmark* benchmark) {
    for (const int partCount : {50, 100, 200, 500, 1000}) benchmark->Arg(partCount);
}

void BM_GetOutfallFrom_Islands(benchmark::State& state) {
    const Testing::SheetLayout layout = islandsWith(static_cast<int>(state.range(0)));
    const PolygonSet parts(layout.parts);
    for (auto _ : state) benchmark::DoNotOptimize(Math::getOutfallFrom(layout.sheet, parts, bladeWidth));
}

void BM_GetOutfallFrom_Islands_Literal(benchmark::State& state) {
    const Testing::SheetLayout layout = islandsWith(static_cast<int>(state.range(0)));
    const PolygonSet parts(layout.parts);
    for (auto _ : state) benchmark::DoNotOptimize(Reference::getOutfallFrom(layout.sheet, parts, bladeWidth));
}

void BM_GetCutLines(benchmark::State& state) {
    const Testing::SheetLayout layout = layoutWith(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(Math::getCutLines(layout.sheet, layout.parts, bladeWidth));
}

// The parts may not be cut, the sheet may; the first cut is a cut line of the
// middle part.
struct AdmissibleCutInput {
    std::vector<HoledPolygon> uncuttable;
    std::vector<HoledPolygon> cuttable;
    Polygon host;
    std::vector<Segment> existingCuts;
};

AdmissibleCutInput admissibleCutInput(int partCount) {
    const Testing::SheetLayout layout = layoutWith(partCount);
    AdmissibleCutInput input;
    for (const Polygon& part : layout.parts) input.uncuttable.emplace_back(part);
    input.cuttable.emplace_back(layout.sheet);
    input.host = layout.sheet;
    const std::vector<Segment> lines = Math::getCutLines(layout.sheet, layout.parts, bladeWidth);
    if (!lines.empty()) input.existingCuts.push_back(lines[lines.size() / 2]);
    return input;
}

void BM_GetAllCutsThatCanBeAdded(benchmark::State& state) {
    const AdmissibleCutInput input = admissibleCutInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Math::getAllCutsThatCanBeAdded(input.uncuttable, input.cuttable, input.host,
                                                                 input.existingCuts, bladeWidth));
    }
}

void BM_GetAllCutsThatCanBeAdded_Literal(benchmark::State& state) {
    const AdmissibleCutInput input = admissibleCutInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Reference::getAllCutsThatCanBeAdded(input.uncuttable, input.cuttable, input.host,
                                                                     input.existingCuts, bladeWidth));
    }
}

}  // namespace

BENCHMARK(BM_GetOutfallFrom)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetOutfallFrom_Islands)->Apply(islandCounts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetOutfallFrom_Islands_Literal)->Apply(islandCounts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetCutLines)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetAllCutsThatCanBeAdded)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetAllCutsThatCanBeAdded_Literal)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

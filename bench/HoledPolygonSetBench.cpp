// Union of all members of a holed set: the library's version against the
// literal procedure and, as the baseline, an independent polygon library's
// union of the same holed members (each base minus its holes, inserted into
// one set, then read back as polygons with holes).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "BoostOracle.h"
#include "ShapeBuilders.h"
#include "BoostUnionBaseline.h"
#include "geometry/HoledPolygonSet.h"
#include "reference/LiteralBooleanOperations.h"
#include "reference/LiteralHoledPolygonSet.h"

#if ZELKOR_HAVE_BOOST_POLYGON
#include <boost/polygon/polygon.hpp>
#endif

using namespace Zelkor::Rectilinear;

namespace {

using Testing::rect;

// `count` members scattered over a square whose side grows with the square
// root of the count, so each member overlaps about two others whatever the
// count. Half are rectangles, half are rectangles with one or two
// rectangular holes (offcuts with parts taken out), unless `holed` is false.
HoledPolygonSet scatteredMembers(int count, bool holed = true) {
    std::mt19937 random(static_cast<unsigned>(count));
    const Coordinate side = static_cast<Coordinate>(40.0 * std::sqrt(static_cast<double>(count)));
    std::uniform_int_distribution<Coordinate> corner(0, side);
    std::uniform_int_distribution<Coordinate> extent(10, 50);
    HoledPolygonSet set;
    for (int i = 0; i < count; ++i) {
        const Coordinate x = corner(random), y = corner(random);
        const Coordinate w = extent(random), h = extent(random);
        if (!holed || i % 2 == 0) {
            set.add(HoledPolygon(rect(x, y, x + w, y + h)));
            continue;
        }
        std::vector<Polygon> holes{rect(x + 2, y + 2, x + w / 2 - 1, y + h - 2)};
        if (i % 4 == 1) holes.push_back(rect(x + w / 2 + 1, y + 2, x + w - 2, y + h / 2));
        set.add(HoledPolygon(rect(x, y, x + w, y + h), holes));
    }
    return set;
}

template <typename Union>
void runUnion(benchmark::State& state, Union unite) {
    const HoledPolygonSet set = scatteredMembers(static_cast<int>(state.range(0)));
    std::size_t outlines = 0;
    std::size_t holes = 0;
    for (auto _ : state) {
        const HoledPolygonSet result = unite(set);
        outlines = static_cast<std::size_t>(result.size());
        holes = 0;
        for (const HoledPolygon& member : result.getAllPolygons()) holes += member.getHoles().size();
        benchmark::DoNotOptimize(result.getAllPolygons().data());
    }
    state.counters["members"] = static_cast<double>(set.size());
    state.counters["outlines"] = static_cast<double>(outlines);
    state.counters["holes"] = static_cast<double>(holes);
}

void BM_HoledUnion_Library(benchmark::State& state) {
    runUnion(state, [](const HoledPolygonSet& s) { return s.booleanAddAll(); });
}
void BM_HoledUnion_Literal(benchmark::State& state) {
    runUnion(state, Reference::booleanAddAll);
}

// A sheet under all the scattered members, with a margin.
HoledPolygon sheetUnder(const HoledPolygonSet& set) {
    const Rectangle box = set.getAllPolygons().front().getBasePolygon().getBoundingRectangle();
    Coordinate left = box.getBottomLeft().x, bottom = box.getBottomLeft().y;
    Coordinate right = box.getTopRight().x, top = box.getTopRight().y;
    for (const HoledPolygon& member : set.getAllPolygons()) {
        const Rectangle own = member.getBasePolygon().getBoundingRectangle();
        left = std::min(left, own.getBottomLeft().x);
        bottom = std::min(bottom, own.getBottomLeft().y);
        right = std::max(right, own.getTopRight().x);
        top = std::max(top, own.getTopRight().y);
    }
    return HoledPolygon(rect(left - 10, bottom - 10, right + 10, top + 10));
}

// The leftover: the sheet less all the members.
template <typename Subtract>
void runSubtractMany(benchmark::State& state, Subtract subtract, bool holed = true) {
    const HoledPolygonSet set = scatteredMembers(static_cast<int>(state.range(0)), holed);
    const HoledPolygon sheet = sheetUnder(set);
    std::size_t pieces = 0;
    for (auto _ : state) {
        const HoledPolygonSet result = subtract(sheet, set);
        pieces = static_cast<std::size_t>(result.size());
        benchmark::DoNotOptimize(result.getAllPolygons().data());
    }
    state.counters["pieces"] = static_cast<double>(pieces);
}

void BM_SubtractMany_Library(benchmark::State& state) {
    runSubtractMany(state, [](const HoledPolygon& sheet, const HoledPolygonSet& set) { return sheet.booleanSubtract(set); });
}
void BM_SubtractRectangles_Library(benchmark::State& state) {
    runSubtractMany(
        state, [](const HoledPolygon& sheet, const HoledPolygonSet& set) { return sheet.booleanSubtract(set); }, false);
}
// The members taken away one after the other, the whole sheet traced at every step.
void BM_SubtractMany_Literal(benchmark::State& state) {
    runSubtractMany(state, Reference::subtractEachInTurn);
}

#if ZELKOR_HAVE_BOOST_POLYGON
namespace bp = boost::polygon;
using Testing::boostOutline;

std::vector<bp::polygon_90_with_holes_data<int>> boostMembers(const HoledPolygonSet& set) {
    std::vector<bp::polygon_90_with_holes_data<int>> input;
    input.reserve(static_cast<std::size_t>(set.size()));
    for (const HoledPolygon& member : set.getAllPolygons()) {
        std::vector<bp::polygon_90_data<int>> holes;
        for (const Polygon& hole : member.getHoles()) holes.push_back(boostOutline(hole));
        bp::polygon_90_with_holes_data<int> holed;
        const bp::polygon_90_data<int> base = boostOutline(member.getBasePolygon());
        holed.set(base.begin(), base.end());
        holed.set_holes(holes.begin(), holes.end());
        input.push_back(holed);
    }
    return input;
}

// The same members as holed polygons; the union is built from them on every
// iteration, as the library builds its result from its members.
void BM_HoledUnion_Baseline(benchmark::State& state) {
    Benchmarks::runBoostUnion(state, boostMembers(scatteredMembers(static_cast<int>(state.range(0)))));
}

BENCHMARK(BM_HoledUnion_Baseline)->Arg(10)->Arg(100)->Arg(1000)->Arg(4000)->Arg(16000)->Arg(64000)->Unit(benchmark::kMillisecond);

// The sheet's region less the members' regions, read back as polygons with holes.
void runBoostSubtraction(benchmark::State& state, bool holed) {
    using namespace bp::operators;
    const HoledPolygonSet set = scatteredMembers(static_cast<int>(state.range(0)), holed);
    const bp::polygon_90_set_data<int> sheet = Testing::boostRegion(sheetUnder(set));
    const std::vector<bp::polygon_90_with_holes_data<int>> input = boostMembers(set);
    std::size_t pieces = 0;
    for (auto _ : state) {
        bp::polygon_90_set_data<int> members;
        for (const auto& member : input) members.insert(member);
        const bp::polygon_90_set_data<int> leftover = sheet - members;
        std::vector<bp::polygon_90_with_holes_data<int>> result;
        leftover.get(result);
        pieces = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["pieces"] = static_cast<double>(pieces);
}
void BM_SubtractMany_Baseline(benchmark::State& state) { runBoostSubtraction(state, true); }
void BM_SubtractRectangles_Baseline(benchmark::State& state) { runBoostSubtraction(state, false); }
BENCHMARK(BM_SubtractRectangles_Baseline)->Arg(1000)->Arg(4000)->Arg(16000)->Arg(64000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubtractMany_Baseline)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(16000)->Arg(64000)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK(BM_HoledUnion_Library)->Arg(10)->Arg(100)->Arg(1000)->Arg(4000)->Arg(16000)->Arg(64000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoledUnion_Literal)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubtractMany_Literal)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubtractRectangles_Library)->Arg(1000)->Arg(4000)->Arg(16000)->Arg(64000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubtractMany_Library)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(16000)->Arg(64000)->Unit(benchmark::kMillisecond);

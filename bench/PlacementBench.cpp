// Placement searches: the library against the candidate-by-candidate
// procedures (tests/reference/LiteralPlacement) in the same run.
//
// Hosts are skylines of 4 to 200 corners about 1200 units square (columns of
// height 600 to 1200 over a solid base), other shapes are rectangles of 20 to
// 60 units placed inside the host at least the padding apart, the dropped
// shape a 50 x 30 rectangle, padding 4.

#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "ShapeBuilders.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/PlacementServices.h"
#include "geometry/WhiteSpaceInformation.h"
#include "reference/LiteralPlacement.h"

using namespace Zelkor::Rectilinear;

namespace {

constexpr Coordinate hostSize = 1200;
constexpr int padding = 4;

using Testing::rect;

// A host with exactly `vertices` corners (an even number, at least 4).
Polygon skylineHost(std::mt19937& random, int vertices) {
    if (vertices <= 4) return rect(0, 0, hostSize, hostSize);
    const int columns = (vertices - 2) / 2;
    const Coordinate width = hostSize / columns;
    std::uniform_int_distribution<Coordinate> height(hostSize / 2, hostSize);
    std::vector<Coordinate> heights;
    for (int i = 0; i < columns; ++i) {
        Coordinate h = height(random);
        while (!heights.empty() && h == heights.back()) h = height(random);
        heights.push_back(h);
    }
    std::vector<Point> corners{{0, 0}, {width * columns, 0}};
    for (int i = columns - 1; i >= 0; --i) {
        corners.emplace_back(width * (i + 1), heights[static_cast<std::size_t>(i)]);
        corners.emplace_back(width * i, heights[static_cast<std::size_t>(i)]);
    }
    return Polygon(corners, "host");
}

struct ServiceScene {
    Polygon host;
    PolygonSet others;
    Polygon shape;     // 50 x 30
    Polygon bigShape;  // 400 x 400: fits no scene with other shapes, so every candidate is tried
};

const ServiceScene& serviceScene(int vertices, int otherCount) {
    static std::map<std::pair<int, int>, ServiceScene> cache;
    const auto key = std::make_pair(vertices, otherCount);
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    std::mt19937 random(static_cast<unsigned>(vertices * 1000 + otherCount));
    ServiceScene scene;
    scene.host = skylineHost(random, vertices);
    std::uniform_int_distribution<Coordinate> position(0, hostSize);
    std::uniform_int_distribution<Coordinate> side(20, 60);
    for (int attempt = 0; scene.others.size() < otherCount && attempt < 200000; ++attempt) {
        const Coordinate x = position(random), y = position(random);
        const Polygon candidate = rect(x, y, x + side(random), y + side(random));
        Polygon grown = candidate;
        grown.unvalidatedExpand(padding);
        if (!scene.host.contains(candidate) || scene.others.intersect(grown)) continue;
        scene.others.add(candidate);
    }
    scene.shape = rect(500, 500, 550, 530);
    scene.bigShape = rect(500, 500, 900, 900);
    return cache.emplace(key, std::move(scene)).first->second;
}

void BM_AllTranslations_Library(benchmark::State& state) {
    const ServiceScene& s = serviceScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::size_t count = 0;
    for (auto _ : state) {
        count = Math::getAllPossibleTranslationsForShapeWithinHost(s.shape, s.host, s.others, padding).size();
        benchmark::DoNotOptimize(count);
    }
    state.counters["translations"] = static_cast<double>(count);
}

void BM_AllTranslations_Literal(benchmark::State& state) {
    const ServiceScene& s = serviceScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::size_t count = 0;
    for (auto _ : state) {
        count = Reference::getAllPossibleTranslationsForShapeWithinHost(s.shape, s.host, s.others, padding).size();
        benchmark::DoNotOptimize(count);
    }
    state.counters["translations"] = static_cast<double>(count);
}

// What the drawing tool asks on every mouse move; the third argument 1
// drops the big shape.
void BM_ShapePositioned_Library(benchmark::State& state) {
    const ServiceScene& s = serviceScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const Polygon& shape = state.range(2) == 0 ? s.shape : s.bigShape;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            Math::rotateAndPositionWithinHost(true, true, true, 0, shape, s.host, s.others, padding).numberOfPoints());
    }
}

void BM_ShapePositioned_Literal(benchmark::State& state) {
    const ServiceScene& s = serviceScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const Polygon& shape = state.range(2) == 0 ? s.shape : s.bigShape;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            Reference::rotateAndPositionWithinHost(true, true, true, 0, shape, s.host, s.others, padding).numberOfPoints());
    }
}

void BM_ShapeRotatedAndPositioned_Library(benchmark::State& state) {
    const ServiceScene& s = serviceScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            Math::rotateAndPositionWithinHost(false, false, false, 1, s.shape, s.host, s.others, padding).numberOfPoints());
    }
}

void BM_ShapeRotatedAndPositioned_Literal(benchmark::State& state) {
    const ServiceScene& s = serviceScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            Reference::rotateAndPositionWithinHost(false, false, false, 1, s.shape, s.host, s.others, padding).numberOfPoints());
    }
}

// A group of three parts: an L of 400 x 700 with a tab, that fits the solid
// base of every host; and a bar 5 units lower than the host, which passes the
// box test but fits no skyline (every column would have to be that tall).
struct SetScene {
    Polygon host;
    PolygonSet fitting;
    PolygonSet tall;
};

const SetScene& setScene(int vertices) {
    static std::map<int, SetScene> cache;
    auto found = cache.find(vertices);
    if (found != cache.end()) return found->second;
    std::mt19937 random(static_cast<unsigned>(vertices));
    SetScene scene;
    scene.host = skylineHost(random, vertices);
    scene.fitting.add(rect(0, 0, 300, 200));
    scene.fitting.add(rect(0, 200, 100, 550));
    scene.fitting.add(rect(300, 0, 400, 100));
    const Coordinate top = scene.host.getBoundingRectangle().getTopRight().y;
    scene.tall.add(rect(0, 0, 150, top - 5));
    scene.tall.add(rect(150, 0, 160, 20));
    return cache.emplace(vertices, std::move(scene)).first->second;
}

template <typename Search>
void runSetSearch(benchmark::State& state, Search search) {
    const SetScene& s = setScene(static_cast<int>(state.range(0)));
    const PolygonSet& set = state.range(1) == 0 ? s.fitting : s.tall;
    for (auto _ : state) {
        Point translation;
        int rotation = 0;
        benchmark::DoNotOptimize(search(s.host, set, translation, rotation));
    }
}

void BM_SetFits_Library(benchmark::State& state) {
    runSetSearch(state, [](const Polygon& host, const PolygonSet& set, Point& t, int& r) {
        return host.getPositionOfSetWithin(set, &t, &r, nullptr, false, 1, nullptr, nullptr);
    });
}

void BM_SetFits_Literal(benchmark::State& state) {
    runSetSearch(state, [](const Polygon& host, const PolygonSet& set, Point& t, int& r) {
        return Reference::getPositionOfSetWithin(host, set, &t, &r, nullptr, false, 1, nullptr, nullptr);
    });
}

void BM_SetBestPosition_Library(benchmark::State& state) {
    runSetSearch(state, [](const Polygon& host, const PolygonSet& set, Point& t, int& r) {
        WhiteSpaceInformation score;
        return host.getPositionOfSetWithin(set, &t, &r, &score, true, 4, nullptr, nullptr);
    });
}

void BM_SetBestPosition_Literal(benchmark::State& state) {
    runSetSearch(state, [](const Polygon& host, const PolygonSet& set, Point& t, int& r) {
        WhiteSpaceInformation score;
        return Reference::getPositionOfSetWithin(host, set, &t, &r, &score, true, 4, nullptr, nullptr);
    });
}

void serviceArguments(benchmark::internal::Benchmark* b) {
    for (int vertices : {4, 20, 100, 200}) {
        for (int others : {0, 10, 50, 200}) b->Args({vertices, others});
    }
    b->Unit(benchmark::kMillisecond);
}

void positionArguments(benchmark::internal::Benchmark* b) {
    for (int vertices : {4, 20, 100, 200}) {
        for (int others : {0, 10, 50, 200}) b->Args({vertices, others, 0});
    }
    for (int vertices : {4, 100, 200}) {
        for (int others : {10, 50, 200}) b->Args({vertices, others, 1});
    }
    b->Unit(benchmark::kMillisecond);
}

void setArguments(benchmark::internal::Benchmark* b) {
    for (int vertices : {4, 20, 50, 100, 200}) {
        for (int tall : {0, 1}) b->Args({vertices, tall});
    }
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_AllTranslations_Library)->Apply(serviceArguments);
BENCHMARK(BM_AllTranslations_Literal)->Apply(serviceArguments);
BENCHMARK(BM_ShapePositioned_Library)->Apply(positionArguments);
BENCHMARK(BM_ShapePositioned_Literal)->Apply(positionArguments);
BENCHMARK(BM_ShapeRotatedAndPositioned_Library)->Apply(serviceArguments);
BENCHMARK(BM_ShapeRotatedAndPositioned_Literal)->Apply(serviceArguments);
BENCHMARK(BM_SetFits_Library)->Apply(setArguments);
BENCHMARK(BM_SetFits_Literal)->Apply(setArguments);
BENCHMARK(BM_SetBestPosition_Library)->Apply(setArguments);
BENCHMARK(BM_SetBestPosition_Literal)->Apply(setArguments);

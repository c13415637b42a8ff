#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "PackingBuilders.h"
#include "ShapeBuilders.h"
#include "packing/PackingCache.h"
#include "packing/PackingHelpers.h"

using namespace Zelkor::Rectilinear;
using Testing::poly;
using Testing::rect;

namespace {

std::vector<int> indicesOf(const std::vector<IndexedValue>& sorted) {
    std::vector<int> indices;
    for (const IndexedValue& v : sorted) indices.push_back(v.index);
    return indices;
}

TEST(PackingHelpers, AreaSortsOrderByAreaAndKeepEqualAreasInIndexOrder) {
    const std::vector<Polygon> areas531{rect(0, 0, 5, 1), rect(0, 0, 1, 1), rect(0, 0, 3, 1)};
    EXPECT_EQ(indicesOf(Math::sortedIndicesByArea(areas531, false)), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(indicesOf(Math::sortedIndicesByArea(areas531, true)), (std::vector<int>{0, 2, 1}));
    EXPECT_TRUE(Math::sortedIndicesByArea(std::vector<Polygon>{}, true).empty());

    // Many equal areas (1, 2 or 3): each area keeps its indices in order both ways.
    std::vector<Polygon> ties;
    for (int i = 0; i < 40; ++i) ties.push_back(rect(i, 0, i + 1, 1 + (i * 7) % 3));
    std::vector<int> ascending, descending;
    for (int area = 1; area <= 3; ++area) {
        for (int i = 0; i < 40; ++i) {
            if (1 + (i * 7) % 3 == area) ascending.push_back(i);
            if (1 + (i * 7) % 3 == 4 - area) descending.push_back(i);
        }
    }
    EXPECT_EQ(indicesOf(Math::sortedIndicesByArea(ties, false)), ascending);
    EXPECT_EQ(indicesOf(Math::sortedIndicesByArea(ties, true)), descending);
    std::vector<PolygonSet> tieSets;
    for (const Polygon& p : ties) tieSets.emplace_back(std::vector<Polygon>{p});
    EXPECT_EQ(indicesOf(Math::sortedIndicesByArea(tieSets)), ascending);
}

TEST(PackingHelpers, CongruencyIdsFollowFirstOccurrenceUpToQuarterTurns) {
    const Polygon l = poly("0,0 10,0 10,4 4,4 4,7 0,7");
    Polygon turnedL = l;
    turnedL.rotateAboutOrigin(1);
    turnedL.translate(Point(31, -12));
    const Polygon mirroredL = poly("0,0 10,0 10,7 6,7 6,4 0,4");
    const std::vector<Polygon> polygons{l, turnedL, rect(3, 3, 8, 8)};
    std::vector<PolygonSet> sets;
    for (const Polygon& p : polygons) sets.emplace_back(std::vector<Polygon>{p});

    EXPECT_EQ(Math::findCongruentElementsAndAssignIds(polygons, nullptr, -1), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(Math::findCongruentElementsAndAssignIds(sets, nullptr, -1), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(Math::findCongruentElementsAndAssignIds(polygons, nullptr, 1), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Math::findCongruentElementsAndAssignIds(sets, nullptr, 1), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Math::findCongruentElementsAndAssignIds(polygons, nullptr, 0), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Math::findCongruentElementsAndAssignIds(std::vector<Polygon>{l, mirroredL, turnedL}, nullptr, -1),
              (std::vector<int>{0, 1, 0}));

    // A previous numbering: only the -1 entries are numbered anew, after its
    // largest id; one of another length comes back as it was.
    const std::vector<int> previous{5, -1, -1};
    EXPECT_EQ(Math::findCongruentElementsAndAssignIds(polygons, &previous, -1), (std::vector<int>{5, 5, 6}));
    const std::vector<int> otherLength{4, -1};
    EXPECT_EQ(Math::findCongruentElementsAndAssignIds(polygons, &otherLength, -1), otherLength);
    EXPECT_TRUE(Math::findCongruentElementsAndAssignIds(std::vector<Polygon>{}, nullptr, -1).empty());
}

TEST(PackingHelpers, ProgressIsTheShareOfSetsMergedCappedBelowOne) {
    EXPECT_FLOAT_EQ(Math::progressFraction(10, 0, 10), 0.1f);
    EXPECT_FLOAT_EQ(Math::progressFraction(10, 4, 3), 0.4f);
    EXPECT_FLOAT_EQ(Math::progressFraction(10, 0, 1), 0.99f);

    Testing::CountingReceiver receiver;
    Math::reportProgress(10, 0, 10, &receiver);
    Math::reportProgress(10, 0, 10, nullptr);
    ASSERT_EQ(receiver.progress.size(), 1u);
    EXPECT_FLOAT_EQ(receiver.progress[0], 0.1f);
    EXPECT_EQ(receiver.heartbeats, 0);
}

// The cache against a plain map of unordered pairs, under random stores,
// unsets, deletions and resizes with indices partly out of range. An entry is
// recognised by the relative translation it was stored with.
TEST(PackingCacheTest, BehavesLikeAMapOfUnorderedPairs) {
    using Entry = std::tuple<Coordinate, bool, bool>;  // tag, valid, set
    auto seen = [](const ComparablePacking& e) {
        return Entry{e.getRelativeTranslation().x, e.isValid(), e.getIsSet()};
    };
    const Entry none = seen(ComparablePacking());
    std::mt19937 random(4242);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

    for (int run = 0; run < 20; ++run) {
        int n = between(0, 6);
        PackingCache cache(n);
        std::map<std::pair<int, int>, Entry> model;
        for (int step = 0; step < 60; ++step) {
            const int operation = between(0, 5), a = between(-1, n), b = between(-1, n);
            if (operation < 3) {
                ComparablePacking entry(PolygonSet(), PolygonSet(), Polygon(), 0, Point(step + 1, 0));
                entry.setIsValid(between(0, 1) == 1);
                entry.setIsSet(between(0, 1) == 1);  // set either way once stored
                cache.setCacheEntry(a, b, entry);
                if (a != b && std::min(a, b) >= 0 && std::max(a, b) < n) {
                    model[{std::min(a, b), std::max(a, b)}] = {step + 1, entry.isValid(), true};
                }
            } else if (operation == 3) {
                cache.unsetAllCacheEntriesForElement(a);
                for (auto& [pair, entry] : model) {
                    if (pair.first == a || pair.second == a) std::get<2>(entry) = false;
                }
            } else if (operation == 4) {
                cache.deleteElement(a);
                const int gone = a >= 0 && a < n ? a : n;  // out of range: nothing goes
                std::map<std::pair<int, int>, Entry> shifted;
                for (const auto& [pair, entry] : model) {
                    if (pair.first != gone && pair.second != gone) {
                        shifted[{pair.first - (pair.first > gone), pair.second - (pair.second > gone)}] = entry;
                    }
                }
                model = shifted;
                n -= gone < n;
            } else {
                n = between(0, n + 3);
                cache.resize(n);
                for (auto it = model.begin(); it != model.end();) it = it->first.second >= n ? model.erase(it) : ++it;
            }

            ASSERT_EQ(cache.size(), n);
            for (int i = -1; i <= n; ++i) {
                for (int j = -1; j <= n; ++j) {
                    const auto found = model.find({std::min(i, j), std::max(i, j)});
                    EXPECT_EQ(seen(cache.getCacheEntry(i, j)), found == model.end() ? none : found->second)
                        << "run " << run << " step " << step << " pair " << i << "," << j;
                }
            }
        }
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "RandomShapes.h"
#include "geometry/SegmentSplitting.h"
#include "reference/LiteralSegmentSplitting.h"

using namespace Zelkor::Rectilinear;
using Testing::describe;

namespace {

Segment seg(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) {
    return Segment(x1, y1, x2, y2);
}

// Same segments, same directions, same order.
::testing::AssertionResult sameSequence(const std::vector<Segment>& actual, const std::vector<Segment>& expected) {
    bool same = actual.size() == expected.size();
    for (std::size_t i = 0; same && i < actual.size(); ++i) same = actual[i].isEqualAndInSameDirection(expected[i]);
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << describe(actual) << "\nexpected " << describe(expected);
}

// The list splitting, and the splitting of one target at a time, against
// the literal procedure.
::testing::AssertionResult splitsAsTheLiteralProcedure(const std::vector<Segment>& targets,
                                                       const std::vector<Segment>& cutters) {
    const std::vector<Segment> expected = Reference::splitSegmentsBySegments(targets, cutters);
    std::vector<Segment> oneByOne;
    for (const Segment& target : targets) Math::splitSegmentBySegmentsInto(target, cutters, oneByOne);
    for (const std::vector<Segment>& actual : {Math::splitSegmentsBySegments(targets, cutters), oneByOne}) {
        ::testing::AssertionResult same = sameSequence(actual, expected);
        if (!same) return same << "\ntargets " << describe(targets) << "\ncutters " << describe(cutters);
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(SplitSegmentsBySegments, PiecesComeLastPieceFirst) {
    const std::vector<Segment> targets{seg(0, 0, 10, 0)};
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments(targets, {seg(3, -1, 3, 1), seg(7, -1, 7, 1)}),
                             {seg(7, 0, 10, 0), seg(3, 0, 7, 0), seg(0, 0, 3, 0)}));
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments(targets, {seg(7, -1, 7, 1), seg(3, -1, 3, 1)}),
                             {seg(7, 0, 10, 0), seg(3, 0, 7, 0), seg(0, 0, 3, 0)}));
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments({seg(10, 0, 0, 0)}, {seg(3, -1, 3, 1), seg(7, -1, 7, 1)}),
                             {seg(3, 0, 0, 0), seg(7, 0, 3, 0), seg(10, 0, 7, 0)}));
    // Many cuts of one target, unordered and repeated, one target at a time.
    std::vector<Segment> cutters;
    for (Coordinate x : {29, 3, 17, 3, 8, 1, 25, 12, 20, 5, 27, 14, 9, 22, 2, 18, 11, 28, 6, 15}) cutters.push_back(seg(x, -1, x, 1));
    for (const Segment& target : {seg(0, 0, 30, 0), seg(30, 0, 0, 0)}) {
        std::vector<Segment> pieces;
        Math::splitSegmentBySegmentsInto(target, cutters, pieces);
        EXPECT_TRUE(sameSequence(pieces, Math::splitSegmentsBySegments({target}, cutters)));
    }
}

TEST(SplitSegmentsBySegments, WhatSplitsAndWhatDoesNot) {
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments({seg(0, 0, 10, 0)}, {}), {seg(0, 0, 10, 0)}));
    EXPECT_TRUE(Math::splitSegmentsBySegments({}, {seg(0, 0, 10, 0)}).empty());
    // An end point on a cutter is no split point.
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments({seg(0, 0, 10, 0)}, {seg(10, -5, 10, 5)}),
                             {seg(0, 0, 10, 0)}));
    // A cutter that only touches the interior splits it.
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments({seg(2, 0, 2, 10)}, {seg(0, 4, 2, 4)}),
                             {seg(2, 4, 2, 10), seg(2, 0, 2, 4)}));
    // Collinear and parallel cutters never split.
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments({seg(0, 0, 10, 0)}, {seg(3, 0, 6, 0), seg(0, 1, 10, 1)}),
                             {seg(0, 0, 10, 0)}));
    // A zero-length cutter counts as vertical: it splits a horizontal target only.
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments({seg(0, 0, 10, 0)}, {seg(4, 0, 4, 0)}),
                             {seg(4, 0, 10, 0), seg(0, 0, 4, 0)}));
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments({seg(0, 0, 0, 10)}, {seg(0, 4, 0, 4)}),
                             {seg(0, 0, 0, 10)}));
    // A point hit twice splits once.
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments({seg(0, 0, 10, 0)}, {seg(5, 0, 5, 3), seg(5, -3, 5, 0)}),
                             {seg(5, 0, 10, 0), seg(0, 0, 5, 0)}));
}

TEST(SplitSegmentsBySegments, SameAsLiteralProcedureOnRandomInput) {
    std::mt19937 random(20261207);
    for (int trial = 0; trial < 20000; ++trial) {
        const Coordinate gridSize = trial % 3 == 0 ? 4 : 12;
        const int maximumCount = trial % 10 == 0 ? 40 : 8;
        const std::vector<Segment> targets = Testing::randomSegments(random, maximumCount, gridSize);
        const std::vector<Segment> cutters = Testing::randomSegments(random, maximumCount, gridSize);
        ASSERT_TRUE(splitsAsTheLiteralProcedure(targets, cutters)) << "trial " << trial;
    }
}

TEST(SplitSegmentsBySegments, SentinelCrossingsAreNotSplitPoints) {
    const Coordinate inf = Point::infinity;
    const std::vector<Segment> targets{seg(0, inf, 10, inf), seg(5, 0, 5, inf), seg(0, 3, 10, 3)};
    const std::vector<Segment> cutters{seg(5, inf - 10, 5, inf), seg(-1, inf - 1, 20, inf - 1), seg(inf, -5, inf, 5)};
    EXPECT_TRUE(sameSequence(Math::splitSegmentsBySegments(targets, cutters),
                             Reference::splitSegmentsBySegments(targets, cutters)));
}

namespace {

// Segments of a few hundred, long ones on a small grid so that overlaps,
// shared ends and T-junctions abound; some trials move the grid to either
// end of the 32-bit range, where the sentinels lie.
std::vector<Segment> randomLongSegments(std::mt19937& random, int count, Coordinate gridSize, Coordinate offset) {
    std::uniform_int_distribution<Coordinate> coordinate(0, gridSize);
    std::vector<Segment> segments;
    segments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const Point start(offset + coordinate(random), offset + coordinate(random));
        const Coordinate other = offset + coordinate(random);
        switch (i % 3) {
            case 0:
                segments.emplace_back(start, Point(other, start.y));
                break;
            case 1:
                segments.emplace_back(start, Point(start.x, other));
                break;
            default:
                segments.emplace_back(start, i % 5 == 0 ? start : Point(start.x, other));
                break;
        }
    }
    std::shuffle(segments.begin(), segments.end(), random);
    return segments;
}

}  // namespace

TEST(SplitSegmentsBySegments, SameAsLiteralProcedureOnLargeInput) {
    std::mt19937 random(7135);
    for (int trial = 0; trial < 60; ++trial) {
        const Coordinate gridSize = trial % 2 == 0 ? 30 : 300;
        // The grid reaches the infinite coordinate, or covers the hole
        // coordinate and the lowest value below it.
        const Coordinate offsets[] = {0, -gridSize / 2, Point::infinity - gridSize, Point::holeCoordinate - 1};
        const Coordinate offset = offsets[trial % 4];
        const int count = 100 + trial * 7;
        const std::vector<Segment> targets = randomLongSegments(random, count, gridSize, offset);
        const std::vector<Segment> cutters =
            trial % 3 == 0 ? targets : randomLongSegments(random, count / 2 + 1, gridSize, offset);
        ASSERT_TRUE(splitsAsTheLiteralProcedure(targets, cutters)) << "trial " << trial;
    }
}

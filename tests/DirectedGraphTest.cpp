#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "RandomShapes.h"
#include "geometry/DirectedGraph.h"
#include "geometry/SegmentSplitting.h"
#include "reference/LiteralDirectedGraph.h"

using namespace Zelkor::Rectilinear;
using Testing::describe;

namespace {

Segment seg(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) { return Segment(x1, y1, x2, y2); }

// The edges of the closed chain through `corners`, in order.
std::vector<Segment> closedChain(const std::vector<Point>& corners) {
    std::vector<Segment> segments;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        segments.emplace_back(corners[i], corners[(i + 1) % corners.size()]);
    }
    return segments;
}

std::vector<Segment> square(Coordinate x, Coordinate y, Coordinate size, bool counterclockwise = true) {
    std::vector<Point> corners{{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}};
    if (!counterclockwise) std::reverse(corners.begin(), corners.end());
    return closedChain(corners);
}

// A staircase polygon with 2 * steps + 2 edges, counterclockwise.
std::vector<Segment> staircase(int steps) {
    std::vector<Point> corners{{0, 0}};
    for (Coordinate i = 1; i <= steps; ++i) {
        corners.emplace_back(i, i - 1);
        corners.emplace_back(i, i);
    }
    corners.emplace_back(0, steps);
    return closedChain(corners);
}

std::vector<Segment> concat(std::vector<Segment> a, const std::vector<Segment>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::string> texts(const std::vector<Segment>& segments) {
    std::vector<std::string> result;
    for (const Segment& s : segments) result.push_back(s.toString());
    return result;
}

// Each cycle's text, marked when it ran clockwise.
std::vector<std::string> texts(const PolygonSet& cycles) {
    std::vector<std::string> result;
    for (const Polygon& p : cycles.getAllPolygons()) {
        result.push_back(p.toString() + (p.wasOriginallyDefinedInReverseOrder() ? " (reversed)" : ""));
    }
    return result;
}

template <typename Map>
std::map<std::string, std::vector<std::string>> textMap(const Map& map) {
    std::map<std::string, std::vector<std::string>> result;
    for (const auto& entry : map) {
        std::string key;
        if constexpr (std::is_same_v<typename Map::key_type, std::string>) {
            key = entry.first;
        } else {
            key = entry.first.toString();
        }
        result[key] = texts(entry.second);
    }
    return result;
}

}  // namespace

TEST(DirectedGraph, ConstructionSortsAndCollapsesRunsOfTheSamePointPair) {
    const DirectedGraph graph({seg(5, 5, 5, 6), seg(0, 0, 1, 0), seg(0, 0, 1, 0), seg(1, 0, 0, 0), seg(0, 0, 1, 0)});
    EXPECT_EQ(texts(graph.getEdges()), (std::vector<std::string>{"0,0 1,0", "5,5 5,6"}));
    // Opposite arcs separated by another arc in sorted order both stay.
    const DirectedGraph separated({seg(1, 0, 0, 0), seg(0, 1, 0, 0), seg(0, 0, 1, 0)});
    EXPECT_EQ(texts(separated.getEdges()), (std::vector<std::string>{"0,0 1,0", "0,1 0,0", "1,0 0,0"}));
    EXPECT_TRUE(DirectedGraph().getEdges().empty());
    EXPECT_TRUE(DirectedGraph().findAllSimpleCycles().empty());
}

TEST(DirectedGraph, OppositeArcsLinkOnlyFromTheEarlierToTheLater) {
    // Sorted: a = 0,0 1,0; d = 0,1 0,0; b = 1,0 0,0 (opposite of a); c = 1,0 1,1.
    const DirectedGraph graph({seg(1, 0, 1, 1), seg(1, 0, 0, 0), seg(0, 1, 0, 0), seg(0, 0, 1, 0)});
    const std::map<std::string, std::vector<std::string>> successors{{"0,0 1,0", {"1,0 0,0", "1,0 1,1"}},
                                                                     {"0,1 0,0", {"0,0 1,0"}}};
    EXPECT_EQ(textMap(graph.buildConnectionMap()), successors);
    const std::map<std::string, std::vector<std::string>> predecessors{
        {"0,0 1,0", {"0,1 0,0"}}, {"1,0 0,0", {"0,0 1,0"}}, {"1,0 1,1", {"0,0 1,0"}}};
    EXPECT_EQ(textMap(graph.buildReverseConnectionMap()), predecessors);
}

TEST(DirectedGraph, SquareGivesOneCycleMarkedByItsOrientation) {
    const PolygonSet counterclockwise = DirectedGraph(square(0, 0, 1)).findAllSimpleCycles();
    ASSERT_EQ(counterclockwise.size(), 1);
    EXPECT_EQ(counterclockwise.getPolygon(0).toString(), "0,0 1,0 1,1 0,1");
    EXPECT_FALSE(counterclockwise.getPolygon(0).wasOriginallyDefinedInReverseOrder());
    EXPECT_EQ(counterclockwise.getPolygon(0).getName(), "");

    const PolygonSet clockwise = DirectedGraph(square(0, 0, 1, false)).findAllSimpleCycles();
    ASSERT_EQ(clockwise.size(), 1);
    EXPECT_TRUE(clockwise.getPolygon(0).wasOriginallyDefinedInReverseOrder());
    EXPECT_TRUE(clockwise.getPolygon(0) == counterclockwise.getPolygon(0));

    // Both orientations together: the clockwise cycle starts with the lowest
    // arc, 0,0 0,1, and is found first; the counterclockwise one has the same
    // standardized boundary and is not added again.
    const PolygonSet both = DirectedGraph(concat(square(0, 0, 1), square(0, 0, 1, false))).findAllSimpleCycles();
    EXPECT_EQ(texts(both), (std::vector<std::string>{"1,0 1,1 0,1 0,0 (reversed)"}));
}

TEST(DirectedGraph, CyclesNeverPassACornerTwiceOrTurnBack) {
    // Squares sharing the corner 1,1: no figure eight through it.
    EXPECT_EQ(texts(DirectedGraph(concat(square(0, 0, 1), square(1, 1, 1))).findAllSimpleCycles()),
              (std::vector<std::string>{"0,0 1,0 1,1 0,1", "1,1 2,1 2,2 1,2"}));
    // An arc and its reverse alone, kept apart by a third arc in sorted order.
    EXPECT_TRUE(DirectedGraph({seg(0, 0, 0, 5), seg(0, 5, 0, 0), seg(0, 1, 3, 1)}).findAllSimpleCycles().empty());
    // A loop of collinear arcs encloses nothing and is not reported.
    EXPECT_TRUE(DirectedGraph({seg(0, 0, 1, 0), seg(1, 0, 2, 0), seg(2, 0, 0, 0)}).findAllSimpleCycles().empty());
    // Open chains.
    EXPECT_TRUE(DirectedGraph({seg(0, 0, 1, 0), seg(1, 0, 1, 1), seg(1, 1, 0, 1)}).findAllSimpleCycles().empty());
    EXPECT_TRUE(DirectedGraph({seg(0, 0, 1, 0), seg(0, 1, 0, 0), seg(1, 1, 0, 1), seg(1, 1, 1, 0)})
                    .findAllSimpleCycles()
                    .empty());
}

TEST(DirectedGraph, CyclesComeByLowestFirstArcThenDepthFirst) {
    // Two counterclockwise cells sharing the side x = 1 (so it runs both ways):
    // from 0,0 1,0 the search first turns up (the lower successor) and closes
    // the left cell, then runs on to close the outline; the right cell's
    // lowest arc comes later.
    const std::vector<Segment> cells = concat(square(0, 0, 1), square(1, 0, 1));
    EXPECT_EQ(texts(DirectedGraph(cells).findAllSimpleCycles()),
              (std::vector<std::string>{"0,0 1,0 1,1 0,1", "0,0 2,0 2,1 0,1", "1,0 2,0 2,1 1,1"}));
    // Split collinear pieces and the whole edge give the same boundary once.
    const std::vector<Segment> withSplitSide =
        concat(square(0, 0, 2), {seg(2, 0, 2, 1), seg(2, 1, 2, 2), seg(0, 0, 3, 0), seg(3, 0, 3, 1), seg(3, 1, 2, 1)});
    EXPECT_EQ(texts(DirectedGraph(withSplitSide).findAllSimpleCycles()),
              (std::vector<std::string>{"0,0 2,0 2,2 0,2", "0,0 3,0 3,1 2,1 2,2 0,2"}));
}

TEST(DirectedGraph, PruningDropsDeadEndsThenFalseStarts) {
    // A dead-end chain leaves the corner 1,1; a false start arrives at 0,0.
    const std::vector<Segment> arcs =
        concat(square(0, 0, 1), {seg(1, 1, 3, 1), seg(3, 1, 3, 4), seg(-5, 0, 0, 0), seg(-5, -2, -5, 0)});
    DirectedGraph graph(arcs);
    EXPECT_EQ(texts(graph.findAllSimpleCycles()), (std::vector<std::string>{"0,0 1,0 1,1 0,1"}));
    graph.pruneDeadEndAndFalseStartEdges();
    EXPECT_EQ(texts(graph.getEdges()), texts(DirectedGraph(square(0, 0, 1)).getEdges()));
    EXPECT_EQ(texts(graph.findAllSimpleCycles()), (std::vector<std::string>{"0,0 1,0 1,1 0,1"}));

    // Nothing closes: everything goes.
    DirectedGraph open({seg(0, 0, 1, 0), seg(1, 0, 1, 1), seg(1, 1, 0, 1)});
    open.pruneDeadEndAndFalseStartEdges();
    EXPECT_TRUE(open.getEdges().empty());
}

TEST(DirectedGraph, PruningAnArcLeavesItsOppositeInPlace) {
    // The dead end 10,0 0,0 goes; its opposite 0,0 10,0 is a live successor
    // of 0,10 0,0 and must stay, or the whole square would peel off.
    const std::vector<Segment> arcs = concat(square(0, 0, 10), {seg(10, 0, 0, 0)});
    DirectedGraph graph(arcs);
    graph.pruneDeadEndAndFalseStartEdges();
    std::vector<Segment> squareArcs = square(0, 0, 10);
    std::sort(squareArcs.begin(), squareArcs.end());
    EXPECT_EQ(Testing::describe(graph.getEdges()), Testing::describe(squareArcs));
    EXPECT_EQ(graph.findAllSimpleCycles().size(), 1);

    Reference::LiteralDirectedGraph literal(arcs);
    literal.pruneDeadEndAndFalseStartEdges();
    EXPECT_EQ(Testing::describe(literal.getEdges()), Testing::describe(graph.getEdges()));
}

TEST(DirectedGraph, InnerCycleTestAndCyclePoints) {
    const DirectedGraph graph;
    const std::vector<Segment> oneArc{seg(0, 0, 1, 0)};
    EXPECT_TRUE(graph.segmentWillCreateInnerCycle(seg(1, 0, 0, 0), oneArc));
    EXPECT_FALSE(graph.segmentWillCreateInnerCycle(seg(1, 0, 1, 1), oneArc));
    EXPECT_FALSE(graph.segmentWillCreateInnerCycle(seg(1, 0, 1, 1), {}));

    const std::vector<Segment> threeArcs{seg(0, 0, 1, 0), seg(1, 0, 1, 1), seg(1, 1, 0, 1)};
    EXPECT_FALSE(graph.segmentWillCreateInnerCycle(seg(0, 1, 0, 0), threeArcs));  // back to the start: closes
    EXPECT_TRUE(graph.segmentWillCreateInnerCycle(seg(0, 1, 1, 1), threeArcs));   // start of the last arc
    EXPECT_TRUE(graph.segmentWillCreateInnerCycle(seg(1, 0, 5, 0), threeArcs));   // an inner corner
    EXPECT_FALSE(graph.segmentWillCreateInnerCycle(seg(0, 1, -3, 1), threeArcs));

    EXPECT_TRUE(graph.getCyclePoints({}).empty());
    const std::vector<Point> corners =
        graph.getCyclePoints({seg(0, 0, 1, 0), seg(1, 0, 1, 0), seg(1, 0, 1, 1), seg(1, 1, 0, 1), seg(0, 1, 0, 0)});
    EXPECT_EQ(describe(corners), describe(std::vector<Point>{{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    const std::vector<Point> gap = graph.getCyclePoints({seg(0, 0, 1, 0), seg(2, 0, 3, 0)});
    EXPECT_EQ(describe(gap), describe(std::vector<Point>{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
}

TEST(DirectedGraph, LargePolygonNeedsNoDeepStack) {
    const std::vector<Segment> edges = staircase(4999);
    ASSERT_EQ(edges.size(), 10000u);
    DirectedGraph graph(edges);
    const PolygonSet cycles = graph.findAllSimpleCycles();
    ASSERT_EQ(cycles.size(), 1);
    EXPECT_EQ(cycles.getPolygon(0).numberOfPoints(), 10000);
    EXPECT_FALSE(cycles.getPolygon(0).wasOriginallyDefinedInReverseOrder());
    graph.pruneDeadEndAndFalseStartEdges();
    EXPECT_EQ(graph.getEdges().size(), 10000u);

    // With every edge also reversed, the clockwise twin standardizes to the
    // same boundary and is dropped.
    std::vector<Segment> both = edges;
    for (Segment s : edges) {
        s.flip();
        both.push_back(s);
    }
    EXPECT_EQ(DirectedGraph(both).findAllSimpleCycles().size(), 1);
}

// ---------------------------------------------------------------------------
// The library against the literal procedure on random segment soups.

namespace {

// An x-monotone outline: columns between random x stops, each with a random
// floor and ceiling; neighbouring columns need not overlap, so the outline
// may touch itself. Random orientation, sometimes transposed.
std::vector<Segment> randomMonotoneOutline(std::mt19937& random, int columns, Coordinate height, Point offset) {
    std::uniform_int_distribution<Coordinate> step(1, 3);
    std::vector<Coordinate> xs{0};
    for (int i = 0; i < columns; ++i) xs.push_back(xs.back() + step(random));
    std::vector<Coordinate> floors;
    std::vector<Coordinate> ceilings;
    for (int i = 0; i < columns; ++i) {
        floors.push_back(std::uniform_int_distribution<Coordinate>(0, height - 1)(random));
        ceilings.push_back(std::uniform_int_distribution<Coordinate>(floors.back() + 1, height)(random));
    }
    std::vector<Point> corners;
    for (int i = 0; i < columns; ++i) {
        corners.emplace_back(xs[i], floors[i]);
        corners.emplace_back(xs[i + 1], floors[i]);
    }
    for (int i = columns - 1; i >= 0; --i) {
        corners.emplace_back(xs[i + 1], ceilings[i]);
        corners.emplace_back(xs[i], ceilings[i]);
    }
    const bool transpose = random() % 3 == 0;
    for (Point& p : corners) {
        if (transpose) std::swap(p.x, p.y);
        p = p + offset;
    }
    if (random() % 2 == 0) std::reverse(corners.begin(), corners.end());
    return closedChain(corners);
}

std::vector<Segment> splitByThemselves(const std::vector<Segment>& segments) {
    return Math::splitSegmentsBySegments(segments, segments);
}

std::vector<Segment> randomSoup(std::mt19937& random, int kind) {
    std::vector<Segment> soup;
    auto chance = [&random](int percent) { return static_cast<int>(random() % 100) < percent; };
    switch (kind) {
        case 0:  // loose segments
            soup = Testing::randomSegments(random, 12, 2);
            if (chance(50)) soup = splitByThemselves(soup);
            break;
        case 1: {  // unit cells that may share sides or corners
            const int cells = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < cells; ++i) {
                soup = concat(soup, square(static_cast<Coordinate>(random() % 3), static_cast<Coordinate>(random() % 3),
                                           1, chance(70)));
            }
            break;
        }
        case 2:  // the split edges of one outline
            soup = splitByThemselves(randomMonotoneOutline(random, 2 + static_cast<int>(random() % 3), 4, Point(0, 0)));
            break;
        case 3: {  // the split edges of two overlapping outlines
            const Point offset(static_cast<Coordinate>(random() % 4), static_cast<Coordinate>(random() % 4));
            soup = concat(randomMonotoneOutline(random, 1 + static_cast<int>(random() % 3), 4, Point(0, 0)),
                          randomMonotoneOutline(random, 1 + static_cast<int>(random() % 3), 4, offset));
            soup = splitByThemselves(soup);
            break;
        }
        case 4: {  // rectangles and arcs on a 3 by 3 lattice, spanning other lattice points
            std::uniform_int_distribution<Coordinate> coordinate(0, 2);
            for (int i = 2 + static_cast<int>(random() % 2); i > 0; --i) {
                const Coordinate x1 = coordinate(random), y1 = coordinate(random);
                const Coordinate x2 = coordinate(random), y2 = coordinate(random);
                std::vector<Point> corners{{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
                if (chance(50)) std::reverse(corners.begin(), corners.end());
                soup = concat(soup, closedChain(corners));
            }
            for (int i = 3 + static_cast<int>(random() % 4); i > 0; --i) {
                const Point start(coordinate(random), coordinate(random));
                const Coordinate other = coordinate(random);
                soup.emplace_back(start, chance(50) ? Point(other, start.y) : Point(start.x, other));
            }
            break;
        }
        default: {  // every unit side of a small grid, each one way, the other or both
            const Coordinate width = 2 + static_cast<Coordinate>(random() % 2);
            for (Coordinate x = 0; x <= width; ++x) {
                for (Coordinate y = 0; y <= 2; ++y) {
                    if (x < width) {
                        if (chance(60)) soup.push_back(seg(x, y, x + 1, y));
                        if (chance(60)) soup.push_back(seg(x + 1, y, x, y));
                    }
                    if (y < 2) {
                        if (chance(60)) soup.push_back(seg(x, y, x, y + 1));
                        if (chance(60)) soup.push_back(seg(x, y + 1, x, y));
                    }
                }
            }
            break;
        }
    }
    // Reversed arcs, duplicates and dangling arcs.
    const std::size_t original = soup.size();
    for (std::size_t i = 0; i < original; ++i) {
        if (chance(8)) soup.emplace_back(soup[i].getEndPoint(), soup[i].getStartPoint());
        if (chance(8)) soup.push_back(soup[i]);
    }
    for (int i = static_cast<int>(random() % 3); i > 0 && original > 0; --i) {
        const Point anchor = soup[random() % original].getPoint(static_cast<int>(random() % 2));
        const Point far(anchor.x + static_cast<Coordinate>(random() % 3) + 1, anchor.y);
        if (chance(50)) {
            soup.emplace_back(anchor, far);
        } else {
            soup.emplace_back(far, anchor);
        }
    }
    std::shuffle(soup.begin(), soup.end(), random);
    return soup;
}

}  // namespace

TEST(DirectedGraph, SameAsLiteralProcedureOnRandomSoups) {
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 4000; ++trial) {
        const std::vector<Segment> soup = randomSoup(random, trial % 6);
        SCOPED_TRACE("trial " + std::to_string(trial) + "\nsoup " + describe(soup));
        DirectedGraph graph(soup);
        Reference::LiteralDirectedGraph literal(soup);
        ASSERT_EQ(texts(graph.getEdges()), texts(literal.getEdges()));
        ASSERT_EQ(textMap(graph.buildConnectionMap()), textMap(literal.buildConnectionMap()));
        ASSERT_EQ(textMap(graph.buildReverseConnectionMap()), textMap(literal.buildReverseConnectionMap()));
        ASSERT_EQ(texts(graph.findAllSimpleCycles()), texts(literal.findAllSimpleCycles()));

        graph.pruneDeadEndAndFalseStartEdges();
        literal.pruneDeadEndAndFalseStartEdges();

        ASSERT_EQ(texts(graph.getEdges()), texts(literal.getEdges()));
        ASSERT_EQ(texts(graph.findAllSimpleCycles()), texts(literal.findAllSimpleCycles()));
    }
}

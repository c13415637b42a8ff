#include "geometry/DirectedGraph.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <utility>

namespace Zelkor::Rectilinear {

namespace {

using Index = std::uint32_t;
constexpr Index noArc = std::numeric_limits<Index>::max();

// Neighbour lists of all arcs in one block: the list of arc k is
// targets[offsets[k]] .. targets[offsets[k + 1] - 1], in ascending arc order.
struct Adjacency {
    std::vector<Index> offsets;
    std::vector<Index> targets;

    Index begin(Index k) const { return offsets[k]; }
    Index end(Index k) const { return offsets[k + 1]; }
};

Index arcCount(const std::vector<Segment>& edges) { return static_cast<Index>(edges.size()); }

// The first arc (in the sorted arc list) that starts at or after `point`.
Index firstArcStartingAt(const std::vector<Segment>& edges, const Point& point) {
    const auto found = std::lower_bound(edges.begin(), edges.end(), point,
                                        [](const Segment& s, const Point& p) { return s.getStartPoint() < p; });
    return static_cast<Index>(found - edges.begin());
}

// Arc indices ordered by end point, then index: the arcs ending at one point
// form a run in ascending arc order.
std::vector<Index> arcsByEndPoint(const std::vector<Segment>& edges) {
    std::vector<Index> order(edges.size());
    for (Index k = 0; k < arcCount(edges); ++k) order[k] = k;
    std::sort(order.begin(), order.end(), [&edges](Index a, Index b) {
        const Point& endA = edges[a].getEndPoint();
        const Point& endB = edges[b].getEndPoint();
        if (endA != endB) return endA < endB;
        return a < b;
    });
    return order;
}

Index firstOrderedArcEndingAt(const std::vector<Segment>& edges, const std::vector<Index>& byEnd, const Point& point) {
    const auto found = std::lower_bound(byEnd.begin(), byEnd.end(), point,
                                        [&edges](Index k, const Point& p) { return edges[k].getEndPoint() < p; });
    return static_cast<Index>(found - byEnd.begin());
}

// The arc running from arc k's end to its start, or noArc.
Index oppositeArc(const std::vector<Segment>& edges, Index k) {
    const Segment opposite(edges[k].getEndPoint(), edges[k].getStartPoint());
    const auto found = std::lower_bound(edges.begin(), edges.end(), opposite);
    if (found == edges.end() || !found->isEqualAndInSameDirection(opposite)) return noArc;
    return static_cast<Index>(found - edges.begin());
}

// Successors of every arc: the arcs starting where it ends, except itself
// and, for two opposite arcs, the earlier one as successor of the later one
// (only the first link of such a pair counts). Because the arcs are sorted by
// start point, the arcs starting at one point form a run in ascending order.
Adjacency successorLists(const std::vector<Segment>& edges) {
    const Index n = arcCount(edges);
    Adjacency lists;
    lists.offsets.reserve(static_cast<std::size_t>(n) + 1);
    lists.targets.reserve(edges.size());
    for (Index k = 0; k < n; ++k) {
        lists.offsets.push_back(static_cast<Index>(lists.targets.size()));
        const Point& joint = edges[k].getEndPoint();
        for (Index j = firstArcStartingAt(edges, joint); j < n && edges[j].getStartPoint() == joint; ++j) {
            if (j == k) continue;
            if (j < k && edges[j].getEndPoint() == edges[k].getStartPoint()) continue;
            lists.targets.push_back(j);
        }
    }
    lists.offsets.push_back(static_cast<Index>(lists.targets.size()));
    return lists;
}

// Predecessors of every arc, the mirror image of successorLists: for two
// opposite arcs the later one lists the earlier one, not the reverse.
Adjacency predecessorLists(const std::vector<Segment>& edges) {
    const Index n = arcCount(edges);
    const std::vector<Index> byEnd = arcsByEndPoint(edges);
    Adjacency lists;
    lists.offsets.reserve(static_cast<std::size_t>(n) + 1);
    lists.targets.reserve(edges.size());
    for (Index k = 0; k < n; ++k) {
        lists.offsets.push_back(static_cast<Index>(lists.targets.size()));
        const Point& joint = edges[k].getStartPoint();
        for (Index position = firstOrderedArcEndingAt(edges, byEnd, joint);
             position < n && edges[byEnd[position]].getEndPoint() == joint; ++position) {
            const Index j = byEnd[position];
            if (j == k) continue;
            if (j > k && edges[j].getStartPoint() == edges[k].getEndPoint()) continue;
            lists.targets.push_back(j);
        }
    }
    lists.offsets.push_back(static_cast<Index>(lists.targets.size()));
    return lists;
}

DirectedGraph::ConnectionMap toConnectionMap(const std::vector<Segment>& edges, const Adjacency& lists) {
    DirectedGraph::ConnectionMap map;
    for (Index k = 0; k < arcCount(edges); ++k) {
        if (lists.begin(k) == lists.end(k)) continue;
        std::vector<Segment>& entry = map[edges[k]];
        entry.reserve(lists.end(k) - lists.begin(k));
        for (Index position = lists.begin(k); position < lists.end(k); ++position) {
            entry.push_back(edges[lists.targets[position]]);
        }
    }
    return map;
}

// One pruning phase. An arc goes when its neighbour list is empty; when an arc
// goes, the first entry equal to it in either direction leaves every list.
// The entries of one list share their start point (successors) or their end
// point (predecessors), which an arc and its opposite never do, so no list
// holds both: dropping an arc or its opposite, whichever goes first, takes
// both out of all lists. Removal only ever empties lists further, so which
// arcs go does not depend on the order in which arcs are examined: a work list
// reaches the same survivors as repeated front-to-back walks. Returns the
// survivors in their order.
std::vector<Segment> survivorsOfPhase(const std::vector<Segment>& edges, const Adjacency& lists) {
    const Index n = arcCount(edges);
    // Which lists hold each arc: the inverse of `lists`.
    std::vector<Index> holdersOffsets(static_cast<std::size_t>(n) + 1, 0);
    for (const Index target : lists.targets) ++holdersOffsets[target + 1];
    for (Index k = 0; k < n; ++k) holdersOffsets[k + 1] += holdersOffsets[k];
    std::vector<Index> holders(lists.targets.size());
    {
        std::vector<Index> fill(holdersOffsets.begin(), holdersOffsets.end() - 1);
        for (Index k = 0; k < n; ++k) {
            for (Index position = lists.begin(k); position < lists.end(k); ++position) {
                holders[fill[lists.targets[position]]++] = k;
            }
        }
    }

    std::vector<Index> remaining(n);
    std::vector<Index> workList;
    for (Index k = 0; k < n; ++k) {
        remaining[k] = lists.end(k) - lists.begin(k);
        if (remaining[k] == 0) workList.push_back(k);
    }
    std::vector<char> removed(n, 0);
    std::vector<char> outOfLists(n, 0);
    auto takeOutOfLists = [&](Index arc) {
        if (arc == noArc || outOfLists[arc]) return;
        outOfLists[arc] = 1;
        for (Index position = holdersOffsets[arc]; position < holdersOffsets[arc + 1]; ++position) {
            const Index holder = holders[position];
            if (--remaining[holder] == 0 && !removed[holder]) workList.push_back(holder);
        }
    };
    while (!workList.empty()) {
        const Index arc = workList.back();
        workList.pop_back();
        if (removed[arc]) continue;
        removed[arc] = 1;
        takeOutOfLists(arc);
    }

    std::vector<Segment> survivors;
    survivors.reserve(edges.size());
    for (Index k = 0; k < n; ++k) {
        if (!removed[k]) survivors.push_back(edges[k]);
    }
    return survivors;
}

// For a partial function `next` on arcs (noArc where undefined), the least arc
// index on the orbit k, next(k), next(next(k)), ... (cycles included).
std::vector<Index> leastIndexOnOrbit(const std::vector<Index>& next) {
    const Index n = static_cast<Index>(next.size());
    std::vector<Index> least(n, noArc);
    std::vector<char> state(n, 0);  // 0 unvisited, 1 on the current walk, 2 done
    std::vector<Index> walk;
    for (Index origin = 0; origin < n; ++origin) {
        if (state[origin] != 0) continue;
        walk.clear();
        Index k = origin;
        while (k != noArc && state[k] == 0) {
            state[k] = 1;
            walk.push_back(k);
            k = next[k];
        }
        Index tail = noArc;  // least index beyond the end of the walk
        if (k != noArc && state[k] == 1) {
            // The walk ran into itself: every arc of that loop sees the whole loop.
            std::size_t loopStart = walk.size();
            while (walk[--loopStart] != k) {
            }
            Index loopLeast = noArc;
            for (std::size_t i = loopStart; i < walk.size(); ++i) loopLeast = std::min(loopLeast, walk[i]);
            for (std::size_t i = loopStart; i < walk.size(); ++i) {
                least[walk[i]] = loopLeast;
                state[walk[i]] = 2;
            }
            walk.resize(loopStart);
            tail = loopLeast;
        } else if (k != noArc) {
            tail = least[k];
        }
        while (!walk.empty()) {
            const Index arc = walk.back();
            walk.pop_back();
            tail = std::min(tail, arc);
            least[arc] = tail;
            state[arc] = 2;
        }
    }
    return least;
}

std::uint64_t mix(std::uint64_t value) {
    value += 0x9e3779b97f4a7c15ULL;
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

std::uint64_t pointKey(const Point& p) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.x)) << 32) | static_cast<std::uint32_t>(p.y);
}

// A hash of the directed boundary that does not depend on the starting
// corner: equal polygons (Polygon::operator==) have equal hashes.
std::uint64_t boundaryHash(const std::vector<Point>& points) {
    std::uint64_t hash = mix(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& next = points[i + 1 == points.size() ? 0 : i + 1];
        hash += mix(mix(pointKey(points[i])) ^ pointKey(next));
    }
    return hash;
}

// The graph seen by the cycle search: arcs by index, corners by number.
class CycleSearch {
public:
    explicit CycleSearch(const std::vector<Segment>& graphEdges);
    PolygonSet run();

private:
    void numberCorners();
    void findForcedNeighbours();
    void searchFrom(Index first);
    void addCycle();
    bool mayExtend(Index candidate, Index first) const;

    const std::vector<Segment>& edges;
    const Index n;
    Adjacency successors;
    std::vector<Index> startCorner;
    std::vector<Index> endCorner;
    std::vector<char> zeroLength;
    // Least arc index that every cycle through an arc must contain.
    std::vector<Index> leastForcedArc;

    // The current path (arc indices), its resume positions in the successor
    // lists, and per corner how often it is forbidden for the next arc.
    std::vector<Index> path;
    std::vector<Index> resumeAt;
    std::vector<Index> forbiddenCorner;
    std::vector<char> onPath;

    PolygonSet completeCycles;
    std::unordered_multimap<std::uint64_t, int> cyclesByHash;
    std::vector<Point> cyclePoints;
};

CycleSearch::CycleSearch(const std::vector<Segment>& graphEdges) : edges(graphEdges), n(arcCount(graphEdges)) {
    successors = successorLists(edges);
    zeroLength.resize(n);
    for (Index k = 0; k < n; ++k) zeroLength[k] = edges[k].getStartPoint() == edges[k].getEndPoint();
    numberCorners();
    findForcedNeighbours();
    onPath.assign(n, 0);
}

void CycleSearch::numberCorners() {
    std::vector<Point> corners;
    corners.reserve(2 * edges.size());
    for (const Segment& s : edges) {
        corners.push_back(s.getStartPoint());
        corners.push_back(s.getEndPoint());
    }
    std::sort(corners.begin(), corners.end());
    corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
    auto number = [&corners](const Point& p) {
        return static_cast<Index>(std::lower_bound(corners.begin(), corners.end(), p) - corners.begin());
    };
    startCorner.resize(n);
    endCorner.resize(n);
    for (Index k = 0; k < n; ++k) {
        startCorner[k] = number(edges[k].getStartPoint());
        endCorner[k] = number(edges[k].getEndPoint());
    }
    forbiddenCorner.assign(corners.size(), 0);
}

// A cycle (simple, at least three arcs) never turns back along the arc it
// came by and never uses a zero-length arc. So when only one other arc of
// positive length leaves an arc's end, every cycle through the arc continues
// with it; likewise when only one other arc arrives at an arc's start. Following
// these forced links gives arcs that any cycle through an arc must contain; if
// one of them comes before the search's first arc, all such cycles were found
// from an earlier first arc.
void CycleSearch::findForcedNeighbours() {
    const std::size_t cornerCount = forbiddenCorner.size();
    std::vector<Index> leaving(cornerCount, 0);
    std::vector<Index> arriving(cornerCount, 0);
    for (Index k = 0; k < n; ++k) {
        if (zeroLength[k]) continue;
        ++leaving[startCorner[k]];
        ++arriving[endCorner[k]];
    }
    std::vector<Index> opposite(n, noArc);
    for (Index k = 0; k < n; ++k) {
        if (!zeroLength[k]) opposite[k] = oppositeArc(edges, k);
    }
    // Arcs leaving one corner are a run of the sorted arcs; arcs arriving at one
    // corner are a run of the arcs ordered by end point.
    const std::vector<Index> byEnd = arcsByEndPoint(edges);
    std::vector<Index> firstLeaving(cornerCount, noArc);
    std::vector<Index> firstArriving(cornerCount, noArc);
    for (Index k = n; k-- > 0;) firstLeaving[startCorner[k]] = k;
    for (Index position = n; position-- > 0;) firstArriving[endCorner[byEnd[position]]] = position;

    std::vector<Index> forcedNext(n, noArc);
    std::vector<Index> forcedPrevious(n, noArc);
    for (Index k = 0; k < n; ++k) {
        if (zeroLength[k]) continue;
        const Index hasOpposite = opposite[k] == noArc ? 0 : 1;
        const Index out = endCorner[k];
        if (leaving[out] - hasOpposite == 1) {
            for (Index j = firstLeaving[out]; j < n && startCorner[j] == out; ++j) {
                if (!zeroLength[j] && j != opposite[k]) {
                    forcedNext[k] = j;
                    break;
                }
            }
        }
        const Index in = startCorner[k];
        if (arriving[in] - hasOpposite == 1) {
            for (Index position = firstArriving[in]; position < n && endCorner[byEnd[position]] == in; ++position) {
                const Index j = byEnd[position];
                if (!zeroLength[j] && j != opposite[k]) {
                    forcedPrevious[k] = j;
                    break;
                }
            }
        }
    }
    const std::vector<Index> leastAhead = leastIndexOnOrbit(forcedNext);
    const std::vector<Index> leastBehind = leastIndexOnOrbit(forcedPrevious);
    leastForcedArc.resize(n);
    for (Index k = 0; k < n; ++k) leastForcedArc[k] = std::min(leastAhead[k], leastBehind[k]);
}

PolygonSet CycleSearch::run() {
    // A depth-first search from every arc would reach each cycle once from
    // each of its arcs, first from its lowest arc; later arrivals find it
    // already added (or found empty). So each search follows only arcs after
    // its first one, which gives the same additions in the same order.
    for (Index first = 0; first < n; ++first) {
        if (zeroLength[first] || leastForcedArc[first] < first) continue;
        searchFrom(first);
    }
    return std::move(completeCycles);
}

// The path a0 .. a(m-1) forbids, for the next arc's end points, its inner
// corners v1 .. v(m-1) (vi = start of ai); a one-arc path forbids its start.
// The corner counts keep that set as the path grows and shrinks.
bool CycleSearch::mayExtend(Index candidate, Index first) const {
    return candidate > first && !zeroLength[candidate] && leastForcedArc[candidate] >= first && !onPath[candidate] &&
           forbiddenCorner[startCorner[candidate]] == 0 && forbiddenCorner[endCorner[candidate]] == 0;
}

void CycleSearch::searchFrom(Index first) {
    const Index origin = startCorner[first];
    path.assign(1, first);
    resumeAt.assign(1, successors.begin(first));
    onPath[first] = 1;
    ++forbiddenCorner[origin];

    while (!path.empty()) {
        const Index last = path.back();
        Index position = resumeAt.back();
        const Index end = successors.end(last);
        while (position < end && !mayExtend(successors.targets[position], first)) ++position;
        if (position == end) {
            // Exhausted: step back.
            path.pop_back();
            resumeAt.pop_back();
            onPath[last] = 0;
            if (path.size() == 1) {
                --forbiddenCorner[startCorner[last]];
                ++forbiddenCorner[origin];
            } else if (path.size() > 1) {
                --forbiddenCorner[startCorner[last]];
            } else {
                --forbiddenCorner[origin];
            }
            continue;
        }
        resumeAt.back() = position + 1;
        const Index next = successors.targets[position];
        if (endCorner[next] == origin && path.size() >= 2) {
            // Closes the cycle: record it without extending the path.
            path.push_back(next);
            addCycle();
            path.pop_back();
            continue;
        }
        if (path.size() == 1) --forbiddenCorner[origin];
        ++forbiddenCorner[startCorner[next]];
        path.push_back(next);
        resumeAt.push_back(successors.begin(next));
        onPath[next] = 1;
    }
}

void CycleSearch::addCycle() {
    // The corners of a closed chain of positive-length arcs are the arcs'
    // start points.
    cyclePoints.clear();
    cyclePoints.reserve(path.size());
    for (const Index arc : path) cyclePoints.push_back(edges[arc].getStartPoint());
    Polygon newCycle(cyclePoints, "");
    if (newCycle.isEmpty()) return;
    const std::uint64_t hash = boundaryHash(newCycle.getPoints());
    const auto candidates = cyclesByHash.equal_range(hash);
    for (auto candidate = candidates.first; candidate != candidates.second; ++candidate) {
        if (completeCycles.getPolygon(candidate->second) == newCycle) return;
    }
    cyclesByHash.emplace(hash, completeCycles.size());
    completeCycles.add(newCycle);
}

}  // namespace

DirectedGraph::DirectedGraph(std::vector<Segment> segments) : edges(std::move(segments)) {
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
}

DirectedGraph::ConnectionMap DirectedGraph::buildConnectionMap() const {
    return toConnectionMap(edges, successorLists(edges));
}

DirectedGraph::ConnectionMap DirectedGraph::buildReverseConnectionMap() const {
    return toConnectionMap(edges, predecessorLists(edges));
}

void DirectedGraph::pruneDeadEndAndFalseStartEdges() {
    // Dead ends first, to their end; then false starts among the survivors.
    edges = survivorsOfPhase(edges, successorLists(edges));
    edges = survivorsOfPhase(edges, predecessorLists(edges));
}

PolygonSet DirectedGraph::findAllSimpleCycles() const { return CycleSearch(edges).run(); }

bool DirectedGraph::segmentWillCreateInnerCycle(const Segment& segment, const std::vector<Segment>& ancestors) const {
    const std::size_t count = ancestors.size();
    for (std::size_t ii = 0; ii < count; ++ii) {
        const Segment& arc = ancestors[ii];
        if (ii + 1 == count) {
            if (segment.isEndpoint(arc.getStartPoint())) return true;
        } else if (ii == 0) {
            if (segment.isEndpoint(arc.getEndPoint())) return true;
        } else if (segment.isEndpoint(arc.getStartPoint()) || segment.isEndpoint(arc.getEndPoint())) {
            return true;
        }
    }
    return false;
}

std::vector<Point> DirectedGraph::getCyclePoints(const std::vector<Segment>& segments) const {
    std::vector<Point> points;
    if (segments.empty()) return points;
    points.reserve(segments.size() + 1);
    points.push_back(segments.front().getStartPoint());
    points.push_back(segments.front().getEndPoint());
    for (std::size_t i = 1; i < segments.size(); ++i) {
        if (segments[i].getStartPoint() != points.back()) points.push_back(segments[i].getStartPoint());
        if (segments[i].getEndPoint() != points.back()) points.push_back(segments[i].getEndPoint());
    }
    if (points.back() == points.front()) points.pop_back();
    return points;
}

}  // namespace Zelkor::Rectilinear

#include "reference/LiteralDirectedGraph.h"

#include <algorithm>

namespace Zelkor::Rectilinear::Reference {

LiteralDirectedGraph::LiteralDirectedGraph(const std::vector<Segment>& segments) : edges(segments) {
    std::sort(edges.begin(), edges.end());
    std::vector<Segment> collapsed;
    for (const Segment& s : edges) {
        if (collapsed.empty() || !(collapsed.back() == s)) collapsed.push_back(s);
    }
    edges = collapsed;
}

LiteralDirectedGraph::TextConnectionMap LiteralDirectedGraph::buildConnectionMap() {
    connectionMap.clear();
    const std::size_t n = edges.size();
    for (std::size_t ii = 0; ii + 1 < n; ++ii) {
        for (std::size_t jj = ii + 1; jj < n; ++jj) {
            if (edges[ii].getEndPoint() == edges[jj].getStartPoint()) {
                connectionMap[edges[ii].toString()].push_back(edges[jj]);
            } else if (edges[jj].getEndPoint() == edges[ii].getStartPoint()) {
                connectionMap[edges[jj].toString()].push_back(edges[ii]);
            }
        }
    }
    return connectionMap;
}

LiteralDirectedGraph::TextConnectionMap LiteralDirectedGraph::buildReverseConnectionMap() {
    reverseConnectionMap.clear();
    const std::size_t n = edges.size();
    for (std::size_t ii = 0; ii + 1 < n; ++ii) {
        for (std::size_t jj = ii + 1; jj < n; ++jj) {
            if (edges[jj].getStartPoint() == edges[ii].getEndPoint()) {
                reverseConnectionMap[edges[jj].toString()].push_back(edges[ii]);
            } else if (edges[jj].getEndPoint() == edges[ii].getStartPoint()) {
                reverseConnectionMap[edges[ii].toString()].push_back(edges[jj]);
            }
        }
    }
    return reverseConnectionMap;
}

void LiteralDirectedGraph::removeArcsWithEmptyLists(TextConnectionMap& map) {
    bool changed = true;
    while (changed) {
        changed = false;
        std::size_t position = 0;
        while (position < edges.size()) {
            const Segment arc = edges[position];
            if (!map[arc.toString()].empty()) {
                ++position;
                continue;
            }
            for (auto& entry : map) {
                std::vector<Segment>& list = entry.second;
                // Only the arc itself: its opposite may be a live link of another arc.
                const auto found = std::find_if(list.begin(), list.end(),
                                                [&](const Segment& s) { return s.isEqualAndInSameDirection(arc); });
                if (found != list.end()) list.erase(found);
            }
            edges.erase(edges.begin() + static_cast<std::ptrdiff_t>(position));
            changed = true;
        }
    }
}

void LiteralDirectedGraph::pruneDeadEndAndFalseStartEdges() {
    buildConnectionMap();
    removeArcsWithEmptyLists(connectionMap);
    buildReverseConnectionMap();
    removeArcsWithEmptyLists(reverseConnectionMap);
}

PolygonSet LiteralDirectedGraph::findAllSimpleCycles() {
    buildConnectionMap();
    PolygonSet completeCycles;
    for (std::size_t ii = 0; ii < edges.size(); ++ii) {
        recursiveSearchForCycles(completeCycles, std::vector<Segment>{edges[ii]});
    }
    return completeCycles;
}

void LiteralDirectedGraph::recursiveSearchForCycles(PolygonSet& completeCycles, std::vector<Segment> ancestors) {
    if (ancestors.size() >= 3 && ancestors.front().getStartPoint() == ancestors.back().getEndPoint()) {
        const Polygon newCycle(getCyclePoints(ancestors), "");
        if (!newCycle.isEmpty() && !completeCycles.containsCongruentPolygon(newCycle)) completeCycles.add(newCycle);
        return;
    }
    if (ancestors.empty()) return;
    const std::vector<Segment> successors = connectionMap[ancestors.back().toString()];
    for (const Segment& successor : successors) {
        if (segmentWillCreateInnerCycle(successor, ancestors)) continue;
        const bool alreadyOnPath = std::any_of(ancestors.begin(), ancestors.end(), [&successor](const Segment& arc) {
            return successor.isEqualAndInSameDirection(arc);
        });
        if (alreadyOnPath) continue;
        std::vector<Segment> extended = ancestors;
        extended.push_back(successor);
        recursiveSearchForCycles(completeCycles, extended);
    }
}

bool LiteralDirectedGraph::segmentWillCreateInnerCycle(const Segment& segment,
                                                       const std::vector<Segment>& ancestors) const {
    const std::size_t n = ancestors.size();
    for (std::size_t ii = 0; ii < n; ++ii) {
        if (ii == n - 1) {
            if (segment.isEndpoint(ancestors[ii].getStartPoint())) return true;
        } else if (ii == 0) {
            if (segment.isEndpoint(ancestors[ii].getEndPoint())) return true;
        } else {
            if (segment.isEndpoint(ancestors[ii].getStartPoint()) || segment.isEndpoint(ancestors[ii].getEndPoint())) {
                return true;
            }
        }
    }
    return false;
}

std::vector<Point> LiteralDirectedGraph::getCyclePoints(const std::vector<Segment>& segments) const {
    std::vector<Point> points;
    if (segments.empty()) return points;
    points.push_back(segments[0].getStartPoint());
    points.push_back(segments[0].getEndPoint());
    for (std::size_t ii = 1; ii < segments.size(); ++ii) {
        if (segments[ii].getStartPoint() != points.back()) points.push_back(segments[ii].getStartPoint());
        if (segments[ii].getEndPoint() != points.back()) points.push_back(segments[ii].getEndPoint());
    }
    if (points.back() == points.front()) points.pop_back();
    return points;
}

}  // namespace Zelkor::Rectilinear::Reference

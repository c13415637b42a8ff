#pragma once

#include <map>
#include <vector>

#include "geometry/Point.h"
#include "geometry/PolygonSet.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear {

// Rebuilds closed polygons from a loose collection of directed, axis-parallel
// segments. The segments are the arcs of a graph whose nodes are their end
// points: an arc leads on to every arc that starts where it ends.
//
// The arcs are kept sorted by start point, then end point. No arc occurs
// twice, and an arc and its opposite both remain only when other arcs sort
// between them. That order is the tie-break of every result: neighbour lists
// and the order in which cycles are reported.
class DirectedGraph {
public:
    // Arc (keyed by its directed end points) to its neighbours, in arc order.
    // Arcs without neighbours have no entry.
    using ConnectionMap = std::map<Segment, std::vector<Segment>>;

    DirectedGraph() = default;
    // Sorts the arcs and keeps the first of every run of consecutive arcs
    // with the same two end points, whichever way they run.
    explicit DirectedGraph(std::vector<Segment> segments);
    virtual ~DirectedGraph() = default;
    DirectedGraph(const DirectedGraph&) = default;
    DirectedGraph& operator=(const DirectedGraph&) = default;
    DirectedGraph(DirectedGraph&&) = default;
    DirectedGraph& operator=(DirectedGraph&&) = default;

    const std::vector<Segment>& getEdges() const { return edges; }

    // Successors: the arcs that start where the key ends. Of two arcs that run
    // between the same points in opposite directions, only the earlier one
    // links to the later one, never the reverse.
    ConnectionMap buildConnectionMap() const;
    // Predecessors: the arcs that end where the key starts, with the same
    // one-way rule for opposite arcs (the later one lists the earlier one).
    ConnectionMap buildReverseConnectionMap() const;

    // Drops arcs without a successor until none is left, then arcs without a
    // predecessor until none is left. Dropping an arc also takes its opposite
    // arc, if any, out of the neighbour lists of the phase that drops it.
    void pruneDeadEndAndFalseStartEdges();

    // Every simple cycle of at least three arcs (no corner visited twice) as a
    // standardized polygon with an empty name, each distinct boundary once.
    // Order: by the first arc of the cycle in arc order, then depth first with
    // the lower successor tried first. A clockwise cycle comes back reversed
    // and reports wasOriginallyDefinedInReverseOrder().
    PolygonSet findAllSimpleCycles() const;

    // Whether appending `segment` to the chain `ancestors` would touch one of
    // the chain's inner corners; on a one-arc chain, whether it would touch
    // the chain's start (which rules out two-arc loops).
    bool segmentWillCreateInnerCycle(const Segment& segment, const std::vector<Segment>& ancestors) const;
    // Corners of a closed chain of arcs, without repeats of consecutive
    // points and without the closing repeat of the first corner.
    std::vector<Point> getCyclePoints(const std::vector<Segment>& segments) const;

private:
    std::vector<Segment> edges;
};

}  // namespace Zelkor::Rectilinear

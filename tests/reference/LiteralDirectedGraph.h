#pragma once

#include <map>
#include <string>
#include <vector>

#include "geometry/PolygonSet.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Reference {

// The cycle extraction step by step: neighbour maps keyed by the arcs' text
// and built by comparing every pair of arcs, pruning by repeated walks that
// remove arcs from every list one at a time, and a recursive search that
// copies the path at every level and checks each new cycle against all
// cycles found so far. Kept to check the library's version against and as a
// benchmark baseline.
class LiteralDirectedGraph {
public:
    using TextConnectionMap = std::map<std::string, std::vector<Segment>>;

    explicit LiteralDirectedGraph(const std::vector<Segment>& segments);

    const std::vector<Segment>& getEdges() const { return edges; }
    TextConnectionMap buildConnectionMap();
    TextConnectionMap buildReverseConnectionMap();
    void pruneDeadEndAndFalseStartEdges();
    PolygonSet findAllSimpleCycles();
    void recursiveSearchForCycles(PolygonSet& completeCycles, std::vector<Segment> ancestors);
    bool segmentWillCreateInnerCycle(const Segment& segment, const std::vector<Segment>& ancestors) const;
    std::vector<Point> getCyclePoints(const std::vector<Segment>& segments) const;

private:
    // Removes, front to back and again until a walk removes nothing, every arc
    // whose list in `map` is empty, taking it out of every list as it goes.
    void removeArcsWithEmptyLists(TextConnectionMap& map);

    std::vector<Segment> edges;
    TextConnectionMap connectionMap;
    TextConnectionMap reverseConnectionMap;
};

}  // namespace Zelkor::Rectilinear::Reference

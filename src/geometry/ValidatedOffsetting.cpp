// Validated offsets: a shape is offset by the raw edge move and then rebuilt
// from what survives, so that a shrinking polygon may split or vanish and a
// growing one may close its notches, and the result is still made of simple
// polygons with the material on the left of every edge.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "geometry/DirectedGraph.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/OutlineSimplicity.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/SegmentSplitting.h"
#include "geometry/detail/BoundingBox.h"
#include "geometry/detail/SharedEdges.h"

namespace Zelkor::Rectilinear {

namespace {

// An axis-parallel edge on the line `at` (its y when horizontal, its x when
// vertical), spanning [from, to] along it; or an open box, spanning the open
// interval (at0, at1) across such lines and (along0, along1) along them.
struct EdgeSpan {
    std::int64_t at, from, to;
};
struct OpenBox {
    std::int64_t at0, at1, along0, along1;
};

// For every box, whether some edge has a point inside it: its line lies
// strictly between at0 and at1 and its span overlaps (along0, along1), i.e.
// from < along1 and to > along0. Boxes are taken in ascending along1 while
// the edges with from < along1 are switched on in a max-tree over the edges
// in line order, which then gives the largest `to` among the lines inside the
// box. O((edges + boxes) log edges); small inputs compare every pair.
void markBoxesMetByEdges(std::vector<EdgeSpan> edges, const std::vector<OpenBox>& boxes, std::vector<char>& met) {
    if (edges.empty()) return;
    if (edges.size() * boxes.size() <= 4096) {
        // Few enough to compare every pair.
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            const OpenBox& box = boxes[b];
            for (const EdgeSpan& e : edges) {
                if (e.at > box.at0 && e.at < box.at1 && e.from < box.along1 && e.to > box.along0) {
                    met[b] = 1;
                    break;
                }
            }
        }
        return;
    }
    std::sort(edges.begin(), edges.end(), [](const EdgeSpan& a, const EdgeSpan& b) { return a.at < b.at; });
    const std::size_t count = edges.size();
    std::vector<std::int64_t> lines(count);
    std::vector<std::size_t> byFrom(count);
    for (std::size_t i = 0; i < count; ++i) {
        lines[i] = edges[i].at;
        byFrom[i] = i;
    }
    std::sort(byFrom.begin(), byFrom.end(),
              [&edges](std::size_t a, std::size_t b) { return edges[a].from < edges[b].from; });
    std::vector<std::size_t> boxOrder(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) boxOrder[i] = i;
    std::sort(boxOrder.begin(), boxOrder.end(),
              [&boxes](std::size_t a, std::size_t b) { return boxes[a].along1 < boxes[b].along1; });

    // Leaves at count .. 2 count - 1; node i covers its children 2i and 2i + 1.
    constexpr std::int64_t off = std::numeric_limits<std::int64_t>::min();
    std::vector<std::int64_t> furthestTo(2 * count, off);
    std::size_t switchedOn = 0;
    for (const std::size_t b : boxOrder) {
        if (met[b]) continue;
        const OpenBox& box = boxes[b];
        for (; switchedOn < count && edges[byFrom[switchedOn]].from < box.along1; ++switchedOn) {
            std::size_t node = count + byFrom[switchedOn];
            const std::int64_t to = edges[byFrom[switchedOn]].to;
            for (; node >= 1 && furthestTo[node] < to; node /= 2) furthestTo[node] = to;
        }
        // The lines strictly between at0 and at1, as leaves.
        std::size_t low = count + static_cast<std::size_t>(std::upper_bound(lines.begin(), lines.end(), box.at0) -
                                                           lines.begin());
        std::size_t high = count + static_cast<std::size_t>(std::lower_bound(lines.begin(), lines.end(), box.at1) -
                                                            lines.begin());
        std::int64_t reach = off;
        for (; low < high; low /= 2, high /= 2) {
            if (low % 2 == 1) reach = std::max(reach, furthestTo[low++]);
            if (high % 2 == 1) reach = std::max(reach, furthestTo[--high]);
        }
        if (reach > box.along0) met[b] = 1;
    }
}

// The raw offset alone is not enough: where a short edge sits between two
// edges that move apart (or a notch closes), pieces of the moved edges end
// up where no material of the true offset lies, and they can close into
// counterclockwise cycles that overlap the real pieces or lie outside the
// polygon. A piece s moved by k lies on the boundary of the true offset
// exactly when the square of half-side |k| around each of its points meets the
// polygon's boundary only on its rim, i.e. no edge passes through the open box
// around s widened by |k| on every side. That box always borders the edge the
// piece came from, on the side the edge moved to, so nothing else decides
// whether it lies in the material (contraction) or outside it (expansion).
// Pieces that pass are exactly the boundary of the true offset; splitting
// first keeps every surviving piece exactly as the plain procedure cuts it.
std::vector<Segment> validOffsetBoundary(const Polygon& polygon, int numberOfUnits,
                                         const std::vector<Segment>& survivingEdges) {
    std::vector<Segment> pieces = Math::splitSegmentsBySegments(survivingEdges, survivingEdges);
    if (numberOfUnits == 0) return pieces;
    const std::int64_t reach = numberOfUnits < 0 ? -std::int64_t{numberOfUnits} : std::int64_t{numberOfUnits};

    std::vector<EdgeSpan> horizontalEdges;
    std::vector<EdgeSpan> verticalEdges;
    for (const Segment& edge : polygon.getEdges()) {
        const Point& a = edge.getStartPoint();
        const Point& b = edge.getEndPoint();
        if (a.x == b.x) {
            verticalEdges.push_back({a.x, std::min(a.y, b.y), std::max(a.y, b.y)});
        } else {
            horizontalEdges.push_back({a.y, std::min(a.x, b.x), std::max(a.x, b.x)});
        }
    }
    // Each piece's box, once across horizontal lines (y) and once across vertical ones (x).
    std::vector<OpenBox> acrossY;
    std::vector<OpenBox> acrossX;
    acrossY.reserve(pieces.size());
    acrossX.reserve(pieces.size());
    for (const Segment& piece : pieces) {
        const Point& a = piece.getStartPoint();
        const Point& b = piece.getEndPoint();
        const std::int64_t x0 = std::int64_t{std::min(a.x, b.x)} - reach, x1 = std::int64_t{std::max(a.x, b.x)} + reach;
        const std::int64_t y0 = std::int64_t{std::min(a.y, b.y)} - reach, y1 = std::int64_t{std::max(a.y, b.y)} + reach;
        acrossY.push_back({y0, y1, x0, x1});
        acrossX.push_back({x0, x1, y0, y1});
    }
    std::vector<char> met(pieces.size(), 0);
    markBoxesMetByEdges(std::move(horizontalEdges), acrossY, met);
    markBoxesMetByEdges(std::move(verticalEdges), acrossX, met);

    std::vector<Segment> valid;
    valid.reserve(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!met[i]) valid.push_back(pieces[i]);
    }
    return valid;
}

// The counterclockwise cycles that no other one contains. Where an outline
// touches itself at two corners or more, one cycle can run round two lobes
// at once as well as a cycle round each; the lobes add nothing to it. Cycles
// of one boundary never cross, so the survivors lie apart.
std::vector<Polygon> outermostCycles(std::vector<Polygon> cycles) {
    if (cycles.size() < 2) return cycles;
    std::vector<char> inside(cycles.size(), 0);
    for (std::size_t i = 0; i < cycles.size(); ++i) {
        for (std::size_t j = 0; j < cycles.size() && !inside[i]; ++j) {
            inside[i] = j != i && !inside[j] && cycles[j].contains(cycles[i]);
        }
    }
    std::vector<Polygon> outermost;
    outermost.reserve(cycles.size());
    for (std::size_t i = 0; i < cycles.size(); ++i) {
        if (!inside[i]) outermost.push_back(std::move(cycles[i]));
    }
    return outermost;
}

// The material a polygon's offset outline encloses: one holed polygon per
// outermost counterclockwise cycle of the valid offset boundary, less every
// region that a clockwise cycle encloses.
HoledPolygonSet offsetAndValidated(const Polygon& polygon, int numberOfUnits) {
    const HoledPolygon::CycleSet cycleSet = HoledPolygon::getSimpleCycleInformation(
        validOffsetBoundary(polygon, numberOfUnits, polygon.getAllUnflippedNonZeroEdgesAfterContract(numberOfUnits)));
    HoledPolygonSet validated;
    for (const Polygon& cycle : outermostCycles(cycleSet.forwardCycles)) validated.add(HoledPolygon(cycle));
    for (const Polygon& cycle : cycleSet.reverseCycles) validated = validated.booleanSubtract(HoledPolygon(cycle));
    return validated;
}

}  // namespace

// Edge i of the raw offset comes from edge i of this polygon: the raw move
// neither drops nor reorders corners (no standardization), which is what
// lets each moved edge be compared with the edge it came from. An edge that
// shrank to nothing or turned around bounds no material any more.
std::vector<Segment> Polygon::getAllUnflippedNonZeroEdgesAfterContract(int numberOfUnits) const {
    Polygon copyOfThis(*this);
    const std::vector<Segment> precontractedEdges = copyOfThis.getEdges();
    copyOfThis.performContractionOnPoints(numberOfUnits);
    const std::vector<Segment> contractedEdges = copyOfThis.getEdges();

    std::vector<Segment> survivors;
    survivors.reserve(contractedEdges.size());
    for (std::size_t i = 0; i < contractedEdges.size(); ++i) {
        const Segment& contracted = contractedEdges[i];
        if (!contracted.isInSameDirection(precontractedEdges[i]) || contracted.length() < 1) continue;
        survivors.push_back(contracted);
    }
    return survivors;
}

namespace {

// The offset of a small outline whose moved edges all keep their way and at
// least a unit of length, and meet nowhere but at their corners, is that
// moved outline alone: the cycle search traces it from its smallest corner.
// A rectangle whose sides meet vanishes. Nothing when neither holds, or when
// the moved corners could leave the coordinate range.
std::optional<PolygonSet> plainOffset(const Polygon& polygon, int numberOfUnits) {
    constexpr std::size_t largestPlainOutline = 16;
    constexpr std::int64_t safe = std::int64_t{1} << 29;
    const std::vector<Point>& corners = polygon.getPoints();
    if (corners.size() < 4 || corners.size() > largestPlainOutline) return std::nullopt;
    if (numberOfUnits < -safe || numberOfUnits > safe) return std::nullopt;
    for (const Point& corner : corners) {
        if (corner.x < -safe || corner.x > safe || corner.y < -safe || corner.y > safe) return std::nullopt;
    }
    const std::vector<Segment> moved = polygon.getAllUnflippedNonZeroEdgesAfterContract(numberOfUnits);
    PolygonSet result;
    if (moved.size() != corners.size()) {
        if (corners.size() == 4 && Detail::isStandardRectangle(corners, Detail::Box(corners))) return result;
        return std::nullopt;
    }
    std::vector<Point> movedCorners;
    movedCorners.reserve(moved.size());
    for (const Segment& edge : moved) movedCorners.push_back(edge.getStartPoint());
    if (!Math::meetsItselfNowhere(movedCorners)) return std::nullopt;
    std::rotate(movedCorners.begin(), std::min_element(movedCorners.begin(), movedCorners.end()), movedCorners.end());
    result.add(Polygon(movedCorners, ""));
    return result;
}

}  // namespace

// Clockwise cycles of the surviving edges enclose regions the offset turned
// inside out; only counterclockwise ones bound material.
PolygonSet Polygon::getPolygonContracted(int numberOfUnits) const {
    if (std::optional<PolygonSet> offset = plainOffset(*this, numberOfUnits)) return std::move(*offset);
    DirectedGraph directedGraph(
        validOffsetBoundary(*this, numberOfUnits, getAllUnflippedNonZeroEdgesAfterContract(numberOfUnits)));
    directedGraph.pruneDeadEndAndFalseStartEdges();
    const PolygonSet allSimpleCyclesSet = directedGraph.findAllSimpleCycles();
    std::vector<Polygon> pieces;
    pieces.reserve(allSimpleCyclesSet.getAllPolygons().size());
    for (const Polygon& cycle : allSimpleCyclesSet.getAllPolygons()) {
        if (!cycle.wasOriginallyDefinedInReverseOrder()) pieces.push_back(cycle);
    }
    return PolygonSet(outermostCycles(std::move(pieces)));
}

PolygonSet Polygon::getPolygonExpanded(int numberOfUnits) const {
    return getPolygonContracted(static_cast<int>(wrappingSubtract(0, numberOfUnits)));
}

// The grown outline must be the raw offset itself, corner for corner: no edge
// lost or merged, no part of the outline running over another, and nothing
// enclosed that is not material.
bool Polygon::canExpandBy(int expansionFactor) const {
    const int contraction = static_cast<int>(wrappingSubtract(0, expansionFactor));
    Polygon copyOfThis(*this);
    copyOfThis.performContractionOnPoints(contraction);
    copyOfThis.standardize();
    if (copyOfThis.numberOfEdges() != numberOfEdges()) return false;

    const std::vector<Segment> edges = copyOfThis.getEdges();
    DirectedGraph directedGraph(Math::splitSegmentsBySegments(edges, edges));
    directedGraph.pruneDeadEndAndFalseStartEdges();
    const PolygonSet cycles = directedGraph.findAllSimpleCycles();
    const std::vector<Polygon>& allSimpleCycles = cycles.getAllPolygons();
    for (std::size_t ii = 0; ii < allSimpleCycles.size(); ++ii) {
        for (std::size_t jj = 0; jj < allSimpleCycles.size(); ++jj) {
            if (ii == jj || allSimpleCycles[jj].wasOriginallyDefinedInReverseOrder()) continue;
            if (allSimpleCycles[ii].contains(allSimpleCycles[jj])) return false;
        }
    }

    const HoledPolygonSet resultSet = HoledPolygon(*this).getPolygonExpanded(expansionFactor);
    return resultSet.size() == 1 && resultSet.getPolygon(0).getHoles().empty();
}

PolygonSet PolygonSet::getAllPolygonsContracted(int numberOfUnits) const {
    PolygonSet result;
    for (const Polygon& member : polygons) result.add(member.getPolygonContracted(numberOfUnits));
    return result;
}

PolygonSet PolygonSet::getAllPolygonsExpanded(int numberOfUnits) const {
    return getAllPolygonsContracted(static_cast<int>(wrappingSubtract(0, numberOfUnits)));
}

namespace {

// The base shrinks and the holes grow; each is rebuilt from its valid offset
// boundary on its own, then every grown hole is cut out of every piece of
// the shrunk base. A negative amount does the opposite.
HoledPolygonSet offsetHoleByHole(const Polygon& basePolygon, const std::vector<Polygon>& holes, int numberOfUnits) {
    HoledPolygonSet basePolygonExpandedAndValidated = offsetAndValidated(basePolygon, numberOfUnits);
    const int holeOffset = static_cast<int>(wrappingSubtract(0, numberOfUnits));
    HoledPolygonSet allHolesExpandedAndValidated;
    for (const Polygon& hole : holes) allHolesExpandedAndValidated.add(offsetAndValidated(hole, holeOffset));
    for (const HoledPolygon& grownHole : allHolesExpandedAndValidated.getAllPolygons()) {
        basePolygonExpandedAndValidated = basePolygonExpandedAndValidated.booleanSubtract(grownHole);
    }
    return basePolygonExpandedAndValidated;
}

// Whether the outline passes one of its corners twice.
bool touchesItself(const Polygon& polygon) {
    std::vector<Point> corners = polygon.getPoints();
    std::sort(corners.begin(), corners.end());
    return std::adjacent_find(corners.begin(), corners.end()) != corners.end();
}

}  // namespace

// Offsetting hole by hole needs simple outlines. An outline that touches
// itself at a corner can close off a pocket with a lobe of material inside
// it, which the grown pocket would swallow. And growing a shape shrinks its
// holes, but where holes run along each other or along the outline they are
// one opening that shrinks as a whole (shrinking the shape grows each hole
// on its own, which is exact). Such a shape is first rebuilt as the pieces of
// its region, with simple outlines and holes that meet each other and their
// outline at points at most; each piece is offset, and the results joined.
HoledPolygonSet HoledPolygon::getPolygonContracted(int numberOfUnits) const {
    const bool rebuild = touchesItself(basePolygon) || std::any_of(holes.begin(), holes.end(), touchesItself) ||
                         (numberOfUnits < 0 && !holes.empty() && !Detail::SharedEdges(*this).empty());
    if (!rebuild) return offsetHoleByHole(basePolygon, holes, numberOfUnits);
    const HoledPolygonSet pieces = booleanSubtract(HoledPolygon());
    HoledPolygonSet offset;
    for (const HoledPolygon& piece : pieces.getAllPolygons()) {
        offset.add(offsetHoleByHole(piece.getBasePolygon(), piece.getHoles(), numberOfUnits));
    }
    return pieces.size() > 1 ? offset.booleanAddAll() : offset;
}

HoledPolygonSet HoledPolygon::getPolygonExpanded(int numberOfUnits) const {
    return getPolygonContracted(static_cast<int>(wrappingSubtract(0, numberOfUnits)));
}

HoledPolygonSet HoledPolygonSet::getAllPolygonsContracted(int numberOfUnits) const {
    HoledPolygonSet result;
    for (const HoledPolygon& member : holedPolygons) result.add(member.getPolygonContracted(numberOfUnits));
    return result;
}

HoledPolygonSet HoledPolygonSet::getAllPolygonsExpanded(int numberOfUnits) const {
    HoledPolygonSet result;
    for (const HoledPolygon& member : holedPolygons) result.add(member.getPolygonExpanded(numberOfUnits));
    return result;
}

}  // namespace Zelkor::Rectilinear

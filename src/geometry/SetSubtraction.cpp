// A shape less every member of a set, in turn: each member is taken from
// every piece left so far, and the pieces replace the piece they came from.
//
// Done literally, every step traces every piece again, holes and all, so a
// sheet that keeps a hole per member costs a tracing of all the holes so far
// per member, and the whole grows as the square of the members. Yet a step
// changes a piece only where the member reaches it. Elsewhere a tracing
// changes a piece whose cycles hold apart in a way known in advance (see
// retracedHole), so pieces and holes count the tracings they owe and settle
// them when next needed. A member is worked out on the outline of each piece
// its box touches and the holes of that piece its box touches (with the
// holes that share a corner with those), nothing else.
//
// What comes out goes where the tracer would put it. The cycles of a traced
// list come out in the order of their first pieces in it, and the list of
// a whole piece is its outline's pieces, each hole's in hole order, then the
// member's, and a sub-loop the tracer cuts out comes out right after the
// cycle it was cut from. So the outline comes out first; a hole whose
// tracing began on hole j takes hole j's place; one that began on the
// member's pieces comes last; any other outline (an island in a holed
// member's hole) is a piece of its own, right after this one. Whatever the local work
// cannot vouch for (the member cuts the piece apart or takes it all, an
// island may enclose holes of the piece the member's box misses, cycles come
// to run along each other or a cycle touches itself) is done as the literal
// step on the whole piece, and a piece whose cycles do not hold apart is
// taken through the literal step every time.
//
// The local step itself is kept to the member's reach: local edges away from
// the member's box stay whole, the pieces of a plain member and of the local
// cycles are judged by their midpoints (see PlainRegion), and a boundary
// where no two pieces start at one point is traced by following each piece's
// one successor (see SuccessorTracer).

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <list>
#include <utility>
#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/OutlineSimplicity.h"
#include "geometry/Polygon.h"
#include "geometry/SegmentSplitting.h"
#include "geometry/detail/BoundaryTracing.h"
#include "geometry/detail/BoundingBox.h"
#include "geometry/detail/BoxGrid.h"
#include "geometry/detail/PlainRegion.h"
#include "geometry/detail/SegmentKeys.h"
#include "geometry/detail/SharedEdges.h"
#include "geometry/detail/SubtractionBoundary.h"
#include "geometry/detail/SuccessorTracer.h"

namespace Zelkor::Rectilinear {

namespace {

using Detail::Box;
using Detail::pointKey;

constexpr std::size_t none = static_cast<std::size_t>(-1);

// Taking a shape away from a piece it does not reach only traces the piece
// again. A piece whose cycles hold apart (below) comes out of that the same
// but for its holes: each hole's flipped edges are traced from its second
// corner backwards, and the clockwise cycle, turned round, starts at the last
// corner traced, two corners on. This is the hole after `passes` such
// tracings. The outline keeps its corners and loses its name.
Polygon retracedHole(const Polygon& hole, std::size_t passes) {
    if (passes == 0) return hole;
    const std::vector<Point>& corners = hole.getPoints();
    const std::size_t count = corners.size();
    const std::size_t start = 2 * (passes % count) % count;
    std::vector<Point> traced;
    traced.reserve(count);
    for (std::size_t k = 0; k < count; ++k) traced.push_back(corners[(start + 2 * count - 1 - k) % count]);
    return Polygon(traced, "");
}

Box boxOf(const HoledPolygon& shape) {
    Box box(shape.getBasePolygon().getPoints());
    for (const Polygon& hole : shape.getHoles()) box.include(hole.getPoints());
    return box;
}

// The typical side of the members' boxes, as the grid's cell.
std::int64_t typicalSide(const std::vector<HoledPolygon>& members) {
    std::int64_t total = 0;
    std::int64_t counted = 0;
    for (const HoledPolygon& member : members) {
        const Box box = boxOf(member);
        if (!box.valid) continue;
        total += std::max(std::int64_t{box.maxX} - box.minX, std::int64_t{box.maxY} - box.minY);
        ++counted;
    }
    return counted == 0 ? 1 : std::max<std::int64_t>(1, total / counted);
}

// A cycle that does not touch itself: no corner twice, no edge meeting
// another but its neighbours at their shared corners. (An outline with two
// edges in line at a corner is refused too, which only sends it down the
// literal path.)
bool isPlainCycle(const Polygon& cycle) {
    return Detail::isStandardRectangle(cycle.getPoints(), Box(cycle.getPoints())) ||
           Math::meetsItselfNowhere(cycle.getPoints());
}

// No holes, or holes whose boxes keep off each other and off the sides of a
// rectangular outline: no cycle meets another.
template <typename BoxOf>
bool boxesKeepClear(const std::vector<Point>& outlineCorners, const Box& outline, std::size_t holeCount,
                    BoxOf&& boxOfHole) {
    constexpr std::size_t fewHoles = 8;
    if (holeCount == 0) return true;
    if (holeCount > fewHoles || !Detail::isStandardRectangle(outlineCorners, outline)) return false;
    std::array<Box, fewHoles> boxes;
    for (std::size_t k = 0; k < holeCount; ++k) {
        boxes[k] = boxOfHole(k);
        const Box& box = boxes[k];
        if (!(outline.minX < box.minX && box.maxX < outline.maxX && outline.minY < box.minY && box.maxY < outline.maxY)) {
            return false;
        }
        for (std::size_t l = 0; l < k; ++l) {
            if (boxes[l].touches(box)) return false;
        }
    }
    return true;
}

bool keepClear(const Polygon& base, const std::vector<Polygon>& holes) {
    return boxesKeepClear(base.getPoints(), Box(base.getPoints()), holes.size(),
                          [&holes](std::size_t k) { return Box(holes[k].getPoints()); });
}

// Cycles that hold apart: each plain, none running along another. Cycles
// may still meet at corners or touch edges with corners. Tracing such a
// shape's boundary follows each cycle on its own, from its first piece: at
// a corner two cycles share, the one traced first holds the earlier pieces.
// An outline known to be plain is not checked again.
bool holdApart(const Polygon& base, const std::vector<Polygon>& holes, bool baseKnownPlain = false) {
    if (base.isEmpty() || (!baseKnownPlain && !isPlainCycle(base))) return false;
    for (const Polygon& hole : holes) {
        if (hole.isEmpty() || !isPlainCycle(hole)) return false;
    }
    return holes.empty() || keepClear(base, holes) || Detail::SharedEdges(HoledPolygon(base, holes)).empty();
}

// Orders the holes of a piece. A hole replaced by several takes their
// place with one more level; a new hole at the end gets the next top rank.
using Rank = std::vector<std::uint64_t>;

// A cycle of a locally traced boundary, with what its tracing began on: the
// outline (0), local hole j (j + 1), or the member (none).
struct TracedCycle {
    Polygon polygon;
    std::size_t source;
};

class SetSubtraction {
public:
    SetSubtraction(const HoledPolygon& shape, const std::vector<HoledPolygon>& members)
        : SetSubtraction(shape, members, typicalSide(members)) {}

    HoledPolygonSet run() {
        for (std::size_t m = 0; m < members.size(); ++m) takeAway(m);
        HoledPolygonSet result;
        for (const std::size_t id : order) result.add(settled(id, members.size()));
        return result;
    }

private:
    SetSubtraction(const HoledPolygon& shape, const std::vector<HoledPolygon>& members, std::int64_t cellSide)
        : members(members),
          pieceGrid(cellSide, boxOf(shape), members.size()),
          holeGrid(cellSide, boxOf(shape), members.size()) {
        const std::size_t id = addPiece(shape, 0, order.end());
        // A hole outside the outline goes at the first tracing.
        if (pieces[id].apart) {
            for (const Polygon& hole : shape.getHoles()) {
                if (!shape.getBasePolygon().contains(hole)) markTangled(id);
            }
        }
    }

    struct Piece {
        Polygon base;
        std::size_t baseTracedUpTo;  // members taken away when the outline was last traced
        Box box;
        std::vector<std::size_t> holeIds;  // in no order, dead ones included
        std::size_t liveHoles;
        bool apart;
        bool alive;
        std::list<std::size_t>::iterator place;
    };
    struct Hole {
        Polygon polygon;
        std::size_t tracedUpTo;
        Box box;
        std::size_t piece;
        Rank rank;
        bool alive;
        // Whether it may share a corner with another hole of its piece. A
        // hole made from others may where one of them may, and where the
        // tracing that made it found two pieces starting at one point.
        bool sharesCorner;
    };
    struct MemberBoundary {
        const HoledPolygon& shape;
        std::vector<Segment> edges;
        Detail::SharedEdges shared;
        bool plain;  // its cycles hold apart
        bool clear;  // and its holes keep clear of each other and of a rectangular outline
        Box box;
        Detail::PlainRegion region;
    };

    std::size_t addPiece(const HoledPolygon& shape, std::size_t tracedUpTo, std::list<std::size_t>::iterator before) {
        const std::size_t id = pieces.size();
        const Polygon& base = shape.getBasePolygon();
        pieces.push_back({base, tracedUpTo, Box(base.getPoints()), {}, 0, holdApart(base, shape.getHoles()), true,
                          order.insert(before, id)});
        const std::vector<bool> sharing = holesSharingCorners(shape.getHoles());
        for (std::size_t j = 0; j < sharing.size(); ++j) {
            addHole(id, shape.getHoles()[j], tracedUpTo, Rank{nextRank++}, sharing[j]);
        }
        pieceGrid.insert(id, pieces[id].box);
        if (!pieces[id].apart) tangled.push_back(id);
        return id;
    }

    void markTangled(std::size_t id) {
        if (pieces[id].apart) tangled.push_back(id);
        pieces[id].apart = false;
    }

    // For each hole, whether it has a corner of another.
    static std::vector<bool> holesSharingCorners(const std::vector<Polygon>& holeList) {
        std::vector<bool> sharing(holeList.size(), false);
        if (holeList.size() < 2) return sharing;
        std::vector<std::pair<std::uint64_t, std::size_t>> corners;
        for (std::size_t j = 0; j < holeList.size(); ++j) {
            for (const Point& corner : holeList[j].getPoints()) corners.emplace_back(pointKey(corner), j);
        }
        std::sort(corners.begin(), corners.end());
        for (std::size_t k = 1; k < corners.size(); ++k) {
            if (corners[k].first != corners[k - 1].first || corners[k].second == corners[k - 1].second) continue;
            sharing[corners[k].second] = true;
            sharing[corners[k - 1].second] = true;
        }
        return sharing;
    }

    void addHole(std::size_t piece, Polygon polygon, std::size_t tracedUpTo, Rank rank, bool sharesCorner) {
        const std::size_t id = holes.size();
        const Box box(polygon.getPoints());
        holes.push_back({std::move(polygon), tracedUpTo, box, piece, std::move(rank), true, sharesCorner});
        pieces[piece].holeIds.push_back(id);
        ++pieces[piece].liveHoles;
        holeGrid.insert(id, holes[id].box);
    }

    void killHole(std::size_t id) {
        holeGrid.erase(id, holes[id].box);
        --pieces[holes[id].piece].liveHoles;
        holes[id].alive = false;
        holes[id].polygon = Polygon();
    }

    void removePiece(std::size_t id) {
        Piece& piece = pieces[id];
        pieceGrid.erase(id, piece.box);
        for (const std::size_t h : piece.holeIds) {
            if (holes[h].alive) killHole(h);
        }
        piece.holeIds.clear();
        piece.alive = false;
        piece.base = Polygon();
        order.erase(piece.place);
    }

    void sortByRank(std::vector<std::size_t>& ids) const {
        std::sort(ids.begin(), ids.end(), [this](std::size_t a, std::size_t b) { return holes[a].rank < holes[b].rank; });
    }

    // The live holes of a piece in hole order; dead entries are dropped.
    std::vector<std::size_t> holesInOrder(std::size_t id) {
        std::vector<std::size_t>& ids = pieces[id].holeIds;
        ids.erase(std::remove_if(ids.begin(), ids.end(), [this](std::size_t h) { return !holes[h].alive; }), ids.end());
        sortByRank(ids);
        return ids;
    }

    // The flipped edges of a hole as the literal steps would have left it
    // after this many members: its corners from the one its tracings have
    // moved to (see retracedHole).
    void settledHoleEdges(std::size_t h, std::size_t membersTakenAway, std::vector<Segment>& edges) const {
        const std::vector<Point>& corners = holes[h].polygon.getPoints();
        const std::size_t count = corners.size();
        const std::size_t passes = membersTakenAway - holes[h].tracedUpTo;
        const std::size_t first = passes == 0 ? 0 : 2 * (passes % count) % count;
        edges.clear();
        for (std::size_t from = first; from < count; ++from) {
            edges.emplace_back(corners[from + 1 == count ? 0 : from + 1], corners[from]);
        }
        for (std::size_t from = 0; from < first; ++from) edges.emplace_back(corners[from + 1], corners[from]);
    }

    // The holes' boxes keep off each other and off the sides of a
    // rectangular outline (see keepClear).
    bool holesKeepClear(const Piece& piece, const std::vector<std::size_t>& ids) const {
        return boxesKeepClear(piece.base.getPoints(), piece.box, ids.size(),
                              [&](std::size_t k) { return holes[ids[k]].box; });
    }

    Polygon settledHole(std::size_t h, std::size_t membersTakenAway) const {
        return retracedHole(holes[h].polygon, membersTakenAway - holes[h].tracedUpTo);
    }

    // The piece as the literal steps would have left it after this many members.
    HoledPolygon settled(std::size_t id, std::size_t membersTakenAway) {
        const Piece& piece = pieces[id];
        std::vector<Polygon> settledHoles;
        for (const std::size_t h : holesInOrder(id)) settledHoles.push_back(settledHole(h, membersTakenAway));
        if (piece.baseTracedUpTo == membersTakenAway) return HoledPolygon(piece.base, settledHoles);
        return HoledPolygon(Polygon(piece.base.getPoints(), ""), settledHoles);
    }

    void takeAway(std::size_t m) {
        const HoledPolygon& member = members[m];
        const Box reach = boxOf(member);
        std::vector<std::size_t>& touched = scratch.touched;
        touched.clear();
        for (const std::size_t id : pieceGrid.near(reach)) {
            if (pieces[id].alive && pieces[id].apart && pieces[id].box.touches(reach)) touched.push_back(id);
        }
        std::vector<std::pair<std::size_t, std::size_t>>& holesTouched = scratch.holesTouched;  // (piece, hole)
        holesTouched.clear();
        for (const std::size_t h : holeGrid.near(reach)) {
            if (holes[h].alive && holes[h].box.touches(reach)) holesTouched.emplace_back(holes[h].piece, h);
        }
        std::sort(holesTouched.begin(), holesTouched.end());
        std::vector<std::size_t> stillTangled;
        for (const std::size_t id : tangled) {
            if (pieces[id].alive && !pieces[id].apart) stillTangled.push_back(id);
        }
        tangled.clear();

        const bool memberInside = holdApart(member.getBasePolygon(), member.getHoles());
        const MemberBoundary boundary{member, member.getEdges(), Detail::SharedEdges(member), memberInside,
                                      memberInside && keepClear(member.getBasePolygon(), member.getHoles()),
                                      reach, Detail::PlainRegion(member)};
        for (const std::size_t id : touched) {
            if (!pieces[id].alive || !pieces[id].apart) continue;
            std::vector<std::size_t>& near = scratch.near;
            near.clear();
            const auto first = std::lower_bound(holesTouched.begin(), holesTouched.end(), std::make_pair(id, std::size_t{0}));
            for (auto at = first; at != holesTouched.end() && at->first == id; ++at) near.push_back(at->second);
            addCornerNeighbours(id, near);
            if (near.empty() && memberInside && liesClearInside(pieces[id], reach)) {
                takeAwayInside(id, member, m);
                continue;
            }
            sortByRank(near);
            if (!takeAwayLocally(id, boundary, near, m)) takeAwayLiterally(id, member, m);
        }
        for (const std::size_t id : stillTangled) takeAwayLiterally(id, member, m);
    }

    // The holes given and, over and over, the holes of the piece that share
    // a corner with one of them: a tracing through a shared corner may pass
    // from one to the other.
    void addCornerNeighbours(std::size_t piece, std::vector<std::size_t>& ids) {
        std::vector<std::uint64_t>& corners = scratch.cornerKeys;
        for (std::size_t k = 0; k < ids.size(); ++k) {
            const Hole& hole = holes[ids[k]];
            if (!hole.sharesCorner) continue;
            bool sorted = false;  // the hole's corners, sorted once a neighbour has one in its box
            auto hasCorner = [&](const Point& corner) {
                if (!hole.box.containsPoint(corner)) return false;
                if (!sorted) {
                    corners.clear();
                    for (const Point& own : hole.polygon.getPoints()) corners.push_back(pointKey(own));
                    std::sort(corners.begin(), corners.end());
                    sorted = true;
                }
                return std::binary_search(corners.begin(), corners.end(), pointKey(corner));
            };
            for (const std::size_t other : holeGrid.near(hole.box)) {
                const Hole& candidate = holes[other];
                if (!candidate.alive || candidate.piece != piece || !candidate.box.touches(hole.box) ||
                    std::find(ids.begin(), ids.end(), other) != ids.end()) {
                    continue;
                }
                const std::vector<Point>& theirs = candidate.polygon.getPoints();
                if (std::any_of(theirs.begin(), theirs.end(), hasCorner)) ids.push_back(other);
            }
        }
    }

    // Whether the box lies inside the piece's outline without touching it.
    static bool liesClearInside(const Piece& piece, const Box& reach) {
        const Box& box = piece.box;
        if (!(box.minX < reach.minX && reach.maxX < box.maxX && box.minY < reach.minY && reach.maxY < box.maxY)) {
            return false;
        }
        const std::vector<Point>& corners = piece.base.getPoints();
        if (Detail::isStandardRectangle(corners, box)) return true;
        for (const Segment& edge : piece.base.getEdges()) {
            if (Box(edge).touches(reach)) return false;
        }
        return piece.base.containsPoint(Point(reach.minX, reach.minY));
    }

    // A member whose cycles hold apart, inside a piece's outline and clear
    // of its holes: its outline becomes the piece's last hole, traced from
    // its flipped edges as every hole is (one tracing owed from this step),
    // and each of its holes an island, traced from the hole's own edges:
    // its corners, without a name.
    void takeAwayInside(std::size_t id, const HoledPolygon& member, std::size_t m) {
        addHole(id, member.getBasePolygon(), m, Rank{nextRank++}, false);
        auto after = std::next(pieces[id].place);
        for (const Polygon& hole : member.getHoles()) addPiece(HoledPolygon(Polygon(hole.getPoints(), "")), m + 1, after);
    }

    // The literal step on the whole piece.
    void takeAwayLiterally(std::size_t id, const HoledPolygon& member, std::size_t m) {
        const HoledPolygonSet rest = settled(id, m).booleanSubtract(member);
        const auto after = std::next(pieces[id].place);
        removePiece(id);
        for (const HoledPolygon& result : rest.getAllPolygons()) {
            if (!result.isEmpty()) addPiece(result, m + 1, after);
        }
    }

    // A rectangle holds what its box holds.
    static bool holds(const Polygon& outline, const Polygon& cycle) {
        const Box box(outline.getPoints());
        if (!Detail::isStandardRectangle(outline.getPoints(), box)) return outline.contains(cycle);
        const Box inner(cycle.getPoints());
        return box.minX <= inner.minX && inner.maxX <= box.maxX && box.minY <= inner.minY && inner.maxY <= box.maxY;
    }

    // The outline of least area that holds the cycle (the first on equal
    // areas), or none.
    static std::size_t innermostOutline(const std::vector<TracedCycle>& outlines, const Polygon& cycle) {
        std::size_t innermost = none;
        for (std::size_t k = 0; k < outlines.size(); ++k) {
            const Polygon& outline = outlines[k].polygon;
            if (!outline.boundingRectanglesIntersect(cycle) || !holds(outline, cycle)) continue;
            if (innermost == none || outline.getArea() < outlines[innermost].polygon.getArea()) innermost = k;
        }
        return innermost;
    }

    // The piece's outline traced first, from its own pieces, and no other
    // cycle traced from them.
    static bool outlineComesFirst(const std::vector<TracedCycle>& outlines, const std::vector<TracedCycle>& cwCycles) {
        if (outlines.front().source != 0) return false;
        const auto fromOutline = [](const TracedCycle& cycle) { return cycle.source == 0; };
        return std::none_of(outlines.begin() + 1, outlines.end(), fromOutline) &&
               std::none_of(cwCycles.begin(), cwCycles.end(), fromOutline);
    }

    bool takeAwayLocally(std::size_t id, const MemberBoundary& member, const std::vector<std::size_t>& near,
                         std::size_t m) {
        // Cycles of the member and of the local shape that keep clear of
        // each other: nothing runs along anything, and cycles can meet only
        // where the member's pieces meet the local ones.
        const bool clearCycles = member.clear && holesKeepClear(pieces[id], near);
        localBoundary(id, member, near, m);
        bool knownApart = false;
        if (!traceLocalBoundary(member, clearCycles, knownApart)) return false;
        // With every hole of the piece in the local shape, the local step is
        // the literal one: the outlines replace the piece in the order traced,
        // holes in the order traced. Otherwise the outline must come out first
        // and whole, from its own pieces.
        const std::vector<TracedCycle>& outlines = scratch.outlines;
        const bool whole = near.size() == pieces[id].liveHoles;
        if (whole && outlines.empty()) {
            removePiece(id);
            return true;
        }
        if (outlines.empty()) return false;
        if (!whole && !outlineComesFirst(outlines, scratch.cwCycles)) return false;
        assignTracedHoles();
        if (!knownApart && !tracedCyclesHoldApart(id)) return false;
        replaceLocally(id, near, m, whole, !knownApart);
        return true;
    }

    // The boundary of the local difference into scratch.boundary, and the
    // cycle each of its pieces came from into scratch.sourceOf: the outline
    // (0), local hole j (j + 1) or the member (none). The local shape is the
    // outline and the holes near the member, each hole as its tracings so
    // far have left it (see retracedHole), which only moves its first corner
    // on. Only edges that reach the member's box can cut or be cut by it.
    void localBoundary(std::size_t id, const MemberBoundary& member, const std::vector<std::size_t>& near,
                       std::size_t m) {
        const Polygon& outline = pieces[id].base;
        std::vector<const Polygon*>& nearPolygons = scratch.nearPolygons;
        nearPolygons.clear();
        for (const std::size_t h : near) nearPolygons.push_back(&holes[h].polygon);
        std::vector<Segment>& edges = scratch.edges;
        const std::vector<Point>& outlineCorners = outline.getPoints();
        auto listEdges = [&](std::size_t source) {
            if (source > 0) {
                settledHoleEdges(near[source - 1], m, edges);
                return;
            }
            edges.clear();
            for (std::size_t i = 0; i < outlineCorners.size(); ++i) {
                edges.emplace_back(outlineCorners[i], outlineCorners[i + 1 == outlineCorners.size() ? 0 : i + 1]);
            }
        };
        scratch.edgesNearMember.clear();
        constexpr std::size_t fewMemberEdges = 64;
        if (member.plain && member.edges.size() <= fewMemberEdges) {
            plainLocalBoundary(member, outline, nearPolygons, listEdges, near.size());
        } else {
            generalLocalBoundary(member, outline, nearPolygons, listEdges, near.size());
        }
    }

    // The member's pieces cut at the local edges near it, less those along
    // its own shared edges, into scratch.memberSplit.
    void splitMember(const MemberBoundary& member) {
        std::vector<Segment>& memberSplit = scratch.memberSplit;
        memberSplit.clear();
        const std::vector<Segment>& cutters = scratch.edgesNearMember;
        constexpr std::size_t fewComparisons = 4096;
        if (member.edges.size() * cutters.size() <= fewComparisons) {
            for (const Segment& edge : member.edges) Math::splitSegmentBySegmentsInto(edge, cutters, memberSplit);
        } else if (!Math::splitSegmentsBySegmentsInto(member.edges, cutters, splitScratch, memberSplit)) {
            memberSplit = member.edges;
        }
        if (!member.shared.empty()) memberSplit = member.shared.without(memberSplit);
    }

    // The local boundary for a plain member of few edges, in one pass over
    // the local edges, as the subtraction boundary of the local shape and
    // the member would give it: an edge away from the member's box stays
    // whole and stays, one that reaches it is cut at the member's edges and
    // its pieces the member holds go, and the member's pieces the local
    // shape holds come last, turned round, unless the local shape has the
    // same piece running the same way.
    template <typename ListEdges>
    void plainLocalBoundary(const MemberBoundary& member, const Polygon& outline,
                            const std::vector<const Polygon*>& nearPolygons, ListEdges& listEdges,
                            std::size_t holeCount) {
        std::vector<Segment>& boundary = scratch.boundary;
        std::vector<std::size_t>& sourceOf = scratch.sourceOf;
        std::vector<Segment>& localNear = scratch.localSplit;  // the local pieces in the member's box
        boundary.clear();
        sourceOf.clear();
        localNear.clear();
        std::vector<Segment>& cut = scratch.cutPieces;
        for (std::size_t source = 0; source <= holeCount; ++source) {
            listEdges(source);
            for (const Segment& edge : scratch.edges) {
                if (!member.box.touches(Box(edge))) {
                    boundary.push_back(edge);
                    sourceOf.push_back(source);
                    continue;
                }
                scratch.edgesNearMember.push_back(edge);
                cut.clear();
                Math::splitSegmentBySegmentsInto(edge, member.edges, cut);
                for (const Segment& piece : cut) {
                    if (!member.box.containsSegment(piece)) {
                        boundary.push_back(piece);
                        sourceOf.push_back(source);
                        continue;
                    }
                    localNear.push_back(piece);
                    if (member.region.containsPiece(piece)) continue;
                    boundary.push_back(piece);
                    sourceOf.push_back(source);
                }
            }
        }
        splitMember(member);
        scratch.localRegion.assign(outline, nearPolygons, member.box);
        const std::size_t fromMember = boundary.size();
        for (const Segment& t : scratch.memberSplit) {
            if (scratch.localRegion.holdsPiece(t)) boundary.push_back(t);
        }
        Detail::turnRoundUnlessOwn(boundary, fromMember, localNear, scratch.localKeys);
        sourceOf.resize(boundary.size(), none);
    }

    // The local boundary through the shapes' general tests: the local pieces
    // cut cycle by cycle to know where each came from.
    template <typename ListEdges>
    void generalLocalBoundary(const MemberBoundary& member, const Polygon& outline,
                              const std::vector<const Polygon*>& nearPolygons, ListEdges& listEdges,
                              std::size_t holeCount) {
        std::vector<Segment>& localSplit = scratch.localSplit;
        std::vector<std::size_t>& cycleOfSplit = scratch.cycleOfSplit;
        std::vector<std::size_t>& kept = scratch.kept;
        localSplit.clear();
        cycleOfSplit.clear();
        kept.clear();
        for (std::size_t source = 0; source <= holeCount; ++source) {
            listEdges(source);
            const std::vector<Segment>& edges = scratch.edges;
            bool near = false;
            for (const Segment& edge : edges) {
                if (!member.box.touches(Box(edge))) continue;
                near = true;
                scratch.edgesNearMember.push_back(edge);
            }
            if (!near || !Math::splitSegmentsBySegmentsInto(edges, member.edges, splitScratch, localSplit)) {
                localSplit.insert(localSplit.end(), edges.begin(), edges.end());
            }
            cycleOfSplit.resize(localSplit.size(), source);
        }
        splitMember(member);
        std::vector<Segment>& boundary = scratch.boundary;
        if (member.plain) {
            scratch.localRegion.assign(outline, nearPolygons, member.box);
            Detail::plainSubtractionBoundary(scratch.localRegion, member.region, member.box, localSplit,
                                             scratch.memberSplit, kept, boundary);
        } else {
            // The cycles of a piece that holds apart run along no other, so
            // the local shape has no shared edges.
            std::vector<Polygon> copies;
            for (const Polygon* hole : nearPolygons) copies.push_back(*hole);
            const HoledPolygon local(outline, std::move(copies));
            boundary = Detail::subtractionBoundary(local, member.shape, Detail::SharedEdges(local), member.shared,
                                                   localSplit, scratch.memberSplit, &kept);
        }
        std::vector<std::size_t>& sourceOf = scratch.sourceOf;
        sourceOf.clear();
        for (const std::size_t k : kept) sourceOf.push_back(cycleOfSplit[k]);
        sourceOf.resize(boundary.size(), none);
    }

    // The local boundary's cycles into scratch.outlines and
    // scratch.cwCycles, each with the cycle its tracing began on. Traced one
    // successor at a time, the cycles of a plain member and a local shape
    // without shared edges stay plain and apart: where two pieces meet, both
    // were cut there and two pieces start at one point; and two rectilinear
    // cycles that meet at all meet at a corner of each or along an edge.
    // False where the list tracer would refuse the boundary.
    bool traceLocalBoundary(const MemberBoundary& member, bool clearCycles, bool& knownApart) {
        std::vector<TracedCycle>& outlines = scratch.outlines;
        std::vector<TracedCycle>& cwCycles = scratch.cwCycles;
        outlines.clear();
        cwCycles.clear();
        auto sortCycle = [&](Polygon polygon, std::size_t anchor) {
            if (polygon.isEmpty()) return;
            const std::size_t source = scratch.sourceOf[anchor];
            (polygon.wasOriginallyDefinedInReverseOrder() ? cwCycles : outlines).push_back({std::move(polygon), source});
        };
        Detail::SuccessorTracer& tracer = scratch.tracer;
        if (tracer.trace(scratch.boundary, clearCycles ? member.box : Box())) {
            tracer.forEachCycle([&](auto first, auto last, std::size_t anchor) {
                sortCycle(Polygon(std::vector<Point>(first, last), ""), anchor);
            });
            knownApart = member.plain;
            return true;
        }
        return Detail::SegmentListTracer(scratch.boundary).traceAllAnchored(sortCycle);
    }

    // Each traced hole goes to the innermost outline that holds it
    // (scratch.ownerOf).
    void assignTracedHoles() {
        std::vector<std::size_t>& ownerOf = scratch.ownerOf;
        ownerOf.clear();
        for (const TracedCycle& hole : scratch.cwCycles) ownerOf.push_back(innermostOutline(scratch.outlines, hole.polygon));
    }

    // Whether each traced outline holds apart with its holes.
    bool tracedCyclesHoldApart(std::size_t id) const {
        const std::vector<TracedCycle>& outlines = scratch.outlines;
        const std::vector<TracedCycle>& cwCycles = scratch.cwCycles;
        const bool outlineKept = outlines.front().polygon.getPoints() == pieces[id].base.getPoints();
        for (std::size_t k = 0; k < outlines.size(); ++k) {
            std::vector<Polygon> own;
            for (std::size_t c = 0; c < cwCycles.size(); ++c) {
                if (scratch.ownerOf[c] == k) own.push_back(cwCycles[c].polygon);
            }
            if (!holdApart(outlines[k].polygon, own, k == 0 && outlineKept)) return false;
        }
        return true;
    }

    // Holes of the piece that the member's box missed but an island lies
    // round (the member closed a hole shaped like a C round them): they
    // become the island's holes, untouched. As (island, hole).
    std::vector<std::pair<std::size_t, std::size_t>> capturedHoles(std::size_t id, const std::vector<std::size_t>& near) {
        const std::vector<TracedCycle>& outlines = scratch.outlines;
        std::vector<std::pair<std::size_t, std::size_t>> captured;
        for (std::size_t k = 1; k < outlines.size(); ++k) {
            const Box island(outlines[k].polygon.getPoints());
            for (const std::size_t h : holeGrid.near(island)) {
                const auto isThis = [h](const std::pair<std::size_t, std::size_t>& entry) { return entry.second == h; };
                if (!holes[h].alive || holes[h].piece != id || !holes[h].box.touches(island) ||
                    std::find(near.begin(), near.end(), h) != near.end() ||
                    std::find_if(captured.begin(), captured.end(), isThis) != captured.end()) {
                    continue;
                }
                const std::size_t innermost = innermostOutline(outlines, holes[h].polygon);
                if (innermost != 0 && innermost != none) captured.emplace_back(innermost, h);
            }
        }
        return captured;
    }

    // A traced hole takes the place of the hole its tracing began on,
    // several such in the order traced; one that began on the member comes
    // after all. Where the local shape was the whole piece, the order traced.
    std::vector<Rank> ranksOfTracedHoles(const std::vector<std::size_t>& near, bool whole) {
        const std::vector<TracedCycle>& cwCycles = scratch.cwCycles;
        std::vector<Rank> ranks;
        ranks.reserve(cwCycles.size());
        for (std::size_t c = 0; c < cwCycles.size(); ++c) {
            const std::size_t source = cwCycles[c].source;
            if (whole || source == none) {
                ranks.push_back(Rank{nextRank++});
                continue;
            }
            ranks.push_back(holes[near[source - 1]].rank);
            std::size_t before = 0, same = 0;
            for (std::size_t o = 0; o < cwCycles.size(); ++o) {
                if (cwCycles[o].source != source) continue;
                ++same;
                if (o < c) ++before;
            }
            if (same > 1) ranks.back().push_back(before);
        }
        return ranks;
    }

    // The traced cycles replace the piece's outline and its local holes;
    // further outlines become pieces of their own right after it, with the
    // holes they hold.
    void replaceLocally(std::size_t id, const std::vector<std::size_t>& near, std::size_t m, bool whole,
                        bool cyclesMayShareCorners) {
        std::vector<TracedCycle>& outlines = scratch.outlines;
        std::vector<TracedCycle>& cwCycles = scratch.cwCycles;
        const std::vector<std::size_t>& ownerOf = scratch.ownerOf;
        const std::vector<std::pair<std::size_t, std::size_t>> captured = capturedHoles(id, near);
        std::vector<Rank> ranks = ranksOfTracedHoles(near, whole);

        Piece& piece = pieces[id];
        piece.base = std::move(outlines.front().polygon);
        piece.baseTracedUpTo = m + 1;
        const Box box(piece.base.getPoints());
        if (box.minX != piece.box.minX || box.minY != piece.box.minY || box.maxX != piece.box.maxX ||
            box.maxY != piece.box.maxY) {
            pieceGrid.erase(id, piece.box);
            piece.box = box;
            pieceGrid.insert(id, box);
        }
        // A corner a new hole shares with a hole left alone is a corner of
        // one it was made from: one inside the member's box would have put
        // the other hole among those worked on.
        bool sharing = cyclesMayShareCorners;
        for (const std::size_t h : near) sharing = sharing || holes[h].sharesCorner;
        for (const std::size_t h : near) killHole(h);
        for (std::size_t c = 0; c < cwCycles.size(); ++c) {
            if (ownerOf[c] == 0) addHole(id, std::move(cwCycles[c].polygon), m + 1, std::move(ranks[c]), sharing);
        }
        auto after = std::next(pieces[id].place);
        for (std::size_t k = 1; k < outlines.size(); ++k) {
            const std::size_t island = addPiece(HoledPolygon(outlines[k].polygon), m + 1, after);
            for (std::size_t c = 0; c < cwCycles.size(); ++c) {
                if (ownerOf[c] == k) addHole(island, std::move(cwCycles[c].polygon), m + 1, std::move(ranks[c]), sharing);
            }
            for (const auto& [owner, h] : captured) {
                if (owner != k) continue;
                const Hole moved = holes[h];
                killHole(h);
                addHole(island, moved.polygon, moved.tracedUpTo, moved.rank, moved.sharesCorner);
            }
        }
    }

    const std::vector<HoledPolygon>& members;
    std::vector<Piece> pieces;
    std::vector<Hole> holes;
    std::list<std::size_t> order;      // the pieces in result order
    std::vector<std::size_t> tangled;  // pieces whose cycles do not hold apart: stepped literally every time
    Detail::BoxGrid pieceGrid;
    Detail::BoxGrid holeGrid;
    std::uint64_t nextRank = 0;
    Math::SplitScratch splitScratch;
    // Lists of the local step, kept between members for their room.
    struct LocalScratch {
        std::vector<Segment> localSplit;
        std::vector<std::size_t> cycleOfSplit;  // the cycle each local piece came from
        std::vector<Segment> edgesNearMember;
        std::vector<Segment> edges;
        std::vector<Segment> memberSplit;
        std::vector<std::size_t> kept;
        Detail::SuccessorTracer tracer;
        std::vector<std::uint64_t> cornerKeys;
        std::vector<const Polygon*> nearPolygons;
        std::vector<Segment> boundary;
        std::vector<std::size_t> sourceOf;  // for each boundary piece, the local cycle it came from, or none
        std::vector<Segment> cutPieces;
        std::vector<Detail::SegmentKey> localKeys;
        std::vector<std::size_t> ownerOf;  // for each traced hole, the outline it goes to
        std::vector<std::size_t> touched;
        std::vector<std::pair<std::size_t, std::size_t>> holesTouched;
        std::vector<std::size_t> near;
        Detail::PlainRegion localRegion;
        std::vector<TracedCycle> outlines;
        std::vector<TracedCycle> cwCycles;
    } scratch;
};

}  // namespace

HoledPolygonSet HoledPolygon::booleanSubtract(const HoledPolygonSet& holedPolygonSet) const {
    const std::vector<HoledPolygon>& members = holedPolygonSet.getAllPolygons();
    if (members.empty()) {
        HoledPolygonSet unchanged;
        unchanged.add(*this);
        return unchanged;
    }
    return SetSubtraction(*this, members).run();
}

}  // namespace Zelkor::Rectilinear

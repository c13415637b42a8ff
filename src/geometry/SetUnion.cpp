// The unions of the sets: the outline of a polygon set and the merged
// members of a holed-polygon set. Both cut every member's edges where other
// members cover them and trace what survives into outlines.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "geometry/HoledPolygonSet.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/MergedOutline.h"
#include "geometry/PolygonSet.h"
#include "geometry/detail/AxisEdge.h"
#include "geometry/detail/BoundaryTracing.h"
#include "geometry/detail/BoundingBox.h"
#include "geometry/detail/HoleAssignment.h"
#include "geometry/detail/OutlineIndex.h"
#include "geometry/detail/PieceIndex.h"
#include "geometry/detail/SegmentKeys.h"
#include "geometry/detail/SharedEdges.h"

namespace Zelkor::Rectilinear {

namespace {

using Detail::Box;

namespace polygonSetUnion {


// Up to this many members with at most this many corners in all, the union
// compares every pair of members directly, on buffers of its own: the
// neighbour lists and piece indexes of the general path cost more to build
// than they save on so few, and the packing asks for such unions by the
// hundred thousand.
constexpr std::size_t fewMembers = 32;  // a bit each in a word
constexpr std::size_t fewCorners = 512;
constexpr std::size_t fewPieces = 1024;

// An edge as a cutter sees it: `across` is its fixed coordinate and [low,
// high] the range it spans on the other axis.
struct Span {
    Coordinate across;
    Coordinate low;
    Coordinate high;
};

bool isSentinel(Coordinate c) {
    return c == Point::holeCoordinate || c == Point::infinity;
}

// Without the rectilinearity check of the constructor: the corners come from
// edges already checked.
Segment segmentBetween(const Point& start, const Point& end) {
    Segment s;
    s.endPoints[0] = start;
    s.endPoints[1] = end;
    return s;
}

// The boundary pieces that survive the union of a few members, sorted and
// without repeats, as the general path finds them: every member's edges cut
// wherever a perpendicular edge of any member crosses or touches their
// interior (edges on a sentinel line take no part), and every piece kept
// unless another member contains it without having it as a piece running
// the same way. False, with the list left empty, for a set that is not
// small, cuts into too many pieces, or has an edge that is not
// axis-parallel (the general path raises the error).
bool survivingPiecesOfFewMembers(const std::vector<Polygon>& polygons, std::vector<Segment>& survivors) {
    const std::size_t count = polygons.size();
    if (count > fewMembers) return false;
    std::size_t cornerCount = 0;
    for (const Polygon& p : polygons) cornerCount += p.getPoints().size();
    if (cornerCount > fewCorners) return false;

    struct Member {
        Box box;
        bool rectangle;
        // Its cutting edges in `vertical` and `horizontal` (a zero-length
        // edge counts as vertical), and its pieces in `pieces`.
        std::uint32_t verticalBegin, verticalEnd, horizontalBegin, horizontalEnd, piecesBegin, piecesEnd;
        std::uint32_t touching;  // a bit per member whose box touches this one's, itself included
    };
    Member members[fewMembers];
    Span vertical[fewCorners];
    Span horizontal[fewCorners];
    std::uint32_t verticalCount = 0;
    std::uint32_t horizontalCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::vector<Point>& corners = polygons[i].getPoints();
        Member& member = members[i];
        member.box = Box(corners);
        member.rectangle = Detail::isStandardRectangle(corners, member.box);
        member.verticalBegin = verticalCount;
        member.horizontalBegin = horizontalCount;
        const std::size_t n = corners.size();
        for (std::size_t k = 0; k < n; ++k) {
            const Point& a = corners[k];
            const Point& b = corners[k + 1 == n ? 0 : k + 1];
            if (a.x == b.x) {
                if (!isSentinel(a.x)) vertical[verticalCount++] = {a.x, std::min(a.y, b.y), std::max(a.y, b.y)};
            } else if (a.y == b.y) {
                if (!isSentinel(a.y)) horizontal[horizontalCount++] = {a.y, std::min(a.x, b.x), std::max(a.x, b.x)};
            } else {
                return false;
            }
        }
        member.verticalEnd = verticalCount;
        member.horizontalEnd = horizontalCount;
        member.touching = 0;
    }
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t k = i; k < count; ++k) {
            if (!members[i].box.touches(members[k].box)) continue;
            members[i].touching |= std::uint32_t{1} << k;
            members[k].touching |= std::uint32_t{1} << i;
        }
    }

    // A target cut at several points comes out as consecutive pieces, last
    // piece first, each running the target's way. The survivors then take
    // the front of the same list.
    std::vector<Segment>& pieces = survivors;
    pieces.reserve(2 * cornerCount);
    Coordinate cuts[fewCorners];
    for (std::size_t i = 0; i < count; ++i) {
        Member& member = members[i];
        member.piecesBegin = static_cast<std::uint32_t>(pieces.size());
        const std::vector<Point>& corners = polygons[i].getPoints();
        const std::size_t n = corners.size();
        for (std::size_t k = 0; k < n; ++k) {
            const Point& a = corners[k];
            const Point& b = corners[k + 1 == n ? 0 : k + 1];
            const auto [isVertical, across, from, to, low, high] = Detail::AxisEdge(a, b);
            std::size_t cutCount = 0;
            if (low < high && !isSentinel(across)) {
                // A rectangle's edges meet each other at their ends alone.
                const std::uint32_t cutting = member.rectangle ? member.touching & ~(std::uint32_t{1} << i) : member.touching;
                for (std::uint32_t others = cutting; others != 0; others &= others - 1) {
                    const Member& other = members[__builtin_ctz(others)];
                    const Box& box = other.box;
                    const bool reaches = isVertical ? box.minX <= across && across <= box.maxX && box.minY < high &&
                                                          low < box.maxY
                                                    : box.minY <= across && across <= box.maxY && box.minX < high &&
                                                          low < box.maxX;
                    if (!reaches) continue;
                    const Span* first = isVertical ? horizontal + other.horizontalBegin : vertical + other.verticalBegin;
                    const Span* last = isVertical ? horizontal + other.horizontalEnd : vertical + other.verticalEnd;
                    for (const Span* cutter = first; cutter != last; ++cutter) {
                        if (cutter->low <= across && across <= cutter->high && low < cutter->across &&
                            cutter->across < high) {
                            cuts[cutCount++] = cutter->across;
                        }
                    }
                }
            }
            if (cutCount == 0) {
                pieces.push_back(segmentBetween(a, b));
                continue;
            }
            // Farthest along the target first.
            if (from < to) {
                std::sort(cuts, cuts + cutCount, std::greater<Coordinate>());
            } else {
                std::sort(cuts, cuts + cutCount);
            }
            cutCount = static_cast<std::size_t>(std::unique(cuts, cuts + cutCount) - cuts);
            Point pieceEnd = b;
            for (std::size_t c = 0; c < cutCount; ++c) {
                const Point cut = isVertical ? Point(across, cuts[c]) : Point(cuts[c], across);
                pieces.push_back(segmentBetween(cut, pieceEnd));
                pieceEnd = cut;
            }
            pieces.push_back(segmentBetween(a, pieceEnd));
        }
        member.piecesEnd = static_cast<std::uint32_t>(pieces.size());
    }

    if (pieces.size() > fewPieces) {
        pieces.clear();
        return false;
    }
    std::uint64_t kept[fewPieces / 64] = {};
    for (std::size_t i = 0; i < count; ++i) {
        const Member& member = members[i];
        const std::uint32_t others = member.touching & ~(std::uint32_t{1} << i);
        for (std::uint32_t p = member.piecesBegin; p != member.piecesEnd; ++p) {
            const Segment& s = pieces[p];
            bool survives = true;
            for (std::uint32_t left = others; left != 0; left &= left - 1) {
                const std::size_t k = static_cast<std::size_t>(__builtin_ctz(left));
                const Member& other = members[k];
                if (!other.box.containsPoint(s.getStartPoint()) || !other.box.containsPoint(s.getEndPoint())) continue;
                const Segment* const otherFirst = pieces.data() + other.piecesBegin;
                const Segment* const otherLast = pieces.data() + other.piecesEnd;
                const Segment* match = std::find(otherFirst, otherLast, s);
                if (match == otherLast) match = nullptr;
                const bool contained = match != nullptr || (other.rectangle && s.getStartPoint() != s.getEndPoint()) ||
                                       polygons[k].containsNonCrossOverSegment(s, false);
                if (contained && (match == nullptr || !match->isInSameDirection(s))) {
                    survives = false;
                    break;
                }
            }
            if (survives) kept[p / 64] |= std::uint64_t{1} << (p % 64);
        }
    }
    std::size_t keptCount = 0;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        if ((kept[p / 64] >> (p % 64)) & 1) pieces[keptCount++] = pieces[p];
    }
    pieces.resize(keptCount);
    std::sort(survivors.begin(), survivors.end());
    survivors.erase(std::unique(survivors.begin(), survivors.end()), survivors.end());
    return true;
}

// The general path: members work with the neighbours their boxes touch
// alone, which the outcome of comparing against every member is.
std::vector<Segment> survivingPiecesOfManyMembers(const std::vector<Polygon>& polygons) {
    const std::size_t count = polygons.size();
    std::vector<Box> boxes;
    std::vector<std::vector<Segment>> edges;
    std::vector<bool> isRectangle;
    boxes.reserve(count);
    edges.reserve(count);
    isRectangle.reserve(count);
    std::size_t cornerCount = 0;
    for (const Polygon& p : polygons) {
        boxes.emplace_back(p.getPoints());
        edges.push_back(p.getEdges());
        isRectangle.push_back(Detail::isStandardRectangle(p.getPoints(), boxes.back()));
        cornerCount += p.getPoints().size();
    }
    const Detail::TouchingMembers touching(boxes);

    const std::vector<Detail::PieceIndex> split = Detail::splitAmongTouchingMembers(std::move(edges), boxes, touching);

    // A piece survives unless another member contains it without sharing it
    // as a piece running the same way. A piece shared with a member lies
    // along that member's edge, which counts as contained, so only pieces
    // that are not shared need the containment test; and a piece of positive
    // length within a rectangle's box never leaves the rectangle.
    std::vector<Segment> resultSegments;
    resultSegments.reserve(cornerCount);
    for (std::size_t ii = 0; ii < count; ++ii) {
        for (const Segment& s : split[ii].getPieces()) {
            bool segmentShouldBeInResult = true;
            for (const std::size_t* member = touching.begin(ii); member != touching.end(ii); ++member) {
                const std::size_t kk = *member;
                if (kk == ii) continue;
                if (!boxes[kk].containsPoint(s.getStartPoint()) || !boxes[kk].containsPoint(s.getEndPoint())) {
                    continue;
                }
                const Segment* match = split[kk].firstMatch(s);
                const bool contained =
                    match != nullptr || (isRectangle[kk] && s.getStartPoint() != s.getEndPoint()) ||
                    polygons[kk].containsNonCrossOverSegment(s, false);
                if (contained && (match == nullptr || !match->isInSameDirection(s))) {
                    segmentShouldBeInResult = false;
                    break;
                }
            }
            if (segmentShouldBeInResult) resultSegments.push_back(s);
        }
    }

    std::sort(resultSegments.begin(), resultSegments.end());
    resultSegments.erase(std::unique(resultSegments.begin(), resultSegments.end()), resultSegments.end());
    return resultSegments;
}


}  // namespace polygonSetUnion

namespace holedSetUnion {

// Outlines with more edges than this answer whether they contain a hole
// through an index rather than edge by edge.
constexpr std::size_t indexedOutlineEdges = 32;

// What the union needs to know about one member, computed once.
struct MemberInfo {
    Box allBox;   // every corner, holes included: where its edges can be
    Box baseBox;  // the base alone: where it can contain anything
    bool baseIsRectangle = false;
    bool hasHoles = false;
    // When every hole is a rectangle: their boxes, at [firstHoleBox,
    // endHoleBox) of the list of hole boxes.
    bool holesAreRectangles = false;
    std::size_t firstHoleBox = 0;
    std::size_t endHoleBox = 0;
};

// Whether a piece lies along a side of the box: only such a piece can equal
// one of a rectangle without holes, whose pieces all lie along its sides.
bool alongBoxSide(const Box& box, const Segment& s) {
    const Point& a = s.getStartPoint();
    const Point& b = s.getEndPoint();
    return (a.x == b.x && (a.x == box.minX || a.x == box.maxX)) || (a.y == b.y && (a.y == box.minY || a.y == box.maxY));
}

// HoledPolygon::containsNonCrossOverSegment. A piece of positive length
// inside a rectangle's box never leaves the rectangle, which spares the
// base test for the commonest members; and it lies in a rectangular hole
// (not along its boundary) exactly when it lies in the hole's box and not
// along one of its sides.
bool memberContains(const HoledPolygon& member, const MemberInfo& info, const std::vector<Box>& holeBoxes,
                    const Segment& s) {
    if (!info.baseIsRectangle || s.getStartPoint() == s.getEndPoint()) return member.containsNonCrossOverSegment(s);
    if (info.holesAreRectangles) {
        for (std::size_t k = info.firstHoleBox; k < info.endHoleBox; ++k) {
            if (holeBoxes[k].containsSegment(s) && !alongBoxSide(holeBoxes[k], s)) return false;
        }
        return true;
    }
    for (const Polygon& hole : member.getHoles()) {
        if (hole.containsNonCrossOverSegment(s, false) && !hole.segmentIsOnBoundary(s)) return false;
    }
    return true;
}

// The members in an order that keeps neighbours close: by horizontal band
// of their boxes' bottoms, then by left side, with about as many bands as the
// square root of the count. The union's outcome does not depend on the order
// in which members are visited; visiting neighbours one after another keeps
// what they share in the caches.
std::vector<std::size_t> neighbourOrder(const std::vector<MemberInfo>& info) {
    const std::size_t count = info.size();
    std::int64_t bottom = 0, top = 0;
    bool any = false;
    for (const MemberInfo& m : info) {
        if (!m.allBox.valid) continue;
        bottom = any ? std::min<std::int64_t>(bottom, m.allBox.minY) : m.allBox.minY;
        top = any ? std::max<std::int64_t>(top, m.allBox.minY) : m.allBox.minY;
        any = true;
    }
    std::int64_t bandCount = 1;
    while (bandCount * bandCount < static_cast<std::int64_t>(count)) ++bandCount;
    const std::int64_t bandHeight = (top - bottom) / bandCount + 1;
    std::vector<std::pair<std::uint64_t, std::size_t>> keyed;
    keyed.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Box& box = info[i].allBox;
        const std::uint64_t band = box.valid ? static_cast<std::uint64_t>((box.minY - bottom) / bandHeight) : 0;
        const std::uint64_t left = box.valid ? static_cast<std::uint32_t>(box.minX) ^ 0x80000000u : 0;
        keyed.emplace_back(band << 32 | left, i);
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::size_t> order;
    order.reserve(count);
    for (const auto& entry : keyed) order.push_back(entry.second);
    return order;
}

// Sorts segments by start point, then end point, as operator< does: by the
// start points' keys a byte at a time from the least significant (bytes
// that all keys share are passed over), then runs of equal start points by
// their end points. Comparison sorts of many pieces mispredict about every
// other branch.
void sortSegments(std::vector<Segment>& segments) {
    const std::size_t n = segments.size();
    if (n < 256) {
        std::sort(segments.begin(), segments.end());
        return;
    }
    std::vector<std::array<std::uint32_t, 256>> counts(8);
    for (auto& c : counts) c.fill(0);
    for (const Segment& s : segments) {
        const std::uint64_t key = Detail::pointKey(s.getStartPoint());
        for (std::size_t d = 0; d < 8; ++d) ++counts[d][(key >> (8 * d)) & 0xFF];
    }
    std::vector<Segment> buffer(n);
    for (std::size_t d = 0; d < 8; ++d) {
        std::array<std::uint32_t, 256>& offsets = counts[d];
        const std::size_t shift = 8 * d;
        if (offsets[(Detail::pointKey(segments.front().getStartPoint()) >> shift) & 0xFF] == n) continue;
        std::uint32_t total = 0;
        for (std::uint32_t& offset : offsets) total += std::exchange(offset, total);
        for (const Segment& s : segments) buffer[offsets[(Detail::pointKey(s.getStartPoint()) >> shift) & 0xFF]++] = s;
        segments.swap(buffer);
    }
    for (std::size_t i = 1; i < n; ++i) {
        if (segments[i].getStartPoint() != segments[i - 1].getStartPoint()) continue;
        const Segment moving = segments[i];
        std::size_t j = i;
        while (j > 0 && segments[j - 1].getStartPoint() == moving.getStartPoint() &&
               moving.getEndPoint() < segments[j - 1].getEndPoint()) {
            segments[j] = segments[j - 1];
            --j;
        }
        segments[j] = moving;
    }
}


}  // namespace holedSetUnion

}  // namespace

PolygonSet PolygonSet::booleanAddAndSimplifyAll(PolygonSet* interiorHolesRemoved) const {
    using namespace polygonSetUnion;
    if (polygons.size() < 2) return *this;

    std::vector<Segment> resultSegments;
    if (!survivingPiecesOfFewMembers(polygons, resultSegments)) resultSegments = survivingPiecesOfManyMembers(polygons);

    // Outlines are moved into the result rather than copied; its total is
    // then summed on request, in the same order add() would have.
    std::vector<Polygon> outlines;
    Detail::SegmentListTracer(std::move(resultSegments)).traceAll([&](Polygon&& polygon) {
        if (!polygon.wasOriginallyDefinedInReverseOrder()) {
            if (!polygon.isEmpty()) outlines.push_back(std::move(polygon));
        } else if (interiorHolesRemoved != nullptr && !polygon.isEmpty() && polygon.getArea() > 0) {
            interiorHolesRemoved->add(polygon);
        }
    });
    return PolygonSet(std::move(outlines));
}

std::optional<MergedOutline> Math::mergedOutline(const PolygonSet& set, bool findContacts) {
    using namespace polygonSetUnion;
    MergedOutline merged;
    const std::vector<Polygon>& polygons = set.getAllPolygons();
    if (polygons.size() < 2) {
        merged.outlines = set;
        for (const Polygon& polygon : polygons) {
            merged.outlineAnchors.push_back(polygon.getEdges().empty() ? Segment() : polygon.getEdges().front());
        }
        return merged;
    }
    std::vector<Segment> pieces;
    try {
        if (!survivingPiecesOfFewMembers(polygons, pieces)) pieces = survivingPiecesOfManyMembers(polygons);
    } catch (const InvalidPolygonException&) {
        return std::nullopt;
    }

    // As booleanAddAndSimplifyAll, but every polygon with the piece its walk began at.
    const std::vector<Segment> sortedPieces = pieces;
    std::vector<Polygon> outlines, holes;
    const bool closed = Detail::SegmentListTracer(std::move(pieces)).traceAllAnchored([&](Polygon&& polygon, std::size_t anchor) {
        if (!polygon.wasOriginallyDefinedInReverseOrder()) {
            if (polygon.isEmpty()) return;
            outlines.push_back(std::move(polygon));
            merged.outlineAnchors.push_back(sortedPieces[anchor]);
        } else if (!polygon.isEmpty() && polygon.getArea() > 0) {
            holes.push_back(std::move(polygon));
            merged.holeAnchors.push_back(sortedPieces[anchor]);
        }
    });
    if (!closed) return std::nullopt;
    merged.outlines = PolygonSet(std::move(outlines));
    merged.holes = PolygonSet(std::move(holes));
    merged.traced = true;
    if (findContacts) Math::findHoleContacts(merged);
    return merged;
}

HoledPolygonSet HoledPolygonSet::booleanAddAll() const {
    using namespace holedSetUnion;
    if (holedPolygons.size() < 2) return *this;

    const std::size_t count = holedPolygons.size();
    std::vector<MemberInfo> byNumber(count);
    for (std::size_t i = 0; i < count; ++i) {
        const HoledPolygon& member = holedPolygons[i];
        MemberInfo& m = byNumber[i];
        m.baseBox = Box(member.getBasePolygon().getPoints());
        m.allBox = m.baseBox;
        for (const Polygon& hole : member.getHoles()) m.allBox.include(hole.getPoints());
        m.baseIsRectangle = Detail::isStandardRectangle(member.getBasePolygon().getPoints(), m.baseBox);
        m.hasHoles = !member.getHoles().empty();
    }
    // From here on, member ii is holedPolygons[order[ii]].
    const std::vector<std::size_t> order = neighbourOrder(byNumber);
    std::vector<MemberInfo> info;
    std::vector<Box> allBoxes;
    std::vector<Box> holeBoxes;
    std::vector<std::vector<Segment>> edges;
    info.reserve(count);
    allBoxes.reserve(count);
    edges.reserve(count);
    for (const std::size_t i : order) {
        info.push_back(byNumber[i]);
        allBoxes.push_back(byNumber[i].allBox);
        edges.push_back(holedPolygons[i].getEdges());
        MemberInfo& m = info.back();
        m.firstHoleBox = holeBoxes.size();
        m.holesAreRectangles = true;
        for (const Polygon& hole : holedPolygons[i].getHoles()) {
            holeBoxes.emplace_back(hole.getPoints());
            m.holesAreRectangles =
                m.holesAreRectangles && Detail::isStandardRectangle(hole.getPoints(), holeBoxes.back());
        }
        m.endHoleBox = holeBoxes.size();
    }
    const Detail::TouchingMembers touching(allBoxes);

    std::vector<Detail::PieceIndex> split = Detail::splitAmongTouchingMembers(std::move(edges), allBoxes, touching);
    std::vector<Detail::SharedEdges> shared;
    shared.reserve(count);
    for (std::size_t ii = 0; ii < count; ++ii) {
        shared.emplace_back(holedPolygons[order[ii]]);
        if (!shared[ii].empty()) split[ii] = Detail::PieceIndex(shared[ii].without(split[ii].getPieces()));
    }

    // A piece is dropped when another member contains it and does not have it
    // as a piece running the same way. Containment needs both ends in that
    // member's base box, and a same-way piece keeps it whether contained or not.
    // The neighbours' base boxes are gathered side by side for each member,
    // and a piece lies in one when its own box does.
    struct Neighbour {
        Coordinate minX, minY, maxX, maxY;
        std::size_t member;
    };
    std::vector<Neighbour> neighbours;
    std::vector<Segment> unorderedResultSegments;
    for (std::size_t ii = 0; ii < count; ++ii) {
        neighbours.clear();
        for (const std::size_t* member = touching.begin(ii); member != touching.end(ii); ++member) {
            const Box& box = info[*member].baseBox;
            if (*member != ii && box.valid) neighbours.push_back({box.minX, box.minY, box.maxX, box.maxY, *member});
        }
        for (const Segment& s : split[ii].getPieces()) {
            bool segmentShouldBeInResult = true;
            const Box piece(s);
            for (const Neighbour& neighbour : neighbours) {
                if (!((neighbour.minX <= piece.minX) & (piece.maxX <= neighbour.maxX) & (neighbour.minY <= piece.minY) &
                      (piece.maxY <= neighbour.maxY))) {
                    continue;
                }
                const std::size_t jj = neighbour.member;
                const MemberInfo& other = info[jj];
                const Segment* match = other.baseIsRectangle && !other.hasHoles && !alongBoxSide(other.baseBox, s)
                                           ? nullptr
                                           : split[jj].firstMatch(s);
                if (match != nullptr && match->isInSameDirection(s)) continue;
                if (!shared[jj].runsAlong(s) && memberContains(holedPolygons[order[jj]], other, holeBoxes, s)) {
                    segmentShouldBeInResult = false;
                    break;
                }
            }
            if (segmentShouldBeInResult) unorderedResultSegments.push_back(s);
        }
    }

    sortSegments(unorderedResultSegments);
    unorderedResultSegments.erase(std::unique(unorderedResultSegments.begin(), unorderedResultSegments.end()),
                                  unorderedResultSegments.end());

    // Clockwise cycles are holes, the others outlines. The list is traced at
    // least once: with no piece left that gives one empty outline.
    std::vector<Polygon> basePolygons;
    std::vector<Polygon> holes;
    auto sortCycle = [&basePolygons, &holes](Polygon&& cycleFound) {
        (cycleFound.wasOriginallyDefinedInReverseOrder() ? holes : basePolygons).push_back(std::move(cycleFound));
    };
    Detail::SegmentListTracer(std::move(unorderedResultSegments)).traceAllAtLeastOnce(sortCycle);

    // A hole's containment in a large outline goes through the outline's
    // index rather than scanning all its edges for each edge of the hole. The
    // index is built when the outline is asked a second time: one question
    // costs about as much as building it.
    std::vector<std::optional<Detail::PolygonIndex>> indexes(basePolygons.size());
    std::vector<unsigned char> asked(basePolygons.size(), 0);
    auto indexOf = [&basePolygons, &indexes, &asked](std::size_t b) -> const Detail::PolygonIndex* {
        if (asked[b] < 2 && ++asked[b] == 2) {
            const Polygon& outline = basePolygons[b];
            if (static_cast<std::size_t>(outline.numberOfEdges()) > indexedOutlineEdges &&
                Detail::isSimpleCounterclockwise(outline)) {
                indexes[b].emplace(outline);
            }
        }
        return indexes[b] ? &*indexes[b] : nullptr;
    };
    return HoledPolygonSet(Math::assignHolesToInnermostOutlines(
        std::move(basePolygons), std::move(holes), [&basePolygons, &indexOf](std::size_t b, const Polygon& hole) {
            return Detail::outlineContains(basePolygons[b], indexOf(b), hole);
        }));
}


}  // namespace Zelkor::Rectilinear

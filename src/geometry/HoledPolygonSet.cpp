#include "geometry/HoledPolygonSet.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "geometry/BoundaryTracing.h"
#include "geometry/BoundingBox.h"
#include "geometry/HoleAssignment.h"
#include "geometry/OutlineIndex.h"
#include "geometry/PieceIndex.h"
#include "geometry/PolygonSet.h"
#include "geometry/SegmentKeys.h"
#include "geometry/SharedEdges.h"

namespace Zelkor::Rectilinear {

namespace {

using Detail::Box;

constexpr char setSeparator[] = " || ";

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

}  // namespace

HoledPolygonSet::HoledPolygonSet(std::vector<HoledPolygon> holedPolygons) : holedPolygons(std::move(holedPolygons)) {}

HoledPolygonSet::HoledPolygonSet(const PolygonSet& polygonSet) {
    add(polygonSet);
}

std::vector<Segment> HoledPolygonSet::getAllEdges() const {
    std::vector<Segment> edges;
    std::size_t total = 0;
    for (const HoledPolygon& member : holedPolygons) total += static_cast<std::size_t>(member.getNumberOfEdges());
    edges.reserve(total);
    for (const HoledPolygon& member : holedPolygons) {
        const std::vector<Segment> memberEdges = member.getEdges();
        edges.insert(edges.end(), memberEdges.begin(), memberEdges.end());
    }
    return edges;
}

float HoledPolygonSet::getArea() const {
    float area = 0.0f;
    for (const HoledPolygon& member : holedPolygons) area += member.getArea();
    return area;
}

void HoledPolygonSet::add(const HoledPolygon& holedPolygon) {
    holedPolygons.push_back(holedPolygon);
}

void HoledPolygonSet::add(const HoledPolygonSet& holedPolygonSet) {
    // Copied first: the argument may be this set.
    const std::vector<HoledPolygon> members = holedPolygonSet.holedPolygons;
    holedPolygons.insert(holedPolygons.end(), members.begin(), members.end());
}

void HoledPolygonSet::add(const PolygonSet& polygonSet) {
    holedPolygons.reserve(holedPolygons.size() + static_cast<std::size_t>(polygonSet.size()));
    for (const Polygon& polygon : polygonSet.getAllPolygons()) holedPolygons.emplace_back(polygon);
}

// The union keeps every boundary piece that no other member covers, plus the
// pieces two members share running the same way; pieces shared in opposite
// directions (members side by side, or one filling another's hole) vanish
// from both, which fuses the members. The surviving pieces are traced into
// cycles: counterclockwise ones are outlines, clockwise ones holes, and each
// hole goes to the innermost outline that contains it. A member's shared
// edges (holes side by side, or a hole against its outline) bound nothing:
// their pieces go, and a piece along them is not inside that member.
//
// Only members whose boxes touch can cut each other's edges or contain each
// other's pieces, so each member deals with its neighbours alone; the outcome
// is that of comparing every piece with every member.
HoledPolygonSet HoledPolygonSet::booleanAddAll() const {
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

bool HoledPolygonSet::operator==(const HoledPolygonSet& holedPolygonSet) const {
    if (holedPolygons.size() != holedPolygonSet.holedPolygons.size()) return false;
    for (const HoledPolygon& member : holedPolygons) {
        if (std::find(holedPolygonSet.holedPolygons.begin(), holedPolygonSet.holedPolygons.end(), member) ==
            holedPolygonSet.holedPolygons.end()) {
            return false;
        }
    }
    return true;
}

std::string HoledPolygonSet::toString() const {
    std::string text;
    for (std::size_t i = 0; i < holedPolygons.size(); ++i) {
        if (i > 0) text += setSeparator;
        text += holedPolygons[i].toString();
    }
    return text;
}

std::ostream& operator<<(std::ostream& os, const HoledPolygonSet& s) {
    return os << s.toString();
}

}  // namespace Zelkor::Rectilinear

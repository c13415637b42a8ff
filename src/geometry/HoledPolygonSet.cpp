#include "geometry/HoledPolygonSet.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <utility>

#include "geometry/HoleAssignment.h"
#include "geometry/PolygonSet.h"
#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear {

namespace {

constexpr char setSeparator[] = " || ";

// Closed bounding box of some corners or of a segment; `valid` is false
// without corners, and an invalid box touches and contains nothing.
struct Box {
    Coordinate minX = 0;
    Coordinate minY = 0;
    Coordinate maxX = 0;
    Coordinate maxY = 0;
    bool valid = false;

    Box() = default;
    explicit Box(const std::vector<Point>& corners) { include(corners); }
    explicit Box(const Segment& s)
        : minX(std::min(s.getStartPoint().x, s.getEndPoint().x)),
          minY(std::min(s.getStartPoint().y, s.getEndPoint().y)),
          maxX(std::max(s.getStartPoint().x, s.getEndPoint().x)),
          maxY(std::max(s.getStartPoint().y, s.getEndPoint().y)),
          valid(true) {}

    void include(const std::vector<Point>& corners) {
        for (const Point& p : corners) {
            if (!valid) {
                minX = maxX = p.x;
                minY = maxY = p.y;
                valid = true;
                continue;
            }
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    bool touches(const Box& other) const {
        return valid && other.valid && minX <= other.maxX && other.minX <= maxX && minY <= other.maxY &&
               other.minY <= maxY;
    }
    bool containsPoint(const Point& p) const {
        return valid && minX <= p.x && p.x <= maxX && minY <= p.y && p.y <= maxY;
    }
};

// A point packed so that unsigned order is Point order (x, then y).
std::uint64_t pointKey(const Point& p) {
    return (std::uint64_t{static_cast<std::uint32_t>(p.x) ^ 0x80000000u} << 32) |
           (static_cast<std::uint32_t>(p.y) ^ 0x80000000u);
}

// A segment's end points in ascending order: the key of undirected equality.
using UndirectedKey = std::pair<std::uint64_t, std::uint64_t>;

UndirectedKey undirectedKey(const Segment& s) {
    const std::uint64_t a = pointKey(s.getStartPoint());
    const std::uint64_t b = pointKey(s.getEndPoint());
    return b < a ? UndirectedKey{b, a} : UndirectedKey{a, b};
}

// One member's split boundary pieces and "the first piece equal to s in
// either direction": a short list is searched directly, a long one through an
// index sorted by undirected end points, then position.
class PieceIndex {
public:
    explicit PieceIndex(std::vector<Segment> newPieces) : pieces(std::move(newPieces)) {
        if (pieces.size() <= directSearchLimit) return;
        entries.reserve(pieces.size());
        for (std::size_t i = 0; i < pieces.size(); ++i) entries.push_back({undirectedKey(pieces[i]), i});
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.key < b.key || (a.key == b.key && a.position < b.position);
        });
    }

    const std::vector<Segment>& getPieces() const { return pieces; }

    const Segment* firstMatch(const Segment& s) const {
        if (pieces.size() <= directSearchLimit) {
            const auto found = std::find(pieces.begin(), pieces.end(), s);
            return found == pieces.end() ? nullptr : &*found;
        }
        const UndirectedKey key = undirectedKey(s);
        const auto found = std::lower_bound(entries.begin(), entries.end(), key,
                                            [](const Entry& e, const UndirectedKey& k) { return e.key < k; });
        if (found == entries.end() || found->key != key) return nullptr;
        return &pieces[found->position];
    }

private:
    static constexpr std::size_t directSearchLimit = 16;
    struct Entry {
        UndirectedKey key;
        std::size_t position;
    };
    std::vector<Segment> pieces;
    std::vector<Entry> entries;
};

// The four corners of a counterclockwise rectangle of positive size, from any
// corner: every standardized four-corner polygon.
bool isStandardRectangle(const std::vector<Point>& corners, const Box& box) {
    if (corners.size() != 4 || box.minX == box.maxX || box.minY == box.maxY) return false;
    const Point expected[4] = {{box.minX, box.minY}, {box.maxX, box.minY}, {box.maxX, box.maxY}, {box.minX, box.maxY}};
    std::size_t first = 0;
    while (first < 4 && corners[first] != expected[0]) ++first;
    if (first == 4) return false;
    for (std::size_t i = 1; i < 4; ++i) {
        if (corners[(first + i) % 4] != expected[i]) return false;
    }
    return true;
}

// For every member, the members (itself included) whose boxes touch its box,
// in ascending order: a sweep over the boxes sorted by left side.
std::vector<std::vector<std::size_t>> touchingMembers(const std::vector<Box>& boxes) {
    const std::size_t count = boxes.size();
    std::vector<std::size_t> byLeft;
    byLeft.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (boxes[i].valid) byLeft.push_back(i);
    }
    std::sort(byLeft.begin(), byLeft.end(), [&boxes](std::size_t a, std::size_t b) {
        return boxes[a].minX < boxes[b].minX || (boxes[a].minX == boxes[b].minX && a < b);
    });
    std::vector<std::vector<std::size_t>> touching(count);
    for (std::size_t i = 0; i < byLeft.size(); ++i) {
        const std::size_t a = byLeft[i];
        touching[a].push_back(a);
        for (std::size_t j = i + 1; j < byLeft.size() && boxes[byLeft[j]].minX <= boxes[a].maxX; ++j) {
            const std::size_t b = byLeft[j];
            if (boxes[a].touches(boxes[b])) {
                touching[a].push_back(b);
                touching[b].push_back(a);
            }
        }
    }
    for (std::vector<std::size_t>& members : touching) std::sort(members.begin(), members.end());
    return touching;
}

// Traces the sorted boundary pieces into polygons exactly as repeated calls
// of the segment-list Polygon constructor on that list would, without
// re-reading the whole list for every cycle. The list is modelled as the
// sorted pieces (each start point's pieces consumed front to back) preceded
// by the sub-loops that tracing cut off, newest first; `visit` receives every
// traced polygon in order. Where the constructor would refuse the list, the
// list as it stands goes to the constructor itself, so the outcome (and the
// exception) is the constructor's own.
class CycleTracer {
public:
    explicit CycleTracer(std::vector<Segment> sortedSegments)
        : sorted(std::move(sortedSegments)), used(sorted.size(), false), unusedSorted(sorted.size()) {
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const std::uint64_t key = pointKey(sorted[i].getStartPoint());
            if (groupKeys.empty() || groupKeys.back() != key) {
                groupKeys.push_back(key);
                groupNext.push_back(i);
                groupEnd.push_back(i);
            }
            ++groupEnd.back();
            groupOf.push_back(groupKeys.size() - 1);
        }
    }

    template <typename Visit>
    void traceAll(Visit visit) {
        while (remaining() > 0) {
            if (!traceOne()) {
                std::vector<Segment> list = restoreAndList();
                while (!list.empty()) visit(Polygon(list, ""));
                return;
            }
            visit(Polygon(keptCorners, ""));
        }
    }

private:
    // One piece taken by the cycle being traced, so that it can be put back.
    struct Taken {
        bool fromPrefix;
        std::size_t index;  // into `sorted`, or into `prefixPool`
        long rank;          // the prefix piece's place in the list
    };

    std::size_t remaining() const { return unusedSorted + prefixByRank.size(); }

    void takeSorted(std::size_t index) {
        used[index] = true;
        ++groupNext[groupOf[index]];
        --unusedSorted;
        taken.push_back({false, index, 0});
    }

    void takePrefix(long rank, std::size_t index) {
        prefixByRank.erase(rank);
        prefixByStart.erase({pointKey(prefixPool[index].getStartPoint()), rank});
        taken.push_back({true, index, rank});
    }

    // The front piece of the list; there is one.
    Segment takeFront() {
        if (!prefixByRank.empty()) {
            const auto front = prefixByRank.begin();
            const std::size_t index = front->second;
            takePrefix(front->first, index);
            return prefixPool[index];
        }
        while (used[sortedFront]) ++sortedFront;
        takeSorted(sortedFront);
        return sorted[sortedFront];
    }

    // The first piece in list order that starts at p; false when none does.
    bool takeFirstStartingAt(const Point& p, Segment& piece) {
        const std::uint64_t key = pointKey(p);
        const auto inPrefix = prefixByStart.lower_bound({key, std::numeric_limits<long>::min()});
        if (inPrefix != prefixByStart.end() && inPrefix->first.first == key) {
            const std::size_t index = inPrefix->second;
            takePrefix(inPrefix->first.second, index);
            piece = prefixPool[index];
            return true;
        }
        const auto group = std::lower_bound(groupKeys.begin(), groupKeys.end(), key);
        if (group == groupKeys.end() || *group != key) return false;
        const std::size_t g = static_cast<std::size_t>(group - groupKeys.begin());
        if (groupNext[g] == groupEnd[g]) return false;
        const std::size_t index = groupNext[g];
        takeSorted(index);
        piece = sorted[index];
        return true;
    }

    // Traces the cycle at the front of the list into keptCorners and puts
    // its sub-loops in front of the list; false where the constructor would
    // refuse the list (nothing is then consumed).
    bool traceOne() {
        taken.clear();
        corners.clear();
        if (remaining() < 3) return false;
        const Segment first = takeFront();
        corners.push_back(first.getStartPoint());
        corners.push_back(first.getEndPoint());
        for (;;) {
            Segment next;
            if (remaining() == 0 || !takeFirstStartingAt(corners.back(), next)) {
                putBack();
                return false;
            }
            if (next.getEndPoint() == corners.front()) break;
            corners.push_back(next.getEndPoint());
        }
        cutSubLoops();
        return true;
    }

    void putBack() {
        for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
            if (it->fromPrefix) {
                prefixByRank.emplace(it->rank, it->index);
                prefixByStart.emplace(std::make_pair(pointKey(prefixPool[it->index].getStartPoint()), it->rank),
                                      it->index);
            } else {
                used[it->index] = false;
                --groupNext[groupOf[it->index]];
                ++unusedSorted;
                sortedFront = std::min(sortedFront, it->index);
            }
        }
        taken.clear();
    }

    // Repeatedly: the first corner that recurs later, up to its next
    // occurrence, is a sub-loop; its pieces, in walking order, go to the
    // front of the list and its corners (but the recurring one) leave the
    // cycle. Corners before the scan never recur later, and those after it
    // are all still present, so one forward pass does it.
    void cutSubLoops() {
        const std::size_t m = corners.size();
        std::vector<std::size_t> byPoint(m);
        for (std::size_t i = 0; i < m; ++i) byPoint[i] = i;
        std::sort(byPoint.begin(), byPoint.end(), [this](std::size_t a, std::size_t b) {
            const std::uint64_t ka = pointKey(corners[a]);
            const std::uint64_t kb = pointKey(corners[b]);
            return ka < kb || (ka == kb && a < b);
        });
        constexpr std::size_t none = static_cast<std::size_t>(-1);
        std::vector<std::size_t> nextSame(m, none);
        for (std::size_t i = 0; i + 1 < m; ++i) {
            if (corners[byPoint[i]] == corners[byPoint[i + 1]]) nextSame[byPoint[i]] = byPoint[i + 1];
        }
        keptCorners.clear();
        std::size_t c = 0;
        while (c < m) {
            const std::size_t d = nextSame[c];
            if (d == none) {
                keptCorners.push_back(corners[c]);
                ++c;
                continue;
            }
            const long count = static_cast<long>(d - c);
            long rank = nextFrontRank - count + 1;
            for (std::size_t k = c + 1; k <= d; ++k, ++rank) {
                const std::size_t index = prefixPool.size();
                prefixPool.emplace_back(corners[k - 1], corners[k]);
                prefixByRank.emplace(rank, index);
                prefixByStart.emplace(std::make_pair(pointKey(corners[k - 1]), rank), index);
            }
            nextFrontRank -= count;
            c = d;
        }
    }

    // The list as it stands: the sub-loops, newest first, then the unused
    // sorted pieces.
    std::vector<Segment> restoreAndList() const {
        std::vector<Segment> list;
        list.reserve(remaining());
        for (const auto& entry : prefixByRank) list.push_back(prefixPool[entry.second]);
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            if (!used[i]) list.push_back(sorted[i]);
        }
        return list;
    }

    std::vector<Segment> sorted;
    std::vector<bool> used;
    std::size_t unusedSorted;
    std::size_t sortedFront = 0;
    // Sorted pieces grouped by start point: a group's pieces are consumed in order.
    std::vector<std::uint64_t> groupKeys;
    std::vector<std::size_t> groupNext;
    std::vector<std::size_t> groupEnd;
    std::vector<std::size_t> groupOf;
    // Sub-loop pieces in front of the list, by their place in it (negative,
    // smaller is nearer the front).
    std::vector<Segment> prefixPool;
    std::map<long, std::size_t> prefixByRank;
    std::map<std::pair<std::uint64_t, long>, std::size_t> prefixByStart;
    long nextFrontRank = -1;

    std::vector<Taken> taken;
    std::vector<Point> corners;
    std::vector<Point> keptCorners;
};

// What the union needs to know about one member, computed once.
struct MemberInfo {
    Box allBox;   // every corner, holes included: where its edges can be
    Box baseBox;  // the base alone: where it can contain anything
    bool baseIsRectangle = false;
    std::vector<Segment> edges;
};

// HoledPolygon::containsNonCrossOverSegment. A piece of positive length
// inside a rectangle's box never leaves the rectangle, which spares the
// base test for the commonest members.
bool memberContains(const HoledPolygon& member, const MemberInfo& info, const Segment& s) {
    if (!info.baseIsRectangle || s.getStartPoint() == s.getEndPoint()) return member.containsNonCrossOverSegment(s);
    for (const Polygon& hole : member.getHoles()) {
        if (hole.containsNonCrossOverSegment(s, false) && !hole.segmentIsOnBoundary(s)) return false;
    }
    return true;
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
// hole goes to the innermost outline that contains it.
//
// Only members whose boxes touch can cut each other's edges or contain each
// other's pieces, so each member deals with its neighbours alone; the outcome
// is that of comparing every piece with every member.
HoledPolygonSet HoledPolygonSet::booleanAddAll() const {
    if (holedPolygons.size() < 2) return *this;

    const std::size_t count = holedPolygons.size();
    std::vector<MemberInfo> info(count);
    std::vector<Box> allBoxes;
    allBoxes.reserve(count);
    for (std::size_t ii = 0; ii < count; ++ii) {
        const HoledPolygon& member = holedPolygons[ii];
        MemberInfo& m = info[ii];
        m.baseBox = Box(member.getBasePolygon().getPoints());
        m.allBox = m.baseBox;
        for (const Polygon& hole : member.getHoles()) m.allBox.include(hole.getPoints());
        m.baseIsRectangle = isStandardRectangle(member.getBasePolygon().getPoints(), m.baseBox);
        m.edges = member.getEdges();
        allBoxes.push_back(m.allBox);
    }
    const std::vector<std::vector<std::size_t>> touching = touchingMembers(allBoxes);

    // Each member's edges cut wherever an edge of any member meets them; only
    // edges that reach the member's box can.
    std::vector<PieceIndex> split;
    split.reserve(count);
    std::vector<Segment> cutters;
    for (std::size_t ii = 0; ii < count; ++ii) {
        cutters.clear();
        for (std::size_t kk : touching[ii]) {
            for (const Segment& e : info[kk].edges) {
                if (info[ii].allBox.touches(Box(e))) cutters.push_back(e);
            }
        }
        split.emplace_back(Math::splitSegmentsBySegments(info[ii].edges, cutters));
    }

    // A piece is dropped when another member contains it and does not have it
    // as a piece running the same way. Containment needs both ends in that
    // member's base box, and a same-way piece keeps it whether contained or not.
    std::vector<Segment> unorderedResultSegments;
    for (std::size_t ii = 0; ii < count; ++ii) {
        for (const Segment& s : split[ii].getPieces()) {
            bool segmentShouldBeInResult = true;
            for (std::size_t jj : touching[ii]) {
                if (jj == ii) continue;
                const MemberInfo& other = info[jj];
                if (!other.baseBox.containsPoint(s.getStartPoint()) || !other.baseBox.containsPoint(s.getEndPoint())) {
                    continue;
                }
                const Segment* match = split[jj].firstMatch(s);
                if (match != nullptr && match->isInSameDirection(s)) continue;
                if (memberContains(holedPolygons[jj], other, s)) {
                    segmentShouldBeInResult = false;
                    break;
                }
            }
            if (segmentShouldBeInResult) unorderedResultSegments.push_back(s);
        }
    }

    std::sort(unorderedResultSegments.begin(), unorderedResultSegments.end());
    unorderedResultSegments.erase(std::unique(unorderedResultSegments.begin(), unorderedResultSegments.end()),
                                  unorderedResultSegments.end());

    // Clockwise cycles are holes, the others outlines. The list is traced at
    // least once: with no piece left that gives one empty outline.
    std::vector<Polygon> basePolygons;
    std::vector<Polygon> holes;
    auto sortCycle = [&basePolygons, &holes](const Polygon& cycleFound) {
        (cycleFound.wasOriginallyDefinedInReverseOrder() ? holes : basePolygons).push_back(cycleFound);
    };
    if (unorderedResultSegments.empty()) {
        sortCycle(Polygon(unorderedResultSegments, ""));
    } else {
        CycleTracer(std::move(unorderedResultSegments)).traceAll(sortCycle);
    }

    return HoledPolygonSet(Math::assignHolesToInnermostOutlines(basePolygons, holes));
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

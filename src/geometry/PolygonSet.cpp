#include "geometry/PolygonSet.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <utility>

#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear {

namespace {

constexpr char setSeparator[] = " | ";

// Closed bounding box of a member's corners or of a segment; `valid` is
// false for a member without corners, which then touches nothing.
struct Box {
    Coordinate minX = 0;
    Coordinate minY = 0;
    Coordinate maxX = 0;
    Coordinate maxY = 0;
    bool valid = false;

    explicit Box(const std::vector<Point>& corners) {
        if (corners.empty()) return;
        valid = true;
        minX = maxX = corners.front().x;
        minY = maxY = corners.front().y;
        for (const Point& p : corners) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    explicit Box(const Segment& s)
        : minX(std::min(s.getStartPoint().x, s.getEndPoint().x)),
          minY(std::min(s.getStartPoint().y, s.getEndPoint().y)),
          maxX(std::max(s.getStartPoint().x, s.getEndPoint().x)),
          maxY(std::max(s.getStartPoint().y, s.getEndPoint().y)),
          valid(true) {}

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

// The split pieces of one member and "the first piece equal to s in either
// direction". A few pieces are searched directly; many go through an index
// sorted by undirected end points, so a member with a long outline does not
// make every lookup linear.
class PieceIndex {
public:
    explicit PieceIndex(std::vector<Segment> newPieces) : pieces(std::move(newPieces)) {
        if (pieces.size() <= directSearchLimit) return;
        entries.reserve(pieces.size());
        for (std::size_t i = 0; i < pieces.size(); ++i) entries.push_back({undirectedKey(pieces[i]), i});
        // Among equal keys the lowest position comes first: the first match.
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.key < b.key || (a.key == b.key && a.position < b.position);
        });
    }

    const std::vector<Segment>& getPieces() const { return pieces; }

    // The first piece equal to s in either direction, or null.
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

// True for the four corners of a counterclockwise rectangle of positive
// size, starting at any corner: the shape every standardized four-corner
// polygon has.
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
// in no particular order. Only they can cut its edges or contain its pieces.
class TouchingMembers {
public:
    explicit TouchingMembers(const std::vector<Box>& boxes) : offsets(boxes.size() + 1, 0) {
        const std::size_t count = boxes.size();
        std::vector<std::size_t> byLeft;
        byLeft.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            if (boxes[i].valid) byLeft.push_back(i);
        }
        std::sort(byLeft.begin(), byLeft.end(), [&boxes](std::size_t a, std::size_t b) {
            return boxes[a].minX < boxes[b].minX || (boxes[a].minX == boxes[b].minX && a < b);
        });
        // Sweep by left side: a box can only touch those that start before it ends.
        std::vector<std::pair<std::size_t, std::size_t>> pairs;
        pairs.reserve(4 * byLeft.size());
        for (std::size_t i = 0; i < byLeft.size(); ++i) {
            const std::size_t a = byLeft[i];
            pairs.emplace_back(a, a);
            for (std::size_t j = i + 1; j < byLeft.size() && boxes[byLeft[j]].minX <= boxes[a].maxX; ++j) {
                const std::size_t b = byLeft[j];
                if (boxes[a].touches(boxes[b])) {
                    pairs.emplace_back(a, b);
                    pairs.emplace_back(b, a);
                }
            }
        }
        for (const auto& pair : pairs) ++offsets[pair.first + 1];
        for (std::size_t i = 0; i < count; ++i) offsets[i + 1] += offsets[i];
        members.resize(pairs.size());
        std::vector<std::size_t> fill(offsets.begin(), offsets.end() - 1);
        for (const auto& pair : pairs) members[fill[pair.first]++] = pair.second;
    }

    const std::size_t* begin(std::size_t member) const { return members.data() + offsets[member]; }
    const std::size_t* end(std::size_t member) const { return members.data() + offsets[member + 1]; }

private:
    std::vector<std::size_t> offsets;
    std::vector<std::size_t> members;
};

// Whether some perpendicular cutter meets the interior of some target, that
// is, whether splitting could change anything.
bool anyCut(const std::vector<Segment>& targets, const std::vector<Segment>& cutters) {
    for (const Segment& target : targets) {
        const Point& a = target.getStartPoint();
        const Point& b = target.getEndPoint();
        const bool vertical = target.isVertical();
        const Coordinate across = vertical ? a.x : a.y;
        const Coordinate low = vertical ? std::min(a.y, b.y) : std::min(a.x, b.x);
        const Coordinate high = vertical ? std::max(a.y, b.y) : std::max(a.x, b.x);
        if (low == high) continue;
        for (const Segment& cutter : cutters) {
            if (cutter.isVertical() == vertical) continue;
            const Point& c = cutter.getStartPoint();
            const Point& d = cutter.getEndPoint();
            const Coordinate position = vertical ? c.y : c.x;
            if (position <= low || position >= high) continue;
            const Coordinate cutterLow = vertical ? std::min(c.x, d.x) : std::min(c.y, d.y);
            const Coordinate cutterHigh = vertical ? std::max(c.x, d.x) : std::max(c.y, d.y);
            if (cutterLow <= across && across <= cutterHigh) return true;
        }
    }
    return false;
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

}  // namespace

PolygonSet::PolygonSet(std::vector<Polygon> polygonVector)
    : polygons(std::move(polygonVector)), area(areaNotComputed) {}

std::vector<Segment> PolygonSet::getAllEdges() const {
    std::vector<Segment> edges;
    std::size_t total = 0;
    for (const Polygon& p : polygons) total += p.getPoints().size();
    edges.reserve(total);
    for (const Polygon& p : polygons) {
        const std::vector<Segment> memberEdges = p.getEdges();
        edges.insert(edges.end(), memberEdges.begin(), memberEdges.end());
    }
    return edges;
}

std::vector<Point> PolygonSet::getPoints() const {
    std::vector<Point> points;
    std::size_t total = 0;
    for (const Polygon& p : polygons) total += p.getPoints().size();
    points.reserve(total);
    for (const Polygon& p : polygons) points.insert(points.end(), p.getPoints().begin(), p.getPoints().end());
    return points;
}

Rectangle PolygonSet::getBoundingRectangle() const {
    bool any = false;
    Rectangle bounds;
    for (const Polygon& p : polygons) {
        if (p.isEmpty()) continue;
        const Rectangle memberBounds = p.getBoundingRectangle();
        if (!any) {
            bounds = memberBounds;
            any = true;
            continue;
        }
        bounds.setBottomLeft(std::min(bounds.getBottomLeft().x, memberBounds.getBottomLeft().x),
                             std::min(bounds.getBottomLeft().y, memberBounds.getBottomLeft().y));
        bounds.setTopRight(std::max(bounds.getTopRight().x, memberBounds.getTopRight().x),
                           std::max(bounds.getTopRight().y, memberBounds.getTopRight().y));
    }
    return bounds;
}

Coordinate PolygonSet::shortestSegmentLength() const {
    Coordinate shortest = Point::infinity;
    for (const Polygon& p : polygons) shortest = std::min(shortest, p.shortestSegmentLength());
    return shortest;
}

bool PolygonSet::intersect(const Polygon& polygon) const {
    for (const Polygon& p : polygons) {
        if (p.intersect(polygon)) return true;
    }
    return false;
}

bool PolygonSet::intersectAll(const PolygonSet& polygonSet) const {
    for (const Polygon& p : polygonSet.polygons) {
        if (intersect(p)) return true;
    }
    return false;
}

bool PolygonSet::containsCongruentPolygon(const Polygon& p) const {
    for (const Polygon& member : polygons) {
        if (member == p) return true;
    }
    return false;
}

float PolygonSet::computeArea() const {
    float total = 0.0f;
    for (const Polygon& p : polygons) total += p.getArea();
    return total;
}

float PolygonSet::getArea() {
    if (area == areaNotComputed) area = computeArea();
    return area;
}

std::string PolygonSet::toString() const {
    std::string text;
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        if (i > 0) text += setSeparator;
        text += polygons[i].toString();
    }
    return text;
}

bool PolygonSet::operator==(const PolygonSet& polygonSet) const {
    if (size() != polygonSet.size()) return false;
    for (const Polygon& wanted : polygonSet.polygons) {
        if (!containsCongruentPolygon(wanted)) return false;
    }
    return true;
}

bool PolygonSet::operator==(const Polygon& polygon) const {
    return polygons.size() == 1 && polygons.front() == polygon;
}

void PolygonSet::add(const Polygon& polygon) {
    if (area == areaNotComputed) area = computeArea();
    // Read before appending: `polygon` may be a member that the append moves.
    const float addedArea = polygon.getArea();
    polygons.push_back(polygon);
    area += addedArea;
}

void PolygonSet::add(const PolygonSet& polygonSet) {
    // By index over the original count, so that adding a set to itself
    // doubles it once.
    const std::size_t count = polygonSet.polygons.size();
    polygons.reserve(polygons.size() + count);
    for (std::size_t i = 0; i < count; ++i) add(polygonSet.polygons[i]);
}

void PolygonSet::translate(const Point& offset) {
    for (Polygon& p : polygons) p.translate(offset);
}

void PolygonSet::rotateAboutOrigin(int ninetyDegreeMultiplier) {
    for (Polygon& p : polygons) p.rotateAboutOrigin(ninetyDegreeMultiplier);
}

void PolygonSet::slideToOrigin() {
    const Rectangle bounds = getBoundingRectangle();
    if (bounds.getBottomLeft().isHole()) return;
    translate(Point(wrappingSubtract(0, bounds.getBottomLeft().x), wrappingSubtract(0, bounds.getBottomLeft().y)));
}

void PolygonSet::unvalidatedContractAll(int numberOfUnits) {
    for (Polygon& p : polygons) p.unvalidatedContract(numberOfUnits);
    area = areaNotComputed;
}

void PolygonSet::unvalidatedExpandAll(int numberOfUnits) {
    unvalidatedContractAll(wrappingSubtract(0, numberOfUnits));
}

void PolygonSet::fitToSize(int length, int width) {
    area = areaNotComputed;
    const Rectangle bounds = getBoundingRectangle();
    if (bounds.getBottomLeft().isHole()) return;
    double targetLength = length;
    double targetWidth = width;
    double boundingLength = static_cast<double>(bounds.getTopRight().x) - bounds.getBottomLeft().x;
    double boundingWidth = static_cast<double>(bounds.getTopRight().y) - bounds.getBottomLeft().y;
    if (targetLength < targetWidth) std::swap(targetLength, targetWidth);
    if (boundingLength < boundingWidth) std::swap(boundingLength, boundingWidth);
    // boundingLength is the larger extent: zero means both are.
    if (boundingLength == 0.0) return;
    double factor = targetLength / boundingLength;
    if (boundingWidth != 0.0) factor = std::min(factor, targetWidth / boundingWidth);
    const float scale = static_cast<float>(factor);
    for (Polygon& p : polygons) p.scale(scale);
}

PolygonSet PolygonSet::booleanAddAndSimplifyAll(PolygonSet* interiorHolesRemoved) const {
    if (polygons.size() < 2) return *this;

    // Only members whose boxes touch can cut each other's edges or contain
    // each other's pieces, so every member works with its neighbours alone;
    // the outcome is that of comparing against every member.
    const std::size_t count = polygons.size();
    std::vector<Box> boxes;
    std::vector<std::vector<Segment>> edges;
    std::vector<bool> isRectangle;
    boxes.reserve(count);
    edges.reserve(count);
    isRectangle.reserve(count);
    for (const Polygon& p : polygons) {
        boxes.emplace_back(p.getPoints());
        edges.push_back(p.getEdges());
        isRectangle.push_back(isStandardRectangle(p.getPoints(), boxes.back()));
    }
    const TouchingMembers touching(boxes);

    // Every member's edges cut wherever an edge of any member meets them: only
    // edges that reach the member's box can. Most members of a tiling are not
    // cut at all, and then splitting would hand the edges back unchanged.
    std::vector<PieceIndex> split;
    split.reserve(count);
    std::vector<Segment> cutters;
    for (std::size_t ii = 0; ii < count; ++ii) {
        cutters.clear();
        for (const std::size_t* kk = touching.begin(ii); kk != touching.end(ii); ++kk) {
            for (const Segment& e : edges[*kk]) {
                if (boxes[ii].touches(Box(e))) cutters.push_back(e);
            }
        }
        split.emplace_back(anyCut(edges[ii], cutters) ? Math::splitSegmentsBySegments(edges[ii], cutters)
                                                      : edges[ii]);
    }

    // A piece survives unless another member contains it without sharing it
    // as a piece running the same way. A piece shared with a member lies
    // along that member's edge, which counts as contained, so only pieces
    // that are not shared need the containment test; and a piece of positive
    // length within a rectangle's box never leaves the rectangle.
    std::vector<Segment> resultSegments;
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

    PolygonSet resultSet;
    CycleTracer(std::move(resultSegments)).traceAll([&](const Polygon& polygon) {
        if (!polygon.wasOriginallyDefinedInReverseOrder()) {
            if (!polygon.isEmpty()) resultSet.add(polygon);
        } else if (interiorHolesRemoved != nullptr && !polygon.isEmpty() && polygon.getArea() > 0) {
            interiorHolesRemoved->add(polygon);
        }
    });
    return resultSet;
}

bool Polygon::contains(const PolygonSet& polygonSet) const {
    for (const Polygon& p : polygonSet.getAllPolygons()) {
        if (!contains(p)) return false;
    }
    return true;
}

std::ostream& operator<<(std::ostream& os, const PolygonSet& s) {
    return os << s.toString();
}

}  // namespace Zelkor::Rectilinear

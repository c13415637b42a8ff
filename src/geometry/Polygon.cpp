#include "geometry/Polygon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "geometry/InvalidPolygonException.h"

namespace Zelkor::Rectilinear {

namespace {

// One corner token of the text form, parsed exactly as Point(std::string)
// parses the same characters, without building the substring.
Point parsePointToken(const std::string& text, std::size_t begin, std::size_t end) {
    const std::size_t commaIndex = text.find(',', begin);
    if (commaIndex == std::string::npos || commaIndex >= end) {
        const Coordinate value = parseInteger(text, begin, end);
        return {value, value};
    }
    return {parseInteger(text, begin, commaIndex), parseInteger(text, commaIndex + 1, end)};
}

bool sharesAnAxis(const Point& a, const Point& b) { return a.x == b.x || a.y == b.y; }

// Truncation toward zero that stays defined for values a float cannot bring
// back into the coordinate range (and for NaN).
Coordinate truncateToCoordinate(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0f) return std::numeric_limits<Coordinate>::max();
    if (value <= -2147483648.0f) return std::numeric_limits<Coordinate>::min();
    return static_cast<Coordinate>(value);
}

Coordinate negated(Coordinate c) { return wrappingSubtract(0, c); }

// A 64-bit key that identifies a point.
std::uint64_t pointKey(const Point& p) {
    return (std::uint64_t{static_cast<std::uint32_t>(p.x) ^ 0x80000000u} << 32) |
           (static_cast<std::uint32_t>(p.y) ^ 0x80000000u);
}

// Open-addressing hash table from a point key to one list position (-1 when
// none); sized for the number of keys it will hold.
class PointPositionTable {
public:
    explicit PointPositionTable(std::size_t maximumKeys) {
        std::size_t capacity = 16;
        int bits = 4;
        while (capacity < 2 * maximumKeys) {
            capacity *= 2;
            ++bits;
        }
        keys.resize(capacity);
        values.assign(capacity, empty);
        mask = capacity - 1;
        shift = 64 - bits;
    }
    // The value stored for key, inserted as -1 when key is new.
    std::int32_t& slot(std::uint64_t key) {
        std::size_t i = position(key);
        while (values[i] != empty && keys[i] != key) i = (i + 1) & mask;
        if (values[i] == empty) {
            keys[i] = key;
            values[i] = -1;
        }
        return values[i];
    }
    std::int32_t* find(std::uint64_t key) {
        for (std::size_t i = position(key); values[i] != empty; i = (i + 1) & mask) {
            if (keys[i] == key) return &values[i];
        }
        return nullptr;
    }

private:
    static constexpr std::int32_t empty = -2;
    std::size_t position(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift);
    }
    std::vector<std::uint64_t> keys;
    std::vector<std::int32_t> values;
    std::size_t mask = 0;
    int shift = 60;
};

}  // namespace

// --- Construction -------------------------------------------------------------

Polygon::Polygon(std::vector<Point> newPoints, std::string newName)
    : points(std::move(newPoints)), name(std::move(newName)) {
    standardize();
}

Polygon::Polygon(const std::string& pointString, std::string newName) : name(std::move(newName)) {
    points.reserve(static_cast<std::size_t>(std::count(pointString.begin(), pointString.end(), ' ')) + 1);
    std::size_t offset = 0;
    while (offset < pointString.size()) {
        const std::size_t indexOfSpace = pointString.find(' ', offset);
        if (indexOfSpace == std::string::npos) {
            points.push_back(parsePointToken(pointString, offset, pointString.size()));
            break;
        }
        points.push_back(parsePointToken(pointString, offset, indexOfSpace));
        offset = indexOfSpace + 1;
    }
    standardize();
}

// Traces the chain that starts with the first segment: each step takes the
// first remaining segment (in list order) that starts where the chain ends.
// Segments with the same start point are linked in list order, and a hash
// table leads from a start point to the first of them not used yet: since the
// chain always takes that first one, the used segments of a start point are
// always a prefix of its list.
Polygon::Polygon(std::vector<Segment>& segments, std::string newName) : name(std::move(newName)) {
    if (segments.empty()) {
        // Nothing to trace: an empty polygon that encloses nothing.
        area = 0.0f;
        return;
    }
    if (segments.size() < 3) throw InvalidPolygonException("Polygon", __LINE__, "too few segments to close");

    const std::size_t count = segments.size();
    PointPositionTable firstUnused(count);
    std::vector<std::int32_t> nextWithSameStart(count);
    for (std::size_t i = count; i-- > 0;) {
        std::int32_t& head = firstUnused.slot(pointKey(segments[i].getStartPoint()));
        nextWithSameStart[i] = head;
        head = static_cast<std::int32_t>(i);
    }
    std::vector<bool> used(count, false);
    // Leaves in `segments` exactly what the step-by-step removal would have left.
    auto keepOnlyUnused = [&]() {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (!used[i]) segments[kept++] = segments[i];
        }
        segments.resize(kept);
    };

    points.push_back(segments[0].getStartPoint());
    points.push_back(segments[0].getEndPoint());
    used[0] = true;
    firstUnused.slot(pointKey(segments[0].getStartPoint())) = nextWithSameStart[0];
    std::size_t remaining = count - 1;
    for (;;) {
        if (remaining == 0) {
            keepOnlyUnused();
            throw InvalidPolygonException("Polygon", __LINE__, "the segments do not close");
        }
        std::int32_t* const head = firstUnused.find(pointKey(points.back()));
        if (head == nullptr || *head < 0) {
            keepOnlyUnused();
            throw InvalidPolygonException("Polygon", __LINE__, "the segments do not close");
        }
        const std::size_t next = static_cast<std::size_t>(*head);
        *head = nextWithSameStart[next];
        used[next] = true;
        --remaining;
        if (segments[next].getEndPoint() == points[0]) break;
        points.push_back(segments[next].getEndPoint());
    }
    keepOnlyUnused();

    while (removeInternalSegmentCycle(segments)) {
    }
    standardize();
}

bool Polygon::removeInternalSegmentCycle(std::vector<Segment>& prependRemovedCycleTo) {
    const std::size_t m = points.size();
    if (m < 2) return false;
    // firstInstance: the smallest corner index that recurs later; cycleEnd:
    // its next occurrence. Small lists are scanned directly, larger ones
    // through a table of each position's first occurrence.
    std::size_t firstInstance = m;
    std::size_t cycleEnd = m;
    if (m <= 32) {
        for (std::size_t i = 0; i + 1 < m && firstInstance == m; ++i) {
            for (std::size_t j = i + 1; j < m; ++j) {
                if (points[j] == points[i]) {
                    firstInstance = i;
                    cycleEnd = j;
                    break;
                }
            }
        }
    } else {
        PointPositionTable firstOccurrence(m);
        for (std::size_t j = 0; j < m; ++j) {
            std::int32_t& first = firstOccurrence.slot(pointKey(points[j]));
            if (first < 0) {
                first = static_cast<std::int32_t>(j);
            } else if (static_cast<std::size_t>(first) < firstInstance) {
                // The first repeat seen of a corner is its second occurrence.
                firstInstance = static_cast<std::size_t>(first);
                cycleEnd = j;
            }
        }
    }
    if (firstInstance == m) return false;

    std::vector<Segment> cycle;
    cycle.reserve(cycleEnd - firstInstance);
    for (std::size_t k = firstInstance + 1; k <= cycleEnd; ++k) cycle.emplace_back(points[k - 1], points[k]);
    prependRemovedCycleTo.insert(prependRemovedCycleTo.begin(), cycle.begin(), cycle.end());
    points.erase(points.begin() + static_cast<std::ptrdiff_t>(firstInstance),
                 points.begin() + static_cast<std::ptrdiff_t>(cycleEnd));
    updateBoundingRectangle();
    return true;
}

// Each pass walks the corners from the first, dropping the successor of the
// current corner while the corner after it lies on a common axis line; the
// current corner is then examined again with its new neighbours. Dropping the
// first corner (reached by wrapping around) ends the pass. Passes repeat until
// one drops nothing, and that pass's trapezoid sum gives area and orientation.
//
// The pass works in place: the corners already walked are points[0, kept), the
// ones not reached yet points[unread, size); the gap between holds dropped
// corners. This keeps a pass linear however many corners it drops.
void Polygon::standardize() {
    double localArea = 0.0;
    bool removedSomething = true;
    while (removedSomething) {
        removedSomething = false;
        localArea = 0.0;
        const std::size_t size = points.size();
        if (size == 0) break;
        std::size_t kept = 1;
        std::size_t unread = 1;
        bool removedFirst = false;
        for (;;) {
            const std::size_t listSize = kept + (size - unread);
            auto at = [&](std::size_t k) -> const Point& { return k < kept ? points[k] : points[unread + (k - kept)]; };
            const Point& point = points[kept - 1];
            const std::size_t plusOneIndex = kept % listSize;
            const Point& pointPlusOne = at(plusOneIndex);
            const Point& pointPlusTwo = at((kept + 1) % listSize);
            if (point.x != pointPlusOne.x && point.y != pointPlusOne.y) {
                throw InvalidPolygonException("Polygon", __LINE__,
                                              "the edge from " + point.toString() + " to " + pointPlusOne.toString() +
                                                  " is neither horizontal nor vertical");
            }
            if (sharesAnAxis(point, pointPlusTwo)) {
                // The corner between is dropped, so the test above never sees
                // its outgoing edge: test it here.
                if (!sharesAnAxis(pointPlusOne, pointPlusTwo)) {
                    throw InvalidPolygonException("Polygon", __LINE__,
                                                  "the edge from " + pointPlusOne.toString() + " to " +
                                                      pointPlusTwo.toString() + " is neither horizontal nor vertical");
                }
                removedSomething = true;
                if (plusOneIndex == 0) {
                    removedFirst = true;
                    break;
                }
                ++unread;
                continue;
            }
            const std::int64_t ySum = std::int64_t{point.y} + pointPlusOne.y;
            const std::int64_t xDifference = std::int64_t{pointPlusOne.x} - point.x;
            localArea += static_cast<double>(ySum) * 0.5 * static_cast<double>(xDifference);
            if (plusOneIndex == 0) break;  // back at the first corner: the walk is complete
            points[kept++] = points[unread++];
        }
        points.resize(kept);
        if (removedFirst) points.erase(points.begin());
    }
    area = static_cast<float>(std::fabs(localArea));
    if (localArea >= 0.0) {
        originallyDefinedInReverseOrder = true;
        std::reverse(points.begin(), points.end());
    }
    updateBoundingRectangle();
}

void Polygon::updateBoundingRectangle() {
    if (points.empty()) {
        boundingRectangle = Rectangle();
        return;
    }
    Coordinate left = points[0].x, right = points[0].x, bottom = points[0].y, top = points[0].y;
    for (const Point& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    boundingRectangle.setBottomLeft(left, bottom);
    boundingRectangle.setTopRight(right, top);
}

// --- Model -------------------------------------------------------------------

std::vector<Segment> Polygon::getEdges() const {
    std::vector<Segment> edges;
    const std::size_t count = points.size();
    edges.reserve(count);
    for (std::size_t i = 0; i < count; ++i) edges.emplace_back(points[i], points[i + 1 == count ? 0 : i + 1]);
    return edges;
}

Coordinate Polygon::shortestSegmentLength() const {
    Coordinate shortest = Point::infinity;
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i) {
        Segment edge;
        edge.endPoints[0] = points[i];
        edge.endPoints[1] = points[i + 1 == count ? 0 : i + 1];
        shortest = std::min(shortest, edge.length());
    }
    return shortest;
}

// Edge i of this polygon must equal edge (k + i) of the other, where k is the
// first edge of the other equal to this polygon's first edge; comparing
// corners i, i + 1 with corners k + i, k + i + 1 is the same test.
bool Polygon::operator==(const Polygon& polygon) const {
    const std::size_t count = points.size();
    if (count != polygon.points.size() || count == 0) return false;
    const std::vector<Point>& other = polygon.points;
    auto next = [count](std::size_t i) { return i + 1 == count ? 0 : i + 1; };
    std::size_t otherEdgeIndex = count;
    for (std::size_t k = 0; k < count; ++k) {
        if (other[k] == points[0] && other[next(k)] == points[next(0)]) {
            otherEdgeIndex = k;
            break;
        }
    }
    if (otherEdgeIndex == count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (other[otherEdgeIndex] != points[i] || other[next(otherEdgeIndex)] != points[next(i)]) return false;
        otherEdgeIndex = next(otherEdgeIndex);
    }
    return true;
}

bool Polygon::isCongruant(const Polygon& otherPolygon) const {
    if (numberOfPoints() != otherPolygon.numberOfPoints()) return false;
    int rotations = 4;
    if (numberOfPoints() == 4 && otherPolygon.numberOfPoints() == 4) {
        const Rectangle bounds = getBoundingRectangle();
        const bool square = wrappingSubtract(bounds.getTopRight().x, bounds.getBottomLeft().x) ==
                            wrappingSubtract(bounds.getTopRight().y, bounds.getBottomLeft().y);
        rotations = square ? 1 : 2;
    }
    Polygon copyOfThis = *this;
    copyOfThis.slideToOrigin();
    Polygon copyOfThat = otherPolygon;
    for (int rotation = 0; rotation < rotations; ++rotation) {
        if (rotation > 0) copyOfThat.rotateAboutOrigin(1);
        copyOfThat.slideToOrigin();
        if (copyOfThis == copyOfThat) return true;
    }
    return false;
}

std::string Polygon::toString() const {
    std::string text;
    text.reserve(points.size() * 12);
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) text += ' ';
        text += points[i].toString();
    }
    return text;
}

std::ostream& operator<<(std::ostream& os, const Polygon& p) { return os << p.toString(); }

// --- Transforms ----------------------------------------------------------------

void Polygon::translate(const Point& offset) {
    for (Point& p : points) p.translate(offset);
    // Unless a corner wrapped round, the box moves with the corners.
    const Point& low = boundingRectangle.getBottomLeft();
    const Point& high = boundingRectangle.getTopRight();
    const auto staysInRange = [](std::int64_t from, std::int64_t to, Coordinate by) {
        const std::int64_t limitLow = std::numeric_limits<Coordinate>::min();
        const std::int64_t limitHigh = std::numeric_limits<Coordinate>::max();
        return from + by >= limitLow && to + by <= limitHigh;
    };
    if (!points.empty() && staysInRange(low.x, high.x, offset.x) && staysInRange(low.y, high.y, offset.y)) {
        boundingRectangle.setBottomLeft(low.x + offset.x, low.y + offset.y);
        boundingRectangle.setTopRight(high.x + offset.x, high.y + offset.y);
    } else {
        updateBoundingRectangle();
    }
}

void Polygon::rotateAboutOrigin(int ninetyDegreeMultiplier) {
    const std::int64_t m = ninetyDegreeMultiplier;
    const int quarterTurns = static_cast<int>(m >= 0 ? m % 4 : 4 - (-m) % 4);
    if (quarterTurns == 0 || quarterTurns == 4) return;
    quarterTurnsApplied = (quarterTurnsApplied + quarterTurns) % 4;
    for (Point& p : points) {
        const Point original = p;
        switch (quarterTurns) {
            case 1:
                p = Point(negated(original.y), original.x);
                break;
            case 2:
                p = Point(negated(original.x), negated(original.y));
                break;
            default:
                p = Point(original.y, negated(original.x));
                break;
        }
    }
    updateBoundingRectangle();
}

void Polygon::slideToOrigin() {
    if (points.empty()) return;
    const Point& bottomLeft = boundingRectangle.getBottomLeft();
    translate(Point(negated(bottomLeft.x), negated(bottomLeft.y)));
}

// The product is formed in float, as a float factor times a coordinate is.
void Polygon::scale(float factor) {
    for (Point& p : points) {
        p.x = truncateToCoordinate(static_cast<float>(p.x) * factor);
        p.y = truncateToCoordinate(static_cast<float>(p.y) * factor);
    }
    updateBoundingRectangle();
}

void Polygon::positionAtOuterCornerOf(const Polygon& otherPolygon) {
    translate(otherPolygon.getBoundingRectangle().getTopRight() - boundingRectangle.getBottomLeft());
}

}  // namespace Zelkor::Rectilinear

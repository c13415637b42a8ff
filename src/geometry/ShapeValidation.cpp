#include "geometry/ShapeValidation.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "geometry/InvalidPolygonException.h"

namespace Zelkor::Rectilinear::Math {

namespace {

// An axis-parallel edge: the line it lies on (y of a horizontal edge, x of a
// vertical one) and the stretch it covers along that line.
struct Span {
    Coordinate line;
    Coordinate low;
    Coordinate high;
};

bool spanOrder(const Span& a, const Span& b) {
    return a.line != b.line ? a.line < b.line : a.low < b.low;
}

std::string text(Coordinate x, Coordinate y) { return Point(x, y).toString(); }

// Edges of one direction that share a positive length: on each line, taken
// in order of their lower ends, every edge must start where the edges before
// it end at the furthest.
std::optional<std::string> findOverlap(std::vector<Span>& spans, bool horizontal) {
    std::sort(spans.begin(), spans.end(), spanOrder);
    Coordinate reach = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const Span& span = spans[i];
        if (i == 0 || span.line != spans[i - 1].line) {
            reach = span.high;
            continue;
        }
        if (span.low < reach) {
            const Coordinate end = std::min(reach, span.high);
            return horizontal ? "runs over itself from " + text(span.low, span.line) + " to " + text(end, span.line)
                              : "runs over itself from " + text(span.line, span.low) + " to " + text(span.line, end);
        }
        reach = std::max(reach, span.high);
    }
    return std::nullopt;
}

// A point where a horizontal and a vertical edge meet other than at an end of
// both. Sweeps from left to right over the vertical edges, keeping the
// horizontal edges that span the sweep position ordered by height. With no
// overlaps, at most two horizontal edges end at any corner, so each vertical
// edge looks at a few edges besides the first offending one.
std::optional<Point> findCrossing(const std::vector<Span>& horizontals, const std::vector<Span>& verticals) {
    enum Kind { enter, meet, leave };  // at one x: edges enter, verticals meet them, edges leave
    struct Event {
        Coordinate x;
        Kind kind;
        std::size_t index;
    };
    std::vector<Event> events;
    events.reserve(2 * horizontals.size() + verticals.size());
    for (std::size_t i = 0; i < horizontals.size(); ++i) {
        events.push_back({horizontals[i].low, enter, i});
        events.push_back({horizontals[i].high, leave, i});
    }
    for (std::size_t i = 0; i < verticals.size(); ++i) events.push_back({verticals[i].line, meet, i});
    std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.x != b.x ? a.x < b.x : a.kind < b.kind;
    });

    std::set<std::pair<Coordinate, std::size_t>> active;  // (y, horizontal edge)
    for (const Event& event : events) {
        if (event.kind == enter) {
            active.emplace(horizontals[event.index].line, event.index);
        } else if (event.kind == leave) {
            active.erase({horizontals[event.index].line, event.index});
        } else {
            const Span& vertical = verticals[event.index];
            for (auto it = active.lower_bound({vertical.low, 0}); it != active.end() && it->first <= vertical.high;
                 ++it) {
                const Span& horizontal = horizontals[it->second];
                const bool endOfHorizontal = vertical.line == horizontal.low || vertical.line == horizontal.high;
                const bool endOfVertical = it->first == vertical.low || it->first == vertical.high;
                if (!endOfHorizontal || !endOfVertical) return Point(vertical.line, it->first);
            }
        }
    }
    return std::nullopt;
}

// What is wrong with one outline, as a phrase that follows its subject.
std::optional<std::string> outlineProblem(const Polygon& polygon) {
    const std::vector<Point>& points = polygon.getPoints();
    if (points.empty()) return std::nullopt;
    std::vector<Span> horizontals;
    std::vector<Span> verticals;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[i + 1 == points.size() ? 0 : i + 1];
        if (a == b) continue;  // a repeated corner bounds nothing
        if (a.y == b.y) {
            horizontals.push_back({a.y, std::min(a.x, b.x), std::max(a.x, b.x)});
        } else if (a.x == b.x) {
            verticals.push_back({a.x, std::min(a.y, b.y), std::max(a.y, b.y)});
        } else {
            return "has an edge from " + a.toString() + " to " + b.toString() +
                   " that is neither horizontal nor vertical";
        }
    }
    if (horizontals.empty() && verticals.empty()) return "encloses no area";
    if (auto overlap = findOverlap(horizontals, true)) return overlap;
    if (auto overlap = findOverlap(verticals, false)) return overlap;
    if (const std::optional<Point> crossing = findCrossing(horizontals, verticals)) {
        return "crosses itself at " + crossing->toString();
    }
    return std::nullopt;
}

// Range additions over the elementary intervals between sorted heights, with
// the largest and smallest value of all intervals at hand and a way to find an
// interval holding the largest.
class CoverageTree {
public:
    explicit CoverageTree(std::size_t intervals)
        : size(std::max<std::size_t>(intervals, 1)), largest(4 * size, 0), smallest(4 * size, 0), added(4 * size, 0) {}

    // Adds value to the intervals [first, last).
    void add(std::size_t first, std::size_t last, int value) { add(1, 0, size, first, last, value); }
    int maximum() const { return largest[1]; }
    int minimum() const { return smallest[1]; }

    // An interval whose value is the maximum.
    std::size_t intervalOfMaximum() const {
        std::size_t node = 1, low = 0, high = size;
        int above = 0;  // what the ancestors add to the subtree of `node`
        while (high - low > 1) {
            above += added[node];
            const std::size_t middle = (low + high) / 2;
            if (largest[2 * node] + above == largest[1]) {
                node = 2 * node;
                high = middle;
            } else {
                node = 2 * node + 1;
                low = middle;
            }
        }
        return low;
    }

private:
    void add(std::size_t node, std::size_t low, std::size_t high, std::size_t first, std::size_t last, int value) {
        if (last <= low || high <= first) return;
        if (first <= low && high <= last) {
            largest[node] += value;
            smallest[node] += value;
            added[node] += value;
            return;
        }
        const std::size_t middle = (low + high) / 2;
        add(2 * node, low, middle, first, last, value);
        add(2 * node + 1, middle, high, first, last, value);
        largest[node] = added[node] + std::max(largest[2 * node], largest[2 * node + 1]);
        smallest[node] = added[node] + std::min(smallest[2 * node], smallest[2 * node + 1]);
    }

    std::size_t size;
    std::vector<int> largest;
    std::vector<int> smallest;
    std::vector<int> added;
};

// Whether a point with doubled coordinates, both odd, lies inside a simple
// outline: it lies on no edge, so counting the vertical edges to its right
// decides.
bool insideOutline(const Polygon& outline, std::int64_t doubledX, std::int64_t doubledY) {
    const std::vector<Point>& points = outline.getPoints();
    bool inside = false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[i + 1 == points.size() ? 0 : i + 1];
        if (a.x != b.x || 2 * std::int64_t{a.x} < doubledX) continue;
        const std::int64_t low = 2 * std::int64_t{std::min(a.y, b.y)};
        const std::int64_t high = 2 * std::int64_t{std::max(a.y, b.y)};
        if (low < doubledY && doubledY < high) inside = !inside;
    }
    return inside;
}

std::string holeName(std::size_t index) { return "hole " + std::to_string(index + 1); }

// How the holes sit in the base, once every outline is known to be fine.
// Sweeps from left to right over the vertical edges of all outlines, keeping
// for each height interval the number of holes covering it less the number of
// times the base does (once or not at all). Above zero somewhere, a hole is
// outside the base or two holes overlap; never below zero, nothing of the
// base is left.
std::optional<std::string> holePlacementProblem(const HoledPolygon& holedPolygon) {
    struct Wall {
        Coordinate x;
        Coordinate low;
        Coordinate high;
        int change;  // crossing the wall to the right
    };
    std::vector<Wall> walls;
    std::vector<Coordinate> heights;
    // Every outline runs counterclockwise: crossing a downward edge to the
    // right enters it.
    auto addWalls = [&](const Polygon& outline, int weight) {
        const std::vector<Point>& points = outline.getPoints();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point& a = points[i];
            const Point& b = points[i + 1 == points.size() ? 0 : i + 1];
            if (a.x != b.x || a.y == b.y) continue;
            walls.push_back({a.x, std::min(a.y, b.y), std::max(a.y, b.y), a.y > b.y ? weight : -weight});
            heights.push_back(a.y);
            heights.push_back(b.y);
        }
    };
    const std::vector<Polygon>& holes = holedPolygon.getHoles();
    addWalls(holedPolygon.getBasePolygon(), -1);
    for (const Polygon& hole : holes) addWalls(hole, 1);
    std::sort(walls.begin(), walls.end(), [](const Wall& a, const Wall& b) { return a.x < b.x; });
    std::sort(heights.begin(), heights.end());
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
    auto heightIndex = [&](Coordinate y) {
        return static_cast<std::size_t>(std::lower_bound(heights.begin(), heights.end(), y) - heights.begin());
    };

    if (heights.size() < 2) return std::nullopt;
    CoverageTree coverage(heights.size() - 1);
    bool materialLeft = false;
    for (std::size_t i = 0; i < walls.size();) {
        const Coordinate x = walls[i].x;
        for (; i < walls.size() && walls[i].x == x; ++i) {
            coverage.add(heightIndex(walls[i].low), heightIndex(walls[i].high), walls[i].change);
        }
        materialLeft = materialLeft || coverage.minimum() < 0;
        if (coverage.maximum() <= 0) continue;

        // A point just right of x, in the middle of an interval too covered.
        const std::int64_t doubledX = 2 * std::int64_t{x} + 1;
        const std::int64_t doubledY = 2 * std::int64_t{heights[coverage.intervalOfMaximum()]} + 1;
        std::vector<std::size_t> holesThere;
        for (std::size_t h = 0; h < holes.size(); ++h) {
            if (insideOutline(holes[h], doubledX, doubledY)) holesThere.push_back(h);
        }
        if (holesThere.size() >= 2) return "holes " + std::to_string(holesThere[0] + 1) + " and " +
                                           std::to_string(holesThere[1] + 1) + " overlap";
        if (holesThere.size() == 1) return holeName(holesThere[0]) + " is not inside the base";
        return std::string("the holes do not lie apart inside the base");
    }
    if (materialLeft) return std::nullopt;
    const auto filled = std::count_if(holes.begin(), holes.end(), [](const Polygon& h) { return !h.isEmpty(); });
    if (filled != 1) return std::string("the holes cover the whole base");
    const auto hole = std::find_if(holes.begin(), holes.end(), [](const Polygon& h) { return !h.isEmpty(); });
    return holeName(static_cast<std::size_t>(hole - holes.begin())) + " covers the whole base";
}

bool isBlank(const std::string& text, std::size_t begin, std::size_t end) {
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(begin),
                       text.begin() + static_cast<std::ptrdiff_t>(end),
                       [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
}

[[noreturn]] void refuse(const std::string& reason, int lineNumber) {
    throw InvalidPolygonException("ShapeValidation", lineNumber, reason);
}

}  // namespace

std::optional<std::string> whatIsWrongWith(const Polygon& polygon) {
    if (auto problem = outlineProblem(polygon)) return "the outline " + *problem;
    return std::nullopt;
}

std::optional<std::string> whatIsWrongWith(const HoledPolygon& holedPolygon) {
    const std::vector<Polygon>& holes = holedPolygon.getHoles();
    if (holedPolygon.getBasePolygon().isEmpty()) {
        const bool anyHole = std::any_of(holes.begin(), holes.end(), [](const Polygon& h) { return !h.isEmpty(); });
        if (anyHole) return std::string("holes without a base");
        return std::nullopt;
    }
    if (auto problem = outlineProblem(holedPolygon.getBasePolygon())) return "the base " + *problem;
    for (std::size_t h = 0; h < holes.size(); ++h) {
        if (auto problem = outlineProblem(holes[h])) return holeName(h) + " " + *problem;
    }
    return holePlacementProblem(holedPolygon);
}

void requireValid(const Polygon& polygon) {
    if (auto problem = whatIsWrongWith(polygon)) refuse(*problem, __LINE__);
}

void requireValid(const HoledPolygon& holedPolygon) {
    if (auto problem = whatIsWrongWith(holedPolygon)) refuse(*problem, __LINE__);
}

Polygon readValidPolygon(const std::string& polygonText, std::string name) {
    Polygon polygon(polygonText, std::move(name));
    if (polygon.isEmpty() && !isBlank(polygonText, 0, polygonText.size())) {
        refuse("the outline encloses no area", __LINE__);
    }
    requireValid(polygon);
    return polygon;
}

// The pieces between "|" are walked as the text constructor walks them, so
// that a piece with corners which came out empty is found.
HoledPolygon readValidHoledPolygon(const std::string& holedPolygonText) {
    HoledPolygon holedPolygon(holedPolygonText);
    const std::vector<Polygon>& holes = holedPolygon.getHoles();
    std::size_t position = 0;
    for (std::size_t piece = 0; position < holedPolygonText.size(); ++piece) {
        const std::size_t pipe = holedPolygonText.find('|', position);
        const std::size_t end = pipe == std::string::npos ? holedPolygonText.size() : pipe;
        const bool empty = piece == 0 ? holedPolygon.getBasePolygon().isEmpty()
                                      : piece > holes.size() || holes[piece - 1].isEmpty();
        if (empty && !isBlank(holedPolygonText, position, end)) {
            refuse((piece == 0 ? std::string("the base") : holeName(piece - 1)) + " encloses no area", __LINE__);
        }
        position = end == holedPolygonText.size() ? end : end + 1;
    }
    requireValid(holedPolygon);
    return holedPolygon;
}

}  // namespace Zelkor::Rectilinear::Math

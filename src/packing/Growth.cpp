#include "packing/Growth.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "geometry/ExactArea.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/ShapeValidation.h"

namespace Zelkor::Rectilinear::Math {

namespace {

Polygon box(Coordinate left, Coordinate bottom, Coordinate right, Coordinate top) {
    return Polygon({Point(left, bottom), Point(right, bottom), Point(right, top), Point(left, top)}, "");
}

// The host's region grown by e, less the gaps that growing closes up (slots
// and notches narrower than the blade): a part grown by e that lies in this
// region lies on material once shrunk back, since shrinking the region by e
// gives back the host and nothing of a gap.
HoledPolygonSet grownKeepingGaps(const Polygon& host, int expansionFactor) {
    const HoledPolygon region(host);
    HoledPolygonSet grown = region.getPolygonExpanded(expansionFactor);
    const HoledPolygonSet gaps = grown.getAllPolygonsContracted(expansionFactor).booleanSubtract(region);
    for (const HoledPolygon& gap : gaps.getAllPolygons()) grown = grown.booleanSubtract(gap);
    return grown;
}

// Strips one unit wide that run from a corner cell inside `hole` straight
// out past `bounds`, in the four directions from every corner.
std::vector<Polygon> stripsOutOf(const Polygon& hole, const Rectangle& bounds) {
    const Coordinate left = bounds.getBottomLeft().x - 1, bottom = bounds.getBottomLeft().y - 1;
    const Coordinate right = bounds.getTopRight().x + 1, top = bounds.getTopRight().y + 1;
    std::vector<Polygon> strips;
    for (const Point& c : hole.getPoints()) {
        for (const int dx : {-1, 1}) {
            for (const int dy : {-1, 1}) {
                const Coordinate x0 = std::min(c.x, c.x + dx), y0 = std::min(c.y, c.y + dy);
                if (!hole.contains(box(x0, y0, x0 + 1, y0 + 1))) continue;
                strips.push_back(box(x0, y0, x0 + 1, top));
                strips.push_back(box(x0, bottom, x0 + 1, y0 + 1));
                strips.push_back(box(x0, y0, right, y0 + 1));
                strips.push_back(box(left, y0, x0 + 1, y0 + 1));
            }
        }
    }
    return strips;
}

// The single piece with its first hole opened to the outside by the strip
// that takes the least material of the host, or nothing when every strip
// splits the piece or leaves the hole closed.
std::optional<HoledPolygon> withFirstHoleOpened(const HoledPolygon& piece, const Polygon& host) {
    std::optional<HoledPolygon> best;
    __int128 leastLost = std::numeric_limits<std::int64_t>::max();
    const Rectangle bounds = piece.getBasePolygon().getBoundingRectangle();
    for (const Polygon& strip : stripsOutOf(piece.getHoles().front(), bounds)) {
        const __int128 lost = twiceArea(strip) - twiceArea(strip.booleanSubtract(host));
        if (best && lost >= leastLost) continue;
        const HoledPolygonSet opened = HoledPolygonSet(std::vector<HoledPolygon>{piece}).booleanSubtract(
            HoledPolygon(strip));
        if (opened.size() != 1 || opened.getPolygon(0).getHoles().size() >= piece.getHoles().size()) continue;
        best = opened.getPolygon(0);
        leastLost = lost;
    }
    return best;
}

// The host grown as its region does, as one outline: gaps narrower than the
// blade kept open, enclosed ones opened to the outside by a one-unit strip.
GrownHost grownAsRegion(const Polygon& host, int expansionFactor) {
    const HoledPolygonSet grown = grownKeepingGaps(host, expansionFactor);
    if (grown.size() != 1) {
        return {std::nullopt, "grown by half the blade, it falls apart into " + std::to_string(grown.size()) +
                                  " pieces"};
    }
    HoledPolygon piece = grown.getPolygon(0);
    while (!piece.getHoles().empty()) {
        std::optional<HoledPolygon> opened = withFirstHoleOpened(piece, host);
        if (!opened) return {std::nullopt, "grown by half the blade, it encloses a gap that cannot be opened"};
        piece = std::move(*opened);
    }
    Polygon outline = piece.getBasePolygon();
    if (const std::optional<std::string> problem = whatIsWrongWith(outline)) {
        return {std::nullopt, "grown by half the blade, its outline is not valid: " + *problem};
    }
    outline.setName(host.getName());
    outline.setId(host.getId());
    return {std::move(outline), ""};
}

}  // namespace

Polygon grownPart(const Polygon& part, int expansionFactor) {
    Polygon grown = part;
    if (expansionFactor <= 0 || part.canExpandBy(expansionFactor)) {
        grown.unvalidatedExpand(expansionFactor);
        return grown;
    }
    const HoledPolygonSet region = HoledPolygon(part).getPolygonExpanded(expansionFactor);
    if (region.size() != 1) {
        grown.unvalidatedExpand(expansionFactor);
        return grown;
    }
    grown = region.getPolygon(0).getBasePolygon();
    grown.setName(part.getName());
    grown.setId(part.getId());
    grown.takeGrainFrom(part);
    return grown;
}

GrownHost grownHost(const Polygon& host, int expansionFactor) {
    if (expansionFactor <= 0 || !host.canExpandBy(expansionFactor)) {
        // Any valid outline serves, one touching itself included.
        if (const std::optional<std::string> problem = whatIsWrongWith(host)) {
            return {std::nullopt, "its outline is not valid: " + *problem};
        }
        return expansionFactor <= 0 ? GrownHost{host, ""} : grownAsRegion(host, expansionFactor);
    }
    Polygon grown = host;
    grown.unvalidatedExpand(expansionFactor);
    return {std::move(grown), ""};
}

}  // namespace Zelkor::Rectilinear::Math

#include "geometry/HoleAssignment.h"

#include <utility>

namespace Zelkor::Rectilinear::Math {

std::vector<HoledPolygon> assignHolesToInnermostOutlines(const std::vector<Polygon>& outlines,
                                                         const std::vector<Polygon>& holes) {
    return assignHolesToInnermostOutlines(
        outlines, std::vector<Polygon>(holes),
        [&outlines](std::size_t outline, const Polygon& hole) { return outlines[outline].contains(hole); });
}

std::vector<HoledPolygon> assignHolesToInnermostOutlines(const std::vector<Polygon>& outlines,
                                                         std::vector<Polygon>&& holes,
                                                         const OutlineContainsHole& outlineContains) {
    std::vector<std::vector<Polygon>> holesOfOutline(outlines.size());
    for (Polygon& hole : holes) {
        std::size_t owner = outlines.size();
        for (std::size_t o = 0; o < outlines.size(); ++o) {
            if (owner < outlines.size() && outlines[owner].getArea() <= outlines[o].getArea()) continue;
            if (outlineContains(o, hole)) owner = o;
        }
        if (owner < outlines.size()) holesOfOutline[owner].push_back(std::move(hole));
    }
    std::vector<HoledPolygon> result;
    result.reserve(outlines.size());
    for (std::size_t o = 0; o < outlines.size(); ++o) result.emplace_back(outlines[o], holesOfOutline[o]);
    return result;
}

}  // namespace Zelkor::Rectilinear::Math

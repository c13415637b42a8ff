#include "geometry/HoleAssignment.h"

namespace Zelkor::Rectilinear::Math {

std::vector<HoledPolygon> assignHolesToInnermostOutlines(const std::vector<Polygon>& outlines,
                                                         const std::vector<Polygon>& holes) {
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::vector<std::size_t> owner(holes.size(), none);
    for (std::size_t h = 0; h < holes.size(); ++h) {
        for (std::size_t o = 0; o < outlines.size(); ++o) {
            if (owner[h] != none && outlines[owner[h]].getArea() <= outlines[o].getArea()) continue;
            if (outlines[o].contains(holes[h])) owner[h] = o;
        }
    }
    std::vector<HoledPolygon> result;
    result.reserve(outlines.size());
    std::vector<Polygon> holesOfOutline;
    for (std::size_t o = 0; o < outlines.size(); ++o) {
        holesOfOutline.clear();
        for (std::size_t h = 0; h < holes.size(); ++h) {
            if (owner[h] == o) holesOfOutline.push_back(holes[h]);
        }
        result.emplace_back(outlines[o], holesOfOutline);
    }
    return result;
}

}  // namespace Zelkor::Rectilinear::Math

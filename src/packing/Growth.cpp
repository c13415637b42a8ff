#include "packing/Growth.h"

#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"

namespace Zelkor::Rectilinear::Math {

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
    return grown;
}

GrownHost grownHost(const Polygon& host, int expansionFactor) {
    if (!host.canExpandBy(expansionFactor)) return {std::nullopt, "it cannot grow by half the blade as one outline"};
    Polygon grown = host;
    grown.unvalidatedExpand(expansionFactor);
    return {std::move(grown), ""};
}

}  // namespace Zelkor::Rectilinear::Math

#include "reference/LiteralOutfall.h"

#include "cutting/CutLines.h"
#include "geometry/HoledPolygon.h"
#include "reference/LiteralBooleanOperations.h"

namespace Zelkor::Rectilinear::Reference {

HoledPolygonSet getOutfallFrom(const Polygon& hostPolygon, const PolygonSet& polygonSet, int bladeWidth) {
    HoledPolygonSet subtractionSet(polygonSet);
    for (Segment cut : Math::getCutLines(hostPolygon, polygonSet.getAllPolygons(), bladeWidth)) {
        // Half the blade width (rounded down) past each end.
        cut.expand(2 * (bladeWidth / 2));
        subtractionSet.add(HoledPolygon(Math::createRectangularPolygonFromSegment(cut, bladeWidth)));
    }
    subtractionSet = subtractionSet.booleanAddAll();
    return subtractEachInTurn(HoledPolygon(hostPolygon), subtractionSet);
}

}  // namespace Zelkor::Rectilinear::Reference

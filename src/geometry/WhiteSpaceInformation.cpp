#include "geometry/WhiteSpaceInformation.h"

#include "geometry/HoledPolygon.h"

namespace Zelkor::Rectilinear {

WhiteSpaceInformation::WhiteSpaceInformation(const HoledPolygonSet& outfall, int expansionFactor) {
    addOutfall(outfall, expansionFactor);
    set = true;
}

void WhiteSpaceInformation::addOutfall(const HoledPolygonSet& outfall, int expansionFactor) {
    piecesOfOutfall += outfall.size();
    int largestOutfallIndex = -1;
    for (int i = 0; i < outfall.size(); ++i) {
        const HoledPolygon& piece = outfall.getPolygon(i);
        const float pieceArea = piece.getArea();
        if (pieceArea > areaOfLargestOutfall) {
            areaOfLargestOutfall = pieceArea;
            numberOfSidesOfOutfall = piece.getNumberOfEdges();
            largestOutfallIndex = i;
        }
    }
    if (largestOutfallIndex != -1) {
        HoledPolygon expandedPiece = outfall.getPolygon(largestOutfallIndex);
        expandedPiece.unvalidatedExpand(expansionFactor);
        expandedAreaOfLargestOutfall = expandedPiece.getArea();
    }
}

void WhiteSpaceInformation::addOutfall(const WhiteSpaceInformation& pieces) {
    piecesOfOutfall += pieces.piecesOfOutfall;
    if (pieces.areaOfLargestOutfall > areaOfLargestOutfall) {
        areaOfLargestOutfall = pieces.areaOfLargestOutfall;
        numberOfSidesOfOutfall = pieces.numberOfSidesOfOutfall;
        expandedAreaOfLargestOutfall = pieces.expandedAreaOfLargestOutfall;
    }
}

bool WhiteSpaceInformation::isBetter(WhiteSpaceInformation otherScore) const {
    if (!otherScore.set) return set;
    if (areaOfLargestOutfall != otherScore.areaOfLargestOutfall) {
        return areaOfLargestOutfall > otherScore.areaOfLargestOutfall;
    }
    if (numberOfSidesOfOutfall != otherScore.numberOfSidesOfOutfall) {
        return numberOfSidesOfOutfall < otherScore.numberOfSidesOfOutfall;
    }
    return piecesOfOutfall < otherScore.piecesOfOutfall;
}

}  // namespace Zelkor::Rectilinear

#pragma once

#include "geometry/HoledPolygonSet.h"

namespace Zelkor::Rectilinear {

// The score of a placement, judged by the outfall it leaves: the larger the
// largest usable piece, the better; then fewer sides; then fewer pieces.
// A default object is unset and loses against every set one.
class WhiteSpaceInformation {
public:
    WhiteSpaceInformation() = default;
    // Counts `outfall` (already contracted by expansionFactor) and marks the score set.
    WhiteSpaceInformation(const HoledPolygonSet& outfall, int expansionFactor);
    // A set score whose outfall was counted elsewhere.
    WhiteSpaceInformation(int pieces, float largestArea, int largestSides, float expandedLargestArea)
        : piecesOfOutfall(pieces),
          areaOfLargestOutfall(largestArea),
          expandedAreaOfLargestOutfall(expandedLargestArea),
          numberOfSidesOfOutfall(largestSides),
          set(true) {}

    // Adds the pieces of `outfall`; the largest piece so far is replaced only
    // by a strictly larger one, so the earlier of equal pieces stays recorded.
    void addOutfall(const HoledPolygonSet& outfall, int expansionFactor);
    // Adds pieces counted elsewhere, given by their own score: their number,
    // and their largest piece where it is strictly larger than the largest so far.
    void addOutfall(const WhiteSpaceInformation& pieces);
    // True when this score beats `otherScore`; equal scores never beat each other.
    bool isBetter(WhiteSpaceInformation otherScore) const;

    bool isSet() const { return set; }
    int getPiecesOfOutfall() const { return piecesOfOutfall; }
    float getAreaOfLargestOutfall() const { return areaOfLargestOutfall; }
    int getNumberOfSidesOfOutfall() const { return numberOfSidesOfOutfall; }

private:
    int piecesOfOutfall = 0;
    float areaOfLargestOutfall = 0.0f;
    // The largest piece grown back by the expansion factor; kept for
    // inspection, it takes no part in comparisons.
    float expandedAreaOfLargestOutfall = 0.0f;
    int numberOfSidesOfOutfall = 0;
    bool set = false;
};

}  // namespace Zelkor::Rectilinear

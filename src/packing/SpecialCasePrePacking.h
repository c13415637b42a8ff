#pragma once

#include <vector>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "packing/HostAssignment.h"
#include "packing/PairingSearch.h"
#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear::Math {

// A congruency class holding at least this share of the total part area is
// packed among itself first.
constexpr double dominantAreaPercentage = 0.75;
// Parts of at most this share of the average part area are held back as fillers.
constexpr double subordinateAreaPercentage = 0.2;

// Standard-sheet mode only: pre-forms groups for a dominant kind of part and
// holds small parts back as fillers, so that the pool handed to the host loop
// holds the small singles, then the groups formed here, then the rest. Equal
// rectangles are tiled in closed form. Nothing here changes the caller's
// counts (they are taken by value).
void prePackPolygonsForSpecialCases(std::vector<PolygonSet>& polygonSets, std::vector<int> congruentPolygonIds,
                                    CongruencyCounts congruentPolygonCopyCounts, Polygon defaultHost,
                                    int expansionFactor, int totalNumberOfShapesBeingPacked,
                                    ReportReceiver* reportReceiver,
                                    GreedyPairingSearch pairingSearch = &greedyPackToCreateMaxAreaSet,
                                    WorkerPool* workers = nullptr);

// Moves the sets of the dominant congruency class, if there is one.
void separateDominantPolygons(std::vector<PolygonSet>& polygonSets, std::vector<PolygonSet>& dominantPolygonSets,
                              const std::vector<int>& congruentPolygonIds,
                              const CongruencyCounts& congruentPolygonCopyCounts);
// Moves the sets of at most a fifth of the average area.
void separateSubordinatePolygons(std::vector<PolygonSet>& polygonSets,
                                 std::vector<PolygonSet>& subordinatePolygonSets,
                                 const std::vector<int>& congruentPolygonIds,
                                 const CongruencyCounts& congruentPolygonCopyCounts);
// Every set after the first holds one four-cornered polygon equal to the set before it.
bool vectorOfSetsContainsAllEqualRectangles(const std::vector<PolygonSet>& polygonSets);
// Chooses the best tiling of the sheet by equal rectangles in strips and forms
// one group per full sheet.
void packEqualRectangles(std::vector<PolygonSet>& polygonSets, Polygon defaultHost);
// Forms the tiled groups: n strips of the first kind and m of the second,
// across the sheet's width or along its length.
void createRectanglePackingsBasedOnCalculations(std::vector<PolygonSet>& polygonSets,
                                                int numberOfRectanglesWidthAligned,
                                                int numberOfRectanglesLengthAligned, bool hostWasFilledAcrossWidth,
                                                int rectangleLength, int rectangleWidth, int hostLength,
                                                int hostWidth);

}  // namespace Zelkor::Rectilinear::Math

#pragma once

#include <vector>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "packing/ComparablePacking.h"
#include "packing/PackingCache.h"
#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear::Reference {

// The greedy pairing search and its parts, as plainly as they can be written.
void greedyPackToCreateMaxAreaSet(std::vector<PolygonSet>& polygonSets, const Polygon& hostPolygon,
                                  int& contractionFactor, PackingCache& packingCache, int totalNumberOfShapesToPack,
                                  int numberOfShapesWaitingToBePackedLater, ReportReceiver* reportReceiver);
ComparablePacking determineBestRelativePosition(std::vector<PolygonSet>& polygonSets, int indexOne, int indexTwo,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                PackingCache* packingCache, ReportReceiver* reportReceiver);
ComparablePacking determineBestRelativePosition(const PolygonSet& baseSet, const PolygonSet& satelliteSet,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                ReportReceiver* reportReceiver);
int numberOfRotationsNecessaryToFindBestPairing(PolygonSet baseSet, PolygonSet satelliteSet);
bool greatestAreaSetIsReadyToRetire(int greatestAreaSetIndex, const PackingCache* packingCache,
                                    const std::vector<int>& congruentPolygonSetIds);
bool pairingRespectsMaxAreaSet(std::vector<PolygonSet>& polygonSets, const int& baseSetIndex,
                               const int& satelliteSetIndex, const int& greatestAreaSetIndex,
                               const Polygon& hostPolygon, int contractionFactor,
                               ComparablePacking* resultingBestPositionRelativeToLargestAreaSet,
                               PackingCache* packingCache);
bool isBetterThan(ComparablePacking& self, ComparablePacking& otherPacking, int contractionFactor,
                  std::vector<PolygonSet>* polygonSets, int baseSetIndex, int satelliteSetIndex,
                  int greatestAreaSetIndex, ComparablePacking* resultingBestPositionRelativeToLargestAreaSet,
                  PackingCache* cache);

}  // namespace Zelkor::Rectilinear::Reference

#pragma once

#include <vector>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "packing/ComparablePacking.h"
#include "packing/PackingCache.h"
#include "packing/ReportReceiver.h"
#include "packing/WorkerPool.h"

namespace Zelkor::Rectilinear::Math {

// Grows groups for one host by greedy pairwise merging: every pass evaluates
// the pairs of sets (one pair per pair of congruency classes), merges the best
// one, and stops when no pair can be merged or the largest set cannot grow any
// further. Progress goes to the receiver on every pair, a heartbeat (null) on
// every translation tried; whatever the receiver throws ends the search with
// the sets and the cache as they stood.
void greedyPackToCreateMaxAreaSet(std::vector<PolygonSet>& polygonSets, const Polygon& hostPolygon,
                                  int& contractionFactor, PackingCache& packingCache, int totalNumberOfShapesToPack,
                                  int numberOfShapesWaitingToBePackedLater, ReportReceiver* reportReceiver);

// A greedy pairing search with the signature above. The engine runs the one
// above; a benchmark may run it with a plain search of the same answers.
using GreedyPairingSearch = void (*)(std::vector<PolygonSet>&, const Polygon&, int&, PackingCache&, int, int,
                                     ReportReceiver*);

// The pairing of the sets at two positions of the list, from the cache when
// it has one; the set at the lower position is always the base.
ComparablePacking determineBestRelativePosition(std::vector<PolygonSet>& polygonSets, int indexOne, int indexTwo,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                PackingCache* packingCache, ReportReceiver* reportReceiver);

// The best way to lay the satellite beside the base so that the two do not
// overlap (touching is fine) and the pair fits the host: every relative
// rotation worth trying, every corner-to-corner translation. Invalid when
// none qualifies or the two together are larger than the host. With
// `workers` (the calling thread must not be running a batch of the pool),
// candidates are scored on all its threads, with the same answer.
ComparablePacking determineBestRelativePosition(const PolygonSet& baseSet, const PolygonSet& satelliteSet,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                ReportReceiver* reportReceiver, WorkerPool* workers = nullptr);

// The same search, answered from `memo` when it has met these shapes before
// (no heartbeats then) and remembered there otherwise; a null memo remembers nothing.
ComparablePacking determineBestRelativePosition(const PolygonSet& baseSet, const PolygonSet& satelliteSet,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                ReportReceiver* reportReceiver, PairingMemo* memo,
                                                WorkerPool* workers = nullptr);

// Two sets to pair, base first; neither owned.
struct SetPair {
    const PolygonSet* base;
    const PolygonSet* satellite;
};

// determineBestRelativePosition of every pair, on all the pool's threads at
// once (the calling thread must not be running a batch of the pool); answer
// k is that of pairs[k]. A failing search throws as a loop over the pairs in
// order would have.
std::vector<ComparablePacking> searchPairingsTogether(const std::vector<SetPair>& pairs, const Polygon& hostPolygon,
                                                      int contractionFactor, WorkerPool& workers,
                                                      ReportReceiver* reportReceiver);

// The last relative rotation worth trying: 0 when either set is symmetric
// under a quarter turn, 1 under a half turn (the base is asked first), else 3.
int numberOfRotationsNecessaryToFindBestPairing(PolygonSet baseSet, PolygonSet satelliteSet);

// True when every kind of set has been paired with the largest set and none
// of them can join it.
bool greatestAreaSetIsReadyToRetire(int greatestAreaSetIndex, const PackingCache* packingCache,
                                    const std::vector<int>& congruentPolygonSetIds);

// False when merging the two sets would leave the largest set unable to take
// the result; the pairing of the result with the largest set goes to the output.
bool pairingRespectsMaxAreaSet(std::vector<PolygonSet>& polygonSets, const int& baseSetIndex,
                               const int& satelliteSetIndex, const int& greatestAreaSetIndex,
                               const Polygon& hostPolygon, int contractionFactor,
                               ComparablePacking* resultingBestPositionRelativeToLargestAreaSet,
                               PackingCache* packingCache);

}  // namespace Zelkor::Rectilinear::Math

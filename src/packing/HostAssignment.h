#pragma once

#include <map>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "packing/IndexedValue.h"
#include "packing/PackingCache.h"
#include "packing/PairingSearch.h"
#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear::Math {

// Congruency id -> number of parts.
using CongruencyCounts = std::map<int, int>;

// The host-by-host loop: for the current host, grows groups with the pairing
// search, retires the largest group that fits, fills the reusable leftover of
// a shaped host before moving on, and retires identical copies of a group
// onto identical hosts that follow. Hosts are taken in `potentialHostOrder`,
// then copies of `defaultHost` without limit. Group k of `hostGroupings` lies
// inside host k of `hostShapesUsed`.
//
// A host that can take none of the remaining groups is passed over (a piece
// of leftover is dropped); only when the standard sheet takes none does the
// loop throw PackingException. `packingAlgorithmBeingUsed` is not consulted.
void packSetsIntoHostGroupings(int packingAlgorithmBeingUsed, std::vector<PolygonSet>& polygonSets,
                               const Polygon& defaultHost, int expansionFactor, int totalNumberOfShapesBeingPacked,
                               int numberOfShapesWaitingToBePackedLater, CongruencyCounts& congruentPolygonCopyCounts,
                               const std::vector<Polygon>& potentialHosts,
                               const std::vector<IndexedValue>& potentialHostIndicesSortedByArea,
                               ReportReceiver* reportReceiver, std::vector<Polygon>& hostShapesUsed,
                               std::vector<PolygonSet>& hostGroupings,
                               GreedyPairingSearch pairingSearch = &greedyPackToCreateMaxAreaSet,
                               WorkerPool* workers = nullptr);

// Places the set for good in a host of more than four corners and returns the
// hole-free pieces of what is left that can still take one of the remaining
// parts, smallest first. A rectangular host leaves the set alone and returns none.
std::vector<Polygon> getReusableOutfall(const Polygon& currentHost, PolygonSet& finalizedSet,
                                        const std::vector<PolygonSet>& remainingSets, int expansionFactor);

// Before a group is retired onto a fresh host, breaks up the smaller groups and
// adds their parts one by one while they still fit; then places the group,
// retires it, and retires identical copies built from congruent parts still in
// the pool, up to `numberOfDuplicateHostsAvailable` groups in all. Returns the
// number of groups retired.
int doubleCheckAndRetireAsManyCopiesAsPossible(PolygonSet& setAboutToRetire, std::vector<PolygonSet>& polygonSets,
                                               std::vector<PolygonSet>& retiredPolygonSets,
                                               const Polygon& hostPolygon, int contractionFactor, PackingCache& cache,
                                               CongruencyCounts* congruentPolygonCopyCounts,
                                               int numberOfDuplicateHostsAvailable, ReportReceiver* reportReceiver);

// A copy of the retiree made of congruent parts taken from the pool: the
// retiree's outlines and positions, the taken parts' names. Groups that give a
// part are dissolved, their other parts returning to the pool as singles.
PolygonSet extractDuplicateRetireeFromRemainingPolygons(std::vector<PolygonSet>& remainingPolygonSets,
                                                        const PolygonSet& retireeToDuplicate,
                                                        const CongruencyCounts& congruentPolygonCountsInRetiree,
                                                        PackingCache& cache);

// One single-polygon set per member, in member order.
std::vector<PolygonSet> explodePolygonSet(const PolygonSet& polygonSet);
// The number of members per congruency id.
CongruencyCounts getNumberOfCongruencyCopiesContained(const PolygonSet& setToInspect);
// Every required count is available (a missing id counts as none).
bool duplicateSetCanBeMadeFromCongruentCopies(const CongruencyCounts& congruentPolygonCountsRequired,
                                              const CongruencyCounts& congruentPolygonCopyCounts);
void decrementCongruentCopyCountsForSet(const CongruencyCounts& congruentPolygonCountsRequired,
                                        CongruencyCounts& congruentPolygonCopyCounts);

}  // namespace Zelkor::Rectilinear::Math

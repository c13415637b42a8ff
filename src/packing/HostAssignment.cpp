#include "packing/HostAssignment.h"

#include <algorithm>
#include <climits>
#include <string>

#include "geometry/HoledPolygonSet.h"
#include "packing/PackingException.h"
#include "packing/PackingHelpers.h"
#include "packing/PairingSearch.h"
#include "placement/HostSearch.h"

namespace Zelkor::Rectilinear::Math {

namespace {

// The largest set the host can hold, or -1.
int indexOfLargestSetThatFits(std::vector<PolygonSet>& polygonSets, const Polygon& hostPolygon) {
    const std::vector<IndexedValue> sorted = sortedIndicesByArea(polygonSets);
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it) {
        if (Math::canContain(hostPolygon, polygonSets[static_cast<std::size_t>(it->index)])) return it->index;
    }
    return -1;
}

void breakIntoSingles(std::vector<PolygonSet>& polygonSets) {
    const std::size_t numberOfGroups = polygonSets.size();
    for (std::size_t ii = 0; ii < numberOfGroups; ++ii) {
        const PolygonSet group = std::move(polygonSets.front());
        polygonSets.erase(polygonSets.begin());
        for (PolygonSet& single : explodePolygonSet(group)) polygonSets.push_back(std::move(single));
    }
}

void appendAsSingles(std::vector<PolygonSet>& polygonSets, const std::vector<Polygon>& polygons) {
    for (const Polygon& polygon : polygons) polygonSets.emplace_back(std::vector<Polygon>{polygon});
}

// Removes the groups at `indices` (any order) from the list and the cache.
void removeGroups(std::vector<PolygonSet>& polygonSets, std::vector<int> indices, PackingCache& cache) {
    std::sort(indices.begin(), indices.end());
    for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
        cache.deleteElement(*it);
        polygonSets.erase(polygonSets.begin() + *it);
    }
}

// Parts of each congruency id present in the pool.
CongruencyCounts countsInPool(const std::vector<PolygonSet>& polygonSets) {
    CongruencyCounts counts;
    for (const PolygonSet& group : polygonSets) {
        for (const Polygon& polygon : group.getAllPolygons()) ++counts[polygon.getId()];
    }
    return counts;
}

// Names the parts of the pool that the standard sheet cannot take even alone.
std::string whyNothingFits(const std::vector<PolygonSet>& polygonSets, const Polygon& sheet) {
    std::string tooLarge;
    int count = 0;
    for (const PolygonSet& group : polygonSets) {
        for (const Polygon& part : group.getAllPolygons()) {
            if (Math::canContain(sheet, part)) continue;
            if (++count > 10) continue;
            tooLarge += (count > 1 ? ", '" : "'") + part.getName() + "' (" + sizeText(part.getBoundingRectangle()) + ")";
        }
    }
    if (count > 10) tooLarge += " and " + std::to_string(count - 10) + " more";
    return "no part left fits the standard sheet (" + sizeText(sheet.getBoundingRectangle()) +
           "); too large: " + tooLarge + " (sizes with half the blade around every part and the sheet)";
}

}  // namespace

std::vector<PolygonSet> explodePolygonSet(const PolygonSet& polygonSet) {
    std::vector<PolygonSet> singles;
    singles.reserve(static_cast<std::size_t>(polygonSet.size()));
    appendAsSingles(singles, polygonSet.getAllPolygons());
    return singles;
}

CongruencyCounts getNumberOfCongruencyCopiesContained(const PolygonSet& setToInspect) {
    CongruencyCounts counts;
    for (const Polygon& polygon : setToInspect.getAllPolygons()) ++counts[polygon.getId()];
    return counts;
}

bool duplicateSetCanBeMadeFromCongruentCopies(const CongruencyCounts& congruentPolygonCountsRequired,
                                              const CongruencyCounts& congruentPolygonCopyCounts) {
    for (const auto& [id, required] : congruentPolygonCountsRequired) {
        const auto available = congruentPolygonCopyCounts.find(id);
        if ((available == congruentPolygonCopyCounts.end() ? 0 : available->second) < required) return false;
    }
    return true;
}

void decrementCongruentCopyCountsForSet(const CongruencyCounts& congruentPolygonCountsRequired,
                                        CongruencyCounts& congruentPolygonCopyCounts) {
    for (const auto& [id, required] : congruentPolygonCountsRequired) congruentPolygonCopyCounts[id] -= required;
}

std::vector<Polygon> getReusableOutfall(const Polygon& currentHost, PolygonSet& finalizedSet,
                                        const std::vector<PolygonSet>& remainingSets, int expansionFactor) {
    std::vector<Polygon> reusable;
    if (currentHost.numberOfPoints() <= 4) return reusable;
    Math::moveSetToBestPositionWithin(currentHost, finalizedSet, expansionFactor);
    const HoledPolygonSet outfall = currentHost.booleanSubtract(finalizedSet);

    std::vector<IndexedValue> piecesByArea;
    for (int ii = 0; ii < outfall.size(); ++ii) piecesByArea.emplace_back(ii, outfall.getPolygon(ii).getArea());
    std::stable_sort(piecesByArea.begin(), piecesByArea.end());

    for (const IndexedValue& piece : piecesByArea) {
        const HoledPolygon& holedPiece = outfall.getPolygon(piece.index);
        if (!holedPiece.getHoles().empty()) continue;
        const Polygon& newPotentialHost = holedPiece.getBasePolygon();
        std::vector<int> usedIds;
        bool usable = false;
        for (const PolygonSet& set : remainingSets) {
            for (const Polygon& polygon : set.getAllPolygons()) {
                if (std::find(usedIds.begin(), usedIds.end(), polygon.getId()) != usedIds.end()) continue;
                usedIds.push_back(polygon.getId());
                if (Math::canContain(newPotentialHost, polygon)) {
                    usable = true;
                    break;
                }
            }
            if (usable) break;
        }
        if (usable) reusable.push_back(newPotentialHost);
    }
    return reusable;
}

PolygonSet extractDuplicateRetireeFromRemainingPolygons(std::vector<PolygonSet>& remainingPolygonSets,
                                                        const PolygonSet& retireeToDuplicate,
                                                        const CongruencyCounts& congruentPolygonCountsInRetiree,
                                                        PackingCache& cache) {
    CongruencyCounts congruentPolygonCountsRequiredInNewSet = congruentPolygonCountsInRetiree;
    int numberOfPolygonsStillNeeded = retireeToDuplicate.size();
    std::map<int, std::vector<std::string>> donatedPolygonNamesKeyedByCongruencyId;
    std::vector<int> donors;

    const std::vector<IndexedValue> groupsByArea = sortedIndicesByArea(remainingPolygonSets);
    for (const IndexedValue& group : groupsByArea) {
        if (numberOfPolygonsStillNeeded == 0) break;
        std::vector<Polygon> untaken;
        bool donated = false;
        for (const Polygon& polygon : remainingPolygonSets[static_cast<std::size_t>(group.index)].getAllPolygons()) {
            int& required = congruentPolygonCountsRequiredInNewSet[polygon.getId()];
            if (numberOfPolygonsStillNeeded > 0 && required > 0) {
                donatedPolygonNamesKeyedByCongruencyId[polygon.getId()].push_back(polygon.getName());
                --required;
                --numberOfPolygonsStillNeeded;
                donated = true;
            } else {
                untaken.push_back(polygon);
            }
        }
        if (donated) {
            donors.push_back(group.index);
            appendAsSingles(remainingPolygonSets, untaken);
        }
    }
    removeGroups(remainingPolygonSets, donors, cache);

    std::vector<Polygon> copy = retireeToDuplicate.getAllPolygons();
    for (Polygon& polygon : copy) {
        std::vector<std::string>& names = donatedPolygonNamesKeyedByCongruencyId[polygon.getId()];
        polygon.setName(names.back());
        names.pop_back();
    }
    return PolygonSet(std::move(copy));
}

namespace {

// The searches a round of topping up the retiring set makes, one per kind of
// part not ruled out, found on all threads first and remembered in the memo,
// where the round then finds them: each answer depends only on its two sets
// and the host, so it is the same whichever thread finds it.
void searchRoundTogether(const PolygonSet& retiree, const std::vector<PolygonSet>& parts,
                         const std::vector<int>& idsRuledOut, const Polygon& hostPolygon, int contractionFactor,
                         PackingCache& cache, ReportReceiver* reportReceiver) {
    WorkerPool* workers = cache.getWorkers();
    PairingMemo* memo = cache.getMemo();
    if (workers == nullptr || workers->threadCount() < 2 || memo == nullptr) return;
    std::vector<int> idsSeen;
    std::vector<SetPair> missing;
    ComparablePacking known;
    for (const PolygonSet& part : parts) {
        const int id = part.getPolygon(0).getId();
        if (std::find(idsRuledOut.begin(), idsRuledOut.end(), id) != idsRuledOut.end() ||
            std::find(idsSeen.begin(), idsSeen.end(), id) != idsSeen.end()) {
            continue;
        }
        idsSeen.push_back(id);
        if (!memo->find(retiree, part, hostPolygon, contractionFactor, known)) missing.push_back({&retiree, &part});
    }
    if (missing.size() < 2) return;
    const std::vector<ComparablePacking> answers =
        searchPairingsTogether(missing, hostPolygon, contractionFactor, *workers, reportReceiver);
    for (std::size_t k = 0; k < missing.size(); ++k) {
        memo->store(*missing[k].base, *missing[k].satellite, hostPolygon, contractionFactor, answers[k]);
    }
}

}  // namespace

int doubleCheckAndRetireAsManyCopiesAsPossible(PolygonSet& setAboutToRetire, std::vector<PolygonSet>& polygonSets,
                                               std::vector<PolygonSet>& retiredPolygonSets,
                                               const Polygon& hostPolygon, int contractionFactor, PackingCache& cache,
                                               CongruencyCounts* congruentPolygonCopyCounts,
                                               int numberOfDuplicateHostsAvailable, ReportReceiver* reportReceiver) {
    const std::vector<IndexedValue> sortedAreas = sortedIndicesByArea(polygonSets);
    std::vector<int> setsThatHaveDonated;
    std::vector<int> congruencyIdsAlreadyRuledOut;
    std::vector<int> congruencyIdsAlreadyBeingConsidered;
    auto listed = [](const std::vector<int>& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };

    for (const IndexedValue& donor : sortedAreas) {
        setAboutToRetire.slideToOrigin();
        ComparablePacking bestPositionInformation;
        bestPositionInformation.setIsValid(true);
        bool thisSetHasAlreadyDonated = false;
        std::vector<PolygonSet> explodedSet = explodePolygonSet(polygonSets[static_cast<std::size_t>(donor.index)]);
        while (bestPositionInformation.isValid()) {
            bestPositionInformation.setIsValid(false);
            congruencyIdsAlreadyBeingConsidered.clear();
            searchRoundTogether(setAboutToRetire, explodedSet, congruencyIdsAlreadyRuledOut, hostPolygon,
                                contractionFactor, cache, reportReceiver);
            std::size_t bestShapeIndex = 0;
            for (std::size_t p = 0; p < explodedSet.size(); ++p) {
                const int id = explodedSet[p].getPolygon(0).getId();
                if (listed(congruencyIdsAlreadyRuledOut, id) || listed(congruencyIdsAlreadyBeingConsidered, id)) {
                    continue;
                }
                ComparablePacking positionInformation =
                    determineBestRelativePosition(setAboutToRetire, explodedSet[p], hostPolygon, contractionFactor,
                                                  reportReceiver, cache.getMemo(), cache.getWorkers());
                if (!positionInformation.isValid()) {
                    congruencyIdsAlreadyRuledOut.push_back(id);
                } else if (positionInformation.isBetterThan(bestPositionInformation, contractionFactor, nullptr)) {
                    congruencyIdsAlreadyBeingConsidered.push_back(id);
                    bestPositionInformation = std::move(positionInformation);
                    bestShapeIndex = p;
                }
            }
            if (bestPositionInformation.isValid()) {
                setAboutToRetire = *bestPositionInformation.getCombination();
                if (!thisSetHasAlreadyDonated) {
                    setsThatHaveDonated.push_back(donor.index);
                    thisSetHasAlreadyDonated = true;
                }
                explodedSet.erase(explodedSet.begin() + static_cast<std::ptrdiff_t>(bestShapeIndex));
            }
        }
        if (thisSetHasAlreadyDonated) {
            for (PolygonSet& single : explodedSet) polygonSets.push_back(std::move(single));
        }
    }
    removeGroups(polygonSets, setsThatHaveDonated, cache);

    Math::moveSetToBestPositionWithin(hostPolygon, setAboutToRetire, contractionFactor);
    retiredPolygonSets.push_back(setAboutToRetire);
    int numberOfDuplicateSetsRetired = 1;

    if (congruentPolygonCopyCounts) {
        const CongruencyCounts copiesOfCongruentPolygonsInRetiree =
            getNumberOfCongruencyCopiesContained(setAboutToRetire);
        decrementCongruentCopyCountsForSet(copiesOfCongruentPolygonsInRetiree, *congruentPolygonCopyCounts);
        // The pool is asked too, so that a copy is never promised parts it does not hold.
        while (numberOfDuplicateSetsRetired < numberOfDuplicateHostsAvailable &&
               duplicateSetCanBeMadeFromCongruentCopies(copiesOfCongruentPolygonsInRetiree,
                                                        *congruentPolygonCopyCounts) &&
               duplicateSetCanBeMadeFromCongruentCopies(copiesOfCongruentPolygonsInRetiree,
                                                        countsInPool(polygonSets))) {
            retiredPolygonSets.push_back(extractDuplicateRetireeFromRemainingPolygons(
                polygonSets, setAboutToRetire, copiesOfCongruentPolygonsInRetiree, cache));
            ++numberOfDuplicateSetsRetired;
            decrementCongruentCopyCountsForSet(copiesOfCongruentPolygonsInRetiree, *congruentPolygonCopyCounts);
        }
    }
    cache.resize(static_cast<int>(polygonSets.size()));
    return numberOfDuplicateSetsRetired;
}

void packSetsIntoHostGroupings(int /*packingAlgorithmBeingUsed*/, std::vector<PolygonSet>& polygonSets,
                               const Polygon& defaultHost, int expansionFactor, int totalNumberOfShapesBeingPacked,
                               int numberOfShapesWaitingToBePackedLater, CongruencyCounts& congruentPolygonCopyCounts,
                               const std::vector<Polygon>& potentialHosts,
                               const std::vector<IndexedValue>& potentialHostIndicesSortedByArea,
                               ReportReceiver* reportReceiver, std::vector<Polygon>& hostShapesUsed,
                               std::vector<PolygonSet>& hostGroupings, GreedyPairingSearch pairingSearch,
                               WorkerPool* workers) {
    const int numberOfHosts = static_cast<int>(potentialHostIndicesSortedByArea.size());
    // The host at a position of the order; the standard sheet past its end.
    auto hostAt = [&](int position) -> const Polygon& {
        return position < numberOfHosts
                   ? potentialHosts[static_cast<std::size_t>(potentialHostIndicesSortedByArea[position].index)]
                   : defaultHost;
    };
    // The run of equal hosts starting at the current one, which identical
    // copies of a group may take; unlimited once only standard sheets follow.
    auto numberOfDuplicateHostsAvailable = [&](int currentHostShape, const Polygon& hostPolygon) {
        if (currentHostShape >= numberOfHosts) return INT_MAX;
        int position = currentHostShape + 1;
        while (position < numberOfHosts && hostAt(position) == hostPolygon) ++position;
        if (position == numberOfHosts && hostPolygon == defaultHost) return INT_MAX;
        return position - currentHostShape;
    };

    Polygon hostPolygon = hostAt(0);
    int currentHostShape = 0;
    std::vector<Polygon> outfallFromCurrentHost;
    PairingMemo memo;

    while (!polygonSets.empty()) {
        PackingCache packingCache(static_cast<int>(polygonSets.size()));
        packingCache.attachMemo(&memo);
        packingCache.attachWorkers(workers);
        int contractionFactor = expansionFactor;
        pairingSearch(polygonSets, hostPolygon, contractionFactor, packingCache,
                                     totalNumberOfShapesBeingPacked, numberOfShapesWaitingToBePackedLater,
                                     reportReceiver);

        Polygon nextHost;
        const int finishedIndex = indexOfLargestSetThatFits(polygonSets, hostPolygon);
        if (finishedIndex < 0) {
            // Nothing left fits this host: pass it over. Only the standard
            // sheet, which follows every inventory host, is a dead end.
            if (!outfallFromCurrentHost.empty()) {
                outfallFromCurrentHost.pop_back();
                if (outfallFromCurrentHost.empty()) ++currentHostShape;
            } else if (currentHostShape < numberOfHosts) {
                ++currentHostShape;
            } else {
                throw PackingException("RectilinearMath", 722, whyNothingFits(polygonSets, hostPolygon));
            }
            nextHost = outfallFromCurrentHost.empty() ? hostAt(currentHostShape) : outfallFromCurrentHost.back();
        } else {
            PolygonSet finishedSet = polygonSets[static_cast<std::size_t>(finishedIndex)];
            polygonSets.erase(polygonSets.begin() + finishedIndex);
            packingCache.deleteElement(finishedIndex);

            const std::vector<Polygon> reusableOutfall =
                getReusableOutfall(hostPolygon, finishedSet, polygonSets, expansionFactor);
            const bool weJustPackedToOutfall = !outfallFromCurrentHost.empty();
            const bool moreOutfall = outfallFromCurrentHost.size() > 1 || !reusableOutfall.empty();
            outfallFromCurrentHost.insert(outfallFromCurrentHost.begin(), reusableOutfall.begin(),
                                          reusableOutfall.end());
            // A rectangular piece of leftover is not placed by getReusableOutfall.
            if (weJustPackedToOutfall && hostPolygon.numberOfPoints() <= 4) {
                Math::moveSetToBestPositionWithin(hostPolygon, finishedSet, expansionFactor);
            }

            if (!moreOutfall && !weJustPackedToOutfall) {
                const int numberOfDuplicateSetsRetired = doubleCheckAndRetireAsManyCopiesAsPossible(
                    finishedSet, polygonSets, hostGroupings, hostPolygon, expansionFactor, packingCache,
                    &congruentPolygonCopyCounts, numberOfDuplicateHostsAvailable(currentHostShape, hostPolygon),
                    reportReceiver);
                nextHost = hostPolygon;
                for (int copy = 0; copy < numberOfDuplicateSetsRetired; ++copy) {
                    hostShapesUsed.push_back(nextHost);
                    nextHost = hostAt(++currentHostShape);
                }
            } else {
                if (!moreOutfall) nextHost = hostAt(++currentHostShape);
                decrementCongruentCopyCountsForSet(getNumberOfCongruencyCopiesContained(finishedSet),
                                                   congruentPolygonCopyCounts);
                if (weJustPackedToOutfall) {
                    outfallFromCurrentHost.pop_back();
                    for (const Polygon& polygon : finishedSet.getAllPolygons()) hostGroupings.back().add(polygon);
                } else {
                    hostShapesUsed.push_back(hostPolygon);
                    hostGroupings.push_back(finishedSet);
                }
                if (moreOutfall) nextHost = outfallFromCurrentHost.back();
            }
        }

        // Groups grown for one host shape are not kept for another.
        if (!nextHost.isCongruant(hostPolygon)) breakIntoSingles(polygonSets);
        // Remembered pairings hold for one host outline only.
        if (nextHost != hostPolygon) memo.clear();
        hostPolygon = nextHost;
    }
}

}  // namespace Zelkor::Rectilinear::Math

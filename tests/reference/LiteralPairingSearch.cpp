// The pairing search step by step: every pair and every translation is
// built and judged in full, with no shortcut. Kept to check the library's
// faster search against and as its benchmark baseline.

#include "reference/LiteralPairingSearch.h"

#include <algorithm>
#include <utility>

#include "geometry/ExactArea.h"
#include "packing/PackingHelpers.h"
#include "reference/LiteralPlacement.h"

namespace Zelkor::Rectilinear::Reference {

using Math::findCongruentElementsAndAssignIds;
using Math::reportProgress;
using Math::sortedIndicesByArea;

namespace {

int indexOfLargestSet(std::vector<PolygonSet>& polygonSets) {
    const std::vector<IndexedValue> sorted = sortedIndicesByArea(polygonSets);
    return sorted.empty() ? -1 : sorted.back().index;
}

// The outline of the set, plus each enclosed hole at least `minimumHoleArea`
// large: a partner may be placed inside such a hole.
PolygonSet outlineWithUsableHoles(const PolygonSet& set, float minimumHoleArea) {
    PolygonSet holes;
    PolygonSet outline = set.booleanAddAndSimplifyAll(&holes);
    for (const Polygon& hole : holes.getAllPolygons()) {
        if (hole.getArea() >= minimumHoleArea) outline.add(hole);
    }
    return outline;
}

// Whether the set shrunk by one keeps every side of every polygon; a
// polygon with a side of 1 or 2 turns inside out or vanishes.
bool keepsShapeWhenShrunk(const PolygonSet& set, const PolygonSet& shrunk) {
    if (set.shortestSegmentLength() <= 2) return false;
    for (int ii = 0; ii < set.size(); ++ii) {
        if (shrunk.getPolygon(ii).numberOfPoints() != set.getPolygon(ii).numberOfPoints()) return false;
    }
    return true;
}

enum class Verdict { better, worse, tie };

// The white-space score by the plain placement search over every candidate.
WhiteSpaceInformation whiteSpaceScore(ComparablePacking& packing, int contractionFactor) {
    if (packing.hasWhiteSpaceScore()) return packing.getWhiteSpaceScore(contractionFactor);
    Point translation;
    int rotation = 0;
    WhiteSpaceInformation score;
    if (getPositionOfSetWithin(packing.getHostPolygon(), *packing.getCombination(), &translation, &rotation, &score,
                               true, contractionFactor, nullptr, nullptr)) {
        packing.setWhiteSpaceScore(score);
    }
    return score;
}

Verdict compareOn(int criterion, ComparablePacking& self, ComparablePacking& other, int contractionFactor) {
    auto exact = [](auto mine, auto theirs, bool largerWins) {
        if (mine == theirs) return Verdict::tie;
        return (mine > theirs) == largerWins ? Verdict::better : Verdict::worse;
    };
    switch (criterion) {
        case 0: {
            const float t = self.getAreaRatio();
            const float r = (t - other.getAreaRatio()) / t;
            if (r <= -0.01) return Verdict::better;
            if (r >= 0.01) return Verdict::worse;
            return Verdict::tie;
        }
        case 1:
            return exact(self.getBoundingDensity(), other.getBoundingDensity(), true);
        case 8: {
            const float t = whiteSpaceScore(self, contractionFactor).getAreaOfLargestOutfall() +
                            self.getCombination()->getArea();
            const float o = whiteSpaceScore(other, contractionFactor).getAreaOfLargestOutfall() +
                            other.getCombination()->getArea();
            const float r = (t - o) / t;
            if (r > 0.01) return Verdict::better;
            if (r < -0.01) return Verdict::worse;
            return Verdict::tie;
        }
        case 5:
            return exact(self.getAreaSum(), other.getAreaSum(), true);
        case 7:
            return exact(whiteSpaceScore(self, contractionFactor).getNumberOfSidesOfOutfall(),
                         whiteSpaceScore(other, contractionFactor).getNumberOfSidesOfOutfall(), false);
        case 10:
            return exact(self.getContactArea(), other.getContactArea(), true);
        default:
            return Verdict::tie;
    }
}

}  // namespace

// The candidate comparison step by step, guarded by this file's own check of
// the largest set.
bool isBetterThan(ComparablePacking& self, ComparablePacking& otherPacking, int contractionFactor,
                  std::vector<PolygonSet>* polygonSets, int baseSetIndex, int satelliteSetIndex,
                  int greatestAreaSetIndex, ComparablePacking* resultingBestPositionRelativeToLargestAreaSet,
                  PackingCache* cache) {
    if (!self.isValid()) return false;
    auto respectsLargestSet = [&] {
        return pairingRespectsMaxAreaSet(*polygonSets, baseSetIndex, satelliteSetIndex, greatestAreaSetIndex,
                                         self.getHostPolygon(), contractionFactor,
                                         resultingBestPositionRelativeToLargestAreaSet, cache);
    };
    bool haveCheckedGreatestAreaSet = polygonSets == nullptr;
    if (otherPacking.isValid()) {
        bool decided = false;
        for (int position = 0; position < 6 && !decided; ++position) {
            const int criterion = ComparablePacking::heuristics[position];
            if (criterion == 8 && polygonSets) {
                if (!respectsLargestSet()) return false;
                haveCheckedGreatestAreaSet = true;
            }
            switch (compareOn(criterion, self, otherPacking, contractionFactor)) {
                case Verdict::better: decided = true; break;
                case Verdict::worse: return false;
                case Verdict::tie: break;
            }
        }
        if (!decided) return false;
    }
    return haveCheckedGreatestAreaSet || respectsLargestSet();
}


int numberOfRotationsNecessaryToFindBestPairing(PolygonSet baseSet, PolygonSet satelliteSet) {
    // Whether the set looks the same after one and after two quarter turns.
    auto symmetries = [](PolygonSet& set) {
        set.slideToOrigin();
        PolygonSet turned = set;
        turned.rotateAboutOrigin(1);
        turned.slideToOrigin();
        const bool quarter = set == turned;
        turned.rotateAboutOrigin(1);
        turned.slideToOrigin();
        return std::make_pair(quarter, set == turned);
    };
    const auto [baseQuarter, baseHalf] = symmetries(baseSet);
    if (baseQuarter) return 0;
    if (baseHalf) return 1;
    const auto [satelliteQuarter, satelliteHalf] = symmetries(satelliteSet);
    if (satelliteQuarter) return 0;
    if (satelliteHalf) return 1;
    return 3;
}

ComparablePacking determineBestRelativePosition(const PolygonSet& baseSet, const PolygonSet& satelliteSet,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                ReportReceiver* reportReceiver) {
    PolygonSet base = baseSet;
    PolygonSet localSatelliteSet = satelliteSet;
    if (base.getArea() + localSatelliteSet.getArea() > hostPolygon.getArea()) return ComparablePacking();

    const int rotations = numberOfRotationsNecessaryToFindBestPairing(baseSet, satelliteSet);
    const PolygonSet baseTranslationSet = outlineWithUsableHoles(baseSet, localSatelliteSet.getArea());
    PolygonSet satelliteTranslationSet = outlineWithUsableHoles(satelliteSet, base.getArea());

    ComparablePacking bestPositionInformation;
    for (int r = 0; r <= rotations; ++r) {
        if (r > 0) {
            localSatelliteSet.rotateAboutOrigin(1);
            satelliteTranslationSet.rotateAboutOrigin(1);
        }
        localSatelliteSet.slideToOrigin();
        satelliteTranslationSet.slideToOrigin();
        const std::vector<Point> translations =
            baseTranslationSet.getAllTranslationsForPositions(satelliteTranslationSet.getPoints());
        for (const Point& t : translations) {
            if (reportReceiver) reportReceiver->report(nullptr);
            localSatelliteSet.slideToOrigin();
            localSatelliteSet.translate(t);
            ComparablePacking positionInformation(baseSet, satelliteSet, hostPolygon, r, t);
            PolygonSet copyOfSatellite = localSatelliteSet;
            copyOfSatellite.unvalidatedContractAll(1);
            const bool overlaps = keepsShapeWhenShrunk(localSatelliteSet, copyOfSatellite)
                                      ? baseSet.intersectAll(copyOfSatellite)
                                      : Math::interiorsOverlap(baseSet, localSatelliteSet);
            if (overlaps) continue;
            positionInformation.setIsValid(true);
            Point hostTranslation;
            int hostRotationMultiplier = 0;
            if (getPositionOfSetWithin(hostPolygon, *positionInformation.getCombination(), &hostTranslation,
                                       &hostRotationMultiplier, nullptr, false, 1, nullptr, nullptr)) {
                positionInformation.setFirstKnownValidHostTranslationAndRotation(hostTranslation,
                                                                                 hostRotationMultiplier);
                if (isBetterThan(positionInformation, bestPositionInformation, contractionFactor, nullptr, 0, 0, 0,
                                                     nullptr, nullptr)) {
                    bestPositionInformation = std::move(positionInformation);
                }
            }
        }
    }
    return bestPositionInformation;
}

ComparablePacking determineBestRelativePosition(std::vector<PolygonSet>& polygonSets, int indexOne, int indexTwo,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                PackingCache* packingCache, ReportReceiver* reportReceiver) {
    ComparablePacking result;
    if (packingCache) result = packingCache->getCacheEntry(indexOne, indexTwo);
    if (!result.getIsSet()) {
        const int low = std::min(indexOne, indexTwo);
        const int high = std::max(indexOne, indexTwo);
        result = determineBestRelativePosition(polygonSets[static_cast<std::size_t>(low)],
                                               polygonSets[static_cast<std::size_t>(high)], hostPolygon,
                                               contractionFactor, reportReceiver);
        if (packingCache) packingCache->setCacheEntry(low, high, result);
    }
    return result;
}

bool greatestAreaSetIsReadyToRetire(int greatestAreaSetIndex, const PackingCache* packingCache,
                                    const std::vector<int>& congruentPolygonSetIds) {
    if (!packingCache) return false;
    std::vector<int> idsLookedAt;
    for (int ii = 0; ii < packingCache->size(); ++ii) {
        if (ii == greatestAreaSetIndex) continue;
        const int id = ii < static_cast<int>(congruentPolygonSetIds.size())
                           ? congruentPolygonSetIds[static_cast<std::size_t>(ii)]
                           : -1;
        if (std::find(idsLookedAt.begin(), idsLookedAt.end(), id) != idsLookedAt.end()) continue;
        idsLookedAt.push_back(id);
        const ComparablePacking* entry = packingCache->findCacheEntry(ii, greatestAreaSetIndex);
        if (!entry || !entry->getIsSet() || entry->isValid()) return false;
    }
    return true;
}

bool pairingRespectsMaxAreaSet(std::vector<PolygonSet>& polygonSets, const int& baseSetIndex,
                               const int& satelliteSetIndex, const int& greatestAreaSetIndex,
                               const Polygon& hostPolygon, int contractionFactor,
                               ComparablePacking* resultingBestPositionRelativeToLargestAreaSet,
                               PackingCache* packingCache) {
    if (baseSetIndex == greatestAreaSetIndex || satelliteSetIndex == greatestAreaSetIndex) return true;
    const ComparablePacking baseAndMaxAreaEntry = determineBestRelativePosition(
        polygonSets, greatestAreaSetIndex, baseSetIndex, hostPolygon, contractionFactor, packingCache, nullptr);
    if (!baseAndMaxAreaEntry.isValid()) {
        const ComparablePacking satelliteAndMaxAreaEntry =
            determineBestRelativePosition(polygonSets, greatestAreaSetIndex, satelliteSetIndex, hostPolygon,
                                          contractionFactor, packingCache, nullptr);
        if (!satelliteAndMaxAreaEntry.isValid()) {
            if (resultingBestPositionRelativeToLargestAreaSet) {
                resultingBestPositionRelativeToLargestAreaSet->setIsValid(false);
            }
            return true;
        }
    }
    ComparablePacking positionInformation = determineBestRelativePosition(
        polygonSets, baseSetIndex, satelliteSetIndex, hostPolygon, contractionFactor, packingCache, nullptr);
    const PolygonSet& combination = *positionInformation.getCombination();
    const PolygonSet& largestSet = polygonSets[static_cast<std::size_t>(greatestAreaSetIndex)];
    ComparablePacking bestPositionRelativeToLargestAreaSet =
        baseSetIndex < greatestAreaSetIndex
            ? determineBestRelativePosition(combination, largestSet, hostPolygon, contractionFactor, nullptr)
            : determineBestRelativePosition(largestSet, combination, hostPolygon, contractionFactor, nullptr);
    if (!bestPositionRelativeToLargestAreaSet.isValid()) return false;
    if (resultingBestPositionRelativeToLargestAreaSet) {
        *resultingBestPositionRelativeToLargestAreaSet = std::move(bestPositionRelativeToLargestAreaSet);
    }
    return true;
}

void greedyPackToCreateMaxAreaSet(std::vector<PolygonSet>& polygonSets, const Polygon& hostPolygon,
                                  int& contractionFactor, PackingCache& packingCache, int totalNumberOfShapesToPack,
                                  int numberOfShapesWaitingToBePackedLater, ReportReceiver* reportReceiver) {
    int greatestAreaSetIndex = indexOfLargestSet(polygonSets);
    std::vector<int> congruentPolygonSetIds = findCongruentElementsAndAssignIds(polygonSets, nullptr, -1);
    bool done = false;
    while (!done) {
        ComparablePacking bestPositionInformation;
        ComparablePacking resultingBestPositionRelativeToLargestAreaSet;
        std::pair<int, int> bestCombinationIndexes{0, 0};
        std::vector<std::pair<int, int>> alreadyPerformedSetComparisons;
        congruentPolygonSetIds =
            findCongruentElementsAndAssignIds(polygonSets, &congruentPolygonSetIds, greatestAreaSetIndex);

        const int numberOfSets = static_cast<int>(polygonSets.size());
        for (int baseSetIndex = 0; baseSetIndex + 1 < numberOfSets; ++baseSetIndex) {
            for (int satelliteSetIndex = baseSetIndex + 1; satelliteSetIndex < numberOfSets; ++satelliteSetIndex) {
                reportProgress(totalNumberOfShapesToPack, numberOfShapesWaitingToBePackedLater, numberOfSets,
                               reportReceiver);
                const int baseId = congruentPolygonSetIds[static_cast<std::size_t>(baseSetIndex)];
                const int satelliteId = congruentPolygonSetIds[static_cast<std::size_t>(satelliteSetIndex)];
                const std::pair<int, int> setIdsBeingCompared{std::min(baseId, satelliteId),
                                                              std::max(baseId, satelliteId)};
                if (std::find(alreadyPerformedSetComparisons.begin(), alreadyPerformedSetComparisons.end(),
                              setIdsBeingCompared) != alreadyPerformedSetComparisons.end()) {
                    continue;
                }
                alreadyPerformedSetComparisons.push_back(setIdsBeingCompared);
                ComparablePacking positionInformation =
                    determineBestRelativePosition(polygonSets, baseSetIndex, satelliteSetIndex, hostPolygon,
                                                  contractionFactor, &packingCache, reportReceiver);
                ComparablePacking bestPositionRelativeToLargestAreaSet;
                if (isBetterThan(positionInformation, bestPositionInformation, contractionFactor, &polygonSets,
                                                     baseSetIndex, satelliteSetIndex, greatestAreaSetIndex,
                                                     &bestPositionRelativeToLargestAreaSet, &packingCache)) {
                    bestCombinationIndexes = {baseSetIndex, satelliteSetIndex};
                    bestPositionInformation = std::move(positionInformation);
                    resultingBestPositionRelativeToLargestAreaSet = std::move(bestPositionRelativeToLargestAreaSet);
                }
            }
        }

        if (!bestPositionInformation.isValid() ||
            greatestAreaSetIsReadyToRetire(greatestAreaSetIndex, &packingCache, congruentPolygonSetIds)) {
            done = true;
            continue;
        }

        const auto [first, second] = bestCombinationIndexes;
        polygonSets[static_cast<std::size_t>(first)] = *bestPositionInformation.getCombination();
        packingCache.unsetAllCacheEntriesForElement(first);
        packingCache.deleteElement(second);
        polygonSets.erase(polygonSets.begin() + second);
        congruentPolygonSetIds[static_cast<std::size_t>(first)] = -1;
        congruentPolygonSetIds.erase(congruentPolygonSetIds.begin() + second);
        if (first != greatestAreaSetIndex && second != greatestAreaSetIndex) {
            if (second < greatestAreaSetIndex) --greatestAreaSetIndex;
            packingCache.setCacheEntry(first, greatestAreaSetIndex, resultingBestPositionRelativeToLargestAreaSet);
        }
        // When the largest set itself was the one removed, its old position may
        // now lie past the end of the list.
        if (greatestAreaSetIndex < static_cast<int>(congruentPolygonSetIds.size())) {
            congruentPolygonSetIds[static_cast<std::size_t>(greatestAreaSetIndex)] = -1;
        }
        greatestAreaSetIndex = indexOfLargestSet(polygonSets);
    }
}

}  // namespace Zelkor::Rectilinear::Reference

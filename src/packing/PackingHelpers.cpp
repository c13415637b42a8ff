#include "packing/PackingHelpers.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace Zelkor::Rectilinear::Math {

std::vector<IndexedValue> sortedIndicesByArea(std::vector<PolygonSet>& polygonSets) {
    std::vector<IndexedValue> sorted;
    sorted.reserve(polygonSets.size());
    for (std::size_t ii = 0; ii < polygonSets.size(); ++ii) {
        sorted.emplace_back(static_cast<int>(ii), polygonSets[ii].getArea());
    }
    std::stable_sort(sorted.begin(), sorted.end());
    return sorted;
}

std::vector<IndexedValue> sortedIndicesByArea(const std::vector<Polygon>& polygons, bool decendingOrder) {
    std::vector<IndexedValue> sorted;
    sorted.reserve(polygons.size());
    for (std::size_t ii = 0; ii < polygons.size(); ++ii) {
        sorted.emplace_back(static_cast<int>(ii), polygons[ii].getArea());
    }
    if (decendingOrder) {
        std::stable_sort(sorted.begin(), sorted.end(), IndexedValue::greaterThanComparison);
    } else {
        std::stable_sort(sorted.begin(), sorted.end());
    }
    return sorted;
}

namespace {

// Where each part with a grain lies in an element and how its grain runs
// there: elements whose grain tells them apart are never interchangeable.
// Empty for an element without grain.
using GrainSignature = std::vector<std::array<std::int64_t, 5>>;

GrainSignature grainSignature(const PolygonSet& set) {
    GrainSignature signature;
    for (const Polygon& member : set.getAllPolygons()) {
        if (member.getTurnsAllowed() == TurnsAllowed::quarter) continue;
        const Point origin = set.getBoundingRectangle().getBottomLeft();
        const Point corner = member.getBoundingRectangle().getBottomLeft();
        const int step = member.getTurnsAllowed() == TurnsAllowed::half ? 2 : 4;
        signature.push_back({std::int64_t{corner.x} - origin.x, std::int64_t{corner.y} - origin.y,
                             static_cast<std::int64_t>(member.getTurnsAllowed()),
                             member.getQuarterTurnsApplied() % step, member.numberOfPoints()});
    }
    std::sort(signature.begin(), signature.end());
    return signature;
}

GrainSignature grainSignature(const Polygon& polygon) {
    if (polygon.getTurnsAllowed() == TurnsAllowed::quarter) return {};
    return grainSignature(PolygonSet(std::vector<Polygon>{polygon}));
}

}  // namespace

template <typename Element>
std::vector<int> findCongruentElementsAndAssignIds(const std::vector<Element>& elementList,
                                                   const std::vector<int>* existingCongruencyIds,
                                                   int indexToMakeUnique) {
    const int n = static_cast<int>(elementList.size());
    std::vector<int> ids(static_cast<std::size_t>(n), -1);
    int nextId = 0;
    if (existingCongruencyIds) {
        if (static_cast<int>(existingCongruencyIds->size()) != n) return *existingCongruencyIds;
        ids = *existingCongruencyIds;
        for (int id : ids) nextId = std::max(nextId, id + 1);
    }

    // Each element in its four quarter-turned orientations, slid to the
    // origin; orientation 0 (four turns) is the element itself.
    std::vector<std::array<Element, 4>> orientations(static_cast<std::size_t>(n));
    for (int ii = 0; ii < n; ++ii) {
        Element turned = elementList[static_cast<std::size_t>(ii)];
        for (int turn = 1; turn <= 4; ++turn) {
            turned.rotateAboutOrigin(1);
            turned.slideToOrigin();
            orientations[static_cast<std::size_t>(ii)][static_cast<std::size_t>(turn % 4)] = turned;
        }
    }
    std::vector<GrainSignature> grain;
    for (const Element& element : elementList) grain.push_back(grainSignature(element));
    auto congruent = [&](int ii, int jj) {
        const Element& normalized = orientations[static_cast<std::size_t>(ii)][0];
        const GrainSignature& signature = grain[static_cast<std::size_t>(ii)];
        if (signature != grain[static_cast<std::size_t>(jj)]) return false;
        // Parts with a grain are alike only as they lie, unturned.
        if (!signature.empty()) return normalized == orientations[static_cast<std::size_t>(jj)][0];
        for (int turn = 1; turn <= 4; ++turn) {
            if (normalized == orientations[static_cast<std::size_t>(jj)][static_cast<std::size_t>(turn % 4)]) {
                return true;
            }
        }
        return false;
    };

    for (int ii = 0; ii < n; ++ii) {
        int& id = ids[static_cast<std::size_t>(ii)];
        if (ii == indexToMakeUnique) {
            id = nextId++;
            continue;
        }
        for (int jj = ii + 1; jj < n; ++jj) {
            int& otherId = ids[static_cast<std::size_t>(jj)];
            if (jj == indexToMakeUnique || (id != -1 && otherId != -1)) continue;
            if (!congruent(ii, jj)) continue;
            if (id == -1) {
                if (otherId == -1) otherId = nextId++;
                id = otherId;
            } else {
                otherId = id;
            }
        }
        if (id == -1) id = nextId++;
    }
    return ids;
}

template std::vector<int> findCongruentElementsAndAssignIds(const std::vector<Polygon>&, const std::vector<int>*,
                                                            int);
template std::vector<int> findCongruentElementsAndAssignIds(const std::vector<PolygonSet>&, const std::vector<int>*,
                                                            int);

float progressFraction(int totalNumberOfShapesToPack, int numberOfShapesWaitingToBePackedLater,
                       int numberOfSetsCurrentlyBeingPacked) {
    const float fraction =
        static_cast<float>(totalNumberOfShapesToPack - numberOfShapesWaitingToBePackedLater -
                           numberOfSetsCurrentlyBeingPacked + 1) /
        static_cast<float>(totalNumberOfShapesToPack);
    return 0.99f < fraction ? 0.99f : fraction;
}

void reportProgress(int totalNumberOfShapesToPack, int numberOfShapesWaitingToBePackedLater,
                    int numberOfSetsCurrentlyBeingPacked, ReportReceiver* reportReceiver) {
    if (!reportReceiver) return;
    float currentProgressPercentage = progressFraction(totalNumberOfShapesToPack, numberOfShapesWaitingToBePackedLater,
                                                       numberOfSetsCurrentlyBeingPacked);
    reportReceiver->report(&currentProgressPercentage);
}

std::string sizeText(const Rectangle& box) {
    return std::to_string(std::int64_t{box.getTopRight().x} - box.getBottomLeft().x) + " x " +
           std::to_string(std::int64_t{box.getTopRight().y} - box.getBottomLeft().y);
}

}  // namespace Zelkor::Rectilinear::Math

#include "packing/PackingDriver.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "geometry/CoordinateRangeException.h"
#include "packing/ForwardProgress.h"
#include "packing/Growth.h"
#include "packing/HostAssignment.h"
#include "packing/OptimizingPack.h"
#include "packing/PackingHelpers.h"
#include "packing/SpecialCasePrePacking.h"
#include "packing/WorkerPool.h"
#include "placement/HostSearch.h"

namespace Zelkor::Rectilinear::Math {

namespace {

std::vector<IndexedValue> hostOrder(const std::vector<Polygon>& potentialHosts, int algorithm) {
    if (algorithm != standardSheet) return sortedIndicesByArea(potentialHosts, algorithm == maximumAreaOutfall);
    std::vector<IndexedValue> order;
    for (std::size_t ii = 0; ii < potentialHosts.size(); ++ii) order.emplace_back(static_cast<int>(ii), 0.0);
    return order;
}

// The engine moves every grown part and host to the origin, turned by quarter
// turns, to pair and place them there: each must then lie in the coordinate
// range, that is be at most highestCoordinate wide and high.
void requireFitsAtOrigin(const Polygon& shape, const char* kind) {
    if (shape.isEmpty()) return;
    const Rectangle box = shape.getBoundingRectangle();
    const std::int64_t width = std::int64_t{box.getTopRight().x} - box.getBottomLeft().x;
    const std::int64_t height = std::int64_t{box.getTopRight().y} - box.getBottomLeft().y;
    if (width <= highestCoordinate && height <= highestCoordinate) return;
    const bool tooWide = width > highestCoordinate;
    throw CoordinateRangeException("PackingDriver", __LINE__,
                                   std::string("moving the ") + kind +
                                       (shape.getName().empty() ? "" : " '" + shape.getName() + "'") +
                                       ", grown by half the blade, to the origin",
                                   tooWide ? 'x' : 'y', tooWide ? width : height);
}

// Grows every host by the expansion factor, setting aside those that cannot
// take parts; the order keeps the survivors in the same relative order,
// renumbered. Answers whether every survivor is the standard sheet.
bool inflateHosts(std::vector<Polygon>& potentialHosts, std::vector<IndexedValue>& order, const Polygon& defaultHost,
                  int expansionFactor, int algorithm, std::vector<UnusableHost>& unusable) {
    bool allHostsAreTheSameAsTheDefault = true;
    std::vector<int> newPosition(potentialHosts.size(), -1);
    std::vector<Polygon> kept;
    for (std::size_t ii = 0; ii < potentialHosts.size(); ++ii) {
        GrownHost grown = grownHost(potentialHosts[ii], expansionFactor);
        if (!grown.host) {
            unusable.push_back({static_cast<int>(ii), potentialHosts[ii].getName(), std::move(grown.reason)});
            continue;
        }
        Polygon& host = *grown.host;
        requireFitsAtOrigin(host, "host");
        if (allHostsAreTheSameAsTheDefault && algorithm != standardSheet && !host.isCongruant(defaultHost)) {
            allHostsAreTheSameAsTheDefault = false;
        }
        newPosition[ii] = static_cast<int>(kept.size());
        kept.push_back(std::move(host));
    }
    potentialHosts = std::move(kept);
    std::vector<IndexedValue> renumbered;
    for (const IndexedValue& entry : order) {
        const int position = newPosition[static_cast<std::size_t>(entry.index)];
        if (position >= 0) renumbered.emplace_back(position, entry.value);
    }
    order = std::move(renumbered);
    return allHostsAreTheSameAsTheDefault;
}

// The caller's part for a group polygon, placed where the engine put it.
// Parts are matched by name and congruency id, first come first served. A part
// whose outline the spacing changed (a narrow notch closed up) is moved into
// the engine's outline; should that fail, the engine's outline is kept, which
// covers the part's place and nothing else.
Polygon matchToCallersPart(const Polygon& currentPolygon, std::vector<Polygon>& polygonsToPack) {
    const auto initial = std::find_if(polygonsToPack.begin(), polygonsToPack.end(), [&](const Polygon& part) {
        return part.getName() == currentPolygon.getName() && part.getId() == currentPolygon.getId();
    });
    if (initial == polygonsToPack.end()) return currentPolygon;
    Polygon result = currentPolygon;
    if (currentPolygon.numberOfPoints() != initial->numberOfPoints()) {
        Polygon initialPolygon = *initial;
        if (Math::positionPolygonWithin(currentPolygon, initialPolygon)) result = std::move(initialPolygon);
    }
    polygonsToPack.erase(initial);
    return result;
}

// The receiver of a run whose caller wants no progress.
class IgnoreProgress final : public ReportReceiver {
public:
    void report(void*) override {}
};

}  // namespace

void addGroupToTotals(PackingResults& results, PolygonSet& group, const Polygon& host) {
    results.totalArea += group.getArea();
    results.totalHostArea += host.getArea();
    // The part of the group's bounding rectangle that lies inside the host.
    const Rectangle bounds = group.getBoundingRectangle();
    const Point& bottomLeft = bounds.getBottomLeft();
    const Point& topRight = bounds.getTopRight();
    const Polygon boundingRectangle({bottomLeft, Point(topRight.x, bottomLeft.y), topRight,
                                     Point(bottomLeft.x, topRight.y)},
                                    "");
    results.totalMergedArea += boundingRectangle.getArea() - boundingRectangle.booleanSubtract(host).getArea();
}

PackingResults packPolygonsToInventory(const std::vector<Polygon>& parts, const std::vector<Polygon>& hosts,
                                       const PackingOptions& options) {
    if (options.pairingSearch == nullptr) throw std::invalid_argument("packing options without a pairing search");
    std::vector<Polygon> polygonsToPack = parts;
    std::vector<PartThatFitsNowhere> setAside;
    if (options.setAsidePartsThatFitNowhere) {
        setAside = findPartsThatFitNowhere(parts, options.bladeWidth, options.sheetLength, options.sheetWidth, hosts);
        for (auto misfit = setAside.rbegin(); misfit != setAside.rend(); ++misfit) {
            polygonsToPack.erase(polygonsToPack.begin() + misfit->index);
        }
    }
    // The optimizing search starts from the parts as given, before the run
    // renumbers and consumes them.
    const std::vector<Polygon> packedParts = options.optimizeEffort > 0 ? polygonsToPack : std::vector<Polygon>{};
    std::vector<Polygon> potentialHosts = hosts;
    IgnoreProgress ignoreProgress;
    ReportReceiver& receiver = options.receiver != nullptr ? *options.receiver : ignoreProgress;
    PackingResults results =
        packPolygonsToInventory(polygonsToPack, options.bladeWidth, options.sheetWidth, options.sheetLength,
                                potentialHosts, toInt(options.mode), receiver, options.pairingSearch, options.threads);
    results.partsSetAside = std::move(setAside);
    if (options.optimizeEffort <= 0) return results;
    return optimizePacking(packedParts, hosts, options, std::move(results));
}

PackingResults packPolygonsToInventory(std::vector<Polygon>& polygonsToPack, const int& spacingUnits,
                                       const int& maxWidth, const int& maxLength,
                                       std::vector<Polygon>& potentialHosts, int algorithm,
                                       ReportReceiver& reportReceiver) {
    return packPolygonsToInventory(polygonsToPack, spacingUnits, maxWidth, maxLength, potentialHosts, algorithm,
                                   reportReceiver, &greedyPackToCreateMaxAreaSet);
}

PackingResults packPolygonsToInventory(std::vector<Polygon>& polygonsToPack, const int& spacingUnits,
                                       const int& maxWidth, const int& maxLength,
                                       std::vector<Polygon>& potentialHosts, int algorithm,
                                       ReportReceiver& callersReceiver, GreedyPairingSearch pairingSearch,
                                   int threads) {
    ForwardProgress reportReceiver(callersReceiver);
    WorkerPool workers(threads);
    std::vector<IndexedValue> potentialHostIndicesSortedByArea = hostOrder(potentialHosts, algorithm);

    const std::vector<int> congruentPolygonIds = findCongruentElementsAndAssignIds(polygonsToPack, nullptr, -1);
    CongruencyCounts congruentPolygonCopyCounts;
    for (std::size_t ii = 0; ii < polygonsToPack.size(); ++ii) {
        polygonsToPack[ii].setId(congruentPolygonIds[ii]);
        ++congruentPolygonCopyCounts[congruentPolygonIds[ii]];
    }

    const int expansionFactor = spacingUnits / 2;
    std::vector<PolygonSet> polygonSets;
    polygonSets.reserve(polygonsToPack.size());
    for (const Polygon& part : polygonsToPack) {
        const Polygon grown = grownPart(part, expansionFactor);
        requireFitsAtOrigin(grown, "part");
        PolygonSet set(std::vector<Polygon>{grown});
        set.slideToOrigin();
        polygonSets.push_back(std::move(set));
    }

    Polygon defaultHost({Point(0, 0), Point(maxLength, 0), Point(maxLength, maxWidth), Point(0, maxWidth)}, "");
    defaultHost.unvalidatedExpand(expansionFactor);
    requireFitsAtOrigin(defaultHost, "standard sheet");

    std::vector<UnusableHost> unusableHosts;
    if (inflateHosts(potentialHosts, potentialHostIndicesSortedByArea, defaultHost, expansionFactor, algorithm,
                     unusableHosts)) {
        algorithm = standardSheet;
    }

    const int totalNumberOfShapes = static_cast<int>(polygonsToPack.size());
    if (algorithm == standardSheet) {
        prePackPolygonsForSpecialCases(polygonSets, congruentPolygonIds, congruentPolygonCopyCounts, defaultHost,
                                       expansionFactor, totalNumberOfShapes, &reportReceiver, pairingSearch,
                                       &workers);
    }

    std::vector<Polygon> hostShapesUsed;
    std::vector<PolygonSet> retiredSets;
    packSetsIntoHostGroupings(algorithm, polygonSets, defaultHost, expansionFactor, totalNumberOfShapes, 0,
                              congruentPolygonCopyCounts, potentialHosts, potentialHostIndicesSortedByArea,
                              &reportReceiver, hostShapesUsed, retiredSets, pairingSearch, &workers);

    PackingResults results;
    results.unusableHosts = std::move(unusableHosts);
    for (std::size_t k = 0; k < retiredSets.size(); ++k) {
        PolygonSet& group = retiredSets[k];
        const Polygon& host = hostShapesUsed[k];
        addGroupToTotals(results, group, host);

        group.unvalidatedContractAll(expansionFactor);
        std::vector<Polygon> matched;
        matched.reserve(static_cast<std::size_t>(group.size()));
        for (const Polygon& currentPolygon : group.getAllPolygons()) {
            matched.push_back(matchToCallersPart(currentPolygon, polygonsToPack));
        }
        results.resultingSets.push_back({PolygonSet(std::move(matched)), host.getName()});
    }
    return results;
}

}  // namespace Zelkor::Rectilinear::Math

#include "packing/SpecialCasePrePacking.h"

#include "packing/PackingModes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <utility>

#include "geometry/GrainTurns.h"

namespace Zelkor::Rectilinear::Math {

namespace {

// The first entry holds exactly one polygon with four edges.
bool startsWithOneRectangle(const std::vector<PolygonSet>& polygonSets) {
    return !polygonSets.empty() && polygonSets.front().size() == 1 &&
           polygonSets.front().getPolygon(0).numberOfEdges() == 4;
}

// The lengths of the first two edges, longer first.
std::pair<std::int64_t, std::int64_t> sides(const Polygon& rectangle) {
    const std::vector<Segment> edges = rectangle.getEdges();
    const std::int64_t a = edges[0].length();
    const std::int64_t b = edges[1].length();
    return {std::max(a, b), std::min(a, b)};
}

// Moves the entries matching `take` out of `from`, in order.
template <typename Predicate>
void moveEntries(std::vector<PolygonSet>& from, std::vector<PolygonSet>& to, Predicate take) {
    std::vector<PolygonSet> kept;
    for (std::size_t ii = 0; ii < from.size(); ++ii) {
        (take(ii) ? to : kept).push_back(std::move(from[ii]));
    }
    from = std::move(kept);
}

void insertAtFront(std::vector<PolygonSet>& polygonSets, const std::vector<PolygonSet>& front) {
    polygonSets.insert(polygonSets.begin(), front.begin(), front.end());
}

// Runs the host loop on standard sheets only and hands back the groups it formed.
std::vector<PolygonSet> groupsForStandardSheets(std::vector<PolygonSet>& polygonSets, const Polygon& defaultHost,
                                                int expansionFactor, int totalNumberOfShapesBeingPacked,
                                                int numberOfShapesWaitingToBePackedLater,
                                                CongruencyCounts congruentPolygonCopyCounts,
                                                ReportReceiver* reportReceiver, GreedyPairingSearch pairingSearch,
                                                WorkerPool* workers) {
    std::vector<Polygon> hostShapesUsed;
    std::vector<PolygonSet> groupings;
    packSetsIntoHostGroupings(standardSheet, polygonSets, defaultHost, expansionFactor,
                              totalNumberOfShapesBeingPacked, numberOfShapesWaitingToBePackedLater,
                              congruentPolygonCopyCounts, {}, {}, reportReceiver, hostShapesUsed, groupings,
                              pairingSearch, workers);
    return groupings;
}

}  // namespace

void separateDominantPolygons(std::vector<PolygonSet>& polygonSets, std::vector<PolygonSet>& dominantPolygonSets,
                              const std::vector<int>& congruentPolygonIds,
                              const CongruencyCounts& congruentPolygonCopyCounts) {
    std::map<int, double> congruentPolygonTotalAreas;
    double totalAreaInAllPolygons = 0.0;
    const std::size_t count = std::min(polygonSets.size(), congruentPolygonIds.size());
    for (std::size_t ii = 0; ii < count; ++ii) {
        const int id = congruentPolygonIds[ii];
        if (congruentPolygonTotalAreas.count(id)) continue;
        const auto copies = congruentPolygonCopyCounts.find(id);
        const double classArea = static_cast<double>(copies == congruentPolygonCopyCounts.end() ? 0 : copies->second) *
                                 static_cast<double>(polygonSets[ii].getArea());
        congruentPolygonTotalAreas[id] = classArea;
        totalAreaInAllPolygons += classArea;
    }
    for (const auto& [id, classArea] : congruentPolygonTotalAreas) {
        if (classArea >= totalAreaInAllPolygons * dominantAreaPercentage) {
            moveEntries(polygonSets, dominantPolygonSets,
                        [&, dominantId = id](std::size_t ii) { return ii < count && congruentPolygonIds[ii] == dominantId; });
            return;
        }
    }
}

void separateSubordinatePolygons(std::vector<PolygonSet>& polygonSets,
                                 std::vector<PolygonSet>& subordinatePolygonSets, const std::vector<int>&,
                                 const CongruencyCounts&) {
    if (polygonSets.empty()) return;
    double totalArea = 0.0;
    for (PolygonSet& set : polygonSets) totalArea += set.getArea();
    const double averagePolygonArea = totalArea / static_cast<double>(polygonSets.size());
    std::vector<bool> subordinate;
    for (PolygonSet& set : polygonSets) {
        subordinate.push_back(set.getArea() / averagePolygonArea <= subordinateAreaPercentage);
    }
    moveEntries(polygonSets, subordinatePolygonSets, [&](std::size_t ii) { return subordinate[ii]; });
}

bool vectorOfSetsContainsAllEqualRectangles(const std::vector<PolygonSet>& polygonSets) {
    if (polygonSets.empty()) return false;
    for (std::size_t ii = 1; ii < polygonSets.size(); ++ii) {
        const PolygonSet& entry = polygonSets[ii];
        if (entry.size() != 1 || entry.getPolygon(0).numberOfEdges() != 4 || !(entry == polygonSets[ii - 1])) {
            return false;
        }
    }
    return true;
}

void packEqualRectangles(std::vector<PolygonSet>& polygonSets, Polygon defaultHost) {
    if (!startsWithOneRectangle(polygonSets) || defaultHost.numberOfEdges() != 4) return;
    const Polygon& rectangle = polygonSets.front().getPolygon(0);
    // The tiling stands some rectangles up; ones with a grain are left to the host loop.
    if (std::any_of(polygonSets.begin(), polygonSets.end(),
                    [](const PolygonSet& set) { return turnsKeepingGrain(set) != anyTurn; })) {
        return;
    }
    // Plain variables rather than a structured binding: the lambda below
    // captures them, which C++17 allows only for variables.
    const std::pair<std::int64_t, std::int64_t> rectangleSides = sides(rectangle);
    const std::int64_t rectangleLength = rectangleSides.first;
    const std::int64_t rectangleWidth = rectangleSides.second;
    const auto [hostLength, hostWidth] = sides(defaultHost);
    if (rectangleWidth <= 0) return;
    const double rectangleArea = rectangle.getArea();

    // Strips of lying rectangles (rectangleWidth deep) and of standing ones
    // (rectangleLength deep) stacked across one side of the sheet; the first
    // best tiling found wins.
    double bestTiledArea = 0.0;
    std::int64_t bestFirstKind = 0, bestSecondKind = 0;
    bool hostWasFilledAcrossWidth = true;
    auto consider = [&](std::int64_t across, std::int64_t alongSide, bool acrossWidth) {
        for (std::int64_t n = across / rectangleWidth; n >= 0; --n) {
            const std::int64_t m = (across - n * rectangleWidth) / rectangleLength;
            const double tiledArea = static_cast<double>(m * (alongSide / rectangleWidth)) * rectangleArea +
                                     static_cast<double>(n * (alongSide / rectangleLength)) * rectangleArea;
            if (tiledArea > bestTiledArea) {
                bestTiledArea = tiledArea;
                bestFirstKind = n;
                bestSecondKind = m;
                hostWasFilledAcrossWidth = acrossWidth;
            }
        }
    };
    consider(hostWidth, hostLength, true);
    consider(hostLength, hostWidth, false);
    if (bestTiledArea > 0) {
        createRectanglePackingsBasedOnCalculations(
            polygonSets, static_cast<int>(bestFirstKind), static_cast<int>(bestSecondKind), hostWasFilledAcrossWidth,
            static_cast<int>(rectangleLength), static_cast<int>(rectangleWidth), static_cast<int>(hostLength),
            static_cast<int>(hostWidth));
    }
}

void createRectanglePackingsBasedOnCalculations(std::vector<PolygonSet>& polygonSets,
                                                int numberOfRectanglesWidthAligned,
                                                int numberOfRectanglesLengthAligned, bool hostWasFilledAcrossWidth,
                                                int rectangleLength, int rectangleWidth, int hostLength,
                                                int hostWidth) {
    if (!startsWithOneRectangle(polygonSets) || rectangleLength <= 0 || rectangleWidth <= 0) return;
    Polygon rectangle = polygonSets.front().getPolygon(0);
    Polygon rotatedRectangle = rectangle;
    rotatedRectangle.rotateAboutOrigin(1);
    rotatedRectangle.slideToOrigin();
    if (rectangle.getBoundingRectangle().getBottomSide().length() <
        rectangle.getBoundingRectangle().getRightSide().length()) {
        std::swap(rectangle, rotatedRectangle);
    }
    const Polygon& lying = rectangle;
    const Polygon& standing = rotatedRectangle;

    // Strips of the first kind, then of the second: the shape in them, how
    // many strips, how many tiles a strip holds, the step from tile to tile
    // and the step from strip to strip.
    struct Strips {
        const Polygon* tile;
        int count;
        int perStrip;
        Point alongStrip;
        Point toNextStrip;
    };
    const std::array<Strips, 2> kinds =
        hostWasFilledAcrossWidth
            ? std::array<Strips, 2>{Strips{&lying, numberOfRectanglesWidthAligned, hostLength / rectangleLength,
                                           Point(rectangleLength, 0), Point(0, rectangleWidth)},
                                    Strips{&standing, numberOfRectanglesLengthAligned, hostLength / rectangleWidth,
                                           Point(rectangleWidth, 0), Point(0, rectangleLength)}}
            : std::array<Strips, 2>{Strips{&standing, numberOfRectanglesWidthAligned, hostWidth / rectangleLength,
                                           Point(0, rectangleLength), Point(rectangleWidth, 0)},
                                    Strips{&lying, numberOfRectanglesLengthAligned, hostWidth / rectangleWidth,
                                           Point(0, rectangleWidth), Point(rectangleLength, 0)}};
    std::int64_t numberOfRectanglesNeededForFullSet = 0;
    for (const Strips& kind : kinds) numberOfRectanglesNeededForFullSet += std::int64_t{kind.count} * kind.perStrip;
    if (numberOfRectanglesNeededForFullSet <= 0) return;
    const std::int64_t numberOfFullSheets =
        static_cast<std::int64_t>(polygonSets.size()) / numberOfRectanglesNeededForFullSet;
    if (numberOfFullSheets < 1) return;

    std::vector<Polygon> packedRectangles;
    Point startingLocationForThisFillRectangle(0, 0);
    for (const Strips& kind : kinds) {
        for (int strip = 0; strip < kind.count; ++strip) {
            Point startingLocationForThisTileRectangle = startingLocationForThisFillRectangle;
            for (int tile = 0; tile < kind.perStrip; ++tile) {
                Polygon placed = *kind.tile;
                placed.slideToOrigin();
                placed.translate(startingLocationForThisTileRectangle);
                packedRectangles.push_back(std::move(placed));
                startingLocationForThisTileRectangle.translate(kind.alongStrip);
            }
            startingLocationForThisFillRectangle.translate(kind.toNextStrip);
        }
    }

    for (std::int64_t sheet = 0; sheet < numberOfFullSheets; ++sheet) {
        std::vector<Polygon> tiles = packedRectangles;
        for (Polygon& tile : tiles) {
            const Polygon& part = polygonSets.back().getPolygon(0);
            tile.setName(part.getName());
            tile.setId(part.getId());
            polygonSets.pop_back();
        }
        polygonSets.insert(polygonSets.begin(), PolygonSet(std::move(tiles)));
    }
}

void prePackPolygonsForSpecialCases(std::vector<PolygonSet>& polygonSets, std::vector<int> congruentPolygonIds,
                                    CongruencyCounts congruentPolygonCopyCounts, Polygon defaultHost,
                                    int expansionFactor, int totalNumberOfShapesBeingPacked,
                                    ReportReceiver* reportReceiver, GreedyPairingSearch pairingSearch,
                                    WorkerPool* workers) {
    std::vector<PolygonSet> dominantPolygons;
    std::vector<PolygonSet> subordinatePolygons;
    separateDominantPolygons(polygonSets, dominantPolygons, congruentPolygonIds, congruentPolygonCopyCounts);
    separateSubordinatePolygons(polygonSets, subordinatePolygons, congruentPolygonIds, congruentPolygonCopyCounts);

    if (!dominantPolygons.empty()) {
        if (vectorOfSetsContainsAllEqualRectangles(dominantPolygons)) {
            packEqualRectangles(dominantPolygons, defaultHost);
        } else {
            const int waiting = totalNumberOfShapesBeingPacked - static_cast<int>(dominantPolygons.size());
            dominantPolygons = groupsForStandardSheets(dominantPolygons, defaultHost, expansionFactor,
                                                       totalNumberOfShapesBeingPacked, waiting,
                                                       congruentPolygonCopyCounts, reportReceiver, pairingSearch,
                                                       workers);
        }
        insertAtFront(polygonSets, dominantPolygons);
    }

    if (!subordinatePolygons.empty()) {
        if (vectorOfSetsContainsAllEqualRectangles(polygonSets)) {
            packEqualRectangles(polygonSets, defaultHost);
        } else {
            const std::vector<PolygonSet> nonSubordinatePolygonHostGroupings = groupsForStandardSheets(
                polygonSets, defaultHost, expansionFactor, totalNumberOfShapesBeingPacked,
                static_cast<int>(subordinatePolygons.size()), congruentPolygonCopyCounts, reportReceiver, pairingSearch,
                workers);
            insertAtFront(polygonSets, nonSubordinatePolygonHostGroupings);
        }
        insertAtFront(polygonSets, subordinatePolygons);
    }
}

}  // namespace Zelkor::Rectilinear::Math

#include "reference/LiteralPlacement.h"

#include <algorithm>
#include <limits>

#include "geometry/HoledPolygonSet.h"
#include "geometry/InvalidPolygonException.h"

namespace Zelkor::Rectilinear::Reference {

std::vector<Point> translationsForPositions(const std::vector<Point>& ownPoints,
                                            const std::vector<Point>& possiblePoints) {
    std::vector<Coordinate> xTranslations, yTranslations;
    for (const Point& p : ownPoints) {
        for (const Point& q : possiblePoints) {
            const Point delta = p - q;
            xTranslations.push_back(delta.x);
            yTranslations.push_back(delta.y);
        }
    }
    std::sort(xTranslations.begin(), xTranslations.end());
    xTranslations.erase(std::unique(xTranslations.begin(), xTranslations.end()), xTranslations.end());
    std::sort(yTranslations.begin(), yTranslations.end());
    yTranslations.erase(std::unique(yTranslations.begin(), yTranslations.end()), yTranslations.end());
    std::vector<Point> translations;
    for (Coordinate x : xTranslations) {
        for (Coordinate y : yTranslations) translations.emplace_back(x, y);
    }
    return translations;
}

bool getPositionOfSetWithin(const Polygon& host, const PolygonSet& polygonSet, Point* possibleTranslation,
                            int* possibleRotation, WhiteSpaceInformation* score, bool findBestPosition,
                            int contractionFactor, const Point* startAtTranslation, const int* startAtRotation) {
    const Rectangle hostBox = host.getBoundingRectangle();
    const Rectangle setBox = polygonSet.getBoundingRectangle();
    const std::int64_t sideOne = std::int64_t{hostBox.getTopRight().x} - hostBox.getBottomLeft().x;
    const std::int64_t sideTwo = std::int64_t{hostBox.getTopRight().y} - hostBox.getBottomLeft().y;
    const std::int64_t setSideOne = std::int64_t{setBox.getTopRight().x} - setBox.getBottomLeft().x;
    const std::int64_t setSideTwo = std::int64_t{setBox.getTopRight().y} - setBox.getBottomLeft().y;
    if (std::max(setSideOne, setSideTwo) > std::max(sideOne, sideTwo) ||
        std::min(setSideOne, setSideTwo) > std::min(sideOne, sideTwo)) {
        return false;
    }
    if (host.numberOfPoints() == 4 && !findBestPosition) {
        if (possibleRotation != nullptr) *possibleRotation = 0;
        if (possibleTranslation != nullptr) *possibleTranslation = Point();
        return true;
    }

    Polygon copyPolygon = host;
    PolygonSet holes;
    PolygonSet mergedSet;
    try {
        mergedSet = polygonSet.booleanAddAndSimplifyAll(&holes);
    } catch (const InvalidPolygonException&) {
        mergedSet = polygonSet;
        holes = PolygonSet();
    }

    int rotations = 3;
    if (copyPolygon.numberOfPoints() == 4) {
        const std::vector<Segment> edges = copyPolygon.getEdges();
        rotations = edges[0].length() != edges[1].length() ? 1 : 0;
    }

    WhiteSpaceInformation bestScore;
    const int firstRotation = startAtRotation != nullptr ? *startAtRotation : 0;
    bool considerTranslations = startAtTranslation == nullptr || startAtTranslation->isHole();
    copyPolygon.rotateAboutOrigin(firstRotation);
    for (int rotation = firstRotation; rotation <= rotations; ++rotation) {
        if (rotation > firstRotation) copyPolygon.rotateAboutOrigin(1);
        copyPolygon.slideToOrigin();
        const std::vector<Point> translations = translationsForPositions(mergedSet.getPoints(), copyPolygon.getPoints());
        for (const Point& t : translations) {
            if (!considerTranslations) {
                if (t != *startAtTranslation) continue;
                considerTranslations = true;
            }
            copyPolygon.slideToOrigin();
            copyPolygon.translate(t);
            if (!copyPolygon.contains(mergedSet)) continue;
            if (!findBestPosition) {
                if (possibleRotation != nullptr) *possibleRotation = rotation;
                if (possibleTranslation != nullptr) *possibleTranslation = t;
                return true;
            }
            const WhiteSpaceInformation candidateScore = copyPolygon.whiteSpaceScore(mergedSet, contractionFactor);
            if (candidateScore.isBetter(bestScore)) {
                bestScore = candidateScore;
                if (possibleRotation != nullptr) *possibleRotation = rotation;
                if (possibleTranslation != nullptr) *possibleTranslation = t;
            }
        }
    }
    if (!bestScore.isSet()) return false;
    const PolygonSet contractedHoles = holes.getAllPolygonsContracted(contractionFactor);
    bestScore.addOutfall(HoledPolygonSet(contractedHoles), contractionFactor);
    if (score != nullptr) *score = bestScore;
    return true;
}

bool moveSetToBestPositionWithin(const Polygon& host, PolygonSet& polygonSet, int contractionFactor) {
    PolygonSet mergedSet = polygonSet.booleanAddAndSimplifyAll(nullptr);
    WhiteSpaceInformation bestScore;
    Point bestTranslation;
    int bestRotation = 0;
    for (int rotation = 0; rotation < 4; ++rotation) {
        if (rotation > 0) mergedSet.rotateAboutOrigin(1);
        mergedSet.slideToOrigin();
        const std::vector<Point> translations = translationsForPositions(host.getPoints(), mergedSet.getPoints());
        for (const Point& t : translations) {
            mergedSet.slideToOrigin();
            mergedSet.translate(t);
            if (!host.contains(mergedSet)) continue;
            const WhiteSpaceInformation candidateScore = host.whiteSpaceScore(mergedSet, contractionFactor);
            if (candidateScore.isBetter(bestScore)) {
                bestScore = candidateScore;
                bestTranslation = t;
                bestRotation = rotation;
            }
        }
    }
    if (!bestScore.isSet()) return false;
    polygonSet.rotateAboutOrigin(bestRotation);
    polygonSet.slideToOrigin();
    polygonSet.translate(bestTranslation);
    return true;
}

namespace {

// The interiors of `shape` and some other polygon overlap: the other takes
// area away from the shape.
bool interiorOverlapsAny(const Polygon& shape, const PolygonSet& others) {
    const Rectangle a = shape.getBoundingRectangle();
    for (const Polygon& other : others.getAllPolygons()) {
        if (other.isEmpty()) continue;
        const Rectangle b = other.getBoundingRectangle();
        if (a.getTopRight().x <= b.getBottomLeft().x || b.getTopRight().x <= a.getBottomLeft().x ||
            a.getTopRight().y <= b.getBottomLeft().y || b.getTopRight().y <= a.getBottomLeft().y) {
            continue;
        }
        if (shape.getArea() - shape.booleanSubtract(other).getArea() > 0.5f) return true;
    }
    return false;
}

void moveToOrigin(Polygon& polygon) {
    if (polygon.isEmpty()) return;
    const Point bottomLeft = polygon.getBoundingRectangle().getBottomLeft();
    polygon.translate(Point(0, 0) - bottomLeft);
}

}  // namespace

bool positionPolygonWithin(const Polygon& host, Polygon& polygon) {
    for (int rotation = 0; rotation < 4; ++rotation) {
        if (rotation > 0) polygon.rotateAboutOrigin(1);
        moveToOrigin(polygon);
        const std::vector<Point> translations = translationsForPositions(host.getPoints(), polygon.getPoints());
        for (const Point& t : translations) {
            moveToOrigin(polygon);
            polygon.translate(t);
            if (host.contains(polygon)) return true;
        }
    }
    return false;
}

std::vector<Point> getAllPossibleTranslationsForShapeWithinHost(Polygon polygon, Polygon hostPolygon,
                                                                PolygonSet otherPolygons, int minimumShapePadding,
                                                                bool asWritten) {
    const Polygon originalPolygon = polygon;
    const Polygon originalHost = hostPolygon;
    const int half = minimumShapePadding / 2;
    polygon.unvalidatedExpand(half);
    hostPolygon.unvalidatedExpand(half);
    otherPolygons.unvalidatedExpandAll(half);
    const Polygon paddedPolygon = polygon;
    const std::vector<Point> polygonPoints = polygon.getPoints();
    PolygonSet otherPolygonsAndHost = otherPolygons;
    otherPolygonsAndHost.add(hostPolygon);
    const std::vector<Point> possiblePolygonTranslations =
        translationsForPositions(otherPolygonsAndHost.getPoints(), polygonPoints);
    polygon.unvalidatedContract(1);
    std::vector<Point> kept;
    for (const Point& t : possiblePolygonTranslations) {
        Polygon moved = polygon;
        moved.translate(t);
        if (otherPolygons.intersect(moved) || !hostPolygon.contains(moved)) continue;
        if (!asWritten) {
            Polygon placed = originalPolygon;
            placed.translate(t);
            if (!originalHost.contains(placed)) continue;
            Polygon padded = paddedPolygon;
            padded.translate(t);
            if (interiorOverlapsAny(padded, otherPolygons)) continue;
        }
        kept.push_back(t);
    }
    return kept;
}

Polygon rotateAndPositionWithinHost(bool returnFirstFoundPosition, bool allowOriginalPosition, bool rotateClockwise,
                                    int firstRotationMultiplier, Polygon polygon, Polygon hostPolygon,
                                    PolygonSet otherPolygons, int minimumShapePadding, bool asWritten) {
    const Polygon originalHost = hostPolygon;
    const Point originalCentroid = polygon.getCentroid();
    const int half = minimumShapePadding / 2;
    Point bestTranslation;
    int bestRotation = 0;
    bool haveBest = false;
    hostPolygon.unvalidatedExpand(half);
    otherPolygons.unvalidatedExpandAll(half);
    PolygonSet otherPolygonsAndHost = otherPolygons;
    otherPolygonsAndHost.add(hostPolygon);
    for (int rotation = firstRotationMultiplier; rotation <= 3; ++rotation) {
        Polygon polygonCopy = polygon;
        polygonCopy.unvalidatedExpand(half);
        const int currentRotation = rotateClockwise ? -rotation : rotation;
        polygonCopy.rotateAboutOrigin(currentRotation);
        polygonCopy.slideToOrigin();
        const std::vector<Point> possiblePolygonTranslations =
            translationsForPositions(otherPolygonsAndHost.getPoints(), polygonCopy.getPoints());
        double bestDistanceSquaredFromOriginal = std::numeric_limits<double>::max();
        for (const Point& t : possiblePolygonTranslations) {
            Polygon movedPolygon = polygonCopy;
            movedPolygon.translate(t);
            movedPolygon.unvalidatedContract(1);
            if (otherPolygons.intersect(movedPolygon) || !hostPolygon.contains(movedPolygon)) continue;
            if (!asWritten) {
                Polygon placed = polygon;
                placed.rotateAboutOrigin(currentRotation);
                placed.slideToOrigin();
                placed.translate(Point(half, half));
                placed.translate(t);
                if (!originalHost.contains(placed)) continue;
                Polygon padded = polygonCopy;
                padded.translate(t);
                if (interiorOverlapsAny(padded, otherPolygons)) continue;
            }
            movedPolygon.unvalidatedExpand(1);
            movedPolygon.unvalidatedContract(half);
            if (!allowOriginalPosition && movedPolygon == polygon) continue;
            const Point centroid = movedPolygon.getCentroid();
            const double dx = static_cast<double>(centroid.x) - static_cast<double>(originalCentroid.x);
            const double dy = static_cast<double>(centroid.y) - static_cast<double>(originalCentroid.y);
            const double distanceSquaredFromOriginal = dx * dx + dy * dy;
            if (!haveBest || distanceSquaredFromOriginal < bestDistanceSquaredFromOriginal) {
                haveBest = true;
                bestTranslation = t;
                bestRotation = currentRotation;
                bestDistanceSquaredFromOriginal = distanceSquaredFromOriginal;
                if (returnFirstFoundPosition) break;
            }
        }
        if (haveBest) break;
    }
    if (!haveBest) return Polygon();
    polygon.rotateAboutOrigin(bestRotation);
    polygon.slideToOrigin();
    polygon.translate(Point(half, half));
    polygon.translate(bestTranslation);
    return polygon;
}

}  // namespace Zelkor::Rectilinear::Reference

#pragma once

#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/WhiteSpaceInformation.h"

namespace Zelkor::Rectilinear::Reference {

// The placement procedures step by step: every candidate of the full grid is
// built and tested with Polygon::contains / PolygonSet::intersect. Kept to
// check the library's searches against and as benchmark baselines.

// Every (x, y) of own corner minus possible point, distinct per axis, x then y ascending.
std::vector<Point> translationsForPositions(const std::vector<Point>& ownPoints,
                                            const std::vector<Point>& possiblePoints);

bool getPositionOfSetWithin(const Polygon& host, const PolygonSet& polygonSet, Point* possibleTranslation,
                            int* possibleRotation, WhiteSpaceInformation* score, bool findBestPosition,
                            int contractionFactor, const Point* startAtTranslation, const int* startAtRotation);

bool moveSetToBestPositionWithin(const Polygon& host, PolygonSet& polygonSet, int contractionFactor);

bool positionPolygonWithin(const Polygon& host, Polygon& polygon);

// The padding procedures. With `asWritten` true the candidates are filtered
// exactly as the procedure is written, which lets a shape stick out of the
// host by one unit and lets a shape 2 units wide (padding below 2) lie on top
// of another; otherwise a candidate must also keep the shape itself inside
// the host and the grown shape's interior clear of every grown other shape
// (compared by subtraction areas), as the library does.
std::vector<Point> getAllPossibleTranslationsForShapeWithinHost(Polygon polygon, Polygon hostPolygon,
                                                                PolygonSet otherPolygons, int minimumShapePadding,
                                                                bool asWritten = false);

Polygon rotateAndPositionWithinHost(bool returnFirstFoundPosition, bool allowOriginalPosition, bool rotateClockwise,
                                    int firstRotationMultiplier, Polygon polygon, Polygon hostPolygon,
                                    PolygonSet otherPolygons, int minimumShapePadding, bool asWritten = false);

}  // namespace Zelkor::Rectilinear::Reference

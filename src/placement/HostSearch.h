#pragma once

#include <optional>
#include <vector>

#include "geometry/GrainTurns.h"
#include "geometry/MergedOutline.h"
#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/WhiteSpaceInformation.h"
#include "placement/ColumnCover.h"

// Host search: whether and where a set fits inside a host polygon, and how
// good a place is by the leftover it leaves. The host polygon's members of
// the same names forward here.
namespace Zelkor::Rectilinear::Math {

// A position is reported as (possibleTranslation, possibleRotation): turn a
// copy of the host by possibleRotation quarter turns, slide its bounding
// rectangle to (0, 0) and translate it by possibleTranslation; the set, left
// where it is, then lies inside. Null pointers are absent outputs and inputs.
// Candidates are walked by rotation, then x offset, then y offset, and the
// first of equal answers wins. A host that has to be slid to the origin for
// the search and is more than highestCoordinate wide or high raises
// CoordinateRangeException.
bool getPositionOfSetWithin(const Polygon& host, const PolygonSet& polygonSet, Point* possibleTranslation,
                            int* possibleRotation, WhiteSpaceInformation* score, bool findBestPosition,
                            int contractionFactor, const Point* startAtTranslation, const int* startAtRotation);
// The first position found, if any.
bool canContain(const Polygon& host, const PolygonSet& polygonSet, Point* possibleTranslation = nullptr,
                int* possibleRotation = nullptr);
bool canContain(const Polygon& host, const Polygon& otherPolygon, Point* possibleTranslation = nullptr,
                int* possibleRotation = nullptr);
// The position that leaves the best leftover, scored into `score`.
bool getBestPositionOfSetWithin(const Polygon& host, const PolygonSet& polygonSet, Point* possibleTranslation,
                                int* possibleRotation, WhiteSpaceInformation* score, int contractionFactor,
                                const Point* startAtTranslation = nullptr, const int* startAtRotation = nullptr);
// The same for a set known by its merged outline (Math::mergedOutline of
// the set), the turns that keep its grain (Math::turnsKeepingGrain) and,
// unless null, its holes shrunk by the contraction factor
// (merged.holes.getAllPolygonsContracted), with the same answer.
bool getBestPositionOfSetWithin(const Polygon& host, const MergedOutline& merged, GrainTurns grainTurns,
                                const PolygonSet* contractedHoles, Point* possibleTranslation, int* possibleRotation, WhiteSpaceInformation* score,
                                int contractionFactor, const Point* startAtTranslation = nullptr,
                                const int* startAtRotation = nullptr);

// The same for a set known by its region alone, in a rectangular host with
// any turn allowed: the boxes of its outlines filled, at the set's place,
// and the holes they leave shrunk by the contraction factor and counted
// (WhiteSpaceInformation of them, as the outfall). Holes the boxes
// still close in count as the set's own. Nothing where the region alone
// cannot give the same answer: its outline touches itself at a hole, a place or a hole
// would have to be scored the plain way, the order of the holes would decide,
// or the start is not among the places the set's box tells.
std::optional<bool> getBestPositionOfRegionWithin(const Polygon& host, const std::vector<ColumnCover::Box>& region,
                                                  const WhiteSpaceInformation& contractedHoles, Point* possibleTranslation,
                                                  int* possibleRotation, WhiteSpaceInformation* score,
                                                  int contractionFactor, const Point* startAtTranslation = nullptr,
                                                  const int* startAtRotation = nullptr);

// The leftover the host keeps around a set already placed in it, shrunk by
// the contraction factor.
WhiteSpaceInformation whiteSpaceScore(const Polygon& host, const PolygonSet& setToBeContained,
                                      int contractionFactor);

// Every translation (x ascending, then y) that puts one of `corners` on the
// vertical line of one possible point and the horizontal line of another.
std::vector<Point> getAllTranslationsForPositions(const std::vector<Point>& corners,
                                                  const std::vector<Point>& possiblePoints);

// Here the shape moves, the host stays: the set to its best place inside the
// host, or nowhere (false, the set unchanged).
bool moveSetToBestPositionWithin(const Polygon& host, PolygonSet& polygonSet, int contractionFactor);
// The polygon to the first place inside the host, turned if needed.
bool positionPolygonWithin(const Polygon& host, Polygon& polygon);

}  // namespace Zelkor::Rectilinear::Math

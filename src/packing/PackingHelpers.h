#pragma once

#include <string>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "packing/IndexedValue.h"
#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear::Math {

// Area sorts. Equal areas keep their index order (the sorts are stable), so a
// pack comes out the same on every machine and in every run.
// Ascending by PolygonSet::getArea (which fills the sets' cached totals).
std::vector<IndexedValue> sortedIndicesByArea(std::vector<PolygonSet>& polygonSets);
// Ascending, or descending when decendingOrder, by Polygon::getArea.
std::vector<IndexedValue> sortedIndicesByArea(const std::vector<Polygon>& polygons, bool decendingOrder);

// One congruency id per element: two elements share an id exactly when one
// equals the other after some quarter turns (mirror images do not count).
// Ids follow first occurrence in list order. With `existingCongruencyIds`
// only the elements whose id is -1 are numbered anew (a numbering of another
// length comes back unchanged); `indexToMakeUnique`, when not -1, always gets
// a fresh id of its own. Instantiated for Polygon and PolygonSet.
template <typename Element>
std::vector<int> findCongruentElementsAndAssignIds(const std::vector<Element>& elementList,
                                                   const std::vector<int>* existingCongruencyIds,
                                                   int indexToMakeUnique);

// "W x H", the width and height of the box, for messages.
std::string sizeText(const Rectangle& box);

// The share of the job done: (total - waiting - sets + 1) / total, at most 0.99.
float progressFraction(int totalNumberOfShapesToPack, int numberOfShapesWaitingToBePackedLater,
                       int numberOfSetsCurrentlyBeingPacked);
// Reports progressFraction to the receiver, when there is one.
void reportProgress(int totalNumberOfShapesToPack, int numberOfShapesWaitingToBePackedLater,
                    int numberOfSetsCurrentlyBeingPacked, ReportReceiver* reportReceiver);

}  // namespace Zelkor::Rectilinear::Math

#pragma once

#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Math {

// The lines a saw must follow to free the placed polygons from the host: the
// outlines grown by half the blade width, split wherever they meet, without
// the pieces that run along the grown host's own edge. Every segment points
// up or right; the list is sorted and holds each line once, so a line shared
// by two outlines one blade width apart comes back once.
std::vector<Segment> getCutLines(const Polygon& hostPolygon, const std::vector<Polygon>& polygons, int bladeWidth);

// The straight cut pieces that may be added next. They come from a grid of
// full-width lines through every corner of the shapes grown by half the
// blade width, split by the grown outlines; a piece survives only when one of
// its ends is an end of an existing cut, it runs through no uncuttable shape,
// it is not on the grown host's edge, it does not repeat an existing cut, and
// (when there are cuttable shapes) it runs through one of them. Pieces come
// in grid order: horizontal lines by ascending y, then vertical lines by
// ascending x. Without any shape there is no grid and nothing to add.
std::vector<Segment> getAllCutsThatCanBeAdded(const std::vector<HoledPolygon>& uncuttablePolygons,
                                              const std::vector<HoledPolygon>& cuttablePolygons,
                                              const Polygon& hostPolygon, const std::vector<Segment>& existingCuts,
                                              int bladeWidth);

// The kerf of a cut: a rectangle centred on the line, as long as the line and
// 2 * (widthToMakeRectangle / 2) wide (an odd width loses one unit). A side
// outside the coordinate range raises CoordinateRangeException.
Polygon createRectangularPolygonFromSegment(const Segment& centerLine, int widthToMakeRectangle);

}  // namespace Zelkor::Rectilinear::Math

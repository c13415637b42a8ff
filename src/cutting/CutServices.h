#pragma once

#include <vector>

#include "cutting/PolygonSetCutResult.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Math {

// The leftover material of a host once the placed polygons and the kerf of
// every cut line that frees them are taken away. Each cut's strip is
// 2 * (bladeWidth / 2) wide and lengthened by bladeWidth / 2 at both ends, so
// that strips meeting at a corner close it and the outfall turns with the
// layout. Near an end of the coordinate range the layout is worked out moved
// away from it, the outfall lying in the host; strips that span more than the
// whole range raise CoordinateRangeException.
HoledPolygonSet getOutfallFrom(const Polygon& hostPolygon, const PolygonSet& polygonSet, int bladeWidth);

// Saws through the pieces along cuttingSegment with a blade of width
// minimumShapePadding (the strip is exactly as long as the segment). Only the
// pieces the strip touches are consumed; they are replaced by what remains of
// them on either side.
PolygonSetCutResult makeCutOnPolygonSet(const std::vector<HoledPolygon>& cuttablePolygons,
                                        const Segment& cuttingSegment, int minimumShapePadding);

// Undoes a cut: the pieces beside it are merged with the strip it had taken,
// and the strips of the other cuts and of the host's edge that cross that
// strip are taken out of the merged material again.
PolygonSetCutResult removeCutFromPolygonSet(const std::vector<HoledPolygon>& cuttablePolygons,
                                            const Segment& cutSegmentToRemove,
                                            const std::vector<Segment>& otherCutSegments, const Polygon& hostPolygon,
                                            int minimumShapePadding);

}  // namespace Zelkor::Rectilinear::Math

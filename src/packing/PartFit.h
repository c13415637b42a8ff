#pragma once

#include <string>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Math {

// A part that no host and no standard sheet can take, even alone.
struct PartThatFitsNowhere {
    int index = -1;    // its position in the parts given
    std::string name;  // its name, empty when it had none
    // A sentence naming the part and its size against the sheet's, e.g.
    // "part 'a' (10 x 10) fits neither the 1 x 1 sheet nor any off-cut".
    std::string reason;
};

// The parts that fit neither the standard sheet (sheetLength along x by
// sheetWidth along y) nor any of the hosts, in the order given, judged as the
// packing engine judges them: part, hosts and sheet grown by half the blade
// (rounded down), quarter turns allowed. A host that cannot grow takes no
// part. Any such part makes the packing fail with PackingException; this
// names them all beforehand. Throws CoordinateRangeException when growing
// leaves the coordinate range.
std::vector<PartThatFitsNowhere> findPartsThatFitNowhere(const std::vector<Polygon>& parts, int bladeWidth,
                                                         Coordinate sheetLength, Coordinate sheetWidth,
                                                         const std::vector<Polygon>& hosts);

}  // namespace Zelkor::Rectilinear::Math

#pragma once

#include <vector>

#include "geometry/HoledPolygonSet.h"

namespace Zelkor::Rectilinear {

// What a cut, or the removal of one, does to a list of pieces: the pieces
// at `indices` (ascending positions in the caller's list) are consumed and
// `pieces` take their place.
struct PolygonSetCutResult {
    std::vector<int> indices;
    HoledPolygonSet pieces;
};

}  // namespace Zelkor::Rectilinear

#pragma once

#include <cstddef>
#include <vector>

#include "placement/ColumnCover.h"

namespace Zelkor::Rectilinear {

// What a region, kept as columns, would give as merged outlines: enough to
// tell whether its outlines could stand for a set's merged outline without
// tracing them.
struct RegionOutlines {
    // Two covered quarters meet at a corner only, somewhere: an outline there
    // touches itself or another.
    bool touchesItself = false;
    // The uncovered parts closed in (the region's holes), each as boxes,
    // column by column from the left and upwards within a column.
    std::vector<std::vector<ColumnCover::Box>> holes;
    // The corners of the outline with the most, its holes left out.
    std::size_t mostCorners = 0;
};

namespace Math {

RegionOutlines regionOutlines(const ColumnCover& cover);

}  // namespace Math

}  // namespace Zelkor::Rectilinear

#pragma once

#include <cstddef>
#include <vector>

#include "placement/ColumnCover.h"

namespace Zelkor::Rectilinear {

// What a region, kept as columns, would give as merged outlines: enough to
// tell whether its outlines could stand for a set's merged outline without
// tracing them.
struct RegionOutlines {
    // The uncovered parts closed in (the region's holes): each as boxes,
    // column by column from the left and upwards within a column, and
    // whether the region touches itself at a corner of it (two covered
    // quarters diagonally, the hole in an open one), where the union's walks
    // might go either way: such a hole might as well come out as outfall.
    struct Hole {
        std::vector<ColumnCover::Box> gaps;
        bool touchedAtCorner = false;
    };
    std::vector<Hole> holes;
    // Some piece of the region lies in one of its holes, meeting the outside nowhere.
    bool hasIslands = false;
};

namespace Math {

RegionOutlines regionOutlines(const ColumnCover& cover);

}  // namespace Math

}  // namespace Zelkor::Rectilinear

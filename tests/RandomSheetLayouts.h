#pragma once

#include <algorithm>
#include <random>
#include <vector>

#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Testing {

struct SheetLayout {
    Polygon sheet;
    std::vector<Polygon> parts;
};

// Rectangular parts of random sizes laid out in shelves, one blade width
// apart, on a sheet of the given width that leaves some room above the last
// shelf. Some parts get a notch cut from a corner (L shapes). Sizes vary so
// that almost every part adds grid coordinates of its own, the hard case for
// the cutting services.
inline SheetLayout shelfLayout(std::mt19937& random, int partCount, int bladeWidth, Coordinate sheetWidth = 2440) {
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    SheetLayout layout;
    Coordinate x = 0, y = 0, shelfHeight = 0;
    for (int i = 0; i < partCount; ++i) {
        const Coordinate w = between(40, 220), h = between(40, 160);
        if (x + w > sheetWidth) {
            x = 0;
            y += shelfHeight + bladeWidth;
            shelfHeight = 0;
        }
        std::vector<Point> corners{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
        if (between(0, 3) == 0) {
            const Coordinate notchX = x + w - between(10, w / 2), notchY = y + h - between(10, h / 2);
            corners = {{x, y}, {x + w, y}, {x + w, notchY}, {notchX, notchY}, {notchX, y + h}, {x, y + h}};
        }
        layout.parts.emplace_back(corners, "part");
        x += w + bladeWidth;
        shelfHeight = std::max(shelfHeight, h);
    }
    const Coordinate sheetHeight = y + shelfHeight + between(50, 300);
    layout.sheet = Polygon(std::vector<Point>{{0, 0}, {sheetWidth, 0}, {sheetWidth, sheetHeight}, {0, sheetHeight}},
                           "sheet");
    return layout;
}

// Rectangular parts of random sizes, one per cell of a grid of 120-unit
// cells, well apart from each other and from the sheet's edge: every part
// leaves a hole of its own in the outfall.
inline SheetLayout islandLayout(std::mt19937& random, int partCount, int columns = 20) {
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    SheetLayout layout;
    for (int i = 0; i < partCount; ++i) {
        const Coordinate x = (i % columns) * 120 + 20, y = (i / columns) * 120 + 20;
        const Coordinate w = between(40, 99), h = between(40, 99);
        layout.parts.emplace_back(std::vector<Point>{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, "part");
    }
    const Coordinate width = columns * 120 + 20, height = ((partCount + columns - 1) / columns) * 120 + 20;
    layout.sheet = Polygon(std::vector<Point>{{0, 0}, {width, 0}, {width, height}, {0, height}}, "sheet");
    return layout;
}

}  // namespace Zelkor::Rectilinear::Testing

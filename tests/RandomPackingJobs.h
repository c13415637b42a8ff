#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "packing/PackingJob.h"

namespace Zelkor::Rectilinear::Testing {

namespace Detail {

// Outlines with the lower-left corner of their bounding box at (0, 0).
inline std::vector<Point> rectangleOutline(Coordinate w, Coordinate h) {
    return {{0, 0}, {w, 0}, {w, h}, {0, h}};
}

// A w by h rectangle without its top-right nw by nh corner.
inline std::vector<Point> lOutline(Coordinate w, Coordinate h, Coordinate nw, Coordinate nh) {
    return {{0, 0}, {w, 0}, {w, h - nh}, {w - nw, h - nh}, {w - nw, h}, {0, h}};
}

// A bar of thickness t across the top of a w by h box on a stem of width s starting at x = a.
inline std::vector<Point> tOutline(Coordinate w, Coordinate h, Coordinate a, Coordinate s, Coordinate t) {
    return {{a, 0}, {a + s, 0}, {a + s, h - t}, {w, h - t}, {w, h}, {0, h}, {0, h - t}, {a, h - t}};
}

// A w by h rectangle with a slot of width s and depth d cut down from the top at x = a.
inline std::vector<Point> uOutline(Coordinate w, Coordinate h, Coordinate a, Coordinate s, Coordinate d) {
    return {{0, 0}, {w, 0}, {w, h}, {a + s, h}, {a + s, h - d}, {a, h - d}, {a, h}, {0, h}};
}

}  // namespace Detail

// A cutting job on 3000 by 1500 sheets with a blade of 4: rectangles, L, T
// and U parts from 100 to 900 units a side, many of them in two or three
// identical copies, and four off-cuts in stock, two of them L-shaped. The
// same generator state gives the same job.
inline PackingJob randomPackingJob(std::mt19937& random, int partCount, int mode = Math::minimumAreaOutfall) {
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    PackingJob job;
    job.sheetLength = 3000;
    job.sheetWidth = 1500;
    job.bladeWidth = 4;
    job.mode = mode;

    for (int i = 1; i <= 4; ++i) {
        const Coordinate w = between(700, 1800), h = between(400, 1000);
        const std::vector<Point> outline = i % 2 == 0 ? Detail::lOutline(w, h, between(w / 4, w / 2), between(h / 4, h / 2))
                                                      : Detail::rectangleOutline(w, h);
        job.hosts.emplace_back(outline, "offcut-" + std::to_string(i));
    }

    for (int shape = 1; static_cast<int>(job.parts.size()) < partCount; ++shape) {
        const Coordinate w = between(150, 900), h = between(100, 600);
        std::vector<Point> outline;
        switch (between(0, 3)) {
            case 0: outline = Detail::rectangleOutline(w, h); break;
            case 1: outline = Detail::lOutline(w, h, between(w / 4, w * 3 / 4), between(h / 4, h * 3 / 4)); break;
            case 2: {
                const Coordinate s = between(w / 5, w / 2);
                outline = Detail::tOutline(w, h, between(1, w - s - 1), s, between(h / 4, h / 2));
                break;
            }
            default: {
                const Coordinate s = between(w / 5, w / 2);
                outline = Detail::uOutline(w, h, between(w / 8, w - s - w / 8), s, between(h / 4, h * 3 / 4));
                break;
            }
        }
        const int copies = std::min(between(1, 3), partCount - static_cast<int>(job.parts.size()));
        for (int copy = 1; copy <= copies; ++copy) {
            job.parts.emplace_back(outline, "p" + std::to_string(shape) + "-" + std::to_string(copy));
        }
    }
    return job;
}


// A dense job: many small parts to a sheet, as brackets, small panels and
// strips are cut. Copies of 20 shapes in turn (every third a rectangle, the
// others L shapes, sides 30 to 120) on 1220 by 2440 sheets, blade 4.
inline PackingJob densePackingJob(std::mt19937& random, int partCount, int mode = Math::standardSheet) {
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::vector<std::vector<Point>> shapes;
    for (int shape = 0; shape < 20; ++shape) {
        const Coordinate w = between(30, 120), h = between(30, 120);
        shapes.push_back(shape % 3 == 0 ? Detail::rectangleOutline(w, h)
                                        : Detail::lOutline(w, h, between(10, w - 10), between(10, h - 10)));
    }
    PackingJob job;
    job.sheetLength = 1220;
    job.sheetWidth = 2440;
    job.bladeWidth = 4;
    job.mode = mode;
    for (int part = 0; part < partCount; ++part) {
        job.parts.emplace_back(shapes[static_cast<std::size_t>(part % 20)], "d" + std::to_string(part));
    }
    return job;
}

// Distinct rectangles, sides 20 to 300, on one 3000 by 3000 sheet, no blade:
// every part is a kind of its own.
inline PackingJob distinctRectanglesJob(std::mt19937& random, int partCount) {
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    PackingJob job;
    job.sheetLength = 3000;
    job.sheetWidth = 3000;
    job.mode = Math::standardSheet;
    for (int part = 0; part < partCount; ++part) {
        job.parts.emplace_back(Detail::rectangleOutline(between(20, 300), between(20, 300)), "r" + std::to_string(part));
    }
    return job;
}

}  // namespace Zelkor::Rectilinear::Testing

#pragma once

#include <random>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear::Testing {

// A part of four to eight corners: a rectangle, or an L, T or U cut out of
// one, in a random quarter turn, its box at the origin.
inline Polygon randomPart(std::mt19937& random, Coordinate maxSide) {
    std::uniform_int_distribution<Coordinate> side(3, maxSide);
    const Coordinate w = side(random);
    const Coordinate h = side(random);
    const Coordinate a = std::uniform_int_distribution<Coordinate>(1, h - 1)(random);
    const Coordinate b = std::uniform_int_distribution<Coordinate>(1, w - 2)(random);
    const Coordinate c = std::uniform_int_distribution<Coordinate>(b + 1, w - 1)(random);
    std::vector<Point> corners;
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0:
            corners = {{0, 0}, {w, 0}, {w, h}, {0, h}};
            break;
        case 1:  // L
            corners = {{0, 0}, {w, 0}, {w, a}, {b, a}, {b, h}, {0, h}};
            break;
        case 2:  // T, the bar below
            corners = {{0, 0}, {w, 0}, {w, a}, {c, a}, {c, h}, {b, h}, {b, a}, {0, a}};
            break;
        default:  // U
            corners = {{0, 0}, {w, 0}, {w, h}, {c, h}, {c, a}, {b, a}, {b, h}, {0, h}};
    }
    Polygon part(corners, "");
    part.rotateAboutOrigin(std::uniform_int_distribution<int>(0, 3)(random));
    part.slideToOrigin();
    return part;
}

// Three to eight parts laid next to each other as a packing places them:
// each against a side of an earlier one at a random place along it, mostly
// touching, sometimes overlapping it or leaving a small gap; now and then a
// part lies exactly on an earlier one.
inline PolygonSet randomPartCluster(std::mt19937& random, Coordinate maxSide) {
    PolygonSet cluster;
    const int count = std::uniform_int_distribution<int>(3, 8)(random);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && std::uniform_int_distribution<int>(0, 19)(random) == 0) {
            cluster.add(cluster.getPolygon(std::uniform_int_distribution<int>(0, i - 1)(random)));
            continue;
        }
        Polygon part = randomPart(random, maxSide);
        if (i > 0) {
            const Rectangle next = cluster.getPolygon(std::uniform_int_distribution<int>(0, i - 1)(random))
                                       .getBoundingRectangle();
            const Rectangle own = part.getBoundingRectangle();
            const Coordinate width = own.getTopRight().x;
            const Coordinate height = own.getTopRight().y;
            const int gapKind = std::uniform_int_distribution<int>(0, 9)(random);
            const Coordinate gap = gapKind < 8 ? 0 : gapKind == 8 ? -std::uniform_int_distribution<Coordinate>(1, 3)(random) : 1;
            const Point low = next.getBottomLeft();
            const Point high = next.getTopRight();
            Point at;
            switch (std::uniform_int_distribution<int>(0, 3)(random)) {
                case 0:
                    at = Point(high.x + gap, std::uniform_int_distribution<Coordinate>(low.y - height, high.y)(random));
                    break;
                case 1:
                    at = Point(low.x - width - gap, std::uniform_int_distribution<Coordinate>(low.y - height, high.y)(random));
                    break;
                case 2:
                    at = Point(std::uniform_int_distribution<Coordinate>(low.x - width, high.x)(random), high.y + gap);
                    break;
                default:
                    at = Point(std::uniform_int_distribution<Coordinate>(low.x - width, high.x)(random), low.y - height - gap);
            }
            part.translate(at);
        }
        cluster.add(part);
    }
    return cluster;
}

// Parts of clusters grown one after another, as a packing grows a group: up
// to forty members, touching, overlapping and sometimes enclosing holes.
inline PolygonSet randomPartGroup(std::mt19937& random) {
    PolygonSet group = randomPartCluster(random, 12);
    const int clusters = std::uniform_int_distribution<int>(0, 5)(random);
    for (int c = 0; c < clusters; ++c) {
        PolygonSet more = randomPartCluster(random, 12);
        const Rectangle box = group.getBoundingRectangle();
        more.translate(Point(std::uniform_int_distribution<Coordinate>(box.getBottomLeft().x - 10, box.getTopRight().x)(random),
                             std::uniform_int_distribution<Coordinate>(box.getBottomLeft().y - 10, box.getTopRight().y)(random)));
        group.add(more);
    }
    return group;
}

}  // namespace Zelkor::Rectilinear::Testing

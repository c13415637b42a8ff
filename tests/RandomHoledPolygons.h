#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "RandomPolygons.h"
#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Testing {

// The unit cells (by lower-left corner) a closed corner chain encloses,
// found by an even-odd count of the vertical edges right of each cell
// centre. Independent of the polygon code, for building valid test input.
inline std::set<std::pair<Coordinate, Coordinate>> cellsInside(const std::vector<Point>& corners) {
    std::set<std::pair<Coordinate, Coordinate>> cells;
    if (corners.empty()) return cells;
    Coordinate left = corners[0].x, right = left, bottom = corners[0].y, top = bottom;
    for (const Point& p : corners) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    const std::size_t count = corners.size();
    for (Coordinate x = left; x < right; ++x) {
        for (Coordinate y = bottom; y < top; ++y) {
            int crossings = 0;
            for (std::size_t i = 0; i < count; ++i) {
                const Point& a = corners[i];
                const Point& b = corners[(i + 1) % count];
                if (a.x != b.x || a.x <= x) continue;
                if (std::min(a.y, b.y) <= y && y < std::max(a.y, b.y)) ++crossings;
            }
            if (crossings % 2 == 1) cells.emplace(x, y);
        }
    }
    return cells;
}

// Two axis-parallel segments lie on one line and share a positive length.
inline bool overlapCollinearly(const Point& a1, const Point& a2, const Point& b1, const Point& b2) {
    const bool aVertical = a1.x == a2.x;
    const bool bVertical = b1.x == b2.x;
    if (aVertical != bVertical) return false;
    if (aVertical) {
        if (a1.x != b1.x) return false;
        return std::min(std::max(a1.y, a2.y), std::max(b1.y, b2.y)) > std::max(std::min(a1.y, a2.y), std::min(b1.y, b2.y));
    }
    if (a1.y != b1.y) return false;
    return std::min(std::max(a1.x, a2.x), std::max(b1.x, b2.x)) > std::max(std::min(a1.x, a2.x), std::min(b1.x, b2.x));
}

inline bool shareBoundaryLength(const Polygon& a, const Polygon& b) {
    const std::vector<Point>& pa = a.getPoints();
    const std::vector<Point>& pb = b.getPoints();
    for (std::size_t i = 0; i < pa.size(); ++i) {
        for (std::size_t j = 0; j < pb.size(); ++j) {
            if (overlapCollinearly(pa[i], pa[(i + 1) % pa.size()], pb[j], pb[(j + 1) % pb.size()])) return true;
        }
    }
    return false;
}

inline Polygon rectangleOf(Coordinate x1, Coordinate y1, Coordinate x2, Coordinate y2) {
    return Polygon(std::vector<Point>{{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, "");
}

// An x-monotone polygon of `columns` columns, 1 to 3 wide, each spanning a
// random height range that overlaps its neighbour's: many corners on a
// small grid, often at equal heights across the shape.
inline Polygon randomMonotonePolygon(std::mt19937& random, int columns) {
    std::uniform_int_distribution<Coordinate> width(1, 3), level(0, 12);
    std::vector<Coordinate> xs{std::uniform_int_distribution<Coordinate>(-10, 10)(random)};
    std::vector<Coordinate> bottoms;
    std::vector<Coordinate> tops;
    for (int i = 0; i < columns; ++i) {
        xs.push_back(xs.back() + width(random));
        Coordinate bottom = 0, top = 0;
        do {
            bottom = level(random);
            top = level(random);
            if (bottom > top) std::swap(bottom, top);
        } while (bottom == top || (i > 0 && (bottom >= tops.back() || top <= bottoms.back())));
        bottoms.push_back(bottom);
        tops.push_back(top);
    }
    std::vector<Point> corners;
    for (int i = 0; i < columns; ++i) {
        corners.emplace_back(xs[static_cast<std::size_t>(i)], bottoms[static_cast<std::size_t>(i)]);
        corners.emplace_back(xs[static_cast<std::size_t>(i) + 1], bottoms[static_cast<std::size_t>(i)]);
    }
    for (int i = columns - 1; i >= 0; --i) {
        corners.emplace_back(xs[static_cast<std::size_t>(i) + 1], tops[static_cast<std::size_t>(i)]);
        corners.emplace_back(xs[static_cast<std::size_t>(i)], tops[static_cast<std::size_t>(i)]);
    }
    return Polygon(corners, "monotone");
}

// A random simple polygon with up to maxHoles holes. Every hole lies inside
// the base and apart from the other holes; a hole may touch the base or
// another hole at single points (shared corners), never along an edge.
// Holes are rectangles or small notched shapes, often one unit wide.
// Grid sizes above 8 give monotone outlines of that many columns.
inline HoledPolygon randomHoledPolygon(std::mt19937& random, int gridSize, int maxHoles) {
    const Polygon base = gridSize > 8 ? randomMonotonePolygon(random, gridSize) : randomRectilinearPolygon(random, gridSize);
    const auto baseCells = cellsInside(base.getPoints());
    const Rectangle box = base.getBoundingRectangle();
    const Coordinate left = box.getBottomLeft().x, bottom = box.getBottomLeft().y;
    const Coordinate right = box.getTopRight().x, top = box.getTopRight().y;
    const int wanted = std::uniform_int_distribution<int>(0, maxHoles)(random);
    std::vector<Polygon> holes;
    std::set<std::pair<Coordinate, Coordinate>> holeCells;
    for (int attempt = 0; attempt < 40 && static_cast<int>(holes.size()) < wanted; ++attempt) {
        Polygon candidate;
        if (random() % 3 != 0) {
            std::uniform_int_distribution<Coordinate> xs(left, right), ys(bottom, top);
            Coordinate x1 = xs(random), x2 = xs(random), y1 = ys(random), y2 = ys(random);
            if (x1 == x2 || y1 == y2) continue;
            candidate = rectangleOf(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
        } else {
            candidate = randomRectilinearPolygon(random, 2);
            const Rectangle own = candidate.getBoundingRectangle();
            std::uniform_int_distribution<Coordinate> xs(left, right), ys(bottom, top);
            candidate.translate(Point(xs(random) - own.getBottomLeft().x, ys(random) - own.getBottomLeft().y));
        }
        const auto cells = cellsInside(candidate.getPoints());
        bool fits = !cells.empty() && !shareBoundaryLength(candidate, base);
        for (const auto& cell : cells) {
            if (!fits) break;
            fits = baseCells.count(cell) == 1 && holeCells.count(cell) == 0;
        }
        for (const Polygon& hole : holes) {
            if (!fits) break;
            fits = !shareBoundaryLength(candidate, hole);
        }
        if (!fits) continue;
        holes.push_back(candidate);
        holeCells.insert(cells.begin(), cells.end());
    }
    return HoledPolygon(base, holes);
}

// The shape moved so that its base's box overlaps `box`.
inline HoledPolygon movedToOverlap(std::mt19937& random, const HoledPolygon& shape, const Rectangle& box) {
    const Rectangle own = shape.getBasePolygon().getBoundingRectangle();
    const Coordinate w = own.getTopRight().x - own.getBottomLeft().x;
    const Coordinate h = own.getTopRight().y - own.getBottomLeft().y;
    using Range = std::uniform_int_distribution<Coordinate>;
    const Coordinate x = Range(box.getBottomLeft().x - w + 1, box.getTopRight().x - 1)(random);
    const Coordinate y = Range(box.getBottomLeft().y - h + 1, box.getTopRight().y - 1)(random);
    Polygon movedBase = shape.getBasePolygon();
    std::vector<Polygon> movedHoles = shape.getHoles();
    const Point offset(x - own.getBottomLeft().x, y - own.getBottomLeft().y);
    movedBase.translate(offset);
    for (Polygon& hole : movedHoles) hole.translate(offset);
    return HoledPolygon(movedBase, movedHoles);
}

// A random polygon with 2 to maxHoles holes that do not overlap, where some
// hole shares an edge, or part of one, with another hole or with the outline
// (touching it from inside). Holes are rectangles, small notched shapes and
// rectangles laid against a side of an earlier hole.
inline HoledPolygon randomHoledPolygonWithSharedEdges(std::mt19937& random, int gridSize, int maxHoles) {
    std::uniform_int_distribution<Coordinate> depth(1, 3);
    for (;;) {
        const Polygon base =
            gridSize > 8 ? randomMonotonePolygon(random, gridSize) : randomRectilinearPolygon(random, gridSize);
        const auto baseCells = cellsInside(base.getPoints());
        const Rectangle box = base.getBoundingRectangle();
        std::uniform_int_distribution<Coordinate> xs(box.getBottomLeft().x, box.getTopRight().x);
        std::uniform_int_distribution<Coordinate> ys(box.getBottomLeft().y, box.getTopRight().y);
        const int wanted = std::uniform_int_distribution<int>(2, std::max(2, maxHoles))(random);
        std::vector<Polygon> holes;
        std::set<std::pair<Coordinate, Coordinate>> holeCells;
        for (int attempt = 0; attempt < 60 && static_cast<int>(holes.size()) < wanted; ++attempt) {
            Polygon candidate;
            const unsigned kind = holes.empty() ? 0 : random() % 3;
            if (kind == 0) {
                const Coordinate x1 = xs(random), x2 = xs(random), y1 = ys(random), y2 = ys(random);
                if (x1 == x2 || y1 == y2) continue;
                candidate = rectangleOf(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
            } else if (kind == 1) {
                // Against one side of an earlier hole's box, overlapping it along that side.
                const std::size_t k = std::uniform_int_distribution<std::size_t>(0, holes.size() - 1)(random);
                const Rectangle other = holes[k].getBoundingRectangle();
                const bool vertical = random() % 2 == 0;
                const bool high = random() % 2 == 0;
                const Coordinate lo = vertical ? other.getBottomLeft().y : other.getBottomLeft().x;
                const Coordinate hi = vertical ? other.getTopRight().y : other.getTopRight().x;
                const Coordinate side = vertical ? (high ? other.getTopRight().x : other.getBottomLeft().x)
                                                 : (high ? other.getTopRight().y : other.getBottomLeft().y);
                const Coordinate from = std::uniform_int_distribution<Coordinate>(lo - 2, hi - 1)(random);
                const Coordinate to = std::uniform_int_distribution<Coordinate>(std::max(from, lo) + 1, hi + 2)(random);
                const Coordinate far = high ? side + depth(random) : side - depth(random);
                candidate = vertical ? rectangleOf(std::min(side, far), from, std::max(side, far), to)
                                     : rectangleOf(from, std::min(side, far), to, std::max(side, far));
            } else {
                candidate = randomRectilinearPolygon(random, 2);
                const Rectangle own = candidate.getBoundingRectangle();
                candidate.translate(Point(xs(random) - own.getBottomLeft().x, ys(random) - own.getBottomLeft().y));
            }
            const auto cells = cellsInside(candidate.getPoints());
            bool fits = !cells.empty();
            for (const auto& cell : cells) {
                if (!fits) break;
                fits = baseCells.count(cell) == 1 && holeCells.count(cell) == 0;
            }
            if (!fits) continue;
            holes.push_back(candidate);
            holeCells.insert(cells.begin(), cells.end());
        }
        if (holeCells.size() >= baseCells.size()) continue;
        bool shares = false;
        for (std::size_t i = 0; i < holes.size() && !shares; ++i) {
            shares = shareBoundaryLength(holes[i], base);
            for (std::size_t j = i + 1; j < holes.size() && !shares; ++j) {
                shares = shareBoundaryLength(holes[i], holes[j]);
            }
        }
        if (shares) return HoledPolygon(base, holes);
    }
}

// A shape that touches itself in a way valid input may: an outline that
// touches itself at corners, or holes that share edges.
inline HoledPolygon randomSelfTouchingShape(std::mt19937& random, int gridSize, int maxHoles) {
    if (random() % 2 == 0) return HoledPolygon(randomSelfTouchingPolygon(random, std::min(gridSize, 7)));
    return randomHoledPolygonWithSharedEdges(random, gridSize, maxHoles);
}

// Pairs of shapes that meet in the ways subtraction has to get right.
enum class PairKind {
    independent,        // two random shapes near each other
    strip,              // a strip across the first shape that cuts it apart
    vertexAnchored,     // a rectangle with a corner on a corner of the first shape
    translatedCopy,     // the first shape moved by its own width or height: touching edges
    filledHole,         // one of the first shape's holes, sometimes with a hole of its own
    ring,               // a frame with a hole, laid over the first shape or around one of its holes
};

inline constexpr int pairKindCount = 6;

struct ShapePair {
    HoledPolygon first;
    HoledPolygon second;
};

inline ShapePair randomShapePair(std::mt19937& random, PairKind kind, int gridSize, int maxHoles) {
    ShapePair pair;
    pair.first = randomHoledPolygon(random, gridSize, maxHoles);
    const Polygon& base = pair.first.getBasePolygon();
    const Rectangle box = base.getBoundingRectangle();
    const Coordinate left = box.getBottomLeft().x, bottom = box.getBottomLeft().y;
    const Coordinate right = box.getTopRight().x, top = box.getTopRight().y;
    std::uniform_int_distribution<Coordinate> xs(left, right), ys(bottom, top);
    switch (kind) {
        case PairKind::independent:
            pair.second = movedToOverlap(random, randomHoledPolygon(random, gridSize, maxHoles), box);
            break;
        case PairKind::strip: {
            Coordinate a = 0, b = 0;
            const bool horizontal = random() % 2 == 0;
            do {
                a = horizontal ? ys(random) : xs(random);
                b = horizontal ? ys(random) : xs(random);
            } while (a == b);
            if (a > b) std::swap(a, b);
            pair.second = HoledPolygon(horizontal ? rectangleOf(left - 1, a, right + 1, b)
                                                  : rectangleOf(a, bottom - 1, b, top + 1));
            break;
        }
        case PairKind::vertexAnchored: {
            const std::vector<Point>& corners = base.getPoints();
            const Point v = corners[std::uniform_int_distribution<std::size_t>(0, corners.size() - 1)(random)];
            std::uniform_int_distribution<Coordinate> side(1, 6);
            const Coordinate dx = random() % 2 == 0 ? side(random) : -side(random);
            const Coordinate dy = random() % 2 == 0 ? side(random) : -side(random);
            pair.second = HoledPolygon(rectangleOf(std::min(v.x, v.x + dx), std::min(v.y, v.y + dy),
                                                   std::max(v.x, v.x + dx), std::max(v.y, v.y + dy)));
            break;
        }
        case PairKind::translatedCopy: {
            Polygon moved = base;
            std::uniform_int_distribution<Coordinate> shift(-2, 2);
            if (random() % 2 == 0) {
                moved.translate(Point(random() % 2 == 0 ? right - left : left - right, shift(random)));
            } else {
                moved.translate(Point(shift(random), random() % 2 == 0 ? top - bottom : bottom - top));
            }
            pair.second = HoledPolygon(moved);
            break;
        }
        case PairKind::filledHole: {
            const std::vector<Polygon>& holes = pair.first.getHoles();
            if (holes.empty()) {
                pair.second = HoledPolygon(rectangleOf(left, bottom, right, top));
                break;
            }
            const Polygon hole = holes[std::uniform_int_distribution<std::size_t>(0, holes.size() - 1)(random)];
            const Rectangle holeBox = hole.getBoundingRectangle();
            const Coordinate w = holeBox.getTopRight().x - holeBox.getBottomLeft().x;
            const Coordinate h = holeBox.getTopRight().y - holeBox.getBottomLeft().y;
            if (random() % 2 == 0 && w >= 3 && h >= 3 && hole.getPoints().size() == 4) {
                const Point c = holeBox.getBottomLeft();
                pair.second = HoledPolygon(hole, {rectangleOf(c.x + 1, c.y + 1, c.x + w - 1, c.y + h - 1)});
            } else {
                pair.second = HoledPolygon(hole);
            }
            break;
        }
        case PairKind::ring: {
            std::uniform_int_distribution<Coordinate> grow(0, 2), margin(1, 2);
            if (random() % 2 == 0) {
                // A frame around a hole of the first shape, inside its base:
                // what is left is a rim with a hole and an island holding
                // the first shape's hole.
                Polygon hole = randomRectilinearPolygon(random, 2);
                const Rectangle holeBox = hole.getBoundingRectangle();
                const Coordinate x1 = holeBox.getBottomLeft().x - grow(random);
                const Coordinate y1 = holeBox.getBottomLeft().y - grow(random);
                const Coordinate x2 = holeBox.getTopRight().x + grow(random);
                const Coordinate y2 = holeBox.getTopRight().y + grow(random);
                const Coordinate m = margin(random);
                pair.second = HoledPolygon(rectangleOf(x1 - m, y1 - m, x2 + m, y2 + m), {rectangleOf(x1, y1, x2, y2)});
                pair.first = HoledPolygon(rectangleOf(x1 - m - grow(random), y1 - m - grow(random), x2 + m + grow(random),
                                                      y2 + m + grow(random)),
                                          {hole});
                break;
            }
            Coordinate x1 = xs(random), x2 = xs(random), y1 = ys(random), y2 = ys(random);
            if (x1 > x2) std::swap(x1, x2);
            if (y1 > y2) std::swap(y1, y2);
            x2 = std::max(x2, x1 + 1);
            y2 = std::max(y2, y1 + 1);
            const Coordinate m = margin(random);
            pair.second = HoledPolygon(rectangleOf(x1 - m, y1 - m, x2 + m, y2 + m), {rectangleOf(x1, y1, x2, y2)});
            break;
        }
    }
    return pair;
}

// A self-touching shape and a second shape that overlaps it: another
// self-touching shape, a shape from randomHoledPolygon, a rectangle in its
// box, or one of its holes (which then fills the hole).
inline ShapePair randomSelfTouchingShapePair(std::mt19937& random, int gridSize, int maxHoles) {
    ShapePair pair;
    pair.first = randomSelfTouchingShape(random, gridSize, maxHoles);
    const Rectangle box = pair.first.getBasePolygon().getBoundingRectangle();
    const std::vector<Polygon>& holes = pair.first.getHoles();
    switch (random() % 4) {
        case 0:
            pair.second = movedToOverlap(random, randomSelfTouchingShape(random, gridSize, maxHoles), box);
            break;
        case 1:
            pair.second = movedToOverlap(random, randomHoledPolygon(random, gridSize, maxHoles), box);
            break;
        case 2:
            if (!holes.empty()) {
                const std::size_t k = std::uniform_int_distribution<std::size_t>(0, holes.size() - 1)(random);
                pair.second = HoledPolygon(holes[k]);
                break;
            }
            [[fallthrough]];
        default: {
            std::uniform_int_distribution<Coordinate> xs(box.getBottomLeft().x - 1, box.getTopRight().x + 1);
            std::uniform_int_distribution<Coordinate> ys(box.getBottomLeft().y - 1, box.getTopRight().y + 1);
            Coordinate x1 = xs(random), x2 = xs(random), y1 = ys(random), y2 = ys(random);
            if (x1 > x2) std::swap(x1, x2);
            if (y1 > y2) std::swap(y1, y2);
            pair.second = HoledPolygon(rectangleOf(x1, y1, std::max(x2, x1 + 1), std::max(y2, y1 + 1)));
            break;
        }
    }
    return pair;
}

}  // namespace Zelkor::Rectilinear::Testing

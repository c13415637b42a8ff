#pragma once

#include <algorithm>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Testing {

// Filled cells of a grid whose columns and rows have uneven widths: a
// rectilinear region with a known area and a containment test of its own,
// independent of the polygon code.
struct CellRegion {
    std::vector<Coordinate> xs;             // column boundaries, increasing
    std::vector<Coordinate> ys;             // row boundaries, increasing
    std::vector<std::vector<bool>> filled;  // filled[i][j]: cell [xs[i], xs[i+1]] x [ys[j], ys[j+1]]

    int columns() const { return static_cast<int>(xs.size()) - 1; }
    int rows() const { return static_cast<int>(ys.size()) - 1; }
    bool isFilled(int i, int j) const {
        return i >= 0 && j >= 0 && i < columns() && j < rows() &&
               filled[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    }

    double area() const {
        double total = 0.0;
        for (int i = 0; i < columns(); ++i) {
            for (int j = 0; j < rows(); ++j) {
                if (isFilled(i, j)) total += double(xs[i + 1] - xs[i]) * double(ys[j + 1] - ys[j]);
            }
        }
        return total;
    }

    // Closed region: a point on the border of a filled cell is inside.
    bool containsPoint(const Point& p) const {
        for (int i = 0; i < columns(); ++i) {
            if (p.x < xs[i] || p.x > xs[i + 1]) continue;
            for (int j = 0; j < rows(); ++j) {
                if (p.y >= ys[j] && p.y <= ys[j + 1] && isFilled(i, j)) return true;
            }
        }
        return false;
    }

    // The boundary, counterclockwise, one corner per grid crossing (so it
    // still holds collinear corners). Assumes one boundary: cells connected
    // at least through corners, and no empty cell enclosed. Where two cells
    // meet only at a corner the boundary passes that grid vertex twice, and
    // the walk (an Euler circuit of the boundary edges) touches itself there.
    std::vector<Point> outline() const {
        using Vertex = std::pair<int, int>;
        // Grid vertex -> next grid vertices: two where cells meet only at a corner.
        std::map<Vertex, std::vector<Vertex>> next;
        for (int i = 0; i < columns(); ++i) {
            for (int j = 0; j < rows(); ++j) {
                if (!isFilled(i, j)) continue;
                if (!isFilled(i, j - 1)) next[{i, j}].push_back({i + 1, j});
                if (!isFilled(i + 1, j)) next[{i + 1, j}].push_back({i + 1, j + 1});
                if (!isFilled(i, j + 1)) next[{i + 1, j + 1}].push_back({i, j + 1});
                if (!isFilled(i - 1, j)) next[{i, j + 1}].push_back({i, j});
            }
        }
        std::vector<Point> corners;
        if (next.empty()) return corners;
        // Walks on until stuck, backing up to the last vertex with an unused
        // edge; the vertices come off the stack in reverse walking order.
        std::vector<Vertex> stack{next.begin()->first};
        std::vector<Vertex> circuit;
        while (!stack.empty()) {
            std::vector<Vertex>& out = next[stack.back()];
            if (out.empty()) {
                circuit.push_back(stack.back());
                stack.pop_back();
            } else {
                stack.push_back(out.back());
                out.pop_back();
            }
        }
        circuit.erase(circuit.begin());  // the start again, last in walking order
        for (auto at = circuit.rbegin(); at != circuit.rend(); ++at) {
            corners.emplace_back(xs[static_cast<std::size_t>(at->first)], ys[static_cast<std::size_t>(at->second)]);
        }
        return corners;
    }
};

namespace Detail {

inline bool diagonalOnlyAt(const CellRegion& r, int i, int j) {
    // The 2x2 block with lower-left cell (i, j) holds exactly one diagonal pair.
    const bool a = r.isFilled(i, j), b = r.isFilled(i + 1, j), c = r.isFilled(i, j + 1), d = r.isFilled(i + 1, j + 1);
    return (a && d && !b && !c) || (b && c && !a && !d);
}

// Every empty cell reaches the outside through empty cells, stepping across
// sides (and across corners too when diagonalSteps).
inline bool hasNoHoles(const CellRegion& r, bool diagonalSteps = false) {
    const int w = r.columns() + 2, h = r.rows() + 2;
    std::vector<char> seen(static_cast<std::size_t>(w * h), 0);
    std::vector<std::pair<int, int>> stack{{-1, -1}};
    seen[0] = 1;
    int reached = 1;
    while (!stack.empty()) {
        const auto [i, j] = stack.back();
        stack.pop_back();
        const int di[] = {1, -1, 0, 0, 1, 1, -1, -1}, dj[] = {0, 0, 1, -1, 1, -1, 1, -1};
        for (int k = 0; k < (diagonalSteps ? 8 : 4); ++k) {
            const int ni = i + di[k], nj = j + dj[k];
            if (ni < -1 || nj < -1 || ni > r.columns() || nj > r.rows()) continue;
            const std::size_t index = static_cast<std::size_t>((ni + 1) * h + (nj + 1));
            if (seen[index] || r.isFilled(ni, nj)) continue;
            seen[index] = 1;
            ++reached;
            stack.emplace_back(ni, nj);
        }
    }
    int filledCount = 0;
    for (int i = 0; i < r.columns(); ++i) {
        for (int j = 0; j < r.rows(); ++j) filledCount += r.isFilled(i, j) ? 1 : 0;
    }
    return reached + filledCount == w * h;
}

}  // namespace Detail

// Grows a connected region cell by cell from a random seed, refusing any cell
// that would close a hole or make two cells meet only at a corner, so the
// outline is one simple rectilinear polygon. Column widths and row heights are
// 1 to 3 so that diagonal rays often pass through corners.
inline CellRegion randomCellRegion(std::mt19937& random, int gridSize) {
    CellRegion region;
    std::uniform_int_distribution<Coordinate> step(1, 3);
    std::uniform_int_distribution<Coordinate> origin(-10, 10);
    Coordinate x = origin(random), y = origin(random);
    for (int i = 0; i <= gridSize; ++i, x += step(random)) region.xs.push_back(x);
    for (int j = 0; j <= gridSize; ++j, y += step(random)) region.ys.push_back(y);
    region.filled.assign(static_cast<std::size_t>(gridSize),
                         std::vector<bool>(static_cast<std::size_t>(gridSize), false));
    std::uniform_int_distribution<int> cell(0, gridSize - 1);
    region.filled[static_cast<std::size_t>(cell(random))][static_cast<std::size_t>(cell(random))] = true;
    const int target = std::uniform_int_distribution<int>(1, std::max(1, gridSize * gridSize * 2 / 3))(random);
    for (int filled = 1, attempts = 0; filled < target && attempts < 20 * target; ++attempts) {
        std::vector<std::pair<int, int>> frontier;
        for (int i = 0; i < gridSize; ++i) {
            for (int j = 0; j < gridSize; ++j) {
                if (!region.isFilled(i, j) && (region.isFilled(i - 1, j) || region.isFilled(i + 1, j) ||
                                               region.isFilled(i, j - 1) || region.isFilled(i, j + 1))) {
                    frontier.emplace_back(i, j);
                }
            }
        }
        if (frontier.empty()) break;
        const auto [i, j] = frontier[std::uniform_int_distribution<std::size_t>(0, frontier.size() - 1)(random)];
        region.filled[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = true;
        const bool pinched = Detail::diagonalOnlyAt(region, i - 1, j - 1) || Detail::diagonalOnlyAt(region, i, j - 1) ||
                             Detail::diagonalOnlyAt(region, i - 1, j) || Detail::diagonalOnlyAt(region, i, j);
        if (pinched || !Detail::hasNoHoles(region)) {
            region.filled[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = false;
        } else {
            ++filled;
        }
    }
    return region;
}

// A random region whose outline touches itself at one corner or more: cells
// join across sides or corners, no empty cell is enclosed (it may reach the
// outside through a corner), and some 2x2 block holds a diagonal pair only.
// Column widths and row heights are 1 to 3 as in randomCellRegion.
inline CellRegion randomSelfTouchingCellRegion(std::mt19937& random, int gridSize) {
    std::uniform_int_distribution<Coordinate> step(1, 3);
    std::uniform_int_distribution<int> cell(0, gridSize - 1);
    for (;;) {
        CellRegion region;
        Coordinate x = 0, y = 0;
        for (int i = 0; i <= gridSize; ++i, x += step(random)) region.xs.push_back(x);
        for (int j = 0; j <= gridSize; ++j, y += step(random)) region.ys.push_back(y);
        region.filled.assign(static_cast<std::size_t>(gridSize),
                             std::vector<bool>(static_cast<std::size_t>(gridSize), false));
        region.filled[static_cast<std::size_t>(cell(random))][static_cast<std::size_t>(cell(random))] = true;
        const int target = std::uniform_int_distribution<int>(2, std::max(2, gridSize * gridSize * 2 / 3))(random);
        for (int filled = 1, attempts = 0; filled < target && attempts < 20 * target; ++attempts) {
            const int i = cell(random), j = cell(random);
            bool joins = false;
            for (int di = -1; di <= 1; ++di) {
                for (int dj = -1; dj <= 1; ++dj) joins = joins || region.isFilled(i + di, j + dj);
            }
            if (region.isFilled(i, j) || !joins) continue;
            region.filled[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = true;
            if (Detail::hasNoHoles(region, true)) {
                ++filled;
            } else {
                region.filled[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = false;
            }
        }
        for (int i = 0; i + 1 < gridSize; ++i) {
            for (int j = 0; j + 1 < gridSize; ++j) {
                if (Detail::diagonalOnlyAt(region, i, j)) return region;
            }
        }
    }
}

// The outline of a random cell region, handed to the constructor from a
// random corner and in a random direction; the result is standardized.
inline Polygon polygonOf(std::mt19937& random, const CellRegion& region) {
    std::vector<Point> corners = region.outline();
    std::rotate(corners.begin(),
                corners.begin() + static_cast<std::ptrdiff_t>(
                                      std::uniform_int_distribution<std::size_t>(0, corners.size() - 1)(random)),
                corners.end());
    if (random() % 2 == 0) std::reverse(corners.begin(), corners.end());
    return Polygon(corners, "random");
}

// A random simple rectilinear polygon on a gridSize x gridSize cell grid.
inline Polygon randomRectilinearPolygon(std::mt19937& random, int gridSize) {
    return polygonOf(random, randomCellRegion(random, gridSize));
}

// A random rectilinear polygon whose outline touches itself at corners.
inline Polygon randomSelfTouchingPolygon(std::mt19937& random, int gridSize) {
    return polygonOf(random, randomSelfTouchingCellRegion(random, gridSize));
}

// A closed walk that alternates horizontal and vertical moves between random
// grid points: rectilinear but free to cross, touch and retrace itself.
inline std::vector<Point> randomOrthogonalWalk(std::mt19937& random, int moves, Coordinate gridSize) {
    std::uniform_int_distribution<Coordinate> coordinate(0, gridSize);
    std::vector<Coordinate> xs, ys;
    for (int i = 0; i < (moves + 1) / 2; ++i) {
        xs.push_back(coordinate(random));
        ys.push_back(coordinate(random));
    }
    std::vector<Point> corners;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        corners.emplace_back(xs[i], ys[i]);
        corners.emplace_back(xs[(i + 1) % xs.size()], ys[i]);
    }
    return corners;
}

// An x-monotone "skyline" with exactly numberOfVertices corners (an even
// number, at least 4): a flat bottom and a top of columns of random height,
// neighbouring columns always differing. For benchmarks on large polygons.
inline Polygon randomSkylinePolygon(std::mt19937& random, int numberOfVertices, Coordinate columnWidth = 10,
                                    Coordinate maximumHeight = 100000) {
    const int columnCount = std::max(1, (numberOfVertices - 2) / 2);
    std::uniform_int_distribution<Coordinate> height(1, maximumHeight);
    std::vector<Coordinate> heights;
    for (int i = 0; i < columnCount; ++i) {
        Coordinate h = height(random);
        while (!heights.empty() && h == heights.back()) h = height(random);
        heights.push_back(h);
    }
    const Coordinate width = columnWidth * columnCount;
    std::vector<Point> corners{{0, 0}, {width, 0}};
    corners.reserve(static_cast<std::size_t>(numberOfVertices));
    for (int i = columnCount - 1; i >= 0; --i) {
        corners.emplace_back(columnWidth * (i + 1), heights[static_cast<std::size_t>(i)]);
        corners.emplace_back(columnWidth * i, heights[static_cast<std::size_t>(i)]);
    }
    return Polygon(corners, "skyline");
}

}  // namespace Zelkor::Rectilinear::Testing

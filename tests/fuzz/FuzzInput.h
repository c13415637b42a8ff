#pragma once

// Turns a fuzzer's bytes into valid rectilinear shapes with small coordinates,
// and the checks the fuzz targets share. Every byte string decodes to
// something: bytes past the end read as zero.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "BoostOracle.h"
#include "RandomPolygons.h"
#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"
#include "geometry/ShapeValidation.h"

namespace Zelkor::Rectilinear::Fuzzing {

using Region = boost::polygon::polygon_90_set_data<int>;
using Testing::boostRegion;

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    // low to high inclusive; the range holds at most 256 values.
    int between(int low, int high) { return low + byte() % (high - low + 1); }
    bool flag() { return (byte() & 1) != 0; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

// Stops the run with the failure and the input that shows it.
[[noreturn]] inline void fail(const std::string& what, const std::string& input) {
    std::fprintf(stderr, "FAILED: %s\ninput: %s\n", what.c_str(), input.c_str());
    std::abort();
}

namespace Detail {

// Cells reachable from `start` through cells whose filled state is `state`,
// stepping across sides and corners; the grid is padded by one empty ring.
inline std::vector<char> reach(const Testing::CellRegion& r, int startI, int startJ, bool state) {
    const int w = r.columns() + 2, h = r.rows() + 2;
    std::vector<char> seen(static_cast<std::size_t>(w * h), 0);
    std::vector<std::pair<int, int>> stack{{startI, startJ}};
    seen[static_cast<std::size_t>((startI + 1) * h + startJ + 1)] = 1;
    while (!stack.empty()) {
        const auto [i, j] = stack.back();
        stack.pop_back();
        for (int di = -1; di <= 1; ++di) {
            for (int dj = -1; dj <= 1; ++dj) {
                const int ni = i + di, nj = j + dj;
                if (ni < -1 || nj < -1 || ni > r.columns() || nj > r.rows() || r.isFilled(ni, nj) != state) continue;
                char& s = seen[static_cast<std::size_t>((ni + 1) * h + nj + 1)];
                if (s) continue;
                s = 1;
                stack.emplace_back(ni, nj);
            }
        }
    }
    return seen;
}

}  // namespace Detail

// A region of at most maxCells by maxCells cells, each column and row 1 to
// maxStep units wide, its lower-left corner near the origin. Only the cells
// joined (across sides or corners) to the first filled one are kept, and
// empty cells that cannot reach the outside are filled, so that the outline is
// one closed chain; it touches itself where two cells meet at a corner only.
inline Testing::CellRegion decodeCells(FuzzInput& in, int maxCells, int maxStep) {
    Testing::CellRegion r;
    const int columns = in.between(1, maxCells), rows = in.between(1, maxCells);
    Coordinate x = in.between(-8, 8), y = in.between(-8, 8);
    for (int i = 0; i <= columns; ++i, x += in.between(1, maxStep)) r.xs.push_back(x);
    for (int j = 0; j <= rows; ++j, y += in.between(1, maxStep)) r.ys.push_back(y);
    r.filled.assign(static_cast<std::size_t>(columns), std::vector<bool>(static_cast<std::size_t>(rows), false));
    int bits = 0, first = -1;
    std::uint8_t byte = 0;
    for (int c = 0; c < columns * rows; ++c, ++bits) {
        if (bits % 8 == 0) byte = in.byte();
        if ((byte >> (bits % 8)) & 1) {
            r.filled[static_cast<std::size_t>(c / rows)][static_cast<std::size_t>(c % rows)] = true;
            if (first < 0) first = c;
        }
    }
    if (first < 0) first = 0, r.filled[0][0] = true;
    const int h = rows + 2;
    const std::vector<char> joined = Detail::reach(r, first / rows, first % rows, true);
    const std::vector<char> outside = Detail::reach(r, -1, -1, false);
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const std::size_t at = static_cast<std::size_t>((i + 1) * h + j + 1);
            r.filled[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                r.isFilled(i, j) ? joined[at] != 0 : outside[at] == 0;
        }
    }
    return r;
}

// The region's outline given to the constructor from any corner, either way round.
inline Polygon decodePolygon(FuzzInput& in, int maxCells, int maxStep, std::string name = "") {
    std::vector<Point> corners = decodeCells(in, maxCells, maxStep).outline();
    const std::size_t start = in.byte() % corners.size();
    std::rotate(corners.begin(), corners.begin() + static_cast<std::ptrdiff_t>(start), corners.end());
    if (in.flag()) std::reverse(corners.begin(), corners.end());
    return Polygon(corners, std::move(name));
}

// A base with up to maxHoles holes placed in its box; a hole the base does not
// accept (outside it, overlapping another, taking all of it) is left out.
inline HoledPolygon decodeHoledPolygon(FuzzInput& in, int maxCells, int maxStep, int maxHoles) {
    const Polygon base = decodePolygon(in, maxCells, maxStep);
    const Rectangle box = base.getBoundingRectangle();
    std::vector<Polygon> holes;
    for (int count = in.between(0, maxHoles); count > 0; --count) {
        Polygon hole = decodePolygon(in, 3, 2);
        const Rectangle own = hole.getBoundingRectangle();
        const Coordinate width = box.getTopRight().x - box.getBottomLeft().x;
        const Coordinate height = box.getTopRight().y - box.getBottomLeft().y;
        hole.translate(Point(box.getBottomLeft().x + in.byte() % (width + 1) - own.getBottomLeft().x,
                             box.getBottomLeft().y + in.byte() % (height + 1) - own.getBottomLeft().y));
        holes.push_back(hole);
        if (Math::whatIsWrongWith(HoledPolygon(base, holes))) holes.pop_back();
    }
    return HoledPolygon(base, holes);
}

// The pieces cover exactly the expected region and do not overlap, and each
// knows its own area.
template <typename Pieces>
void requireExactCover(const Pieces& pieces, const Region& expected, const std::string& input) {
    using namespace boost::polygon::operators;
    Region covered;
    double areaSum = 0.0;
    for (const auto& piece : pieces) {
        if (piece.isEmpty()) fail("an empty piece", input);
        const Region own = boostRegion(piece);
        const double area = static_cast<double>(boost::polygon::area(own));
        if (static_cast<double>(piece.getArea()) != area) fail("the area of " + piece.toString() + " is wrong", input);
        covered |= own;
        areaSum += area;
    }
    if (boost::polygon::area(covered ^ expected) != 0) fail("the pieces cover another region", input);
    if (areaSum != static_cast<double>(boost::polygon::area(expected))) fail("the pieces overlap", input);
}

// Every hole lies inside its own piece.
inline void requireHolesInside(const std::vector<HoledPolygon>& pieces, const std::string& input) {
    for (const HoledPolygon& piece : pieces) {
        for (const Polygon& hole : piece.getHoles()) {
            if (!piece.getBasePolygon().contains(hole)) fail("hole " + hole.toString() + " outside its piece", input);
        }
    }
}

}  // namespace Zelkor::Rectilinear::Fuzzing

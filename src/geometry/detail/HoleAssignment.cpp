#include "geometry/detail/HoleAssignment.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "geometry/Rectangle.h"

namespace Zelkor::Rectilinear::Math {

namespace {

bool boxHoldsBox(const Rectangle& outer, const Rectangle& inner) {
    const Point& a = outer.getBottomLeft();
    const Point& b = outer.getTopRight();
    const Point& c = inner.getBottomLeft();
    const Point& d = inner.getTopRight();
    return a.x <= c.x && c.x <= b.x && a.y <= c.y && c.y <= b.y && a.x <= d.x && d.x <= b.x && a.y <= d.y &&
           d.y <= b.y;
}

// The outlines whose bounding boxes could hold a point, through a uniform
// grid over their boxes: each outline is filed under every cell its box
// covers, and outlines covering too many cells (or with no sensible box) are
// offered for every point. An outline can only contain a nonempty hole when
// its box holds the hole's box, so the grid narrows the search without
// changing its outcome.
class OutlineGrid {
public:
    explicit OutlineGrid(const std::vector<Polygon>& outlines) {
        const std::size_t count = outlines.size();
        std::vector<std::size_t> filed;
        filed.reserve(count);
        bool any = false;
        for (std::size_t o = 0; o < count; ++o) {
            if (outlines[o].getPoints().empty() || !ordered(outlines[o].getBoundingRectangle())) {
                everywhere.push_back(o);
                continue;
            }
            const Rectangle box = outlines[o].getBoundingRectangle();
            if (!any) {
                minX = box.getBottomLeft().x;
                minY = box.getBottomLeft().y;
                maxX = box.getTopRight().x;
                maxY = box.getTopRight().y;
                any = true;
            }
            minX = std::min(minX, box.getBottomLeft().x);
            minY = std::min(minY, box.getBottomLeft().y);
            maxX = std::max(maxX, box.getTopRight().x);
            maxY = std::max(maxY, box.getTopRight().y);
            filed.push_back(o);
        }
        if (filed.empty()) return;
        side = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::sqrt(static_cast<double>(filed.size()))));
        cellWidth = std::max<std::int64_t>(1, (static_cast<std::int64_t>(maxX) - minX) / side + 1);
        cellHeight = std::max<std::int64_t>(1, (static_cast<std::int64_t>(maxY) - minY) / side + 1);
        const std::int64_t largest = std::max<std::int64_t>(16, side * side / 16);

        offsets.assign(static_cast<std::size_t>(side * side) + 1, 0);
        std::vector<std::size_t> gridded;
        gridded.reserve(filed.size());
        for (const std::size_t o : filed) {
            const Rectangle box = outlines[o].getBoundingRectangle();
            const std::int64_t x0 = column(box.getBottomLeft().x), x1 = column(box.getTopRight().x);
            const std::int64_t y0 = row(box.getBottomLeft().y), y1 = row(box.getTopRight().y);
            if ((x1 - x0 + 1) * (y1 - y0 + 1) > largest) {
                everywhere.push_back(o);
                continue;
            }
            gridded.push_back(o);
            for (std::int64_t y = y0; y <= y1; ++y) {
                for (std::int64_t x = x0; x <= x1; ++x) ++offsets[static_cast<std::size_t>(y * side + x) + 1];
            }
        }
        for (std::size_t i = 1; i < offsets.size(); ++i) offsets[i] += offsets[i - 1];
        cells.resize(offsets.back());
        std::vector<std::size_t> fill(offsets.begin(), offsets.end() - 1);
        for (const std::size_t o : gridded) {
            const Rectangle box = outlines[o].getBoundingRectangle();
            const std::int64_t x0 = column(box.getBottomLeft().x), x1 = column(box.getTopRight().x);
            const std::int64_t y0 = row(box.getBottomLeft().y), y1 = row(box.getTopRight().y);
            for (std::int64_t y = y0; y <= y1; ++y) {
                for (std::int64_t x = x0; x <= x1; ++x) cells[fill[static_cast<std::size_t>(y * side + x)]++] = o;
            }
        }
        std::sort(everywhere.begin(), everywhere.end());
    }

    // Appends the outlines whose boxes may hold p: those of its cell, then
    // those offered everywhere.
    void candidates(const Point& p, std::vector<std::size_t>& out) const {
        if (!offsets.empty() && minX <= p.x && p.x <= maxX && minY <= p.y && p.y <= maxY) {
            const std::size_t cell = static_cast<std::size_t>(row(p.y) * side + column(p.x));
            out.insert(out.end(), cells.begin() + static_cast<std::ptrdiff_t>(offsets[cell]),
                       cells.begin() + static_cast<std::ptrdiff_t>(offsets[cell + 1]));
        }
        out.insert(out.end(), everywhere.begin(), everywhere.end());
    }

private:
    static bool ordered(const Rectangle& box) {
        return box.getBottomLeft().x <= box.getTopRight().x && box.getBottomLeft().y <= box.getTopRight().y;
    }
    std::int64_t column(Coordinate x) const { return (static_cast<std::int64_t>(x) - minX) / cellWidth; }
    std::int64_t row(Coordinate y) const { return (static_cast<std::int64_t>(y) - minY) / cellHeight; }

    Coordinate minX = 0, minY = 0, maxX = 0, maxY = 0;
    std::int64_t side = 0, cellWidth = 1, cellHeight = 1;
    std::vector<std::size_t> offsets;
    std::vector<std::size_t> cells;
    std::vector<std::size_t> everywhere;
};

}  // namespace

std::vector<HoledPolygon> assignHolesToInnermostOutlines(const std::vector<Polygon>& outlines,
                                                         const std::vector<Polygon>& holes) {
    std::vector<std::vector<Polygon>> holesOfOutline(outlines.size());
    for (const Polygon& hole : holes) {
        std::size_t owner = outlines.size();
        for (std::size_t o = 0; o < outlines.size(); ++o) {
            if (owner < outlines.size() && outlines[owner].getArea() <= outlines[o].getArea()) continue;
            if (outlines[o].contains(hole)) owner = o;
        }
        if (owner < outlines.size()) holesOfOutline[owner].push_back(hole);
    }
    std::vector<HoledPolygon> result;
    result.reserve(outlines.size());
    for (std::size_t o = 0; o < outlines.size(); ++o) result.emplace_back(outlines[o], holesOfOutline[o]);
    return result;
}

// The owner is the containing outline of least area, the first on equal
// areas. Only outlines whose boxes hold the hole's box can contain it; they
// are tried smallest first, so the first that contains the hole owns it and
// the larger ones (often with many edges) are spared the test. A hole without
// corners is contained by every outline and goes through all of them.
std::vector<HoledPolygon> assignHolesToInnermostOutlines(std::vector<Polygon>&& outlines,
                                                         std::vector<Polygon>&& holes,
                                                         const OutlineContainsHole& outlineContains) {
    std::vector<std::vector<Polygon>> holesOfOutline(outlines.size());
    const OutlineGrid grid(outlines);
    const auto before = [&outlines](std::size_t a, std::size_t b) {
        const float areaA = outlines[a].getArea();
        const float areaB = outlines[b].getArea();
        return areaA < areaB || (!(areaB < areaA) && a < b);
    };
    std::vector<std::size_t> candidates;
    for (Polygon& hole : holes) {
        std::size_t owner = outlines.size();
        if (hole.getPoints().empty()) {
            for (std::size_t o = 0; o < outlines.size(); ++o) {
                if (owner < outlines.size() && outlines[owner].getArea() <= outlines[o].getArea()) continue;
                if (outlineContains(o, hole)) owner = o;
            }
        } else {
            candidates.clear();
            const Rectangle holeBox = hole.getBoundingRectangle();
            grid.candidates(holeBox.getBottomLeft(), candidates);
            candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                            [&outlines, &holeBox](std::size_t o) {
                                                return !boxHoldsBox(outlines[o].getBoundingRectangle(), holeBox);
                                            }),
                             candidates.end());
            std::sort(candidates.begin(), candidates.end(), before);
            for (const std::size_t o : candidates) {
                if (outlineContains(o, hole)) {
                    owner = o;
                    break;
                }
            }
        }
        if (owner < outlines.size()) holesOfOutline[owner].push_back(std::move(hole));
    }
    std::vector<HoledPolygon> result;
    result.reserve(outlines.size());
    for (std::size_t o = 0; o < outlines.size(); ++o) {
        result.emplace_back(std::move(outlines[o]), std::move(holesOfOutline[o]));
    }
    return result;
}

}  // namespace Zelkor::Rectilinear::Math

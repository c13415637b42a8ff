#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/detail/BoundingBox.h"

namespace Zelkor::Rectilinear::Detail {

// A grid of boxes over the shape's box: the entries whose boxes may touch a
// given box. Entries stay where they were put until taken out; callers skip
// the ones that died or moved, and put a moved entry in again. A box that
// spans many cells goes to a coarser grid over the same box, and one that
// spans many of those to a list looked at every time. Positions beyond the
// shape's box fall into its border cells, and cells grow until there are not
// many more than the members.
class BoxGrid {
public:
    BoxGrid(std::int64_t cellSize, const Box& extent, std::size_t memberCount);

    void insert(std::size_t id, const Box& box) {
        if (!box.valid) return;
        forEachCell(box, [id](std::vector<std::size_t>& entries) { entries.push_back(id); });
    }

    // Takes out an entry put in with this box.
    void erase(std::size_t id, const Box& box);

    // Every entry that may touch the box, each once, in no particular order;
    // good until the next call.
    const std::vector<std::size_t>& near(const Box& box);

private:
    static constexpr std::int64_t wideCells = 16;
    static constexpr std::int64_t coarser = 8;
    struct Span {
        std::int64_t x0, y0, x1, y1;
        std::int64_t count() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
    };
    struct Level {
        std::int64_t cell = 1;
        std::int64_t originX = 0;
        std::int64_t originY = 0;
        std::int64_t columns = 1;
        std::int64_t rows = 1;
        std::vector<std::vector<std::size_t>> cells;

        static std::int64_t clampedCell(std::int64_t offset, std::int64_t side, std::int64_t count) {
            return offset < 0 ? 0 : std::min(offset / side, count - 1);
        }
        Span spanOf(const Box& box) const {
            return {clampedCell(std::int64_t{box.minX} - originX, cell, columns),
                    clampedCell(std::int64_t{box.minY} - originY, cell, rows),
                    clampedCell(std::int64_t{box.maxX} - originX, cell, columns),
                    clampedCell(std::int64_t{box.maxY} - originY, cell, rows)};
        }
        std::size_t index(std::int64_t x, std::int64_t y) const { return static_cast<std::size_t>(y * columns + x); }
    };

    // The cells a box is kept in: those of the finest level where it spans
    // few, or the wide list.
    template <typename Visit>
    void forEachCell(const Box& box, Visit&& visit) {
        for (Level& level : levels) {
            const Span span = level.spanOf(box);
            if (span.count() > wideCells) continue;
            for (std::int64_t y = span.y0; y <= span.y1; ++y) {
                for (std::int64_t x = span.x0; x <= span.x1; ++x) visit(level.cells[level.index(x, y)]);
            }
            return;
        }
        visit(wide);
    }

    std::array<Level, 2> levels;
    std::vector<std::size_t> wide;
    std::vector<std::size_t> found;
    std::vector<std::uint64_t> seen;
    std::uint64_t stamp = 0;
};

}  // namespace Zelkor::Rectilinear::Detail

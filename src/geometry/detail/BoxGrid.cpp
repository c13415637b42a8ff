#include "geometry/detail/BoxGrid.h"

#include <algorithm>

namespace Zelkor::Rectilinear::Detail {

BoxGrid::BoxGrid(std::int64_t cellSize, const Box& extent, std::size_t memberCount) {
    const std::int64_t cap = 4 * static_cast<std::int64_t>(memberCount) + 64;
    std::int64_t cell = std::max<std::int64_t>(cellSize, 1);
    for (Level& level : levels) {
        level.cell = cell;
        level.originX = extent.minX;
        level.originY = extent.minY;
        for (;;) {
            level.columns = (std::int64_t{extent.maxX} - level.originX) / level.cell + 1;
            level.rows = (std::int64_t{extent.maxY} - level.originY) / level.cell + 1;
            if (level.columns <= cap && level.rows <= cap && level.columns * level.rows <= cap) break;
            level.cell *= 2;
        }
        level.cells.resize(static_cast<std::size_t>(level.columns * level.rows));
        cell = level.cell * coarser;
    }
}

void BoxGrid::erase(std::size_t id, const Box& box) {
    if (!box.valid) return;
    forEachCell(box, [id](std::vector<std::size_t>& entries) {
        const auto at = std::find(entries.begin(), entries.end(), id);
        if (at == entries.end()) return;
        *at = entries.back();
        entries.pop_back();
    });
}

const std::vector<std::size_t>& BoxGrid::near(const Box& box) {
    found.clear();
    if (!box.valid) return found;
    ++stamp;
    auto take = [&](std::size_t id) {
        if (id >= seen.size()) seen.resize(2 * id + 16, 0);
        if (seen[id] == stamp) return;
        seen[id] = stamp;
        found.push_back(id);
    };
    for (const std::size_t id : wide) take(id);
    for (Level& level : levels) {
        const Span span = level.spanOf(box);
        for (std::int64_t y = span.y0; y <= span.y1; ++y) {
            for (std::int64_t x = span.x0; x <= span.x1; ++x) {
                for (const std::size_t id : level.cells[level.index(x, y)]) take(id);
            }
        }
    }
    return found;
}

}  // namespace Zelkor::Rectilinear::Detail

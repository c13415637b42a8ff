#include "placement/ColumnCover.h"

#include <algorithm>
#include <utility>

namespace Zelkor::Rectilinear {

std::optional<ColumnCover> ColumnCover::of(const std::vector<Segment>& edges) {
    ColumnCover cover;
    for (const Segment& e : edges) {
        cover.xs.push_back(e.getStartPoint().x);
        cover.xs.push_back(e.getEndPoint().x);
    }
    std::sort(cover.xs.begin(), cover.xs.end());
    cover.xs.erase(std::unique(cover.xs.begin(), cover.xs.end()), cover.xs.end());
    const std::size_t count = cover.xs.size() < 2 ? 0 : cover.xs.size() - 1;

    std::vector<std::pair<std::size_t, std::int64_t>> hits;  // column, y
    for (const Segment& e : edges) {
        const Point& a = e.getStartPoint();
        const Point& b = e.getEndPoint();
        if (a.y != b.y || a.x == b.x) continue;
        const auto first = std::lower_bound(cover.xs.begin(), cover.xs.end(), std::min<std::int64_t>(a.x, b.x));
        const auto last = std::lower_bound(cover.xs.begin(), cover.xs.end(), std::max<std::int64_t>(a.x, b.x));
        for (auto column = first; column != last; ++column) {
            hits.emplace_back(static_cast<std::size_t>(column - cover.xs.begin()), a.y);
        }
    }
    std::sort(hits.begin(), hits.end());
    cover.offsets.assign(count + 1, 0);
    cover.toggles.reserve(hits.size());
    for (const auto& [column, y] : hits) {
        ++cover.offsets[column + 1];
        cover.toggles.push_back(y);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (cover.offsets[i + 1] % 2 != 0) return std::nullopt;
        cover.offsets[i + 1] += cover.offsets[i];
    }
    return cover;
}

void ColumnCover::intervals(std::size_t column, std::int64_t shift, std::vector<Interval>& out) const {
    out.clear();
    for (std::size_t i = offsets[column]; i < offsets[column + 1]; i += 2) {
        const Interval next{toggles[i] + shift, toggles[i + 1] + shift};
        if (next.low == next.high) continue;
        if (!out.empty() && out.back().high == next.low) {
            out.back().high = next.high;
        } else {
            out.push_back(next);
        }
    }
}

ColumnCover ColumnCover::ofBoxes(const std::vector<Box>& boxes) {
    ColumnCover cover;
    for (const Box& b : boxes) {
        if (b.left >= b.right || b.bottom >= b.top) continue;
        cover.xs.push_back(b.left);
        cover.xs.push_back(b.right);
    }
    std::sort(cover.xs.begin(), cover.xs.end());
    cover.xs.erase(std::unique(cover.xs.begin(), cover.xs.end()), cover.xs.end());
    const std::size_t count = cover.xs.size() < 2 ? 0 : cover.xs.size() - 1;

    std::vector<std::vector<Interval>> spans(count);
    for (const Box& b : boxes) {
        if (b.left >= b.right || b.bottom >= b.top) continue;
        const auto first = std::lower_bound(cover.xs.begin(), cover.xs.end(), b.left);
        const auto last = std::lower_bound(cover.xs.begin(), cover.xs.end(), b.right);
        for (auto column = first; column != last; ++column) {
            spans[static_cast<std::size_t>(column - cover.xs.begin())].push_back({b.bottom, b.top});
        }
    }
    cover.offsets.assign(count + 1, 0);
    for (std::size_t i = 0; i < count; ++i) {
        std::vector<Interval>& column = spans[i];
        std::sort(column.begin(), column.end(), [](const Interval& a, const Interval& b) { return a.low < b.low; });
        std::size_t k = 0;
        while (k < column.size()) {
            const std::int64_t low = column[k].low;
            std::int64_t high = column[k].high;
            for (++k; k < column.size() && column[k].low <= high; ++k) high = std::max(high, column[k].high);
            cover.toggles.push_back(low);
            cover.toggles.push_back(high);
        }
        cover.offsets[i + 1] = cover.toggles.size();
    }
    return cover;
}

std::vector<ColumnCover::Box> ColumnCover::boxes() const {
    std::vector<Box> result;
    std::vector<std::size_t> open;  // boxes reaching the current column, by height
    std::vector<std::size_t> stillOpen;
    std::vector<Interval> column;
    for (std::size_t c = 0; c < columnCount(); ++c) {
        intervals(c, 0, column);
        stillOpen.clear();
        std::size_t o = 0;
        for (const Interval& i : column) {
            while (o < open.size() && result[open[o]].bottom < i.low) ++o;
            if (o < open.size() && result[open[o]].bottom == i.low && result[open[o]].top == i.high) {
                result[open[o]].right = xs[c + 1];
                stillOpen.push_back(open[o]);
            } else {
                result.push_back({xs[c], i.low, xs[c + 1], i.high});
                stillOpen.push_back(result.size() - 1);
            }
        }
        open.swap(stillOpen);
    }
    return result;
}

}  // namespace Zelkor::Rectilinear

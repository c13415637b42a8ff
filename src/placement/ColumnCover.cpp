#include "placement/ColumnCover.h"

#include <algorithm>
#include <utility>

namespace Zelkor::Rectilinear {

namespace {

template <typename Visit>
void forEachOutlineEdge(const std::vector<Point>& corners, const Visit& visit) {
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n; ++i) visit(corners[i], corners[i + 1 == n ? 0 : i + 1]);
}

}  // namespace

// The cover of the closed outlines whose edges forEachEdge hands to its
// visitor, each as its two ends; it is walked twice. Every end of an edge
// starts another, so the starts give all the xs.
template <typename ForEachEdge>
bool ColumnCover::assignFromEdges(std::size_t edgeCount, const ForEachEdge& forEachEdge) {
    xs.clear();
    xs.reserve(edgeCount);
    // Neighbouring corners often share their x: such repeats are left out at once.
    forEachEdge([this](const Point& a, const Point&) {
        if (xs.empty() || xs.back() != a.x) xs.push_back(a.x);
    });
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    const std::size_t count = xs.size() < 2 ? 0 : xs.size() - 1;

    // Each horizontal edge toggles the columns it spans. Counted first, so
    // that every column's toggles get their place in one list; offsets[c + 2]
    // counts column c, and then serves as its cursor while the list fills.
    auto spanOf = [this](const Point& a, const Point& b) {
        const auto begin = xs.begin();
        const auto first = std::lower_bound(begin, xs.end(), std::min<std::int64_t>(a.x, b.x));
        const auto last = std::lower_bound(first, xs.end(), std::max<std::int64_t>(a.x, b.x));
        return std::make_pair(static_cast<std::size_t>(first - begin), static_cast<std::size_t>(last - begin));
    };
    edgeSpans.clear();
    edgeSpans.reserve(edgeCount);
    offsets.assign(count + 2, 0);
    forEachEdge([&](const Point& a, const Point& b) {
        if (a.y != b.y || a.x == b.x) return;
        const auto [first, last] = spanOf(a, b);
        for (std::size_t c = first; c < last; ++c) ++offsets[c + 2];
        edgeSpans.push_back({first, last, a.y});
    });
    for (std::size_t c = 0; c < count; ++c) {
        if (offsets[c + 2] % 2 != 0) return false;
        offsets[c + 2] += offsets[c + 1];
    }
    toggles.resize(offsets[count + 1]);
    for (const EdgeSpan& span : edgeSpans) {
        for (std::size_t c = span.first; c < span.last; ++c) toggles[offsets[c + 1]++] = span.y;
    }
    offsets.pop_back();
    // A column's toggles are few: sorted in place.
    for (std::size_t c = 0; c < count; ++c) {
        const auto begin = toggles.begin() + static_cast<std::ptrdiff_t>(offsets[c]);
        const auto end = toggles.begin() + static_cast<std::ptrdiff_t>(offsets[c + 1]);
        for (auto i = begin + 1; i < end; ++i) {
            const std::int64_t y = *i;
            auto j = i;
            for (; j != begin && *(j - 1) > y; --j) *j = *(j - 1);
            *j = y;
        }
    }
    return true;
}

bool ColumnCover::assignOf(const Polygon& outline) {
    return assignFromEdges(outline.getPoints().size(),
                           [&outline](const auto& visit) { forEachOutlineEdge(outline.getPoints(), visit); });
}

bool ColumnCover::assignOf(const PolygonSet& outlines) {
    std::size_t edgeCount = 0;
    for (const Polygon& p : outlines.getAllPolygons()) edgeCount += p.getPoints().size();
    return assignFromEdges(edgeCount, [&outlines](const auto& visit) {
        for (const Polygon& p : outlines.getAllPolygons()) forEachOutlineEdge(p.getPoints(), visit);
    });
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
    cover.xs.reserve(2 * boxes.size());
    for (const Box& b : boxes) {
        if (b.left >= b.right || b.bottom >= b.top) continue;
        cover.xs.push_back(b.left);
        cover.xs.push_back(b.right);
    }
    std::sort(cover.xs.begin(), cover.xs.end());
    cover.xs.erase(std::unique(cover.xs.begin(), cover.xs.end()), cover.xs.end());
    const std::size_t count = cover.xs.size() < 2 ? 0 : cover.xs.size() - 1;

    // The boxes' spans of every column in one list, placed by counting as in assignOf().
    auto columnsOf = [&cover](const Box& b) {
        const auto begin = cover.xs.begin();
        const auto first = std::lower_bound(begin, cover.xs.end(), b.left);
        const auto last = std::lower_bound(first, cover.xs.end(), b.right);
        return std::make_pair(static_cast<std::size_t>(first - begin), static_cast<std::size_t>(last - begin));
    };
    std::vector<std::size_t> place(count + 2, 0);
    for (const Box& b : boxes) {
        if (b.left >= b.right || b.bottom >= b.top) continue;
        const auto [first, last] = columnsOf(b);
        for (std::size_t c = first; c < last; ++c) ++place[c + 2];
    }
    for (std::size_t c = 0; c < count; ++c) place[c + 2] += place[c + 1];
    std::vector<Interval> spans(place[count + 1]);
    for (const Box& b : boxes) {
        if (b.left >= b.right || b.bottom >= b.top) continue;
        const auto [first, last] = columnsOf(b);
        for (std::size_t c = first; c < last; ++c) spans[place[c + 1]++] = {b.bottom, b.top};
    }

    // Each column's spans, by their lows, joined where they overlap or touch.
    cover.offsets.assign(count + 1, 0);
    cover.toggles.reserve(2 * spans.size());
    for (std::size_t i = 0; i < count; ++i) {
        const auto begin = spans.begin() + static_cast<std::ptrdiff_t>(place[i]);
        const auto end = spans.begin() + static_cast<std::ptrdiff_t>(place[i + 1]);
        for (auto k = begin + 1; k < end; ++k) {
            const Interval span = *k;
            auto j = k;
            for (; j != begin && (j - 1)->low > span.low; --j) *j = *(j - 1);
            *j = span;
        }
        auto k = begin;
        while (k != end) {
            const std::int64_t low = k->low;
            std::int64_t high = k->high;
            for (++k; k != end && k->low <= high; ++k) high = std::max(high, k->high);
            cover.toggles.push_back(low);
            cover.toggles.push_back(high);
        }
        cover.offsets[i + 1] = cover.toggles.size();
    }
    return cover;
}

std::vector<ColumnCover::Box> ColumnCover::boxes() const {
    std::vector<Box> result;
    result.reserve(toggles.size() / 2);  // at most a box per interval
    std::vector<std::size_t> open, stillOpen;  // boxes reaching the current column, by height
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

std::optional<std::vector<ColumnCover::Box>> ColumnCover::boxesOf(const PolygonSet& outlines) {
    ColumnCover cover;
    if (!cover.assignOf(outlines)) return std::nullopt;
    return cover.boxes();
}

}  // namespace Zelkor::Rectilinear

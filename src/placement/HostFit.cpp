#include "placement/HostFit.h"

#include <algorithm>
#include <optional>

namespace Zelkor::Rectilinear {

namespace {

using Box = ColumnCover::Box;
using Interval = ColumnCover::Interval;

// Hosts with more columns than this are tested directly.
constexpr std::size_t mostHostColumns = 12;

bool within(const Box& inner, const Box& outer) {
    return outer.left <= inner.left && inner.right <= outer.right && outer.bottom <= inner.bottom &&
           inner.top <= outer.top;
}

// The boxes not inside another one (of equal boxes, the first).
std::vector<Box> outermost(const std::vector<Box>& boxes) {
    std::vector<Box> kept;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        bool inside = false;
        for (std::size_t j = 0; j < boxes.size() && !inside; ++j) {
            if (i == j || !within(boxes[i], boxes[j])) continue;
            inside = !within(boxes[j], boxes[i]) || j < i;
        }
        if (!inside) kept.push_back(boxes[i]);
    }
    return kept;
}

// Every rectangle of the region that no larger one of it contains: over each
// run of neighbouring columns, the intervals all of them cover.
std::vector<Box> largestRectangles(const ColumnCover& cover) {
    std::vector<Box> candidates;
    std::vector<Interval> common, column, next;
    for (std::size_t first = 0; first < cover.columnCount(); ++first) {
        cover.intervals(first, 0, common);
        for (std::size_t last = first; last < cover.columnCount() && !common.empty(); ++last) {
            if (last > first) {
                cover.intervals(last, 0, column);
                next.clear();
                std::size_t i = 0, j = 0;
                while (i < common.size() && j < column.size()) {
                    const std::int64_t low = std::max(common[i].low, column[j].low);
                    const std::int64_t high = std::min(common[i].high, column[j].high);
                    if (low < high) next.push_back({low, high});
                    (common[i].high < column[j].high) ? ++i : ++j;
                }
                common.swap(next);
            }
            for (const Interval& i : common) candidates.push_back({cover.xs[first], i.low, cover.xs[last + 1], i.high});
        }
    }
    return outermost(candidates);
}

std::optional<Box> intersection(const Box& a, const Box& b) {
    const Box box{std::max(a.left, b.left), std::max(a.bottom, b.bottom), std::min(a.right, b.right),
                  std::min(a.top, b.top)};
    if (box.left > box.right || box.bottom > box.top) return std::nullopt;
    return box;
}

}  // namespace

HostFit::HostFit(const PolygonSet& set) {
    const std::optional<ColumnCover> cover = ColumnCover::of(set.getAllEdges());
    if (!cover) return;
    setBoxes = cover->boxes();
    std::sort(setBoxes.begin(), setBoxes.end(), [](const Box& a, const Box& b) {
        return (a.right - a.left) * (a.top - a.bottom) > (b.right - b.left) * (b.top - b.bottom);
    });
}

void HostFit::placeHost(const Polygon& host) {
    hostPlaced = false;
    translations.clear();
    if (setBoxes.empty()) return;
    const std::optional<ColumnCover> cover = ColumnCover::of(host.getEdges());
    if (!cover || cover->columnCount() > mostHostColumns) return;
    const std::vector<Box> rectangles = largestRectangles(*cover);

    // The host moved by t holds box b in rectangle r when
    // r.left + t.x <= b.left and b.right <= r.right + t.x, and the same upright.
    auto fitsOf = [&rectangles](const Box& b) {
        std::vector<Box> fits;
        for (const Box& r : rectangles) {
            const Box t{b.right - r.right, b.top - r.top, b.left - r.left, b.bottom - r.bottom};
            if (t.left <= t.right && t.bottom <= t.top) fits.push_back(t);
        }
        return fits;
    };
    translations = fitsOf(setBoxes.front());
    for (std::size_t i = 1; i < setBoxes.size() && !translations.empty(); ++i) {
        const std::vector<Box> fits = fitsOf(setBoxes[i]);
        std::vector<Box> narrowed;
        for (const Box& a : translations) {
            for (const Box& b : fits) {
                if (const std::optional<Box> both = intersection(a, b)) narrowed.push_back(*both);
            }
        }
        translations = outermost(narrowed);
    }
    hostPlaced = true;
}

bool HostFit::holdsAt(const Point& t) const {
    return std::any_of(translations.begin(), translations.end(), [&t](const Box& b) {
        return b.left <= t.x && t.x <= b.right && b.bottom <= t.y && t.y <= b.top;
    });
}

}  // namespace Zelkor::Rectilinear

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
void outermost(const std::vector<Box>& boxes, std::vector<Box>& kept) {
    kept.clear();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        bool inside = false;
        for (std::size_t j = 0; j < boxes.size() && !inside; ++j) {
            if (i == j || !within(boxes[i], boxes[j])) continue;
            inside = !within(boxes[j], boxes[i]) || j < i;
        }
        if (!inside) kept.push_back(boxes[i]);
    }
}

// Every rectangle of the region that no larger one of it contains: over each
// run of neighbouring columns, the intervals all of them cover. Such an
// interval is as tall as the run allows, so its rectangle is the largest
// unless a column beside the run covers the interval too.
void largestRectangles(HostFit::Lists& lists) {
    const ColumnCover& cover = lists.cover;
    std::vector<Interval>& columns = lists.columns;
    std::vector<Interval>& common = lists.common;
    std::vector<Interval>& column = lists.column;
    std::vector<Interval>& next = lists.next;
    std::vector<std::size_t>& firstOf = lists.firstOf;
    std::vector<Box>& rectangles = lists.rectangles;
    const std::size_t count = cover.columnCount();
    columns.clear();
    columns.reserve(cover.toggles.size() / 2);
    firstOf.reserve(count + 1);
    firstOf.assign(1, 0);
    for (std::size_t c = 0; c < count; ++c) {
        cover.intervals(c, 0, column);
        columns.insert(columns.end(), column.begin(), column.end());
        firstOf.push_back(columns.size());
    }
    auto covers = [&columns, &firstOf](std::size_t c, const Interval& i) {
        for (std::size_t k = firstOf[c]; k < firstOf[c + 1] && columns[k].low <= i.low; ++k) {
            if (i.high <= columns[k].high) return true;
        }
        return false;
    };
    rectangles.clear();
    for (std::size_t first = 0; first < count; ++first) {
        common.assign(columns.begin() + static_cast<std::ptrdiff_t>(firstOf[first]),
                      columns.begin() + static_cast<std::ptrdiff_t>(firstOf[first + 1]));
        for (std::size_t last = first; last < count && !common.empty(); ++last) {
            if (last > first) {
                next.clear();
                std::size_t i = 0, j = firstOf[last];
                while (i < common.size() && j < firstOf[last + 1]) {
                    const std::int64_t low = std::max(common[i].low, columns[j].low);
                    const std::int64_t high = std::min(common[i].high, columns[j].high);
                    if (low < high) next.push_back({low, high});
                    (common[i].high < columns[j].high) ? ++i : ++j;
                }
                common.swap(next);
            }
            for (const Interval& i : common) {
                if ((first > 0 && covers(first - 1, i)) || (last + 1 < count && covers(last + 1, i))) continue;
                rectangles.push_back({cover.xs[first], i.low, cover.xs[last + 1], i.high});
            }
        }
    }
}

std::optional<Box> intersection(const Box& a, const Box& b) {
    const Box box{std::max(a.left, b.left), std::max(a.bottom, b.bottom), std::min(a.right, b.right),
                  std::min(a.top, b.top)};
    if (box.left > box.right || box.bottom > box.top) return std::nullopt;
    return box;
}

}  // namespace

HostFit::HostFit(const PolygonSet& set) : HostFit(ColumnCover::boxesOf(set)) {}

HostFit::HostFit(const std::optional<std::vector<ColumnCover::Box>>& setRegion) {
    if (!setRegion) return;
    setBoxes = *setRegion;
    std::sort(setBoxes.begin(), setBoxes.end(), [](const Box& a, const Box& b) {
        return (a.right - a.left) * (a.top - a.bottom) > (b.right - b.left) * (b.top - b.bottom);
    });
}

void HostFit::placeHost(const Polygon& host) {
    hostPlaced = false;
    translations.clear();
    if (setBoxes.empty()) return;
    if (!lists.cover.assignOf(host) || lists.cover.columnCount() > mostHostColumns) return;
    largestRectangles(lists);
    const std::vector<Box>& rectangles = lists.rectangles;

    // The host moved by t holds box b in rectangle r when
    // r.left + t.x <= b.left and b.right <= r.right + t.x, and the same upright.
    auto fitsOf = [&rectangles](const Box& b, std::vector<Box>& fits) {
        fits.clear();
        fits.reserve(rectangles.size());
        for (const Box& r : rectangles) {
            const Box t{b.right - r.right, b.top - r.top, b.left - r.left, b.bottom - r.bottom};
            if (t.left <= t.right && t.bottom <= t.top) fits.push_back(t);
        }
    };
    std::vector<Box>& fits = lists.fits;
    std::vector<Box>& narrowed = lists.narrowed;
    fitsOf(setBoxes.front(), translations);
    for (std::size_t i = 1; i < setBoxes.size() && !translations.empty(); ++i) {
        fitsOf(setBoxes[i], fits);
        narrowed.clear();
        narrowed.reserve(translations.size() * fits.size());
        for (const Box& a : translations) {
            for (const Box& b : fits) {
                if (const std::optional<Box> both = intersection(a, b)) narrowed.push_back(*both);
            }
        }
        outermost(narrowed, translations);
    }
    hostPlaced = true;
}

bool HostFit::holdsAt(const Point& t) const {
    return std::any_of(translations.begin(), translations.end(), [&t](const Box& b) {
        return b.left <= t.x && t.x <= b.right && b.bottom <= t.y && t.y <= b.top;
    });
}

}  // namespace Zelkor::Rectilinear

#include "packing/FreeRectangles.h"

#include <algorithm>
#include <utility>

namespace Zelkor::Rectilinear::Math {

namespace {

using Interval = std::pair<std::int64_t, std::int64_t>;

// One horizontal slab between consecutive corner heights, with the runs of
// x inside the region (even-odd over the vertical edges that span the slab).
// Runs that meet at a slit are kept apart; runs of zero width are dropped.
struct Slab {
    std::int64_t bottom = 0;
    std::int64_t top = 0;
    std::vector<Interval> inside;
};

std::vector<Slab> slabsOf(const Polygon& polygon) {
    const std::vector<Point>& points = polygon.getPoints();
    std::vector<std::int64_t> heights;
    heights.reserve(points.size());
    for (const Point& p : points) heights.push_back(p.y);
    std::sort(heights.begin(), heights.end());
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());

    struct Upright {
        std::int64_t x, low, high;
    };
    std::vector<Upright> uprights;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % points.size()];
        if (a.x == b.x && a.y != b.y) uprights.push_back({a.x, std::min<std::int64_t>(a.y, b.y), std::max<std::int64_t>(a.y, b.y)});
    }

    std::vector<Slab> slabs;
    std::vector<std::int64_t> crossings;
    for (std::size_t k = 0; k + 1 < heights.size(); ++k) {
        Slab slab{heights[k], heights[k + 1], {}};
        crossings.clear();
        for (const Upright& u : uprights) {
            if (u.low <= slab.bottom && u.high >= slab.top) crossings.push_back(u.x);
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t c = 0; c + 1 < crossings.size(); c += 2) {
            if (crossings[c] < crossings[c + 1]) slab.inside.emplace_back(crossings[c], crossings[c + 1]);
        }
        slabs.push_back(std::move(slab));
    }
    return slabs;
}

// Drops the boxes from `first` on that another box contains (of two equal
// boxes the later one goes).
void dropContained(std::vector<LatticeBox>& boxes, std::size_t first) {
    std::size_t kept = first;
    for (std::size_t i = first; i < boxes.size(); ++i) {
        bool contained = false;
        for (std::size_t j = 0; j < boxes.size() && !contained; ++j) {
            if (j == i || !boxes[j].contains(boxes[i])) continue;
            // Equal boxes: the one further on is the copy. Boxes before
            // `first` are maximal already and so never copies of a later one.
            contained = !(boxes[j] == boxes[i]) || j < i;
        }
        if (!contained) boxes[kept++] = boxes[i];
    }
    boxes.resize(kept);
}

}  // namespace

FreeRectangles::FreeRectangles(const Polygon& region) {
    const std::vector<Slab> slabs = slabsOf(region);
    std::vector<Interval> common, next;
    for (std::size_t i = 0; i < slabs.size(); ++i) {
        common = slabs[i].inside;
        for (std::size_t j = i; j < slabs.size() && !common.empty(); ++j) {
            if (j > i) {
                if (slabs[j].bottom != slabs[j - 1].top) break;
                next.clear();
                for (const Interval& a : common) {
                    for (const Interval& b : slabs[j].inside) {
                        const std::int64_t low = std::max(a.first, b.first), high = std::min(a.second, b.second);
                        if (low < high) next.emplace_back(low, high);
                    }
                }
                common.swap(next);
            }
            for (const Interval& run : common) free.push_back({run.first, slabs[i].bottom, run.second, slabs[j].top});
        }
    }
    dropContained(free, 0);
}

bool FreeRectangles::holds(const LatticeBox& piece) const {
    for (const LatticeBox& box : free) {
        if (box.contains(piece)) return true;
    }
    return false;
}

void FreeRectangles::occupy(const LatticeBox& piece) {
    std::vector<LatticeBox> strips;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < free.size(); ++i) {
        const LatticeBox box = free[i];
        if (!box.overlaps(piece)) {
            free[kept++] = box;
            continue;
        }
        if (piece.left > box.left) strips.push_back({box.left, box.bottom, piece.left, box.top});
        if (piece.right < box.right) strips.push_back({piece.right, box.bottom, box.right, box.top});
        if (piece.bottom > box.bottom) strips.push_back({box.left, box.bottom, box.right, piece.bottom});
        if (piece.top < box.top) strips.push_back({box.left, piece.top, box.right, box.top});
    }
    free.resize(kept);
    free.insert(free.end(), strips.begin(), strips.end());
    dropContained(free, kept);
}

std::int64_t FreeRectangles::largestArea() const {
    std::int64_t largest = 0;
    for (const LatticeBox& box : free) largest = std::max(largest, box.area());
    return largest;
}

std::vector<LatticeBox> rectanglePieces(const Polygon& polygon) {
    std::vector<LatticeBox> pieces;
    std::vector<std::size_t> open;  // pieces that reach the top of the slab before
    std::vector<std::size_t> stillOpen;
    std::int64_t previousTop = 0;
    bool first = true;
    for (const Slab& slab : slabsOf(polygon)) {
        // Runs that meet at a slit belong to the same solid part.
        std::vector<Interval> runs;
        for (const Interval& run : slab.inside) {
            if (!runs.empty() && runs.back().second == run.first) {
                runs.back().second = run.second;
            } else {
                runs.push_back(run);
            }
        }
        stillOpen.clear();
        for (const Interval& run : runs) {
            bool extended = false;
            if (!first && slab.bottom == previousTop) {
                for (const std::size_t k : open) {
                    LatticeBox& piece = pieces[k];
                    if (piece.left == run.first && piece.right == run.second) {
                        piece.top = slab.top;
                        stillOpen.push_back(k);
                        extended = true;
                        break;
                    }
                }
            }
            if (!extended) {
                stillOpen.push_back(pieces.size());
                pieces.push_back({run.first, slab.bottom, run.second, slab.top});
            }
        }
        open.swap(stillOpen);
        previousTop = slab.top;
        first = false;
    }
    return pieces;
}

std::int64_t latticeArea(const Polygon& polygon) {
    std::int64_t area = 0;
    for (const Slab& slab : slabsOf(polygon)) {
        for (const Interval& run : slab.inside) area += (run.second - run.first) * (slab.top - slab.bottom);
    }
    return area;
}

}  // namespace Zelkor::Rectilinear::Math

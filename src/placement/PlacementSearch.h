#pragma once

// Small pieces shared by the placement searches: extents in 64-bit, the
// window of grid candidates that can pass a containment test at all, and a
// containment test of a fixed host against moving shapes that uses the host's
// cell index when it can answer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/HostRegion.h"
#include "placement/TranslationGrid.h"

namespace Zelkor::Rectilinear::PlacementSearch {

// Building a host index costs about as much as a few exact tests; below this
// many candidates it does not pay.
constexpr std::size_t candidatesWorthAnIndex = 8;

struct Extent {
    std::int64_t left, bottom, right, top;
};

inline Extent extentOf(const Polygon& polygon) {
    const Rectangle box = polygon.getBoundingRectangle();
    return {box.getBottomLeft().x, box.getBottomLeft().y, box.getTopRight().x, box.getTopRight().y};
}

// The box of the corners of all members that have corners; none when no member has.
inline std::optional<Extent> extentOf(const PolygonSet& polygonSet) {
    std::optional<Extent> extent;
    for (const Polygon& polygon : polygonSet.getAllPolygons()) {
        if (polygon.isEmpty()) continue;
        const Extent e = extentOf(polygon);
        if (!extent) {
            extent = e;
        } else {
            extent = Extent{std::min(extent->left, e.left), std::min(extent->bottom, e.bottom),
                            std::max(extent->right, e.right), std::max(extent->top, e.top)};
        }
    }
    return extent;
}

inline bool fitsCoordinate(std::int64_t value) {
    return value >= std::numeric_limits<Coordinate>::min() && value <= std::numeric_limits<Coordinate>::max();
}

// Every translation of the grid keeps `moving` (its extent at translation
// zero) within `limit` of the origin, so moving it never wraps a coordinate
// and every test on it agrees with the same test in plain integers.
inline bool gridKeepsWithin(const TranslationGrid& grid, const Extent& moving, std::int64_t limit) {
    if (grid.empty()) return true;
    const std::int64_t xLow = grid.getXTranslations().front(), xHigh = grid.getXTranslations().back();
    const std::int64_t yLow = grid.getYTranslations().front(), yHigh = grid.getYTranslations().back();
    return moving.left + xLow >= -limit && moving.right + xHigh <= limit && moving.bottom + yLow >= -limit &&
           moving.top + yHigh <= limit;
}

inline constexpr std::int64_t coordinateLimit = std::numeric_limits<Coordinate>::max() - 1;

// Index ranges [first, last) of the grid's two axes.
struct CandidateWindow {
    std::size_t xFirst, xLast, yFirst, yLast;
    std::size_t size() const { return (xLast - xFirst) * (yLast - yFirst); }
    static CandidateWindow whole(const TranslationGrid& grid) {
        return {0, grid.getXTranslations().size(), 0, grid.getYTranslations().size()};
    }
    CandidateWindow intersectedWith(const CandidateWindow& other) const {
        CandidateWindow w{std::max(xFirst, other.xFirst), std::min(xLast, other.xLast), std::max(yFirst, other.yFirst),
                          std::min(yLast, other.yLast)};
        if (w.xLast < w.xFirst) w.xLast = w.xFirst;
        if (w.yLast < w.yFirst) w.yLast = w.yFirst;
        return w;
    }
};

// The translations that keep `moving` (extent at translation zero) inside the
// box `fixed`: outside them no containment test can succeed.
inline CandidateWindow windowKeeping(const TranslationGrid& grid, const Extent& moving, const Extent& fixed) {
    const auto [xFirst, xLast] =
        TranslationGrid::indexRange(grid.getXTranslations(), fixed.left - moving.left, fixed.right - moving.right);
    const auto [yFirst, yLast] =
        TranslationGrid::indexRange(grid.getYTranslations(), fixed.bottom - moving.bottom, fixed.top - moving.top);
    return {xFirst, xLast, yFirst, yLast};
}

// Polygon::contains of a fixed host for shapes moved by a translation. The
// moved shapes must not wrap (see gridKeepsWithin).
class FixedHostTest {
public:
    explicit FixedHostTest(const Polygon& host) : host(host) {}

    void useIndex() {
        if (!region) region.emplace(host);
    }

    bool contains(const Polygon& moving, const Point& t) {
        if (region) {
            const HostRegion::Answer answer = region->containsTranslated(moving, t.x, t.y);
            if (answer != HostRegion::Answer::unknown) return answer == HostRegion::Answer::yes;
        }
        scratch = moving;
        scratch.translate(t);
        return host.contains(scratch);
    }

    bool contains(const PolygonSet& movingSet, const Point& t) {
        if (region) {
            bool decided = true;
            for (const Polygon& member : movingSet.getAllPolygons()) {
                const HostRegion::Answer answer = region->containsTranslated(member, t.x, t.y);
                if (answer == HostRegion::Answer::no) return false;
                if (answer == HostRegion::Answer::unknown) decided = false;
            }
            if (decided) return true;
        }
        PolygonSet moved = movingSet;
        moved.translate(t);
        return host.contains(moved);
    }

private:
    const Polygon& host;
    std::optional<HostRegion> region;
    Polygon scratch;
};

}  // namespace Zelkor::Rectilinear::PlacementSearch

#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/ColumnCover.h"

namespace Zelkor::Rectilinear {

// The translations at which a moving host holds a set at rest, as closed
// boxes. The set is cut into boxes and the host into its largest rectangles;
// a box of the set lies in the host exactly when it lies in one of those
// rectangles, which it does for a box of translations, so the whole set fits
// in the intersection over its boxes of the unions over the rectangles.
// Built for hosts of a few corners: a host with many columns, or a set with
// no boxes, is not served (usable() is false) and must be tested directly.
class HostFit {
public:
    explicit HostFit(const PolygonSet& set);
    // The same from the set's region as boxes (ColumnCover::boxesOf).
    explicit HostFit(const std::optional<std::vector<ColumnCover::Box>>& setRegion);

    // The host at translation zero, for the tests that follow.
    void placeHost(const Polygon& host);
    bool usable() const { return hostPlaced; }
    // Whether the host moved by t holds the set.
    bool holdsAt(const Point& t) const;
    // Whether no translation at all holds the set.
    bool holdsNowhere() const { return translations.empty(); }

    // The working lists of placeHost, kept so that placing the host again,
    // once per turn, does not allocate.
    struct Lists {
        ColumnCover cover;
        std::vector<ColumnCover::Interval> columns, common, column, next;
        std::vector<std::size_t> firstOf;
        std::vector<ColumnCover::Box> rectangles, fits, narrowed;
    };

private:
    using Box = ColumnCover::Box;

    std::vector<Box> setBoxes;  // largest first: they rule out the most
    std::vector<Box> translations;
    bool hostPlaced = false;
    Lists lists;
};

}  // namespace Zelkor::Rectilinear

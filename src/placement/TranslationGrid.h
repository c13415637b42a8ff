#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "geometry/Point.h"

namespace Zelkor::Rectilinear {

// The candidate translations of a placement search: every distinct x offset
// (own x minus possible x) times every distinct y offset, walked x ascending,
// then y ascending. Kept as its two sorted axes, so that searches can skip
// whole runs of candidates without listing them.
class TranslationGrid {
public:
    TranslationGrid(const std::vector<Point>& ownPoints, const std::vector<Point>& possiblePoints);

    const std::vector<Coordinate>& getXTranslations() const { return xTranslations; }
    const std::vector<Coordinate>& getYTranslations() const { return yTranslations; }
    bool empty() const { return xTranslations.empty() || yTranslations.empty(); }
    // Every translation, in walking order.
    std::vector<Point> allTranslations() const;

    // Indices [first, last) of the sorted values lying within [low, high].
    static std::pair<std::size_t, std::size_t> indexRange(const std::vector<Coordinate>& values, std::int64_t low,
                                                          std::int64_t high);

private:
    std::vector<Coordinate> xTranslations;
    std::vector<Coordinate> yTranslations;
};

}  // namespace Zelkor::Rectilinear

#include "placement/TranslationGrid.h"

#include <algorithm>

namespace Zelkor::Rectilinear {

namespace {

void sortUnique(std::vector<Coordinate>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

// All differences a - b (wrapping like every coordinate sum), sorted and
// distinct. Deduplicating both sides first keeps the product small.
std::vector<Coordinate> differences(std::vector<Coordinate> own, std::vector<Coordinate> possible) {
    sortUnique(own);
    sortUnique(possible);
    std::vector<Coordinate> result;
    result.reserve(own.size() * possible.size());
    for (Coordinate a : own) {
        for (Coordinate b : possible) result.push_back(wrappingSubtract(a, b));
    }
    sortUnique(result);
    return result;
}

}  // namespace

TranslationGrid::TranslationGrid(const std::vector<Point>& ownPoints, const std::vector<Point>& possiblePoints) {
    std::vector<Coordinate> ownX, ownY, possibleX, possibleY;
    ownX.reserve(ownPoints.size());
    ownY.reserve(ownPoints.size());
    possibleX.reserve(possiblePoints.size());
    possibleY.reserve(possiblePoints.size());
    for (const Point& p : ownPoints) {
        ownX.push_back(p.x);
        ownY.push_back(p.y);
    }
    for (const Point& q : possiblePoints) {
        possibleX.push_back(q.x);
        possibleY.push_back(q.y);
    }
    xTranslations = differences(std::move(ownX), std::move(possibleX));
    yTranslations = differences(std::move(ownY), std::move(possibleY));
}

std::vector<Point> TranslationGrid::allTranslations() const {
    std::vector<Point> translations;
    translations.reserve(xTranslations.size() * yTranslations.size());
    for (Coordinate x : xTranslations) {
        for (Coordinate y : yTranslations) translations.emplace_back(x, y);
    }
    return translations;
}

std::pair<std::size_t, std::size_t> TranslationGrid::indexRange(const std::vector<Coordinate>& values,
                                                                std::int64_t low, std::int64_t high) {
    const auto first = std::lower_bound(values.begin(), values.end(), low,
                                        [](Coordinate value, std::int64_t bound) { return value < bound; });
    const auto last = std::upper_bound(first, values.end(), high,
                                       [](std::int64_t bound, Coordinate value) { return bound < value; });
    return {static_cast<std::size_t>(first - values.begin()), static_cast<std::size_t>(last - values.begin())};
}

}  // namespace Zelkor::Rectilinear

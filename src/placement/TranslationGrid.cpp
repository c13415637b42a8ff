#include "placement/TranslationGrid.h"

#include <algorithm>

namespace Zelkor::Rectilinear {

namespace {

void sortUnique(std::vector<Coordinate>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

// The distinct values of one axis of the points, ascending. Neighbouring
// corners of an outline share one of their coordinates, so repeats in a row
// are dropped before sorting: that halves what is sorted.
void axisValues(const std::vector<Point>& points, Coordinate Point::*axis, std::vector<Coordinate>& values) {
    values.clear();
    for (const Point& p : points) {
        if (values.empty() || values.back() != p.*axis) values.push_back(p.*axis);
    }
    sortUnique(values);
}

// All differences a - b of one axis (wrapping like every coordinate sum),
// sorted and distinct. Deduplicating both sides first keeps the product small;
// the sides' lists are the caller's, to serve both axes.
void differences(const std::vector<Point>& own, const std::vector<Point>& possible, Coordinate Point::*axis,
                 std::vector<Coordinate>& ownValues, std::vector<Coordinate>& possibleValues,
                 std::vector<Coordinate>& result) {
    axisValues(own, axis, ownValues);
    axisValues(possible, axis, possibleValues);
    result.resize(ownValues.size() * possibleValues.size());
    std::size_t k = 0;
    for (const Coordinate a : ownValues) {
        for (const Coordinate b : possibleValues) result[k++] = wrappingSubtract(a, b);
    }
    sortUnique(result);
}

}  // namespace

TranslationGrid::TranslationGrid(const std::vector<Point>& ownPoints, const std::vector<Point>& possiblePoints) {
    std::vector<Coordinate> ownValues, possibleValues;
    ownValues.reserve(ownPoints.size());
    possibleValues.reserve(possiblePoints.size());
    differences(ownPoints, possiblePoints, &Point::x, ownValues, possibleValues, xTranslations);
    differences(ownPoints, possiblePoints, &Point::y, ownValues, possibleValues, yTranslations);
}

std::vector<Point> TranslationGrid::allTranslations() const {
    std::vector<Point> translations(xTranslations.size() * yTranslations.size());
    auto next = translations.begin();
    for (Coordinate x : xTranslations) {
        for (Coordinate y : yTranslations) *next++ = Point(x, y);
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

#pragma once

#include <cstdint>

#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear::Math {

// Areas below this are whole numbers that a float holds exactly.
inline constexpr std::int64_t exactFloatAreaLimit = std::int64_t{1} << 24;

// Areas as exact whole numbers: twice the area, which the float areas of the
// shapes round beyond 2^24, where a single unit may decide a question.

// Twice the area enclosed by the outline.
__int128 twiceArea(const Polygon& polygon);
// Twice the area of the pieces, holes taken off.
__int128 twiceArea(const HoledPolygonSet& pieces);

// Whether the two closed regions share more than boundary: some area.
bool interiorsOverlap(const Polygon& one, const Polygon& other);
// Whether some member of one set shares area with some member of the other.
bool interiorsOverlap(const PolygonSet& one, const PolygonSet& other);

}  // namespace Zelkor::Rectilinear::Math

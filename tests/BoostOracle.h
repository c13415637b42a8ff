#pragma once

// Conversions to Boost.Polygon, the independent library the tests compare
// regions with and the benchmarks use as a baseline.

#if ZELKOR_HAVE_BOOST_POLYGON

#include <algorithm>
#include <boost/polygon/polygon.hpp>
#include <limits>
#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear::Testing {

// A polygon's corners as the library's outline.
inline boost::polygon::polygon_90_data<int> boostOutline(const Polygon& polygon) {
    std::vector<boost::polygon::point_data<int>> corners;
    corners.reserve(polygon.getPoints().size());
    for (const Point& c : polygon.getPoints()) corners.emplace_back(c.x, c.y);
    boost::polygon::polygon_90_data<int> outline;
    outline.set(corners.begin(), corners.end());
    return outline;
}

// The region a polygon bounds; none for an empty polygon.
inline boost::polygon::polygon_90_set_data<int> boostRegion(const Polygon& polygon) {
    boost::polygon::polygon_90_set_data<int> region;
    if (!polygon.isEmpty()) region.insert(boostOutline(polygon));
    return region;
}

// The base's region without the holes'.
inline boost::polygon::polygon_90_set_data<int> boostRegion(const HoledPolygon& shape) {
    using namespace boost::polygon::operators;
    boost::polygon::polygon_90_set_data<int> holes;
    for (const Polygon& hole : shape.getHoles()) {
        if (!hole.isEmpty()) holes.insert(boostOutline(hole));
    }
    return boostRegion(shape.getBasePolygon()) - holes;
}

// The union of the members' regions.
inline boost::polygon::polygon_90_set_data<int> boostRegion(const PolygonSet& set) {
    boost::polygon::polygon_90_set_data<int> region;
    for (const Polygon& member : set.getAllPolygons()) {
        if (!member.isEmpty()) region.insert(boostOutline(member));
    }
    return region;
}

inline boost::polygon::polygon_90_set_data<int> boostRegion(const HoledPolygonSet& set) {
    using namespace boost::polygon::operators;
    boost::polygon::polygon_90_set_data<int> region;
    for (const HoledPolygon& member : set.getAllPolygons()) region = region | boostRegion(member);
    return region;
}

// Equal up to quarter turns and a translation, compared as regions.
inline bool boostCongruent(const Polygon& a, const Polygon& b) {
    auto normalized = [](const Polygon& polygon, int quarterTurns) {
        std::vector<Point> corners = polygon.getPoints();
        for (int turn = 0; turn < quarterTurns; ++turn) {
            for (Point& c : corners) c = Point(-c.y, c.x);
        }
        Coordinate left = std::numeric_limits<Coordinate>::max(), bottom = left;
        for (const Point& c : corners) left = std::min(left, c.x), bottom = std::min(bottom, c.y);
        for (Point& c : corners) c = Point(c.x - left, c.y - bottom);
        return boostRegion(Polygon(corners, ""));
    };
    using namespace boost::polygon::operators;
    const boost::polygon::polygon_90_set_data<int> reference = normalized(a, 0);
    for (int turns = 0; turns < 4; ++turns) {
        if (boost::polygon::area(reference ^ normalized(b, turns)) == 0) return true;
    }
    return false;
}

}  // namespace Zelkor::Rectilinear::Testing

#endif

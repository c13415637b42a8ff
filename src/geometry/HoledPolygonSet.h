#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "geometry/HoledPolygon.h"

namespace Zelkor::Rectilinear {

class PolygonSet;

// An ordered collection of holed polygons: the result of every subtraction.
// Members may overlap, touch or be empty; nothing is merged on insertion.
class HoledPolygonSet {
public:
    HoledPolygonSet() = default;
    explicit HoledPolygonSet(std::vector<HoledPolygon> holedPolygons);
    // Each polygon wrapped without holes.
    explicit HoledPolygonSet(const PolygonSet& polygonSet);

    int size() const { return static_cast<int>(holedPolygons.size()); }
    bool empty() const { return holedPolygons.empty(); }
    // The caller keeps index in range.
    const HoledPolygon& getPolygon(int index) const { return holedPolygons[static_cast<std::size_t>(index)]; }
    const std::vector<HoledPolygon>& getAllPolygons() const { return holedPolygons; }
    std::vector<Segment> getAllEdges() const;
    float getArea() const;

    void add(const HoledPolygon& holedPolygon);
    void add(const HoledPolygonSet& holedPolygonSet);
    void add(const PolygonSet& polygonSet);

    HoledPolygonSet booleanSubtract(const HoledPolygon& otherPolygon) const;
    HoledPolygonSet getAllPolygonsContracted(int numberOfUnits) const;
    HoledPolygonSet getAllPolygonsExpanded(int numberOfUnits) const;
    // The union of all members with the holes it encloses.
    HoledPolygonSet booleanAddAll() const;

    // Same size and every member of this set equals some member of the other.
    bool operator==(const HoledPolygonSet& holedPolygonSet) const;
    bool operator!=(const HoledPolygonSet& holedPolygonSet) const { return !(*this == holedPolygonSet); }
    std::string toString() const;

private:
    std::vector<HoledPolygon> holedPolygons;
};

std::ostream& operator<<(std::ostream& os, const HoledPolygonSet& s);

}  // namespace Zelkor::Rectilinear

#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear {

// An ordered collection of polygons treated as one shape. Members stay
// exactly as added: nothing is merged, validated or de-duplicated.
// The total area is cached; -1.0 marks it as not computed.
class PolygonSet {
public:
    static constexpr float areaNotComputed = -1.0f;

    PolygonSet() = default;
    explicit PolygonSet(std::vector<Polygon> polygonVector);

    int size() const { return static_cast<int>(polygons.size()); }
    bool empty() const { return polygons.empty(); }
    // The caller keeps index in range.
    const Polygon& getPolygon(int index) const { return polygons[static_cast<std::size_t>(index)]; }
    const std::vector<Polygon>& getAllPolygons() const { return polygons; }
    std::vector<Segment> getAllEdges() const;
    std::vector<Point> getPoints() const;
    Rectangle getBoundingRectangle() const;
    Coordinate shortestSegmentLength() const;
    bool intersect(const Polygon& polygon) const;
    bool intersectAll(const PolygonSet& polygonSet) const;
    bool containsCongruentPolygon(const Polygon& p) const;
    float getArea();
    std::string toString() const;

    // Same size, and every member of the other set equals some member of this one.
    bool operator==(const PolygonSet& polygonSet) const;
    bool operator!=(const PolygonSet& polygonSet) const { return !(*this == polygonSet); }
    // Exactly one member, equal to polygon.
    bool operator==(const Polygon& polygon) const;

    void add(const Polygon& polygon);
    void add(const PolygonSet& polygonSet);
    void translate(const Point& offset);
    void rotateAboutOrigin(int ninetyDegreeMultiplier);
    void slideToOrigin();
    void unvalidatedContractAll(int numberOfUnits);
    void unvalidatedExpandAll(int numberOfUnits);
    // Scales every member so that the set fits a length-by-width box.
    void fitToSize(int length, int width);

    // The outer outlines of the union of all members; enclosed holes go to
    // interiorHolesRemoved when it is given.
    PolygonSet booleanAddAndSimplifyAll(PolygonSet* interiorHolesRemoved) const;

    PolygonSet getAllPolygonsContracted(int numberOfUnits) const;
    PolygonSet getAllPolygonsExpanded(int numberOfUnits) const;

private:
    float computeArea() const;

    std::vector<Polygon> polygons;
    float area = 0.0f;
};

std::ostream& operator<<(std::ostream& os, const PolygonSet& s);

}  // namespace Zelkor::Rectilinear

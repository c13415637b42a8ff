#pragma once

#include <cassert>
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

    // An empty set whose total (0) is known.
    PolygonSet() = default;
    // The total is computed on first request.
    explicit PolygonSet(std::vector<Polygon> polygonVector);

    int size() const { return static_cast<int>(polygons.size()); }
    bool empty() const { return polygons.empty(); }
    // The caller keeps index in range (checked only in debug builds).
    const Polygon& getPolygon(int index) const {
        assert(index >= 0 && index < size());
        return polygons[static_cast<std::size_t>(index)];
    }
    const std::vector<Polygon>& getAllPolygons() const { return polygons; }
    std::vector<Segment> getAllEdges() const;
    std::vector<Point> getPoints() const;
    // Encloses the corners of all members. Members without corners add
    // nothing; with no corners at all both corners are hole points, as for
    // an empty polygon.
    Rectangle getBoundingRectangle() const;
    // Point::infinity for an empty set.
    Coordinate shortestSegmentLength() const;
    bool intersect(const Polygon& polygon) const;
    bool intersectAll(const PolygonSet& polygonSet) const;
    bool containsCongruentPolygon(const Polygon& p) const;
    // The cached total; recomputed first when it is marked not computed.
    float getArea();
    std::string toString() const;

    // Same size, and every member of the other set equals some member of this one.
    bool operator==(const PolygonSet& polygonSet) const;
    bool operator!=(const PolygonSet& polygonSet) const { return !(*this == polygonSet); }
    // Exactly one member, equal to polygon.
    bool operator==(const Polygon& polygon) const;

    // Appends a copy and keeps the cached total up to date; no checks at all.
    void add(const Polygon& polygon);
    void add(const PolygonSet& polygonSet);
    void translate(const Point& offset);
    void rotateAboutOrigin(int ninetyDegreeMultiplier);
    // Moves the bounding rectangle's lower-left corner to (0, 0); a set
    // without corners stays as it is.
    void slideToOrigin();
    // Raw offsets of every member (positive contracts); the total is then
    // marked not computed.
    void unvalidatedContractAll(int numberOfUnits);
    void unvalidatedExpandAll(int numberOfUnits);
    // Scales every member by one factor so that the set fits a length-by-width
    // box, either way round. A bounding extent of zero sets no limit (nothing
    // to divide by); when both extents are zero, or the set has no corners,
    // the members stay as they are. The total is marked not computed, but
    // members keep the areas they recorded before scaling.
    void fitToSize(int length, int width);

    // The outer outlines of the union of all members, in the order their
    // cycles are traced from the sorted boundary pieces; holes enclosed by the
    // union are appended to interiorHolesRemoved when it is not null. A set of
    // fewer than two members comes back as it is. Throws
    // InvalidPolygonException when the surviving pieces do not close into
    // cycles.
    PolygonSet booleanAddAndSimplifyAll(PolygonSet* interiorHolesRemoved) const;

    PolygonSet getAllPolygonsContracted(int numberOfUnits) const;
    PolygonSet getAllPolygonsExpanded(int numberOfUnits) const;

    // --- Placement (placement/HostPlacement.cpp) ---
    // Polygon::getAllTranslationsForPositions over the corners of all members.
    std::vector<Point> getAllTranslationsForPositions(const std::vector<Point>& possiblePoints) const;
    // Translates every member so the set starts diagonally beyond the
    // top-right corner of the other shape.
    void positionAtOuterCornerOf(const Polygon& polygon);
    void positionAtOuterCornerOf(const PolygonSet& polygonSet);

private:
    float computeArea() const;

    std::vector<Polygon> polygons;
    float area = 0.0f;
};

std::ostream& operator<<(std::ostream& os, const PolygonSet& s);

}  // namespace Zelkor::Rectilinear

#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/Segment.h"

namespace Zelkor::Rectilinear {

class HoledPolygonSet;

// A polygon with zero or more polygonal holes. Holes are stored as ordinary
// counterclockwise polygons; getEdges() turns them clockwise so that the
// material lies on the left of every edge. Nothing forces the holes to lie
// inside the base or apart from each other.
class HoledPolygon {
public:
    // The cycles of a segment soup: counterclockwise outlines of material and
    // clockwise outlines of holes (stored standardized).
    struct CycleSet {
        std::vector<Polygon> forwardCycles;
        std::vector<Polygon> reverseCycles;
    };

    HoledPolygon() = default;
    explicit HoledPolygon(const Polygon& polygon);
    HoledPolygon(Polygon basePolygon, std::vector<Polygon> holes);
    // "base|hole|hole"; a trailing "|" adds no hole.
    explicit HoledPolygon(const std::string& holedPolygonString);

    std::string toString() const;
    std::vector<Point> getPoints() const;
    // Base edges, then each hole's edges reversed.
    std::vector<Segment> getEdges() const;
    int getNumberOfEdges() const;
    const Polygon& getBasePolygon() const { return basePolygon; }
    const std::vector<Polygon>& getHoles() const { return holes; }
    bool isEmpty() const { return basePolygon.isEmpty(); }
    // Base area minus each hole's area.
    float getArea() const;

    bool segmentIsOnBoundary(const Segment& segment) const;
    bool segmentIsCoincidentWithAnEdge(const Segment& segment) const;
    // Inside the base (edges count as inside) and not strictly inside a hole.
    bool containsNonCrossOverSegment(const Segment& segment) const;
    // Inside the base and entering no hole's interior; running along or
    // touching a hole's boundary is allowed.
    bool containsSegment(const Segment& segment) const;
    bool containsPolygon(const HoledPolygon& otherPolygon) const;
    bool intersect(const Segment& segment) const;
    bool intersect(const Polygon& polygon) const;

    HoledPolygonSet getPolygonContracted(int numberOfUnits) const;
    HoledPolygonSet getPolygonExpanded(int numberOfUnits) const;
    void unvalidatedContract(int numberOfUnits);
    void unvalidatedExpand(int numberOfUnits);

    HoledPolygonSet booleanSubtract(const HoledPolygon& otherPolygon) const;
    // This shape less each member in turn, taken from every piece so far.
    // The cost grows with the members and the pieces and holes each one
    // reaches, not with all the holes made so far.
    HoledPolygonSet booleanSubtract(const HoledPolygonSet& holedPolygonSet) const;

    // Same directed edges (after splitting nothing), whatever the starting
    // corner and the order of the holes.
    bool operator==(const HoledPolygon& otherPolygon) const;
    bool operator!=(const HoledPolygon& otherPolygon) const { return !(*this == otherPolygon); }
    // No holes and a base equal to polygon.
    bool operator==(const Polygon& polygon) const;
    bool operator!=(const Polygon& polygon) const { return !(*this == polygon); }

    // Splits the segments at each other, then sorts all simple cycles into
    // material outlines and hole outlines.
    static CycleSet getSimpleCycleInformation(const std::vector<Segment>& graphEdges);

private:
    // The segment has a point strictly inside `hole`.
    static bool segmentEntersInterior(const Polygon& hole, const Segment& segment);

    Polygon basePolygon;
    std::vector<Polygon> holes;
};

std::ostream& operator<<(std::ostream& os, const HoledPolygon& p);

}  // namespace Zelkor::Rectilinear

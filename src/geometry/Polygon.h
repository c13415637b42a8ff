#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Rectangle.h"
#include "geometry/Segment.h"
#include "geometry/TurnsAllowed.h"

namespace Zelkor::Rectilinear {

class PolygonSet;
class HoledPolygonSet;
class WhiteSpaceInformation;

// A rectilinear polygon given by its corners; the edge from the last corner
// back to the first is implied. Every constructor but the default one
// standardizes: corners on a straight line are dropped, a diagonal edge is
// refused with InvalidPolygonException, and the boundary is made to run
// counterclockwise (interior on the left), starting from the first surviving
// corner the caller gave (the last one when the order had to be reversed).
//
// Fewer than three corners bound nothing: standardizing them leaves an empty
// polygon (area 0). Building from an empty segment list gives an empty
// polygon of area 0 as well.
//
// Polygons are plain values: copy them freely; operations change only the
// polygon they are called on.
class Polygon {
public:
    Polygon() = default;
    Polygon(std::vector<Point> newPoints, std::string newName);
    // Corner texts separated by single spaces: "0,0 10,0 10,10 0,10".
    Polygon(const std::string& pointString, std::string newName);
    // Traces one closed chain from the front of `segments` and removes the
    // segments it used; sub-loops met at a repeated corner go back to the
    // front of `segments`, to be traced as polygons of their own.
    Polygon(std::vector<Segment>& segments, std::string newName);

    // --- Model -------------------------------------------------------------
    bool isEmpty() const { return points.empty(); }
    int numberOfPoints() const { return static_cast<int>(points.size()); }
    int numberOfEdges() const { return static_cast<int>(points.size()); }
    const std::vector<Point>& getPoints() const { return points; }
    // Edge i runs from corner i to corner i + 1 (wrapping).
    std::vector<Segment> getEdges() const;
    float getArea() const { return area; }
    // Corners are hole points for an empty polygon.
    Rectangle getBoundingRectangle() const { return boundingRectangle; }
    const std::string& getName() const { return name; }
    void setName(std::string newName) { name = std::move(newName); }
    int getId() const { return id; }
    void setId(int newId) { id = newId; }
    // The part's grain: the turns packing may give it (quarter turns unless set).
    TurnsAllowed getTurnsAllowed() const { return turnsAllowed; }
    void setTurnsAllowed(TurnsAllowed newTurnsAllowed) { turnsAllowed = newTurnsAllowed; }
    // Counterclockwise quarter turns rotateAboutOrigin has given this polygon
    // since it was built, 0 to 3, so that a part's grain can be checked
    // however its outline looks.
    int getQuarterTurnsApplied() const { return quarterTurnsApplied; }
    // The grain and the turns of `original`, for a polygon rebuilt from it.
    void takeGrainFrom(const Polygon& original) {
        turnsAllowed = original.turnsAllowed;
        quarterTurnsApplied = original.quarterTurnsApplied;
    }
    bool wasOriginallyDefinedInReverseOrder() const { return originallyDefinedInReverseOrder; }
    // Point::infinity for an empty polygon.
    Coordinate shortestSegmentLength() const;

    // Same directed boundary, whichever corner it starts from. Names, ids,
    // areas and flags are not compared; two empty polygons are not equal.
    bool operator==(const Polygon& polygon) const;
    bool operator!=(const Polygon& polygon) const { return !(*this == polygon); }
    // Equal after a translation and quarter turns; mirror images are not congruent.
    bool isCongruant(const Polygon& otherPolygon) const;
    std::string toString() const;

    // Moving and turning work modulo 2^32 (see geometry/Point.h).
    void translate(const Point& offset);
    // Quarter turns counterclockwise about the origin; negative turns clockwise.
    void rotateAboutOrigin(int ninetyDegreeMultiplier);
    // Moves the bounding rectangle's lower-left corner to (0, 0).
    void slideToOrigin();
    // Multiplies every coordinate, truncating toward zero; area is not updated.
    void scale(float factor);

    // --- Queries (closed regions: boundary points are inside, touching intersects)
    bool containsPoint(const Point& p) const;
    // A zero-length segment is contained exactly when its point is.
    bool containsSegment(const Segment& segment) const;
    // Both ends inside and the segment never leaves through an edge. With
    // excludeEdges false a segment along an edge counts as contained at once.
    bool containsNonCrossOverSegment(Segment segment, bool excludeEdges) const;
    bool segmentIsOnBoundary(const Segment& segment) const;
    bool segmentIsCoincidentWithAnEdge(const Segment& segment) const;
    bool intersectsAnEdge(const Segment& segment) const;
    bool intersect(const Segment& segment) const;
    bool boundingRectanglesIntersect(const Polygon& otherPolygon) const;
    bool intersect(const Polygon& otherPolygon) const;
    bool contains(const Polygon& otherPolygon) const;
    bool contains(const PolygonSet& polygonSet) const;
    bool shareAnEdge(const Polygon& otherPolygon) const;
    std::vector<Segment> edgesSplitBy(const Polygon& otherPolygon) const;
    std::vector<Segment> edgesSplitBy(const std::vector<Segment>& cuttingEdges) const;
    std::vector<Segment> splitSegmentByEdges(const Segment& cutTarget) const;
    // Area centroid, truncated toward zero; (0, 0) for an empty polygon.
    Point getCentroid() const;
    // A point inside the polygon to put a label at.
    Point getLabelPosition() const;

    // --- Raw offsets (positive contracts, negative expands) -------------------
    // Every offset, raw or validated, raises CoordinateRangeException when it
    // would move a corner outside the coordinate range (geometry/Point.h); a
    // contraction too where a part narrower than twice the amount lies at an
    // end of the range, its edges passing beyond that end on their way.
    void unvalidatedContract(int numberOfUnits);
    void unvalidatedExpand(int numberOfUnits);

    // --- Validated offsets -------------------------------------------------
    std::vector<Segment> getAllUnflippedNonZeroEdgesAfterContract(int numberOfUnits) const;
    PolygonSet getPolygonContracted(int numberOfUnits) const;
    PolygonSet getPolygonExpanded(int numberOfUnits) const;
    bool canExpandBy(int expansionFactor) const;

    // --- Boolean operations ------------------------------------------------
    HoledPolygonSet booleanSubtract(const Polygon& otherPolygon) const;
    HoledPolygonSet booleanSubtract(const PolygonSet& polygonSet) const;
    // The union outline; holes of the union go to interiorHolesRemoved when given.
    PolygonSet booleanAddAndSimplify(const Polygon& otherPolygon, PolygonSet* interiorHolesRemoved) const;

    // --- Placement (this polygon is the host) ---------------------------------
    // Each forwards to the host search of the same name in
    // placement/HostSearch.h, which says how positions are reported.
    bool getPositionOfSetWithin(const PolygonSet& polygonSet, Point* possibleTranslation, int* possibleRotation,
                                WhiteSpaceInformation* score, bool findBestPosition, int contractionFactor,
                                const Point* startAtTranslation, const int* startAtRotation) const;
    bool canContain(const PolygonSet& polygonSet, Point* possibleTranslation = nullptr,
                    int* possibleRotation = nullptr) const;
    bool canContain(const Polygon& otherPolygon, Point* possibleTranslation = nullptr,
                    int* possibleRotation = nullptr) const;
    bool getBestPositionOfSetWithin(const PolygonSet& polygonSet, Point* possibleTranslation, int* possibleRotation,
                                    WhiteSpaceInformation* score, int contractionFactor,
                                    const Point* startAtTranslation = nullptr,
                                    const int* startAtRotation = nullptr) const;
    WhiteSpaceInformation whiteSpaceScore(const PolygonSet& setToBeContained, int contractionFactor) const;
    // Over the corners of this polygon.
    std::vector<Point> getAllTranslationsForPositions(const std::vector<Point>& possiblePoints) const;
    bool moveSetToBestPositionWithin(PolygonSet& polygonSet, int contractionFactor) const;
    bool positionPolygonWithin(Polygon& polygon) const;
    // Moves this polygon diagonally beyond the top-right corner of the other.
    void positionAtOuterCornerOf(const Polygon& otherPolygon);

private:
    void standardize();
    bool removeInternalSegmentCycle(std::vector<Segment>& prependRemovedCycleTo);
    void performContractionOnPoints(int numberOfUnits);
    bool containsAllPoints(const std::vector<Point>& pointsToTest) const;
    // containsSegment for a segment whose ends are inside.
    bool staysWithin(const Segment& segment) const;
    static bool vertexIntersectionShouldBeCountedAsCross(const Point& intersection, const Segment& vertexLegA,
                                                         const Segment& vertexLegB);

    // Recomputes `boundingRectangle`; every operation that moves, adds or
    // removes corners ends with it.
    void updateBoundingRectangle();

    std::vector<Point> points;
    float area = -1.0f;
    std::string name;
    int id = 0;
    TurnsAllowed turnsAllowed = TurnsAllowed::quarter;
    int quarterTurnsApplied = 0;
    bool originallyDefinedInReverseOrder = false;
    // Cached box of the corners (hole corners when there are none): the
    // queries reject by it before they walk the edges.
    Rectangle boundingRectangle;
};

std::ostream& operator<<(std::ostream& os, const Polygon& p);

}  // namespace Zelkor::Rectilinear

#include "reference/LiteralAdmissibleCuts.h"

#include <algorithm>

#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Reference {

std::vector<Segment> getAllCutsThatCanBeAdded(std::vector<HoledPolygon> uncuttablePolygons,
                                              std::vector<HoledPolygon> cuttablePolygons, Polygon hostPolygon,
                                              std::vector<Segment> existingCuts, int bladeWidth) {
    const int expansionFactor = bladeWidth / 2;
    std::vector<Segment> allEdgesOfExpandedPolygons;
    std::vector<Coordinate> xCoordinates;
    std::vector<Coordinate> yCoordinates;
    for (std::vector<HoledPolygon>* shapes : {&uncuttablePolygons, &cuttablePolygons}) {
        for (HoledPolygon& shape : *shapes) {
            shape.unvalidatedExpand(expansionFactor);
            for (const Segment& edge : shape.getEdges()) allEdgesOfExpandedPolygons.push_back(edge);
            for (const Point& corner : shape.getPoints()) {
                xCoordinates.push_back(corner.x);
                yCoordinates.push_back(corner.y);
            }
        }
    }
    if (xCoordinates.empty()) return {};
    std::sort(xCoordinates.begin(), xCoordinates.end());
    xCoordinates.erase(std::unique(xCoordinates.begin(), xCoordinates.end()), xCoordinates.end());
    std::sort(yCoordinates.begin(), yCoordinates.end());
    yCoordinates.erase(std::unique(yCoordinates.begin(), yCoordinates.end()), yCoordinates.end());
    const Coordinate minX = xCoordinates.front(), maxX = xCoordinates.back();
    const Coordinate minY = yCoordinates.front(), maxY = yCoordinates.back();

    std::vector<Segment> cutGrid;
    for (const Coordinate y : yCoordinates) cutGrid.emplace_back(minX, y, maxX, y);
    for (const Coordinate x : xCoordinates) cutGrid.emplace_back(x, minY, x, maxY);
    cutGrid = Math::splitSegmentsBySegments(cutGrid, allEdgesOfExpandedPolygons);
    hostPolygon.unvalidatedExpand(expansionFactor);

    std::vector<Segment> result;
    for (const Segment& piece : cutGrid) {
        bool cutShouldBeRemoved = true;
        for (const Segment& cut : existingCuts) {
            if (cut.isEndpoint(piece.getStartPoint()) || cut.isEndpoint(piece.getEndPoint())) {
                cutShouldBeRemoved = false;
                break;
            }
        }
        if (cutShouldBeRemoved) continue;
        bool inUncuttable = false;
        for (const HoledPolygon& shape : uncuttablePolygons) {
            if (shape.containsNonCrossOverSegment(piece)) inUncuttable = true;
        }
        if (inUncuttable) continue;
        if (hostPolygon.segmentIsOnBoundary(piece)) continue;
        bool repeatsACut = false;
        for (const Segment& cut : existingCuts) {
            if (cut.containsSegment(piece)) repeatsACut = true;
        }
        if (repeatsACut) continue;
        if (!cuttablePolygons.empty()) {
            bool inCuttable = false;
            for (const HoledPolygon& shape : cuttablePolygons) {
                if (shape.containsNonCrossOverSegment(piece)) inCuttable = true;
            }
            if (!inCuttable) continue;
        }
        result.push_back(piece);
    }
    return result;
}

}  // namespace Zelkor::Rectilinear::Reference

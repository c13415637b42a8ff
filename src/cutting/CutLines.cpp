#include "cutting/CutLines.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "geometry/CoordinateRangeException.h"
#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Math {

std::vector<Segment> getCutLines(const Polygon& hostPolygon, const std::vector<Polygon>& polygons, int bladeWidth) {
    const int half = bladeWidth / 2;
    Polygon expandedHost = hostPolygon;
    expandedHost.unvalidatedExpand(half);

    std::vector<Segment> polygonSegments;
    for (const Polygon& polygon : polygons) {
        Polygon expanded = polygon;
        expanded.unvalidatedExpand(half);
        const std::vector<Segment> edges = expanded.getEdges();
        polygonSegments.insert(polygonSegments.end(), edges.begin(), edges.end());
    }
    polygonSegments = splitSegmentsBySegments(polygonSegments, polygonSegments);

    // Along the sheet's own edge there is nothing to cut.
    polygonSegments.erase(std::remove_if(polygonSegments.begin(), polygonSegments.end(),
                                         [&](const Segment& s) { return expandedHost.segmentIsOnBoundary(s); }),
                          polygonSegments.end());
    for (Segment& segment : polygonSegments) {
        if (!segment.definedUpward() && !segment.definedRightward()) segment.flip();
    }
    // Outlines one blade width apart share their line; report it once.
    std::sort(polygonSegments.begin(), polygonSegments.end());
    polygonSegments.erase(std::unique(polygonSegments.begin(), polygonSegments.end()), polygonSegments.end());
    return polygonSegments;
}

namespace {

void sortAndRemoveDuplicates(std::vector<Coordinate>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

bool anyContainsNonCrossOverSegment(const std::vector<HoledPolygon>& shapes, const Segment& piece) {
    return std::any_of(shapes.begin(), shapes.end(),
                       [&](const HoledPolygon& shape) { return shape.containsNonCrossOverSegment(piece); });
}

}  // namespace

std::vector<Segment> getAllCutsThatCanBeAdded(const std::vector<HoledPolygon>& uncuttablePolygons,
                                              const std::vector<HoledPolygon>& cuttablePolygons,
                                              const Polygon& hostPolygon, const std::vector<Segment>& existingCuts,
                                              int bladeWidth) {
    const int expansionFactor = bladeWidth / 2;
    std::vector<Segment> allEdgesOfExpandedPolygons;
    std::vector<Coordinate> xCoordinates;
    std::vector<Coordinate> yCoordinates;
    // The shapes are grown once here; the tests below see the grown shapes.
    auto expandAndCollect = [&](const std::vector<HoledPolygon>& shapes) {
        std::vector<HoledPolygon> expandedShapes = shapes;
        for (HoledPolygon& shape : expandedShapes) {
            shape.unvalidatedExpand(expansionFactor);
            const std::vector<Segment> edges = shape.getEdges();
            allEdgesOfExpandedPolygons.insert(allEdgesOfExpandedPolygons.end(), edges.begin(), edges.end());
            for (const Point& corner : shape.getPoints()) {
                xCoordinates.push_back(corner.x);
                yCoordinates.push_back(corner.y);
            }
        }
        return expandedShapes;
    };
    const std::vector<HoledPolygon> uncuttable = expandAndCollect(uncuttablePolygons);
    const std::vector<HoledPolygon> cuttable = expandAndCollect(cuttablePolygons);
    if (xCoordinates.empty()) return {};
    sortAndRemoveDuplicates(xCoordinates);
    sortAndRemoveDuplicates(yCoordinates);
    const Coordinate minX = xCoordinates.front();
    const Coordinate maxX = xCoordinates.back();
    const Coordinate minY = yCoordinates.front();
    const Coordinate maxY = yCoordinates.back();

    // A piece is kept only when one of its ends is an end of an existing cut,
    // and every piece of a grid line lies on that line: a line through no such
    // end yields nothing, so it is neither built nor split.
    std::vector<Point> cutEnds;
    cutEnds.reserve(2 * existingCuts.size());
    for (const Segment& cut : existingCuts) {
        cutEnds.push_back(cut.getStartPoint());
        cutEnds.push_back(cut.getEndPoint());
    }
    std::sort(cutEnds.begin(), cutEnds.end());
    cutEnds.erase(std::unique(cutEnds.begin(), cutEnds.end()), cutEnds.end());
    auto isCutEnd = [&](const Point& p) { return std::binary_search(cutEnds.begin(), cutEnds.end(), p); };
    auto horizontalLineMeetsCutEnd = [&](Coordinate y) {
        return std::any_of(cutEnds.begin(), cutEnds.end(),
                           [&](const Point& p) { return p.y == y && minX <= p.x && p.x <= maxX; });
    };
    auto verticalLineMeetsCutEnd = [&](Coordinate x) {
        const auto first = std::lower_bound(cutEnds.begin(), cutEnds.end(), Point(x, minY));
        return first != cutEnds.end() && first->x == x && first->y <= maxY;
    };

    std::vector<Segment> cutGrid;
    for (const Coordinate y : yCoordinates) {
        if (horizontalLineMeetsCutEnd(y)) cutGrid.emplace_back(minX, y, maxX, y);
    }
    for (const Coordinate x : xCoordinates) {
        if (verticalLineMeetsCutEnd(x)) cutGrid.emplace_back(x, minY, x, maxY);
    }
    cutGrid = splitSegmentsBySegments(cutGrid, allEdgesOfExpandedPolygons);

    Polygon expandedHost = hostPolygon;
    expandedHost.unvalidatedExpand(expansionFactor);

    auto shouldBeRemoved = [&](const Segment& piece) {
        if (!isCutEnd(piece.getStartPoint()) && !isCutEnd(piece.getEndPoint())) return true;
        if (anyContainsNonCrossOverSegment(uncuttable, piece)) return true;
        if (expandedHost.segmentIsOnBoundary(piece)) return true;
        if (std::any_of(existingCuts.begin(), existingCuts.end(),
                        [&](const Segment& cut) { return cut.containsSegment(piece); })) {
            return true;
        }
        return !cuttable.empty() && !anyContainsNonCrossOverSegment(cuttable, piece);
    };
    cutGrid.erase(std::remove_if(cutGrid.begin(), cutGrid.end(), shouldBeRemoved), cutGrid.end());
    return cutGrid;
}

Polygon createRectangularPolygonFromSegment(const Segment& centerLine, int widthToMakeRectangle) {
    const Coordinate half = widthToMakeRectangle / 2;
    const Point offset = centerLine.isVertical() ? Point(half, 0) : Point(0, half);
    const Point& start = centerLine.getStartPoint();
    const Point& end = centerLine.getEndPoint();
    // The strip's long sides lie half its width either side of the line.
    const std::int64_t across = centerLine.isVertical() ? start.x : start.y;
    if (!isInCoordinateRange(across - half) || !isInCoordinateRange(across + half)) {
        throw CoordinateRangeException("CutLines", __LINE__,
                                       "a strip " + std::to_string(widthToMakeRectangle) + " wide along the cut " +
                                           centerLine.toString(),
                                       centerLine.isVertical() ? 'x' : 'y',
                                       isInCoordinateRange(across - half) ? across + half : across - half);
    }
    return Polygon(std::vector<Point>{start - offset, end - offset, end + offset, start + offset}, "");
}

}  // namespace Zelkor::Rectilinear::Math
